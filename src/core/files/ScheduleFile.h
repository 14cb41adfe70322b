#pragma once

#include "core/files/AtomicFile.h"
#include "core/files/RegularFile.h"
#include "core/files/ScheduleTypes.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTime>

#include <vector>

namespace quorvan {

// Byte layout of the controller's schedule files.
namespace schedulefile {
inline constexpr std::uint16_t kFormatTag = 0x55AA;
inline constexpr int kHeaderSize = 4104;
inline constexpr int kEntryHeaderSize = 176;
inline constexpr int kRecordSize = 624;
inline constexpr int kNameOffset = 102; // the name follows the 102-byte drive field
inline constexpr int kNameUnits = 261;  // UTF-16 units of a record's name field, NUL included
} // namespace schedulefile

// The data folder is the program folder followed by "zone_data/"; it is created every time it is asked for,
// so it exists whenever a file is about to be used. programFolder ends with '/'.
QString dataFolderPath(const QString& programFolder);
QString dataFilePath(const QString& programFolder, const QString& fileName);

// Fills the table from a schedule file, its entries only. A missing or unreadable file, a wrong format tag or
// more than 256 entries give an empty table. Bytes missing from a short file read as 0; a name without its NUL
// is cut at 260 units; the songs are on the card when the first song's drive starts with E or e. Returns the
// entry count.
// Only a regular file (not a link, FIFO or device) of at most kMaxScheduleFileBytes is read; *status, when
// given, says why a file was not.
int loadTableFile(const QString& path, ScheduleTable& table, ReadStatus* status = nullptr);
// The entry count loadTableFile would give, read from the file's first bytes only.
int loadableEntryCount(const QString& path);
// The same over bytes already in memory (a negative size: no file at all).
int parseTable(const char* data, qint64 size, ScheduleTable& table);

// Writes entries 0..count-1 as a schedule file, replacing the old one only when every byte is written.
SaveResult saveTableFile(const QString& path, const ScheduleTable& table);
// The exact bytes saveTableFile writes.
QByteArray serializeTable(const ScheduleTable& table);

// What a schedule file holds at a glance, read from its header and entry headers only: whether the loader would
// take its entry count, that count, and the start times of the first entries (an invalid time as QTime()).
struct ScheduleSummary {
    bool readable = false;
    int count = 0;
    std::vector<QTime> starts;
};
ScheduleSummary summarizeSchedule(const QByteArray& bytes, int maxStarts = 3);

// The same, addressed by the document's file name inside the data folder.
int loadTable(const QString& programFolder, const QString& fileName, ScheduleTable& table,
              ReadStatus* status = nullptr);
SaveResult saveTable(const QString& programFolder, const QString& fileName, const ScheduleTable& table);

} // namespace quorvan
