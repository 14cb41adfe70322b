#include "ui/shell/MainWindow.h"

#include "core/schedule/ScheduleModel.h"
#include "core/serial/SerialLink.h"
#include "core/settings/NameTables.h"
#include "core/settings/SettingsFiles.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/DialogUnits.h"
#include "ui/common/Messages.h"
#include "ui/common/Prompts.h"
#include "ui/dialogs/CopyDialog.h"
#include "ui/dialogs/SettingsDialog.h"
#include "ui/player/MusicPlayerWindow.h"
#include "ui/player/QtMediaEngine.h"
#include "ui/schedule/RemoteKeyPage.h"
#include "ui/schedule/TimingListPage.h"
#include "ui/shell/AboutDialog.h"
#include "ui/shell/NavigationTree.h"
#include "ui/shell/ToolBar.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace quorvan {

namespace {

// The four parts of the status bar: the document being edited, whether the music player plays, an empty part,
// and the clock.
std::array<QString, 4> statusBarTexts(const TextTable& texts, const QString& documentCaption, bool musicPlaying,
                                      const QDateTime& now) {
    return {texts.text(219) + documentCaption, texts.text(220) + texts.text(musicPlaying ? 222 : 221),
            QStringLiteral("   "), texts.text(223) + now.toString(QStringLiteral("  yyyy/MM/dd HH:mm:ss"))};
}

} // namespace

MainWindow::MainWindow(AppContext& context, QWidget* parent) : QWidget(parent), m_context(context) {
    setWindowTitle(QStringLiteral("智能分区广播系统"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/quorvan.png")));
    resize(firstSize());
    buildControls();
}

MainWindow::~MainWindow() {
    m_context.model.setPageHandOff({});
    delete m_musicPlayer; // before the engine it plays on
}

void MainWindow::buildControls() {
    auto* about = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(about, &QShortcut::activated, this, &MainWindow::showAbout);

    // The panes and pages take their first captions from the Chinese texts.
    m_context.texts.loadChinese();

    m_toolBar = new ToolBar(m_context, *this, this);
    connect(m_toolBar, &ToolBar::aboutRequested, this, &MainWindow::showAbout);

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

    m_tree = new NavigationTree(m_context, *this, this);
    m_pages = new QStackedWidget(this);
    m_timingPage = new TimingListPage(m_context, *this, m_pages);
    m_remotePage = new RemoteKeyPage(m_context, *this, m_pages);
    m_pages->addWidget(m_timingPage);
    m_pages->addWidget(m_remotePage);
    m_timingPage->layoutPage();
    m_remotePage->layoutPage();

    MediaEngine* engine = m_context.mediaEngine;
    if (!engine) {
        m_ownEngine = std::make_unique<QtMediaEngine>();
        engine = m_ownEngine.get();
    }
    m_musicPlayer = new MusicPlayerWindow(m_context, *engine, this);
    m_musicPlayer->hide();

    // The tree pane's right edge can be dragged; layoutPanes keeps its width within the limits.
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
            m_timingPage->showTable(&table, capacity);
            showPage(m_timingPage);
        } else if (doc.kind == DocumentKind::RemotePresets) {
            m_remotePage->showTable(&table, capacity);
            showPage(m_remotePage);
        }
    });

    m_currentPage = m_timingPage;
    m_tree->selectDocumentItem(0);
    reloadDocument();
    layoutPanes();

    m_timer = new QTimer(this);
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &MainWindow::tick);
    m_timer->start();

    m_context.model.mode = 1;
    const SettingValue id = m_context.settings.readSetting(QStringLiteral("LanguageSelect"), QStringLiteral("ID"));
    if (startLanguage(id) == 1)
        m_context.texts.loadEnglish();
    else
        m_context.texts.loadChinese();
    m_context.settings.loadNames(m_context.names);
    retranslateAll();
}

void MainWindow::retranslateAll() {
    m_qtTranslations.apply(m_context.texts.language());
    setWindowTitle(m_context.texts.text(224));
    m_context.names.computeDisplayNames(m_context.texts);
    ScheduleModel& model = m_context.model;
    model.rebuildDocumentList();
    model.applyCurrentIndex();
    m_tree->retranslate();
    m_toolBar->retranslate();
    m_timingPage->retranslate();
    m_remotePage->retranslate();
    m_musicPlayer->retranslate();
    if (m_settingsDialog)
        m_settingsDialog->retranslate();
    // The page is filled again in the new language, which replaces what the editor shows: unless the operator
    // keeps unsaved edits, which then stay with the rows as they were.
    if (leaveEdits())
        reloadDocument();
    else
        updateStatusBar();
    update();
}

void MainWindow::reloadDocument() {
    m_context.names.computeDisplayNames(m_context.texts);
    m_context.model.reloadCurrentDocument(); // loads the file and hands the table to its page
    updateStatusBar();
}

