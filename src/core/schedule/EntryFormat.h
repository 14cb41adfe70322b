#pragma once

#include <QString>

#include <cstdint>

namespace quorvan {

class NameTables;
class TextTable;

// Display texts of a timing entry's fields, shared by both list pages and both editors.
// List cells join their items with ","; an empty set gives an empty text.
QString formatWeekdays(std::uint32_t weekdays, const TextTable& texts);
QString formatTime(std::uint8_t hour, std::uint8_t minute, std::uint8_t second);
QString formatSources(std::uint32_t sourceMask, const TextTable& texts);
QString formatZones(const std::uint32_t (&zoneMask)[9], const NameTables& names);
QString formatPower(const std::uint32_t (&powerMask)[9], const NameTables& names, const TextTable& texts);

// Editor summaries: one line per zone ("name,") or power channel ("name"), lines ending in CR LF, with the
// final line feed removed.
QString formatZoneSummary(const std::uint32_t (&zoneMask)[9], const NameTables& names);
QString formatPowerSummary(const std::uint32_t (&powerMask)[9], const NameTables& names);

} // namespace quorvan
