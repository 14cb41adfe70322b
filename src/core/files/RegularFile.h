#pragma once

#include "core/texts/Problem.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace quorvan {

// The largest files of each kind the program reads. A schedule of 256 entries with 255 songs each is the
// largest the controller's format can describe; settings and play lists get room far beyond real use.
inline constexpr qint64 kMaxScheduleFileBytes = 40'783'880;
inline constexpr qint64 kMaxSettingsFileBytes = qint64(16) << 20;
inline constexpr qint64 kMaxPlaylistFileBytes = qint64(64) << 20;

enum class ReadFailure {
    None,
    Missing,    // nothing of that name
    NotRegular, // a symbolic link, a folder, a FIFO, a device
    TooLarge,   // more bytes than a file of its kind can have
    Unreadable, // the system refused to open or read it
};

struct ReadStatus {
    ReadFailure failure = ReadFailure::None;
    QString error;   // "path: reason" in English when failure != None
    Problem problem; // the same, for the windows to say in their language

    QString reason(const TextTable& texts) const { return problem.in(texts); }

    bool ok() const { return failure == ReadFailure::None; }
    // Something is there but cannot be taken: everything except a plain missing file.
    bool refused() const { return failure != ReadFailure::None && failure != ReadFailure::Missing; }
};

// A file opened for reading the way the program opens every file it did not just write itself (a card's, a
// settings file, a data file another program may have replaced): a symbolic link is not followed, a FIFO or a
// device is never waited on, and only a regular file of at most maxBytes is taken.
class RegularFile {
public:
    RegularFile() = default;
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    // False with status() telling why; on success file() is open for reading and size() its size when opened.
    bool open(const QString& path, qint64 maxBytes);
    QFile& file() { return m_file; }
    qint64 size() const { return m_size; }
    const ReadStatus& status() const { return m_status; }

    // Reads the whole file, at most maxBytes (a file that grew past it while open is refused).
    QByteArray readAll();

private:
    // text says why, with the file as its first argument and more arguments after it.
    void fail(ReadFailure failure, int text, const QStringList& more = {});

    QString m_path;
    QFile m_file;
    qint64 m_size = 0;
    qint64 m_maxBytes = 0;
    ReadStatus m_status;
};

struct FileRead {
    ReadStatus status;
    QByteArray bytes;
    bool ok() const { return status.ok(); }
};

// Opens path as RegularFile does and reads all of it.
FileRead readRegularFile(const QString& path, qint64 maxBytes);

} // namespace quorvan
