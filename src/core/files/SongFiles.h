#pragma once

#include <QString>
#include <QStringList>

namespace quorvan {

// Whether a path names an audio file the players take, by its extension in any letter case: MP3, WMA, WAV, AAC,
// OGG, APE, FLAC.
bool isSongFile(const QString& path);

// The file dialogs' filter for those files: "音乐文件 (*.MP3 … *.mp3 …)", both letter cases, since a dialog may
// match names case by case.
QString songFileFilter();

// Whether path is a regular file this process can read (a link to one counts: music folders hold them); a FIFO
// or a device named like a song is refused at once instead of waited on.
bool isReadableSongFile(const QString& path);

// The song files of a drop from a file manager, in order: each file as given when it is a song file, each
// folder's own song files sorted by name (folders inside it are not entered). Anything else is left out.
QStringList songFilesIn(const QStringList& paths);

} // namespace quorvan
