#pragma once

#include "app/Commands.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>

class QLabel;
class QSplitter;
class QStackedWidget;
class QStatusBar;
class QTimer;

namespace quorvan {

struct AppContext;
class CopyTimerDlg;
class MediaEngine;
class MusicPlayerDlg;
class OptionDlg;
class PageSetShortcutDlg;
class PageSetTimingDlg;
class SchFileTreeDlg;
class ToolBarDlg;

// The main window: tool bar, navigation tree, the page of the current document, the status bar, and the hub
// of the commands that panes, pages and dialogs send.
class CQuorvanDlg : public QWidget, public CommandSink {
    Q_OBJECT
public:
    static constexpr int kStatusBarId = 233;
    static constexpr int kMinTreeWidth = 150;

    explicit CQuorvanDlg(AppContext& context, QWidget* parent = nullptr);
    ~CQuorvanDlg() override;

    int command(int id, qintptr param = 0) override;

    int RefreshAll();
    int reloadCurrentDocument();
    void selectDocument(int index);
    void saveCurrentDocument();
    void ShowPage(QWidget* page);
    void LayoutPanes();
    void UpdateStatusBar();
    // One tick of the one-second timer: status bar, then re-open the configured serial port.
    void OnTimer();
    void showAbout();
    void showMusicPlayer();

    SchFileTreeDlg& tree() const { return *m_tree; }
    ToolBarDlg& toolBar() const { return *m_toolBar; }
    PageSetTimingDlg& timingPage() const { return *m_timingPage; }
    PageSetShortcutDlg& remotePage() const { return *m_remotePage; }
    QWidget* currentPage() const { return m_currentPage; }
    QLabel* statusPart(int part) const { return m_statusParts[std::size_t(part)]; }
    QTimer* timer() const { return m_timer; }
    int configuredPort() const { return m_configuredPort; }
    OptionDlg* optionDialog() const { return m_optionDlg; }
    CopyTimerDlg* copyDialog() const { return m_copyDlg; }
    bool musicPlaying() const;
    MusicPlayerDlg& musicPlayer() const { return *m_musicPlayer; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnInitDialog();
    void saveSettings();
    void openSystemOption();
    void openCopyTiming();

    AppContext& m_context;
    QStatusBar* m_statusBar = nullptr;
    std::array<QLabel*, 4> m_statusParts{};
    SchFileTreeDlg* m_tree = nullptr;
    ToolBarDlg* m_toolBar = nullptr;
    QSplitter* m_splitter = nullptr;
    QStackedWidget* m_pages = nullptr;
    PageSetTimingDlg* m_timingPage = nullptr;
    PageSetShortcutDlg* m_remotePage = nullptr;
    QWidget* m_currentPage = nullptr;
    std::unique_ptr<MediaEngine> m_ownEngine;
    MusicPlayerDlg* m_musicPlayer = nullptr;
    OptionDlg* m_optionDlg = nullptr;
    CopyTimerDlg* m_copyDlg = nullptr;
    QTimer* m_timer = nullptr;
    int m_configuredPort = 0;
};

} // namespace quorvan
