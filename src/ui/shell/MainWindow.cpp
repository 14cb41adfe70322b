#include "ui/shell/MainWindow.h"

#include "core/files/ScheduleFile.h"
#include "core/history/BackupStore.h"
#include "core/history/ChangeRecorder.h"
#include "core/history/DamagedFiles.h"
#include "core/history/Restore.h"
#include "core/schedule/ScheduleCompare.h"
#include "core/schedule/ScheduleModel.h"
#include "core/serial/SerialLink.h"
#include "core/settings/HomeFolder.h"
#include "core/settings/NameTables.h"
#include "core/settings/SettingsFiles.h"
#include "core/storage/CardTransfer.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/BusyCursor.h"
#include "ui/common/DialogUnits.h"
#include "ui/common/Messages.h"
#include "ui/common/Prompts.h"
#include "ui/compare/CompareDialog.h"
#include "ui/dialogs/CopyDialog.h"
#include "ui/dialogs/SettingsDialog.h"
#include "ui/history/RestoreDialog.h"
#include "ui/history/UndoHistory.h"
#include "ui/player/LoadedMediaEngine.h"
#include "ui/player/MusicPlayerWindow.h"
#include "ui/schedule/RemoteKeyPage.h"
#include "ui/schedule/TimingListPage.h"
#include "ui/shell/AboutDialog.h"
#include "ui/shell/EntryFiles.h"
#include "ui/shell/NavigationTree.h"
#include "ui/shell/ToolBar.h"
#include "ui/shell/TransferRunner.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <optional>

namespace quorvan {

namespace {

// The four parts of the status bar: the document being edited, whether the music player plays, an empty part,
// and the clock.
std::array<QString, 4> statusBarTexts(const TextTable& texts, const QString& documentCaption, bool musicPlaying,
                                      const QDateTime& now) {
    return {texts.text(TextId::EditingLabel) + documentCaption,
            texts.text(TextId::MusicPlayLabel) + texts.text(musicPlaying ? TextId::MusicPlaying : TextId::MusicStopped),
            QStringLiteral("   "),
            texts.text(TextId::NowTimeLabel) + now.toString(QStringLiteral("  yyyy/MM/dd HH:mm:ss"))};
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
    // The history's stack reports its last change while it goes; the window is no longer there to hear it.
    disconnect(m_history, nullptr, this, nullptr);
}

void MainWindow::buildControls() {
    auto* about = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(about, &QShortcut::activated, this, &MainWindow::showAbout);

    // The panes and pages are built in the language they start in (retranslateAll at the end writes every text).
    const SettingValue id = m_context.settings.readSetting(QStringLiteral("LanguageSelect"), QStringLiteral("ID"));
    if (startLanguage(id) == 1)
        m_context.texts.loadEnglish();
    else
        m_context.texts.loadChinese();

    m_history = new UndoHistory(m_context, this);
    // An undo or redo of an import puts four large files back: on a worker thread, the window painting and its
    // clock going on, with a dialog when it takes longer than half a second.
    m_history->setWorkRunner([this](const QString& text, const std::function<void()>& work) {
        TransferRunner(m_context.texts, this).runToEnd(text, work);
    });
    connect(m_history, &UndoHistory::changed, this, &MainWindow::showHistoryState);
    // Ctrl+Z and Ctrl+Shift+Z / Ctrl+Y wherever the focus is in the window; a text field takes them for itself.
    // The keys are named one by one: the platform's standard sequences differ, and two shortcuts on one key
    // would cancel each other.
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this), &QShortcut::activated, this, &MainWindow::undo);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), this), &QShortcut::activated, this,
            &MainWindow::redo);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y), this), &QShortcut::activated, this, &MainWindow::redo);

    m_toolBar = new ToolBar(m_context, *this, this);
    connect(m_toolBar, &ToolBar::aboutRequested, this, &MainWindow::showAbout);

    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("statusBar"));
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
    m_pages->addWidget(m_timingPage);
    m_timingPage->layoutPage();

    // The tree pane's right edge can be dragged; layoutPanes keeps its width within the limits.
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(m_tree);
    m_splitter->addWidget(m_pages);
    m_splitter->setStretchFactor(1, 1);
    // The tree's width is kept here: the pane's own width is not its real one until the window is shown.
    m_treeWidth = std::max(kMinTreeWidth, dluX(137));
    m_splitter->setSizes({m_treeWidth, dluX(400)});
    connect(m_splitter, &QSplitter::splitterMoved, this, [this] { m_treeWidth = m_splitter->sizes().value(0); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_splitter, 1);
    layout->addWidget(m_statusBar);

    m_context.model.setPageHandOff([this](ScheduleDocument& document) {
        if (document.kind() == DocumentKind::NormalSchedule) {
            m_timingPage->showDocument(&document);
            showPage(m_timingPage);
        } else if (document.kind() == DocumentKind::RemotePresets) {
            remotePage().showDocument(&document);
            showPage(m_remotePage);
        }
    });

    m_currentPage = m_timingPage;
    // The model has read the first document already; retranslateAll at the end of the constructor shows it.
    m_tree->showDocumentItem(0);
    layoutPanes();

    m_timer = new QTimer(this);
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &MainWindow::tick);
    m_timer->start();

    m_context.settings.loadNames(m_context.names);
    retranslateAll();
    warnUnreadableSettings();
}

