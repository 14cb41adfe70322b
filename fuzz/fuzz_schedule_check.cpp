// Any bytes through the file checker: it never crashes, and a file it finds valid loads with the entry count
// its header gives.
#include "core/files/ScheduleFile.h"
#include "core/files/ScheduleFileCheck.h"
#include "core/schedule/ScheduleModel.h"

#include <cstdlib>

using namespace quorvan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    const auto problems = checkScheduleBytes(bytes, qint64(size));
    if (problems.empty()) {
        static auto table = makeTable();
        const int n = size >= 6 ? (data[4] | (data[5] << 8)) : 0;
        if (parseTable(bytes, qint64(size), *table) != n)
            std::abort();
    }
    return 0;
}
