#include "TestSupport.h"

#include "core/schedule/EntryListLogic.h"
#include "core/schedule/ScheduleModel.h"
#include "core/settings/NameTables.h"
#include "core/texts/TextTable.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace quorvan;
using namespace quorvan::test;

namespace {

// A list that, like the real one, reports every selection change at once.
class FakeRows : public RowList {
public:
    std::vector<QStringList> rows;
    int selected = -1;
    std::function<void(int)> notify;
    // A Ctrl+click on the selected row: nothing stays selected, the list reports the row.
    void deselect() {
        const int row = selected;
        selected = -1;
        if (notify)
            notify(row);
    }
    // A click that selects row without the page asking for it.
    void click(int row) {
        selected = row;
        if (notify)
            notify(row);
    }

    int rowCount() const override { return int(rows.size()); }
    void insertRow(int row) override { rows.insert(rows.begin() + row, QStringList(7, QString())); }
    void removeRow(int row) override {
        rows.erase(rows.begin() + row);
        if (selected >= rowCount())
            selected = -1;
    }
    void removeAllRows() override {
        rows.clear();
        selected = -1;
    }
    void setCells(int row, const QStringList& cells) override { rows[std::size_t(row)] = cells; }
    void setNumberCell(int row, const QString& text) override { rows[std::size_t(row)][0] = text; }
    int selectedRow() const override { return selected; }
    void selectRow(int row) override {
        if (row < 0 || row >= rowCount())
            return;
        selected = row;
        if (notify)
            notify(row);
    }
    QString number(int row) const { return rows[std::size_t(row)][0]; }
};

class FakeHost : public EntryListHost {
public:
    TimingEntry shown{};
    int shownRow = -1;
    TimingEntry toStore{};
    int key = -1; // the key chosen in a remote-key editor; -1: the shown row
    int storeTarget(int shownRow) override { return key < 0 ? shownRow : key; }
    int saves = 0;
    int fullMessages = 0;
    bool edited = false; // the operator changed something in the editor since the last load or store
    std::vector<LeaveAnswer> answers;
    int questions = 0;
    bool timesValid = true;
    void loadEntry(int row, const TimingEntry& entry) override {
        shownRow = row;
        shown = entry;
        edited = false;
    }
    TimingEntry storeEntry() override {
        toStore.used = 1;
        edited = false;
        return toStore;
    }
    bool mayWrite() override {
        ++writeChecks;
        return writable;
    }
    bool saveDocument(EntryChange change, int entry, int count, const QString& detail) override {
        lastCount = count;
        lastDetail = detail;
        ++saves;
        lastChange = change;
        lastEntry = entry;
        return saveSucceeds;
    }
    bool writable = true;     // what mayWrite answers
    bool saveSucceeds = true; // what saveDocument answers
    int lastCount = 0;
    QString lastDetail;
    int writeChecks = 0;
    EntryChange lastChange = EntryChange::Changed;
    int lastEntry = -2;
    void listFull() override { ++fullMessages; }
    bool hasUnsavedChanges() override { return edited; }
    LeaveAnswer askToLeave() override {
        ++questions;
        if (answers.empty())
            return LeaveAnswer::Stay;
        const LeaveAnswer a = answers.front();
        answers.erase(answers.begin());
        return a;
    }
    bool entryCanBeSaved() override { return timesValid; }
};

struct Fixture {
    TextTable texts;
    NameTables names;
    FakeRows rows;
    FakeHost host;
    ScheduleDocument document;
    EntryListLogic logic{rows, host, texts, names};

    Fixture() {
        texts.loadEnglish();
        rows.notify = [this](int row) { logic.followSelection(row); };
    }
    void fill(int n) {
        for (int i = 0; i < n; ++i) {
            TimingEntry e{};
            e.used = 1;
            e.weekdays = std::uint32_t(i + 1); // tells the entries apart
            document.append(e);
        }
    }
};

} // namespace

