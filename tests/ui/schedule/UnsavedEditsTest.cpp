// Edits in an entry editor are never dropped without a word: moving to another row or document, or closing the
// program, asks Save / Discard / Cancel first.
#include "UiHarness.h"

#include "core/files/ScheduleFile.h"
#include "ui/schedule/EntryEditor.h"
#include "ui/schedule/RemoteKeyEditor.h"
#include "ui/schedule/RemoteKeyPage.h"
#include "ui/schedule/TimingListPage.h"
#include "ui/shell/NavigationTree.h"
#include "ui/shell/ToolBar.h"
#include "ui/sources/LocalFmPage.h"
#include "ui/sources/SourcePanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QTableWidget>
#include <QTest>
#include <QTimeEdit>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace quorvan;
using namespace quorvan::test;

namespace {

enum Answer { Save = 0, Discard = 1, Cancel = 2 };

void clickRow(QTableWidget* list, int row, Qt::KeyboardModifiers modifiers = {}) {
    const QRect rect = list->visualItemRect(list->item(row, 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, rect.center());
}

void clickDocument(MainWindow& w, int index) {
    QTreeWidget* tree = w.tree().tree();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      tree->visualItemRect(w.tree().documentItem(index)).center());
}

// Schedule1 with three entries, 08:00, 09:00 and 10:00, shown in the window.
struct ThreeEntries {
    UiHarness h;
    MainWindow* w = nullptr;
    explicit ThreeEntries(const char* ini = "[LanguageSelect]\nID=1\n") {
        h.writeConfig(ini);
        h.writeSchedule(QStringLiteral("SCH01.DAT"), 3);
        w = &h.start();
    }
    TimingListPage& page() const { return w->timingPage(); }
    EntryEditor& editor() const { return page().editor(); }
    std::uint32_t weekdaysOnDisk(int entry) const {
        auto table = makeTable();
        loadTableFile(h.dataFile(QStringLiteral("SCH01.DAT")), *table);
        return table->entries[entry].weekdays;
    }
};

} // namespace

TEST(UnsavedEdits, AnotherRowAsksAndEachAnswerDoesWhatItSays) {
    ThreeEntries f;
    QTableWidget* list = f.page().list();
    ASSERT_EQ(list->currentRow(), 0);

    // Nothing changed: no question.
    clickRow(list, 1);
    EXPECT_TRUE(f.h.prompts.questions.empty());
    EXPECT_EQ(f.editor().startTime()->time(), QTime(9, 0, 0));

    // Sunday ticked on entry 2, then a click on entry 3: the question, in English.
    f.editor().weekdayBox(0)->setChecked(true);
    f.h.prompts.answers = {Cancel};
    clickRow(list, 2);
    ASSERT_EQ(f.h.prompts.questions.size(), 1u);
    EXPECT_EQ(f.h.prompts.questions[0].caption, QStringLiteral("Message"));
    EXPECT_EQ(f.h.prompts.questions[0].text, f.h.texts.text(TextId::UnsavedEntry));
    EXPECT_EQ(f.h.prompts.questions[0].buttons,
              (QStringList{QStringLiteral("Save"), QStringLiteral("Discard"), QStringLiteral("Cancel")}));
    // Cancel: still on entry 2 with the tick.
    EXPECT_EQ(list->selectionModel()->selectedRows().value(0).row(), 1);
    EXPECT_TRUE(f.editor().weekdayBox(0)->isChecked());
    EXPECT_EQ(f.weekdaysOnDisk(1), 0x3Eu);

    // Save: stored to entry 2, the row being left, and written; entry 3 is shown.
    f.h.prompts.answers = {Save};
    clickRow(list, 2);
    EXPECT_EQ(f.weekdaysOnDisk(1), 0x3Fu);
    EXPECT_EQ(list->item(1, 1)->text(), QStringLiteral("Sun,Mon,Tues,Wed,Thur,Fri"));
    EXPECT_EQ(f.editor().startTime()->time(), QTime(10, 0, 0));

    // Discard: the change to entry 3 goes, nothing is written.
    f.editor().startTime()->setTime(QTime(10, 15, 0));
    f.h.prompts.answers = {Discard};
    clickRow(list, 0);
    EXPECT_EQ(f.h.prompts.questions.size(), 3u);
    EXPECT_EQ(f.editor().startTime()->time(), QTime(8, 0, 0));
    clickRow(list, 2);
    EXPECT_EQ(f.editor().startTime()->time(), QTime(10, 0, 0));
    EXPECT_EQ(f.h.prompts.questions.size(), 3u);
}

