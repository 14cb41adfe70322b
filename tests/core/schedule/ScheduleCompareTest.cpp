#include "TestSupport.h"

#include "core/files/ScheduleFile.h"
#include "core/schedule/ComparisonRows.h"
#include "core/schedule/ScheduleCompare.h"
#include "core/schedule/ScheduleModel.h"
#include "core/settings/NameTables.h"
#include "core/texts/TextTable.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <functional>

using namespace quorvan;
using namespace quorvan::test;

namespace {

// Entries named by letters: each letter its own start hour, so that different letters are different entries.
std::vector<TimingEntry> entries(const char* letters) {
    std::vector<TimingEntry> out;
    for (const char* c = letters; *c; ++c) {
        TimingEntry e = exampleEntry();
        e.startHour = std::uint8_t(*c - 'A');
        out.push_back(e);
    }
    return out;
}

// The alignment in short: "=ij" same, "~ij" changed, "-i" removed, "+j" added.
std::string rowsText(const ScheduleComparison& comparison) {
    std::string text;
    for (const AlignedRow& row : comparison.rows) {
        if (!text.empty())
            text += ' ';
        switch (row.kind) {
        case AlignedRow::Kind::Same:
            text += '=' + std::to_string(row.a) + std::to_string(row.b);
            break;
        case AlignedRow::Kind::Changed:
            text += '~' + std::to_string(row.a) + std::to_string(row.b);
            break;
        case AlignedRow::Kind::Removed:
            text += '-' + std::to_string(row.a);
            break;
        case AlignedRow::Kind::Added:
            text += '+' + std::to_string(row.b);
            break;
        }
    }
    return text;
}

} // namespace

// Insertions, deletions and changes at the start, in the middle and at the end; empty sides; a moved entry;
// uneven runs between matches (changed pairs first, then what is left of either side); and the remote keys,
// compared place by place.
TEST(ScheduleCompare, AlignsEntriesByTheirLongestCommonRunAndPairsTheRestInOrder) {
    struct Case {
        const char* a;
        const char* b;
        Alignment alignment;
        const char* rows;
        int changed, added, removed;
    } cases[] = {
        {"ABC", "ABC", Alignment::Sequence, "=00 =11 =22", 0, 0, 0},
        {"BC", "ABC", Alignment::Sequence, "+0 =01 =12", 0, 1, 0},
        {"AC", "ABC", Alignment::Sequence, "=00 +1 =12", 0, 1, 0},
        {"AB", "ABC", Alignment::Sequence, "=00 =11 +2", 0, 1, 0},
        {"ABC", "BC", Alignment::Sequence, "-0 =10 =21", 0, 0, 1},
        {"ABC", "AC", Alignment::Sequence, "=00 -1 =21", 0, 0, 1},
        {"ABC", "AB", Alignment::Sequence, "=00 =11 -2", 0, 0, 1},
        {"ABC", "XBC", Alignment::Sequence, "~00 =11 =22", 1, 0, 0},
        {"ABC", "AXC", Alignment::Sequence, "=00 ~11 =22", 1, 0, 0},
        {"ABC", "ABX", Alignment::Sequence, "=00 =11 ~22", 1, 0, 0},
        {"", "AB", Alignment::Sequence, "+0 +1", 0, 2, 0},
        {"AB", "", Alignment::Sequence, "-0 -1", 0, 0, 2},
        {"", "", Alignment::Sequence, "", 0, 0, 0},
        // B moved to the end: it leaves its place and arrives at the end, A C D stay matched.
        {"ABCD", "ACDB", Alignment::Sequence, "=00 -1 =21 =32 +3", 0, 1, 1},
        {"AXYB", "AZB", Alignment::Sequence, "=00 ~11 -2 =32", 1, 0, 1},
        {"AXB", "AYZB", Alignment::Sequence, "=00 ~11 +2 =23", 1, 1, 0},
        {"XYZ", "ABC", Alignment::Sequence, "~00 ~11 ~22", 3, 0, 0},
        // A repeated entry matches as often as both sides hold it.
        {"AAB", "ABA", Alignment::Sequence, "=00 -1 =21 +2", 0, 1, 1},
        // What both end with is matched first: the first entry changed, not removed and added again.
        {"AB", "BB", Alignment::Sequence, "~00 =11", 1, 0, 0},
        {"XABCY", "XACBY", Alignment::Sequence, "=00 =11 -2 =32 +3 =44", 0, 1, 1},
        // Place by place: a rotation is three changed keys, not a move.
        {"ABC", "BCA", Alignment::Position, "~00 ~11 ~22", 3, 0, 0},
        {"ABC", "BCA", Alignment::Sequence, "-0 =10 =21 +2", 0, 1, 1},
        {"AB", "A", Alignment::Position, "=00 -1", 0, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " -> " + c.b);
        const ScheduleComparison comparison = compareSchedules(entries(c.a), entries(c.b), c.alignment);
        EXPECT_EQ(rowsText(comparison), c.rows);
        EXPECT_EQ(comparison.changed, c.changed);
        EXPECT_EQ(comparison.added, c.added);
        EXPECT_EQ(comparison.removed, c.removed);
        EXPECT_EQ(comparison.same(), c.changed + c.added + c.removed == 0);
        EXPECT_EQ(comparison.differences().size(), std::size_t(c.changed + c.added + c.removed));
    }
}

