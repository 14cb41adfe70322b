#include "core/schedule/EntryRules.h"

#include "core/files/ScheduleTypes.h"

namespace quorvan {

ZoneChecks zoneChecks(const std::uint32_t (&zoneMask)[9]) {
    ZoneChecks checks{};
    for (int z = 0; z < kZoneCount; ++z)
        checks[std::size_t(z)] = zoneBit(zoneMask, z);
    return checks;
}

void applyZoneChecks(const ZoneChecks& checks, std::uint32_t (&zoneMask)[9]) {
    // Every zone bit the words can hold: 8 local zones and 16 in each of the 8 extension units.
    for (int z = 0; z < 8 + 8 * 16; ++z)
        setZoneBit(zoneMask, z, z < kZoneCount && checks[std::size_t(z)]);
}

ZoneRange zoneGroupRange(int groupItem) {
    if (groupItem == 0)
        return {0, kZoneCount - 1};
    if (groupItem == 1)
        return {0, 7};
    if (groupItem >= 2 && groupItem <= 9) {
        const int first = 8 + 16 * (groupItem - 2);
        return {first, std::min(first + 15, kZoneCount - 1)};
    }
    return {1, 0};
}

void applyZoneGroupAction(int groupItem, int action, ZoneChecks& checks) {
    if (action != 1 && action != 2)
        return;
    const ZoneRange range = zoneGroupRange(groupItem);
    for (int z = range.first; z <= range.last; ++z)
        checks[std::size_t(z)] = action == 1;
}

PowerChecks powerChecks(const std::uint32_t (&powerMask)[9]) {
    PowerChecks checks{};
    for (int p = 0; p < kPowerChannelCount; ++p)
        checks[std::size_t(p)] = powerBit(powerMask, p);
    checks[kKeepPowerItem] = (powerMask[0] & kKeepPowerBit) != 0;
    return checks;
}

void applyPowerChecks(const PowerChecks& checks, std::uint32_t (&powerMask)[9]) {
    for (int p = 0; p < kPowerChannelCount; ++p)
        setPowerBit(powerMask, p, checks[std::size_t(p)]);
    powerMask[0] = checks[kKeepPowerItem] ? (powerMask[0] | kKeepPowerBit) : (powerMask[0] & ~kKeepPowerBit);
}

void selectAllChannels(PowerChecks& checks) {
    for (int p = 0; p < kPowerChannelCount; ++p)
        checks[std::size_t(p)] = true;
}

void invertChannels(PowerChecks& checks) {
    for (int p = 0; p < kPowerChannelCount; ++p)
        checks[std::size_t(p)] = !checks[std::size_t(p)];
}

QTime pickerTime(std::uint8_t hour, std::uint8_t minute, std::uint8_t second) {
    const QTime time(hour, minute, second);
    return time.isValid() ? time : QTime(0, 0, 0);
}

void storeEditorFields(const std::array<bool, 7>& weekdays, const QTime& start, const QTime& end, TimingEntry& entry) {
    entry.used = 1;
    for (int i = 0; i < 7; ++i)
        entry.weekdays = weekdays[std::size_t(i)] ? (entry.weekdays | (1u << i)) : (entry.weekdays & ~(1u << i));
    auto store = [](const QTime& t, std::uint8_t& h, std::uint8_t& m, std::uint8_t& s) {
        const bool ok = t.isValid();
        h = ok ? std::uint8_t(t.hour()) : 255;
        m = ok ? std::uint8_t(t.minute()) : 255;
        s = ok ? std::uint8_t(t.second()) : 255;
    };
    store(start, entry.startHour, entry.startMinute, entry.startSecond);
    store(end, entry.endHour, entry.endMinute, entry.endSecond);
}

bool sameTimes(const QTime& start, const QTime& end) {
    if (!start.isValid() || !end.isValid())
        return start.isValid() == end.isValid(); // both unconvertible: both store 255:255:255
    return start.hour() == end.hour() && start.minute() == end.minute() && start.second() == end.second();
}

} // namespace quorvan
