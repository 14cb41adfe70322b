#pragma once

#include "core/history/BackupStore.h"

#include <QDialog>

#include <memory>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace quorvan {

struct AppContext;
class ShellActions;
struct ScheduleTable;

// The kept versions of one document, newest first: when each was kept, its entries, the first start times, its
// size and whether it was damaged or replaced by an import. The chosen version's entries show below, read-only;
// Restore puts it back (with every file of its import, when asked) as an undoable step.
class RestoreDialog : public QDialog {
    Q_OBJECT
public:
    RestoreDialog(AppContext& context, ShellActions& shell, int documentIndex, QWidget* parent = nullptr);
    ~RestoreDialog() override;

    QTableWidget* versionList() const { return m_versions; }
    QTableWidget* preview() const { return m_preview; }
    QCheckBox* wholeImport() const { return m_wholeImport; }
    QPushButton* restoreButton() const { return m_restore; }
    QLabel* emptyNote() const { return m_empty; }
    // The versions listed, newest first (row i shows version i).
    const std::vector<BackupVersion>& versions() const { return m_kept; }

    void restoreChosen();

private:
    void showVersion();
    int chosenRow() const;

    AppContext& m_context;
    ShellActions& m_shell;
    const int m_document;
    std::vector<BackupVersion> m_kept;
    std::unique_ptr<ScheduleTable> m_table;
    QTableWidget* m_versions;
    QLabel* m_previewHeading;
    QTableWidget* m_preview;
    QCheckBox* m_wholeImport;
    QLabel* m_empty;
    QPushButton* m_restore;
    QPushButton* m_close;
};

} // namespace quorvan