void MainWindow::warnUnreadableSettings() {
    QStringList reasons;
    for (const ReadStatus& status : {m_context.settings.configStatus(), m_context.settings.namesStatus()})
        if (status.refused())
            reasons << status.reason(m_context.texts);
    if (!reasons.isEmpty())
        tellWhenShown(m_context.texts.text(TextId::SettingsUnreadable) + u'\n' + reasons.join(u'\n'));
}

void MainWindow::retranslateAll() {
    m_qtTranslations.apply(m_context.texts.language());
    setWindowTitle(m_context.texts.text(TextId::ProgramTitle));
    m_context.names.computeDisplayNames(m_context.texts);
    ScheduleModel& model = m_context.model;
    model.retranslateDocumentList();
    m_tree->retranslate();
    m_toolBar->retranslate();
    showHistoryState();
    m_timingPage->retranslate();
    if (m_remotePage)
        m_remotePage->retranslate();
    if (m_musicPlayer)
        m_musicPlayer->retranslate();
    if (m_settingsDialog)
        m_settingsDialog->retranslate();
    // The page is filled again in the new language, which replaces what the editor shows: unless the operator
    // keeps unsaved edits, which then stay with the rows as they were.
    if (leaveEdits()) {
        // Without reading the file again while the table is what it holds (at start the model has just read it);
        // the editor stays on the entry or key it showed.
        const EntryListLogic::EditorPlace entry = m_timingPage->editorPlace();
        const int key = m_remotePage ? m_remotePage->shownKey() : -1;
        m_context.model.refreshCurrentDocument();
        if (m_currentPage == m_timingPage && (entry.row >= 0 || !entry.several.isEmpty()))
            m_timingPage->returnTo(entry);
        else if (m_currentPage == m_remotePage && key >= 0)
            m_remotePage->showKey(key);
        updateStatusBar();
        checkDamagedFile();
    } else {
        updateStatusBar();
    }
    update();
}

void MainWindow::reloadDocument() {
    m_context.names.computeDisplayNames(m_context.texts);
    m_context.model.reloadCurrentDocument(); // loads the file and hands the table to its page
    updateStatusBar();
    checkDamagedFile();
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
        m_tree->showDocumentItem(m_context.model.currentIndex());
        return;
    }
    m_context.names.computeDisplayNames(m_context.texts);
    m_context.model.selectDocument(index);
    updateStatusBar();
    checkDamagedFile();
}

