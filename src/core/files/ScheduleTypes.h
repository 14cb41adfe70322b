#pragma once

#include <cstdint>
#include <cstdlib>
#include <new>

namespace quorvan {

inline constexpr int kMaxEntries = 256;       // slots of a schedule table
inline constexpr int kMaxPlaylistItems = 256; // play-list slots of an entry
inline constexpr int kMaxSongs = 255;         // songs an entry may hold (the file keeps the count in one byte)
inline constexpr int kRemoteKeyCount = 12;    // fixed number of remote-key presets
inline constexpr int kFileNameUnits = 261;    // UTF-16 units of a play-list name, NUL included
inline constexpr int kDrivePrefixBytes = 102;

// Setting of one external DVD or MP3 player inside a timing entry; all zero when the player is unused.
struct TrackSetting {
    std::uint16_t track;
    std::uint8_t repeatMode;
    std::uint8_t reserved;

    bool operator==(const TrackSetting&) const = default;
};

// One song of the host MP3 play list.
struct PlaylistItem {
    std::uint8_t drivePrefix[kDrivePrefixBytes]; // "E:\" or "D:\" as read from a file; never trusted
    char16_t fileName[kFileNameUnits];           // NUL-terminated name with extension, no folder

    bool operator==(const PlaylistItem&) const = default;
};

// One row of a schedule or one remote-key preset.
struct TimingEntry {
    std::uint8_t used;
    std::uint32_t weekdays; // bit 0 Sunday … bit 6 Saturday
    std::uint8_t startHour;
    std::uint8_t startMinute;
    std::uint8_t startSecond;
    std::uint8_t endHour;
    std::uint8_t endMinute;
    std::uint8_t endSecond;
    std::uint32_t powerMask[9]; // word 0: host channels 1-5 in bits 0-4, keep power in bit 15
    std::uint32_t sourceMask;
    std::uint8_t mp3PlayMode;
    std::uint8_t mp3RepeatMode;
    std::uint8_t mp3TrackCount;
    std::uint16_t fmFrequency; // 10 kHz units, 0 when the FM source is off
    TrackSetting dvdTracks[8];
    TrackSetting extMp3Tracks[8];
    std::uint16_t extRadioPresets[8];
    std::uint32_t zoneMask[9]; // word 0: host zones 1-8 in bits 0-7
    PlaylistItem playlist[kMaxPlaylistItems];
    std::uint16_t playlistCount;
    std::uint8_t playlistOnCard; // 1 SD card, 0 internal storage

    bool operator==(const TimingEntry&) const = default;
};

// How much of each slot's play list may hold non-zero bytes: items of slot i from itemsInUse[i] on are zero. A load
// clears only what earlier contents may have left instead of all 41 MB of the table. Every write into a slot other
// than a load goes through a function that marks it (appendEntry, replaceEntry, removeEntry, clearTable,
// markSlotWritten). Bookkeeping, not contents: marks never make two tables unequal.
struct SlotMarks {
    std::uint16_t itemsInUse[kMaxEntries]; // values above kMaxPlaylistItems mean all of them

    bool operator==(const SlotMarks&) const { return true; }
};

// One schedule: count entries in slots 0..count-1, every later slot zero.
struct ScheduleTable {
    std::int32_t count;
    TimingEntry entries[kMaxEntries];
    SlotMarks marks;

    bool operator==(const ScheduleTable&) const = default;

    // Tables come zeroed from the allocator: 41 MB of fresh pages cost nothing until a load writes them.
    static void* operator new(std::size_t size) {
        if (void* p = std::calloc(1, size))
            return p;
        throw std::bad_alloc();
    }
    static void operator delete(void* p) noexcept { std::free(p); }
};

// Records that slot i may now hold anything: the next load clears all of it.
inline void markSlotWritten(ScheduleTable& table, int i) {
    if (i >= 0 && i < kMaxEntries)
        table.marks.itemsInUse[i] = kMaxPlaylistItems;
}

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
