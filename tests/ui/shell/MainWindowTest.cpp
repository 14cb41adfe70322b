#include "PseudoTerminal.h"
#include "UiHarness.h"
#include "WidgetProbe.h"

#include "ui/common/DialogUnits.h"

#include "core/files/ScheduleFile.h"
#include "ui/player/MusicPlayerWindow.h"
#include "ui/schedule/EntryEditor.h"
#include "ui/schedule/RemoteKeyPage.h"
#include "ui/schedule/ZonePowerPanel.h"
#include "ui/sources/SourcePanel.h"
#include "ui/schedule/TimingListPage.h"
#include "ui/shell/NavigationTree.h"
#include "ui/shell/ToolBar.h"
#include "ui/widgets/IconButton.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QScrollArea>
#include <QSplitter>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace quorvan;
using namespace quorvan::test;

namespace {

void clickItem(QTreeWidget* tree, QTreeWidgetItem* item) {
    const QRect rect = tree->visualItemRect(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, rect.center());
}

void saveEntries(const UiHarness& h, const QString& file, int entries) {
    auto table = makeTable();
    for (int i = 0; i < entries; ++i)
        appendEntry(*table, exampleEntry());
    ASSERT_TRUE(saveTableFile(h.dataFile(file), *table).ok);
}

} // namespace

TEST(MainWindow, StartsInChineseWithDefaultsWhenNoSettingsExist) {
    UiHarness h;
    MainWindow& w = h.start();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("智能分区广播系统"));
    EXPECT_EQ(h.texts.language(), 2);
    EXPECT_EQ(w.statusPart(0)->text(), QStringLiteral("正在编辑:时程1"));
    EXPECT_EQ(w.statusPart(1)->text(), QStringLiteral("播放电脑音乐:停止"));
    EXPECT_EQ(w.statusPart(3)->text(), QStringLiteral("现在时间:  2026/12/09 08:00:00"));
    EXPECT_EQ(h.names.display(NameTable::Power, 0), QStringLiteral("主机电源1"));
    EXPECT_EQ(w.currentPage(), &w.timingPage());
    EXPECT_TRUE(QFileInfo(h.home.file(QStringLiteral("zone_data"))).isDir());
    EXPECT_EQ(w.toolBar().button(ToolBar::MusicPlay)->text(), QStringLiteral("播放电脑音乐"));
    EXPECT_EQ(w.tree().normalFolder()->text(0), QStringLiteral("普通时程表"));
}

TEST(MainWindow, LanguageComesFromConfigIni) {
    struct Case {
        const char* ini;
        int language;
        const char16_t* title;
    } cases[] = {{"[LanguageSelect]\nID=1\n", 1, u"Zone Broadcast System"},
                 {"[languageselect]\nid = 1\n", 1, u"Zone Broadcast System"},
                 {"[LanguageSelect]\nID=7\n", 2, u"智能分区广播系统"},
                 {"[LanguageSelect]\nID=-1\n", 2, u"智能分区广播系统"},
                 {"[LanguageSelect]\nID=0\n", 2, u"智能分区广播系统"},
                 {"[LanguageSelect]\nID=\n", 2, u"智能分区广播系统"}};
    for (const Case& c : cases) {
        UiHarness h;
        h.writeConfig(c.ini);
        MainWindow& w = h.start();
        EXPECT_EQ(h.texts.language(), c.language) << c.ini;
        EXPECT_EQ(w.windowTitle(), QString::fromUtf16(c.title)) << c.ini;
    }
}

