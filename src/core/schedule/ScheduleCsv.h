#pragma once

#include "core/files/ScheduleTypes.h"
#include "core/texts/Problem.h"

#include <QByteArray>
#include <QStringList>

#include <vector>

namespace quorvan {

class TextTable;

// A schedule as a CSV file a person can edit in a spreadsheet and import again, every bit of the controller's file
// kept: UTF-8 with a byte-order mark, CR LF, a header row, one row per entry. The columns:
//   Number      1-based, for reading; ignored on import (rows stay in their order)
//   Days        Sun Mon Tue Wed Thu Fri Sat, separated by spaces
//   Start, End  HH:MM:SS (also read: H:MM:SS, HH:MM, 12-hour forms with AM/PM)
//   Zones       zone numbers as the controller numbers its zone bits (1-136), ascending, runs as ranges: 1-8 12 40
//   Power       power channel numbers (1-133) in the same way
//   KeepPower   yes, or empty
//   Sources     LocalMP3 LocalFM DVD1..DVD8 ExtMP3-1..ExtMP3-8 Radio1..Radio8 Alarm LocalMic RemoteMic
//   PlayMode    Order or Random; RepeatMode: Once or All (a number for any other value)
//   FM          MHz with two decimals (95.50), empty for none
//   DVD, ExtMP3 PLAYER=TRACK or PLAYER=TRACK/REPEAT for the players set (1-8)
//   Radio       PLAYER=PRESET for the players set
//   SongsOn     card or internal (empty without songs)
//   Songs       one song name per line
//   OtherBits   FIELD=VALUE for bits no other column shows, by the JSON keys: weekdays, zoneMask[i], powerMask[i],
//               sourceMask, dvdTracks[i].reserved, extMp3Tracks[i].reserved; empty for entries the windows make
QStringList scheduleCsvColumns();
QByteArray scheduleToCsv(const ScheduleTable& table);

// One thing in the way of an import: the row as a spreadsheet numbers it (the header is row 1; 0 for the file as
// a whole), the column's name (empty for the row as a whole) and what is wrong.
struct CsvProblem {
    int row = 0;
    QString column;
    Problem what;
};
// "row 7, Start: '25:00:00' is not a time", in the language of texts.
QString csvProblemText(const CsvProblem& problem, const TextTable& texts);

struct CsvImport {
    ScheduleTable table;
    std::vector<CsvProblem> problems; // every one found, in row order; the table is empty when there are any
    bool ok() const { return problems.empty(); }
};
// Reads a CSV file as scheduleToCsv writes it and a spreadsheet re-saves it: with or without the byte-order mark,
// CR LF or LF, comma or semicolon, header names in any letter case and any order. At most capacity entries.
// Values the controller's file checks refuse are refused here too, by row and column.
CsvImport scheduleFromCsv(const QByteArray& bytes, int capacity = kMaxEntries);

} // namespace quorvan
