// What the program does with files it did not write itself, or that change under it: a language switch writes
// nothing, another program's write is never overwritten unseen, a file that cannot be read is never replaced
// without asking, a failed save leaves the list showing the file, and one program holds a home.
#include "UiHarness.h"

#include "core/files/ScheduleFile.h"
#include "core/settings/HomeLock.h"
#include "ui/dialogs/LanguagePage.h"
#include "ui/dialogs/SettingsDialog.h"
#include "ui/schedule/EntryEditor.h"
#include "ui/schedule/RemoteKeyEditor.h"
#include "ui/schedule/RemoteKeyPage.h"
#include "ui/schedule/TimingListPage.h"
#include "ui/shell/Application.h"
#include "ui/history/UndoHistory.h"
#include "ui/sources/ExternalDvdPage.h"
#include "ui/sources/LocalMp3Page.h"
#include "ui/sources/SourcePanel.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimeEdit>

#include <sys/stat.h>

#include <gtest/gtest.h>

using namespace quorvan;
using namespace quorvan::test;

namespace {

enum Leave { Discard = 1, Cancel = 2 };
enum Changed { Reload = 0, Overwrite = 1, CancelWrite = 2 };

QComboBox* combo(QWidget* page, const QString& name) {
    return page->findChild<QComboBox*>(name);
}

// An entry whose modes are not the lists' first items: random, repeat all, DVD 1 repeating its track.
TimingEntry modedEntry(int hour) {
    TimingEntry e = exampleEntry();
    e.startHour = e.endHour = std::uint8_t(hour);
    e.sourceMask = 1u | (1u << 2);
    e.mp3PlayMode = 1;
    e.mp3RepeatMode = 1;
    e.dvdTracks[0] = {3, 2, 0};
    return e;
}

void writeEntries(UiHarness& h, const QString& file, const std::vector<TimingEntry>& entries) {
    auto table = makeTable();
    for (const TimingEntry& e : entries)
        appendEntry(*table, e);
    QDir().mkpath(h.home.file(QStringLiteral("zone_data")));
    ASSERT_TRUE(saveTableFile(h.dataFile(file), *table).ok);
}

std::unique_ptr<ScheduleTable> onDisk(const UiHarness& h, const QString& file) {
    auto table = makeTable();
    loadTableFile(h.dataFile(file), *table);
    return table;
}

void switchLanguage(UiHarness& h, bool english) {
    SettingsDialog dialog(*h.context, *h.window, h.window.get());
    QRadioButton* radio = english ? dialog.languagePage()->englishRadio() : dialog.languagePage()->chineseRadio();
    QTest::mouseClick(radio, Qt::LeftButton);
}

} // namespace