TEST(MainWindow, TreeSelectsDocumentsAndFoldersDoNothing) {
    UiHarness h;
    h.writeConfig("[LanguageSelect]\nID=1\n");
    h.start();
    saveEntries(h, QStringLiteral("SCH03.DAT"), 3);
    MainWindow& w = *h.window;
    QTreeWidget* tree = w.tree().tree();

    clickItem(tree, w.tree().documentItem(2));
    EXPECT_EQ(w.currentPage(), &w.timingPage());
    EXPECT_EQ(w.timingPage().list()->rowCount(), 3);
    EXPECT_EQ(w.statusPart(0)->text(), QStringLiteral("Edit:Schedule3"));

    clickItem(tree, w.tree().normalFolder());
    EXPECT_EQ(w.statusPart(0)->text(), QStringLiteral("Edit:Schedule3"));
    EXPECT_EQ(h.model->currentIndex(), 2);

    // A right or middle click (or double-click) on another document changes nothing.
    const QPoint other = tree->visualItemRect(w.tree().documentItem(0)).center();
    QTreeWidgetItem* const before = tree->currentItem();
    for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mouseClick(tree->viewport(), button, {}, other);
        QTest::mouseDClick(tree->viewport(), button, {}, other);
        EXPECT_EQ(h.model->currentIndex(), 2) << button;
        EXPECT_EQ(tree->currentItem(), before) << button;
        EXPECT_FALSE(w.tree().documentItem(0)->isSelected()) << button;
        EXPECT_EQ(w.statusPart(0)->text(), QStringLiteral("Edit:Schedule3")) << button;
    }

    clickItem(tree, w.tree().documentItem(4));
    EXPECT_EQ(w.currentPage(), &w.remotePage());
    EXPECT_TRUE(w.remotePage().isVisible());
    EXPECT_FALSE(w.timingPage().isVisible());
    EXPECT_EQ(w.remotePage().list()->rowCount(), 12);
    EXPECT_EQ(w.remotePage().list()->item(11, 1)->text(), QStringLiteral("Remote12"));
    EXPECT_EQ(w.statusPart(0)->text(), QStringLiteral("Edit:Remote"));
}

// The remote-key page and the music player are built when first shown, not at start: in the language the window
// has by then, not the one it started in.
TEST(MainWindow, PagesBuiltWhenFirstShownTakeTheLanguageOfTheWindowThen) {
    UiHarness h;
    h.writeConfig("[LanguageSelect]\nID=0\n");
    MainWindow& w = h.start();
    EXPECT_EQ(w.findChild<RemoteKeyPage*>(), nullptr);
    EXPECT_EQ(w.findChild<MusicPlayerWindow*>(), nullptr);
    h.texts.loadEnglish();
    w.retranslateAll();
    clickItem(w.tree().tree(), w.tree().documentItem(4));
    ASSERT_EQ(w.currentPage(), &w.remotePage());
    EXPECT_EQ(w.remotePage().list()->horizontalHeaderItem(1)->text(), h.texts.text(TextId::ShortcutColumn));
    EXPECT_EQ(w.remotePage().list()->item(0, 1)->text(), QStringLiteral("Remote1"));
    EXPECT_EQ(w.remotePage().findChild<QGroupBox*>(QStringLiteral("keyGroup"))->title(),
              h.texts.text(TextId::SettingRemote));
    EXPECT_EQ(w.musicPlayer().windowTitle(), h.texts.text(TextId::MusicPlay));
}

TEST(MainWindow, TimerTicksTheClockAndReadsTheConfiguredPort) {
    UiHarness h;
    MainWindow& w = h.start();
    h.now = h.now.addSecs(1);
    h.writeConfig("[SettingComm]\ncom=3\ndevice=/nonexistent/tty%d\n");
    QTest::qWait(1300);
    EXPECT_EQ(w.statusPart(3)->text(), QStringLiteral("现在时间:  2026/12/09 08:00:01"));
    EXPECT_EQ(w.configuredPort(), 3);
    EXPECT_EQ(h.serial.portNumber(), 0) << "the missing device does not open, silently";
    EXPECT_TRUE(h.prompts.messages.empty());
}

TEST(MainWindow, TheTimerKeepsTheConfiguredPortOpenAndFollowsAChangedCom) {
    PseudoTerminal first;
    ASSERT_TRUE(first.ready());
    PseudoTerminal second(first, 1);
    ASSERT_TRUE(second.ready());
    UiHarness h;
    MainWindow& w = h.start();
    w.timer()->stop(); // the test ticks itself
    const QByteArray device = first.pattern().toUtf8();
    h.writeConfig("[SettingComm]\ncom=1\ndevice=" + device + "\n");
    w.tick();
    ASSERT_EQ(h.serial.portNumber(), 1);
    first.releaseSlave();
    for (int tick = 0; tick < 5; ++tick)
        w.tick();
    EXPECT_EQ(h.serial.openCount(), 1) << "held, not closed and opened every second";
    EXPECT_FALSE(first.hungUp());

    h.writeConfig("[SettingComm]\ncom=2\ndevice=" + device + "\n");
    w.tick();
    EXPECT_EQ(h.serial.portNumber(), 2);
    EXPECT_EQ(w.configuredPort(), 2);
    EXPECT_TRUE(first.hungUp()) << "the first port was let go";
}