TEST(UnsavedEdits, CtrlClickDeselectingAndAnotherDocumentAskToo) {
    ThreeEntries f("[LanguageSelect]\nID=2\n");
    QTableWidget* list = f.page().list();

    // Ctrl+click on the selected row deselects it in Qt: with edits that asks; Save stores them to the row.
    f.editor().weekdayBox(6)->setChecked(true);
    f.h.prompts.answers = {Save};
    clickRow(list, 0, Qt::ControlModifier);
    ASSERT_EQ(f.h.prompts.questions.size(), 1u);
    EXPECT_EQ(f.h.prompts.questions[0].buttons,
              (QStringList{QStringLiteral("保存"), QStringLiteral("不保存"), QStringLiteral("取消")}));
    EXPECT_EQ(f.weekdaysOnDisk(0), 0x7Eu);
    EXPECT_EQ(list->selectionModel()->selectedRows().value(0).row(), 0) << "the row stays selected for Save";

    // Another document: Cancel keeps the document, the tree shows it again.
    f.editor().weekdayBox(0)->setChecked(true);
    f.h.prompts.answers = {Cancel};
    clickDocument(*f.w, 1);
    EXPECT_EQ(f.h.model->currentIndex(), 0);
    EXPECT_EQ(f.w->tree().tree()->currentItem(), f.w->tree().documentItem(0));
    EXPECT_TRUE(f.editor().weekdayBox(0)->isChecked());

    // Save writes Schedule1 and then shows Schedule2.
    f.h.prompts.answers = {Save};
    clickDocument(*f.w, 1);
    EXPECT_EQ(f.h.model->currentIndex(), 1);
    EXPECT_EQ(f.weekdaysOnDisk(0), 0x7Fu);
    EXPECT_EQ(f.h.prompts.questions.size(), 3u);
}

TEST(UnsavedEdits, ClosingTheProgramAsksAndCancelKeepsItOpen) {
    ThreeEntries f;
    f.editor().weekdayBox(0)->setChecked(true);
    f.h.prompts.answers = {Cancel};
    EXPECT_FALSE(f.w->close());
    EXPECT_TRUE(f.w->isVisible());
    f.h.prompts.answers = {Save};
    EXPECT_TRUE(f.w->close());
    EXPECT_EQ(f.weekdaysOnDisk(0), 0x3Fu);
}

TEST(UnsavedEdits, TheRemoteKeyEditorAsksBeforeAnotherKey) {
    UiHarness h;
    h.writeConfig("[LanguageSelect]\nID=1\n");
    MainWindow& w = h.start();
    clickDocument(w, 4);
    RemoteKeyPage& page = w.remotePage();
    QTableWidget* list = page.list();

    // An FM frequency for key 1, then key 2: Save stores it under key 1 (the key list's choice).
    page.editor().sourcePanel().fmPage()->frequencyList()->setCurrentIndex(3);
    h.prompts.answers = {Save};
    clickRow(list, 1);
    ASSERT_EQ(h.prompts.questions.size(), 1u);
    auto table = makeTable();
    loadTableFile(h.dataFile(QStringLiteral("REMOTE.DAT")), *table);
    EXPECT_EQ(table->entries[0].fmFrequency, 8690 + 30);
    EXPECT_EQ(page.editor().selectedKey(), 1);

    // Cancel stays on key 2 with its edit.
    page.editor().sourcePanel().fmPage()->frequencyList()->setCurrentIndex(5);
    h.prompts.answers = {Cancel};
    clickRow(list, 2);
    EXPECT_EQ(list->selectionModel()->selectedRows().value(0).row(), 1);
    EXPECT_EQ(page.editor().sourcePanel().fmPage()->frequencyList()->currentIndex(), 5);
}

TEST(UnsavedEdits, ImportCopyAndALanguageSwitchAskBeforeTheyReplaceTheEntryShown) {
    ThreeEntries f;
    f.editor().weekdayBox(0)->setChecked(true);

    // Import: Cancel keeps the edits and asks for no folder.
    f.h.prompts.answers = {Cancel};
    f.w->toolBar().importFromCard();
    EXPECT_EQ(f.h.prompts.questions.size(), 1u);
    EXPECT_TRUE(f.h.prompts.folderTitles.isEmpty());
    EXPECT_TRUE(f.editor().weekdayBox(0)->isChecked());

    // Copy: Cancel does not open the dialog.
    f.h.prompts.answers = {Cancel};
    f.w->openCopyDialog();
    EXPECT_EQ(f.h.prompts.questions.size(), 2u);
    EXPECT_EQ(f.w->copyDialog(), nullptr);

    // A language switch with edits kept: the window speaks Chinese, the editor keeps its tick.
    f.h.texts.loadChinese();
    f.h.prompts.answers = {Cancel};
    f.w->retranslateAll();
    EXPECT_EQ(f.w->windowTitle(), QStringLiteral("智能分区广播系统"));
    EXPECT_TRUE(f.editor().weekdayBox(0)->isChecked());

    // Discarded, the page is filled again in the new language.
    f.h.texts.loadEnglish();
    f.h.prompts.answers = {Discard};
    f.w->retranslateAll();
    EXPECT_FALSE(f.editor().weekdayBox(0)->isChecked());
    EXPECT_EQ(f.page().list()->item(0, 1)->text(), QStringLiteral("Mon,Tues,Wed,Thur,Fri"));
    EXPECT_EQ(f.h.prompts.questions.size(), 4u);
}
