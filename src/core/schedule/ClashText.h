#pragma once

#include "core/schedule/Clashes.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace quorvan {

class NameTables;
class TextTable;
struct TimingEntry;

// The clashes of entry `entry`, one line each, in the current language: "Clashes with entry 3 on Tues,
// 08:20:00-08:30:00, in LocalZone1".
QStringList clashLines(const std::vector<Clash>& clashes, int entry, const TextTable& texts, const NameTables& names);
// "2 clashes in this schedule"; empty without clashes.
QString clashCountText(int clashes, const TextTable& texts);
// For an entry that runs past midnight: "Runs past midnight to 01:00:00 the next day"; empty otherwise.
QString pastMidnightText(const TimingEntry& entry, const TextTable& texts);

} // namespace quorvan
