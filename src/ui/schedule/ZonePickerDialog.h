#pragma once

#include "core/schedule/EntryRules.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <optional>

class QComboBox;
class QListWidget;

namespace quorvan {

struct AppContext;

// Chooses the zones an entry plays in. Works on its own copy of the nine zone words; the words are rebuilt
// from the check marks when the dialog closes with OK, and only then.
class ZonePickerDialog : public QDialog {
    Q_OBJECT
public:
    ZonePickerDialog(AppContext& context, const std::uint32_t (&mask)[9], QWidget* parent = nullptr);

    const std::array<std::uint32_t, 9>& words() const { return m_words; }

    // Runs the picker modally on a copy of mask; the rebuilt words on OK, nothing on Cancel.
    static std::optional<std::array<std::uint32_t, 9>> pick(AppContext& context, const std::uint32_t (&mask)[9],
                                                            QWidget* parent = nullptr);

    QListWidget* list() const { return m_list; }
    QComboBox* groupCombo() const { return m_groups; }
    QComboBox* actionCombo() const { return m_actions; }

public slots:
    void accept() override;

private:
    void resetGroupAction();
    void applyGroupAction(int action);
    ZoneChecks checks() const;
    void setChecks(const ZoneChecks& checks);

    std::array<std::uint32_t, 9> m_words{};
    QListWidget* m_list;
    QComboBox* m_groups;
    QComboBox* m_actions;
};

} // namespace quorvan
