#pragma once

#include "core/schedule/Clashes.h"

#include <vector>

namespace quorvan {

struct ScheduleTable;

// One block of the week view: where an entry plays on one day, placed in a lane beside the blocks it would
// cover.
struct WeekBlock {
    int entry = 0;
    int column = 0;         // 0 Monday ... 6 Sunday
    int begin = 0;          // seconds of the day
    int end = 0;            // seconds of the day, up to 86400
    int lane = 0;           // 0 .. lanes - 1
    int lanes = 1;          // lanes of the group of blocks that overlap this one on screen
    bool continued = false; // the part after midnight of an entry that started the day before
    bool clashes = false;   // this block overlaps a block of an entry it clashes with
};

// The entry's first source, for colour and label: the order follows the source mask.
enum class SourceKind { None, LocalMp3, LocalFm, Dvd, ExtMp3, ExtRadio, Voice };
SourceKind firstSource(std::uint32_t sourceMask);

// Lays out entries 0..count-1 as blocks, Monday first. A block takes at least minimumSeconds on screen (a 5-second
// bell stays visible); blocks whose shown extents overlap share the day's width in lanes.
std::vector<WeekBlock> layOutWeek(const ScheduleTable& table, int count, const std::vector<Clash>& clashes,
                                  int minimumSeconds);

} // namespace quorvan
