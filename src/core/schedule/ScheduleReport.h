#pragma once

#include "core/files/ScheduleTypes.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace quorvan {

class NameTables;
class TextTable;

// A schedule as a table to print or hand over: the timing list's columns, then each entry's FM frequency and
// its whole song list, in the current language and with the operator's zone and power names.
struct ScheduleReport {
    QString title;
    QStringList headings;
    std::vector<QStringList> rows; // one per entry, as many cells as headings
};

ScheduleReport makeScheduleReport(const QString& title, const ScheduleTable& table, int count, const TextTable& texts,
                                  const NameTables& names);

// The report as CSV: UTF-8 with a byte-order mark (spreadsheets then read Chinese right), CR LF line ends, a
// heading row, songs joined by "; ", cells written as csvCell writes them (quoted where they hold a separator, a
// quote or a line break; kept from being taken for formulas).
QByteArray reportCsv(const ScheduleReport& report);

// Shares of the page width for the printed columns, in the order of the headings: the zone lists are the longest
// texts, then the songs.
inline constexpr int kReportColumnShares[] = {6, 10, 8, 8, 8, 24, 10, 8, 18};

} // namespace quorvan
