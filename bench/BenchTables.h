#pragma once
// Tables the benchmarks fill: every entry on five weekdays with zones, songs named with Chinese characters.
#include "core/schedule/ScheduleModel.h"

#include <QString>

#include <cstring>
#include <memory>

namespace quorvan::bench {

inline std::unique_ptr<ScheduleTable> buildTable(int entries, int songs) {
    auto table = makeTable();
    for (int i = 0; i < entries; ++i) {
        TimingEntry e{};
        e.used = 1;
        e.weekdays = 0x3E;
        e.startHour = std::uint8_t(i % 24);
        e.startMinute = std::uint8_t(i % 60);
        e.endHour = std::uint8_t(i % 24);
        e.endMinute = std::uint8_t(i % 60);
        e.zoneMask[0] = 0xFF;
        e.sourceMask = songs ? 1 : 0;
        e.playlistOnCard = i & 1;
        for (int j = 0; j < songs; ++j)
            e.playlist << QStringLiteral("课间音乐-%1-%2.mp3").arg(i).arg(j);
        appendEntry(*table, e);
    }
    return table;
}

} // namespace quorvan::bench
