#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace quorvan {

struct ScheduleTable;
struct TimingEntry;

// Two entries of one schedule that want the same zone at the same time: the controller then plays one of them.
struct Clash {
    int first = 0;                        // entry index, the lower of the two
    int second = 0;                       // entry index
    std::uint32_t weekdays = 0;           // bit d (0 Sunday ... 6 Saturday): the days on which they overlap
    int startSecond = 0;                  // the first overlapping run of the week, clipped to its day: [start, end)
    int endSecond = 0;                    // seconds of the day; end may be 86400
    std::array<std::uint32_t, 9> zones{}; // the zone bits both entries switch on
};

// Where an entry plays in the week: [start, end) in seconds from Sunday 00:00. An entry whose end is earlier than its
// start runs past midnight: [start, 24:00) on each of its weekdays and [00:00, end) on the following day (Saturday
// into Sunday). An entry whose end equals its start, or whose times are not times of day, plays nowhere.
struct WeekSpan {
    int begin = 0;
    int end = 0;
    bool continued = false; // the part after midnight of an entry that started the day before
};
std::vector<WeekSpan> weekSpans(const TimingEntry& entry);

inline constexpr int kSecondsPerDay = 86400;
inline constexpr int kSecondsPerWeek = 7 * kSecondsPerDay;

// Every clashing pair of entries 0..count-1, once, lower index first, in order. Two entries clash when their
// week spans overlap (spans that only touch do not) and their zone masks share a bit in any of the nine words.
std::vector<Clash> findClashes(const ScheduleTable& table, int count);

} // namespace quorvan
