// The operator's whole job, end to end, on real windows and real files.
#include "UiHarness.h"
#include "WidgetProbe.h"

#include "core/files/ScheduleFile.h"
#include "ui/schedule/EntryEditor.h"
#include "ui/schedule/RemoteKeyEditor.h"
#include "ui/schedule/RemoteKeyPage.h"
#include "ui/schedule/TimingListPage.h"
#include "ui/schedule/ZonePickerDialog.h"
#include "ui/schedule/ZonePowerPanel.h"
#include "ui/shell/NavigationTree.h"
#include "ui/shell/ToolBar.h"
#include "ui/sources/SourcePanel.h"
#include "ui/widgets/IconButton.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace quorvan;
using namespace quorvan::test;

namespace {

void clickRow(QTableWidget* list, int row) {
    const QRect rect = list->visualItemRect(list->item(row, 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

} // namespace

TEST(TypicalEdit, ScheduleTwoEntryIsWrittenByteExactAndExported) {
    UiHarness h;
    h.writeConfig("[LanguageSelect]\nID=1\n");
    MainWindow& w = h.start();
    QTreeWidget* tree = w.tree().tree();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(w.tree().documentItem(1)).center());
    ASSERT_EQ(h.model->current().fileName, QStringLiteral("SCH02.DAT"));

    TimingListPage& page = w.timingPage();
    EntryEditor& editor = page.editor();
    ASSERT_TRUE(page.newRowPending()) << "an empty schedule opens with a pending row";
    for (int bit = 1; bit <= 5; ++bit)
        editor.weekdayBox(bit)->setChecked(true);
    editor.startTime()->setTime(QTime(8, 0, 0));
    editor.endTime()->setTime(QTime(8, 30, 0));

    QTimer::singleShot(0, [] {
        auto* picker = qobject_cast<ZonePickerDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(picker, nullptr);
        picker->list()->item(0)->setCheckState(Qt::Checked);
        picker->accept();
    });
    QTest::mouseClick(editor.targets().zoneButton(), Qt::LeftButton);

    TempHome music;
    writeFile(music.file(QStringLiteral("a.mp3")), "ID3");
    h.prompts.files.push_back({music.file(QStringLiteral("a.mp3"))});
    SourcePanel& panel = editor.sourcePanel();
    QTest::mouseClick(findControl<QPushButton>(&panel, QStringLiteral("addButton")), Qt::LeftButton);
    findControl<QRadioButton>(&panel, QStringLiteral("cardStorage"))->setChecked(true);

    QTest::mouseClick(editor.button(EntryEditor::SaveButton), Qt::LeftButton);
    EXPECT_TRUE(h.prompts.messages.empty());
    EXPECT_EQ(readFile(h.dataFile(QStringLiteral("SCH02.DAT"))), exampleFileBytes());
    QTableWidget* list = page.list();
    ASSERT_EQ(list->rowCount(), 2);
    EXPECT_EQ(list->item(0, 0)->text(), QStringLiteral("1"));
    EXPECT_EQ(list->item(0, 1)->text(), QStringLiteral("Mon,Tues,Wed,Thur,Fri"));
    EXPECT_EQ(list->item(0, 4)->text(), QStringLiteral("LOCAL"));
    EXPECT_EQ(list->item(0, 5)->text(), QStringLiteral("LocalZone1"));
    EXPECT_EQ(list->item(1, 0)->text(), QStringLiteral("*"));

    TempHome card;
    writeFile(card.file(QStringLiteral("a.mp3")), "ID3"); // the song the entry plays from the card
    h.prompts.folders.push_back(card.path());
    QTest::mouseClick(w.toolBar().button(ToolBar::Export), Qt::LeftButton);
    EXPECT_EQ(h.prompts.messages.back().text, QStringLiteral("Export success !"));
    const QStringList names = QDir(card.path()).entryList(QDir::Files);
    EXPECT_EQ(names.size(), 12);
    EXPECT_EQ(readFile(card.file(QStringLiteral("SCH02.DAT"))), exampleFileBytes());
}

TEST(TypicalEdit, ChangingAndDeletingEntriesRewritesTheFile) {
    UiHarness h;
    h.writeConfig("[LanguageSelect]\nID=1\n");
    auto table = makeTable();
    for (int i = 0; i < 3; ++i) {
        TimingEntry e = exampleEntry();
        e.startHour = std::uint8_t(7 + i);
        appendEntry(*table, e);
    }
    ASSERT_TRUE(saveTable(h.home.path(), QStringLiteral("SCH01.DAT"), *table).ok);
    MainWindow& w = h.start();
    TimingListPage& page = w.timingPage();
    ASSERT_EQ(page.list()->rowCount(), 3);

    clickRow(page.list(), 1);
    EXPECT_EQ(page.editor().startTime()->time(), QTime(8, 0, 0));
    page.editor().startTime()->setTime(QTime(9, 15, 0));
    QTest::mouseClick(page.editor().button(EntryEditor::SaveButton), Qt::LeftButton);
    auto saved = makeTable();
    loadTable(h.home.path(), QStringLiteral("SCH01.DAT"), *saved);
    EXPECT_EQ(saved->entries[1].startHour, 9);
    EXPECT_EQ(saved->entries[1].startMinute, 15);

    clickRow(page.list(), 0);
    QTest::mouseClick(page.editor().button(EntryEditor::DeleteButton), Qt::LeftButton);
    loadTable(h.home.path(), QStringLiteral("SCH01.DAT"), *saved);
    EXPECT_EQ(saved->count(), 2);
    EXPECT_EQ(saved->entries[0].startHour, 9);
    EXPECT_EQ(page.list()->item(0, 0)->text(), QStringLiteral("1"));
    EXPECT_EQ(page.editor().startTime()->time(), QTime(9, 15, 0)) << "the editor shows the entry now selected";
}

TEST(TypicalEdit, FullScheduleRefusesANewRow) {
    UiHarness h;
    h.writeConfig("[LanguageSelect]\nID=1\n");
    auto table = makeTable();
    for (int i = 0; i < 256; ++i)
        appendEntry(*table, exampleEntry());
    ASSERT_TRUE(saveTable(h.home.path(), QStringLiteral("SCH01.DAT"), *table).ok);
    MainWindow& w = h.start();
    QTest::mouseClick(w.timingPage().editor().button(EntryEditor::NewButton), Qt::LeftButton);
    ASSERT_EQ(h.prompts.messages.size(), 1u);
    EXPECT_EQ(h.prompts.messages[0].caption, QStringLiteral("错误"));
    EXPECT_EQ(h.prompts.messages[0].text, QStringLiteral("The list is full: a schedule holds at most 256 entries."));
    EXPECT_EQ(h.prompts.messages[0].icon, Prompts::Icon::Stop);
    EXPECT_EQ(w.timingPage().list()->rowCount(), 256);
}

TEST(RemoteKeys, TwelveRowsSaveUnderTheChosenKeyAndDeleteKeepsTheName) {
    UiHarness h;
    h.writeConfig("[LanguageSelect]\nID=1\n");
    auto presets = makeTable();
    for (int i = 0; i < 3; ++i) {
        TimingEntry e = exampleEntry();
        e.zoneMask[0] = 1u << i;
        appendEntry(*presets, e);
    }
    ASSERT_TRUE(saveTable(h.home.path(), QStringLiteral("REMOTE.DAT"), *presets).ok);
    MainWindow& w = h.start();
    w.selectDocument(4);
    RemoteKeyPage& page = w.remotePage();
    QTableWidget* list = page.list();
    ASSERT_EQ(list->rowCount(), 12);
    EXPECT_EQ(list->item(2, 3)->text(), QStringLiteral("LocalZone3"));
    for (int k = 3; k < 12; ++k) {
        EXPECT_EQ(list->item(k, 1)->text(), QStringLiteral("Remote%1").arg(k + 1));
        EXPECT_TRUE(list->item(k, 2)->text().isEmpty()) << k;
    }

    clickRow(list, 1);
    EXPECT_EQ(page.editor().selectedKey(), 1);
    page.editor().keyList()->setCurrentIndex(8);
    QTest::mouseClick(page.editor().saveButton(), Qt::LeftButton);
    auto saved = makeTable();
    EXPECT_EQ(loadTable(h.home.path(), QStringLiteral("REMOTE.DAT"), *saved), 12);
    EXPECT_EQ(saved->entries[8].zoneMask[0], 2u) << "key 9 got the preset shown";
    EXPECT_EQ(saved->entries[1].zoneMask[0], 2u) << "row 2 is unchanged";
    EXPECT_EQ(list->item(8, 3)->text(), QStringLiteral("LocalZone2"));

    clickRow(list, 1);
    QTest::mouseClick(page.editor().deleteButton(), Qt::LeftButton);
    EXPECT_EQ(list->item(1, 1)->text(), QStringLiteral("Remote2"));
    EXPECT_TRUE(list->item(1, 3)->text().isEmpty());
    loadTable(h.home.path(), QStringLiteral("REMOTE.DAT"), *saved);
    EXPECT_EQ(saved->count(), 12);
    EXPECT_EQ(saved->entries[1].zoneMask[0], 0u);
    EXPECT_EQ(saved->entries[8].zoneMask[0], 2u);
}
