// Undo and redo through the windows: the buttons, the keys, and what the page shows afterwards.
#include "CardFolders.h"
#include "UiHarness.h"
#include "WidgetProbe.h"

#include "core/files/ScheduleFile.h"
#include "ui/dialogs/CopyDialog.h"
#include "ui/history/UndoHistory.h"
#include "ui/schedule/EntryEditor.h"
#include "ui/schedule/TimingListPage.h"
#include "ui/shell/NavigationTree.h"
#include "ui/shell/ToolBar.h"
#include "ui/widgets/IconButton.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace quorvan;
using namespace quorvan::test;

namespace {

// Schedule1 with entries starting at 08:00, 09:00, 10:00 and 11:00, shown in English.
struct FourEntries {
    UiHarness h;
    MainWindow* w = nullptr;
    explicit FourEntries(const char* ini = "[LanguageSelect]\nID=1\n") {
        h.writeConfig(ini);
        h.writeSchedule(QStringLiteral("SCH01.DAT"), 4);
        w = &h.start();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w));
    }
    TimingListPage& page() const { return w->timingPage(); }
    QTableWidget* list() const { return page().list(); }
    IconButton* undoButton() const { return w->toolBar().button(ToolBar::Undo); }
    IconButton* redoButton() const { return w->toolBar().button(ToolBar::Redo); }
    void clickRow(int row) const {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                          list()->visualItemRect(list()->item(row, 1)).center());
    }
    QByteArray file(const QString& name) const { return readFile(h.dataFile(name)); }
};

} // namespace

