#include "TestSupport.h"

#include "core/files/ScheduleTypes.h"
#include "core/schedule/ClashText.h"
#include "core/schedule/Clashes.h"
#include "core/schedule/ScheduleModel.h"
#include "core/schedule/WeekLayout.h"
#include "core/settings/NameTables.h"
#include "core/texts/TextTable.h"

#include <gtest/gtest.h>

#include <bitset>
#include <random>

using namespace quorvan;
using namespace quorvan::test;

namespace {

constexpr std::uint32_t kMon = 1u << 1, kTue = 1u << 2, kSat = 1u << 6, kSun = 1u << 0;

TimingEntry entry(std::uint32_t weekdays, int start, int end, std::initializer_list<int> zones) {
    TimingEntry e{};
    e.used = 1;
    e.weekdays = weekdays;
    e.startHour = std::uint8_t(start / 3600);
    e.startMinute = std::uint8_t(start / 60 % 60);
    e.startSecond = std::uint8_t(start % 60);
    e.endHour = std::uint8_t(end / 3600);
    e.endMinute = std::uint8_t(end / 60 % 60);
    e.endSecond = std::uint8_t(end % 60);
    for (int z : zones)
        setZoneBit(e.zoneMask, z, true);
    return e;
}

constexpr int at(int h, int m, int s = 0) {
    return h * 3600 + m * 60 + s;
}

std::vector<Clash> clashesOf(std::initializer_list<TimingEntry> entries) {
    auto table = makeTable();
    for (const TimingEntry& e : entries)
        appendEntry(*table, e);
    return findClashes(*table, table->count());
}

} // namespace

TEST(Clashes, HandMadeCases) {
    // Overlapping on one shared day and zone: one pair, with the days, span and zones they share.
    auto c =
        clashesOf({entry(kMon | kTue, at(8, 0), at(8, 30), {0, 1}), entry(kTue | kSat, at(8, 20), at(9, 0), {1, 2})});
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].first, 0);
    EXPECT_EQ(c[0].second, 1);
    EXPECT_EQ(c[0].weekdays, kTue);
    EXPECT_EQ(c[0].startSecond, at(8, 20));
    EXPECT_EQ(c[0].endSecond, at(8, 30));
    EXPECT_EQ(c[0].zones[0], 1u << 1);

    // Ranges that only touch, disjoint days, disjoint zones, an equal start and end: nothing.
    EXPECT_TRUE(clashesOf({entry(kMon, at(8, 0), at(8, 30), {0}), entry(kMon, at(8, 30), at(9, 0), {0})}).empty());
    EXPECT_TRUE(clashesOf({entry(kMon, at(8, 0), at(9, 0), {0}), entry(kTue, at(8, 0), at(9, 0), {0})}).empty());
    EXPECT_TRUE(clashesOf({entry(kMon, at(8, 0), at(9, 0), {0}), entry(kMon, at(8, 0), at(9, 0), {1})}).empty());
    EXPECT_TRUE(clashesOf({entry(kMon, at(8, 0), at(8, 0), {0}), entry(kMon, at(7, 0), at(9, 0), {0})}).empty());

    // High zone words: zone 39 is bit 15 of word 2; bits beyond the 40 zones count as well.
    c = clashesOf({entry(kMon, at(8, 0), at(9, 0), {39}), entry(kMon, at(8, 59, 59), at(10, 0), {39, 3})});
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].zones[2], 1u << 15);
    EXPECT_EQ(c[0].endSecond - c[0].startSecond, 1);
    TimingEntry high = entry(kMon, at(8, 0), at(9, 0), {});
    high.zoneMask[8] = 0x80000000u;
    TimingEntry high2 = high;
    EXPECT_EQ(clashesOf({high, high2}).size(), 1u);

    // Past midnight: Saturday 23:00 to 01:00 runs into Sunday and meets a Sunday 00:30 entry there.
    c = clashesOf({entry(kSat, at(23, 0), at(1, 0), {5}), entry(kSun, at(0, 30), at(2, 0), {5})});
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].weekdays, kSun);
    EXPECT_EQ(c[0].startSecond, at(0, 30));
    EXPECT_EQ(c[0].endSecond, at(1, 0));
    // ...but not a Saturday 00:30 one, and an end at 00:00 does not reach into the next day.
    EXPECT_TRUE(clashesOf({entry(kSat, at(23, 0), at(1, 0), {5}), entry(kSat, at(0, 30), at(2, 0), {5})}).empty());
    EXPECT_TRUE(clashesOf({entry(kSat, at(23, 0), at(0, 0), {5}), entry(kSun, at(0, 0), at(2, 0), {5})}).empty());
    // Two entries past midnight overlap on both sides of it: the first run of the week is reported, on its day.
    c = clashesOf({entry(kMon, at(23, 0), at(1, 0), {5}), entry(kMon, at(23, 30), at(2, 0), {5})});
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].weekdays, kMon | kTue);
    EXPECT_EQ(c[0].startSecond, at(23, 30));
    EXPECT_EQ(c[0].endSecond, 86400);

    // Times no clock shows (a damaged file) place the entry nowhere.
    TimingEntry broken = entry(kMon, at(8, 0), at(9, 0), {0});
    broken.startHour = 25;
    EXPECT_TRUE(clashesOf({broken, entry(kMon, at(7, 0), at(10, 0), {0})}).empty());

    // Each pair once, lower index first, in order.
    c = clashesOf({entry(kMon, at(8, 0), at(9, 0), {0}), entry(kMon, at(8, 0), at(9, 0), {0}),
                   entry(kMon, at(8, 0), at(9, 0), {0})});
    ASSERT_EQ(c.size(), 3u);
    EXPECT_EQ(std::make_pair(c[0].first, c[0].second), std::make_pair(0, 1));
    EXPECT_EQ(std::make_pair(c[1].first, c[1].second), std::make_pair(0, 2));
    EXPECT_EQ(std::make_pair(c[2].first, c[2].second), std::make_pair(1, 2));
}