TEST(FileSafety, ALanguageSwitchKeepsEveryModeAndWritesNothingOnEitherPage) {
    UiHarness h;
    h.writeConfig("[LanguageSelect]\nID=1\n");
    writeEntries(h, QStringLiteral("SCH01.DAT"), {modedEntry(8)});
    auto keys = makeTable();
    keys->entries.resize(kRemoteKeyCount);
    for (int k = 0; k < kRemoteKeyCount; ++k)
        keys->entries[k] = modedEntry(0);
    ASSERT_TRUE(saveTableFile(h.dataFile(QStringLiteral("REMOTE.DAT")), *keys).ok);
    const QByteArray schedule = readFile(h.dataFile(QStringLiteral("SCH01.DAT")));
    const QByteArray remote = readFile(h.dataFile(QStringLiteral("REMOTE.DAT")));
    MainWindow& w = h.start();

    // The timing page: both languages, the same one again; no question, no write, the modes stay.
    QWidget* mp3 = w.timingPage().editor().sourcePanel().mp3Page();
    QWidget* dvd = w.timingPage().editor().sourcePanel().dvdPage();
    for (const bool english : {false, true, true}) {
        switchLanguage(h, english);
        EXPECT_TRUE(h.prompts.questions.empty());
        EXPECT_EQ(combo(mp3, QStringLiteral("playModeChoice"))->currentIndex(), 1);
        EXPECT_EQ(combo(mp3, QStringLiteral("repeatModeChoice"))->currentIndex(), 1);
        EXPECT_EQ(combo(dvd, QStringLiteral("repeat1"))->currentIndex(), 2);
        EXPECT_FALSE(w.timingPage().editor().hasUnsavedChanges());
    }
    // With an edit, Cancel keeps it exactly: the end time and the modes.
    w.timingPage().editor().endTime()->setTime(QTime(8, 45, 0));
    h.prompts.answers = {Cancel};
    switchLanguage(h, false);
    EXPECT_EQ(h.prompts.questions.size(), 1u);
    EXPECT_EQ(w.timingPage().editor().endTime()->time(), QTime(8, 45, 0));
    EXPECT_EQ(combo(mp3, QStringLiteral("playModeChoice"))->currentIndex(), 1);
    EXPECT_TRUE(w.timingPage().editor().hasUnsavedChanges());
    EXPECT_EQ(readFile(h.dataFile(QStringLiteral("SCH01.DAT"))), schedule);

    // The remote keys: key 5 shown, the language switched; the key list still names key 5 and a Save stores
    // there, not on key 1.
    h.prompts.answers = {Discard};
    w.selectDocument(4);
    RemoteKeyPage& keysPage = w.remotePage();
    keysPage.showKey(4);
    h.prompts.questions.clear();
    switchLanguage(h, true);
    EXPECT_TRUE(h.prompts.questions.empty());
    EXPECT_EQ(keysPage.editor().keyList()->currentIndex(), 4);
    QWidget* keyMp3 = keysPage.editor().sourcePanel().mp3Page();
    EXPECT_EQ(combo(keyMp3, QStringLiteral("playModeChoice"))->currentIndex(), 1);
    EXPECT_EQ(readFile(h.dataFile(QStringLiteral("REMOTE.DAT"))), remote);
    combo(keyMp3, QStringLiteral("playModeChoice"))->setCurrentIndex(0);
    h.prompts.answers = {Cancel};
    switchLanguage(h, false);
    EXPECT_EQ(keysPage.editor().keyList()->currentIndex(), 4);
    EXPECT_EQ(combo(keyMp3, QStringLiteral("playModeChoice"))->currentIndex(), 0) << "the edit is kept";
    keysPage.savePreset();
    const auto keysAfter = onDisk(h, QStringLiteral("REMOTE.DAT"));
    EXPECT_EQ(keysAfter->entries[4].mp3PlayMode, 0);
    EXPECT_EQ(keysAfter->entries[0].mp3PlayMode, 1) << "key 1 untouched";
}

TEST(FileSafety, AnotherProgramsWriteIsNeverOverwrittenUnasked) {
    UiHarness h;
    h.writeConfig("[LanguageSelect]\nID=1\n");
    writeEntries(h, QStringLiteral("SCH01.DAT"), {modedEntry(8), modedEntry(9)});
    MainWindow& w = h.start();
    TimingListPage& page = w.timingPage();
    EntryEditor& editor = page.editor();

    // Another program (quorvan-dat from-json, a second window) writes three entries between load and Save.
    const auto outside = [&](int entries) {
        std::vector<TimingEntry> written;
        for (int i = 0; i < entries; ++i)
            written.push_back(modedEntry(12 + i));
        writeEntries(h, QStringLiteral("SCH01.DAT"), written);
        return readFile(h.dataFile(QStringLiteral("SCH01.DAT")));
    };
    const QByteArray theirs = outside(3);
    editor.endTime()->setTime(QTime(8, 35, 0));

    // Cancel: nothing written, the edit stays, the list as it was.
    h.prompts.answers = {CancelWrite};
    editor.requestSave();
    ASSERT_EQ(h.prompts.questions.size(), 1u);
    EXPECT_EQ(h.prompts.questions[0].buttons,
              (QStringList{QStringLiteral("Reload"), QStringLiteral("Overwrite"), QStringLiteral("Cancel")}));
    EXPECT_TRUE(h.prompts.questions[0].text.contains(QStringLiteral("SCH01.DAT")));
    EXPECT_EQ(readFile(h.dataFile(QStringLiteral("SCH01.DAT"))), theirs);
    EXPECT_EQ(page.list()->rowCount(), 2);
    EXPECT_TRUE(editor.hasUnsavedChanges());

    // Reload: the list shows their three entries, the editor keeps the edit on row 1, unsaved; the file is still
    // theirs. The next Save writes it without a question.
    h.prompts.answers = {Reload};
    editor.requestSave();
    EXPECT_EQ(h.prompts.questions.size(), 2u);
    EXPECT_EQ(readFile(h.dataFile(QStringLiteral("SCH01.DAT"))), theirs);
    EXPECT_EQ(page.list()->rowCount(), 3);
    EXPECT_EQ(page.list()->currentRow(), 0);
    EXPECT_EQ(editor.endTime()->time(), QTime(8, 35, 0));
    EXPECT_TRUE(editor.hasUnsavedChanges());
    editor.requestSave();
    EXPECT_EQ(h.prompts.questions.size(), 2u);
    auto table = onDisk(h, QStringLiteral("SCH01.DAT"));
    ASSERT_EQ(table->count(), 3);
    EXPECT_EQ(table->entries[0].endMinute, 35);
    EXPECT_EQ(table->entries[2].startHour, 14) << "their third entry stays";

    // Overwrite: written, and their version is kept among the backups.
    const QByteArray again = outside(1);
    editor.endTime()->setTime(QTime(8, 40, 0));
    h.prompts.answers = {Overwrite};
    editor.requestSave();
    EXPECT_EQ(h.prompts.questions.size(), 3u);
    table = onDisk(h, QStringLiteral("SCH01.DAT"));
    EXPECT_EQ(table->count(), 3);
    EXPECT_EQ(table->entries[0].endMinute, 40);
    const std::vector<BackupVersion> kept = h.backups.versions(QStringLiteral("SCH01.DAT"));
    ASSERT_FALSE(kept.empty());
    EXPECT_EQ(BackupStore::read(kept.back()), again);
}

