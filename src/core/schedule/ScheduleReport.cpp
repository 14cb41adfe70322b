#include "core/schedule/ScheduleReport.h"

#include "core/files/ScheduleFile.h"
#include "core/schedule/CsvText.h"
#include "core/schedule/EntryListLogic.h"
#include "core/schedule/SourceSettings.h"
#include "core/texts/TextTable.h"

#include <algorithm>
#include <iterator>

namespace quorvan {

namespace {

// The FM frequency as the source settings list it, when the entry plays FM.
QString fmText(const TimingEntry& entry) {
    const int tenths = entry.fmFrequency / 10;
    if (!(entry.sourceMask & source::kHostFm) || tenths < 870 || tenths > 1080)
        return {};
    return fmLine(tenths - 869);
}

// The songs, after where the controller finds them: "SD卡: a.mp3; b.mp3" (as the editor says).
QString songsText(const TimingEntry& entry, const TextTable& texts) {
    if (!(entry.sourceMask & source::kHostMp3))
        return {};
    const QStringList& songs = entry.playlist;
    if (songs.isEmpty())
        return {};
    return texts.text(entry.playlistOnCard ? TextId::CardStorage : TextId::InternalStorage) + QStringLiteral(": ") +
           songs.join(QStringLiteral("; "));
}

} // namespace

ScheduleReport makeScheduleReport(const QString& title, const ScheduleTable& table, int count, const TextTable& texts,
                                  const NameTables& names) {
    ScheduleReport report;
    report.title = title;
    report.headings = timingListHeadings(texts);
    report.headings << texts.text(TextId::FmColumn) << texts.text(TextId::SongsColumn);
    count = std::clamp(count, 0, kMaxEntries);
    for (int i = 0; i < count; ++i) {
        const TimingEntry& entry = table.entries[i];
        QStringList row = timingRowCells(i, entry, texts, names);
        row << fmText(entry) << songsText(entry, texts);
        report.rows.push_back(row);
    }
    return report;
}

QByteArray reportCsv(const ScheduleReport& report) {
    QByteArray csv("\xEF\xBB\xBF");
    appendCsvRow(csv, report.headings);
    for (const QStringList& row : report.rows)
        appendCsvRow(csv, row);
    return csv;
}

} // namespace quorvan
