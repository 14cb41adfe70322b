#pragma once

#include "core/history/BackupStore.h"
#include "core/schedule/ScheduleCompare.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace quorvan {

struct AppContext;
class ComparisonView;
class ShellActions;

// The kept versions of one document, newest first: when each was kept, its entries, the first start times, its
// size and whether it was damaged or replaced by an import. Below, the current file against the chosen version:
// what restoring it would change. Restore puts it back (with every file of its import, when asked) as an undoable
// step.
class RestoreDialog : public QDialog {
    Q_OBJECT
public:
    RestoreDialog(AppContext& context, ShellActions& shell, int documentIndex, QWidget* parent = nullptr);
    ~RestoreDialog() override;

    QTableWidget* versionList() const { return m_versions; }
    ComparisonView* comparison() const { return m_comparison; }
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
    ComparedFile m_now;
    QTableWidget* m_versions;
    QLabel* m_previewHeading;
    ComparisonView* m_comparison;
    QCheckBox* m_wholeImport;
    QLabel* m_empty;
    QPushButton* m_restore;
    QPushButton* m_close;
};

} // namespace quorvan
