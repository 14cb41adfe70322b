#pragma once

#include "core/history/DamagedFiles.h"
#include "ui/common/QtTranslations.h"
#include "ui/common/ShellActions.h"

#include <QHash>
#include <QPointer>
#include <QSet>
#include <QWidget>

#include <array>
#include <memory>
#include <vector>

class QLabel;
class QSplitter;
class QStackedWidget;
class QStatusBar;
class QTimer;

namespace quorvan {

struct AppContext;
class CopyDialog;
class MediaEngine;
class MusicPlayerWindow;
class NavigationTree;
class RemoteKeyPage;
class SettingsDialog;
class TimingListPage;
class ToolBar;
class UndoHistory;

// The main window: tool bar, navigation tree, the page of the current document and the status bar. Panes, pages
// and dialogs reach it through ShellActions.
class MainWindow : public QWidget, public ShellActions {
    Q_OBJECT
public:
    static constexpr int kMinTreeWidth = 150;
    // The first size where the screen has room for it: the tree at its 137 dialog units beside a page wide enough
    // for the entry editor in one row.
    static constexpr int kPreferredWidth = 1240;
    static constexpr int kPreferredHeight = 760;

    explicit MainWindow(AppContext& context, QWidget* parent = nullptr);
    ~MainWindow() override;

    // ShellActions
    void openSettings() override;
    void openCopyDialog() override;
    void selectDocument(int index) override;
    bool mayWriteDocument() override;
    bool saveDocument(const StepLabel& label) override;
    void addStep(DataStep step) override;
    void reloadDocument() override;
    void retranslateAll() override;
    void showMusicPlayer() override;
    void saveSettings() override;
    bool leaveEdits() override;
    void undo() override;
    void redo() override;
    void openRestoreDialog(int index) override;
    void compareDocument(int index, const CompareWith& with) override;
    void exportEntries(int index) override;
    void importEntries(int index) override;
    void openManual() override;
    bool restoreVersions(const std::vector<BackupVersion>& versions, const StepLabel& label) override;

    void showPage(QWidget* page);
    void layoutPanes();
    void updateStatusBar();
    // One tick of the one-second timer: status bar, then re-open the configured serial port.
    void tick();
    void showAbout();
    // The window's first size on a screen whose free area (without panels) is available: the preferred size,
    // made smaller where the screen is smaller.
    static QSize firstSizeFor(QSize available);

    NavigationTree& tree() const { return *m_tree; }
    ToolBar& toolBar() const { return *m_toolBar; }
    TimingListPage& timingPage() const { return *m_timingPage; }
    // Built when first asked for: the program starts on a schedule, with the music player closed.
    RemoteKeyPage& remotePage();
    QWidget* currentPage() const { return m_currentPage; }
    QLabel* statusPart(int part) const { return m_statusParts[std::size_t(part)]; }
    QTimer* timer() const { return m_timer; }
    int configuredPort() const { return m_configuredPort; }
    SettingsDialog* settingsDialog() const { return m_settingsDialog; }
    CopyDialog* copyDialog() const { return m_copyDialog; }
    bool musicPlaying() const;
    MusicPlayerWindow& musicPlayer();
    UndoHistory& history() const { return *m_history; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    // The preferred first size, made smaller where the screen's available area is smaller.
    QSize firstSize() const;
    // After a document was loaded: a damaged file is kept as a backup and, once a session, reported.
    void checkDamagedFile();
    // Shows the document and entry a step was about (after its undo or redo).
    void showStep(const StepLabel& label);
    void showHistoryState();
    void warnBackupFailures(const QStringList& failures);
    // Before an undo or redo: unsaved edits in the editor are discarded when the operator agrees; false to stay.
    bool discardEditsFor(bool undo);
    // A warning, at once or, while the window is not shown yet (at start), as soon as it is.
    void tellWhenShown(const QString& text);
    // Config.ini or Config_name.ini that is there but cannot be taken (a link, a FIFO, too large) is named once.
    void warnUnreadableSettings();

    AppContext& m_context;
    QStatusBar* m_statusBar = nullptr;
    std::array<QLabel*, 4> m_statusParts{};
    NavigationTree* m_tree = nullptr;
    ToolBar* m_toolBar = nullptr;
    SoundFiles m_soundFiles; // data files checked and unchanged since: not read again when shown
    QSplitter* m_splitter = nullptr;
    QStackedWidget* m_pages = nullptr;
    TimingListPage* m_timingPage = nullptr;
    RemoteKeyPage* m_remotePage = nullptr;
    QWidget* m_currentPage = nullptr;
    std::unique_ptr<MediaEngine> m_ownEngine;
    MusicPlayerWindow* m_musicPlayer = nullptr;
    SettingsDialog* m_settingsDialog = nullptr;
    CopyDialog* m_copyDialog = nullptr;
    QTimer* m_timer = nullptr;
    int m_configuredPort = 0;
    int m_treeWidth = kMinTreeWidth; // the tree pane's width as laid out or dragged
    QtTranslations m_qtTranslations;
    UndoHistory* m_history = nullptr;
    QSet<QString> m_damagedReported; // files whose damage (or that they cannot be read) was reported this session
    QHash<QString, int> m_damagedFiles; // files damaged as last read, with how many entries were incomplete
    bool m_backupFailureReported = false;
};

} // namespace quorvan
