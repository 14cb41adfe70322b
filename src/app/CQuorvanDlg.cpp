#include "app/CQuorvanDlg.h"

#include "app/AppContext.h"
#include "app/CAboutDlg.h"
#include "app/CopyTimerDlg.h"
#include "app/OptionDlg.h"
#include "app/Prompts.h"
#include "app/SchFileTreeDlg.h"
#include "app/ShellRules.h"
#include "app/ToolBarDlg.h"
#include "app/DialogUnits.h"
#include "editing/PageSetShortcutDlg.h"
#include "editing/PageSetTimingDlg.h"
#include "model/ModelState.h"
#include "player/MusicPlayerDlg.h"
#include "player/QtMediaEngine.h"
#include "serial/SurperCom.h"
#include "settings/NameTables.h"
#include "settings/SettingsFiles.h"
#include "settings/TextTable.h"

#include <QIcon>
#include <QLabel>
#include <QShortcut>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace quorvan {

CQuorvanDlg::CQuorvanDlg(AppContext& context, QWidget* parent) : QWidget(parent), m_context(context) {
    setWindowTitle(QStringLiteral("智能分区广播系统"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/quorvan.png")));
    resize(std::max(dluX(538), 1180), std::max(dluY(351), 760));
    OnInitDialog();
}

CQuorvanDlg::~CQuorvanDlg() {
    m_context.model.setPageHandOff({});
    delete m_musicPlayer; // before the engine it plays on
}

void CQuorvanDlg::OnInitDialog() {
    auto* about = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(about, &QShortcut::activated, this, &CQuorvanDlg::showAbout);

    // The panes and pages take their first captions from the Chinese texts.
    m_context.texts.LoadChinese();

    m_toolBar = new ToolBarDlg(m_context, *this, this);
    connect(m_toolBar, &ToolBarDlg::aboutRequested, this, &CQuorvanDlg::showAbout);

    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("statusBar%1").arg(kStatusBarId));
    m_statusBar->setSizeGripEnabled(true);
    for (std::size_t i = 0; i < m_statusParts.size(); ++i) {
        m_statusParts[i] = new QLabel(m_statusBar);
        m_statusParts[i]->setObjectName(QStringLiteral("statusPart%1").arg(i));
        // Four equal parts, each a quarter of the width, whatever their texts.
        m_statusParts[i]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        m_statusBar->addWidget(m_statusParts[i], 1);
    }

    m_tree = new SchFileTreeDlg(m_context, *this, this);
    m_pages = new QStackedWidget(this);
    m_timingPage = new PageSetTimingDlg(m_context, *this, m_pages);
    m_remotePage = new PageSetShortcutDlg(m_context, *this, m_pages);
    m_pages->addWidget(m_timingPage);
    m_pages->addWidget(m_remotePage);
    m_timingPage->InitPage();
    m_remotePage->InitPage();

    MediaEngine* engine = m_context.mediaEngine;
    if (!engine) {
        m_ownEngine = std::make_unique<QtMediaEngine>();
        engine = m_ownEngine.get();
    }
    m_musicPlayer = new MusicPlayerDlg(m_context, *engine, this);
    m_musicPlayer->hide();

    // The tree pane's right edge can be dragged; LayoutPanes keeps its width within the limits.
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(m_tree);
    m_splitter->addWidget(m_pages);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({dluX(137), dluX(400)});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_splitter, 1);
    layout->addWidget(m_statusBar);

    m_context.model.setPageHandOff([this](const ScheduleDocument& doc, ScheduleTable& table, int capacity) {
        if (doc.kind == DocumentKind::NormalSchedule) {
            m_timingPage->ShowTable(&table, capacity);
            ShowPage(m_timingPage);
        } else if (doc.kind == DocumentKind::RemotePresets) {
            m_remotePage->ShowTable(&table, capacity);
            ShowPage(m_remotePage);
        }
    });

    m_currentPage = m_timingPage;
    m_tree->selectDocumentItem(0);
    reloadCurrentDocument();
    LayoutPanes();

    m_timer = new QTimer(this);
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &CQuorvanDlg::OnTimer);
    m_timer->start();

    m_context.model.mode = 1;
    const SettingValue id = m_context.settings.ReadSetting(QStringLiteral("LanguageSelect"), QStringLiteral("ID"));
    if (startLanguage(id) == 1)
        m_context.texts.LoadEnglish();
    else
        m_context.texts.LoadChinese();
    m_context.settings.LoadNames(m_context.names);
    RefreshAll();
}

int CQuorvanDlg::command(int id, qintptr param) {
    switch (id) {
    case CMD_SYSTEM_OPTION: openSystemOption(); return 1;
    case CMD_COPY_TIMING: openCopyTiming(); return 1;
    case CMD_SELECT_DOCUMENT: selectDocument(int(param)); return 1;
    case CMD_SAVE_DOCUMENT: saveCurrentDocument(); return 1;
    case CMD_RELOAD_DOCUMENT: reloadCurrentDocument(); return 1;
    case CMD_REFRESH_ALL: return RefreshAll();
    case CMD_SHOW_MUSIC_PLAYER: showMusicPlayer(); return 1;
    case CMD_SAVE_SETTINGS: saveSettings(); return 1;
    default: return 0;
    }
}