// Each field on its own names exactly its JSON key; a song list that differs only in order, or in the letter
// case of a name, differs too.
TEST(ScheduleCompare, NamesTheFieldsThatDifferByTheirJsonKeys) {
    const std::pair<const char*, std::function<void(TimingEntry&)>> cases[] = {
        {"weekdays", [](TimingEntry& e) { e.weekdays ^= 1u << 6; }},
        {"startHour", [](TimingEntry& e) { ++e.startHour; }},
        {"startMinute", [](TimingEntry& e) { ++e.startMinute; }},
        {"startSecond", [](TimingEntry& e) { ++e.startSecond; }},
        {"endHour", [](TimingEntry& e) { ++e.endHour; }},
        {"endMinute", [](TimingEntry& e) { ++e.endMinute; }},
        {"endSecond", [](TimingEntry& e) { ++e.endSecond; }},
        {"powerMask", [](TimingEntry& e) { e.powerMask[8] = 1; }},
        {"zoneMask", [](TimingEntry& e) { e.zoneMask[8] = 1; }}, // beyond the 40 zones shown
        {"sourceMask", [](TimingEntry& e) { e.sourceMask ^= source::kHostFm; }},
        {"mp3PlayMode", [](TimingEntry& e) { ++e.mp3PlayMode; }},
        {"mp3RepeatMode", [](TimingEntry& e) { ++e.mp3RepeatMode; }},
        {"fmFrequency", [](TimingEntry& e) { e.fmFrequency = 8750; }},
        {"dvdTracks", [](TimingEntry& e) { e.dvdTracks[7].reserved = 1; }},
        {"extMp3Tracks", [](TimingEntry& e) { e.extMp3Tracks[0].repeatMode = 2; }},
        {"extRadioPresets", [](TimingEntry& e) { e.extRadioPresets[3] = 4; }},
        {"playlistOnCard", [](TimingEntry& e) { e.playlistOnCard = !e.playlistOnCard; }},
        {"playlist", [](TimingEntry& e) { e.playlist = QStringList{QStringLiteral("A.MP3")}; }},
        {"used", [](TimingEntry& e) { e.used = !e.used; }},
    };
    TimingEntry base = exampleEntry();
    base.playlist = QStringList{QStringLiteral("a.mp3"), QStringLiteral("b.mp3")};
    for (const auto& [key, change] : cases) {
        SCOPED_TRACE(key);
        TimingEntry other = base;
        change(other);
        EXPECT_EQ(fieldKeys(differingFields(base, other)), QStringList{QString::fromLatin1(key)});
    }
    TimingEntry reordered = base;
    reordered.playlist = QStringList{QStringLiteral("b.mp3"), QStringLiteral("a.mp3")};
    reordered.startMinute = 5;
    EXPECT_EQ(fieldKeys(differingFields(base, reordered)),
              (QStringList{QStringLiteral("startMinute"), QStringLiteral("playlist")}));
    EXPECT_EQ(differingFields(base, base), 0u);
}

TEST(ScheduleCompare, TotalsLeaveOutWhatIsZeroInBothLanguages) {
    TextTable texts;
    texts.loadEnglish();
    ScheduleComparison c;
    EXPECT_EQ(comparisonTotals(c, texts), QStringLiteral("the same"));
    c.changed = 3;
    c.added = 1;
    c.removed = 2;
    EXPECT_EQ(comparisonTotals(c, texts), QStringLiteral("3 changed, 1 added, 2 removed"));
    c.changed = 0;
    EXPECT_EQ(comparisonTotals(c, texts), QStringLiteral("1 added, 2 removed"));
    texts.loadChinese();
    EXPECT_EQ(comparisonTotals(c, texts), QStringLiteral("1 条新增，2 条删除"));
}

