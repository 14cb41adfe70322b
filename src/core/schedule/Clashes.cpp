#include "core/schedule/Clashes.h"

#include "core/files/ScheduleTypes.h"

#include <algorithm>

namespace quorvan {

namespace {

bool validTime(std::uint8_t h, std::uint8_t m, std::uint8_t s) {
    return h < 24 && m < 60 && s < 60;
}

} // namespace

std::vector<WeekSpan> weekSpans(const TimingEntry& entry) {
    std::vector<WeekSpan> spans;
    if (!validTime(entry.startHour, entry.startMinute, entry.startSecond) ||
        !validTime(entry.endHour, entry.endMinute, entry.endSecond))
        return spans;
    const int start = entry.startHour * 3600 + entry.startMinute * 60 + entry.startSecond;
    const int end = entry.endHour * 3600 + entry.endMinute * 60 + entry.endSecond;
    if (start == end)
        return spans;
    for (int day = 0; day < 7; ++day) {
        if (!((entry.weekdays >> day) & 1u))
            continue;
        const int base = day * kSecondsPerDay;
        if (end > start) {
            spans.push_back({base + start, base + end, false});
        } else {
            spans.push_back({base + start, base + kSecondsPerDay, false});
            if (end > 0) {
                const int next = ((day + 1) % 7) * kSecondsPerDay;
                spans.push_back({next, next + end, true});
            }
        }
    }
    std::sort(spans.begin(), spans.end(), [](const WeekSpan& a, const WeekSpan& b) { return a.begin < b.begin; });
    return spans;
}

std::vector<Clash> findClashes(const ScheduleTable& table, int count) {
    count = std::clamp(count, 0, kMaxEntries);
    std::vector<std::vector<WeekSpan>> spans(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        spans[std::size_t(i)] = weekSpans(table.entries[i]);

    std::vector<Clash> clashes;
    for (int a = 0; a < count; ++a) {
        const TimingEntry& ea = table.entries[a];
        const auto& sa = spans[std::size_t(a)];
        if (sa.empty())
            continue;
        for (int b = a + 1; b < count; ++b) {
            const TimingEntry& eb = table.entries[b];
            std::array<std::uint32_t, 9> zones{};
            bool shared = false;
            for (int w = 0; w < 9; ++w) {
                zones[std::size_t(w)] = ea.zoneMask[w] & eb.zoneMask[w];
                shared = shared || zones[std::size_t(w)] != 0;
            }
            if (!shared)
                continue;
            const auto& sb = spans[std::size_t(b)];
            Clash clash;
            bool found = false;
            int firstBegin = kSecondsPerWeek;
            // Both span lists are sorted, and the spans of one entry neither overlap nor cross midnight: walk them
            // together; each overlap lies within one day.
            std::size_t i = 0;
            std::size_t j = 0;
            while (i < sa.size() && j < sb.size()) {
                const int begin = std::max(sa[i].begin, sb[j].begin);
                const int end = std::min(sa[i].end, sb[j].end);
                if (begin < end) {
                    const int day = begin / kSecondsPerDay;
                    clash.weekdays |= 1u << day;
                    if (begin < firstBegin) {
                        firstBegin = begin;
                        clash.startSecond = begin - day * kSecondsPerDay;
                        clash.endSecond = std::min(end, (day + 1) * kSecondsPerDay) - day * kSecondsPerDay;
                    }
                    found = true;
                }
                if (sa[i].end < sb[j].end)
                    ++i;
                else
                    ++j;
            }
            if (!found)
                continue;
            clash.first = a;
            clash.second = b;
            clash.zones = zones;
            clashes.push_back(clash);
        }
    }
    return clashes;
}

} // namespace quorvan