int CQuorvanDlg::RefreshAll() {
    setWindowTitle(m_context.texts.Text(224));
    m_context.names.ComputeDisplayNames(m_context.texts);
    ModelState& model = m_context.model;
    model.rebuildDocumentList();
    model.applyCurrentIndex();
    m_tree->RefreshCaptions();
    m_toolBar->RefreshCaptions();
    m_timingPage->RefreshTexts();
    m_remotePage->RefreshTexts();
    m_musicPlayer->RefreshTexts();
    if (m_optionDlg)
        m_optionDlg->RefreshTexts();
    reloadCurrentDocument();
    update();
    return 1;
}

int CQuorvanDlg::reloadCurrentDocument() {
    m_context.names.ComputeDisplayNames(m_context.texts);
    m_context.model.reloadCurrentDocument(); // loads the file and hands the table to its page
    UpdateStatusBar();
    return 1;
}

void CQuorvanDlg::selectDocument(int index) {
    m_context.names.ComputeDisplayNames(m_context.texts);
    m_context.model.selectDocument(index);
    UpdateStatusBar();
}

void CQuorvanDlg::saveCurrentDocument() {
    const SaveResult result = m_context.model.saveCurrentDocument();
    if (!result.ok)
        m_context.prompts.message(m_context.texts.Text(154), saveFailureText(m_context.texts, result),
                                  Prompts::Icon::Stop);
}

void CQuorvanDlg::saveSettings() {
    const SettingsSnapshot values{m_context.model.mode, m_context.texts.language(), m_context.serial.portNumber(),
                                  m_configuredPort};
    const SettingsSaveResult result = m_context.settings.SaveAllSettings(values, m_context.names);
    for (const SaveResult* file : {&result.config, &result.names})
        if (!file->ok)
            m_context.prompts.message(m_context.texts.Text(154), saveFailureText(m_context.texts, *file),
                                      Prompts::Icon::Stop);
}

void CQuorvanDlg::ShowPage(QWidget* page) {
    if (m_currentPage && m_currentPage != page)
        m_currentPage->hide();
    m_currentPage = page;
    m_pages->setCurrentWidget(page);
    page->show();
    LayoutPanes();
}

void CQuorvanDlg::LayoutPanes() {
    if (!m_tree || !m_currentPage)
        return;
    const int contentWidth = width();
    const int widest = std::max(kMinTreeWidth, contentWidth - 100);
    m_tree->setMinimumWidth(kMinTreeWidth);
    m_tree->setMaximumWidth(widest);
    const int treeWidth = std::clamp(m_tree->width(), kMinTreeWidth, widest);
    m_splitter->setSizes({treeWidth, std::max(0, contentWidth - treeWidth - m_splitter->handleWidth())});
}

void CQuorvanDlg::UpdateStatusBar() {
    if (!m_statusParts[0])
        return;
    const auto parts = statusBarTexts(m_context.texts, m_context.model.current().caption, musicPlaying(),
                                      m_context.clock());
    for (std::size_t i = 0; i < parts.size(); ++i)
        m_statusParts[i]->setText(parts[i]);
}

void CQuorvanDlg::OnTimer() {
    UpdateStatusBar();
    const SettingValue com = m_context.settings.ReadSetting(QStringLiteral("SettingComm"), QStringLiteral("com"));
    m_configuredPort = com.present ? com.value : 0;
    m_context.serial.setDevicePattern(
        m_context.settings.ReadText(QStringLiteral("SettingComm"), QStringLiteral("device")));
    m_context.serial.OpenPort(m_configuredPort); // a port that does not open is tried again next second
}

bool CQuorvanDlg::musicPlaying() const { return m_musicPlayer && m_musicPlayer->playing(); }

void CQuorvanDlg::showMusicPlayer() {
    if (!m_musicPlayer->isVisible()) {
        // Centred on the main window the first time and whenever it was closed.
        m_musicPlayer->adjustSize();
        m_musicPlayer->move(geometry().center() - m_musicPlayer->rect().center());
    }
    m_musicPlayer->show();
    m_musicPlayer->raise();
    m_musicPlayer->activateWindow();
}

void CQuorvanDlg::showAbout() {
    CAboutDlg about(this);
    about.exec();
}

void CQuorvanDlg::openSystemOption() {
    OptionDlg dialog(m_context, *this, this);
    m_optionDlg = &dialog; // RefreshAll re-captions it after a language change
    dialog.exec();
    m_optionDlg = nullptr;
}

void CQuorvanDlg::openCopyTiming() {
    CopyTimerDlg dialog(m_context, *this, this);
    m_copyDlg = &dialog;
    dialog.exec();
    m_copyDlg = nullptr;
}

void CQuorvanDlg::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayoutPanes();
}

} // namespace quorvan
