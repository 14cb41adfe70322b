#pragma once

#include <QStringList>

#include <cstdint>
#include <vector>

namespace quorvan {

inline constexpr int kMaxEntries = 256;       // entries a schedule may hold
inline constexpr int kMaxSongs = 255;         // songs an entry may hold (the file keeps the count in one byte)
inline constexpr int kRemoteKeyCount = 12;    // fixed number of remote-key presets
inline constexpr int kMaxSongNameUnits = 260; // UTF-16 units of a play-list song's name (the file adds a NUL)

// Setting of one external DVD or MP3 player inside a timing entry; all zero when the player is unused.
struct TrackSetting {
    std::uint16_t track = 0;
    std::uint8_t repeatMode = 0;
    std::uint8_t reserved = 0;

    bool operator==(const TrackSetting&) const = default;
};

// One row of a schedule or one remote-key preset. The zone and power masks keep the controller's bit layout,
// bits beyond the zones and channels this program shows included, so that a file's bits survive a round trip.
struct TimingEntry {
    bool used = false;          // a preset that holds something; a deleted preset shows as an empty row
    std::uint32_t weekdays = 0; // bit 0 Sunday … bit 6 Saturday
    std::uint8_t startHour = 0;
    std::uint8_t startMinute = 0;
    std::uint8_t startSecond = 0;
    std::uint8_t endHour = 0;
    std::uint8_t endMinute = 0;
    std::uint8_t endSecond = 0;
    std::uint32_t powerMask[9] = {}; // word 0: host channels 1-5 in bits 0-4, keep power in bit 15
    std::uint32_t sourceMask = 0;
    std::uint8_t mp3PlayMode = 0;
    std::uint8_t mp3RepeatMode = 0;
    std::uint16_t fmFrequency = 0; // 10 kHz units, 0 when the FM source is off
    TrackSetting dvdTracks[8];
    TrackSetting extMp3Tracks[8];
    std::uint16_t extRadioPresets[8] = {};
    std::uint32_t zoneMask[9] = {}; // word 0: host zones 1-8 in bits 0-7
    QStringList playlist;           // the host MP3 songs: file names with extension, no folder
    bool playlistOnCard = false;    // the songs are on the SD card, not in the internal storage

    bool operator==(const TimingEntry&) const = default;
};

// One schedule's entries in list order (the remote keys: always twelve presets).
struct ScheduleTable {
    std::vector<TimingEntry> entries;

    int count() const { return int(entries.size()); }
    bool operator==(const ScheduleTable&) const = default;
};

// Source-mask bits.
namespace source {
inline constexpr std::uint32_t kHostMp3 = 1u << 0;
inline constexpr std::uint32_t kHostFm = 1u << 1;
inline constexpr int kFirstDvdBit = 2;
inline constexpr int kFirstExtMp3Bit = 10;
inline constexpr int kFirstExtRadioBit = 18;
inline constexpr std::uint32_t kAlarmVoice = 1u << 26;
inline constexpr std::uint32_t kLocalMic = 1u << 27;
inline constexpr std::uint32_t kRemoteMic = 1u << 28;
} // namespace source

inline constexpr std::uint32_t kKeepPowerBit = 1u << 15; // in powerMask[0]
inline constexpr int kZoneCount = 40;
inline constexpr int kPowerChannelCount = 37;

// Zone z: bit z of word 0 for z < 8, else bit (z-8) mod 16 of word 1 + (z-8)/16. Valid for z in 0..135.
inline bool zoneBit(const std::uint32_t (&mask)[9], int z) {
    if (z < 8)
        return (mask[0] >> z) & 1u;
    const int k = z - 8;
    return (mask[1 + k / 16] >> (k % 16)) & 1u;
}

inline void setZoneBit(std::uint32_t (&mask)[9], int z, bool on) {
    std::uint32_t& word = z < 8 ? mask[0] : mask[1 + (z - 8) / 16];
    const std::uint32_t bit = 1u << (z < 8 ? z : (z - 8) % 16);
    word = on ? (word | bit) : (word & ~bit);
}

// Power channel p: bit p of word 0 for p < 5, else bit (p-5) mod 16 of word 1 + (p-5)/16. Valid for p in 0..132.
inline bool powerBit(const std::uint32_t (&mask)[9], int p) {
    if (p < 5)
        return (mask[0] >> p) & 1u;
    const int k = p - 5;
    return (mask[1 + k / 16] >> (k % 16)) & 1u;
}

inline void setPowerBit(std::uint32_t (&mask)[9], int p, bool on) {
    std::uint32_t& word = p < 5 ? mask[0] : mask[1 + (p - 5) / 16];
    const std::uint32_t bit = 1u << (p < 5 ? p : (p - 5) % 16);
    word = on ? (word | bit) : (word & ~bit);
}

} // namespace quorvan
