#include "UiHarness.h"
#include "WidgetProbe.h"

#include "core/files/ScheduleFile.h"
#include "core/texts/TextTable.h"
#include "ui/common/ListSupport.h"
#include "ui/compare/CompareDialog.h"
#include "ui/compare/ComparisonView.h"
#include "ui/compare/TransferPreviewDialog.h"
#include "ui/history/UndoHistory.h"
#include "ui/shell/NavigationTree.h"
#include "ui/shell/ToolBar.h"
#include "ui/widgets/IconButton.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace quorvan;
using namespace quorvan::test;

namespace {

// A schedule file of entries starting at the hours given; the entry at changedHour ends later.
QByteArray scheduleAt(std::initializer_list<int> hours, int changedHour = -1) {
    auto table = makeTable();
    for (const int hour : hours) {
        TimingEntry e = exampleEntry();
        e.startHour = std::uint8_t(hour);
        e.endHour = std::uint8_t(hour);
        if (hour == changedHour)
            e.endMinute = 50;
        appendEntry(*table, e);
    }
    return serializeTable(*table);
}

QStringList previewLines(const TransferPreviewDialog* dialog) {
    QStringList lines;
    for (int r = 0; r < dialog->fileList()->rowCount(); ++r)
        lines << cellText(dialog->fileList(), r, 0) + QStringLiteral(": ") + cellText(dialog->fileList(), r, 1);
    return lines;
}

struct CardWithChanges {
    UiHarness h;
    TempHome card;
    CardWithChanges() {
        h.writeConfig("[LanguageSelect]\nID=1\n");
        QDir().mkpath(h.home.file(QStringLiteral("zone_data")));
        writeFile(h.dataFile(QStringLiteral("SCH01.DAT")), scheduleAt({8, 9, 10}));
        writeFile(h.dataFile(QStringLiteral("SCH02.DAT")), scheduleAt({8, 9}));
        writeFile(card.file(QStringLiteral("SCH01.DAT")), scheduleAt({8, 9, 10}, 9)); // one entry changed
        writeFile(card.file(QStringLiteral("SCH02.DAT")), scheduleAt({14}));
        h.start();
    }
};

} // namespace

// The import says what it would change before anything is written; Cancel leaves every file, the backups and
// the history as they were.
TEST(ImportPreview, ShowsEachFilesChangeAndCancelWritesNothing) {
    CardWithChanges c;
    MainWindow& w = *c.h.window;
    const QString data = c.h.home.file(QStringLiteral("zone_data"));
    const QStringList filesBefore = QDir(data).entryList(QDir::Files);
    const QByteArray first = readFile(c.h.dataFile(QStringLiteral("SCH01.DAT")));

    QStringList shown;
    QString title;
    const Watcher cancel([&] {
        if (auto* dialog = activeDialog<TransferPreviewDialog>(); dialog && shown.isEmpty()) {
            shown = previewLines(dialog);
            title = dialog->windowTitle();
            QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
        }
    });
    c.h.prompts.folders.push_back(c.card.path());
    QTest::mouseClick(w.toolBar().button(ToolBar::Import), Qt::LeftButton);

    EXPECT_EQ(title, QStringLiteral("Import from %1").arg(QDir::cleanPath(c.card.path())));
    EXPECT_EQ(shown.mid(0, 6).join(u'\n').toStdString(),
              QStringList({QStringLiteral("Schedule1 (SCH01.DAT): 1 changed"),
                           QStringLiteral("Schedule2 (SCH02.DAT): 1 changed, 1 removed"),
                           QStringLiteral("Schedule3 (SCH03.DAT): created empty"),
                           QStringLiteral("Schedule4 (SCH04.DAT): created empty"),
                           QStringLiteral("Remote (REMOTE.DAT): created empty"),
                           QStringLiteral("SDATE01.DAT: created empty")})
                  .join(u'\n')
                  .toStdString());
    EXPECT_EQ(shown.size(), 11);
    EXPECT_TRUE(c.h.prompts.messages.empty()) << "nothing to report: nothing was done";
    EXPECT_EQ(QDir(data).entryList(QDir::Files), filesBefore);
    EXPECT_EQ(readFile(c.h.dataFile(QStringLiteral("SCH01.DAT"))), first);
    EXPECT_TRUE(c.h.backups.files().isEmpty()) << "no version kept of a file not replaced";
    EXPECT_FALSE(w.history().canUndo());
}

