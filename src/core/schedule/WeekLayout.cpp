#include "core/schedule/WeekLayout.h"

#include "core/files/ScheduleTypes.h"

#include <algorithm>

namespace quorvan {

SourceKind firstSource(std::uint32_t mask) {
    if (mask & source::kHostMp3)
        return SourceKind::LocalMp3;
    if (mask & source::kHostFm)
        return SourceKind::LocalFm;
    const auto any = [mask](int firstBit) { return (mask >> firstBit) & 0xFFu; };
    if (any(source::kFirstDvdBit))
        return SourceKind::Dvd;
    if (any(source::kFirstExtMp3Bit))
        return SourceKind::ExtMp3;
    if (any(source::kFirstExtRadioBit))
        return SourceKind::ExtRadio;
    if (mask & (source::kAlarmVoice | source::kLocalMic | source::kRemoteMic))
        return SourceKind::Voice;
    return SourceKind::None;
}

std::vector<WeekBlock> layOutWeek(const ScheduleTable& table, int count, const std::vector<Clash>& clashes,
                                  int minimumSeconds) {
    count = std::clamp(count, 0, kMaxEntries);
    std::vector<std::vector<WeekSpan>> spans(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        spans[std::size_t(i)] = weekSpans(table.entries[i]);
    // The entries each entry clashes with: a block is marked only where one of their spans overlaps it, so that an
    // entry clashing on Monday alone is not outlined on the other days.
    std::vector<std::vector<int>> partners(static_cast<std::size_t>(count));
    for (const Clash& c : clashes) {
        if (c.first < count && c.second < count) {
            partners[std::size_t(c.first)].push_back(c.second);
            partners[std::size_t(c.second)].push_back(c.first);
        }
    }
    const auto overlapsPartner = [&](int i, const WeekSpan& span) {
        for (const int j : partners[std::size_t(i)])
            for (const WeekSpan& other : spans[std::size_t(j)])
                if (other.begin < span.end && span.begin < other.end)
                    return true;
        return false;
    };
    std::vector<WeekBlock> blocks;
    for (int i = 0; i < count; ++i) {
        for (const WeekSpan& span : spans[std::size_t(i)]) {
            const int day = span.begin / kSecondsPerDay; // 0 Sunday
            WeekBlock b;
            b.entry = i;
            b.column = (day + 6) % 7;
            b.begin = span.begin - day * kSecondsPerDay;
            b.end = span.end - day * kSecondsPerDay;
            b.continued = span.continued;
            b.clashes = overlapsPartner(i, span);
            blocks.push_back(b);
        }
    }
    std::sort(blocks.begin(), blocks.end(), [](const WeekBlock& a, const WeekBlock& b) {
        return a.column != b.column ? a.column < b.column : a.begin != b.begin ? a.begin < b.begin : a.entry < b.entry;
    });

    // Per day: blocks go into the first lane that is free at their start; a group of blocks that overlap one
    // another (as shown, with the minimum height) shares its width among the lanes it uses.
    const auto shownEnd = [minimumSeconds](const WeekBlock& b) {
        return std::min(std::max(b.end, b.begin + minimumSeconds), kSecondsPerDay + minimumSeconds);
    };
    std::size_t groupStart = 0;
    std::vector<int> laneEnds;
    int groupEnd = -1;
    const auto closeGroup = [&](std::size_t until) {
        for (std::size_t k = groupStart; k < until; ++k)
            blocks[k].lanes = int(laneEnds.size());
        laneEnds.clear();
        groupStart = until;
    };
    for (std::size_t k = 0; k < blocks.size(); ++k) {
        WeekBlock& b = blocks[k];
        if (k > groupStart && (b.column != blocks[k - 1].column || b.begin >= groupEnd)) {
            closeGroup(k);
            groupEnd = -1;
        }
        std::size_t lane = 0;
        while (lane < laneEnds.size() && laneEnds[lane] > b.begin)
            ++lane;
        if (lane == laneEnds.size())
            laneEnds.push_back(0);
        laneEnds[lane] = shownEnd(b);
        b.lane = int(lane);
        groupEnd = std::max(groupEnd, shownEnd(b));
    }
    closeGroup(blocks.size());
    return blocks;
}

} // namespace quorvan
