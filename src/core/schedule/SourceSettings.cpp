#include "core/schedule/SourceSettings.h"

#include "core/files/ScheduleFile.h"
#include "core/files/ScheduleTypes.h"

#include <algorithm>
#include <cstring>

namespace quorvan {

namespace {

bool bit(std::uint32_t mask, int b) {
    return (mask >> b) & 1u;
}
void setBit(std::uint32_t& mask, int b, bool on) {
    mask = on ? (mask | (1u << b)) : (mask & ~(1u << b));
}

void loadTrack(const TrackSetting& setting, bool on, int maxTrack, SourcePanelState::Track& choice) {
    if (on) {
        // A track the list cannot show loads as the empty line; the repeat mode is taken as stored.
        choice.position = setting.track <= maxTrack ? setting.track : 0;
        choice.repeat = setting.repeatMode;
    } else {
        choice.position = 0; // the repeat list keeps its selection
    }
}

void saveTrack(const SourcePanelState::Track& choice, int maxTrack, TrackSetting& setting, std::uint32_t& mask, int b) {
    setting = {};
    const bool on = choice.position >= 1 && choice.position <= maxTrack;
    if (on) {
        setting.track = std::uint16_t(choice.position);
        setting.repeatMode = std::uint8_t(std::clamp(choice.repeat, 0, 255));
    }
    setBit(mask, b, on);
}

} // namespace

QString fmLine(int position) {
    const int tenths = 869 + position; // 87.0 MHz at position 1
    return QStringLiteral("%1.%2MHz").arg(tenths / 10).arg(tenths % 10);
}

int fmFrequencyAt(int position) {
    return 10 * position + 8690;
}

void loadSourceSettings(TimingEntry& entry, SourcePanelState& state) {
    state.songs.clear();
    if (bit(entry.sourceMask, 0))
        state.songs = entry.playlist;
    state.onCard = entry.playlistOnCard;
    if (entry.mp3PlayMode > 1)
        entry.mp3PlayMode = 0;
    if (entry.mp3RepeatMode > 1)
        entry.mp3RepeatMode = 0;
    state.playMode = entry.mp3PlayMode;
    state.repeatMode = entry.mp3RepeatMode;

    const int f = entry.fmFrequency / 10;
    state.fmPosition = bit(entry.sourceMask, 1) && f >= 870 && f <= 1080 ? f - 869 : 0;

    for (int k = 0; k < 8; ++k) {
        loadTrack(entry.dvdTracks[k], bit(entry.sourceMask, source::kFirstDvdBit + k), kDvdTracks,
                  state.dvd[std::size_t(k)]);
        loadTrack(entry.extMp3Tracks[k], bit(entry.sourceMask, source::kFirstExtMp3Bit + k), kExtMp3Tracks,
                  state.extMp3[std::size_t(k)]);
        const int preset = entry.extRadioPresets[k];
        state.radio[std::size_t(k)] =
            bit(entry.sourceMask, source::kFirstExtRadioBit + k) && preset <= kRadioPresets ? preset : 0;
    }
}

void saveSourceSettings(const SourcePanelState& state, TimingEntry& entry) {
    const int n = int(std::min<qsizetype>(state.songs.size(), kMaxSongs));
    setBit(entry.sourceMask, 0, n > 0);
    entry.playlistOnCard = state.onCard;
    entry.playlist.clear();
    for (int i = 0; i < n; ++i) {
        // What the file can hold of a name: up to a NUL, at most kMaxSongNameUnits units.
        const QString& song = state.songs[i];
        const qsizetype nul = song.indexOf(QChar(0));
        entry.playlist << song.left(std::min<qsizetype>(nul < 0 ? song.size() : nul, kMaxSongNameUnits));
    }
    entry.mp3PlayMode = std::uint8_t(std::clamp(state.playMode, 0, 1));
    entry.mp3RepeatMode = std::uint8_t(std::clamp(state.repeatMode, 0, 1));

    const bool fmOn = state.fmPosition >= 1 && state.fmPosition <= kFmPositions;
    entry.fmFrequency = fmOn ? std::uint16_t(fmFrequencyAt(state.fmPosition)) : 0;
    setBit(entry.sourceMask, 1, fmOn);

    for (int k = 0; k < 8; ++k) {
        saveTrack(state.dvd[std::size_t(k)], kDvdTracks, entry.dvdTracks[k], entry.sourceMask,
                  source::kFirstDvdBit + k);
        saveTrack(state.extMp3[std::size_t(k)], kExtMp3Tracks, entry.extMp3Tracks[k], entry.sourceMask,
                  source::kFirstExtMp3Bit + k);
        const int p = state.radio[std::size_t(k)];
        const bool on = p >= 1 && p <= kRadioPresets;
        entry.extRadioPresets[k] = on ? std::uint16_t(p) : 0;
        setBit(entry.sourceMask, source::kFirstExtRadioBit + k, on);
    }
}

} // namespace quorvan
