#pragma once

#include "core/files/ScheduleTypes.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>

#include <sys/resource.h>

namespace quorvan::test {

// Folder of the fixture files.
QString dataPath(const QString& name);
QByteArray readFile(const QString& path);
void writeFile(const QString& path, const QByteArray& bytes);

// A temporary program folder ("home"), ending with '/'.
class TempHome {
public:
    TempHome();
    QString path() const { return m_dir.path() + u'/'; }
    QString file(const QString& name) const { return path() + name; }

private:
    QTemporaryDir m_dir;
};

// The entry of the one-entry example file: Monday to Friday, 08:00:00-08:30:00, host zone 1,
// host MP3 with "a.mp3" on the SD card.
TimingEntry exampleEntry();
// The exact bytes of the one-entry example file, built from its documented listing.
QByteArray exampleFileBytes();

// Lowers the largest file this process may write (RLIMIT_FSIZE) for its lifetime: writes past the limit fail
// with EFBIG, since SIGXFSZ is ignored in tests.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        m_ok = ::getrlimit(RLIMIT_FSIZE, &m_saved) == 0;
        rlimit lowered = m_saved;
        lowered.rlim_cur = bytes;
        m_ok = m_ok && ::setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit() {
        if (m_ok)
            ::setrlimit(RLIMIT_FSIZE, &m_saved);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool ok() const { return m_ok; }

private:
    rlimit m_saved{};
    bool m_ok = false;
};

// Heap-allocated zero table.
std::unique_ptr<ScheduleTable> zeroTable();

} // namespace quorvan::test
