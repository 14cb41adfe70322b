#include "core/files/ScheduleFileCheck.h"

#include "core/files/ScheduleFile.h"

#include <algorithm>

namespace quorvan {

using namespace schedulefile;

namespace {

class Checker {
public:
    Checker(const unsigned char* data, qint64 size) : m_data(data), m_size(size) {}

    std::vector<FileProblem> run() {
        if (m_size < kHeaderSize) {
            add(-1, QStringLiteral("header"),
                QStringLiteral("cut short: the file has %1 bytes, the header needs %2").arg(m_size).arg(kHeaderSize));
        }
        const unsigned tag = u16(0);
        if (tag != kFormatTag) {
            add(-1, QStringLiteral("format tag"),
                QStringLiteral("is 0x%1, expected 0x55AA")
                    .arg(QString::number(tag, 16).rightJustified(4, u'0').toUpper()));
            return std::move(m_problems); // not a schedule file: nothing else can be read sensibly
        }
        const unsigned n = u16(4);
        if (n > unsigned(kMaxEntries)) {
            add(-1, QStringLiteral("N"), QStringLiteral("is %1, at most 256 entries fit").arg(n));
            return std::move(m_problems);
        }
        qint64 expected = kHeaderSize;
        for (int i = 0; i < int(n); ++i)
            expected = checkEntry(i, expected);
        return std::move(m_problems);
    }

private:
    // Reads outside the file give 0, as the loader does.
    unsigned byte(qint64 at) const { return at >= 0 && at < m_size ? m_data[at] : 0u; }
    unsigned u16(qint64 at) const { return byte(at) | (byte(at + 1) << 8); }
    std::uint32_t u32(qint64 at) const { return u16(at) | (std::uint32_t(u16(at + 2)) << 16); }

    void add(int entry, const QString& field, const QString& message) { m_problems.push_back({entry, field, message}); }

    // field is a Latin-1 name, with %1 standing for index; it is formatted only for a problem.
    void checkRange(int entry, qint64 at, int width, const char* field, unsigned low, unsigned high, int index = 0) {
        const unsigned v = width == 1 ? byte(at) : u16(at);
        if (v < low || v > high) {
            QString name = QString::fromLatin1(field);
            if (name.contains(QStringLiteral("%1")))
                name = name.arg(index);
            add(entry, name, QStringLiteral("is %1, out of %2..%3").arg(v).arg(low).arg(high));
        }
    }

    qint64 checkEntry(int i, qint64 expectedOffset) {
        const qint64 offset = u32(8 + 8 * qint64(i));
        const qint64 storedSize = u32(12 + 8 * qint64(i));
        if (offset != expectedOffset)
            add(i, QStringLiteral("block offset"),
                QStringLiteral("is %1, the layout puts the block at %2").arg(offset).arg(expectedOffset));
        if (offset >= m_size) {
            add(i, QStringLiteral("block"),
                QStringLiteral("lies outside the file (offset %1, file size %2)").arg(offset).arg(m_size));
            return expectedOffset + std::max<qint64>(storedSize, kEntryHeaderSize);
        }
        // Without its track-count byte the block's length is unknown; the stored size is then all there is.
        const bool countKnown = offset + 90 < m_size;
        const unsigned songs = byte(offset + 90);
        const qint64 size = countKnown ? kEntryHeaderSize + qint64(kRecordSize) * songs : storedSize;
        if (countKnown && storedSize != size)
            add(i, QStringLiteral("block size"),
                QStringLiteral("is %1, %2 songs need %3").arg(storedSize).arg(songs).arg(size));
        if (offset + size > m_size)
            add(i, QStringLiteral("block"),
                QStringLiteral("cut short: needs %1 bytes from offset %2, the file has %3")
                    .arg(size)
                    .arg(offset)
                    .arg(m_size - offset));

        static constexpr const char* hms[] = {"startHour", "startMinute", "startSecond",
                                              "endHour",   "endMinute",   "endSecond"};
        for (int f = 0; f < 6; ++f)
            checkRange(i, offset + 4 + f, 1, hms[f], 0, f % 3 == 0 ? 23 : 59);
        checkRange(i, offset + 88, 1, "mp3PlayMode", 0, 1);
        checkRange(i, offset + 89, 1, "mp3RepeatMode", 0, 1);
        const unsigned fm = u16(offset + 92);
        if (fm != 0 && (fm < 8700 || fm > 10800 || fm % 10 != 0))
            add(i, QStringLiteral("fmFrequency"),
                QStringLiteral("is %1, expected 0 or 8700..10800 in steps of 10").arg(fm));
        for (int k = 0; k < 8; ++k) {
            checkRange(i, offset + 94 + 4 * k, 2, "dvdTracks[%1].track", 0, 99, k);
            checkRange(i, offset + 96 + 4 * k, 1, "dvdTracks[%1].repeatMode", 0, 2, k);
            checkRange(i, offset + 126 + 4 * k, 2, "extMp3Tracks[%1].track", 0, 256, k);
            checkRange(i, offset + 128 + 4 * k, 1, "extMp3Tracks[%1].repeatMode", 0, 2, k);
            checkRange(i, offset + 158 + 2 * k, 2, "extRadioPresets[%1]", 0, 30, k);
        }
        for (unsigned j = 0; j < songs; ++j) {
            const qint64 name = offset + kEntryHeaderSize + qint64(kRecordSize) * j + kNameOffset;
            if (name >= m_size)
                break; // already reported as cut short
            // Only the units inside the file can hold the NUL.
            const int units = int(std::min<qint64>(kNameUnits, (m_size - name) / 2));
            const unsigned char* p = m_data + name;
            bool terminated = false;
            for (int u = 0; u < units && !terminated; ++u)
                terminated = (p[2 * u] | p[2 * u + 1]) == 0;
            if (!terminated)
                add(i, QStringLiteral("playlist[%1].fileName").arg(j),
                    QStringLiteral("has no terminating NUL within %1 UTF-16 units").arg(kNameUnits));
        }
        return offset + size;
    }

    const unsigned char* m_data;
    qint64 m_size;
    std::vector<FileProblem> m_problems;
};

} // namespace

QString problemText(const FileProblem& p) {
    if (p.entry >= 0)
        return QStringLiteral("entry %1: %2: %3").arg(p.entry + 1).arg(p.field, p.message);
    if (p.field == QStringLiteral("header"))
        return QStringLiteral("header: ") + p.message;
    return QStringLiteral("header: %1: %2").arg(p.field, p.message);
}

std::vector<FileProblem> checkScheduleBytes(const char* data, qint64 size) {
    return Checker(reinterpret_cast<const unsigned char*>(data), data ? size : 0).run();
}

} // namespace quorvan
