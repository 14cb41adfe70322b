#include "UiHarness.h"

#include "core/files/ScheduleFile.h"
#include "ui/common/ListSupport.h"
#include "ui/compare/ComparisonView.h"
#include "ui/history/RestoreDialog.h"
#include "ui/history/UndoHistory.h"
#include "ui/schedule/TimingListPage.h"
#include "ui/shell/NavigationTree.h"
#include "ui/shell/ToolBar.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace quorvan;
using namespace quorvan::test;

namespace {

QByteArray scheduleOf(int entries, int firstHour) {
    auto table = makeTable();
    for (int i = 0; i < entries; ++i) {
        TimingEntry e = exampleEntry();
        e.startHour = std::uint8_t(firstHour + i);
        appendEntry(*table, e);
    }
    return serializeTable(*table);
}

// Three kept versions of Schedule1 (1, 2 and 3 entries, the newest marked as before an import, with Schedule2 in
// the same import) and the current file with 4 entries.
struct KeptVersions {
    UiHarness h;
    QDateTime when = QDateTime(QDate(2026, 12, 9), QTime(8, 0, 0));
    QString stem;
    explicit KeptVersions(const char* ini = "[LanguageSelect]\nID=1\n") {
        h.writeConfig(ini);
        h.backups.setClock([this] { return when; });
        EXPECT_TRUE(h.backups.keep(QStringLiteral("SCH01.DAT"), scheduleOf(1, 6)).ok);
        when = when.addSecs(3600);
        EXPECT_TRUE(h.backups.keep(QStringLiteral("SCH01.DAT"), scheduleOf(2, 7)).ok);
        when = when.addSecs(3600);
        stem = h.backups.newGroupStem();
        EXPECT_TRUE(
            h.backups.keep(QStringLiteral("SCH01.DAT"), scheduleOf(3, 8), BackupVersion::Mark::Import, stem).ok);
        EXPECT_TRUE(
            h.backups.keep(QStringLiteral("SCH02.DAT"), scheduleOf(5, 9), BackupVersion::Mark::Import, stem).ok);
        QDir().mkpath(h.home.file(QStringLiteral("zone_data")));
        writeFile(h.dataFile(QStringLiteral("SCH01.DAT")), scheduleOf(4, 10));
        writeFile(h.dataFile(QStringLiteral("SCH02.DAT")), scheduleOf(1, 20));
        h.start();
    }
};

} // namespace

TEST(RestoreDialog, ListsTheVersionsNewestFirstPreviewsOneAndRestoresItAsAnUndoableStep) {
    KeptVersions k;
    MainWindow& w = *k.h.window;
    RestoreDialog dialog(*k.h.context, w, 0, &w);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Restore Schedule1"));
    QTableWidget* list = dialog.versionList();
    ASSERT_EQ(list->rowCount(), 3);
    EXPECT_EQ(list->item(0, 0)->text(), QStringLiteral("2026-12-09 10:00:00"));
    EXPECT_EQ(list->item(0, 1)->text(), QStringLiteral("3"));
    EXPECT_EQ(list->item(0, 2)->text(), QStringLiteral("08:00:00, 09:00:00, 10:00:00"));
    EXPECT_EQ(list->item(0, 4)->text(), QStringLiteral("before an import"));
    EXPECT_EQ(list->item(2, 0)->text(), QStringLiteral("2026-12-09 08:00:00"));
    EXPECT_EQ(list->item(2, 1)->text(), QStringLiteral("1"));
    EXPECT_EQ(list->item(2, 4)->text(), QString());
    EXPECT_FALSE(dialog.emptyNote()->isVisibleTo(&dialog));

    // The newest is chosen at first and compared below with the file now (10-13 h against 8-10 h: the 10 h entry
    // is in both); the import's checkbox shows for it only.
    const ComparisonView* view = dialog.comparison();
    EXPECT_EQ(view->totals()->text(), QStringLiteral("2 added, 3 removed"));
    EXPECT_EQ(view->beforeList()->rowCount(), 6);
    EXPECT_EQ(cellText(view->afterList(), 2, 3), QStringLiteral("10:00:00"));
    EXPECT_EQ(cellText(view->beforeList(), 2, 3), QStringLiteral("10:00:00"));
    EXPECT_TRUE(dialog.wholeImport()->isVisibleTo(&dialog));
    list->selectRow(1);
    EXPECT_EQ(view->totals()->text(), QStringLiteral("2 changed, 2 removed"));
    EXPECT_EQ(cellText(view->beforeList(), 1, 0), QStringLiteral("~"));
    EXPECT_EQ(cellText(view->beforeList(), 1, 3), QStringLiteral("11:00:00"));
    EXPECT_EQ(cellText(view->afterList(), 1, 3), QStringLiteral("08:00:00"));
    EXPECT_TRUE(view->afterList()->item(1, 3)->font().bold()) << "the changed start time";
    EXPECT_FALSE(view->afterList()->item(1, 2)->font().bold()) << "the same weekdays";
    EXPECT_EQ(cellText(view->beforeList(), 3, 0), QStringLiteral("−"));
    EXPECT_EQ(cellText(view->afterList(), 3, 3), QString()) << "no entry on the version's side";
    EXPECT_FALSE(dialog.wholeImport()->isVisibleTo(&dialog));

    // Restore: the file is the version again, the page shows it, and the step can be undone.
    const QByteArray current = readFile(k.h.dataFile(QStringLiteral("SCH01.DAT")));
    QTest::mouseClick(dialog.restoreButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(readFile(k.h.dataFile(QStringLiteral("SCH01.DAT"))), scheduleOf(2, 7));
    EXPECT_EQ(w.timingPage().list()->rowCount(), 2);
    EXPECT_EQ(w.history().undoText(), QStringLiteral("restore Schedule1 as kept at 2026-12-09 09:00:00"));
    // The file it replaced was kept first.
    EXPECT_EQ(BackupStore::read(k.h.backups.versions(QStringLiteral("SCH01.DAT")).back()), current);
    w.undo();
    EXPECT_EQ(readFile(k.h.dataFile(QStringLiteral("SCH01.DAT"))), current);
    EXPECT_EQ(w.timingPage().list()->rowCount(), 4);
}

TEST(RestoreDialog, AnImportsVersionCanBringBackEveryFileTheImportReplaced) {
    KeptVersions k("[LanguageSelect]\nID=2\n");
    MainWindow& w = *k.h.window;
    RestoreDialog dialog(*k.h.context, w, 0, &w);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("恢复时程1"));
    EXPECT_EQ(dialog.versionList()->item(0, 4)->text(), QStringLiteral("导入前"));
    ASSERT_TRUE(dialog.wholeImport()->isVisibleTo(&dialog));
    dialog.wholeImport()->setChecked(true);
    dialog.restoreChosen();
    EXPECT_EQ(readFile(k.h.dataFile(QStringLiteral("SCH01.DAT"))), scheduleOf(3, 8));
    EXPECT_EQ(readFile(k.h.dataFile(QStringLiteral("SCH02.DAT"))), scheduleOf(5, 9));
    // One step for both.
    w.undo();
    EXPECT_EQ(readFile(k.h.dataFile(QStringLiteral("SCH01.DAT"))), scheduleOf(4, 10));
    EXPECT_EQ(readFile(k.h.dataFile(QStringLiteral("SCH02.DAT"))), scheduleOf(1, 20));
}

