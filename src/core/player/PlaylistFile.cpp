#include "core/player/PlaylistFile.h"

#include <QDir>
#include "core/files/RegularFile.h"

#include <QFileInfo>
#include <QUrl>

namespace quorvan {

namespace {

const QByteArray kHeader = QByteArrayLiteral("#EXTM3U");
const QString kFileUrl = QStringLiteral("file://");

QString folderOf(const QString& playlistPath) {
    return QFileInfo(playlistPath).absolutePath();
}

QString lineFor(const QString& song, const QString& folder) {
    const QString path = QDir::cleanPath(QFileInfo(song).absoluteFilePath());
    // A line break cannot stand in a line; a URL encodes it.
    if (path.contains(u'\n') || path.contains(u'\r'))
        return QString::fromUtf8(QUrl::fromLocalFile(path).toEncoded(QUrl::FullyEncoded));
    const QString prefix = folder.endsWith(u'/') ? folder : folder + u'/';
    if (!path.startsWith(prefix))
        return path;
    const QString relative = path.mid(prefix.size());
    // "#1.mp3" alone would read as a comment, "file://…" as a URL.
    if (relative.startsWith(u'#') || relative.startsWith(kFileUrl, Qt::CaseInsensitive))
        return QStringLiteral("./") + relative;
    return relative;
}

} // namespace

QByteArray playlistBytes(const QStringList& songs, const QString& playlistPath) {
    const QString folder = folderOf(playlistPath);
    QByteArray bytes = kHeader + '\n';
    for (const QString& song : songs)
        bytes += lineFor(song, folder).toUtf8() + '\n';
    return bytes;
}

QStringList playlistSongs(const QByteArray& bytes, const QString& playlistPath) {
    const QDir folder(folderOf(playlistPath));
    QByteArray text = bytes;
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    QStringList songs;
    for (QByteArray line : text.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        const QString entry = QString::fromUtf8(line);
        if (entry.startsWith(kFileUrl, Qt::CaseInsensitive)) {
            const QUrl url = QUrl::fromEncoded(line);
            if (url.isLocalFile())
                songs << QDir::cleanPath(url.toLocalFile());
            continue;
        }
        songs << QDir::cleanPath(folder.absoluteFilePath(entry));
    }
    return songs;
}

SaveResult savePlaylist(const QString& playlistPath, const QStringList& songs) {
    return writeFileAtomically(playlistPath, playlistBytes(songs, playlistPath));
}

PlaylistRead readPlaylist(const QString& playlistPath) {
    PlaylistRead read;
    const FileRead file = readRegularFile(playlistPath, kMaxPlaylistFileBytes);
    if (!file.ok()) {
        read.status = file.status;
        return read;
    }
    read.ok = true;
    read.songs = playlistSongs(file.bytes, playlistPath);
    return read;
}

} // namespace quorvan
