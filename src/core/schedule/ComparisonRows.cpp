#include "core/schedule/ComparisonRows.h"

#include "core/schedule/EntryListLogic.h"
#include "core/texts/TextId.h"
#include "core/texts/TextTable.h"

namespace quorvan {

namespace {

constexpr int kTimingColumns = 7; // number, week, start, end, sound, zones, power
constexpr int kPresetColumns = 4; // key, sound, zones, power

// The list column (after the sign column) that shows a field, or -1 when it shows in every column.
int columnOf(EntryField field, bool presets) {
    switch (field) {
    case EntryField::Weekdays:
        return presets ? 0 : 1;
    case EntryField::StartHour:
    case EntryField::StartMinute:
    case EntryField::StartSecond:
        return presets ? 0 : 2;
    case EntryField::EndHour:
    case EntryField::EndMinute:
    case EntryField::EndSecond:
        return presets ? 0 : 3;
    case EntryField::ZoneMask:
        return presets ? 2 : 5;
    case EntryField::PowerMask:
        return presets ? 3 : 6;
    case EntryField::Used:
        return -1;
    default:
        return presets ? 1 : 4; // everything about the sound
    }
}

QStringList cellsOf(int index, const ScheduleTable& table, bool presets, const TextTable& texts,
                    const NameTables& names) {
    const TimingEntry& entry = table.entries[std::size_t(index)];
    if (!presets)
        return timingRowCells(index, entry, texts, names);
    return presetRowCells(index, entry, texts, names).mid(1); // the number column stays empty for presets
}

// The songs of an entry for one line: the first few, then an ellipsis.
QString songsText(const TimingEntry& entry) {
    constexpr int kShown = 6;
    QString text = entry.playlist.mid(0, kShown).join(QStringLiteral(", "));
    if (entry.playlist.size() > kShown)
        text += QStringLiteral(", …");
    return text;
}

} // namespace

QStringList comparisonHeadings(const TextTable& texts, bool presets) {
    QStringList headings{QString()};
    if (presets) {
        for (const int id : {TextId::ShortcutColumn, TextId::SoundColumn, TextId::ZoneSelect, TextId::PowerColumn})
            headings << texts.text(id);
    } else {
        headings << timingListHeadings(texts);
    }
    return headings;
}

std::vector<ComparisonLine> comparisonLines(const ScheduleComparison& comparison, const ScheduleTable& before,
                                            const ScheduleTable& after, bool presets, const TextTable& texts,
                                            const NameTables& names) {
    const int columns = 1 + (presets ? kPresetColumns : kTimingColumns);
    std::vector<ComparisonLine> lines;
    lines.reserve(comparison.rows.size());
    for (const AlignedRow& row : comparison.rows) {
        ComparisonLine line;
        line.row = row;
        line.changedColumns.assign(std::size_t(columns), false);
        if (row.a >= 0)
            line.before = cellsOf(row.a, before, presets, texts, names);
        if (row.b >= 0)
            line.after = cellsOf(row.b, after, presets, texts, names);
        switch (row.kind) {
        case AlignedRow::Kind::Same:
            break;
        case AlignedRow::Kind::Changed:
            line.sign = QStringLiteral("~");
            line.changedColumns[0] = true;
            for (int f = 0; f < kEntryFieldCount; ++f) {
                if (!hasField(row.fields, EntryField(f)))
                    continue;
                const int column = columnOf(EntryField(f), presets);
                if (column < 0)
                    line.changedColumns.assign(std::size_t(columns), true);
                else
                    line.changedColumns[std::size_t(column + 1)] = true;
            }
            break;
        case AlignedRow::Kind::Removed:
            line.sign = QStringLiteral("−");
            break;
        case AlignedRow::Kind::Added:
            line.sign = QStringLiteral("+");
            break;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

QString changedDetails(const AlignedRow& row, const ScheduleTable& before, const ScheduleTable& after, bool presets,
                       const TextTable& texts) {
    if (row.kind != AlignedRow::Kind::Changed)
        return {};
    const TimingEntry& a = before.entries[std::size_t(row.a)];
    const TimingEntry& b = after.entries[std::size_t(row.b)];
    // Each group of fields named once, in the order of the list's columns.
    struct Group {
        int text;
        std::initializer_list<EntryField> fields;
    };
    const Group groups[] = {
        {TextId::PresetField, {EntryField::Used}},
        {TextId::WeekColumn, {EntryField::Weekdays}},
        {TextId::StartTimeColumn, {EntryField::StartHour, EntryField::StartMinute, EntryField::StartSecond}},
        {TextId::EndTimeColumn, {EntryField::EndHour, EntryField::EndMinute, EntryField::EndSecond}},
        {TextId::SoundColumn, {EntryField::SourceMask}},
        {TextId::SongsField, {EntryField::Playlist, EntryField::PlaylistOnCard}},
        {TextId::PlayModeField, {EntryField::Mp3PlayMode, EntryField::Mp3RepeatMode}},
        {TextId::FmField, {EntryField::FmFrequency}},
        {TextId::ExternalField, {EntryField::DvdTracks, EntryField::ExtMp3Tracks, EntryField::ExtRadioPresets}},
        {TextId::ZoneSelect, {EntryField::ZoneMask}},
        {TextId::PowerColumn, {EntryField::PowerMask}},
    };
    QStringList named;
    for (const Group& group : groups) {
        bool differs = false;
        for (const EntryField f : group.fields)
            differs = differs || hasField(row.fields, f);
        if (!differs)
            continue;
        QString name = texts.text(group.text);
        if (group.text == TextId::SongsField && a.playlist != b.playlist)
            name += QStringLiteral(" (%1 → %2)").arg(songsText(a), songsText(b));
        named << name;
    }
    const QString first =
        presets ? texts.text(TextId::RemoteKey) + QString::number(row.a + 1) : QString::number(row.a + 1);
    const QString second =
        presets ? texts.text(TextId::RemoteKey) + QString::number(row.b + 1) : QString::number(row.b + 1);
    return texts.text(TextId::ChangedDetails).arg(first, second, named.join(texts.text(TextId::ListSeparator)));
}

} // namespace quorvan
