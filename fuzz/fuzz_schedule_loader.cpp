// Any bytes → table → saved bytes → table again: the loader never reads or writes outside its buffers, and a
// table it produced saves to a file that loads back with the same entries and the same bytes.
#include "core/files/ScheduleFile.h"
#include "core/schedule/ScheduleModel.h"

#include <cstdlib>

using namespace quorvan;

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
        savedSize += schedulefile::kEntryHeaderSize +
                     schedulefile::kRecordSize * std::size_t(first->entries[std::size_t(i)].playlist.size());
    if (savedSize > size + 64 * 1024)
        return 0;
    const QByteArray saved = serializeTable(*first);
    if (parseTable(saved.constData(), saved.size(), *second) != count)
        std::abort();
    if (!(*first == *second))
        std::abort();
    if (serializeTable(*second) != saved)
        std::abort();
    return 0;
}
