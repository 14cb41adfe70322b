#pragma once

#include "model/ScheduleTypes.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace quorvan::test {

// Folder of the fixture files.
QString dataPath(const QString& name);
QByteArray readFile(const QString& path);
void writeFile(const QString& path, const QByteArray& bytes);

// A temporary program folder ("home"), ending with '/'.
class TempHome {
public:
    TempHome();
    QString path() const { return m_dir.path() + u'/'; }
    QString file(const QString& name) const { return path() + name; }

private:
    QTemporaryDir m_dir;
};

// A name as the play list stores it.
void setSongName(PlaylistItem& item, const QString& name);
QString songName(const PlaylistItem& item);

// The entry of the one-entry example file: Monday to Friday, 08:00:00-08:30:00, host zone 1,
// host MP3 with "a.mp3" on the SD card.
TimingEntry exampleEntry();
// The exact bytes of the one-entry example file, built from its documented listing.
QByteArray exampleFileBytes();

// Heap-allocated zero table.
std::unique_ptr<ScheduleTable> zeroTable();

} // namespace quorvan::test
