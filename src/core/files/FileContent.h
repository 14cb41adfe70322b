#pragma once

#include "core/files/AtomicFile.h"
#include "core/files/RegularFile.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace quorvan {

// Where the pieces of a content go: false stops the copy (a write failed).
using ByteSink = std::function<bool(const char* data, qint64 size)>;

// The bytes of a file as they were when it was opened, read piece by piece and never held whole (a schedule is up
// to 40 MB): the open descriptor keeps them readable after the file is replaced by rename, so that what a change
// replaced can still be compared, hashed and kept. Or bytes already in memory, read the same way.
class FileContent {
public:
    static constexpr qint64 kPiece = qint64(256) << 10;

    FileContent() = default; // no file
    explicit FileContent(QByteArray bytes);
    // Opened as RegularFile opens (no link followed, a FIFO never waited on, at most maxBytes): a missing file, or
    // one that cannot be taken, gives no content, and *status says which.
    static FileContent open(const QString& path, qint64 maxBytes, ReadStatus* status = nullptr);

    FileContent(FileContent&&) noexcept;
    FileContent& operator=(FileContent&&) noexcept;
    ~FileContent();

    bool exists() const { return m_exists; }
    qint64 size() const { return m_size; }
    bool inMemory() const { return !m_file; }

    // n bytes at offset (n at most kPiece): a pointer into memory, or into buffer (kPiece bytes) once read there;
    // nullptr when they cannot be read (the file shrank under another program's hands, a read error).
    const char* piece(qint64 offset, qint64 n, char* buffer) const;
    // Hands the bytes of [offset, offset + n) to sink piece by piece; false when one could not be read or sink
    // refused it.
    bool copyTo(qint64 offset, qint64 n, const ByteSink& sink) const;
    // The bytes of [offset, offset + n); nothing with *ok false when they cannot be read.
    QByteArray bytes(qint64 offset, qint64 n, bool* ok = nullptr) const;

    // A 64-bit hash of all the bytes (the same as hashOfBytes over them), worked out once; nothing when they
    // cannot be read.
    std::optional<std::uint64_t> hash() const;
    // The hash if it has been worked out already.
    std::optional<std::uint64_t> knownHash() const { return m_hash; }

    // The opened file is still the one its path names (device and inode): it has not been replaced or removed.
    bool isStillAtItsPath() const;
    // The opened file, for the system calls that take it; -1 for bytes in memory.
    int descriptor() const;
    // What tells the opened file from another, as it was when opened.
    struct Identity {
        quint64 device = 0, inode = 0;
        qint64 modified = 0, changed = 0; // nanoseconds
    };
    Identity identity() const { return {m_device, m_inode, m_modified, m_changed}; }
    // A hash worked out earlier from the same file.
    void adoptHash(std::uint64_t hash) const { m_hash = hash; }
    // Same device and inode as another opened content.
    bool sameFileAs(const FileContent& other) const;

private:
    QByteArray m_memory;
    std::unique_ptr<RegularFile> m_file;
    QString m_path;
    bool m_exists = false;
    qint64 m_size = 0;
    quint64 m_device = 0, m_inode = 0;
    qint64 m_modified = 0, m_changed = 0;
    mutable std::optional<std::uint64_t> m_hash;
};

// Writes the whole of content to path through AtomicFile, a piece at a time.
SaveResult writeFileAtomically(const QString& path, const FileContent& content);

std::uint64_t hashOfBytes(const char* data, qint64 size);
inline std::uint64_t hashOfBytes(const QByteArray& bytes) {
    return hashOfBytes(bytes.constData(), bytes.size());
}

} // namespace quorvan
