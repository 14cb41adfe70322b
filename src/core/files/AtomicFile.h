#pragma once

#include <QSaveFile>
#include <QString>

namespace quorvan {

// Outcome of a write that the user may need to hear about.
struct SaveResult {
    bool ok = true;
    QString error; // human-readable reason when !ok

    explicit operator bool() const { return ok; }
    static SaveResult failure(QString reason) { return {false, std::move(reason)}; }
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
    QString errorText() const;

private:
    QString m_path;
    QSaveFile m_file;
    QString m_error;
};

// Writes the whole of data to path through AtomicFile.
SaveResult writeFileAtomically(const QString& path, const QByteArray& data);

} // namespace quorvan
