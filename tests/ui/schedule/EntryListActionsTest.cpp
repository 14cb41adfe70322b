// The timing list's context menu and keys, files dropped on an entry's song list, and the editor's tab order.
#include "UiHarness.h"

#include "core/files/ScheduleFile.h"
#include "ui/history/UndoHistory.h"
#include "ui/schedule/BellPatternDialog.h"
#include "ui/schedule/ChangeDialog.h"
#include "ui/schedule/EntryEditor.h"
#include "ui/schedule/TimingListPage.h"
#include "ui/sources/LocalMp3Page.h"
#include "ui/sources/SourcePanel.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSet>
#include <QSpinBox>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QTimeEdit>
#include <QUrl>

#include <gtest/gtest.h>

using namespace quorvan;
using namespace quorvan::test;

namespace {

struct Schedule {
    UiHarness h;
    MainWindow* w = nullptr;
    explicit Schedule(int entries, const char* ini = "[LanguageSelect]\nID=1\n") {
        h.writeConfig(ini);
        // Entries at 08:00, 09:00 … with valid times however many there are.
        auto table = makeTable();
        for (int i = 0; i < entries; ++i) {
            TimingEntry e = exampleEntry();
            e.startHour = e.endHour = std::uint8_t((8 + i) % 24);
            e.startMinute = std::uint8_t(i / 24);
            e.endMinute = std::uint8_t(i / 24 + 1);
            appendEntry(*table, e);
        }
        QDir().mkpath(h.home.file(QStringLiteral("zone_data")));
        EXPECT_TRUE(saveTableFile(h.dataFile(QStringLiteral("SCH01.DAT")), *table).ok);
        w = &h.start();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w));
    }
    TimingListPage& page() const { return w->timingPage(); }
    QTableWidget* list() const { return page().list(); }
    void clickRow(int row, Qt::KeyboardModifiers keys = {}) const {
        list()->scrollToItem(list()->item(row, 1));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, keys,
                          list()->visualItemRect(list()->item(row, 1)).center());
    }
    int entriesInFile() const {
        auto table = makeTable();
        return loadTableFile(h.dataFile(QStringLiteral("SCH01.DAT")), *table);
    }
    QListWidget* songs() const { return page().editor().sourcePanel().mp3Page()->songList(); }
};

int selectedRowCount(QTableWidget* list) {
    QSet<int> rows;
    for (const QModelIndex& index : list->selectionModel()->selectedIndexes())
        rows.insert(index.row());
    return int(rows.size());
}

QStringList menuLines(QMenu* menu) {
    QStringList lines;
    for (QAction* a : menu->actions())
        if (!a->isSeparator())
            lines << a->text() + u'\t' + a->shortcut().toString(QKeySequence::NativeText);
    return lines;
}

// A drag from a file manager carrying these paths, entered and dropped on `target`; whether it was taken.
bool dropFiles(QWidget* target, const QStringList& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& p : paths)
        urls << QUrl::fromLocalFile(p);
    data.setUrls(urls);
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

} // namespace

TEST(EntryListActions, MenuOffersNewDuplicateDeleteWithTheirKeysInBothLanguages) {
    Schedule s(3);
    s.clickRow(1);
    QMenu* menu = s.page().rowMenu();
    EXPECT_EQ(menuLines(menu),
              QStringList({QStringLiteral("New\tCtrl+N"), QStringLiteral("Duplicate\tCtrl+D"),
                           QStringLiteral("Shift times...\t"), QStringLiteral("Change...\t"),
                           QStringLiteral("Copy to...\t"), QStringLiteral("Delete\tDel"),
                           QStringLiteral("Export entries...\t"), QStringLiteral("Import entries...\t")}));
    EXPECT_TRUE(s.page().duplicateAction()->isEnabled());
    menu->close();

    Schedule zh(3, "[LanguageSelect]\nID=0\n");
    QMenu* zhMenu = zh.page().rowMenu();
    QStringList texts;
    for (QAction* a : zhMenu->actions())
        if (!a->isSeparator())
            texts << a->text();
    EXPECT_EQ(texts, QStringList({QStringLiteral("新建"), QStringLiteral("复制为新时程"), QStringLiteral("移动时间..."),
                                  QStringLiteral("更改..."), QStringLiteral("复制到..."), QStringLiteral("删除"),
                                  QStringLiteral("导出时程..."), QStringLiteral("导入时程...")}));
    zhMenu->close();
}