TEST(EntryListLogic, EmptyTableShowsOnePendingRowAndSavingItAppends) {
    Fixture f;
    ASSERT_EQ(f.logic.showDocument(&f.document), 1);
    ASSERT_EQ(f.rows.rowCount(), 1);
    EXPECT_EQ(f.rows.number(0), QStringLiteral("*"));
    EXPECT_TRUE(f.logic.newRowPending());
    EXPECT_EQ(f.host.shown.used, 0) << "a cleared editor";

    f.host.toStore.weekdays = 0x3E;
    f.logic.saveEntry();
    EXPECT_EQ(f.document.count(), 1);
    EXPECT_EQ(f.document.entry(0).weekdays, 0x3Eu);
    EXPECT_EQ(f.rows.number(0), QStringLiteral("1"));
    EXPECT_EQ(f.rows.rowCount(), 2);
    EXPECT_EQ(f.rows.number(1), QStringLiteral("*"));
    EXPECT_EQ(f.rows.selected, 1);
    EXPECT_EQ(f.host.saves, 1);

    EXPECT_EQ(f.logic.showDocument(nullptr), 0);
    EXPECT_EQ(f.rows.rowCount(), 2) << "a refused document changes nothing";
}

TEST(EntryListLogic, TheListHoldsAtMost256Rows) {
    Fixture f;
    f.fill(255);
    f.logic.showDocument(&f.document);
    EXPECT_EQ(f.rows.rowCount(), 255);
    f.logic.newEntry();
    EXPECT_EQ(f.rows.rowCount(), 256);
    f.logic.saveEntry();
    EXPECT_EQ(f.document.count(), 256);
    EXPECT_EQ(f.rows.rowCount(), 256) << "the save that fills the table opens no pending row";
    EXPECT_FALSE(f.logic.newRowPending());
    f.logic.newEntry();
    EXPECT_EQ(f.host.fullMessages, 1);
    EXPECT_EQ(f.rows.rowCount(), 256);
    EXPECT_FALSE(f.logic.newRowPending());
}