bool MainWindow::mayWriteDocument() {
    ScheduleModel& model = m_context.model;
    const TextTable& texts = m_context.texts;
    const QString name = model.current().fileName;
    switch (model.currentFileState()) {
    case ScheduleModel::FileState::Ours: {
        // The first write over a file that was damaged when read writes the loader's filler too: asked once.
        const auto damaged = m_damagedFiles.constFind(name);
        if (damaged == m_damagedFiles.constEnd())
            return true;
        enum { SaveAnyway, Cancel };
        const int answer = m_context.prompts.question(
            texts.text(TextId::Warning), texts.text(TextId::DamagedFirstSave).arg(name).arg(*damaged),
            {texts.text(TextId::SaveAnyway), texts.text(TextId::CancelButton)}, Cancel);
        return answer == SaveAnyway;
    }
    case ScheduleModel::FileState::Changed: {
        enum { Reload, Overwrite, Cancel };
        const int answer = m_context.prompts.question(
            texts.text(TextId::Warning), texts.text(TextId::FileChangedOutside).arg(name),
            {texts.text(TextId::ReloadButton), texts.text(TextId::OverwriteButton), texts.text(TextId::CancelButton)},
            Cancel);
        if (answer == Overwrite)
            return true; // the save keeps the other program's version in backups/ before it writes
        if (answer == Reload)
            reloadDocument();
        return false;
    }
    case ScheduleModel::FileState::Unreadable: {
        enum { Replace, Cancel };
        const int answer = m_context.prompts.question(
            texts.text(TextId::Warning),
            texts.text(TextId::ReplaceUnreadable).arg(name, model.loadStatus().reason(texts)),
            {texts.text(TextId::ReplaceButton), texts.text(TextId::CancelButton)}, Cancel);
        return answer == Replace;
    }
    }
    return false;
}

bool MainWindow::saveDocument(const StepLabel& label) {
    ScheduleModel& model = m_context.model;
    std::optional<BusyCursor> busy(std::in_place); // a full schedule takes most of a second
    m_context.backups.setLimits(BackupStore::limitsFrom(m_context.settings));
    ChangeRecorder recorder(dataFolderPath(model.programFolder()), {model.current().fileName}, &m_context.backups);
    const SaveResult result = model.saveCurrentDocument();
    if (!result.ok) {
        recorder.abandon();
        busy.reset();
        m_context.prompts.message(m_context.texts.text(TextId::Warning), saveFailureText(m_context.texts, result),
                                  Prompts::Icon::Stop);
        // The file holds what it held: the page shows that again (and its editor keeps the edit).
        reloadDocument();
        return false;
    }
    m_damagedFiles.remove(model.current().fileName); // what it holds now is what the program wrote
    m_context.backups.rememberWritten(dataFilePath(model.programFolder(), model.current().fileName), result);
    m_history->push(recorder.finish(label));
    warnBackupFailures(recorder.backupFailures());
    return true;
}

void MainWindow::addStep(DataStep step) {
    m_history->push(std::move(step));
}

bool MainWindow::discardEditsFor(bool undo) {
    const bool edited = (m_currentPage == m_timingPage && m_timingPage->editorHasUnsavedChanges()) ||
                        (m_currentPage == m_remotePage && m_remotePage->editorHasUnsavedChanges());
    if (!edited)
        return true;
    // Saving them first would become the newest step and be undone in place of the one the button names.
    const TextTable& texts = m_context.texts;
    enum { Discard, Cancel };
    const QString step = undo ? m_history->undoText() : m_history->redoText();
    const int answer = m_context.prompts.question(
        texts.text(TextId::Message), texts.text(undo ? TextId::UndoDiscardsEdits : TextId::RedoDiscardsEdits).arg(step),
        {texts.text(undo ? TextId::DiscardAndUndo : TextId::DiscardAndRedo), texts.text(TextId::CancelButton)}, Cancel);
    return answer == Discard;
}

