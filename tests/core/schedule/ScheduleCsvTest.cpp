#include "TestSupport.h"

#include "core/files/ScheduleFile.h"
#include "core/files/ScheduleFileCheck.h"
#include "core/schedule/CsvText.h"
#include "core/schedule/ScheduleCsv.h"
#include "core/texts/TextTable.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace quorvan;
using namespace quorvan::test;

namespace {

// An entry with every field and every bit drawn at random, within what the file checks take.
TimingEntry randomEntry(QRandomGenerator& random) {
    const auto any = [&random](quint32 below) { return random.bounded(below); };
    TimingEntry e;
    e.used = true;
    e.weekdays = random.generate();
    e.startHour = std::uint8_t(any(24));
    e.startMinute = std::uint8_t(any(60));
    e.startSecond = std::uint8_t(any(60));
    e.endHour = std::uint8_t(any(24));
    e.endMinute = std::uint8_t(any(60));
    e.endSecond = std::uint8_t(any(60));
    for (int w = 0; w < 9; ++w) {
        e.powerMask[w] = random.generate();
        e.zoneMask[w] = random.generate();
    }
    e.sourceMask = random.generate();
    e.mp3PlayMode = std::uint8_t(any(2));
    e.mp3RepeatMode = std::uint8_t(any(2));
    e.fmFrequency = any(3) == 0 ? 0 : std::uint16_t(8700 + 10 * any(211));
    for (int k = 0; k < 8; ++k) {
        e.dvdTracks[k] = {std::uint16_t(any(100)), std::uint8_t(any(3)), std::uint8_t(any(256))};
        e.extMp3Tracks[k] = {std::uint16_t(any(257)), std::uint8_t(any(3)), std::uint8_t(any(256))};
        e.extRadioPresets[k] = std::uint16_t(any(31));
    }
    // Names that a CSV or a spreadsheet could take apart: separators, quotes (a lone one too), formula starts,
    // an apostrophe, spaces at either end, Chinese.
    static const QStringList awkward = {QStringLiteral("bell.mp3"),
                                        QStringLiteral("a,b.mp3"),
                                        QStringLiteral("a;b.mp3"),
                                        QStringLiteral("\""),
                                        QStringLiteral("say \"hi\".mp3"),
                                        QStringLiteral("=SUM(A1).mp3"),
                                        QStringLiteral("+1.mp3"),
                                        QStringLiteral("-1.mp3"),
                                        QStringLiteral("@home.mp3"),
                                        QStringLiteral("'quoted'.mp3"),
                                        QStringLiteral(" space .mp3"),
                                        QStringLiteral("上课铃.mp3"),
                                        QString(260, u'x')};
    const int songs = int(any(4));
    for (int s = 0; s < songs; ++s)
        e.playlist << awkward[qsizetype(any(quint32(awkward.size())))];
    e.playlistOnCard = !e.playlist.isEmpty() && any(2) == 0;
    return e;
}

QStringList problemLines(const CsvImport& imported) {
    TextTable texts;
    texts.loadEnglish();
    QStringList lines;
    for (const CsvProblem& p : imported.problems)
        lines << csvProblemText(p, texts);
    return lines;
}

const QByteArray kHeader = "Number,Days,Start,End,Zones,Power,KeepPower,Sources,PlayMode,RepeatMode,FM,DVD,ExtMP3,"
                           "Radio,SongsOn,Songs,OtherBits\r\n";

} // namespace

// Export then import gives the same file, byte for byte, for tables whose every field and bit is random.
TEST(ScheduleCsv, ARoundTripKeepsEveryByteOfTheFile) {
    QRandomGenerator random(20261210);
    for (int round = 0; round < 40; ++round) {
        ScheduleTable table;
        const int count = round == 0 ? kMaxEntries : int(random.bounded(12));
        for (int i = 0; i < count; ++i)
            table.entries.push_back(randomEntry(random));
        const QByteArray file = serializeTable(table);
        ASSERT_TRUE(checkScheduleBytes(file.constData(), file.size()).empty());
        const QByteArray csv = scheduleToCsv(table);
        const CsvImport back = scheduleFromCsv(csv);
        ASSERT_TRUE(back.ok()) << problemLines(back).join(u'\n').toStdString();
        ASSERT_EQ(serializeTable(back.table), file) << "round " << round;
    }
}