TEST(EntryListLogic, DeleteRenumbersReselectsAndShowsTheEntryNowThere) {
    Fixture f;
    f.fill(5);
    f.logic.showDocument(&f.document);
    f.rows.selectRow(1);
    EXPECT_EQ(f.host.shown.weekdays, 2u);
    f.logic.deleteEntry();
    EXPECT_EQ(f.document.count(), 4);
    ASSERT_EQ(f.rows.rowCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(f.rows.number(i), QString::number(i + 1));
    EXPECT_EQ(f.rows.selected, 1);
    EXPECT_EQ(f.document.entry(1).weekdays, 3u);
    EXPECT_EQ(f.host.shown.weekdays, 3u) << "the editor shows the former third entry, not the deleted one";
    EXPECT_EQ(f.host.saves, 1);

    f.rows.selectRow(3);
    f.logic.deleteEntry();
    EXPECT_EQ(f.rows.selected, 2) << "deleting the last row selects the row above";
    EXPECT_EQ(f.host.shown.weekdays, 4u);
}

TEST(EntryListLogic, DeletingTheOnlyEntryLeavesAPendingRow) {
    Fixture f;
    f.fill(1);
    f.logic.showDocument(&f.document);
    f.logic.deleteEntry();
    EXPECT_EQ(f.document.count(), 0);
    ASSERT_EQ(f.rows.rowCount(), 1);
    EXPECT_EQ(f.rows.number(0), QStringLiteral("*"));
    EXPECT_TRUE(f.logic.newRowPending());
}

TEST(EntryListLogic, DeleteWhilePendingDropsOnlyThePendingRow) {
    Fixture f;
    f.fill(3);
    f.logic.showDocument(&f.document);
    f.logic.newEntry();
    ASSERT_EQ(f.rows.rowCount(), 4);
    f.logic.deleteEntry();
    EXPECT_EQ(f.rows.rowCount(), 3);
    EXPECT_EQ(f.document.count(), 3);
    EXPECT_EQ(f.host.saves, 0) << "the file is not written";
    EXPECT_FALSE(f.logic.newRowPending());
    EXPECT_EQ(f.rows.selected, 2);
}

TEST(EntryListLogic, PickingAStoredRowWhilePendingDropsTheNewEntry) {
    Fixture f;
    f.fill(3);
    f.logic.showDocument(&f.document);
    f.logic.newEntry();
    f.rows.selectRow(3); // the pending row itself: nothing happens
    EXPECT_TRUE(f.logic.newRowPending());
    f.rows.selectRow(1);
    EXPECT_FALSE(f.logic.newRowPending());
    EXPECT_EQ(f.rows.rowCount(), 3);
    EXPECT_EQ(f.rows.selected, 1);
    EXPECT_EQ(f.host.shown.weekdays, 2u);
    EXPECT_EQ(f.document.count(), 3);
}

TEST(EntryListLogic, SaveReplacesTheSelectedEntryAndUnusedSlotsShowEmptyRows) {
    Fixture f;
    f.fill(2);
    TimingEntry unused = f.document.entry(1);
    unused.used = false;
    f.document.replace(1, unused);
    f.logic.showDocument(&f.document);
    EXPECT_EQ(f.rows.rows[1], QStringList(7, QString()));
    f.rows.selectRow(1);
    f.host.toStore.weekdays = 0x41;
    f.logic.saveEntry();
    EXPECT_EQ(f.document.entry(1).weekdays, 0x41u);
    EXPECT_EQ(f.document.entry(1).used, 1);
    EXPECT_EQ(f.rows.rows[1][1], QStringLiteral("Sun,Sat"));
    EXPECT_EQ(f.host.saves, 1);

    f.rows.selected = -1;
    f.logic.saveEntry();
    EXPECT_EQ(f.host.saves, 2) << "saved even with nothing selected";
    EXPECT_EQ(f.document.count(), 2);
}

TEST(EntryListLogic, LeavingAnEditedRowAsksAndSaveStoresToTheRowBeingLeft) {
    Fixture f;
    f.fill(3);
    f.logic.showDocument(&f.document);
    ASSERT_EQ(f.rows.selected, 0);

    // Nothing changed: no question, the clicked row is shown.
    f.rows.click(1);
    EXPECT_EQ(f.host.questions, 0);
    EXPECT_EQ(f.host.shown.weekdays, 2u);

    // Changed, then another row: Stay keeps the row and the edits.
    f.host.edited = true;
    f.host.toStore.weekdays = 0x7F;
    f.rows.click(2);
    EXPECT_EQ(f.host.questions, 1);
    EXPECT_EQ(f.rows.selected, 1) << "back on the row being edited";
    EXPECT_EQ(f.host.shown.weekdays, 2u) << "the editor was not reloaded";
    EXPECT_TRUE(f.host.edited);
    EXPECT_EQ(f.host.saves, 0);

    // Save stores into row 1 (the row left), writes the file, then shows row 2.
    f.host.answers = {LeaveAnswer::Save};
    f.rows.click(2);
    EXPECT_EQ(f.document.entry(1).weekdays, 0x7Fu);
    EXPECT_EQ(f.document.count(), 3);
    EXPECT_EQ(f.host.saves, 1);
    EXPECT_EQ(f.rows.rows[1][1], QStringLiteral("Sun,Mon,Tues,Wed,Thur,Fri,Sat"));
    EXPECT_EQ(f.rows.selected, 2);
    EXPECT_EQ(f.host.shown.weekdays, 3u);

    // Discard drops the edits; the table and file stay as they were.
    f.host.edited = true;
    f.host.toStore.weekdays = 0x01;
    f.host.answers = {LeaveAnswer::Discard};
    f.rows.click(0);
    EXPECT_EQ(f.document.entry(2).weekdays, 3u);
    EXPECT_EQ(f.host.saves, 1);
    EXPECT_EQ(f.host.shown.weekdays, 1u);

    // Clicking the row being edited again asks nothing and keeps the edits.
    f.host.edited = true;
    f.rows.click(0);
    EXPECT_EQ(f.host.questions, 3);
    EXPECT_TRUE(f.host.edited);
}

TEST(EntryListLogic, DeselectingTheEditedRowAsksAndNeverLeavesSaveWithoutARow) {
    Fixture f;
    f.fill(2);
    f.logic.showDocument(&f.document);
    f.rows.click(1);

    // Without edits a deselection just comes back to the row, so that Save still has a row to store to.
    f.rows.deselect();
    EXPECT_EQ(f.host.questions, 0);
    EXPECT_EQ(f.rows.selected, 1);

    f.host.edited = true;
    f.host.toStore.weekdays = 0x40;
    f.host.answers = {LeaveAnswer::Save};
    f.rows.deselect();
    EXPECT_EQ(f.host.questions, 1);
    EXPECT_EQ(f.rows.selected, 1);
    EXPECT_EQ(f.document.entry(1).weekdays, 0x40u);
    EXPECT_EQ(f.host.saves, 1);

    // Discard reloads the row as stored.
    f.host.edited = true;
    f.host.toStore.weekdays = 0x10;
    f.host.answers = {LeaveAnswer::Discard};
    f.rows.deselect();
    EXPECT_EQ(f.rows.selected, 1);
    EXPECT_EQ(f.host.shown.weekdays, 0x40u);
    EXPECT_FALSE(f.host.edited);
    EXPECT_EQ(f.host.saves, 1);
}

TEST(EntryListLogic, AnEditedNewRowIsAppendedOnSaveAndAnInvalidOneKeepsTheOperatorThere) {
    Fixture f;
    f.fill(2);
    f.logic.showDocument(&f.document);
    f.logic.newEntry();
    ASSERT_TRUE(f.logic.newRowPending());
    ASSERT_EQ(f.rows.selected, 2);

    // The Save button's own check refuses (equal times): the operator stays on the new row.
    f.host.edited = true;
    f.host.toStore.weekdays = 0x22;
    f.host.timesValid = false;
    f.host.answers = {LeaveAnswer::Save};
    f.rows.click(0);
    EXPECT_EQ(f.rows.selected, 2);
    EXPECT_TRUE(f.logic.newRowPending());
    EXPECT_EQ(f.document.count(), 2);
    EXPECT_EQ(f.host.saves, 0);

    // Valid: appended as the third entry, and row 0 is shown; no further new row is opened.
    f.host.timesValid = true;
    f.host.answers = {LeaveAnswer::Save};
    f.rows.click(0);
    EXPECT_EQ(f.document.count(), 3);
    EXPECT_EQ(f.document.entry(2).weekdays, 0x22u);
    EXPECT_FALSE(f.logic.newRowPending());
    EXPECT_EQ(f.rows.rowCount(), 3);
    EXPECT_EQ(f.rows.number(2), QStringLiteral("3"));
    EXPECT_EQ(f.rows.selected, 0);
    EXPECT_EQ(f.host.shown.weekdays, 1u);

    // New while a stored row has edits asks first; Stay keeps the row.
    f.host.edited = true;
    f.logic.newEntry();
    EXPECT_FALSE(f.logic.newRowPending());
    EXPECT_EQ(f.rows.selected, 0);
    f.host.answers = {LeaveAnswer::Discard};
    f.logic.newEntry();
    EXPECT_TRUE(f.logic.newRowPending());
    EXPECT_EQ(f.rows.selected, 3);

    // leaveShownEntry (another document, the end of the program) asks the same question.
    f.host.edited = true;
    EXPECT_FALSE(f.logic.leaveShownEntry());
    f.host.answers = {LeaveAnswer::Save};
    EXPECT_TRUE(f.logic.leaveShownEntry());
    EXPECT_EQ(f.document.count(), 4);
    f.host.edited = false;
    const int asked = f.host.questions;
    EXPECT_TRUE(f.logic.leaveShownEntry());
    EXPECT_EQ(f.host.questions, asked) << "nothing to ask without edits";
}

TEST(EntryListLogic, EverySaveSaysWhatItDidForTheUndoHistory) {
    Fixture f;
    f.fill(3);
    f.logic.showDocument(&f.document);
    f.rows.click(1);
    f.logic.saveEntry();
    EXPECT_EQ(f.host.lastChange, EntryChange::Changed);
    EXPECT_EQ(f.host.lastEntry, 1);
    f.logic.newEntry();
    f.logic.saveEntry();
    EXPECT_EQ(f.host.lastChange, EntryChange::Added);
    EXPECT_EQ(f.host.lastEntry, 3);
    f.rows.click(2);
    f.logic.deleteEntry();
    EXPECT_EQ(f.host.lastChange, EntryChange::Deleted);
    EXPECT_EQ(f.host.lastEntry, 2);
    EXPECT_EQ(f.host.saves, 3);
}

// The remote keys: twelve fixed rows. Save stores to the key chosen in the editor and the list follows; Delete
// empties the preset and keeps its row; nothing adds a row; leaving with Save stores to the chosen key and the
// list stays on the row the operator picked.
TEST(EntryListLogic, TheRemoteKeysKeepTwelveRowsAndSaveToTheChosenKey) {
    Fixture f;
    ScheduleTable two;
    for (std::uint32_t i = 1; i <= 2; ++i) {
        TimingEntry e{};
        e.used = true;
        e.weekdays = i;
        two.entries.push_back(e);
    }
    f.document.replaceAll({DocumentKind::RemotePresets, QStringLiteral("Remote"), QStringLiteral("REMOTE.DAT")}, two);
    ASSERT_EQ(f.logic.showDocument(&f.document), 1);
    ASSERT_EQ(f.rows.rowCount(), 12);
    EXPECT_EQ(f.rows.rows[2], (QStringList{QString(), QStringLiteral("Remote3"), QString(), QString(), QString()}))
        << f.rows.rows[2].join(u'|').toStdString();
    EXPECT_FALSE(f.logic.newRowPending()) << "no new row, though presets are empty";
    f.logic.newEntry();
    f.logic.duplicateEntry();
    EXPECT_EQ(f.rows.rowCount(), 12);

    // Save with key 5 chosen while row 0 is shown: key 5 gets it, the list follows.
    f.host.key = 4;
    f.host.toStore.weekdays = 0x7F;
    f.logic.saveEntry();
    EXPECT_EQ(f.document.entry(4).weekdays, 0x7Fu);
    EXPECT_EQ(f.document.entry(0).weekdays, 1u);
    EXPECT_EQ(f.host.lastChange, EntryChange::Changed);
    EXPECT_EQ(f.host.lastEntry, 4);
    EXPECT_EQ(f.rows.selected, 4);
    EXPECT_EQ(f.logic.editorPlace().row, 4);

    // Delete empties the preset; the row and the editor's preset stay.
    f.host.shown.weekdays = 0x7F;
    f.logic.deleteEntry();
    EXPECT_EQ(f.document.count(), 12);
    EXPECT_FALSE(f.document.entry(4).used);
    EXPECT_EQ(f.rows.rows[4][1], QStringLiteral("Remote5"));
    EXPECT_EQ(f.host.lastChange, EntryChange::Deleted);
    EXPECT_EQ(f.host.shown.weekdays, 0x7Fu) << "the editor keeps the deleted preset";
    EXPECT_EQ(f.rows.selected, 4);

    // Edits, then a click on row 2 answered with Save: stored to the chosen key, row 2 shown.
    f.host.key = 8;
    f.host.edited = true;
    f.host.answers = {LeaveAnswer::Save};
    f.host.toStore.weekdays = 0x11;
    f.rows.click(1);
    EXPECT_EQ(f.document.entry(8).weekdays, 0x11u);
    EXPECT_EQ(f.rows.selected, 1);
    EXPECT_EQ(f.host.shownRow, 1);
    EXPECT_EQ(f.host.shown.weekdays, 2u);
}
