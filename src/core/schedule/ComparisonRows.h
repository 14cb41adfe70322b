#pragma once

#include "core/schedule/ScheduleCompare.h"

#include <QStringList>

#include <vector>

namespace quorvan {

class NameTables;
class TextTable;

// One line of a comparison as the two lists show it: the entry of each side in the list's own columns (no
// cells for a side without it), the sign of its kind and the columns whose cells differ.
struct ComparisonLine {
    AlignedRow row;
    QString sign; // "", "~" changed, "−" removed, "+" added: the kind reads without colour too
    QStringList before;
    QStringList after;
    std::vector<bool> changedColumns; // one per column; all set when a preset was filled or cleared
};

// The columns of either side: a sign column, then the timing list's columns (the remote keys: key, sound, zones,
// power).
QStringList comparisonHeadings(const TextTable& texts, bool presets);

std::vector<ComparisonLine> comparisonLines(const ScheduleComparison& comparison, const ScheduleTable& before,
                                            const ScheduleTable& after, bool presets, const TextTable& texts,
                                            const NameTables& names);

// What a changed pair differs in, for the line under the lists: "Entry 3 → 4 differs in: Start time, Songs
// (A.MP3, B.MP3 → A.MP3)". Empty for a row that is not changed.
QString changedDetails(const AlignedRow& row, const ScheduleTable& before, const ScheduleTable& after, bool presets,
                       const TextTable& texts);

} // namespace quorvan