// The columns a person edits, as written: days, times, zones and channels as ranges, names of sources and modes,
// the songs one per line; a formula-like song kept from being taken for one.
TEST(ScheduleCsv, WritesTheColumnsForPeopleToRead) {
    TimingEntry e = exampleEntry(); // Mon-Fri 08:00:00-08:30:00, zone 1, host MP3 "a.mp3" on the card
    for (const int z : {1, 2, 3, 4, 5, 6, 7, 11, 39, 135})
        setZoneBit(e.zoneMask, z, true);
    setPowerBit(e.powerMask, 36, true);
    e.powerMask[0] |= kKeepPowerBit;
    e.sourceMask |= source::kHostFm | (1u << (source::kFirstDvdBit + 2)) | source::kRemoteMic;
    e.fmFrequency = 9550;
    e.dvdTracks[2] = {12, 1, 0};
    e.extRadioPresets[0] = 7;
    e.playlist.prepend(QStringLiteral("=b.mp3")); // a spreadsheet looks at the cell's start only
    e.zoneMask[8] |= 0x10000u;
    ScheduleTable table;
    table.entries = {e};
    EXPECT_EQ(scheduleToCsv(table).toStdString(),
              ("\xEF\xBB\xBF" + kHeader +
               "1,Mon Tue Wed Thu Fri,08:00:00,08:30:00,1-8 12 40 136,37,yes,LocalMP3 LocalFM DVD3 RemoteMic,"
               "Order,Once,95.50,3=12/1,,1=7,card,\"'=b.mp3\na.mp3\",zoneMask[8]=0x10000\r\n")
                  .toStdString());
}

// What spreadsheets do to a file on the way back: semicolons, LF, no byte-order mark, the header in another order
// and letter case, 12-hour times and times without seconds, quotes only where needed; and the edits an operator
// makes: a shifted time, a day added, a zone range, a song line added.
TEST(ScheduleCsv, ReadsWhatASpreadsheetWritesAndTheEditsAPersonMakes) {
    ScheduleTable table;
    table.entries = {exampleEntry(), exampleEntry()};
    const QByteArray resaved = "songs;START;end;Days;zones;Sources;SongsOn\n"
                               "a.mp3;08:00:00 AM;08:30 AM;Mon Tue Wed Thu Fri;1;LocalMP3;card\n"
                               "\"a.mp3\nb.mp3\";2:15:00 PM;14:45;mon tue wed thu fri sat;1-3 8;localmp3;\n";
    const CsvImport back = scheduleFromCsv(resaved);
    ASSERT_TRUE(back.ok()) << problemLines(back).join(u'\n').toStdString();
    ASSERT_EQ(back.table.count(), 2);
    EXPECT_EQ(serializeTable(ScheduleTable{{back.table.entries[0]}}), serializeTable(ScheduleTable{{exampleEntry()}}));
    const TimingEntry& edited = back.table.entries[1];
    EXPECT_EQ(edited.startHour, 14);
    EXPECT_EQ(edited.startMinute, 15);
    EXPECT_EQ(edited.endHour, 14);
    EXPECT_EQ(edited.endSecond, 0);
    EXPECT_EQ(edited.weekdays, 0b1111110u);
    EXPECT_EQ(edited.zoneMask[0], 0b10000111u);
    EXPECT_EQ(edited.playlist, (QStringList{QStringLiteral("a.mp3"), QStringLiteral("b.mp3")}));
    EXPECT_TRUE(edited.playlistOnCard) << "songs without a place are on the card";

    // 12 AM is midnight, 12 PM noon.
    const CsvImport noon = scheduleFromCsv("Days,Start,End,Zones,Sources\r\n,12:00:05 AM,12:30 PM,,\r\n");
    ASSERT_TRUE(noon.ok()) << problemLines(noon).join(u'\n').toStdString();
    EXPECT_EQ(noon.table.entries[0].startHour, 0);
    EXPECT_EQ(noon.table.entries[0].endHour, 12);
}

