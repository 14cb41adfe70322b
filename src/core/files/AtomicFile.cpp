#include "core/files/AtomicFile.h"

#include "core/texts/TextId.h"

#include <QDir>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <xxhash.h>

namespace quorvan {

// The hash of the bytes as they are written (they pass through memory anyway): whoever records the change need not
// read the file again to know it.
struct AtomicFile::Hashing {
    XXH3_state_t* state = XXH3_createState();
    Hashing() { XXH3_64bits_reset(state); }
    ~Hashing() { XXH3_freeState(state); }
    Hashing(const Hashing&) = delete;
    Hashing& operator=(const Hashing&) = delete;
};

AtomicFile::AtomicFile(const QString& path) : m_path(path), m_file(path), m_hashing(std::make_unique<Hashing>()) {}

AtomicFile::~AtomicFile() {
    if (m_file.isOpen())
        m_file.cancelWriting();
}

bool AtomicFile::open() {
    // QSaveFile would write to where a symbolic link points (another folder, another file of ours): the link is
    // replaced by a file of our own instead. It goes before the write starts; a link holds none of our bytes.
    struct stat st {};
    if (::lstat(QFile::encodeName(m_path).constData(), &st) == 0 && S_ISLNK(st.st_mode) &&
        ::unlink(QFile::encodeName(m_path).constData()) != 0) {
        m_error = QStringLiteral("a symbolic link stands in the file's place and cannot be removed");
        return false;
    }
    if (m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return true;
    m_error = m_file.errorString();
    return false;
}

bool AtomicFile::write(const char* data, qint64 size) {
    if (!m_error.isEmpty())
        return false;
    while (size > 0) {
        const qint64 written = m_file.write(data, size);
        if (written <= 0) {
            m_error = m_file.errorString();
            m_file.cancelWriting();
            return false;
        }
        XXH3_64bits_update(m_hashing->state, data, std::size_t(written));
        data += written;
        size -= written;
    }
    return true;
}

void syncFolderOf(const QString& filePath) {
    const QByteArray folder = QFile::encodeName(QFileInfo(filePath).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd); // best effort: some file systems cannot sync a folder
        ::close(fd);
    }
}

SaveResult AtomicFile::commit() {
    if (m_error.isEmpty()) {
        // What will be in place: the temporary file, whose times the rename leaves as they are.
        struct stat st {};
        const bool known = m_file.flush() && ::fstat(m_file.handle(), &st) == 0;
        // QSaveFile::commit flushes, syncs the temporary file to the device and renames it into place.
        if (m_file.commit()) {
            syncFolderOf(m_path);
            SaveResult done;
            // The rename gave it a new change time: taken from the file in place, when it is still the one written.
            struct stat now {};
            if (known && ::lstat(QFile::encodeName(m_path).constData(), &now) == 0 && now.st_dev == st.st_dev &&
                now.st_ino == st.st_ino)
                done.written = WrittenFile{quint64(now.st_dev),
                                           quint64(now.st_ino),
                                           qint64(now.st_size),
                                           qint64(now.st_mtim.tv_sec) * 1'000'000'000 + now.st_mtim.tv_nsec,
                                           qint64(now.st_ctim.tv_sec) * 1'000'000'000 + now.st_ctim.tv_nsec,
                                           XXH3_64bits_digest(m_hashing->state)};
            return done;
        }
        m_error = m_file.errorString();
    }
    return SaveResult::failure(problem());
}

Problem AtomicFile::problem() const {
    return {TextId::PathAndReason,
            {QDir::toNativeSeparators(m_path), m_error.isEmpty() ? QStringLiteral("unknown error") : m_error}};
}

SaveResult writeFileAtomically(const QString& path, const QByteArray& data) {
    AtomicFile file(path);
    if (!file.open() || !file.write(data.constData(), data.size()))
        return SaveResult::failure(file.problem());
    return file.commit();
}

} // namespace quorvan
