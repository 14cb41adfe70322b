#pragma once

#include "core/schedule/EntryRules.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <optional>

class QListWidget;

namespace quorvan {

struct AppContext;

// Chooses the power channels an entry switches on and the keep-power flag. Works on its own copy of the nine
// power words, rebuilt from the check marks when the dialog closes; the caller takes them only after OK.
class PowerPickerDialog : public QDialog {
    Q_OBJECT
public:
    PowerPickerDialog(AppContext& context, const std::uint32_t (&mask)[9], QWidget* parent = nullptr);

    const std::array<std::uint32_t, 9>& words() const { return m_words; }

    // Runs the picker modally on a copy of mask; the rebuilt words on OK, nothing on Cancel.
    static std::optional<std::array<std::uint32_t, 9>> pick(AppContext& context, const std::uint32_t (&mask)[9],
                                                            QWidget* parent = nullptr);

    QListWidget* list() const { return m_list; }

public slots:
    void accept() override;
    void reject() override;

private:
    void selectAll();
    void invertSelection();
    void rebuildWords();
    PowerChecks checks() const;
    void setChecks(const PowerChecks& checks);

    std::array<std::uint32_t, 9> m_words{};
    QListWidget* m_list;
};

} // namespace quorvan
