#pragma once

#include "core/files/RegularFile.h"
#include "core/files/ScheduleTypes.h"
#include "core/schedule/ScheduleDocument.h"

#include <QStringList>

#include <cstdint>
#include <vector>

namespace quorvan {

class TextTable;

// The fields of an entry, in the order of quorvan-dat's JSON; Used last (a preset that holds nothing).
enum class EntryField : std::uint8_t {
    Weekdays,
    StartHour,
    StartMinute,
    StartSecond,
    EndHour,
    EndMinute,
    EndSecond,
    PowerMask,
    ZoneMask,
    SourceMask,
    Mp3PlayMode,
    Mp3RepeatMode,
    FmFrequency,
    DvdTracks,
    ExtMp3Tracks,
    ExtRadioPresets,
    PlaylistOnCard,
    Playlist,
    Used,
};
inline constexpr int kEntryFieldCount = int(EntryField::Used) + 1;

// A set of fields, bit i for EntryField i.
using FieldSet = std::uint32_t;
inline constexpr bool hasField(FieldSet set, EntryField field) {
    return (set >> int(field)) & 1u;
}

// The fields in which a and b differ.
FieldSet differingFields(const TimingEntry& a, const TimingEntry& b);
// The JSON key of a field ("weekdays", "startHour", …; "used" for Used).
QString fieldKey(EntryField field);
// The keys of the fields in set, in field order.
QStringList fieldKeys(FieldSet set);

// One line of two schedules set side by side: an entry of both (the same or changed), or of one only.
struct AlignedRow {
    enum class Kind { Same, Changed, Removed, Added };
    Kind kind = Kind::Same;
    int a = -1;          // the entry's index in a (from 0), -1 when added
    int b = -1;          // the entry's index in b, -1 when removed
    FieldSet fields = 0; // what differs, for Changed

    bool operator==(const AlignedRow&) const = default;
};

enum class Alignment {
    // Entries equal in every field are matched as a longest common subsequence; what lies between two matches is
    // paired in order as changed, the rest of the longer side removed or added.
    Sequence,
    // Entry i of a against entry i of b (the remote keys, where the place is the key).
    Position,
};

struct ScheduleComparison {
    // Every entry of both, in the order of the alignment; in each run between matches the changed pairs come
    // first, then the removed entries of a, then the added entries of b.
    std::vector<AlignedRow> rows;
    int changed = 0;
    int added = 0;
    int removed = 0;

    bool same() const { return changed == 0 && added == 0 && removed == 0; }
    // The rows that are not Same, in order.
    std::vector<AlignedRow> differences() const;
};

// What turning a into b changes.
ScheduleComparison compareSchedules(const std::vector<TimingEntry>& a, const std::vector<TimingEntry>& b,
                                    Alignment alignment = Alignment::Sequence);

// "3 changed, 1 added, 2 removed" (parts that are zero left out) or "the same", in the language of texts.
QString comparisonTotals(const ScheduleComparison& comparison, const TextTable& texts);

// How a document's entries line up: the remote keys by place, a schedule as a sequence.
Alignment alignmentFor(DocumentKind kind);

// One side of a comparison: the entries of a file, and what stands in the way of taking them as they are.
struct ComparedFile {
    enum class State {
        Read,       // a sound schedule file, or an empty one (a new controller starts that way)
        Missing,    // no such file: no entries
        Damaged,    // fails the file checks: the entries the loader still takes
        Unreadable, // a link, FIFO, folder, too large or refused: no entries
    };
    State state = State::Missing;
    ScheduleTable table;
    QByteArray bytes; // the file's bytes as read (empty unless Read or Damaged)
    QString damage;   // Damaged: the first problem, as the file checker words it
    Problem why;      // Unreadable: the reason
};

// Reads path (never through a link, never waiting on a FIFO) for a document of this kind; the remote keys are
// always twelve presets. An empty path is a missing file.
ComparedFile readComparedFile(const QString& path, DocumentKind kind);
// The same over a file already read.
ComparedFile comparedFile(FileRead read, DocumentKind kind);

} // namespace quorvan
