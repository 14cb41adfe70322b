#pragma once

#include "core/files/ScheduleTypes.h"
#include "core/schedule/Clashes.h"
#include "core/texts/Problem.h"

#include <QList>
#include <QStringList>

#include <vector>

namespace quorvan {

// Moves the start and end of the entries numbered in which (from 0) by seconds (negative: earlier). Refused, with
// entries unchanged, when any start or end would leave 00:00:00..23:59:59 or is no time of day: the returned
// list names those entries (from 0), empty when the shift was made. An entry that runs past midnight (its end
// before its start) shifts like any other.
QList<int> shiftEntries(std::vector<TimingEntry>& entries, const QList<int>& which, int seconds);
// An offset as the undo history names it: "+0:10:00", "-1:05:30".
QString offsetText(int seconds);

// Change…: for each group of an entry's settings, leave it or change it the same way in every entry chosen.
struct BulkChange {
    enum class Bits { Keep, Set, Add, Remove };
    Bits weekdays = Bits::Keep;
    std::uint32_t weekdayBits = 0; // bit 0 Sunday … bit 6 Saturday
    Bits zones = Bits::Keep;
    std::uint32_t zoneMask[9] = {}; // the 40 zones as the entries' masks hold them
    Bits power = Bits::Keep;
    std::uint32_t powerMask[9] = {}; // the 37 channels
    enum class Flag { Keep, On, Off };
    Flag keepPower = Flag::Keep;
    int playMode = -1;   // 0 Order, 1 Random, -1 as it is
    int repeatMode = -1; // 0 Once, 1 All, -1 as it is
    // The songs of entries that play from the host MP3 player: every song named replaceSong becomes bySong in
    // its place; addSongs are appended; every song named removeSong goes (the last one gone, the player is off).
    QString replaceSong, bySong;
    QStringList addSongs;
    QString removeSong;
};

struct ChangeResult {
    int changed = 0; // entries that differ afterwards
    Problem refusal; // why nothing changed; empty otherwise
};
// Applies change to the entries numbered in which (from 0). Bits beyond the week's days, the 40 zones and the 37
// channels stay as they are. Refused, nothing changed: an entry would hold more than 255 songs (named), or no
// chosen entry would differ.
ChangeResult changeEntries(std::vector<TimingEntry>& entries, const QList<int>& which, const BulkChange& change);

// A day of bells: lessons one after another with breaks between them, a bell at a lesson's start, its end or
// both.
struct BellPattern {
    enum class At { Start, End, Both };
    int firstStart = 8 * 3600; // seconds after midnight of the first lesson's start
    int lessonMinutes = 45;
    int lessons = 1;
    QList<int> breakMinutes{10}; // after lesson 1, 2, …; the last one repeats for the lessons after it
    At at = At::Both;
    int ringSeconds = 10;
    std::uint32_t weekdays = 0x3E; // bit 0 Sunday … bit 6 Saturday
    std::uint32_t zoneMask[9] = {};
    std::uint32_t powerMask[9] = {};
    QStringList songs;
    bool onCard = true;
};

// The seconds after midnight at which the pattern rings, in time order, a moment only once (a lesson that ends as
// the next one begins rings once).
std::vector<int> bellTimes(const BellPattern& pattern);

struct BellsResult {
    std::vector<TimingEntry> entries; // in time order; empty when refused
    Problem refusal;                  // why nothing can be added; empty when entries were made
};
// The pattern's entries for a schedule that holds existing entries already: each starts at a bell and rings for
// ringSeconds, with the pattern's weekdays, zones, power and songs from the host MP3 player in order, once.
// Refused: no song, more than 255 songs, no weekday, no lesson, a bell that would end after 23:59:59, or more
// than 256 entries in all.
BellsResult makeBells(const BellPattern& pattern, int existing);

} // namespace quorvan