// Every problem is found, each at its row (the header is row 1) and column, and nothing is taken.
TEST(ScheduleCsv, RefusesEveryProblemByRowAndColumn) {
    const QByteArray rows =
        kHeader + "1,Mon,25:00:00,08:00:00,1,,,LocalMP3,,,,,,,,a.mp3,\r\n" // row 2
                  "2,Mon Funday,08:00,08:00,0 3,134,maybe,Tape,Shuffle,,120.5.5,9=1,1=2/1/1,1=2/3,drive,,x=1\r\n"
                  "3,,08:00,08:00:60,137,,,,,,108.10,1=100,,1=31,,,\r\n"; // row 4: out of range
    const CsvImport bad = scheduleFromCsv(rows);
    EXPECT_TRUE(bad.table.entries.empty());
    EXPECT_EQ(
        problemLines(bad).join(u'\n').toStdString(),
        QStringList({
                        QStringLiteral("row 2, Start: '25:00:00' is not a time"),
                        QStringLiteral("row 3, Days: 'Funday' is not a day (Sun Mon Tue Wed Thu Fri Sat)"),
                        QStringLiteral("row 3, Zones: '0' is not a number or range from 1 to 136"),
                        QStringLiteral("row 3, Power: '134' is not a number or range from 1 to 133"),
                        QStringLiteral("row 3, KeepPower: 'maybe' is neither yes nor no"),
                        QStringLiteral("row 3, Sources: 'Tape' is not a source (LocalMP3 LocalFM DVD1 "
                                       "ExtMP3-1 Radio1 Alarm LocalMic RemoteMic)"),
                        QStringLiteral("row 3, PlayMode: 'Shuffle' is not one of Order, Random"),
                        QStringLiteral("row 3, FM: '120.5.5' is not a frequency in MHz"),
                        QStringLiteral("row 3, DVD: '9=1' is not PLAYER=VALUE or PLAYER=TRACK/REPEAT "
                                       "(players 1 to 8, each once)"),
                        QStringLiteral("row 3, ExtMP3: '1=2/1/1' is not PLAYER=VALUE or PLAYER=TRACK/REPEAT "
                                       "(players 1 to 8, each once)"),
                        QStringLiteral("row 3, Radio: '1=2/3' is not PLAYER=VALUE or PLAYER=TRACK/REPEAT "
                                       "(players 1 to 8, each once)"),
                        QStringLiteral("row 3, SongsOn: 'drive' is neither card nor internal"),
                        QStringLiteral("row 3, OtherBits: 'x=1' is not FIELD=VALUE of a field with bits of its own"),
                        QStringLiteral("row 4, End: '08:00:60' is not a time"),
                        QStringLiteral("row 4, Zones: '137' is not a number or range from 1 to 136"),
                    })
            .join(u'\n')
            .toStdString());

    // Values only the file checks know (once the cells themselves read): at their rows and columns.
    const CsvImport ranges = scheduleFromCsv(kHeader + "1,,08:00,08:00,,,,,,,108.10,1=100,,1=31,,,\r\n");
    EXPECT_EQ(problemLines(ranges).join(u'\n').toStdString(),
              QStringList({QStringLiteral("row 2, FM: outside what the controller takes: fmFrequency is 10810, "
                                          "expected 0 or 8700..10800 in steps of 10"),
                           QStringLiteral("row 2, DVD: outside what the controller takes: dvdTracks[0].track is 100, "
                                          "out of 0..99"),
                           QStringLiteral("row 2, Radio: outside what the controller takes: extRadioPresets[0] is 31, "
                                          "out of 0..30")})
                  .join(u'\n')
                  .toStdString());

    // The file as a whole: columns, rows, songs.
    struct Case {
        QByteArray csv;
        int capacity;
        const char* problems;
    } cases[] = {
        {"", kMaxEntries, "row 1: there is no header row"},
        {"Days,Start,Colour\r\n", kMaxEntries,
         "row 1, Colour: not a column of a schedule (Number Days Start End Zones Power KeepPower Sources PlayMode "
         "RepeatMode FM DVD ExtMP3 Radio SongsOn Songs OtherBits)\n"
         "row 1, End: the column is missing\nrow 1, Zones: the column is missing\n"
         "row 1, Sources: the column is missing"},
        {"Days,Start,End,Zones,Sources,start\r\n", kMaxEntries, "row 1, Start: the column appears twice"},
        {"Days,Start,End,Zones,Sources\r\n,8:00,8:00,,\r\n,8:00,8:00,,\r\n,8:00,8:00,,\r\n", 2,
         "row 4: more than 2 entries"},
        {"Days,Start,End,Zones,Sources\r\n,8:00,8:00,,,extra\r\n", kMaxEntries,
         "row 2: more cells than the header row has"},
        {"Days,Start,End,Zones,Sources\r\n,8:00,8:00,,\"LocalMP3\r\n", kMaxEntries,
         "row 2: a quoted cell is not closed"},
        {"Days,Start,End,Zones,Sources,Songs\r\n,8:00,8:00,,,\"" + QByteArray(261, 'n') + "\"\r\n", kMaxEntries,
         "row 2, Songs: 'nnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnn…' is 261 characters long, at most 260"},
        {"Days,Start,End,Zones,Sources,Songs\r\n,8:00,8:00,,,\"" + QByteArray("s\n").repeated(256) + "\"\r\n",
         kMaxEntries, "row 2, Songs: 256 songs, at most 255"},
        {"Days,Start\xff\r\n", kMaxEntries, "the file is not UTF-8 text; save it as CSV UTF-8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.csv.left(60).toStdString());
        const CsvImport imported = scheduleFromCsv(c.csv, c.capacity);
        EXPECT_EQ(problemLines(imported).join(u'\n').toStdString(), c.problems);
        EXPECT_TRUE(imported.table.entries.empty());
    }
}

// Quoting: a cell is quoted only for a separator, a quote or a line break; a lone quote survives; the apostrophe
// before a formula-like cell comes off again.
TEST(ScheduleCsv, CellsAreQuotedAndGuardedOnlyWhereNeeded) {
    const std::pair<QString, QByteArray> cells[] = {
        {QStringLiteral("plain"), "plain"},
        {QStringLiteral("a,b"), "\"a,b\""},
        {QStringLiteral("a;b"), "\"a;b\""},
        {QStringLiteral("\""), "\"\"\"\""},
        {QStringLiteral("two\nlines"), "\"two\nlines\""},
        {QStringLiteral("=1+1"), "'=1+1"},
        {QStringLiteral("-x"), "'-x"},
        {QStringLiteral("'a"), "''a"},
        {QStringLiteral("a=b"), "a=b"},
    };
    for (const auto& [text, written] : cells) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(csvCell(text), written);
        const CsvRecords back = parseCsv(written + "\r\n");
        ASSERT_EQ(back.records.size(), 1);
        ASSERT_EQ(back.records[0].size(), 1);
        EXPECT_EQ(csvCellText(back.records[0][0]), text);
    }
}
