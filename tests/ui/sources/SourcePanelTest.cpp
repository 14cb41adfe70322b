#include <gtest/gtest.h>

#include "FakePrompts.h"
#include "TestSupport.h"
#include "WidgetProbe.h"

#include "core/history/BackupStore.h"
#include "core/schedule/ScheduleModel.h"
#include "core/serial/SerialLink.h"
#include "core/settings/NameTables.h"
#include "core/settings/SettingsFiles.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/sources/ExternalDvdPage.h"
#include "ui/sources/ExternalMp3Page.h"
#include "ui/sources/ExternalRadioPage.h"
#include "ui/sources/LocalFmPage.h"
#include "ui/sources/LocalMp3Page.h"
#include "ui/sources/SourcePanel.h"

#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <memory>

namespace quorvan {
namespace {

using test::FakePrompts;
using test::TempHome;

// The panel alone on the program's shared objects, in English.
class SourcePanelTest : public ::testing::Test {
protected:
    SourcePanelTest() {
        texts.loadEnglish();
        panel = std::make_unique<SourcePanel>(context);
        panel->show();
    }

    template <typename W> W* control(QWidget* page, const QString& name) { return test::findControl<W>(page, name); }
    QListWidget* songs() { return control<QListWidget>(panel->mp3Page(), QStringLiteral("songList")); }
    void click(const char* name) { control<QPushButton>(panel->mp3Page(), QLatin1String(name))->click(); }
    QComboBox* dvdCombo(const QString& name) { return control<QComboBox>(panel->dvdPage(), name); }
    QComboBox* mp3Combo(const char* name) { return control<QComboBox>(panel->mp3Page(), QLatin1String(name)); }
    QComboBox* fmList() { return control<QComboBox>(panel->fmPage(), QStringLiteral("frequencyList")); }

    QStringList lines() { return test::listLines(songs()); }
    int selectedRow() { return test::selectedListRow(songs()); }
    // A zero entry with the given songs in its play list.
    static std::unique_ptr<TimingEntry> entryWithSongs(int count) {
        auto entry = std::make_unique<TimingEntry>();
        for (int i = 0; i < count; ++i)
            entry->playlist << QStringLiteral("song%1.mp3").arg(i);
        if (count > 0)
            entry->sourceMask |= source::kHostMp3;
        return entry;
    }
    QString makeFile(const QString& name) {
        test::writeFile(home.file(name), QByteArrayLiteral("ID3"));
        return home.file(name);
    }

    TempHome home;
    TextTable texts;
    NameTables names;
    SettingsFiles settings{home.path()};
    SerialLink serial;
    FakePrompts prompts;
    ScheduleModel model{texts, home.path()};
    BackupStore backups{home.path()};
    AppContext context{texts, names, model, settings, serial, prompts, backups};
    std::unique_ptr<SourcePanel> panel;
};

TEST_F(SourcePanelTest, AddStopsAtTheSongLimitWithOneMessage) {
    auto entry = entryWithSongs(254);
    panel->loadSourceSettings(*entry);
    ASSERT_EQ(songs()->count(), 254);

    const QString a = makeFile(QStringLiteral("a.mp3"));
    const QString b = makeFile(QStringLiteral("B.WAV"));
    const QString c = makeFile(QStringLiteral("c.mp3"));
    prompts.files.push_back({home.file(QStringLiteral("missing.mp3")), a, b, c});
    click("addButton");

    EXPECT_EQ(songs()->count(), 255);
    EXPECT_EQ(songs()->item(254)->text(), QStringLiteral("a.mp3"));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].caption, QStringLiteral("Warning"));
    EXPECT_EQ(prompts.messages[0].text, QStringLiteral("Can't add the music,amount outside!"));
    EXPECT_EQ(prompts.messages[0].icon, Prompts::Icon::Stop);
    EXPECT_EQ(selectedRow(), 254);
    EXPECT_EQ(prompts.fileTitles, QStringList{QStringLiteral("Add")});
    EXPECT_TRUE(prompts.fileFilters.value(0).startsWith(QStringLiteral("音乐文件 (")));

