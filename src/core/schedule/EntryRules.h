#pragma once

#include <QString>
#include <QTime>

#include <array>
#include <cstdint>

namespace quorvan {

struct TimingEntry;

// ---- zone picker: 40 zones ------------------------------------------------------------------------------
using ZoneChecks = std::array<bool, 40>;
ZoneChecks zoneChecks(const std::uint32_t (&zoneMask)[9]);
// Rebuilds bits 0-7 of word 0 and bits 0-15 of words 1-8 from the checks (zones beyond the 40 become 0);
// all other bits keep their values.
void applyZoneChecks(const ZoneChecks& checks, std::uint32_t (&zoneMask)[9]);
// Zones of a zone-group list item: 0 all groups, 1 the local group, 2..9 extension group 1..8 (only groups 1
// and 2 have zones). first..last inclusive; an empty range has first > last.
struct ZoneRange {
    int first;
    int last;
};
ZoneRange zoneGroupRange(int groupItem);
// The on/off list: item 1 ticks, item 2 clears the zones of the group; item 0 does nothing.
void applyZoneGroupAction(int groupItem, int action, ZoneChecks& checks);

// ---- power picker: 37 channels and keep power -----------------------------------------------------------
inline constexpr int kKeepPowerItem = 37;
using PowerChecks = std::array<bool, 38>;
PowerChecks powerChecks(const std::uint32_t (&powerMask)[9]);
// Sets or clears the bits of channels 0-36 and bit 15 of word 0; all other bits keep their values.
void applyPowerChecks(const PowerChecks& checks, std::uint32_t (&powerMask)[9]);
void selectAllChannels(PowerChecks& checks); // the keep-power item is not changed
void invertChannels(PowerChecks& checks);    // the keep-power item is not changed

// ---- the timing entry editor ----------------------------------------------------------------------------
// The time a picker shows for stored bytes; a value no clock can show (a damaged file) shows 00:00:00.
QTime pickerTime(std::uint8_t hour, std::uint8_t minute, std::uint8_t second);
// Stores the weekday boxes (bits 0-6, other bits kept), the two picker times (255 in each byte of a time that
// is not valid) and used = 1.
void storeEditorFields(const std::array<bool, 7>& weekdays, const QTime& start, const QTime& end, TimingEntry& entry);
// The start and end time would be equal: Save is refused.
bool sameTimes(const QTime& start, const QTime& end);

} // namespace quorvan
