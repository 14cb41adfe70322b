#include "core/schedule/ClashText.h"

#include "core/files/ScheduleTypes.h"
#include "core/schedule/EntryFormat.h"
#include "core/texts/TextTable.h"

namespace quorvan {

namespace {

QString clock(int seconds) {
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

QStringList clashLines(const std::vector<Clash>& clashes, int entry, const TextTable& texts, const NameTables& names) {
    QStringList lines;
    for (const Clash& c : clashes) {
        if (c.first != entry && c.second != entry)
            continue;
        std::uint32_t zones[9];
        std::copy(c.zones.begin(), c.zones.end(), zones);
        const int other = c.first == entry ? c.second : c.first;
        lines << texts.text(TextId::ClashWith)
                     .arg(QString::number(other + 1), formatWeekdays(c.weekdays, texts),
                          clock(c.startSecond) + u'-' + clock(c.endSecond), formatZones(zones, names));
    }
    return lines;
}

QString clashCountText(int clashes, const TextTable& texts) {
    if (clashes <= 0)
        return {};
    return clashes == 1 ? texts.text(TextId::OneClash) : texts.text(TextId::ClashCount).arg(clashes);
}

QString pastMidnightText(const TimingEntry& e, const TextTable& texts) {
    const int start = e.startHour * 3600 + e.startMinute * 60 + e.startSecond;
    const int end = e.endHour * 3600 + e.endMinute * 60 + e.endSecond;
    if (e.startHour > 23 || e.endHour > 23 || e.startMinute > 59 || e.endMinute > 59 || e.startSecond > 59 ||
        e.endSecond > 59 || end >= start)
        return {};
    return texts.text(TextId::PastMidnight).arg(clock(end));
}

} // namespace quorvan
