#pragma once

#include "core/files/ScheduleTypes.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <vector>

namespace quorvan {

class TextTable;
struct DocumentInfo;

// A song that entries play from the card which the card does not hold.
struct MissingSong {
    QString name;             // as the first entry using it spells it
    QString file;             // the data file of those entries: "SCH01.DAT" … "REMOTE.DAT"
    std::vector<int> entries; // 1-based entry numbers, ascending

    bool operator==(const MissingSong&) const = default;
};

// The names of the files at the card folder's root, case-folded: the controller's FAT card finds a song in any
// letter case. An unreadable folder gives an empty set.
QSet<QString> cardFileNames(const QString& cardFolder);

// The songs of one table that the controller will look for on the card (entries with the host MP3 source and
// their play list on the card) and that are not among cardNames, one per name in any letter case.
std::vector<MissingSong> missingSongs(const ScheduleTable& table, const QString& file, const QSet<QString>& cardNames);

// The same over the data files named in files (a missing one holds no entries), sorted by name in any letter
// case, then by file.
std::vector<MissingSong> findMissingSongs(const QString& dataFolder, const QString& cardFolder,
                                          const QStringList& files);

// One line per song for the operator, "NAME — Schedule1: 1, 3; Remote Key: 2", each file named by its document's
// caption; after maxSongs songs a last line says how many more there are. missing is sorted as
// findMissingSongs sorts it.
QStringList missingSongLines(const std::vector<MissingSong>& missing, const std::vector<DocumentInfo>& documents,
                             const TextTable& texts, int maxSongs = 20);

} // namespace quorvan