QSize MainWindow::firstSizeFor(QSize available) {
    const QSize preferred(std::max(dluX(538), kPreferredWidth), std::max(dluY(351), kPreferredHeight));
    if (available.isEmpty())
        return preferred;
    // The window manager adds a frame and a title bar around the window; both must fit as well.
    const QSize room = available - QSize(16, 48);
    return preferred.boundedTo(room.expandedTo(QSize(kMinTreeWidth * 3, 400)));
}

QSize MainWindow::firstSize() const {
    const QScreen* screen = this->screen();
    return firstSizeFor(screen ? screen->availableGeometry().size() : QSize());
}

bool MainWindow::leaveEdits() {
    if (m_currentPage == m_timingPage)
        return m_timingPage->leaveShownEntry();
    if (m_currentPage == m_remotePage)
        return m_remotePage->leaveShownPreset();
    return true;
}

void MainWindow::selectDocument(int index) {
    if (!leaveEdits()) {
        // The operator stays: the tree shows the current document again.
        m_tree->showDocumentItem(m_context.model.currentIndex);
        return;
    }
    m_context.names.computeDisplayNames(m_context.texts);
    m_context.model.selectDocument(index);
    updateStatusBar();
}

void MainWindow::saveDocument() {
    const SaveResult result = m_context.model.saveCurrentDocument();
    if (!result.ok)
        m_context.prompts.message(m_context.texts.text(154), saveFailureText(m_context.texts, result),
                                  Prompts::Icon::Stop);
}

void MainWindow::saveSettings() {
    const SettingsSnapshot values{m_context.model.mode, m_context.texts.language(), m_context.serial.portNumber(),
                                  m_configuredPort};
    const SettingsSaveResult result = m_context.settings.saveAll(values, m_context.names);
    for (const SaveResult* file : {&result.config, &result.names})
        if (!file->ok)
            m_context.prompts.message(m_context.texts.text(154), saveFailureText(m_context.texts, *file),
                                      Prompts::Icon::Stop);
}

void MainWindow::showPage(QWidget* page) {
    if (m_currentPage && m_currentPage != page)
        m_currentPage->hide();
    m_currentPage = page;
    m_pages->setCurrentWidget(page);
    page->show();
    layoutPanes();
}

void MainWindow::layoutPanes() {
    if (!m_tree || !m_currentPage)
        return;
    const int contentWidth = width();
    const int widest = std::max(kMinTreeWidth, contentWidth - 100);
    m_tree->setMinimumWidth(kMinTreeWidth);
    m_tree->setMaximumWidth(widest);
    const int treeWidth = std::clamp(m_tree->width(), kMinTreeWidth, widest);
    m_splitter->setSizes({treeWidth, std::max(0, contentWidth - treeWidth - m_splitter->handleWidth())});
}

void MainWindow::updateStatusBar() {
    if (!m_statusParts[0])
        return;
    const auto parts =
        statusBarTexts(m_context.texts, m_context.model.current().caption, musicPlaying(), m_context.clock());
    for (std::size_t i = 0; i < parts.size(); ++i)
        m_statusParts[i]->setText(parts[i]);
}

void MainWindow::tick() {
    updateStatusBar();
    const SettingValue com = m_context.settings.readSetting(QStringLiteral("SettingComm"), QStringLiteral("com"));
    m_configuredPort = com.present ? com.value : 0;
    m_context.serial.setDevicePattern(
        m_context.settings.readText(QStringLiteral("SettingComm"), QStringLiteral("device")));
    m_context.serial.holdPort(m_configuredPort); // a port that does not open is tried again next second
}

bool MainWindow::musicPlaying() const {
    return m_musicPlayer && m_musicPlayer->playing();
}

void MainWindow::showMusicPlayer() {
    if (!m_musicPlayer->isVisible()) {
        // Centred on the main window the first time and whenever it was closed.
        m_musicPlayer->adjustSize();
        m_musicPlayer->move(geometry().center() - m_musicPlayer->rect().center());
    }
    m_musicPlayer->show();
    m_musicPlayer->raise();
    m_musicPlayer->activateWindow();
}

void MainWindow::showAbout() {
    AboutDialog about(this);
    about.exec();
}

void MainWindow::openSettings() {
    SettingsDialog dialog(m_context, *this, this);
    m_settingsDialog = &dialog; // retranslateAll re-captions it after a language change
    dialog.exec();
    m_settingsDialog = nullptr;
}

void MainWindow::openCopyDialog() {
    // A copy may rewrite the document shown, and the page is reloaded after it.
    if (!leaveEdits())
        return;
    CopyDialog dialog(m_context, *this, this);
    m_copyDialog = &dialog;
    dialog.exec();
    m_copyDialog = nullptr;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Unsaved edits in the editor are saved or discarded as the operator chooses, or the program stays open.
    if (leaveEdits())
        event->accept();
    else
        event->ignore();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutPanes();
}

} // namespace quorvan
