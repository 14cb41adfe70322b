#include "core/files/FileContent.h"

#include <QFile>

#include <sys/stat.h>
#include <unistd.h>
#include <xxhash.h>

#include <cerrno>
#include <vector>

namespace quorvan {

FileContent::FileContent(QByteArray bytes) : m_memory(std::move(bytes)), m_exists(true), m_size(m_memory.size()) {}

FileContent::FileContent(FileContent&&) noexcept = default;
FileContent& FileContent::operator=(FileContent&&) noexcept = default;
FileContent::~FileContent() = default;

FileContent FileContent::open(const QString& path, qint64 maxBytes, ReadStatus* status) {
    FileContent content;
    auto file = std::make_unique<RegularFile>();
    const bool opened = file->open(path, maxBytes);
    if (status)
        *status = file->status();
    if (!opened)
        return content;
    struct stat st {};
    if (::fstat(file->file().handle(), &st) != 0)
        return content;
    content.m_path = path;
    content.m_exists = true;
    content.m_size = file->size();
    content.m_device = quint64(st.st_dev);
    content.m_inode = quint64(st.st_ino);
    content.m_modified = qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
    content.m_changed = qint64(st.st_ctim.tv_sec) * 1'000'000'000 + st.st_ctim.tv_nsec;
    content.m_file = std::move(file);
    return content;
}

const char* FileContent::piece(qint64 offset, qint64 n, char* buffer) const {
    if (offset < 0 || n < 0 || offset + n > m_size)
        return nullptr;
    if (!m_file)
        return m_memory.constData() + offset;
    const int fd = m_file->file().handle();
    for (qint64 got = 0; got < n;) {
        const ssize_t r = ::pread(fd, buffer + got, std::size_t(n - got), off_t(offset + got));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return nullptr;
        got += r;
    }
    return buffer;
}

bool FileContent::copyTo(qint64 offset, qint64 n, const ByteSink& sink) const {
    std::vector<char> buffer(static_cast<std::size_t>(m_file ? std::min(n, kPiece) : 0));
    for (qint64 at = offset; at < offset + n;) {
        const qint64 step = std::min(kPiece, offset + n - at);
        const char* data = piece(at, step, buffer.data());
        if (!data || !sink(data, step))
            return false;
        at += step;
    }
    return true;
}

QByteArray FileContent::bytes(qint64 offset, qint64 n, bool* ok) const {
    QByteArray out;
    if (!m_file && offset >= 0 && n >= 0 && offset + n <= m_size)
        out = m_memory.sliced(offset, n); // shares the bytes
    else {
        out.reserve(n);
        if (!copyTo(offset, n, [&](const char* data, qint64 size) {
                out.append(data, size);
                return true;
            }))
            out.clear();
    }
    if (ok)
        *ok = out.size() == n;
    return out.size() == n ? out : QByteArray();
}

std::optional<std::uint64_t> FileContent::hash() const {
    if (m_hash || !m_exists)
        return m_hash;
    if (!m_file)
        return m_hash = hashOfBytes(m_memory);
    XXH3_state_t* state = XXH3_createState();
    XXH3_64bits_reset(state);
    const bool read = copyTo(0, m_size, [&](const char* data, qint64 size) {
        XXH3_64bits_update(state, data, std::size_t(size));
        return true;
    });
    if (read)
        m_hash = XXH3_64bits_digest(state);
    XXH3_freeState(state);
    return m_hash;
}

bool FileContent::isStillAtItsPath() const {
    if (!m_file)
        return false;
    struct stat st {};
    return ::lstat(QFile::encodeName(m_path).constData(), &st) == 0 && quint64(st.st_dev) == m_device &&
           quint64(st.st_ino) == m_inode;
}

int FileContent::descriptor() const {
    return m_file ? m_file->file().handle() : -1;
}

bool FileContent::sameFileAs(const FileContent& other) const {
    return m_file && other.m_file && m_device == other.m_device && m_inode == other.m_inode;
}

SaveResult writeFileAtomically(const QString& path, const FileContent& content) {
    AtomicFile file(path);
    if (!file.open() ||
        !content.copyTo(0, content.size(), [&](const char* data, qint64 size) { return file.write(data, size); }))
        return SaveResult::failure(file.problem());
    return file.commit();
}

std::uint64_t hashOfBytes(const char* data, qint64 size) {
    return XXH3_64bits(data, std::size_t(size));
}

} // namespace quorvan