TEST(MainWindow, TreePaneStaysWithinItsWidthLimits) {
    UiHarness h;
    MainWindow& w = h.start();
    QTest::qWait(10);
    // It starts at the template's 137 dialog units, not at its least width, and at the first size the page beside
    // it still has the editor in one row: the zone and power groups to the right of the sources.
    EXPECT_EQ(w.tree().width(), std::max(MainWindow::kMinTreeWidth, dluX(137)));
    w.resize(MainWindow::firstSizeFor(QSize(1920, 1050)));
    QTest::qWait(10);
    const EntryEditor& editor = w.timingPage().editor();
    EXPECT_GT(editor.targets().mapTo(&w, QPoint(0, 0)).x(),
              editor.sourcePanel().mapTo(&w, QPoint(editor.sourcePanel().width(), 0)).x());
    w.resize(240, 500);
    QTest::qWait(10);
    EXPECT_GE(w.tree().width(), MainWindow::kMinTreeWidth);
    w.resize(1000, 600);
    QTest::qWait(10);
    EXPECT_LE(w.tree().width(), 1000 - 100);
    auto* splitter = w.findChild<QSplitter*>();
    splitter->setSizes({950, 50});
    w.layoutPanes();
    EXPECT_LE(w.tree().width(), 900);
}

TEST(MainWindow, ImportCopiesTheFilesReloadsThePageAndReports) {
    const AcceptTransferPreviews acceptPreviews;
    UiHarness h;
    h.writeConfig("[LanguageSelect]\nID=1\n");
    MainWindow& w = h.start();
    w.selectDocument(1);
    ASSERT_EQ(w.timingPage().list()->rowCount(), 1) << "an empty schedule shows its pending row";

    TempHome card;
    auto table = makeTable();
    appendEntry(*table, exampleEntry());
    appendEntry(*table, exampleEntry());
    ASSERT_TRUE(saveTableFile(card.file(QStringLiteral("sch02.dat")), *table).ok);
    h.prompts.folders.push_back(card.path());
    QTest::mouseClick(w.toolBar().button(ToolBar::Import), Qt::LeftButton);
    ASSERT_EQ(h.prompts.messages.size(), 1u);
    EXPECT_EQ(h.prompts.messages[0].text, QStringLiteral("Import success !"));
    EXPECT_EQ(h.prompts.folderTitles.value(0), QStringLiteral("Plese Select import folder !"));
    EXPECT_EQ(w.timingPage().list()->rowCount(), 2) << "the page shows the imported file";
    EXPECT_TRUE(QFileInfo::exists(h.dataFile(QStringLiteral("SCH02.DAT"))));

    TempHome empty;
    h.prompts.folders.push_back(empty.path());
    w.toolBar().importFromCard();
    ASSERT_EQ(h.prompts.messages.size(), 2u);
    EXPECT_EQ(h.prompts.messages[1].text, QStringLiteral("Import False , the folder not have correct data !"));
    EXPECT_EQ(h.prompts.messages[1].icon, Prompts::Icon::Stop);
    EXPECT_EQ(w.timingPage().list()->rowCount(), 2);
}

TEST(MainWindow, ExportReportsFailureWhenTheCardCannotBeWritten) {
    UiHarness h;
    h.writeConfig("[LanguageSelect]\nID=1\n");
    MainWindow& w = h.start();
    TempHome card;
    writeFile(card.file(QStringLiteral("not-a-folder")), "x");
    h.prompts.folders.push_back(card.file(QStringLiteral("not-a-folder")));
    w.toolBar().exportToCard();
    ASSERT_EQ(h.prompts.messages.size(), 1u);
    EXPECT_TRUE(h.prompts.messages[0].text.startsWith(QStringLiteral("Export False !")));
    EXPECT_EQ(h.prompts.messages[0].caption, QStringLiteral("Warning"));

    h.prompts.folders.push_back(card.path());
    w.toolBar().exportToCard();
    EXPECT_EQ(h.prompts.messages.back().text, QStringLiteral("Export success !"));
    EXPECT_EQ(QDir(card.path()).entryList({QStringLiteral("*.DAT")}, QDir::Files).size(), 11);
}