namespace {

// The second-by-second reference: which seconds of the week an entry plays, straight from the rule's words.
std::bitset<kSecondsPerWeek> occupied(const TimingEntry& e) {
    std::bitset<kSecondsPerWeek> bits;
    if (e.startHour > 23 || e.endHour > 23)
        return bits;
    const int start = e.startHour * 3600 + e.startMinute * 60 + e.startSecond;
    const int end = e.endHour * 3600 + e.endMinute * 60 + e.endSecond;
    for (int day = 0; day < 7; ++day) {
        if (!((e.weekdays >> day) & 1u) || start == end)
            continue;
        // Start to end on the day; past midnight, start to 24:00 and then 00:00 to end on the next day.
        const int stop = end > start ? end : kSecondsPerDay;
        for (int s = start; s < stop; ++s)
            bits.set(std::size_t(day * kSecondsPerDay + s));
        for (int s = 0; end < start && s < end; ++s)
            bits.set(std::size_t(((day + 1) % 7) * kSecondsPerDay + s));
    }
    return bits;
}

} // namespace

TEST(Clashes, RandomTablesAgreeWithASecondBySecondReference) {
    std::mt19937 random(20261209);
    int total = 0;
    for (int round = 0; round < 8; ++round) {
        auto table = makeTable();
        const int n = 20;
        for (int i = 0; i < n; ++i) {
            // Coarse times on a few zones, so that overlaps, touches and midnight crossings all happen.
            const int start = int(random() % 48) * 1800 + int(random() % 3) * 7;
            const int end = int(random() % 48) * 1800 + int(random() % 3) * 7;
            TimingEntry e = entry(std::uint32_t(random() % 128), start, end, {});
            for (int z = 0; z < 3; ++z)
                if (random() % 3 == 0)
                    setZoneBit(e.zoneMask, int(random() % 6) * 7, true);
            appendEntry(*table, e);
        }
        std::vector<std::bitset<kSecondsPerWeek>> bits;
        for (int i = 0; i < n; ++i)
            bits.push_back(occupied(table->entries[i]));
        const std::vector<Clash> found = findClashes(*table, n);
        std::size_t next = 0;
        for (int a = 0; a < n; ++a) {
            for (int b = a + 1; b < n; ++b) {
                bool zones = false;
                for (int w = 0; w < 9; ++w)
                    zones = zones || (table->entries[a].zoneMask[w] & table->entries[b].zoneMask[w]);
                const std::bitset<kSecondsPerWeek> both = bits[std::size_t(a)] & bits[std::size_t(b)];
                if (!zones || both.none())
                    continue;
                ASSERT_LT(next, found.size()) << "round " << round << ": missing " << a << "/" << b;
                const Clash& c = found[next++];
                ASSERT_EQ(std::make_pair(c.first, c.second), std::make_pair(a, b)) << "round " << round;
                std::uint32_t days = 0;
                int first = -1;
                for (int day = 0; day < 7; ++day) {
                    for (int s = day * kSecondsPerDay; s < (day + 1) * kSecondsPerDay; s += 7) {
                        // The times lie on a 7-second grid apart from the half hours: probe it, then look closely.
                        if (!both.test(std::size_t(s)))
                            continue;
                        days |= 1u << day;
                        break;
                    }
                }
                for (int s = 0; s < kSecondsPerWeek && first < 0; ++s)
                    if (both.test(std::size_t(s)))
                        first = s;
                int last = first;
                while (last + 1 < (first / kSecondsPerDay + 1) * kSecondsPerDay && both.test(std::size_t(last + 1)))
                    ++last;
                EXPECT_EQ(c.weekdays, days) << round << ": " << a << "/" << b;
                EXPECT_EQ(c.startSecond, first % kSecondsPerDay) << round << ": " << a << "/" << b;
                EXPECT_EQ(c.endSecond, last % kSecondsPerDay + 1) << round << ": " << a << "/" << b;
            }
        }
        EXPECT_EQ(next, found.size()) << "round " << round << ": pairs that do not clash were reported";
        total += int(found.size());
    }
    EXPECT_GT(total, 40) << "the tables must clash often enough to test something";
}