TEST(RestoreDialog, IdenticalVersionsShowOnceAndTheOneEqualToTheFileIsMarked) {
    KeptVersions k;
    // Two more imports of the same card keep the same bytes again; then a version equal to the file now.
    for (int i = 0; i < 2; ++i) {
        k.when = k.when.addSecs(60);
        ASSERT_TRUE(k.h.backups
                        .keep(QStringLiteral("SCH01.DAT"), scheduleOf(3, 8), BackupVersion::Mark::Import,
                              k.h.backups.newGroupStem())
                        .ok);
    }
    k.when = k.when.addSecs(60);
    ASSERT_TRUE(k.h.backups.keep(QStringLiteral("SCH01.DAT"), scheduleOf(4, 10)).ok);
    ASSERT_EQ(k.h.backups.versions(QStringLiteral("SCH01.DAT")).size(), 6u);
    RestoreDialog dialog(*k.h.context, *k.h.window, 0, k.h.window.get());
    ASSERT_EQ(dialog.versionList()->rowCount(), 4) << "the three identical imports show once";
    EXPECT_EQ(dialog.versionList()->item(0, 4)->text(), QStringLiteral("the file now"));
    EXPECT_EQ(dialog.versionList()->item(1, 4)->text(), QStringLiteral("before an import"));
    EXPECT_EQ(dialog.versionList()->item(1, 0)->text(), QStringLiteral("2026-12-09 10:02:00")) << "by its newest";
    EXPECT_EQ(dialog.versionList()->item(2, 4)->text(), QString());
}

TEST(RestoreDialog, OpensFromTheTreesMenuAndSaysWhenNothingIsKept) {
    UiHarness h;
    h.writeConfig("[LanguageSelect]\nID=1\n");
    MainWindow& w = h.start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QTreeWidget* tree = w.tree().tree();
    const QPoint at = tree->visualItemRect(w.tree().documentItem(3)).center();

    bool sawDialog = false;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(menu->actions().size(), 5);
        EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("Restore..."));
        EXPECT_EQ(menu->actions()[1]->text(), QStringLiteral("Compare with"));
        EXPECT_EQ(menu->actions()[4]->text(), QStringLiteral("Import entries..."));
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<RestoreDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            sawDialog = true;
            EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Restore Schedule4"));
            EXPECT_TRUE(dialog->emptyNote()->isVisibleTo(dialog));
            EXPECT_FALSE(dialog->restoreButton()->isEnabled());
            dialog->reject();
        });
        menu->actions()[0]->trigger();
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, tree->viewport()->mapToGlobal(at));
    QApplication::sendEvent(tree->viewport(), &event);
    EXPECT_TRUE(sawDialog);
    EXPECT_EQ(h.model->currentIndex(), 0) << "the menu leaves the selection alone";
}