TEST(FileSafety, AFailedSaveShowsTheFileAndKeepsTheEditForAnotherTry) {
    UiHarness h;
    h.writeConfig("[LanguageSelect]\nID=1\n");
    writeEntries(h, QStringLiteral("SCH01.DAT"), {modedEntry(8)});
    const QByteArray before = readFile(h.dataFile(QStringLiteral("SCH01.DAT")));
    MainWindow& w = h.start();
    TimingListPage& page = w.timingPage();
    page.editor().endTime()->setTime(QTime(8, 50, 0));
    {
        const FileSizeLimit full(before.size() - 1); // the disk takes less than the file
        ASSERT_TRUE(full.ok());
        page.editor().requestSave();
    }
    // The backup of the old bytes may fail on the full disk too (a warning); the save's failure is a stop.
    ASSERT_FALSE(h.prompts.messages.empty());
    EXPECT_EQ(h.prompts.messages.back().icon, Prompts::Icon::Stop);
    EXPECT_EQ(readFile(h.dataFile(QStringLiteral("SCH01.DAT"))), before);
    EXPECT_EQ(page.list()->item(0, 3)->text(), QStringLiteral("08:30:00")) << "the list shows the file";
    EXPECT_EQ(page.editor().endTime()->time(), QTime(8, 50, 0));
    EXPECT_TRUE(page.editor().hasUnsavedChanges());
    EXPECT_FALSE(w.history().canUndo());

    // A new entry that could not be written stays a new entry in the editor.
    h.prompts.answers = {Discard};
    page.editor().button(EntryEditor::NewButton)->click();
    page.editor().startTime()->setTime(QTime(11, 0, 0));
    {
        const FileSizeLimit full(before.size() + 100);
        page.editor().requestSave();
    }
    EXPECT_EQ(onDisk(h, QStringLiteral("SCH01.DAT"))->count(), 1);
    EXPECT_EQ(page.list()->rowCount(), 2);
    EXPECT_TRUE(page.newRowPending());
    EXPECT_EQ(page.editor().startTime()->time(), QTime(11, 0, 0));

    // With room again, Save writes the new entry.
    page.editor().requestSave();
    EXPECT_EQ(onDisk(h, QStringLiteral("SCH01.DAT"))->count(), 2);
}