    panel->saveSourceSettings(*entry);
    EXPECT_EQ(entry->playlist.size(), 255);
    EXPECT_EQ(entry->playlist.value(254), QStringLiteral("a.mp3"));

    // A full list refuses the next file again, once per command.
    prompts.files.push_back({c});
    click("addButton");
    EXPECT_EQ(songs()->count(), 255);
    EXPECT_EQ(prompts.messages.size(), 2u);
}

TEST_F(SourcePanelTest, AddSkipsUnreadablePathsSilentlyAndKeepsTheNameOnly) {
    QDir(home.path()).mkdir(QStringLiteral("folder.mp3"));
    const QString song = makeFile(QStringLiteral("Song One.FLAC"));
    prompts.files.push_back({home.file(QStringLiteral("gone.mp3")), home.file(QStringLiteral("folder.mp3")), song});
    click("addButton");
    EXPECT_EQ(lines(), QStringList{QStringLiteral("Song One.FLAC")});
    EXPECT_EQ(selectedRow(), 0);
    EXPECT_TRUE(prompts.messages.empty());

    // Cancelling the chooser adds nothing.
    click("addButton");
    EXPECT_EQ(songs()->count(), 1);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(SourcePanelTest, MoveCommandsSwapNeighboursAndDoNothingAtTheEnds) {
    const QStringList abc{QStringLiteral("song0.mp3"), QStringLiteral("song1.mp3"), QStringLiteral("song2.mp3")};
    auto entry = entryWithSongs(3);
    panel->loadSourceSettings(*entry);
    EXPECT_EQ(selectedRow(), -1);

    click("moveUpButton"); // no selection
    click("moveDownButton");
    EXPECT_EQ(lines(), abc);

    songs()->setCurrentRow(0);
    click("moveUpButton");
    EXPECT_EQ(lines(), abc);
    EXPECT_EQ(selectedRow(), 0);
    songs()->setCurrentRow(2);
    click("moveDownButton");
    EXPECT_EQ(lines(), abc);
    EXPECT_EQ(selectedRow(), 2);

    songs()->setCurrentRow(1);
    click("moveUpButton");
    EXPECT_EQ(lines(), (QStringList{abc[1], abc[0], abc[2]}));
    EXPECT_EQ(selectedRow(), 0);
    click("moveDownButton");
    click("moveDownButton");
    EXPECT_EQ(lines(), (QStringList{abc[0], abc[2], abc[1]}));
    EXPECT_EQ(selectedRow(), 2);

    panel->saveSourceSettings(*entry);
    EXPECT_EQ(entry->playlist.value(1), abc[2]);
    EXPECT_EQ(entry->playlist.value(2), abc[1]);

    auto single = entryWithSongs(1);
    panel->loadSourceSettings(*single);
    songs()->setCurrentRow(0);
    click("moveUpButton");
    click("moveDownButton");
    EXPECT_EQ(lines(), QStringList{abc[0]});
    EXPECT_EQ(selectedRow(), 0);
}

TEST_F(SourcePanelTest, DeleteSelectsTheNextLineOrTheNewLast) {
    auto entry = entryWithSongs(4);
    panel->loadSourceSettings(*entry);
    click("deleteButton"); // no selection
    EXPECT_EQ(songs()->count(), 4);

    songs()->setCurrentRow(1);
    click("deleteButton");
    EXPECT_EQ(lines(),
              (QStringList{QStringLiteral("song0.mp3"), QStringLiteral("song2.mp3"), QStringLiteral("song3.mp3")}));
    EXPECT_EQ(selectedRow(), 1);
    songs()->setCurrentRow(2);
    click("deleteButton");
    EXPECT_EQ(lines(), (QStringList{QStringLiteral("song0.mp3"), QStringLiteral("song2.mp3")}));
    EXPECT_EQ(selectedRow(), 1);
    click("deleteButton");
    click("deleteButton");
    EXPECT_EQ(songs()->count(), 0);
    click("deleteButton"); // empty list
    EXPECT_EQ(songs()->count(), 0);

    // An emptied list unmarks the source.
    panel->saveSourceSettings(*entry);
    EXPECT_EQ(entry->sourceMask & source::kHostMp3, 0u);
    EXPECT_TRUE(entry->playlist.isEmpty());
}

TEST_F(SourcePanelTest, FmListMapsPositionsToFrequencies) {
    QComboBox* fm = fmList();
    ASSERT_EQ(fm->count(), 212);
    EXPECT_EQ(fm->itemText(0), QString());
    EXPECT_EQ(fm->itemText(211), QStringLiteral("108.0MHz"));

    auto entry = std::make_unique<TimingEntry>();
    entry->fmFrequency = 8700;
    entry->sourceMask = source::kHostFm;
    panel->loadSourceSettings(*entry);
    EXPECT_EQ(fm->currentText(), QStringLiteral("87.0MHz"));

    fm->setCurrentIndex(0);
    panel->saveSourceSettings(*entry);
    EXPECT_EQ(entry->fmFrequency, 0);
    EXPECT_EQ(entry->sourceMask & source::kHostFm, 0u);

    fm->setCurrentIndex(211);
    panel->saveSourceSettings(*entry);
    EXPECT_EQ(entry->fmFrequency, 10800);
    EXPECT_NE(entry->sourceMask & source::kHostFm, 0u);

    // A frequency the list cannot show loads as the empty line.
    entry->fmFrequency = 10900;
    panel->loadSourceSettings(*entry);
    EXPECT_EQ(fm->currentIndex(), 0);
}

TEST_F(SourcePanelTest, DvdTracksAndRepeatsBecomeTrackSettings) {
    QComboBox* track1 = dvdCombo(QStringLiteral("track1"));
    QComboBox* repeat1 = dvdCombo(QStringLiteral("repeat1"));
    ASSERT_EQ(track1->count(), 100);
    EXPECT_EQ(track1->itemText(1), QStringLiteral("01"));
    EXPECT_EQ(track1->itemText(99), QStringLiteral("99"));
    EXPECT_EQ(control<QLabel>(panel->dvdPage(), QStringLiteral("player8"))->text(), QStringLiteral("DVD8"));

    auto entry = std::make_unique<TimingEntry>();
    entry->dvdTracks[2] = {5, 2, 7};
    entry->sourceMask = 1u << 4;
    panel->loadSourceSettings(*entry);
    EXPECT_EQ(dvdCombo(QStringLiteral("track3"))->currentText(), QStringLiteral("05"));
    EXPECT_EQ(dvdCombo(QStringLiteral("repeat3"))->currentIndex(), 2);

    track1->setCurrentIndex(1);
    repeat1->setCurrentText(QStringLiteral("Single Repeat"));
    dvdCombo(QStringLiteral("track3"))->setCurrentIndex(0); // the repeat list still shows "Order Once"
    panel->saveSourceSettings(*entry);
    EXPECT_EQ(entry->dvdTracks[0], (TrackSetting{1, 1, 0}));
    EXPECT_EQ(entry->dvdTracks[2], TrackSetting{});
    EXPECT_EQ(entry->sourceMask, 1u << 2);

    // Loading an entry that leaves DVD 4 unset empties its track but keeps the repeat choice.
    dvdCombo(QStringLiteral("track4"))->setCurrentIndex(9);
    dvdCombo(QStringLiteral("repeat4"))->setCurrentIndex(2);
    auto other = std::make_unique<TimingEntry>();
    other->dvdTracks[3] = {3, 1, 0}; // stale values behind a clear bit
    panel->loadSourceSettings(*other);
    EXPECT_EQ(dvdCombo(QStringLiteral("track4"))->currentIndex(), 0);
    EXPECT_EQ(dvdCombo(QStringLiteral("repeat4"))->currentIndex(), 2);
    EXPECT_EQ(track1->currentIndex(), 0);
}

TEST_F(SourcePanelTest, LoadNormalisesModesAndSaveKeepsTheOtherSourceBits) {
    auto entry = entryWithSongs(2);
    entry->mp3PlayMode = 5;
    entry->mp3RepeatMode = 1;
    entry->playlistOnCard = 1;
    entry->sourceMask |= 0xFC000000u;
    panel->loadSourceSettings(*entry);
    EXPECT_EQ(entry->mp3PlayMode, 0);
    EXPECT_EQ(mp3Combo("playModeChoice")->currentIndex(), 0);
    EXPECT_EQ(mp3Combo("playModeChoice")->currentText(), QStringLiteral("Order"));
    EXPECT_EQ(mp3Combo("repeatModeChoice")->currentText(), QStringLiteral("All"));
    EXPECT_TRUE(control<QRadioButton>(panel->mp3Page(), QStringLiteral("cardStorage"))->isChecked());

    control<QRadioButton>(panel->mp3Page(), QStringLiteral("internalStorage"))->click();
    mp3Combo("playModeChoice")->setCurrentIndex(1);
    songs()->clear();
    panel->saveSourceSettings(*entry);
    EXPECT_EQ(entry->sourceMask, 0xFC000000u);
    EXPECT_EQ(entry->playlistOnCard, 0);
    EXPECT_EQ(entry->mp3PlayMode, 1);
    EXPECT_EQ(entry->mp3RepeatMode, 1);
}

TEST_F(SourcePanelTest, EveryValidSettingSurvivesALoadSaveRoundTrip) {
    auto entry = entryWithSongs(3);
    entry->mp3PlayMode = 1;
    entry->playlistOnCard = 1;
    entry->fmFrequency = 9530;
    entry->sourceMask |= source::kHostFm | source::kAlarmVoice | source::kRemoteMic;
    for (int k = 0; k < 8; ++k) {
        if (k % 2 == 0) {
            entry->dvdTracks[k] = {std::uint16_t(10 * k + 1), std::uint8_t(k % 3), 0};
            entry->sourceMask |= 1u << (source::kFirstDvdBit + k);
        } else {
            entry->extMp3Tracks[k] = {std::uint16_t(32 * k + 32), std::uint8_t(k % 3), 0};
            entry->sourceMask |= 1u << (source::kFirstExtMp3Bit + k);
        }
        entry->extRadioPresets[k] = std::uint16_t(k == 7 ? 30 : k);
        if (k > 0)
            entry->sourceMask |= 1u << (source::kFirstExtRadioBit + k);
    }
    const TimingEntry original = *entry;
    panel->loadSourceSettings(*entry);
    EXPECT_EQ(panel->extMp3Page()->trackList(7)->currentText(), QStringLiteral("256"));
    EXPECT_EQ(panel->radioPage()->presetList(7)->currentText(), QStringLiteral("30"));

    // Saving takes nothing from the target entry apart from the source bits the panel does not own.
    auto blank = std::make_unique<TimingEntry>();
    panel->saveSourceSettings(*blank);
    EXPECT_EQ(blank->sourceMask, original.sourceMask & 0x03FFFFFFu);
    EXPECT_EQ(blank->extMp3Tracks[7], original.extMp3Tracks[7]);

    panel->saveSourceSettings(*entry);
    EXPECT_TRUE(*entry == original);
}

TEST_F(SourcePanelTest, RefreshSwitchesCaptionsAndKeepsTheChosenModes) {
    QTabWidget* tabs = panel->findChild<QTabWidget*>(QStringLiteral("sourceTabs"));
    ASSERT_EQ(tabs, panel->tabs());
    ASSERT_EQ(tabs->count(), 4);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Local MP3"));
    EXPECT_EQ(tabs->tabText(3), QStringLiteral("Ext. Radio"));
    auto* card = control<QRadioButton>(panel->mp3Page(), QStringLiteral("cardStorage"));
    EXPECT_EQ(card->text(), QStringLiteral("Ext stroage"));
    EXPECT_EQ(panel->radioPage()->rowLabel(0)->text(), QStringLiteral("ExtRadio1"));

    auto entry = std::make_unique<TimingEntry>();
    entry->mp3PlayMode = 1;
    entry->mp3RepeatMode = 1;
    entry->dvdTracks[0] = {4, 2, 0};
    entry->sourceMask = 1u << 2;
    panel->loadSourceSettings(*entry);

    texts.loadChinese();
    panel->retranslate();
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("主机MP3"));
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("外控DVD"));
    EXPECT_EQ(card->text(), QStringLiteral("SD卡"));
    EXPECT_EQ(control<QPushButton>(panel->mp3Page(), QStringLiteral("addButton"))->text(), QStringLiteral("添加"));
    EXPECT_EQ(panel->radioPage()->rowLabel(7)->text(), QStringLiteral("外控收音8"));
    EXPECT_EQ(control<QLabel>(panel->dvdPage(), QStringLiteral("player1"))->text(), QStringLiteral("DVD1"));
    // The lists speak the new language and keep the entry's modes: a language switch changes no entry.
    EXPECT_EQ(mp3Combo("playModeChoice")->count(), 2);
    EXPECT_EQ(mp3Combo("playModeChoice")->itemText(0), QStringLiteral("循序播放"));
    EXPECT_EQ(mp3Combo("playModeChoice")->currentIndex(), 1);
    EXPECT_EQ(mp3Combo("repeatModeChoice")->itemText(0), QStringLiteral("全部一次"));
    EXPECT_EQ(mp3Combo("repeatModeChoice")->currentIndex(), 1);
    EXPECT_EQ(dvdCombo(QStringLiteral("repeat1"))->itemText(0), QStringLiteral("单曲一次"));
    EXPECT_EQ(dvdCombo(QStringLiteral("repeat1"))->currentIndex(), 2);
    EXPECT_EQ(dvdCombo(QStringLiteral("track1"))->currentText(), QStringLiteral("04")); // tracks are not touched

    texts.loadEnglish();
    panel->retranslate();
    EXPECT_EQ(card->text(), QStringLiteral("Ext stroage"));
    EXPECT_EQ(dvdCombo(QStringLiteral("repeat1"))->itemText(0), QStringLiteral("Single Once"));
    EXPECT_EQ(dvdCombo(QStringLiteral("repeat1"))->currentIndex(), 2);
    auto stored = std::make_unique<TimingEntry>(*entry);
    panel->saveSourceSettings(*stored);
    EXPECT_EQ(stored->mp3PlayMode, 1);
    EXPECT_EQ(stored->mp3RepeatMode, 1);
    EXPECT_EQ(stored->dvdTracks[0].repeatMode, 2);
}