void MainWindow::undo() {
    // Always the step the button names: unsaved edits are discarded (when the operator agrees), never saved.
    if (!m_history->canUndo() || !discardEditsFor(true))
        return;
    const StepLabel label = m_history->undoStep()->label;
    std::optional<BusyCursor> busy(std::in_place);
    const SaveResult result = m_history->undo();
    busy.reset();
    if (!result.ok) {
        m_context.prompts.message(m_context.texts.text(TextId::Warning),
                                  m_context.texts.text(TextId::UndoFailed) + u'\n' + result.reason(m_context.texts),
                                  Prompts::Icon::Stop);
        // A write that failed half-way kept and dropped a version by a link, which the file's stamp shows: the
        // page takes the file as it is again, so that the next save does not take it for another program's.
        m_context.model.refreshCurrentDocument();
        return;
    }
    showStep(label);
}

void MainWindow::redo() {
    if (!m_history->canRedo() || !discardEditsFor(false))
        return;
    const StepLabel label = m_history->redoStep()->label;
    std::optional<BusyCursor> busy(std::in_place);
    const SaveResult result = m_history->redo();
    busy.reset();
    if (!result.ok) {
        m_context.prompts.message(m_context.texts.text(TextId::Warning),
                                  m_context.texts.text(TextId::RedoFailed) + u'\n' + result.reason(m_context.texts),
                                  Prompts::Icon::Stop);
        // A write that failed half-way kept and dropped a version by a link, which the file's stamp shows: the
        // page takes the file as it is again, so that the next save does not take it for another program's.
        m_context.model.refreshCurrentDocument();
        return;
    }
    showStep(label);
}

void MainWindow::showStep(const StepLabel& label) {
    ScheduleModel& model = m_context.model;
    int index = -1;
    for (std::size_t i = 0; i < model.documents().size(); ++i)
        if (model.documents()[i].fileName.compare(label.document, Qt::CaseInsensitive) == 0)
            index = int(i);
    if (index >= 0 && index != model.currentIndex()) {
        m_tree->showDocumentItem(index);
        m_context.names.computeDisplayNames(m_context.texts);
        model.selectDocument(index);
        updateStatusBar();
        checkDamagedFile();
    } else {
        reloadDocument();
    }
    if (label.entry < 0)
        return;
    if (m_currentPage == m_timingPage)
        m_timingPage->showEntry(label.entry);
    else if (m_currentPage == m_remotePage)
        m_remotePage->showKey(label.entry);
}

bool MainWindow::restoreVersions(const std::vector<BackupVersion>& versions, const StepLabel& label) {
    if (versions.empty() || !leaveEdits())
        return false;
    m_context.backups.setLimits(BackupStore::limitsFrom(m_context.settings));
    const QString folder = dataFolderPath(m_context.model.programFolder());
    std::optional<BusyCursor> busy(std::in_place);
    RestoreOutcome outcome;
    TransferRunner(m_context.texts, this).runToEnd(m_context.texts.text(TextId::RestoringVersions), [&] {
        outcome = quorvan::restoreVersions(folder, versions, m_context.backups, label);
    });
    busy.reset();
    if (!outcome.result.ok) {
        m_context.prompts.message(m_context.texts.text(TextId::Warning),
                                  saveFailureText(m_context.texts, outcome.result), Prompts::Icon::Stop);
        return false;
    }
    m_history->push(std::move(outcome.step));
    showStep(label);
    return true;
}

void MainWindow::openRestoreDialog(int index) {
    if (index < 0 || std::size_t(index) >= m_context.model.documents().size())
        return;
    RestoreDialog dialog(m_context, *this, index, this);
    dialog.exec();
}