TEST(MainWindow, FailedSaveOfTheDocumentWarnsWithTheFileAndReason) {
    UiHarness h;
    h.writeConfig("[LanguageSelect]\nID=1\n");
    MainWindow& w = h.start();
    h.model->document().append(exampleEntry());
    // Replace the data folder by a regular file: the save cannot create its file.
    QDir(h.home.file(QStringLiteral("zone_data"))).removeRecursively();
    writeFile(h.home.file(QStringLiteral("zone_data")), "x");
    EXPECT_FALSE(w.saveDocument({StepLabel::Kind::ChangeEntry, QStringLiteral("SCH01.DAT"), 0, {}}));
    ASSERT_GE(h.prompts.messages.size(), 1u);
    EXPECT_EQ(h.prompts.messages[0].caption, QStringLiteral("Warning"));
    EXPECT_EQ(h.prompts.messages[0].icon, Prompts::Icon::Stop);
    EXPECT_TRUE(h.prompts.messages[0].text.contains(QStringLiteral("SCH01.DAT")));
    EXPECT_EQ(h.model->document().table().count(), 0) << "the table shows what the file holds again";
}

TEST(MainWindow, MusicPlayerIsShownFromItsButtonAndDrivesTheStatusBar) {
    UiHarness h;
    h.writeConfig("[LanguageSelect]\nID=1\n");
    MainWindow& w = h.start();
    EXPECT_FALSE(w.musicPlayer().isVisible()) << "created hidden";
    QTest::mouseClick(w.toolBar().button(ToolBar::MusicPlay), Qt::LeftButton);
    EXPECT_TRUE(w.musicPlayer().isVisible());
    EXPECT_EQ(w.musicPlayer().windowTitle(), QStringLiteral("Music Play"));

    TempHome music;
    writeFile(music.file(QStringLiteral("bell.wav")), "RIFF");
    h.prompts.files.push_back({music.file(QStringLiteral("bell.wav"))});
    w.musicPlayer().addSongs();
    ASSERT_EQ(h.engine.sources.size(), 1);
    h.engine.state = PlayState::Playing;
    w.tick();
    EXPECT_EQ(w.statusPart(1)->text(), QStringLiteral("MusicPlay:Play"));
    w.musicPlayer().close();
    h.engine.state = PlayState::Paused;
    w.musicPlayer().tick();
    w.updateStatusBar();
    EXPECT_EQ(w.statusPart(1)->text(), QStringLiteral("MusicPlay:Stop"));
}

TEST(MainWindow, AboutBoxShowsTheVersion) {
    UiHarness h;
    MainWindow& w = h.start();
    w.activateWindow();
    QString title, version;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        if (auto* label = box->findChild<QLabel*>(QStringLiteral("version")))
            version = label->text();
        box->close();
    });
    w.showAbout();
    EXPECT_EQ(title, QStringLiteral("关于 Quorvan"));
    EXPECT_EQ(version, QStringLiteral("Quorvan，1.0 版"));
}

TEST(MainWindow, FirstSizeFitsTheScreenAndEveryEditorControlCanBeReachedAt1000x700) {
    EXPECT_EQ(MainWindow::firstSizeFor(QSize(1920, 1050)), QSize(1240, 760));
    const QSize small = MainWindow::firstSizeFor(QSize(1024, 740)); // 1024x768 less a panel
    EXPECT_LE(small.width() + 16, 1024);
    EXPECT_LE(small.height() + 48, 740);
    EXPECT_GE(small.width(), 1000);

    for (const char* ini : {"[LanguageSelect]\nID=1\n", "[LanguageSelect]\nID=2\n"}) {
        SCOPED_TRACE(ini);
        UiHarness h;
        h.writeConfig(ini);
        MainWindow& w = h.start();
        w.resize(1000, 700);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        for (QWidget* page : {static_cast<QWidget*>(&w.timingPage()), static_cast<QWidget*>(&w.remotePage())}) {
            w.selectDocument(page == &w.timingPage() ? 0 : 4);
            QTest::qWait(0);
            auto* dock = page->findChild<QScrollArea*>(QStringLiteral("editorDock"));
            ASSERT_NE(dock, nullptr);
            EXPECT_TRUE(dock->isVisible());
            EXPECT_LE(dock->mapTo(&w, QPoint(dock->width(), dock->height())).y(), w.height());
            const QList<QWidget*> controls = dock->widget()->findChildren<QWidget*>();
            int checked = 0;
            for (QWidget* control : controls) {
                if (!control->isVisible() || control->focusPolicy() == Qt::NoFocus)
                    continue;
                // Scrolled into view, the control lies wholly inside the dock's viewport and the window.
                dock->ensureWidgetVisible(control, 0, 0);
                const QRect inViewport(control->mapTo(dock->viewport(), QPoint(0, 0)), control->size());
                EXPECT_TRUE(dock->viewport()->rect().contains(inViewport))
                    << control->objectName().toStdString() << " at " << inViewport.x() << "," << inViewport.y();
                const QRect inWindow(control->mapTo(&w, QPoint(0, 0)), control->size());
                EXPECT_TRUE(w.rect().contains(inWindow)) << control->objectName().toStdString();
                ++checked;
            }
            EXPECT_GT(checked, 10);
        }
    }
}

