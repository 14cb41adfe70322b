#include "core/schedule/ScheduleCompare.h"

#include "core/files/ScheduleFile.h"
#include "core/files/ScheduleFileCheck.h"
#include "core/texts/TextId.h"
#include "core/texts/TextTable.h"

#include <algorithm>
#include <array>

namespace quorvan {

namespace {

template <class T, std::size_t N> bool sameArray(const T (&a)[N], const T (&b)[N]) {
    return std::equal(std::begin(a), std::end(a), std::begin(b));
}

} // namespace

FieldSet differingFields(const TimingEntry& a, const TimingEntry& b) {
    const std::array<bool, kEntryFieldCount> differs{
        a.weekdays != b.weekdays,
        a.startHour != b.startHour,
        a.startMinute != b.startMinute,
        a.startSecond != b.startSecond,
        a.endHour != b.endHour,
        a.endMinute != b.endMinute,
        a.endSecond != b.endSecond,
        !sameArray(a.powerMask, b.powerMask),
        !sameArray(a.zoneMask, b.zoneMask),
        a.sourceMask != b.sourceMask,
        a.mp3PlayMode != b.mp3PlayMode,
        a.mp3RepeatMode != b.mp3RepeatMode,
        a.fmFrequency != b.fmFrequency,
        !sameArray(a.dvdTracks, b.dvdTracks),
        !sameArray(a.extMp3Tracks, b.extMp3Tracks),
        !sameArray(a.extRadioPresets, b.extRadioPresets),
        a.playlistOnCard != b.playlistOnCard,
        a.playlist != b.playlist,
        a.used != b.used,
    };
    FieldSet set = 0;
    for (int i = 0; i < kEntryFieldCount; ++i)
        set |= FieldSet(differs[std::size_t(i)]) << i;
    return set;
}

QString fieldKey(EntryField field) {
    static const char* const keys[kEntryFieldCount] = {
        "weekdays",     "startHour",       "startMinute",    "startSecond", "endHour",       "endMinute",   "endSecond",
        "powerMask",    "zoneMask",        "sourceMask",     "mp3PlayMode", "mp3RepeatMode", "fmFrequency", "dvdTracks",
        "extMp3Tracks", "extRadioPresets", "playlistOnCard", "playlist",    "used"};
    return QString::fromLatin1(keys[int(field)]);
}

QStringList fieldKeys(FieldSet set) {
    QStringList keys;
    for (int i = 0; i < kEntryFieldCount; ++i)
        if (hasField(set, EntryField(i)))
            keys << fieldKey(EntryField(i));
    return keys;
}

std::vector<AlignedRow> ScheduleComparison::differences() const {
    std::vector<AlignedRow> out;
    std::copy_if(rows.begin(), rows.end(), std::back_inserter(out),
                 [](const AlignedRow& row) { return row.kind != AlignedRow::Kind::Same; });
    return out;
}

namespace {

class Aligner {
public:
    Aligner(const std::vector<TimingEntry>& a, const std::vector<TimingEntry>& b, ScheduleComparison& out)
        : m_a(a), m_b(b), m_out(out) {}

    void same(int i, int j) {
        flush();
        m_out.rows.push_back({AlignedRow::Kind::Same, i, j, 0});
    }
    void onlyInA(int i) { m_gapA.push_back(i); }
    void onlyInB(int j) { m_gapB.push_back(j); }