// Duplicate appends a copy that is saved at once; the Delete key takes the selected row away, and undo brings it
// back to the file byte for byte.
TEST(EntryListActions, DuplicateAppendsACopyAndTheDeleteKeyDeletesWhatUndoBringsBack) {
    Schedule s(3);
    s.clickRow(1);
    s.list()->setFocus();
    QTest::keyClick(s.list(), Qt::Key_D, Qt::ControlModifier);
    ASSERT_EQ(s.list()->rowCount(), 4);
    EXPECT_EQ(s.entriesInFile(), 4);
    EXPECT_EQ(s.list()->currentRow(), 3);
    EXPECT_EQ(s.page().editor().startTime()->time(), QTime(9, 0, 0)); // the copy of the second entry
    EXPECT_TRUE(s.h.model->document().table().entries[3] == s.h.model->document().table().entries[1]);
    const QByteArray withCopy = readFile(s.h.dataFile(QStringLiteral("SCH01.DAT")));

    s.clickRow(0);
    s.list()->setFocus();
    QTest::keyClick(s.list(), Qt::Key_Delete);
    ASSERT_EQ(s.list()->rowCount(), 3);
    EXPECT_EQ(s.entriesInFile(), 3);
    EXPECT_EQ(s.list()->item(0, 2)->text(), QStringLiteral("09:00:00"));
    QTest::keyClick(s.list(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(readFile(s.h.dataFile(QStringLiteral("SCH01.DAT"))), withCopy);
    EXPECT_EQ(s.list()->rowCount(), 4);
    EXPECT_TRUE(s.h.prompts.messages.empty());
}

TEST(EntryListActions, DuplicateFillsTheLastSlotAndThenSaysTheListIsFull) {
    Schedule s(255);
    s.clickRow(7);
    s.page().duplicateAction()->trigger();
    EXPECT_EQ(s.list()->rowCount(), 256);
    EXPECT_EQ(s.entriesInFile(), 256);
    EXPECT_TRUE(s.h.prompts.messages.empty());

    s.page().duplicateAction()->trigger();
    ASSERT_EQ(s.h.prompts.messages.size(), 1u);
    EXPECT_TRUE(s.h.prompts.messages[0].text.contains(QStringLiteral("256"))) << s.h.prompts.messages[0].text.toStdString();
    EXPECT_EQ(s.list()->rowCount(), 256);
    EXPECT_EQ(s.entriesInFile(), 256);
}

// Songs dropped on the entry's list: song files in the order dropped, a folder's own songs by name, other files
// left out; no more than 255 songs, with the message Add gives.
TEST(EntryListActions, FilesDroppedOnTheSongListAreAddedAsAddDoes) {
    Schedule s(1);
    const QString folder = s.h.home.file(QStringLiteral("bells"));
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const char* name : {"bells/2.flac", "bells/10.OGG", "bells/read me.txt", "上课.MP3", "notes.txt"})
        writeFile(s.h.home.file(QString::fromUtf8(name)), "x");
    QWidget* target = s.songs()->viewport();
    const int before = s.songs()->count();

    QMimeData text;
    text.setText(QStringLiteral("not a file"));
    QDragEnterEvent enter(target->rect().center(), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    EXPECT_FALSE(enter.isAccepted());

    ASSERT_TRUE(dropFiles(target, {s.h.home.file(QStringLiteral("notes.txt")), s.h.home.file(QStringLiteral("上课.MP3")),
                                   folder}));
    QStringList added;
    for (int i = before; i < s.songs()->count(); ++i)
        added << s.songs()->item(i)->text();
    EXPECT_EQ(added, QStringList({QStringLiteral("上课.MP3"), QStringLiteral("2.flac"), QStringLiteral("10.OGG")}));
    EXPECT_TRUE(s.page().editor().hasUnsavedChanges());

    while (s.songs()->count() < kMaxSongs - 1)
        s.songs()->addItem(QStringLiteral("filler.mp3"));
    ASSERT_TRUE(dropFiles(target, {folder}));
    EXPECT_EQ(s.songs()->count(), kMaxSongs);
    EXPECT_EQ(s.songs()->item(kMaxSongs - 1)->text(), QStringLiteral("2.flac"));
    ASSERT_EQ(s.h.prompts.messages.size(), 1u);
    EXPECT_EQ(s.h.prompts.messages[0].text, QStringLiteral("Can't add the music,amount outside!"));
}

// Tab walks the editor in reading order: each column of groups top to bottom, inside a group row by row.
TEST(EntryListActions, TabRunsThroughTheEditorInReadingOrderInBothLanguages) {
    for (const char* ini : {"[LanguageSelect]\nID=1\n", "[LanguageSelect]\nID=0\n"}) {
        SCOPED_TRACE(ini);
        Schedule s(1, ini);
        s.w->resize(MainWindow::kPreferredWidth, MainWindow::kPreferredHeight); // three columns of groups
        QApplication::processEvents(); // the order follows the layout of the window as shown
        EntryEditor& editor = s.page().editor();
        QTimeEdit* start = editor.startTime();
        start->setFocus();
        QApplication::processEvents();
        std::vector<QWidget*> seen;
        QWidget* w = QApplication::focusWidget();
        for (int i = 0; i < 80 && w && editor.isAncestorOf(w) && (seen.size() < 2 || w != seen.front()); ++i) {
            if (seen.empty() || seen.back() != w) // Tab first walks the sections of a time
                seen.push_back(w);
            QTest::keyClick(w, Qt::Key_Tab);
            w = QApplication::focusWidget();
        }
        ASSERT_GE(seen.size(), 15u);
        const auto indexOf = [&](QWidget* x) {
            return int(std::find(seen.begin(), seen.end(), x) - seen.begin());
        };
        // Start time, end time, then the weekdays row by row (Mon, Tues, Wed ...), then New, Save, Delete.
        EXPECT_LT(indexOf(editor.endTime()), indexOf(editor.weekdayBox(1)));
        EXPECT_LT(indexOf(editor.weekdayBox(1)), indexOf(editor.weekdayBox(2)));
        EXPECT_LT(indexOf(editor.weekdayBox(2)), indexOf(editor.weekdayBox(3)));
        EXPECT_LT(indexOf(editor.weekdayBox(6)), indexOf(editor.weekdayBox(0)));
        EXPECT_LT(indexOf(editor.weekdayBox(0)), indexOf(editor.button(EntryEditor::NewButton)));
        EXPECT_LT(indexOf(editor.button(EntryEditor::NewButton)), indexOf(editor.button(EntryEditor::SaveButton)));
        EXPECT_LT(indexOf(editor.button(EntryEditor::SaveButton)), indexOf(editor.button(EntryEditor::DeleteButton)));
        EXPECT_LT(indexOf(editor.button(EntryEditor::DeleteButton)), int(seen.size()));
        // Then the sources in the middle column (the tabs, then the page's song list), then zones and power.
        auto* tabs = editor.findChild<QTabBar*>();
        auto* zones = editor.findChild<QPushButton*>(QStringLiteral("zoneButton"));
        auto* power = editor.findChild<QPushButton*>(QStringLiteral("powerButton"));
        ASSERT_TRUE(tabs && zones && power);
        EXPECT_EQ(indexOf(tabs), indexOf(editor.button(EntryEditor::DeleteButton)) + 1);
        EXPECT_LT(indexOf(tabs), indexOf(s.songs()));
        EXPECT_LT(indexOf(s.songs()), indexOf(zones));
        EXPECT_LT(indexOf(zones), indexOf(power));
        EXPECT_LT(indexOf(power), int(seen.size()));
        // Shift+Tab goes back the same way.
        s.songs()->setFocus();
        QTest::keyClick(s.songs(), Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(QApplication::focusWidget(), tabs);
        // After the last control Tab leaves the editor for the rest of the window.
        EXPECT_TRUE(w && !editor.isAncestorOf(w)) << (w ? qPrintable(w->objectName()) : "no focus");
        std::vector<QWidget*> unique = seen;
        std::sort(unique.begin(), unique.end());
        EXPECT_EQ(std::unique(unique.begin(), unique.end()), unique.end());
    }
}

TEST(EntryListActions, TabLeavesTheListForTheEditorAndTheArrowsMoveWithinIt) {
    Schedule s(3);
    s.clickRow(0);
    s.list()->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(s.list()->hasFocus());
    QTest::keyClick(s.list(), Qt::Key_Down);
    EXPECT_EQ(s.list()->currentRow(), 1);
    QTest::keyClick(s.list(), Qt::Key_Tab);
    EXPECT_EQ(s.list()->currentRow(), 1) << "Tab moves no selection";
    QWidget* focus = QApplication::focusWidget();
    EXPECT_TRUE(focus && s.page().editor().isAncestorOf(focus)) << (focus ? qPrintable(focus->objectName()) : "none");
}

// Several rows at once: Shift+click selects a range, the editor then shows none of them and says how many (in
// either language), Shift times moves them all as one step, and undo gives the file back byte for byte. Delete on
// several asks once; Ctrl+click back to one row shows that entry again.
TEST(EntryListActions, SeveralSelectedEntriesShiftAndDeleteAsOneStep) {
    Schedule s(5);
    TimingListPage& page = s.page();
    const QByteArray before = readFile(s.h.dataFile(QStringLiteral("SCH01.DAT")));
    s.clickRow(1);
    s.clickRow(3, Qt::ShiftModifier);
    EXPECT_EQ(selectedRowCount(page.list()), 3);
    EXPECT_FALSE(page.editor().isEnabled());
    auto* line = page.findChild<QLabel*>(QStringLiteral("selectionLine"));
    ASSERT_TRUE(line);
    EXPECT_TRUE(line->isVisible());
    EXPECT_EQ(line->text(), QStringLiteral("3 entries selected"));
    s.h.texts.loadChinese();
    s.w->retranslateAll();
    EXPECT_EQ(line->text(), QStringLiteral("已选择 3 条时程")) << "the selection survives a language switch";
    EXPECT_EQ(selectedRowCount(page.list()), 3);
    EXPECT_FALSE(page.editor().isEnabled());
    s.h.texts.loadEnglish();
    s.w->retranslateAll();

    page.shiftSelection(10 * 60);
    auto table = makeTable();
    loadTableFile(s.h.dataFile(QStringLiteral("SCH01.DAT")), *table);
    EXPECT_EQ(table->entries[0].startMinute, 0);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(table->entries[std::size_t(i)].startMinute, 10) << i;
    EXPECT_EQ(table->entries[4].startMinute, 0);
    EXPECT_EQ(selectedRowCount(page.list()), 3) << "the selection survives the save";
    EXPECT_EQ(s.w->history().undoText().toStdString(), "shift 3 entries of Schedule1 by +0:10:00");

    // A shift past midnight is refused, naming the entry; nothing changes.
    const QByteArray shifted = readFile(s.h.dataFile(QStringLiteral("SCH01.DAT")));
    s.h.prompts.messages.clear();
    page.shiftSelection(15 * 3600);
    ASSERT_EQ(s.h.prompts.messages.size(), 1u);
    EXPECT_TRUE(s.h.prompts.messages[0].text.contains(QStringLiteral("Entry 4: its start or end would leave")))
        << s.h.prompts.messages[0].text.toStdString();
    EXPECT_EQ(readFile(s.h.dataFile(QStringLiteral("SCH01.DAT"))), shifted);

    s.w->undo();
    EXPECT_EQ(readFile(s.h.dataFile(QStringLiteral("SCH01.DAT"))), before);

    // Copy to… the end of Schedule2, which is not there yet: one step, which undo takes back.
    s.clickRow(1);
    s.clickRow(3, Qt::ShiftModifier);
    ASSERT_EQ(selectedRowCount(page.list()), 3);
    ASSERT_TRUE(page.copySelectionTo(1));
    auto second = makeTable();
    ASSERT_EQ(loadTableFile(s.h.dataFile(QStringLiteral("SCH02.DAT")), *second), 3);
    EXPECT_EQ(second->entries[0].startHour, 9);
    EXPECT_EQ(second->entries[2].startHour, 11);
    EXPECT_EQ(s.w->history().undoText().toStdString(), "copy into Schedule2");
    s.w->undo();
    EXPECT_FALSE(QFileInfo::exists(s.h.dataFile(QStringLiteral("SCH02.DAT"))));
    EXPECT_EQ(readFile(s.h.dataFile(QStringLiteral("SCH01.DAT"))), before);
    s.w->selectDocument(0); // the undo showed Schedule2

    // Ctrl+click three times leaves one row: the editor shows it again.
    s.clickRow(1);
    s.clickRow(2, Qt::ControlModifier);
    s.clickRow(4, Qt::ControlModifier);
    EXPECT_FALSE(page.editor().isEnabled());
    s.h.prompts.answers.push_back(0); // Delete
    s.list()->setFocus();
    QTest::keyClick(s.list(), Qt::Key_Delete);
    ASSERT_FALSE(s.h.prompts.questions.empty());
    EXPECT_EQ(s.h.prompts.questions.back().text, QStringLiteral("Delete 3 entries?"));
    EXPECT_EQ(s.entriesInFile(), 2);
    EXPECT_EQ(s.w->history().undoText(), QStringLiteral("delete 3 entries of Schedule1"));
    EXPECT_TRUE(page.editor().isEnabled());
    EXPECT_FALSE(line->isVisible());
    EXPECT_EQ(page.editor().startTime()->time(), QTime(11, 0, 0)) << "the entry that took the first deleted row";
}

// Bell pattern: the preview lists the bells after the schedule's own entries with their clashes marked, a
// refusal shows in the preview line and on Add, and the bells added are one step that undo takes back.
TEST(EntryListActions, ABellPatternIsPreviewedWithItsClashesAndAddedAsOneStep) {
    Schedule s(2); // 08:00-08:01 and 09:00-09:01, Monday to Friday, zone 1
    const QByteArray before = readFile(s.h.dataFile(QStringLiteral("SCH01.DAT")));
    BellPatternDialog dialog(*s.h.context, s.h.model->document().table());
    dialog.firstStart()->setTime(QTime(8, 0));
    dialog.lessonMinutes()->setValue(50);
    dialog.lessons()->setValue(2);
    dialog.breaks()->setText(QStringLiteral("10"));
    const QString song = s.h.home.file(QStringLiteral("bell.mp3"));
    writeFile(song, "ID3");
    dialog.songs().addFiles({song});
    // 08:00, 08:50, 09:00, 09:50: the bells at 08:00 and 09:00 clash with the two entries in zone 1.
    ASSERT_EQ(dialog.preview()->rowCount(), 4) << dialog.previewLine()->text().toStdString();
    EXPECT_EQ(dialog.preview()->item(0, 0)->text(), QStringLiteral("3"));
    EXPECT_EQ(dialog.preview()->item(1, 2)->text(), QStringLiteral("08:50:00"));
    EXPECT_FALSE(dialog.preview()->item(0, 0)->toolTip().isEmpty());
    EXPECT_TRUE(dialog.preview()->item(1, 0)->toolTip().isEmpty());
    EXPECT_TRUE(dialog.previewLine()->text().startsWith(QStringLiteral("4 entries will be added")))
        << dialog.previewLine()->text().toStdString();

    dialog.firstStart()->setTime(QTime(23, 30));
    EXPECT_EQ(dialog.preview()->rowCount(), 0);
    EXPECT_EQ(dialog.previewLine()->text(), QStringLiteral("The bell at 24:20:00 would end after 23:59:59."));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected) << "a refused pattern does not close the dialog";
    ASSERT_EQ(s.h.prompts.messages.size(), 1u);

    dialog.firstStart()->setTime(QTime(13, 0));
    dialog.accept();
    ASSERT_EQ(dialog.entries().size(), 4u);
    ASSERT_TRUE(s.page().addBells(dialog.entries()));
    EXPECT_EQ(s.entriesInFile(), 6);
    EXPECT_EQ(selectedRowCount(s.list()), 4) << "the bells added are selected";
    EXPECT_EQ(s.w->history().undoText().toStdString(), "add 4 bells to Schedule1");
    s.w->undo();
    EXPECT_EQ(readFile(s.h.dataFile(QStringLiteral("SCH01.DAT"))), before);
}

// Change… on three of four entries: Saturday added, the song replaced; one step that undo takes back.
TEST(EntryListActions, AChangeOnSeveralEntriesIsOneStep) {
    Schedule s(4);
    const QByteArray before = readFile(s.h.dataFile(QStringLiteral("SCH01.DAT")));
    s.clickRow(0);
    s.clickRow(2, Qt::ShiftModifier);
    ChangeDialog dialog(*s.h.context, 3);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Change 3 entries"));
    dialog.weekdaysHow()->setCurrentIndex(2); // add
    dialog.weekday(6)->setChecked(true);      // Saturday
    dialog.replaceSong()->setText(QStringLiteral("a.mp3"));
    dialog.bySong()->setText(QStringLiteral("bell.mp3"));
    s.page().changeSelection(dialog.change());
    auto table = makeTable();
    ASSERT_EQ(loadTableFile(s.h.dataFile(QStringLiteral("SCH01.DAT")), *table), 4);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(table->entries[std::size_t(i)].weekdays, 0x7Eu) << i;
        EXPECT_EQ(table->entries[std::size_t(i)].playlist, QStringList{QStringLiteral("bell.mp3")}) << i;
    }
    EXPECT_EQ(table->entries[3].weekdays, 0x3Eu);
    EXPECT_EQ(s.w->history().undoText().toStdString(), "change 3 entries of Schedule1");
    EXPECT_EQ(selectedRowCount(s.list()), 3);

    // The same again changes nothing: said, and no step.
    s.page().changeSelection(dialog.change());
    ASSERT_EQ(s.h.prompts.messages.size(), 1u);
    EXPECT_EQ(s.h.prompts.messages[0].text, QStringLiteral("None of the selected entries can take this change."));
    s.w->undo();
    EXPECT_EQ(readFile(s.h.dataFile(QStringLiteral("SCH01.DAT"))), before);
}

// Ctrl+A selects every entry (the new row not counted); Ctrl+D appends their copies in order, selected, as one step.
TEST(EntryListActions, SelectAllAndDuplicateSeveral) {
    Schedule s(3);
    s.clickRow(0);
    s.list()->setFocus();
    QTest::keyClick(s.list(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(selectedRowCount(s.list()), 3);
    EXPECT_EQ(s.list()->rowCount(), 3) << "no new row while several are selected";
    QTest::keyClick(s.list(), Qt::Key_D, Qt::ControlModifier);
    auto table = makeTable();
    ASSERT_EQ(loadTableFile(s.h.dataFile(QStringLiteral("SCH01.DAT")), *table), 6);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(table->entries[std::size_t(i + 3)] == table->entries[std::size_t(i)]) << i;
    EXPECT_EQ(selectedRowCount(s.list()), 3);
    EXPECT_TRUE(s.list()->item(3, 0)->isSelected());
    EXPECT_EQ(s.w->history().undoText().toStdString(), "duplicate 3 entries of Schedule1");
}