TEST(FileSafety, DataAndSettingsFilesThatCannotBeReadAreReportedAndNeverReplacedUnasked) {
    UiHarness h;
    QDir().mkpath(h.home.file(QStringLiteral("zone_data")));
    // A FIFO as the first schedule and as Config.ini, the names file a link to an endless device: the window
    // must come up all the same.
    ASSERT_EQ(::mkfifo(QFile::encodeName(h.dataFile(QStringLiteral("SCH01.DAT"))).constData(), 0600), 0);
    ASSERT_EQ(::mkfifo(QFile::encodeName(h.home.file(QStringLiteral("Config.ini"))).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), h.home.file(QStringLiteral("Config_name.ini"))));
    MainWindow& w = h.start();
    QTest::qWait(10); // the warnings wait for the window
    QStringList texts;
    for (const FakePrompts::Message& m : h.prompts.messages)
        texts << m.text;
    EXPECT_EQ(texts.size(), 2) << texts.join(u"\n---\n").toStdString();
    EXPECT_TRUE(texts.join(u'\n').contains(QStringLiteral("SCH01.DAT")));
    EXPECT_TRUE(texts.join(u'\n').contains(QStringLiteral("Config.ini")));
    EXPECT_TRUE(texts.join(u'\n').contains(QStringLiteral("Config_name.ini")));

    // The first Save asks; Cancel leaves the FIFO, Replace writes a schedule of our own.
    TimingListPage& page = w.timingPage();
    page.editor().startTime()->setTime(QTime(7, 0, 0));
    h.prompts.answers = {1};
    page.editor().requestSave();
    ASSERT_EQ(h.prompts.questions.size(), 1u);
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(h.dataFile(QStringLiteral("SCH01.DAT"))).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    h.prompts.answers = {0};
    page.editor().requestSave();
    EXPECT_EQ(h.prompts.questions.size(), 2u);
    EXPECT_EQ(onDisk(h, QStringLiteral("SCH01.DAT"))->count(), 1);
    // Ours now: the next save asks nothing.
    page.editor().endTime()->setTime(QTime(7, 5, 0));
    page.editor().requestSave();
    EXPECT_EQ(h.prompts.questions.size(), 2u);
}

TEST(FileSafety, ASecondProgramOnAHomeIsToldAndStops) {
    const TempHome home;
    HomeLock first(home.path());
    ASSERT_TRUE(first.tryLock());
    HomeLock second(home.path());
    FakePrompts prompts;
    EXPECT_FALSE(Application::holdHome(second, home.path(), prompts));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(prompts.messages[0].text.contains(QStringLiteral("is open in another Quorvan window")));
    EXPECT_TRUE(prompts.messages[0].text.contains(QStringLiteral("已在另一个Quorvan窗口中打开")));
    EXPECT_TRUE(prompts.messages[0].text.contains(QDir::toNativeSeparators(home.path())));
}

TEST(FileSafety, TheFirstSaveOverADamagedFileAsksAndTheOriginalStaysKept) {
    UiHarness h;
    h.writeConfig("[LanguageSelect]\nID=1\n");
    std::vector<TimingEntry> five;
    for (int i = 0; i < 5; ++i)
        five.push_back(modedEntry(8 + i));
    writeEntries(h, QStringLiteral("SCH01.DAT"), five);
    // Cut inside the third entry's song: entries 3 to 5 come out incomplete.
    QByteArray bytes = readFile(h.dataFile(QStringLiteral("SCH01.DAT")));
    bytes.truncate(4104 + 2 * (176 + 624) + 300);
    writeFile(h.dataFile(QStringLiteral("SCH01.DAT")), bytes);
    MainWindow& w = h.start();
    QTest::qWait(10);
    ASSERT_EQ(h.prompts.messages.size(), 1u) << "the damage is told at start";

    EntryEditor& editor = w.timingPage().editor();
    editor.endTime()->setTime(QTime(8, 45, 0));
    h.prompts.answers = {1};
    editor.requestSave();
    ASSERT_EQ(h.prompts.questions.size(), 1u);
    EXPECT_EQ(h.prompts.questions[0].buttons, (QStringList{QStringLiteral("Save anyway"), QStringLiteral("Cancel")}));
    EXPECT_TRUE(h.prompts.questions[0].text.contains(QStringLiteral("3 of its entries"))) << h.prompts.questions[0].text.toStdString();
    EXPECT_EQ(readFile(h.dataFile(QStringLiteral("SCH01.DAT"))), bytes);
    EXPECT_TRUE(editor.hasUnsavedChanges());

    h.prompts.answers = {0};
    editor.requestSave();
    EXPECT_EQ(onDisk(h, QStringLiteral("SCH01.DAT"))->entries[0].endMinute, 45);
    bool damagedKept = false;
    for (const BackupVersion& v : h.backups.versions(QStringLiteral("SCH01.DAT")))
        damagedKept = damagedKept || (v.mark == BackupVersion::Mark::Damaged && BackupStore::read(v) == bytes);
    EXPECT_TRUE(damagedKept);
    // The file is the program's own now: no more questions.
    editor.endTime()->setTime(QTime(8, 50, 0));
    editor.requestSave();
    EXPECT_EQ(h.prompts.questions.size(), 2u);
}