void MainWindow::compareDocument(int index, const CompareWith& with) {
    const std::vector<DocumentInfo>& documents = m_context.model.documents();
    if (index < 0 || std::size_t(index) >= documents.size())
        return;
    const TextTable& texts = m_context.texts;
    const DocumentInfo& document = documents[std::size_t(index)];
    const QString programFolder = m_context.model.programFolder();
    QString otherCaption;
    QString otherPath;
    switch (with.kind) {
    case CompareWith::Kind::Document:
        if (with.document < 0 || std::size_t(with.document) >= documents.size())
            return;
        otherCaption = documents[std::size_t(with.document)].caption;
        otherPath = dataFilePath(programFolder, documents[std::size_t(with.document)].fileName);
        break;
    case CompareWith::Kind::Version:
        otherCaption = texts.text(TextId::KeptVersionCaption)
                           .arg(document.caption, with.version.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        break;
    case CompareWith::Kind::Folder: {
        const QString folder = m_context.prompts.chooseFolder(texts.text(TextId::CompareChooseFolder));
        if (folder.isEmpty())
            return;
        otherCaption =
            texts.text(TextId::FileInFolder).arg(document.fileName, QDir::toNativeSeparators(QDir::cleanPath(folder)));
        otherPath = namedFilePath(folder, document.fileName);
        break;
    }
    }
    // A card may be slow and a schedule up to 41 MB: read on a worker thread, the window painting meanwhile.
    ComparedFile now, other;
    TransferRunner(texts, this).runToEnd(texts.text(TextId::ReadingFiles), [&] {
        now = readComparedFile(dataFilePath(programFolder, document.fileName), document.kind);
        if (with.kind == CompareWith::Kind::Version) {
            FileRead kept;
            kept.bytes = BackupStore::read(with.version, &kept.status);
            other = comparedFile(std::move(kept), document.kind);
        } else {
            other = readComparedFile(otherPath, document.kind);
        }
    });
    CompareDialog dialog(texts, m_context.names, document.caption, now, otherCaption, other, document.kind, this);
    dialog.exec();
}

void MainWindow::exportEntries(int index) {
    const std::vector<DocumentInfo>& documents = m_context.model.documents();
    if (index < 0 || std::size_t(index) >= documents.size())
        return;
    exportEntriesToCsv(m_context, documents[std::size_t(index)]);
}

void MainWindow::importEntries(int index) {
    ScheduleModel& model = m_context.model;
    if (index < 0 || std::size_t(index) >= model.documents().size())
        return;
    if (index != model.currentIndex())
        m_tree->selectDocumentItem(index); // the page shows what is to be replaced; unsaved edits are asked for
    else if (!leaveEdits())
        return;
    if (model.currentIndex() != index)
        return;
    ScheduleDocument& document = model.document();
    const std::optional<CsvEntries> chosen = chooseCsvEntries(m_context, document, this);
    if (!chosen || !mayWriteDocument())
        return;
    if (chosen->replace) {
        document.replaceAll(document.info(), chosen->entries);
    } else {
        for (const TimingEntry& entry : chosen->entries.entries)
            document.append(entry);
    }
    if (saveDocument({StepLabel::Kind::ImportEntries, document.info().fileName, -1, {}, chosen->entries.count()}))
        reloadDocument();
}

void MainWindow::checkDamagedFile() {
    const QString name = m_context.model.current().fileName;
    const ReadStatus& load = m_context.model.loadStatus();
    if (load.refused()) {
        // Shown empty; the first write over it asks first (mayWriteDocument).
        if (!m_damagedReported.contains(name)) {
            m_damagedReported.insert(name);
            tellWhenShown(m_context.texts.text(TextId::FileUnreadable).arg(name) + u'\n' +
                          load.reason(m_context.texts));
        }
        return;
    }
    QString backupError;
    const std::vector<FileProblem> problems =
        keepIfDamaged(dataFolderPath(m_context.model.programFolder()), name, m_context.backups, &backupError,
                      &m_soundFiles);
    if (problems.empty()) {
        m_damagedFiles.remove(name);
        return;
    }
    QSet<int> incomplete;
    for (const FileProblem& p : problems)
        if (p.entry >= 0)
            incomplete.insert(p.entry);
    m_damagedFiles.insert(name, int(incomplete.size()));
    if (m_damagedReported.contains(name))
        return;
    m_damagedReported.insert(name);
    QString text = m_context.texts.text(TextId::DamagedFile).arg(name) + u'\n' + problemLines(problems, 3);
    if (!backupError.isEmpty())
        text += u'\n' + m_context.texts.text(TextId::BackupFailed) + u'\n' + backupError;
    tellWhenShown(text); // the file is kept already
}

void MainWindow::tellWhenShown(const QString& text) {
    // At start the window is not shown yet: the warning waits for it.
    const auto tell = [this, text] {
        m_context.prompts.message(m_context.texts.text(TextId::Warning), text, Prompts::Icon::Warning);
    };
    if (isVisible())
        tell();
    else
        QTimer::singleShot(0, this, tell);
}

void MainWindow::warnBackupFailures(const QStringList& failures) {
    // Once a session: the change itself goes ahead, and the operator knows the safety net has a hole.
    if (failures.isEmpty() || m_backupFailureReported)
        return;
    m_backupFailureReported = true;
    m_context.prompts.message(m_context.texts.text(TextId::Warning),
                              m_context.texts.text(TextId::BackupFailed) + u'\n' + failures.join(u'\n'),
                              Prompts::Icon::Warning);
}

void MainWindow::showHistoryState() {
    m_toolBar->showHistory(m_history->canUndo(), m_history->undoText(), m_history->canRedo(), m_history->redoText());
}

void MainWindow::saveSettings() {
    const SettingsSnapshot values{ScheduleModel::kZoneMode, m_context.texts.language(), m_context.serial.portNumber(),
                                  m_configuredPort};
    const SettingsSaveResult result = m_context.settings.saveAll(values, m_context.names);
    // One message, however many of the two files failed (a full disk fails both).
    QStringList reasons;
    for (const SaveResult* file : {&result.config, &result.names})
        if (!file->ok)
            reasons << file->reason(m_context.texts);
    if (!reasons.isEmpty())
        m_context.prompts.message(m_context.texts.text(TextId::Warning),
                                  m_context.texts.text(TextId::ChangesNotSaved) + u'\n' + reasons.join(u'\n'),
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
    const int treeWidth = std::clamp(m_treeWidth, kMinTreeWidth, widest);
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

RemoteKeyPage& MainWindow::remotePage() {
    if (!m_remotePage) {
        m_remotePage = new RemoteKeyPage(m_context, *this, m_pages);
        m_pages->addWidget(m_remotePage);
        m_remotePage->layoutPage(); // it takes its texts in the window's language as it is built
    }
    return *m_remotePage;
}

MusicPlayerWindow& MainWindow::musicPlayer() {
    if (!m_musicPlayer) {
        MediaEngine* engine = m_context.mediaEngine;
        if (!engine) {
            m_ownEngine = std::make_unique<LoadedMediaEngine>();
            engine = m_ownEngine.get();
        }
        m_musicPlayer = new MusicPlayerWindow(m_context, *engine, this);
    }
    return *m_musicPlayer;
}

void MainWindow::showMusicPlayer() {
    musicPlayer();
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
    AboutDialog about(m_context.texts, this);
    connect(&about, &AboutDialog::manualRequested, this, &MainWindow::openManual);
    about.exec();
}

void MainWindow::openManual() {
    const TextTable& texts = m_context.texts;
    const QString language = texts.language() == 1 ? QStringLiteral("en") : QStringLiteral("zh");
    const QString manual =
        manualFile(QCoreApplication::applicationDirPath(), QStringLiteral(QUORVAN_SOURCE_DIR), language);
    if (manual.isEmpty()) {
        m_context.prompts.message(
            texts.text(TextId::Warning),
            texts.text(TextId::ManualMissing).arg(QStringLiteral("/usr/share/doc/quorvan/manual/") + language),
            Prompts::Icon::Warning);
    } else if (!m_context.prompts.openDocument(manual)) {
        m_context.prompts.message(texts.text(TextId::Warning), texts.text(TextId::ManualNotOpened).arg(manual),
                                  Prompts::Icon::Warning);
    }
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