namespace {

// Rows of the timing list that show whole in its viewport.
int wholeRowsShown(const QTableWidget* list) {
    return list->rowCount() > 0 ? list->viewport()->height() / list->rowHeight(0) : 0;
}

} // namespace

TEST(MainWindow, AtTheSmallestScreenTheBorderUnderTheListMovesAndIsRememberedPerPage) {
    UiHarness h;
    h.writeConfig("[LanguageSelect]\nID=1\n");
    h.writeSchedule(QStringLiteral("SCH01.DAT"), 12);
    const QSize small = MainWindow::firstSizeFor(QSize(1024, 740));
    int dragged = 0;
    {
        MainWindow& w = h.start();
        w.resize(small);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        TimingListPage& page = w.timingPage();
        page.layoutPage();
        auto* split = page.findChild<QSplitter*>(QStringLiteral("editorSplit"));
        auto* dock = page.findChild<QScrollArea*>(QStringLiteral("editorDock"));
        ASSERT_TRUE(split && dock);
        // The zone and power groups share a low row under the narrow editor: the whole editor shows and the list
        // still has room for more than a handful of rows.
        EXPECT_LE(page.editor().height(), dock->viewport()->height());
        EXPECT_GE(wholeRowsShown(page.list()), 5) << "list " << page.list()->height() << ", editor " << dock->height();
        const int whole = dock->height();

        // Dragging the border down gives the list what the editor gives up; the editor then scrolls.
        QWidget* handle = split->handle(1);
        const QPoint grip = handle->rect().center();
        QTest::mousePress(handle, Qt::LeftButton, {}, grip);
        QTest::mouseMove(handle, grip + QPoint(0, 120));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, grip + QPoint(0, 120));
        dragged = dock->height();
        EXPECT_NEAR(dragged, whole - 120, 2);
        EXPECT_GE(wholeRowsShown(page.list()), 11);
        // Dragged up, the editor grows no higher than it is.
        QTest::mousePress(handle, Qt::LeftButton, {}, grip);
        QTest::mouseMove(handle, grip - QPoint(0, 300));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, grip - QPoint(0, 300));
        EXPECT_EQ(dock->height(), whole);
        QTest::mousePress(handle, Qt::LeftButton, {}, grip);
        QTest::mouseMove(handle, grip + QPoint(0, 120));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, grip + QPoint(0, 120));
        ASSERT_EQ(dock->height(), dragged);
        // A bigger window keeps the editor at the height chosen.
        w.resize(small + QSize(0, 60));
        QTest::qWait(0);
        EXPECT_EQ(dock->height(), dragged);
    } // the window closes right after the drag: the choice is written all the same
    h.window.reset();
    EXPECT_TRUE(readFile(h.home.file(QStringLiteral("Config.ini")))
                    .contains(QByteArray("timingEditorHeight=") + QByteArray::number(dragged)));

    MainWindow& again = h.start();
    again.resize(small);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
    again.timingPage().layoutPage();
    EXPECT_EQ(again.timingPage().findChild<QScrollArea*>(QStringLiteral("editorDock"))->height(), dragged);
    // The remote keys' page has a border of its own, still at the whole editor.
    again.selectDocument(4);
    QTest::qWait(0);
    auto* keyDock = again.remotePage().findChild<QScrollArea*>(QStringLiteral("editorDock"));
    EXPECT_EQ(keyDock->height(),
              std::min(keyDock->maximumHeight(), again.remotePage().height() - RemoteKeyPage::kBand));
}

// The tool bar's menu and the about box open the manual of the current language (here the source tree's, as the
// program runs from its build).
TEST(MainWindow, TheManualOpensInTheCurrentLanguage) {
    for (const char* ini : {"[LanguageSelect]\nID=1\n", "[LanguageSelect]\nID=0\n"}) {
        UiHarness h;
        h.writeConfig(ini);
        MainWindow& w = h.start();
        w.openManual();
        const QString language = h.texts.language() == 1 ? QStringLiteral("en") : QStringLiteral("zh");
        EXPECT_EQ(h.prompts.openedDocuments,
                  QStringList{QDir::cleanPath(QStringLiteral(QUORVAN_SOURCE_DIR "/docs/manual/") + language +
                                              QStringLiteral("/index.html"))});
        EXPECT_TRUE(h.prompts.messages.empty());
    }
}