    // The run between two matches: pairs in order as changed, then what is left of either side.
    void flush() {
        const std::size_t pairs = std::min(m_gapA.size(), m_gapB.size());
        for (std::size_t k = 0; k < pairs; ++k) {
            const int i = m_gapA[k], j = m_gapB[k];
            m_out.rows.push_back(
                {AlignedRow::Kind::Changed, i, j, differingFields(m_a[std::size_t(i)], m_b[std::size_t(j)])});
            ++m_out.changed;
        }
        for (std::size_t k = pairs; k < m_gapA.size(); ++k, ++m_out.removed)
            m_out.rows.push_back({AlignedRow::Kind::Removed, m_gapA[k], -1, 0});
        for (std::size_t k = pairs; k < m_gapB.size(); ++k, ++m_out.added)
            m_out.rows.push_back({AlignedRow::Kind::Added, -1, m_gapB[k], 0});
        m_gapA.clear();
        m_gapB.clear();
    }

private:
    const std::vector<TimingEntry>& m_a;
    const std::vector<TimingEntry>& m_b;
    ScheduleComparison& m_out;
    std::vector<int> m_gapA, m_gapB;
};

} // namespace

ScheduleComparison compareSchedules(const std::vector<TimingEntry>& a, const std::vector<TimingEntry>& b,
                                    Alignment alignment) {
    ScheduleComparison out;
    Aligner aligner(a, b, out);
    const int n = int(a.size()), m = int(b.size());
    if (alignment == Alignment::Position) {
        for (int i = 0; i < std::max(n, m); ++i) {
            if (i < n && i < m && a[std::size_t(i)] == b[std::size_t(i)]) {
                aligner.same(i, i);
                continue;
            }
            if (i < n)
                aligner.onlyInA(i);
            if (i < m)
                aligner.onlyInB(i);
            aligner.flush(); // each place on its own: key i is never paired with another key
        }
        return out;
    }

    // The entries both begin and end with are matched at once: a schedule compared with a slightly changed copy
    // of itself leaves a short middle for the quadratic part.
    int first = 0;
    while (first < n && first < m && a[std::size_t(first)] == b[std::size_t(first)])
        ++first;
    int lastA = n, lastB = m;
    while (lastA > first && lastB > first && a[std::size_t(lastA - 1)] == b[std::size_t(lastB - 1)])
        --lastA, --lastB;
    for (int k = 0; k < first; ++k)
        aligner.same(k, k);

    // length[i][j]: the longest common subsequence of a[first + i .. lastA) and b[first + j .. lastB).
    const int rows = lastA - first, columns = lastB - first;
    const auto at = [columns](int i, int j) { return std::size_t(i) * std::size_t(columns + 1) + std::size_t(j); };
    std::vector<std::uint16_t> length(std::size_t(rows + 1) * std::size_t(columns + 1), 0);
    std::vector<char> equal(std::size_t(rows) * std::size_t(columns + 1), 0);
    for (int i = rows - 1; i >= 0; --i) {
        for (int j = columns - 1; j >= 0; --j) {
            equal[at(i, j)] = a[std::size_t(first + i)] == b[std::size_t(first + j)];
            length[at(i, j)] = equal[at(i, j)] ? std::uint16_t(length[at(i + 1, j + 1)] + 1)
                                               : std::max(length[at(i + 1, j)], length[at(i, j + 1)]);
        }
    }
    int i = 0, j = 0;
    while (i < rows && j < columns) {
        if (equal[at(i, j)]) {
            aligner.same(first + i++, first + j++); // an equal pair always lies on some longest subsequence
        } else if (length[at(i + 1, j)] >= length[at(i, j + 1)]) {
            aligner.onlyInA(first + i++);
        } else {
            aligner.onlyInB(first + j++);
        }
    }
    for (; i < rows; ++i)
        aligner.onlyInA(first + i);
    for (; j < columns; ++j)
        aligner.onlyInB(first + j);
    for (int k = 0; k < n - lastA; ++k)
        aligner.same(lastA + k, lastB + k);
    aligner.flush();
    return out;
}

QString comparisonTotals(const ScheduleComparison& comparison, const TextTable& texts) {
    if (comparison.same())
        return texts.text(TextId::CompareSame);
    QStringList parts;
    if (comparison.changed)
        parts << texts.text(TextId::CompareChanged).arg(comparison.changed);
    if (comparison.added)
        parts << texts.text(TextId::CompareAdded).arg(comparison.added);
    if (comparison.removed)
        parts << texts.text(TextId::CompareRemoved).arg(comparison.removed);
    return parts.join(texts.text(TextId::ListSeparator));
}

Alignment alignmentFor(DocumentKind kind) {
    return kind == DocumentKind::RemotePresets ? Alignment::Position : Alignment::Sequence;
}

ComparedFile comparedFile(FileRead read, DocumentKind kind) {
    ComparedFile side;
    if (read.status.failure == ReadFailure::Missing) {
        side.state = ComparedFile::State::Missing;
    } else if (!read.ok()) {
        side.state = ComparedFile::State::Unreadable;
        side.why = read.status.problem;
    } else {
        side.state = ComparedFile::State::Read;
        side.bytes = std::move(read.bytes);
        if (!side.bytes.isEmpty()) {
            const std::vector<FileProblem> problems = checkScheduleBytes(side.bytes.constData(), side.bytes.size());
            if (!problems.empty()) {
                side.state = ComparedFile::State::Damaged;
                side.damage = problemText(problems.front());
            }
            parseTable(side.bytes.constData(), side.bytes.size(), side.table);
        }
    }
    if (kind == DocumentKind::RemotePresets)
        side.table.entries.resize(kRemoteKeyCount); // as the program shows them: twelve keys, extras not kept
    return side;
}

ComparedFile readComparedFile(const QString& path, DocumentKind kind) {
    return comparedFile(readRegularFile(path, kMaxScheduleFileBytes), kind); // no path: no such file
}

} // namespace quorvan
