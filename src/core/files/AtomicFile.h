#pragma once

#include "core/texts/Problem.h"

#include <QSaveFile>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

namespace quorvan {

// The file a write put in place, and the hash of what it holds (as FileContent works it out).
struct WrittenFile {
    quint64 device = 0, inode = 0;
    qint64 size = 0, modified = 0, changed = 0; // nanoseconds
    std::uint64_t hash = 0;
};

// Outcome of a write that the user may need to hear about.
struct SaveResult {
    bool ok = true;
    QString error;   // the reason in English when !ok
    Problem problem; // the same reason, for the windows to say in their language
    std::optional<WrittenFile> written; // after a write that succeeded

    explicit operator bool() const { return ok; }
    // The reason in the language of texts.
    QString reason(const TextTable& texts) const { return problem.in(texts); }
    static SaveResult failure(Problem problem) {
        return {false, problem.inEnglish(), std::move(problem), std::nullopt};
    }
};

// Writes a file so that a crash, a power cut or a full disk never leaves it half-written: the bytes go to a
// temporary file in the same folder, which is flushed to the device and renamed over the old file only when
// every write succeeded. The folder is flushed after the rename so the new name survives a power cut too.
// A symbolic link in the file's place is replaced, never written through.
class AtomicFile {
public:
    explicit AtomicFile(const QString& path);
    ~AtomicFile();

    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool open();
    bool write(const char* data, qint64 size);
    SaveResult commit();

    // The reason of the first failure, prefixed with the file's path.
    Problem problem() const;
    QString errorText() const { return problem().inEnglish(); }

private:
    struct Hashing;

    QString m_path;
    QSaveFile m_file;
    QString m_error;
    std::unique_ptr<Hashing> m_hashing; // what was written so far
};

// Flushes the folder that holds filePath to the device, so that a name just made or removed in it survives a power
// cut (best effort: some file systems cannot sync a folder).
void syncFolderOf(const QString& filePath);

// Writes the whole of data to path through AtomicFile.
SaveResult writeFileAtomically(const QString& path, const QByteArray& data);

} // namespace quorvan
