#pragma once

#include "core/files/AtomicFile.h"
#include "core/files/RegularFile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quorvan {

// M3U play lists of the music player: UTF-8 text, "#EXTM3U" on the first line, then one song per line.

// The bytes of a play list at playlistPath holding songs (full paths). A song in the play list's folder or
// below it is written relative to that folder, so the list still works when the folder moves with its songs;
// any other song is written as an absolute path. A name that would read back as something else (a line
// break in it, a leading '#') is written so that it reads back unchanged.
QByteArray playlistBytes(const QStringList& songs, const QString& playlistPath);

// The songs of play list bytes as full paths, in order. Relative paths are taken from the play list's folder;
// lines starting with '#' and blank lines are passed over; CRLF line ends, a UTF-8 byte-order mark and
// file:// URLs are accepted.
QStringList playlistSongs(const QByteArray& bytes, const QString& playlistPath);

// Writes the play list through AtomicFile: a failed write leaves the old file as it was.
SaveResult savePlaylist(const QString& playlistPath, const QStringList& songs);

struct PlaylistRead {
    bool ok = false;
    ReadStatus status; // the file and the reason when !ok
    QStringList songs;
};
PlaylistRead readPlaylist(const QString& playlistPath);

} // namespace quorvan
