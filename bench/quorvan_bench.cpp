// Save and load of schedule files against the physical limit of the same I/O: one write of the same bytes with
// the same flush, fsync and rename steps, and one read into a buffer allocated beforehand. The export of the
// largest set of data files against a plain copy of the same files with the same steps.
#include "BenchTables.h"

#include "core/files/ScheduleFile.h"
#include "core/schedule/Clashes.h"
#include "core/schedule/ScheduleModel.h"
#include "core/storage/CardTransfer.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace quorvan;
using quorvan::bench::buildTable;

namespace {

struct Fixture {
    QTemporaryDir dir{QDir::currentPath() + QStringLiteral("/quorvan-bench-XXXXXX")};
    QString path(const char* name) const { return dir.path() + u'/' + QLatin1String(name); }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

const ScheduleTable& largest() {
    static auto t = buildTable(kMaxEntries, kMaxSongs);
    return *t;
}

const ScheduleTable& typical() {
    static auto t = buildTable(40, 3);
    return *t;
}

void fsyncFolder(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY);
    ::fsync(fd);
    ::close(fd);
}

void BM_SaveLargestTable(benchmark::State& state) {
    const QString path = fixture().path("SCH01.DAT");
    for (auto _ : state)
        if (!saveTableFile(path, largest()).ok)
            state.SkipWithError("save failed");
    state.SetBytesProcessed(state.iterations() * 40783880);
}

void BM_RawWriteSameBytes(benchmark::State& state) {
    const QByteArray bytes = serializeTable(largest());
    const QByteArray target = QFile::encodeName(fixture().path("RAW.DAT"));
    const QByteArray temp = target + ".tmp";
    const QByteArray folder = QFile::encodeName(fixture().dir.path());
    for (auto _ : state) {
        const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (::write(fd, bytes.constData(), std::size_t(bytes.size())) != bytes.size())
            state.SkipWithError("write failed");
        ::fsync(fd);
        ::close(fd);
        ::rename(temp.constData(), target.constData());
        fsyncFolder(folder);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void BM_LoadLargestTable(benchmark::State& state) {
    const QString path = fixture().path("LOAD.DAT");
    saveTableFile(path, largest());
    auto table = makeTable();
    for (auto _ : state)
        benchmark::DoNotOptimize(loadTableFile(path, *table));
    state.SetBytesProcessed(state.iterations() * 40783880);
}

void BM_RawReadSameBytes(benchmark::State& state) {
    const QString path = fixture().path("LOAD.DAT");
    saveTableFile(path, largest());
    const QByteArray name = QFile::encodeName(path);
    std::vector<char> buffer(40783880);
    for (auto _ : state) {
        const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
        benchmark::DoNotOptimize(::read(fd, buffer.data(), buffer.size()));
        ::close(fd);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(buffer.size()));
}

void BM_SaveTypicalTable(benchmark::State& state) {
    const QString path = fixture().path("SCH02.DAT");
    for (auto _ : state)
        saveTableFile(path, typical());
}

void BM_LoadTypicalTable(benchmark::State& state) {
    const QString path = fixture().path("SCH03.DAT");
    saveTableFile(path, typical());
    auto table = makeTable();
    for (auto _ : state)
        benchmark::DoNotOptimize(loadTableFile(path, *table));
}

// The worst case of the clash search: 256 entries on every weekday in the same zones, each overlapping several
// others, a few of them past midnight.
void BM_FindClashesFullTable(benchmark::State& state) {
    auto table = makeTable();
    for (int i = 0; i < kMaxEntries; ++i) {
        TimingEntry e{};
        e.used = 1;
        e.weekdays = 0x7F;
        e.startHour = std::uint8_t(i * 7 % 24);
        e.startMinute = std::uint8_t(i % 60);
        e.endHour = std::uint8_t((i * 7 + 2) % 24);
        e.zoneMask[0] = 0xFF;
        e.zoneMask[1] = 0xFFFF;
        appendEntry(*table, e);
    }
    std::size_t found = 0;
    for (auto _ : state) {
        const std::vector<Clash> clashes = findClashes(*table, table->count());
        found = clashes.size();
        benchmark::DoNotOptimize(found);
    }
    state.SetLabel(std::to_string(found) + " clashes"); // a label: the CSV report wants counters in every run
}

} // namespace

// The largest set Export moves: four schedules of 256 entries with 255 songs each, a remote file and six small
// special-date files, in a data folder; the card folder is another folder on the same disk.
struct ExportSet {
    QString data;
    QString card;
    QStringList names;
    qint64 bytes = 0;
};

const ExportSet& exportSet() {
    static const ExportSet set = [] {
        ExportSet s;
        s.data = fixture().path("zone_data");
        s.card = fixture().path("card");
        QDir().mkpath(s.data);
        QDir().mkpath(s.card);
        s.names = transferSet({QStringLiteral("SCH01.DAT"), QStringLiteral("SCH02.DAT"), QStringLiteral("SCH03.DAT"),
                               QStringLiteral("SCH04.DAT"), QStringLiteral("REMOTE.DAT")});
        for (int i = 0; i < s.names.size(); ++i) {
            const ScheduleTable& table = i < 4 ? largest() : typical();
            QByteArray bytes = i < 5 ? serializeTable(table) : QByteArray(4096, char(i));
            QFile file(QDir(s.data).filePath(s.names[i]));
            if (file.open(QIODevice::WriteOnly))
                file.write(bytes);
            s.bytes += bytes.size();
        }
        return s;
    }();
    return set;
}

void BM_ExportLargestSet(benchmark::State& state) {
    const ExportSet& set = exportSet();
    for (auto _ : state) {
        const TransferReport report = exportFiles(set.data, set.card, set.names);
        if (report.copied.size() != set.names.size())
            state.SkipWithError("export failed");
    }
    state.SetBytesProcessed(state.iterations() * set.bytes);
}

void BM_RawCopySameFiles(benchmark::State& state) {
    const ExportSet& set = exportSet();
    const QByteArray folder = QFile::encodeName(set.card);
    std::vector<char> buffer(1 << 20);
    for (auto _ : state) {
        for (const QString& name : set.names) {
            const QByteArray from = QFile::encodeName(QDir(set.data).filePath(name));
            const QByteArray to = QFile::encodeName(QDir(set.card).filePath(name));
            const QByteArray temp = to + ".tmp";
            const int in = ::open(from.constData(), O_RDONLY | O_CLOEXEC);
            const int out = ::open(temp.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
            for (;;) {
                const ssize_t got = ::read(in, buffer.data(), buffer.size());
                if (got <= 0)
                    break;
                if (::write(out, buffer.data(), std::size_t(got)) != got)
                    state.SkipWithError("write failed");
            }
            ::fsync(out);
            ::close(out);
            ::close(in);
            ::rename(temp.constData(), to.constData());
            fsyncFolder(folder);
        }
    }
    state.SetBytesProcessed(state.iterations() * set.bytes);
}

BENCHMARK(BM_FindClashesFullTable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveLargestTable)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RawWriteSameBytes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadLargestTable)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RawReadSameBytes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveTypicalTable)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadTypicalTable)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_ExportLargestSet)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RawCopySameFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
