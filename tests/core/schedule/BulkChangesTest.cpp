#include "TestSupport.h"

#include "core/schedule/BulkChanges.h"
#include "core/texts/TextId.h"

#include <gtest/gtest.h>

using namespace quorvan;
using namespace quorvan::test;

namespace {

TimingEntry between(int startSeconds, int endSeconds) {
    TimingEntry e = exampleEntry();
    e.startHour = std::uint8_t(startSeconds / 3600);
    e.startMinute = std::uint8_t(startSeconds / 60 % 60);
    e.startSecond = std::uint8_t(startSeconds % 60);
    e.endHour = std::uint8_t(endSeconds / 3600);
    e.endMinute = std::uint8_t(endSeconds / 60 % 60);
    e.endSecond = std::uint8_t(endSeconds % 60);
    return e;
}

int startOf(const TimingEntry& e) {
    return e.startHour * 3600 + e.startMinute * 60 + e.startSecond;
}
int endOf(const TimingEntry& e) {
    return e.endHour * 3600 + e.endMinute * 60 + e.endSecond;
}

} // namespace

// The day's edges: a shift that puts any start or end of the chosen entries outside 00:00:00..23:59:59 changes
// nothing and names them; up to the edge itself it goes through; an entry past midnight shifts like the others.
TEST(BulkChanges, AShiftStaysInsideTheDayOrChangesNothing) {
    const std::vector<TimingEntry> day = {between(60, 600), between(8 * 3600, 8 * 3600 + 10), between(23 * 3600, 86399),
                                          between(23 * 3600 + 1800, 1800)};
    struct Case {
        QList<int> which;
        int seconds;
        QList<int> refused;
    } cases[] = {
        {{0, 1}, -61, {0}},            // entry 1 would start at -00:00:01
        {{0, 1}, -60, {}},             // exactly 00:00:00
        {{2}, 1, {2}},                 // its end would be 24:00:00
        {{1, 2}, -1, {}},              // 23:59:58
        {{3}, 1200, {}},               // past midnight: 23:50:00-00:50:00
        {{3}, 1800, {3}},              // its start at 24:00:00
        {{3}, -1801, {3}},             // its end before 00:00:00
        {{0, 1, 2, 3}, -3600, {0, 3}}, // every refused entry is named; the others do not move either
        {{0, 9}, 10, {9}},             // no such entry
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seconds);
        std::vector<TimingEntry> entries = day;
        EXPECT_EQ(shiftEntries(entries, c.which, c.seconds), c.refused);
        for (std::size_t i = 0; i < day.size(); ++i) {
            const bool moved = c.refused.isEmpty() && c.which.contains(int(i));
            EXPECT_EQ(startOf(entries[i]), startOf(day[i]) + (moved ? c.seconds : 0)) << i;
            EXPECT_EQ(endOf(entries[i]), endOf(day[i]) + (moved ? c.seconds : 0)) << i;
            if (!moved) {
                EXPECT_TRUE(entries[i] == day[i]) << i;
            }
        }
    }
}

TEST(BulkChanges, ABellPatternRingsAtEachLessonsStartAndEndOnce) {
    BellPattern p;
    p.firstStart = 8 * 3600; // 08:00
    p.lessonMinutes = 45;
    p.lessons = 4;
    p.breakMinutes = {10, 0, 20}; // the third lesson starts as the second ends
    const std::vector<int> minutes = [&] {
        std::vector<int> m;
        for (const int t : bellTimes(p))
            m.push_back(t / 60 - 8 * 60);
        return m;
    }();
    // 08:00-08:45, 08:55-09:40, 09:40-10:25, 10:45-11:30
    EXPECT_EQ(minutes, (std::vector<int>{0, 45, 55, 100, 145, 165, 210}));
    p.at = BellPattern::At::Start;
    EXPECT_EQ(bellTimes(p).size(), 4u);
    p.breakMinutes = {5}; // the last break repeats
    p.at = BellPattern::At::End;
    EXPECT_EQ(bellTimes(p).back(), 8 * 3600 + (4 * 45 + 3 * 5) * 60);

    p.at = BellPattern::At::Both;
    p.songs = {QStringLiteral("bell.mp3"), QStringLiteral("上课.mp3")};
    p.ringSeconds = 15;
    p.zoneMask[1] = 0x3;
    const BellsResult bells = makeBells(p, 248); // 256 in all
    ASSERT_TRUE(bells.refusal.isEmpty()) << bells.refusal.inEnglish().toStdString();
    ASSERT_EQ(bells.entries.size(), 8u);
    const TimingEntry& last = bells.entries.back();
    EXPECT_EQ(startOf(last), 8 * 3600 + 195 * 60);
    EXPECT_EQ(endOf(last), startOf(last) + 15);
    EXPECT_EQ(last.weekdays, 0x3Eu);
    EXPECT_EQ(last.zoneMask[1], 0x3u);
    EXPECT_EQ(last.sourceMask, source::kHostMp3);
    EXPECT_EQ(last.playlist, p.songs);
    EXPECT_TRUE(last.playlistOnCard);
    EXPECT_TRUE(last.used);
}