// A file left out stays byte for byte and is reported as not transferred; the others arrive; a line opens the
// comparison of the data folder's file with the card's.
TEST(ImportPreview, AFileLeftOutIsKeptAndALineOpensItsComparison) {
    CardWithChanges c;
    MainWindow& w = *c.h.window;
    const QByteArray second = readFile(c.h.dataFile(QStringLiteral("SCH02.DAT")));

    enum { Preview, Compared, Done } stage = Preview;
    QString totals, beforeHeading, changedCell;
    bool changedBold = false;
    const Watcher steps([&] {
        if (auto* compare = activeDialog<CompareDialog>(); compare && stage == Preview) {
            const ComparisonView* view = compare->view();
            totals = view->totals()->text();
            beforeHeading = view->beforeList()->accessibleName();
            changedCell = cellText(view->afterList(), 1, 4); // the end time of the changed entry
            changedBold = view->afterList()->item(1, 4)->font().bold();
            stage = Compared;
            QTest::mouseClick(compare->closeButton(), Qt::LeftButton);
        } else if (auto* dialog = activeDialog<TransferPreviewDialog>(); dialog && stage == Preview) {
            dialog->fileList()->item(1, 0)->setCheckState(Qt::Unchecked); // leave Schedule2 out
            dialog->fileList()->selectRow(0);
            ASSERT_TRUE(dialog->differencesButton()->isEnabled());
            // From a timer of its own: the comparison's own loop must leave this watcher free to run.
            QTimer::singleShot(0, dialog->differencesButton(),
                               [button = dialog->differencesButton()] { QTest::mouseClick(button, Qt::LeftButton); });
        } else if (dialog && stage == Compared) {
            stage = Done;
            EXPECT_EQ(dialog->chosenNames().size(), 10);
            QTest::mouseClick(dialog->transferButton(), Qt::LeftButton);
        }
    });
    c.h.prompts.folders.push_back(c.card.path());
    w.toolBar().importFromCard();

    EXPECT_EQ(stage, Done);
    EXPECT_EQ(totals, QStringLiteral("1 changed"));
    EXPECT_EQ(
        beforeHeading,
        QStringLiteral("SCH01.DAT in %1").arg(QDir::toNativeSeparators(c.h.home.file(QStringLiteral("zone_data")))));
    EXPECT_EQ(changedCell, QStringLiteral("09:50:00"));
    EXPECT_TRUE(changedBold);
    EXPECT_EQ(readFile(c.h.dataFile(QStringLiteral("SCH01.DAT"))), readFile(c.card.file(QStringLiteral("SCH01.DAT"))));
    EXPECT_EQ(readFile(c.h.dataFile(QStringLiteral("SCH02.DAT"))), second) << "left out: byte for byte";
    ASSERT_EQ(c.h.prompts.messages.size(), 1u);
    EXPECT_EQ(c.h.prompts.messages[0].text, QStringLiteral("Import success !\nNot transferred: SCH02.DAT"));
    EXPECT_TRUE(w.history().canUndo());
}

// An export asks only when the card holds another version of a file; to an empty card, or one that holds the
// same files, it copies at once.
TEST(ExportPreview, AppearsOnlyWhenTheCardHoldsOtherVersions) {
    CardWithChanges c;
    MainWindow& w = *c.h.window;
    TempHome empty;
    const AcceptTransferPreviews accept;
    c.h.prompts.folders.push_back(empty.path());
    w.toolBar().exportToCard();
    EXPECT_EQ(accept.seen, 0);
    c.h.prompts.folders.push_back(empty.path());
    w.toolBar().exportToCard();
    EXPECT_EQ(accept.seen, 0) << "the card now holds the same files";
    c.h.prompts.folders.push_back(c.card.path());
    w.toolBar().exportToCard();
    EXPECT_EQ(accept.seen, 1);
    EXPECT_EQ(readFile(c.card.file(QStringLiteral("SCH02.DAT"))), readFile(c.h.dataFile(QStringLiteral("SCH02.DAT"))));
    EXPECT_EQ(c.h.prompts.messages.size(), 3u);
}

// The tree's Compare with: another schedule, in Chinese; a folder without the file shows it as empty.
TEST(CompareDialog, ComparesADocumentWithAnotherAndWithAFolderFromTheTreesMenu) {
    UiHarness h;
    h.writeConfig("[LanguageSelect]\nID=0\n");
    h.writeSchedule(QStringLiteral("SCH01.DAT"), 3);
    h.writeSchedule(QStringLiteral("SCH02.DAT"), 2);
    MainWindow& w = h.start();
    QMenu menu;
    w.tree().fillDocumentMenu(menu, 0);
    auto* compare = menu.findChild<QMenu*>(QStringLiteral("compareMenu"));
    ASSERT_NE(compare, nullptr);
    QStringList choices;
    for (const QAction* a : compare->actions())
        choices << a->text();
    const TextTable& texts = h.texts;
    EXPECT_EQ(choices, (QStringList{texts.text(TextId::Schedule1 + 1), texts.text(TextId::Schedule1 + 2),
                                    texts.text(TextId::Schedule1 + 3), QString(),
                                    texts.text(TextId::CompareKeptVersion), texts.text(TextId::CompareFolderFile)}));

    QString title, totals, afterHeading;
    int rows = -1;
    const Watcher look([&] {
        if (auto* dialog = activeDialog<CompareDialog>()) {
            title = dialog->windowTitle();
            totals = dialog->view()->totals()->text();
            afterHeading = dialog->findChild<QLabel*>(QStringLiteral("afterHeading"))->text();
            rows = dialog->view()->beforeList()->rowCount();
            dialog->reject();
        }
    });
    compare->actions()[0]->trigger();
    EXPECT_EQ(title,
              texts.text(TextId::CompareTitle).arg(texts.text(TextId::Schedule1), texts.text(TextId::Schedule1 + 1)));
    EXPECT_EQ(totals, QStringLiteral("1 条删除")) << "the same first two entries";
    EXPECT_EQ(rows, 3);

    TempHome folder;
    h.prompts.folders.push_back(folder.path());
    compare->actions().last()->trigger();
    EXPECT_EQ(h.prompts.folderTitles.value(0), texts.text(TextId::CompareChooseFolder));
    EXPECT_EQ(totals, QStringLiteral("3 条删除"));
    EXPECT_TRUE(afterHeading.contains(QStringLiteral("没有此文件"))) << afterHeading.toStdString();
}
