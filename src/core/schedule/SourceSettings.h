#pragma once

#include <QStringList>

#include <array>

namespace quorvan {

struct TimingEntry;

// What the source settings panel shows for one entry: the selections of its lists, without any window.
struct SourcePanelState {
    struct Track {
        int position = 0; // 0 the empty line, t the track t
        int repeat = 0;   // index in the repeat list
    };

    QStringList songs;           // host MP3 play list, file names in play order
    bool onCard = false;         // SD card (true) or internal storage
    int playMode = 0;            // 0 order, 1 random
    int repeatMode = 0;          // 0 once, 1 all
    int fmPosition = 0;          // 0 the empty line, n = 87.0 MHz + (n - 1) * 0.1 MHz
    std::array<Track, 8> dvd;    // external DVD players
    std::array<Track, 8> extMp3; // external MP3 players (kept as loaded; no page shows them)
    std::array<int, 8> radio{};  // external radio presets: 0 the empty line, p the preset p
};

inline constexpr int kFmPositions = 211; // 87.0 .. 108.0 MHz
inline constexpr int kDvdTracks = 99;
inline constexpr int kExtMp3Tracks = 256;
inline constexpr int kRadioPresets = 30;

// Fills the panel state from an entry. Play and repeat modes other than 0 and 1 are set to 0 in the entry.
// The repeat choice of a DVD or external MP3 player whose source is off keeps its previous value.
void loadSourceSettings(TimingEntry& entry, SourcePanelState& state);

// Writes the panel state into the entry: source bits 0 to 25 with their settings; bits 26 to 31 are left alone.
// Play-list items beyond the new count keep what they held but are no longer counted.
void saveSourceSettings(const SourcePanelState& state, TimingEntry& entry);

// The FM list's line at position n (1..211): "87.0MHz" .. "108.0MHz".
QString fmLine(int position);
// fmFrequency of list position n: 8690 + 10 n.
int fmFrequencyAt(int position);

} // namespace quorvan