// The cells that differ are the columns that show the differing fields; everything about the sound is in the
// sound column; a preset filled or cleared differs everywhere.
TEST(ScheduleCompare, LinesMarkTheColumnsThatShowTheDifferingFields) {
    TextTable texts;
    texts.loadEnglish();
    NameTables names;
    names.computeDisplayNames(texts);
    ScheduleTable before, after;
    before.entries = entries("AB");
    after.entries = before.entries;
    after.entries[1].startMinute = 30;
    after.entries[1].playlist << QStringLiteral("second.mp3");
    after.entries.push_back(entries("C")[0]);
    const ScheduleComparison comparison = compareSchedules(before.entries, after.entries);
    const std::vector<ComparisonLine> lines = comparisonLines(comparison, before, after, false, texts, names);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].sign, QString());
    EXPECT_EQ(lines[0].changedColumns, std::vector<bool>(8, false));
    EXPECT_EQ(lines[1].sign, QStringLiteral("~"));
    //                                      sign  No.    Week   Start Stop   Sound Zones  Power
    EXPECT_EQ(lines[1].changedColumns, (std::vector<bool>{true, false, false, true, false, true, false, false}));
    EXPECT_EQ(lines[1].before[2], QStringLiteral("01:00:00"));
    EXPECT_EQ(lines[1].after[2], QStringLiteral("01:30:00"));
    EXPECT_EQ(lines[2].sign, QStringLiteral("+"));
    EXPECT_TRUE(lines[2].before.isEmpty());
    EXPECT_EQ(lines[2].after[0], QStringLiteral("3"));
    EXPECT_EQ(changedDetails(lines[1].row, before, after, false, texts),
              QStringLiteral("Entry 2 → 2 differs in: Start time, Songs (a.mp3 → a.mp3, second.mp3)"));
    EXPECT_EQ(changedDetails(lines[2].row, before, after, false, texts), QString());

    // Remote keys: key, sound, zones, power; clearing a preset marks the whole line.
    ScheduleTable keys, cleared;
    keys.entries = entries("AB");
    cleared.entries = keys.entries;
    cleared.entries[1] = TimingEntry{};
    keys.entries[0].zoneMask[0] = 2;
    const std::vector<ComparisonLine> keyLines = comparisonLines(
        compareSchedules(keys.entries, cleared.entries, Alignment::Position), keys, cleared, true, texts, names);
    ASSERT_EQ(keyLines.size(), 2u);
    EXPECT_EQ(keyLines[0].changedColumns, (std::vector<bool>{true, false, false, true, false}));
    EXPECT_EQ(keyLines[1].changedColumns, std::vector<bool>(5, true));
}

// A side of a comparison read from disk: a missing file is empty, a link is not followed, a damaged file keeps
// the entries the loader takes and says its first problem, an empty file is an empty schedule; the remote keys
// are always twelve.
TEST(ScheduleCompare, ReadsASideTheWayTheProgramReadsAFileItDidNotWrite) {
    TempHome home;
    auto table = makeTable();
    appendEntry(*table, exampleEntry());
    appendEntry(*table, exampleEntry());
    const QString sound = home.file(QStringLiteral("SCH01.DAT"));
    ASSERT_TRUE(saveTableFile(sound, *table).ok);

    ComparedFile read = readComparedFile(sound, DocumentKind::NormalSchedule);
    EXPECT_EQ(read.state, ComparedFile::State::Read);
    EXPECT_EQ(read.table.count(), 2);

    EXPECT_EQ(readComparedFile(home.file(QStringLiteral("none")), DocumentKind::NormalSchedule).state,
              ComparedFile::State::Missing);
    EXPECT_EQ(readComparedFile(QString(), DocumentKind::RemotePresets).table.count(), kRemoteKeyCount);

    ASSERT_TRUE(QFile::link(sound, home.file(QStringLiteral("link.dat"))));
    const ComparedFile link = readComparedFile(home.file(QStringLiteral("link.dat")), DocumentKind::NormalSchedule);
    EXPECT_EQ(link.state, ComparedFile::State::Unreadable);
    EXPECT_EQ(link.table.count(), 0);
    EXPECT_FALSE(link.why.isEmpty());

    QByteArray damaged = readFile(sound);
    damaged[0] = 0; // the format tag
    writeFile(home.file(QStringLiteral("damaged.dat")), damaged);
    const ComparedFile bad = readComparedFile(home.file(QStringLiteral("damaged.dat")), DocumentKind::NormalSchedule);
    EXPECT_EQ(bad.state, ComparedFile::State::Damaged);
    EXPECT_TRUE(bad.damage.startsWith(QStringLiteral("header: format tag"))) << bad.damage.toStdString();

    writeFile(home.file(QStringLiteral("empty.dat")), QByteArray());
    EXPECT_EQ(readComparedFile(home.file(QStringLiteral("empty.dat")), DocumentKind::NormalSchedule).state,
              ComparedFile::State::Read);
    const ComparedFile keys = readComparedFile(sound, DocumentKind::RemotePresets);
    ASSERT_EQ(keys.table.count(), kRemoteKeyCount);
    EXPECT_TRUE(keys.table.entries[1].used);
    EXPECT_FALSE(keys.table.entries[2].used);
}
