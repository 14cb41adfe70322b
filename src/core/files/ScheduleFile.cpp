#include "core/files/ScheduleFile.h"

#include <QDir>
#include <QFile>

#include <sys/mman.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <vector>

namespace quorvan {

using namespace schedulefile;

// Play-list records are read straight into the table: the record is the drive prefix followed by the UTF-16LE
// name, which is exactly the in-memory PlaylistItem on a little-endian machine.
static_assert(std::endian::native == std::endian::little, "the schedule file is little-endian");
static_assert(sizeof(PlaylistItem) == kRecordSize);
static_assert(offsetof(PlaylistItem, fileName) == kNameOffset);
static_assert(kMaxScheduleFileBytes == kHeaderSize + qint64(kMaxEntries) * (kEntryHeaderSize + kMaxSongs * kRecordSize));

namespace {

std::uint16_t u16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t u32(const unsigned char* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}
void put16(unsigned char* p, std::uint32_t v) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}
void put32(unsigned char* p, std::uint32_t v) {
    put16(p, v);
    put16(p + 2, v >> 16);
}

constexpr int kMaxReadParts = 1024; // IOV_MAX on Linux

// Sets size bytes at begin to zero. A large range gives its whole pages back to the kernel instead: the table is
// private anonymous memory, which reads as zeros afterwards and costs nothing until it is written again, so a load
// that fills a few of a table's 41 MB does not pay for writing zeros over the rest.
void zeroFill(void* begin, std::size_t size) {
    constexpr std::size_t kReturnPagesFrom = 1024 * 1024;
    static const std::uintptr_t page = std::uintptr_t(::sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(begin);
    const std::uintptr_t end = start + size;
    const std::uintptr_t firstPage = (start + page - 1) & ~(page - 1);
    const std::uintptr_t lastPage = end & ~(page - 1);
    if (size >= kReturnPagesFrom && lastPage > firstPage &&
        ::madvise(reinterpret_cast<void*>(firstPage), lastPage - firstPage, MADV_DONTNEED) == 0) {
        std::memset(begin, 0, firstPage - start);
        std::memset(reinterpret_cast<void*>(lastPage), 0, end - lastPage);
        return;
    }
    std::memset(begin, 0, size);
}

// Play-list items of slot i that may hold non-zero bytes: [0, itemsInUse(table, i)).
int itemsInUse(const ScheduleTable& table, int i) {
    return std::min<int>(table.marks.itemsInUse[i], kMaxPlaylistItems);
}

// Zeroes an entry's fields and its play-list items [from, to); items from `to` on are zero already.
void clearEntry(TimingEntry& e, int from, int to) {
    auto* base = reinterpret_cast<unsigned char*>(&e);
    std::memset(base, 0, offsetof(TimingEntry, playlist));
    auto* afterItems = reinterpret_cast<unsigned char*>(&e.playlist[kMaxPlaylistItems]);
    std::memset(afterItems, 0, std::size_t(base + sizeof(TimingEntry) - afterItems));
    if (to > from)
        zeroFill(&e.playlist[from], std::size_t(to - from) * kRecordSize);
}

void decodeEntryHeader(const unsigned char* h, TimingEntry& e) {
    e.weekdays = u32(h + 0);
    e.startHour = h[4];
    e.startMinute = h[5];
    e.startSecond = h[6];
    e.endHour = h[7];
    e.endMinute = h[8];
    e.endSecond = h[9];
    for (int w = 0; w < 9; ++w) {
        e.powerMask[w] = u32(h + 12 + 4 * w);
        e.zoneMask[w] = u32(h + 48 + 4 * w);
    }
    e.sourceMask = u32(h + 84);
    e.mp3PlayMode = h[88];
    e.mp3RepeatMode = h[89];
    e.mp3TrackCount = h[90];
    e.fmFrequency = u16(h + 92);
    for (int k = 0; k < 8; ++k) {
        const unsigned char* dvd = h + 94 + 4 * k;
        e.dvdTracks[k] = {u16(dvd), dvd[2], dvd[3]};
        const unsigned char* mp3 = h + 126 + 4 * k;
        e.extMp3Tracks[k] = {u16(mp3), mp3[2], mp3[3]};
        e.extRadioPresets[k] = u16(h + 158 + 2 * k);
    }
}

void encodeEntryHeader(const TimingEntry& e, int songs, unsigned char* h) {
    std::memset(h, 0, kEntryHeaderSize);
    put32(h + 0, e.weekdays);
    h[4] = e.startHour;
    h[5] = e.startMinute;
    h[6] = e.startSecond;
    h[7] = e.endHour;
    h[8] = e.endMinute;
    h[9] = e.endSecond;
    for (int w = 0; w < 9; ++w) {
        put32(h + 12 + 4 * w, e.powerMask[w]);
        put32(h + 48 + 4 * w, e.zoneMask[w]);
    }
    put32(h + 84, e.sourceMask);
    h[88] = e.mp3PlayMode;
    h[89] = e.mp3RepeatMode;
    h[90] = static_cast<unsigned char>(songs);
    put16(h + 92, e.fmFrequency);
    for (int k = 0; k < 8; ++k) {
        unsigned char* dvd = h + 94 + 4 * k;
        put16(dvd, e.dvdTracks[k].track);
        dvd[2] = e.dvdTracks[k].repeatMode;
        dvd[3] = e.dvdTracks[k].reserved;
        unsigned char* mp3 = h + 126 + 4 * k;
        put16(mp3, e.extMp3Tracks[k].track);
        mp3[2] = e.extMp3Tracks[k].repeatMode;
        mp3[3] = e.extMp3Tracks[k].reserved;
        put16(h + 158 + 2 * k, e.extRadioPresets[k]);
    }
}

// Songs written for an entry: the play-list count, kept within what the one-byte track count can carry.
int songsToWrite(const TimingEntry& e) {
    return std::min<int>(e.playlistCount, kMaxSongs);
}

void encodeRecord(const PlaylistItem& item, bool onCard, unsigned char* r) {
    std::memset(r, 0, kRecordSize);
    r[0] = onCard ? 'E' : 'D';
    r[1] = ':';
    r[2] = '\\';
    std::size_t units = 0;
    while (units < kFileNameUnits - 1 && item.fileName[units] != 0)
        ++units;
    std::memcpy(r + kNameOffset, item.fileName, units * sizeof(char16_t)); // the NUL comes from the zero fill
}

// A byte source fills a list of buffers with the bytes that follow one another from an offset and returns how
// many bytes it delivered; whatever it lacks (a short or damaged file) reads as zeros. dirty[i], when given, is
// how many leading bytes of part i may be non-zero before the read: the rest needs no clearing.
template <class Source>
void readZeroFilled(Source& source, qint64 offset, iovec* parts, int count, const std::size_t* dirty = nullptr) {
    qint64 wanted = 0;
    for (int i = 0; i < count; ++i)
        wanted += qint64(parts[i].iov_len);
    qint64 got = std::clamp<qint64>(source(offset, parts, count), 0, wanted);
    for (int i = 0; i < count; ++i) {
        const qint64 len = qint64(parts[i].iov_len);
        const qint64 clearTo = dirty ? std::min<qint64>(len, qint64(dirty[i])) : len;
        if (got < clearTo)
            zeroFill(static_cast<char*>(parts[i].iov_base) + got, std::size_t(clearTo - got));
        got = std::max<qint64>(0, got - len);
    }
}

// sourceSize bounds the bytes the source can deliver; everything past it reads as zeros.
template <class Source> int parseWith(Source&& source, ScheduleTable& table, bool sourceOpen, qint64 sourceSize) {
    int count = 0;
    unsigned char header[kHeaderSize];
    if (sourceOpen) {
        iovec part{header, kHeaderSize};
        readZeroFilled(source, 0, &part, 1);
        const int n = u16(header + 4);
        if (u16(header) == kFormatTag && n <= kMaxEntries)
            count = n;
    }
    table.count = count;

    // The stored block sizes say how many records probably follow each entry header, so that a well-formed file
    // arrives in a few large reads straight into the table; the track count in each entry header decides.
    unsigned char entryHeaders[kMaxEntries][kEntryHeaderSize];
    int guess[kMaxEntries];
    qint64 offset[kMaxEntries];
    for (int i = 0; i < count; ++i) {
        offset[i] = u32(header + 8 + 8 * i);
        const std::uint32_t size = u32(header + 12 + 8 * i);
        guess[i] = 0;
        if (size >= std::uint32_t(kEntryHeaderSize) && (size - kEntryHeaderSize) % kRecordSize == 0)
            guess[i] = int(std::min<std::uint32_t>((size - kEntryHeaderSize) / kRecordSize, kMaxSongs));
    }
    auto blockSize = [&](int i) { return kEntryHeaderSize + qint64(guess[i]) * kRecordSize; };
    // Everything but the reading of an entry, done right after its group arrives, while its bytes are in cache.
    auto finishEntry = [&](int i) {
        TimingEntry& e = table.entries[i];
        const unsigned char* h = entryHeaders[i];
        const int songs = h[90];
        const int inUse = itemsInUse(table, i);
        if (songs > guess[i]) {
            iovec rest{&e.playlist[guess[i]], std::size_t(songs - guess[i]) * kRecordSize};
            const std::size_t dirty = std::size_t(std::max(0, inUse - guess[i])) * kRecordSize;
            readZeroFilled(source, offset[i] + blockSize(i), &rest, 1, &dirty);
        }
        // Items [songs, guess) hold bytes of the file that belong to no song; beyond, what earlier contents left.
        clearEntry(e, songs, std::max(inUse, guess[i]));
        // Songs past the end of the source read as zeros: only those with a byte of the source count as in use.
        const qint64 firstItem = offset[i] + kEntryHeaderSize;
        const qint64 itemsInSource =
            sourceSize > firstItem ? (sourceSize - firstItem + kRecordSize - 1) / kRecordSize : 0;
        table.marks.itemsInUse[i] = std::uint16_t(std::min<qint64>(itemsInSource, songs));
        decodeEntryHeader(h, e);
        // A name without its NUL is cut at 260 units. Records past the end of the source are zeros already and
        // are not touched, so a short file claiming many songs costs no more than its bytes.
        // Record j's last unit starts at lastUnit + j * kRecordSize; it may hold a byte of the source when that
        // start lies before sourceSize.
        const qint64 lastUnit = offset[i] + kEntryHeaderSize + kNameOffset + qint64(kFileNameUnits - 1) * 2;
        const qint64 room = sourceSize - lastUnit;
        const qint64 inSource = room > 0 ? (room + kRecordSize - 1) / kRecordSize : 0;
        const int cut = int(std::min<qint64>(inSource, songs));
        for (int j = 0; j < cut; ++j)
            e.playlist[j].fileName[kFileNameUnits - 1] = 0;
        e.used = 1;
        e.playlistCount = static_cast<std::uint16_t>(songs);
        e.playlistOnCard = songs > 0 && (e.playlist[0].drivePrefix[0] == 'E' || e.playlist[0].drivePrefix[0] == 'e');
    };
    // Entries whose blocks lie back to back go in one read of about kGroupBytes, small enough to stay in cache.
    constexpr qint64 kGroupBytes = 4096 * 1024;
    iovec parts[kMaxReadParts];
    std::size_t dirty[kMaxReadParts];
    for (int first = 0; first < count;) {
        int last = first;
        int partCount = 0;
        qint64 groupBytes = 0;
        while (last < count && partCount + 2 <= kMaxReadParts && (last == first || groupBytes < kGroupBytes) &&
               (last == first || offset[last] == offset[last - 1] + blockSize(last - 1))) {
            dirty[partCount] = kEntryHeaderSize;
            parts[partCount++] = {entryHeaders[last], kEntryHeaderSize};
            if (guess[last] > 0) {
                dirty[partCount] = std::size_t(itemsInUse(table, last)) * kRecordSize;
                parts[partCount++] = {table.entries[last].playlist, std::size_t(guess[last]) * kRecordSize};
            }
            groupBytes += blockSize(last);
            ++last;
        }
        readZeroFilled(source, offset[first], parts, partCount, dirty);
        for (int i = first; i < last; ++i)
            finishEntry(i);
        first = last;
    }
    // Slots the file does not fill are cleared; loaded slots were cleared above except where the file wrote.
    for (int i = count; i < kMaxEntries; ++i) {
        clearEntry(table.entries[i], 0, itemsInUse(table, i));
        table.marks.itemsInUse[i] = 0;
    }
    return count;
}

template <class Sink> bool writeWith(const ScheduleTable& table, Sink&& sink) {
    const int count = std::clamp<int>(table.count, 0, kMaxEntries);
    // Buffer a few megabytes at a time: few system calls, little memory.
    constexpr std::size_t kChunk = 4u << 20;
    std::size_t fileSize = kHeaderSize;
    for (int i = 0; i < count; ++i)
        fileSize += kEntryHeaderSize + kRecordSize * std::size_t(songsToWrite(table.entries[i]));
    std::vector<unsigned char> buffer;
    buffer.reserve(std::min(fileSize, kChunk + kRecordSize + kHeaderSize)); // a small table asks for little memory
    auto grow = [&](std::size_t n) {
        const std::size_t at = buffer.size();
        buffer.resize(at + n);
        return buffer.data() + at;
    };
    auto flushIfFull = [&]() {
        if (buffer.size() < kChunk)
            return true;
        const bool ok = sink(reinterpret_cast<const char*>(buffer.data()), qint64(buffer.size()));
        buffer.clear();
        return ok;
    };

    unsigned char* header = grow(kHeaderSize);
    std::memset(header, 0, kHeaderSize);
    put16(header, kFormatTag);
    put16(header + 2, 1);
    put16(header + 4, static_cast<std::uint32_t>(count));
    std::uint32_t offset = kHeaderSize;
    for (int i = 0; i < count; ++i) {
        const std::uint32_t size = kEntryHeaderSize + kRecordSize * std::uint32_t(songsToWrite(table.entries[i]));
        put32(header + 8 + 8 * i, offset);
        put32(header + 12 + 8 * i, size);
        offset += size;
    }

    for (int i = 0; i < count; ++i) {
        const TimingEntry& e = table.entries[i];
        const int songs = songsToWrite(e);
        encodeEntryHeader(e, songs, grow(kEntryHeaderSize));
        for (int j = 0; j < songs; ++j) {
            encodeRecord(e.playlist[j], e.playlistOnCard != 0, grow(kRecordSize));
            if (!flushIfFull())
                return false;
        }
        if (!flushIfFull())
            return false;
    }
    return buffer.empty() || sink(reinterpret_cast<const char*>(buffer.data()), qint64(buffer.size()));
}

} // namespace

QString dataFolderPath(const QString& programFolder) {
    const QString folder = programFolder + QStringLiteral("zone_data/");
    QDir().mkpath(folder); // failure shows up when the file itself is used
    return folder;
}

QString dataFilePath(const QString& programFolder, const QString& fileName) {
    return dataFolderPath(programFolder) + fileName;
}

int loadTableFile(const QString& path, ScheduleTable& table, ReadStatus* status) {
    RegularFile file;
    const bool open = file.open(path, kMaxScheduleFileBytes);
    if (status)
        *status = file.status();
    const int fd = open ? file.file().handle() : -1;
    const qint64 size = open ? file.size() : 0;
    return parseWith(
        [fd, size](qint64 offset, const iovec* wanted, int count) -> qint64 {
            // The file is read as it was when opened: bytes it gains meanwhile are not read, so that everything
            // past `size` reads as zeros as the loader assumes.
            iovec local[kMaxReadParts];
            iovec* parts = local;
            qint64 room = std::max<qint64>(0, size - offset);
            int n = 0;
            for (; n < count && room > 0; ++n) {
                local[n] = wanted[n];
                local[n].iov_len = std::size_t(std::min<qint64>(room, qint64(wanted[n].iov_len)));
                room -= qint64(local[n].iov_len);
            }
            qint64 total = 0;
            while (n > 0) {
                const ssize_t got = ::preadv(fd, parts, n, offset + total);
                if (got < 0 && errno == EINTR)
                    continue;
                if (got <= 0)
                    break; // end of file or an error: the rest reads as zeros
                total += got;
                for (std::size_t left = std::size_t(got); left > 0 && n > 0;) {
                    const std::size_t used = std::min(left, parts->iov_len);
                    parts->iov_base = static_cast<char*>(parts->iov_base) + used;
                    parts->iov_len -= used;
                    left -= used;
                    if (parts->iov_len == 0) {
                        ++parts;
                        --n;
                    }
                }
            }
            return total;
        },
        table, open, size);
}

int parseTable(const char* data, qint64 size, ScheduleTable& table) {
    return parseWith(
        [&](qint64 offset, const iovec* parts, int count) -> qint64 {
            qint64 total = 0;
            for (int i = 0; i < count && offset >= 0 && offset < size; ++i) {
                const qint64 n = std::min(qint64(parts[i].iov_len), size - offset);
                std::memcpy(parts[i].iov_base, data + offset, std::size_t(n));
                total += n;
                offset += n;
                if (n < qint64(parts[i].iov_len))
                    break;
            }
            return total;
        },
        table, true, size);
}

SaveResult saveTableFile(const QString& path, const ScheduleTable& table) {
    AtomicFile file(path);
    if (!file.open())
        return SaveResult::failure(file.problem());
    if (!writeWith(table, [&](const char* data, qint64 size) { return file.write(data, size); }))
        return SaveResult::failure(file.problem());
    return file.commit();
}

QByteArray serializeTable(const ScheduleTable& table) {
    QByteArray bytes;
    writeWith(table, [&](const char* data, qint64 size) {
        bytes.append(data, size);
        return true;
    });
    return bytes;
}

QString playlistItemName(const PlaylistItem& item) {
    int length = 0;
    while (length < kFileNameUnits && item.fileName[length] != 0)
        ++length;
    return QString::fromUtf16(item.fileName, length);
}

QStringList playlistNames(const TimingEntry& entry) {
    QStringList names;
    const int count = std::min<int>(entry.playlistCount, kMaxPlaylistItems);
    for (int i = 0; i < count; ++i)
        names << playlistItemName(entry.playlist[i]);
    return names;
}

int loadTable(const QString& programFolder, const QString& fileName, ScheduleTable& table, ReadStatus* status) {
    return loadTableFile(dataFilePath(programFolder, fileName), table, status);
}

SaveResult saveTable(const QString& programFolder, const QString& fileName, const ScheduleTable& table) {
    return saveTableFile(dataFilePath(programFolder, fileName), table);
}

ScheduleSummary summarizeSchedule(const QByteArray& bytes, int maxStarts) {
    ScheduleSummary summary;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qint64 size = bytes.size();
    if (size < 6 || u16(data) != kFormatTag || u16(data + 4) > kMaxEntries)
        return summary;
    summary.readable = true;
    summary.count = u16(data + 4);
    for (int i = 0; i < summary.count && i < maxStarts && 16 + 8 * i <= std::min<qint64>(size, kHeaderSize); ++i) {
        const qint64 offset = u32(data + 8 + 8 * i);
        if (offset < 0 || offset + 7 > size)
            break;
        const unsigned char* h = data + offset;
        summary.starts.push_back(QTime(h[4], h[5], h[6]));
    }
    return summary;
}

} // namespace quorvan
