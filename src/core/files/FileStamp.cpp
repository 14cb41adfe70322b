#include "core/files/FileStamp.h"

#include <QFile>

#include <sys/stat.h>

namespace quorvan {

std::optional<FileStamp> fileStamp(const QString& path) {
    struct stat st {};
    // The entry itself: a symbolic link put in a file's place is a change of that file.
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    const auto ns = [](const timespec& t) { return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec; };
    return FileStamp{quint64(st.st_dev), quint64(st.st_ino), qint64(st.st_size), ns(st.st_mtim), ns(st.st_ctim)};
}

} // namespace quorvan