TEST(BulkChanges, ABellPatternIsRefusedWholeWithItsReason) {
    BellPattern p;
    p.songs = {QStringLiteral("bell.mp3")};
    p.lessons = 2; // 4 bells
    EXPECT_EQ(makeBells(p, 252).entries.size(), 4u) << "256 in all";
    EXPECT_EQ(makeBells(p, 253).refusal.text, TextId::BellsTooMany);
    EXPECT_TRUE(makeBells(p, 253).entries.empty());

    p.firstStart = 23 * 3600 + 10 * 60; // 23:10-23:55, 00:05 … past midnight
    EXPECT_EQ(makeBells(p, 0).refusal.text, TextId::BellsPastMidnight);
    p.lessons = 1;
    p.ringSeconds = 4 * 60 + 59; // ends 23:59:59
    EXPECT_TRUE(makeBells(p, 0).refusal.isEmpty());
    p.ringSeconds = 5 * 60;
    const BellsResult late = makeBells(p, 0);
    EXPECT_EQ(late.refusal.text, TextId::BellsPastMidnight);
    EXPECT_EQ(late.refusal.inEnglish(), QStringLiteral("The bell at 23:55:00 would end after 23:59:59."));

    BellPattern noSong;
    EXPECT_EQ(makeBells(noSong, 0).refusal.text, TextId::BellsNoSong);
    BellPattern noDay = p;
    noDay.weekdays = 0x80; // not a day
    EXPECT_EQ(makeBells(noDay, 0).refusal.text, TextId::BellsNoWeekday);
}

TEST(BulkChanges, AnOffsetIsNamedWithItsSign) {
    EXPECT_EQ(offsetText(600), QStringLiteral("+0:10:00"));
    EXPECT_EQ(offsetText(-(3600 + 5 * 60 + 30)), QStringLiteral("-1:05:30"));
}

// Change… on a mixed selection: added zones keep the other bits (beyond the 40 too), a song only some entries
// hold goes from those, an entry without the host player keeps its list, and what no entry can take is refused.
TEST(BulkChanges, AChangeOnSeveralEntriesTouchesOnlyWhatItNames) {
    TimingEntry a = exampleEntry(); // zone 1, "a.mp3", host MP3
    a.zoneMask[8] = 0x8000;         // a bit beyond the 40 zones
    TimingEntry b = exampleEntry();
    b.playlist = {QStringLiteral("b.mp3"), QStringLiteral("a.mp3"), QStringLiteral("c.mp3")};
    TimingEntry fm = exampleEntry();
    fm.sourceMask = source::kHostFm; // keeps a stale list the controller does not play
    std::vector<TimingEntry> entries{a, b, fm};

    BulkChange add;
    add.zones = BulkChange::Bits::Add;
    setZoneBit(add.zoneMask, 9, true);
    add.weekdays = BulkChange::Bits::Add;
    add.weekdayBits = 1u << 6; // Saturday
    add.removeSong = QStringLiteral("a.mp3");
    add.keepPower = BulkChange::Flag::On;
    const ChangeResult r = changeEntries(entries, {0, 1, 2}, add);
    ASSERT_TRUE(r.refusal.isEmpty()) << r.refusal.inEnglish().toStdString();
    EXPECT_EQ(r.changed, 3);
    EXPECT_EQ(entries[0].zoneMask[0], 1u);
    EXPECT_TRUE(zoneBit(entries[0].zoneMask, 9));
    EXPECT_EQ(entries[0].zoneMask[8], 0x8000u) << "bits beyond the 40 zones stay";
    EXPECT_EQ(entries[0].weekdays, 0x7Eu);
    EXPECT_TRUE(entries[0].playlist.isEmpty());
    EXPECT_FALSE(entries[0].sourceMask & source::kHostMp3) << "its only song gone, the player is off";
    EXPECT_EQ(entries[1].playlist, (QStringList{QStringLiteral("b.mp3"), QStringLiteral("c.mp3")}));
    EXPECT_EQ(entries[2].playlist, a.playlist) << "no host MP3: the songs are not its";
    EXPECT_TRUE(entries[2].powerMask[0] & kKeepPowerBit);

    // Set exactly, and a replace that keeps the song's place.
    BulkChange set;
    set.zones = BulkChange::Bits::Set;
    setZoneBit(set.zoneMask, 2, true);
    set.replaceSong = QStringLiteral("c.mp3");
    set.bySong = QStringLiteral("d.mp3");
    ASSERT_TRUE(changeEntries(entries, {1}, set).refusal.isEmpty());
    EXPECT_EQ(entries[1].zoneMask[0], 0x4u);
    EXPECT_EQ(entries[1].playlist, (QStringList{QStringLiteral("b.mp3"), QStringLiteral("d.mp3")}));

    // Refusals change nothing.
    const std::vector<TimingEntry> before = entries;
    EXPECT_EQ(changeEntries(entries, {1}, set).refusal.text, TextId::ChangeNothing) << "already so";
    BulkChange many;
    for (int j = 0; j < 254; ++j)
        many.addSongs << QStringLiteral("s%1.mp3").arg(j);
    const ChangeResult full = changeEntries(entries, {0, 1}, many);
    EXPECT_EQ(full.refusal.inEnglish(), QStringLiteral("Entry 2 would hold more than 255 songs."));
    EXPECT_TRUE(entries == before);
}
