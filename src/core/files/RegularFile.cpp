#include "core/files/RegularFile.h"

#include "core/texts/TextId.h"

#include <QDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace quorvan {

void RegularFile::fail(ReadFailure failure, int text, const QStringList& more) {
    Problem problem{text, QStringList{QDir::toNativeSeparators(m_path)} + more};
    m_status = {failure, problem.inEnglish(), problem};
    if (m_file.isOpen())
        m_file.close();
}

bool RegularFile::open(const QString& path, qint64 maxBytes) {
    m_path = path;
    m_maxBytes = maxBytes;
    m_status = {};
    // O_NONBLOCK: opening a FIFO without a writer, or a device, returns at once instead of waiting forever.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT)
            fail(ReadFailure::Missing, TextId::NoSuchFile);
        else if (error == ELOOP)
            fail(ReadFailure::NotRegular, TextId::IsSymbolicLink);
        else
            fail(ReadFailure::Unreadable, TextId::PathAndReason, {QString::fromLocal8Bit(std::strerror(error))});
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        fail(ReadFailure::NotRegular, S_ISDIR(st.st_mode) ? TextId::IsFolder : TextId::NotRegularFile);
        return false;
    }
    if (st.st_size > maxBytes) {
        ::close(fd);
        fail(ReadFailure::TooLarge, TextId::FileTooLarge,
             {QString::number(qint64(st.st_size)), QString::number(maxBytes)});
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK); // a regular file: plain blocking reads from here
    if (!m_file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        fail(ReadFailure::Unreadable, TextId::PathAndReason, {m_file.errorString()});
        return false;
    }
    m_size = qint64(st.st_size);
    return true;
}

QByteArray RegularFile::readAll() {
    if (!m_file.isOpen())
        return {};
    QByteArray bytes(m_size, Qt::Uninitialized);
    qint64 got = 0;
    while (got < bytes.size()) {
        const qint64 n = m_file.read(bytes.data() + got, bytes.size() - got);
        if (n < 0) {
            fail(ReadFailure::Unreadable, TextId::PathAndReason, {m_file.errorString()});
            return {};
        }
        if (n == 0)
            break; // the file shrank while open: what it holds now is what was read
        got += n;
    }
    bytes.truncate(got);
    // Bytes written after it was opened are read too, within the limit of its kind.
    char more[4096];
    for (qint64 n; (n = m_file.read(more, sizeof more)) > 0;) {
        if (bytes.size() + n > m_maxBytes) {
            fail(ReadFailure::TooLarge, TextId::FileGrewTooLarge, {QString::number(m_maxBytes)});
            return {};
        }
        bytes.append(more, n);
    }
    return bytes;
}

FileRead readRegularFile(const QString& path, qint64 maxBytes) {
    FileRead read;
    RegularFile file;
    if (file.open(path, maxBytes))
        read.bytes = file.readAll();
    read.status = file.status();
    return read;
}

} // namespace quorvan
