#include "core/files/ScheduleFile.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <vector>

namespace quorvan {

using namespace schedulefile;

static_assert(std::endian::native == std::endian::little, "names are copied as UTF-16LE units");
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

// The name in a record's name field: its UTF-16 units up to the first NUL, at most kMaxSongNameUnits of them,
// kept as stored (surrogates and marks alike).
QString decodeName(const unsigned char* field) {
    int units = 0;
    while (units < kMaxSongNameUnits && (field[2 * units] | field[2 * units + 1]) != 0)
        ++units;
    QString name(units, Qt::Uninitialized);
    if (units > 0)
        std::memcpy(name.data(), field, std::size_t(units) * 2);
    return name;
}

// The bytes of a file as the loader sees them, a block at a time: `length` bytes from `offset`, with zeros where
// the file has none (a short or damaged file). A block stays valid until the next one is asked for.
class MemoryBytes {
public:
    MemoryBytes(const unsigned char* data, qint64 size) : m_data(data), m_size(size) {}

    const unsigned char* block(qint64 offset, qint64 length) {
        if (offset + length <= m_size)
            return m_data + offset;
        m_scratch.assign(std::size_t(length), 0);
        if (offset < m_size)
            std::memcpy(m_scratch.data(), m_data + offset, std::size_t(m_size - offset));
        return m_scratch.data();
    }

private:
    const unsigned char* m_data;
    qint64 m_size;
    std::vector<unsigned char> m_scratch;
};

// Read with pread into one buffer of at most one entry's block (160 KB), which the decoder then reads while it
// is in the cache; the file is read as it was when opened: bytes it gains meanwhile read as zeros.
class FileBytes {
public:
    FileBytes(int fd, qint64 size) : m_fd(fd), m_size(size) {}

    const unsigned char* block(qint64 offset, qint64 length) {
        m_buffer.resize(std::size_t(length));
        qint64 got = 0;
        const qint64 wanted = std::clamp<qint64>(m_size - offset, 0, length);
        while (got < wanted) {
            const ssize_t n = ::pread(m_fd, m_buffer.data() + got, std::size_t(wanted - got), offset + got);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break; // an error or the end: the rest reads as zeros
            got += n;
        }
        std::memset(m_buffer.data() + got, 0, std::size_t(length - got));
        return m_buffer.data();
    }

private:
    int m_fd;
    qint64 m_size;
    std::vector<unsigned char> m_buffer;
};

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

// Songs written for an entry: the play list, kept within what the one-byte track count can carry.
int songsToWrite(const TimingEntry& e) {
    return std::min<int>(int(e.playlist.size()), kMaxSongs);
}

// A record is the drive ("E:\" for the card, "D:\" for the internal storage) and the NUL-terminated name.
void encodeRecord(const QString& name, bool onCard, unsigned char* r) {
    std::memset(r, 0, kRecordSize);
    r[0] = onCard ? 'E' : 'D';
    r[1] = ':';
    r[2] = '\\';
    qsizetype units = std::min<qsizetype>(name.size(), kMaxSongNameUnits);
    const qsizetype nul = name.left(units).indexOf(QChar(0));
    if (nul >= 0)
        units = nul;
    std::memcpy(r + kNameOffset, name.utf16(), std::size_t(units) * 2); // the NUL comes from the zero fill
}

template <class Source> int decodeTable(Source& file, ScheduleTable& table) {
    table.entries.clear();
    const unsigned char* header = file.block(0, kHeaderSize);
    const int count = u16(header + 4);
    if (u16(header) != kFormatTag || count > kMaxEntries)
        return 0;
    std::vector<qint64> offsets(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        offsets[std::size_t(i)] = u32(header + 8 + 8 * i); // the stored block sizes are not needed to read
    table.entries.resize(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        const qint64 offset = offsets[std::size_t(i)];
        TimingEntry& e = table.entries[std::size_t(i)];
        const unsigned char* h = file.block(offset, kEntryHeaderSize);
        decodeEntryHeader(h, e);
        const int songs = h[90];
        e.used = true;
        if (songs == 0)
            continue;
        const unsigned char* records = file.block(offset + kEntryHeaderSize, qint64(kRecordSize) * songs);
        e.playlist.reserve(songs);
        for (int j = 0; j < songs; ++j)
            e.playlist << decodeName(records + qint64(kRecordSize) * j + kNameOffset);
        e.playlistOnCard = records[0] == 'E' || records[0] == 'e';
    }
    return count;
}

template <class Sink> bool writeWith(const ScheduleTable& table, Sink&& sink) {
    const int count = std::min(table.count(), kMaxEntries);
    // Buffer a few megabytes at a time: few system calls, little memory.
    constexpr std::size_t kChunk = 4u << 20;
    std::size_t fileSize = kHeaderSize;
    for (int i = 0; i < count; ++i)
        fileSize += kEntryHeaderSize + kRecordSize * std::size_t(songsToWrite(table.entries[std::size_t(i)]));
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
        const std::uint32_t size =
            kEntryHeaderSize + kRecordSize * std::uint32_t(songsToWrite(table.entries[std::size_t(i)]));
        put32(header + 8 + 8 * i, offset);
        put32(header + 12 + 8 * i, size);
        offset += size;
    }

    for (int i = 0; i < count; ++i) {
        const TimingEntry& e = table.entries[std::size_t(i)];
        const int songs = songsToWrite(e);
        encodeEntryHeader(e, songs, grow(kEntryHeaderSize));
        for (int j = 0; j < songs; ++j) {
            encodeRecord(e.playlist[j], e.playlistOnCard, grow(kRecordSize));
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
    if (!open) {
        table.entries.clear(); // refused or missing: an empty table
        return 0;
    }
    FileBytes bytes(file.file().handle(), file.size());
    return decodeTable(bytes, table);
}

int loadableEntryCount(const QString& path) {
    RegularFile file;
    if (!file.open(path, kMaxScheduleFileBytes))
        return 0;
    const QByteArray start = file.file().read(6);
    unsigned char header[6] = {};
    std::memcpy(header, start.constData(), std::size_t(start.size()));
    const int count = u16(header + 4);
    return u16(header) == kFormatTag && count <= kMaxEntries ? count : 0;
}

int parseTable(const char* data, qint64 size, ScheduleTable& table) {
    if (size < 0) {
        table.entries.clear();
        return 0;
    }
    MemoryBytes bytes(reinterpret_cast<const unsigned char*>(data), size);
    return decodeTable(bytes, table);
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