TEST_F(SourcePanelTest, TabsShowOnePageAndTheExternalMp3PageNever) {
    EXPECT_EQ(panel->size(), QSize(460, 250));
    QWidget* pages[4] = {panel->mp3Page(), panel->fmPage(), panel->dvdPage(), panel->radioPage()};
    for (int tab = 3; tab >= 0; --tab) {
        panel->tabs()->setCurrentIndex(tab);
        for (int p = 0; p < 4; ++p)
            EXPECT_EQ(pages[p]->isVisible(), p == tab) << "tab " << tab << " page " << p;
        EXPECT_FALSE(panel->extMp3Page()->isVisible());
        EXPECT_EQ(pages[tab]->geometry(), QRect(QPoint(10, 30), panel->mp3Page()->size()));
    }
}

TEST_F(SourcePanelTest, EscapeInsideThePanelDoesNotCloseItsDialog) {
    QDialog dialog;
    auto* edit = new QLineEdit(&dialog);
    auto* hosted = new SourcePanel(context, &dialog);
    hosted->move(0, 30);
    dialog.show();
    QListWidget* list = hosted->mp3Page()->findChild<QListWidget*>(QStringLiteral("songList"));
    ASSERT_NE(list, nullptr);
    QTest::keyClick(list, Qt::Key_Escape);
    QTest::keyClick(hosted->fmPage()->frequencyList(), Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    // The same key outside the panel closes the dialog, so the check above means something.
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace
} // namespace quorvan