TEST(WeekLayout, BlocksGoMondayFirstIntoLanesAndPastMidnightIntoTheNextDay) {
    auto table = makeTable();
    appendEntry(*table, entry(0x3E, at(8, 0), at(8, 0, 5), {0}));   // a 5-second bell, Mon-Fri
    appendEntry(*table, entry(kMon, at(8, 0, 3), at(8, 30), {0}));  // starts 3 s after the bell
    appendEntry(*table, entry(kSat, at(23, 0), at(1, 0), {1}));     // Saturday into Sunday
    appendEntry(*table, entry(kMon, at(8, 45), at(8, 45, 5), {2})); // the next bell, elsewhere
    const std::vector<Clash> clashes = findClashes(*table, table->count());
    ASSERT_EQ(clashes.size(), 1u); // the bell and the entry 3 s later share zone 1 on Monday
    const std::vector<WeekBlock> blocks = layOutWeek(*table, table->count(), clashes, 600);

    const auto find = [&](int entryIndex, int column) {
        for (const WeekBlock& b : blocks)
            if (b.entry == entryIndex && b.column == column)
                return b;
        ADD_FAILURE() << "no block of entry " << entryIndex << " in column " << column;
        return WeekBlock{};
    };
    EXPECT_EQ(blocks.size(), 5u + 1u + 2u + 1u);
    // Monday: the bell and the entry 3 s later overlap as shown (10 minutes at least): two lanes; the 08:45 bell
    // is a group of its own.
    const WeekBlock bell = find(0, 0);
    const WeekBlock later = find(1, 0);
    EXPECT_EQ(bell.lanes, 2);
    EXPECT_EQ(later.lanes, 2);
    EXPECT_NE(bell.lane, later.lane);
    EXPECT_TRUE(bell.clashes);
    EXPECT_TRUE(later.clashes);
    EXPECT_EQ(find(3, 0).lanes, 1);
    EXPECT_FALSE(find(3, 0).clashes);
    // Tuesday's bell alone, and not outlined: the bell clashes on Monday only.
    EXPECT_FALSE(find(0, 1).clashes);
    EXPECT_FALSE(find(0, 4).clashes);
    EXPECT_EQ(find(0, 1).lanes, 1);
    EXPECT_EQ(find(0, 1).begin, at(8, 0));
    EXPECT_EQ(find(0, 1).end, at(8, 0, 5));
    // Saturday (column 5) to midnight, then Sunday (column 6) from midnight, marked as continued.
    const WeekBlock saturday = find(2, 5);
    EXPECT_EQ(saturday.begin, at(23, 0));
    EXPECT_EQ(saturday.end, kSecondsPerDay);
    EXPECT_FALSE(saturday.continued);
    const WeekBlock sunday = find(2, 6);
    EXPECT_EQ(sunday.begin, 0);
    EXPECT_EQ(sunday.end, at(1, 0));
    EXPECT_TRUE(sunday.continued);

    EXPECT_EQ(firstSource(source::kHostFm | source::kHostMp3), SourceKind::LocalMp3);
    EXPECT_EQ(firstSource(1u << (source::kFirstExtRadioBit + 7)), SourceKind::ExtRadio);
    EXPECT_EQ(firstSource(source::kRemoteMic), SourceKind::Voice);
    EXPECT_EQ(firstSource(0), SourceKind::None);
}

TEST(WeekLayout, ClashTextsNameTheOtherEntryDaysSpanAndZonesInBothLanguages) {
    TextTable en;
    en.loadEnglish();
    TextTable zh;
    zh.loadChinese();
    NameTables names;
    for (int z = 0; z < NameTables::usedCount(NameTable::Zones); ++z)
        names.setStored(NameTable::Zones, z, QString::fromUtf16(kDefaultNameMarker));
    names.computeDisplayNames(en);
    auto table = makeTable();
    appendEntry(*table, entry(kMon | kTue, at(8, 0), at(8, 30), {0}));
    appendEntry(*table, entry(kTue, at(8, 20), at(9, 0), {0}));
    appendEntry(*table, entry(kMon, at(23, 0), at(1, 0, 30), {3}));
    const std::vector<Clash> clashes = findClashes(*table, table->count());
    EXPECT_EQ(clashLines(clashes, 1, en, names).join(u'|').toStdString(),
              "Clashes with entry 1 on Tues, 08:20:00-08:30:00, in LocalZone1");
    EXPECT_TRUE(clashLines(clashes, 2, en, names).isEmpty());
    EXPECT_EQ(clashCountText(1, en), QStringLiteral("1 clash in this schedule"));
    EXPECT_EQ(clashCountText(3, zh), QStringLiteral("本时程表有3处冲突"));
    EXPECT_TRUE(clashCountText(0, en).isEmpty());
    EXPECT_EQ(pastMidnightText(table->entries[2], en), QStringLiteral("Runs past midnight to 01:00:30 the next day"));
    EXPECT_TRUE(pastMidnightText(table->entries[0], en).isEmpty());
    names.computeDisplayNames(zh);
    EXPECT_EQ(clashLines(clashes, 0, zh, names).join(u'|').toStdString(),
              "与第2条时程冲突：二，08:20:00-08:30:00，分区：主机分区1");
}