TEST(Undo, DeleteThenCtrlZBringsTheRowAndTheFileBackAndRedoKeysTakeItAgain) {
    FourEntries f;
    const QByteArray original = f.file(QStringLiteral("SCH01.DAT"));
    EXPECT_FALSE(f.undoButton()->isEnabled());
    EXPECT_FALSE(f.redoButton()->isEnabled());
    EXPECT_EQ(f.undoButton()->toolTip(), QStringLiteral("Nothing to undo"));

    f.clickRow(2);
    QTest::mouseClick(f.page().editor().button(EntryEditor::DeleteButton), Qt::LeftButton);
    ASSERT_EQ(f.list()->rowCount(), 3);
    const QByteArray deleted = f.file(QStringLiteral("SCH01.DAT"));
    EXPECT_TRUE(f.undoButton()->isEnabled());
    EXPECT_EQ(f.undoButton()->toolTip(), QStringLiteral("Undo: delete entry 3 of Schedule1"));

    // Ctrl+Z with the list focused: the file is back byte for byte and the restored entry is selected.
    f.list()->setFocus();
    QTest::keyClick(f.list(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f.file(QStringLiteral("SCH01.DAT")), original);
    ASSERT_EQ(f.list()->rowCount(), 4);
    EXPECT_EQ(f.list()->selectionModel()->selectedRows().value(0).row(), 2);
    EXPECT_EQ(f.page().editor().startTime()->time(), QTime(10, 0, 0));
    EXPECT_FALSE(f.undoButton()->isEnabled());
    EXPECT_EQ(f.redoButton()->toolTip(), QStringLiteral("Redo: delete entry 3 of Schedule1"));

    // Ctrl+Shift+Z and Ctrl+Y make it again; the undo button undoes.
    QTest::keyClick(f.list(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(f.file(QStringLiteral("SCH01.DAT")), deleted);
    EXPECT_EQ(f.list()->rowCount(), 3);
    QTest::mouseClick(f.undoButton(), Qt::LeftButton);
    EXPECT_EQ(f.file(QStringLiteral("SCH01.DAT")), original);
    QTest::keyClick(f.list(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(f.file(QStringLiteral("SCH01.DAT")), deleted);

    // Every version the steps replaced was kept in the backups.
    EXPECT_GE(f.h.backups.versions(QStringLiteral("SCH01.DAT")).size(), 2u);
    EXPECT_TRUE(f.h.prompts.messages.empty());
}

// With unsaved edits, Undo undoes the step its tooltip names: the edits are discarded when the operator agrees,
// never saved as a new step that would be undone in its place.
TEST(Undo, WithUnsavedEditsUndoUndoesTheNamedStepOrNothing) {
    FourEntries f;
    f.clickRow(1);
    f.page().editor().endTime()->setTime(QTime(9, 20, 0));
    QTest::mouseClick(f.page().editor().button(EntryEditor::SaveButton), Qt::LeftButton);
    const QByteArray saved = f.file(QStringLiteral("SCH01.DAT"));
    ASSERT_EQ(f.undoButton()->toolTip(), QStringLiteral("Undo: change entry 2 of Schedule1"));

    f.page().editor().endTime()->setTime(QTime(9, 40, 0));
    f.h.prompts.answers = {1}; // Cancel: nothing happens, the edit stays
    QTest::mouseClick(f.undoButton(), Qt::LeftButton);
    ASSERT_EQ(f.h.prompts.questions.size(), 1u);
    EXPECT_EQ(f.h.prompts.questions[0].buttons, (QStringList{QStringLiteral("Discard and undo"), QStringLiteral("Cancel")}));
    EXPECT_TRUE(f.h.prompts.questions[0].text.contains(QStringLiteral("change entry 2 of Schedule1")));
    EXPECT_EQ(f.file(QStringLiteral("SCH01.DAT")), saved);
    EXPECT_EQ(f.page().editor().endTime()->time(), QTime(9, 40, 0));

    f.h.prompts.answers = {0}; // Discard and undo: the named step is undone, the edit is gone
    QTest::mouseClick(f.undoButton(), Qt::LeftButton);
    auto table = makeTable();
    loadTableFile(f.h.dataFile(QStringLiteral("SCH01.DAT")), *table);
    EXPECT_EQ(table->entries[1].endMinute, 30) << "entry 2 is as before its change";
    EXPECT_EQ(f.page().editor().endTime()->time(), QTime(9, 30, 0));
    EXPECT_FALSE(f.page().editor().hasUnsavedChanges());
    EXPECT_EQ(f.redoButton()->toolTip(), QStringLiteral("Redo: change entry 2 of Schedule1"));
}

TEST(Undo, InsideATextFieldTheKeysEditTheTextAndNotTheHistory) {
    FourEntries f;
    f.clickRow(1);
    f.page().editor().weekdayBox(0)->setChecked(true);
    QTest::mouseClick(f.page().editor().button(EntryEditor::SaveButton), Qt::LeftButton);
    const QByteArray saved = f.file(QStringLiteral("SCH01.DAT"));
    ASSERT_TRUE(f.w->history().canUndo());

    QLineEdit* field = f.page().editor().startTime()->findChild<QLineEdit*>();
    ASSERT_NE(field, nullptr);
    f.page().editor().startTime()->setFocus();
    QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f.file(QStringLiteral("SCH01.DAT")), saved) << "the time field took Ctrl+Z";
    EXPECT_TRUE(f.w->history().canUndo());
}

TEST(Undo, ACopyIntoAnotherScheduleIsUndoneThereEvenWhileAnotherIsShown) {
    FourEntries f;
    auto three = makeTable();
    appendEntry(*three, exampleEntry());
    ASSERT_TRUE(saveTableFile(f.h.dataFile(QStringLiteral("SCH03.DAT")), *three).ok);
    const QByteArray before = f.file(QStringLiteral("SCH03.DAT"));

    // The copy dialog: all of Schedule1 over Schedule3.
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CopyDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->targetDocuments()->setCurrentIndex(2);
        dialog->sourceEntries()->setCurrentIndex(dialog->sourceEntries()->findData(999));
        dialog->copySelected();
        dialog->reject();
    });
    f.w->openCopyDialog();
    const QByteArray after = f.file(QStringLiteral("SCH03.DAT"));
    ASSERT_NE(after, before);
    EXPECT_EQ(f.h.model->currentIndex(), 0);
    EXPECT_EQ(f.undoButton()->toolTip(), QStringLiteral("Undo: copy into Schedule3"));

    QTest::mouseClick(f.undoButton(), Qt::LeftButton);
    EXPECT_EQ(f.file(QStringLiteral("SCH03.DAT")), before);
    EXPECT_EQ(f.h.model->currentIndex(), 2) << "the page shows the schedule the step changed";
    EXPECT_EQ(f.w->tree().tree()->currentItem(), f.w->tree().documentItem(2));
    EXPECT_EQ(f.list()->rowCount(), 1);
    QTest::mouseClick(f.redoButton(), Qt::LeftButton);
    EXPECT_EQ(f.file(QStringLiteral("SCH03.DAT")), after);
}

TEST(Undo, AnImportIsOneStepAndAFailedUndoIsReportedAndLeavesTheHistoryAsItWas) {
    const AcceptTransferPreviews acceptPreviews;
    FourEntries f("[LanguageSelect]\nID=2\n");
    const QString card = f.h.home.file(QStringLiteral("card"));
    QDir().mkpath(card);
    writeFile(card + QStringLiteral("/SCH01.DAT"), exampleFileBytes());
    writeFile(card + QStringLiteral("/SCH02.DAT"), exampleFileBytes());
    const QByteArray before = f.file(QStringLiteral("SCH01.DAT"));
    f.h.prompts.folders.push_back(card);
    f.w->toolBar().importFromCard();
    EXPECT_EQ(f.file(QStringLiteral("SCH01.DAT")), exampleFileBytes());
    EXPECT_EQ(f.list()->rowCount(), 1);
    // The tooltip names every file the step changed.
    EXPECT_TRUE(f.undoButton()->toolTip().startsWith(QStringLiteral("撤销：从存储卡导入 (SCH01.DAT, SCH02.DAT")))
        << f.undoButton()->toolTip().toStdString();
    EXPECT_TRUE(f.undoButton()->toolTip().contains(QStringLiteral("SDATE06.DAT")));
    // The import kept what it replaced as one group.
    const std::vector<BackupVersion> kept = f.h.backups.versions(QStringLiteral("SCH01.DAT"));
    ASSERT_FALSE(kept.empty());
    EXPECT_EQ(kept.back().mark, BackupVersion::Mark::Import);

    // Something else changed SCH02 since: the undo is refused, nothing moves.
    writeFile(f.h.dataFile(QStringLiteral("SCH02.DAT")), "changed elsewhere");
    f.h.prompts.messages.clear();
    QTest::mouseClick(f.undoButton(), Qt::LeftButton);
    ASSERT_EQ(f.h.prompts.messages.size(), 1u);
    EXPECT_EQ(f.h.prompts.messages[0].caption, QStringLiteral("警告"));
    EXPECT_TRUE(f.h.prompts.messages[0].text.startsWith(f.h.texts.text(TextId::UndoFailed)));
    EXPECT_TRUE(f.h.prompts.messages[0].text.contains(QStringLiteral("SCH02.DAT")));
    // The reason is said in the window's language, not in the core's English.
    EXPECT_TRUE(f.h.prompts.messages[0].text.contains(QStringLiteral("此后已被本步骤以外的程序更改")))
        << f.h.prompts.messages[0].text.toStdString();
    EXPECT_FALSE(f.h.prompts.messages[0].text.contains(QStringLiteral("changed since")));
    EXPECT_EQ(f.file(QStringLiteral("SCH01.DAT")), exampleFileBytes());
    EXPECT_TRUE(f.w->history().canUndo());
    EXPECT_FALSE(f.w->history().canRedo());

    writeFile(f.h.dataFile(QStringLiteral("SCH02.DAT")), exampleFileBytes());
    QTest::mouseClick(f.undoButton(), Qt::LeftButton);
    EXPECT_EQ(f.file(QStringLiteral("SCH01.DAT")), before);
    EXPECT_FALSE(QFileInfo::exists(f.h.dataFile(QStringLiteral("SCH02.DAT")))) << "it was not there before";
    EXPECT_EQ(f.list()->rowCount(), 4);
}

TEST(Undo, ADamagedFileIsReportedOnceAndKeptBeforeAnySave) {
    UiHarness h;
    h.writeConfig("[LanguageSelect]\nID=1\n");
    QDir().mkpath(h.home.file(QStringLiteral("zone_data")));
    ASSERT_TRUE(QFile::copy(dataPath(QStringLiteral("fx-bad-offset.DAT")), h.dataFile(QStringLiteral("SCH02.DAT"))));
    const QByteArray damaged = readFile(h.dataFile(QStringLiteral("SCH02.DAT")));
    MainWindow& w = h.start();
    EXPECT_TRUE(h.prompts.messages.empty()) << "Schedule1 is fine";
    w.selectDocument(1);
    ASSERT_EQ(h.prompts.messages.size(), 1u);
    EXPECT_EQ(h.prompts.messages[0].caption, QStringLiteral("Warning"));
    EXPECT_EQ(h.prompts.messages[0].icon, Prompts::Icon::Warning);
    EXPECT_TRUE(h.prompts.messages[0].text.startsWith(QStringLiteral("SCH02.DAT is damaged.")));
    EXPECT_TRUE(h.prompts.messages[0].text.contains(QStringLiteral("block offset")));
    ASSERT_EQ(h.backups.versions(QStringLiteral("SCH02.DAT")).size(), 1u);
    EXPECT_EQ(h.backups.versions(QStringLiteral("SCH02.DAT"))[0].mark, BackupVersion::Mark::Damaged);
    EXPECT_EQ(BackupStore::read(h.backups.versions(QStringLiteral("SCH02.DAT"))[0]), damaged);

    // Once a session: coming back to it says nothing more.
    w.selectDocument(0);
    w.selectDocument(1);
    EXPECT_EQ(h.prompts.messages.size(), 1u);
}

TEST(Undo, ANewStepEndsWhatCouldBeRedoneAndOnlyTheNewestTwoHundredStepsAreKept) {
    FourEntries f;
    UndoHistory& history = f.w->history();
    const auto saveEndSecond = [&](int second) {
        TimingEntry e = f.h.model->document().entry(0);
        e.endSecond = std::uint8_t(second);
        f.h.model->document().replace(0, e);
        ASSERT_TRUE(f.w->saveDocument({StepLabel::Kind::ChangeEntry, QStringLiteral("SCH01.DAT"), 0, {}}));
    };
    const auto fileEndSecond = [&] {
        auto table = makeTable();
        EXPECT_TRUE(loadTableFile(f.h.dataFile(QStringLiteral("SCH01.DAT")), *table));
        return int(table->entries[0].endSecond);
    };

    saveEndSecond(1);
    saveEndSecond(2);
    f.w->undo();
    ASSERT_TRUE(history.canRedo());
    saveEndSecond(3); // a new step instead of the one undone
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.count(), 2);
    f.w->undo();
    EXPECT_EQ(fileEndSecond(), 1) << "the undone step is gone, the one before it stays";

    // Past the limit the oldest steps go: undoing everything left stops at the file as it was after them.
    for (int i = 0; i < UndoHistory::kLimit + 1; ++i)
        saveEndSecond(10 + i % 40);
    EXPECT_EQ(history.count(), UndoHistory::kLimit);
    int undone = 0;
    while (history.canUndo()) {
        f.w->undo();
        ++undone;
    }
    EXPECT_EQ(undone, UndoHistory::kLimit);
    EXPECT_EQ(fileEndSecond(), 10) << "the state after the first of the 201 saves; the steps before it were dropped";
}
