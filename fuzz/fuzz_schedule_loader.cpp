// Any bytes → table → saved bytes → table again: the loader never reads or writes outside its buffers, and a
// table it produced saves to a file that loads back with the same entries and the same bytes.
#include "core/files/ScheduleFile.h"
#include "core/schedule/ScheduleModel.h"

#include <cstdlib>
#include <cstring>

using namespace quorvan;

namespace {

bool sameName(const PlaylistItem& a, const PlaylistItem& b) {
    for (int u = 0; u < kFileNameUnits; ++u) {
        if (a.fileName[u] != b.fileName[u])
            return false;
        if (a.fileName[u] == 0)
            return true; // what follows the NUL is not part of the name
    }
    return true;
}

// Everything but the drive prefixes, which every save derives afresh from the storage choice.
bool sameEntry(const TimingEntry& a, const TimingEntry& b) {
    if (a.used != b.used || a.weekdays != b.weekdays || a.startHour != b.startHour || a.startMinute != b.startMinute ||
        a.startSecond != b.startSecond || a.endHour != b.endHour || a.endMinute != b.endMinute ||
        a.endSecond != b.endSecond || a.sourceMask != b.sourceMask || a.mp3PlayMode != b.mp3PlayMode ||
        a.mp3RepeatMode != b.mp3RepeatMode || a.mp3TrackCount != b.mp3TrackCount || a.fmFrequency != b.fmFrequency ||
        a.playlistCount != b.playlistCount || a.playlistOnCard != b.playlistOnCard)
        return false;
    if (std::memcmp(a.powerMask, b.powerMask, sizeof a.powerMask) ||
        std::memcmp(a.zoneMask, b.zoneMask, sizeof a.zoneMask))
        return false;
    for (int k = 0; k < 8; ++k)
        if (!(a.dvdTracks[k] == b.dvdTracks[k]) || !(a.extMp3Tracks[k] == b.extMp3Tracks[k]) ||
            a.extRadioPresets[k] != b.extRadioPresets[k])
            return false;
    for (int j = 0; j < a.playlistCount; ++j)
        if (!sameName(a.playlist[j], b.playlist[j]))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static auto first = makeTable();
    static auto second = makeTable();
    const int count = parseTable(reinterpret_cast<const char*>(data), qint64(size), *first);
    if (count < 0 || count > kMaxEntries)
        std::abort();
    // A few bytes may claim 256 entries of 255 songs, which the loader completes with zeros: 40 MB to save and
    // load again for every such input would leave no time for the rest. The round trip is checked when the table
    // saves to at most 64 KB more than the input had.
    std::size_t savedSize = schedulefile::kHeaderSize;
    for (int i = 0; i < count; ++i)
        savedSize +=
            schedulefile::kEntryHeaderSize + schedulefile::kRecordSize * std::size_t(first->entries[i].playlistCount);
    if (savedSize > size + 64 * 1024)
        return 0;
    const QByteArray saved = serializeTable(*first);
    if (parseTable(saved.constData(), saved.size(), *second) != count)
        std::abort();
    for (int i = 0; i < count; ++i)
        if (!sameEntry(first->entries[i], second->entries[i]))
            std::abort();
    if (serializeTable(*second) != saved)
        std::abort();
    return 0;
}
