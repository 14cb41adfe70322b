#include "core/files/SongFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvan {

namespace {

const QStringList& songExtensions() {
    static const QStringList extensions = {QStringLiteral("MP3"), QStringLiteral("WMA"), QStringLiteral("WAV"),
                                           QStringLiteral("AAC"), QStringLiteral("OGG"), QStringLiteral("APE"),
                                           QStringLiteral("FLAC")};
    return extensions;
}

// Names as a file manager lists them, whatever the locale: "bell 2" before "bell 10", letter case aside.
bool namesInOrder(const QString& a, const QString& b) {
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            qsizetype ei = i, ej = j;
            while (ei < a.size() && a[ei].isDigit())
                ++ei;
            while (ej < b.size() && b[ej].isDigit())
                ++ej;
            const qulonglong x = a.mid(i, ei - i).toULongLong(), y = b.mid(j, ej - j).toULongLong();
            if (x != y)
                return x < y;
            i = ei;
            j = ej;
            continue;
        }
        const int c = QString::compare(a.mid(i, 1), b.mid(j, 1), Qt::CaseInsensitive);
        if (c != 0)
            return c < 0;
        ++i;
        ++j;
    }
    if ((a.size() - i) != (b.size() - j))
        return a.size() - i < b.size() - j;
    return a < b; // names equal but for case or leading zeros: still one order
}

} // namespace

bool isSongFile(const QString& path) {
    return songExtensions().contains(QFileInfo(path).suffix(), Qt::CaseInsensitive);
}

QString songFileFilter() {
    QStringList patterns;
    for (const QString& e : songExtensions())
        patterns << QStringLiteral("*.") + e;
    for (const QString& e : songExtensions())
        patterns << QStringLiteral("*.") + e.toLower();
    return QStringLiteral("音乐文件 (") + patterns.join(u' ') + u')';
}

QStringList songFilesIn(const QStringList& paths) {
    QStringList songs;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (info.isDir()) {
            QStringList names = QDir(path).entryList(QDir::Files | QDir::Readable);
            std::sort(names.begin(), names.end(), namesInOrder);
            for (const QString& name : names)
                if (isSongFile(name))
                    songs << QDir(path).filePath(name);
        } else if (info.isFile() && isSongFile(path)) {
            songs << path;
        }
    }
    return songs;
}

bool isReadableSongFile(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    return regular;
}

} // namespace quorvan
