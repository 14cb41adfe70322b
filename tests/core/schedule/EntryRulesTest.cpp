#include "TestSupport.h"

#include "core/files/ScheduleTypes.h"
#include "core/schedule/EntryRules.h"
#include "core/schedule/SourceSettings.h"

#include <gtest/gtest.h>

using namespace quorvan;
using namespace quorvan::test;

TEST(SourceSettings, FmPositionAndFrequency) {
    EXPECT_EQ(fmLine(1), QStringLiteral("87.0MHz"));
    EXPECT_EQ(fmLine(2), QStringLiteral("87.1MHz"));
    EXPECT_EQ(fmLine(211), QStringLiteral("108.0MHz"));

    TimingEntry e{};
    SourcePanelState state;
    state.fmPosition = 1;
    saveSourceSettings(state, e);
    EXPECT_EQ(e.fmFrequency, 8700);
    EXPECT_TRUE(e.sourceMask & source::kHostFm);
    state.fmPosition = 211;
    saveSourceSettings(state, e);
    EXPECT_EQ(e.fmFrequency, 10800);
    state.fmPosition = 0;
    saveSourceSettings(state, e);
    EXPECT_EQ(e.fmFrequency, 0);
    EXPECT_FALSE(e.sourceMask & source::kHostFm);

    // Loading: 10800 → 211; a frequency the list cannot show, or the bit clear, → the empty line.
    e.sourceMask = source::kHostFm;
    e.fmFrequency = 10800;
    loadSourceSettings(e, state);
    EXPECT_EQ(state.fmPosition, 211);
    e.fmFrequency = 10810;
    loadSourceSettings(e, state);
    EXPECT_EQ(state.fmPosition, 0);
    e.fmFrequency = 9000;
    e.sourceMask = 0;
    loadSourceSettings(e, state);
    EXPECT_EQ(state.fmPosition, 0);
}

TEST(SourceSettings, PlayersTakeTheirBitsAndOnlyThoseBits) {
    TimingEntry e{};
    e.sourceMask = source::kAlarmVoice | source::kLocalMic | source::kRemoteMic | 0xE0000000u;
    SourcePanelState state;
    state.dvd[0] = {1, 1}; // track 01, Single Repeat
    state.dvd[7] = {99, 2};
    state.dvd[3] = {0, 2}; // empty track line: unused whatever the repeat list shows
    state.extMp3[1] = {256, 2};
    state.radio[2] = 30;
    state.radio[4] = 31; // not a preset
    saveSourceSettings(state, e);
    EXPECT_EQ(e.dvdTracks[0].track, 1);
    EXPECT_EQ(e.dvdTracks[0].repeatMode, 1);
    EXPECT_TRUE(e.dvdTracks[3] == TrackSetting{});
    EXPECT_EQ(e.extMp3Tracks[1].track, 256);
    EXPECT_EQ(e.extRadioPresets[2], 30);
    EXPECT_EQ(e.extRadioPresets[4], 0);
    const std::uint32_t expected = (1u << 2) | (1u << 9) | (1u << 11) | (1u << 20) | source::kAlarmVoice |
                                   source::kLocalMic | source::kRemoteMic | 0xE0000000u;
    EXPECT_EQ(e.sourceMask, expected);

    // An unset player's repeat choice survives a load; a set one takes the stored value.
    SourcePanelState shown;
    shown.dvd[3].repeat = 2;
    shown.dvd[0].repeat = 0;
    loadSourceSettings(e, shown);
    EXPECT_EQ(shown.dvd[3].position, 0);
    EXPECT_EQ(shown.dvd[3].repeat, 2);
    EXPECT_EQ(shown.dvd[0].position, 1);
    EXPECT_EQ(shown.dvd[0].repeat, 1);
    EXPECT_EQ(shown.extMp3[1].position, 256);
    EXPECT_EQ(shown.radio[2], 30);

    // Stored tracks the lists cannot show load as unset.
    e.dvdTracks[0].track = 150;
    e.extRadioPresets[2] = 40;
    loadSourceSettings(e, shown);
    EXPECT_EQ(shown.dvd[0].position, 0);
    EXPECT_EQ(shown.radio[2], 0);
}

TEST(SourceSettings, SongListAndModes) {
    TimingEntry e = exampleEntry();
    e.playlist << QStringLiteral("old.mp3");
    e.mp3PlayMode = 5;
    e.mp3RepeatMode = 1;
    SourcePanelState state;
    loadSourceSettings(e, state);
    EXPECT_EQ(state.songs, (QStringList{QStringLiteral("a.mp3"), QStringLiteral("old.mp3")}));
    EXPECT_TRUE(state.onCard);
    EXPECT_EQ(e.mp3PlayMode, 0) << "a mode other than 0 or 1 is normalised in the entry";
    EXPECT_EQ(state.playMode, 0);
    EXPECT_EQ(state.repeatMode, 1);

    // An empty list clears bit 0 and the play list.
    state.songs.clear();
    state.onCard = false;
    saveSourceSettings(state, e);
    EXPECT_FALSE(e.sourceMask & source::kHostMp3);
    EXPECT_TRUE(e.playlist.isEmpty());
    EXPECT_FALSE(e.playlistOnCard);

    // Songs with bit 0 clear load as an empty list.
    e.playlist = {QStringLiteral("a.mp3"), QStringLiteral("old.mp3")};
    loadSourceSettings(e, state);
    EXPECT_TRUE(state.songs.isEmpty());

    // A name keeps what the file can hold: at most 260 units, nothing from a NUL on.
    state.songs = {QString(300, u'x'), QStringLiteral("上课.mp3"),
                   QStringLiteral("a") + QChar(0) + QStringLiteral("b")};
    saveSourceSettings(state, e);
    EXPECT_EQ(e.playlist, (QStringList{QString(260, u'x'), QStringLiteral("上课.mp3"), QStringLiteral("a")}));
}

TEST(PickerRules, ZoneBitsBeyondTheFortyAreClearedOthersKept) {
    std::uint32_t mask[9] = {0xFFFFFF00u, 0, 0, 0xFFFFFFFFu, 0, 0, 0, 0, 0x00010001u};
    ZoneChecks checks = zoneChecks(mask);
    applyZoneGroupAction(1, 1, checks); // local group, all on
    for (int z = 0; z < 40; ++z)
        EXPECT_EQ(checks[std::size_t(z)], z < 8) << z;
    applyZoneGroupAction(4, 1, checks); // extension group 3 has no zones
    applyZoneGroupAction(3, 0, checks); // the empty action
    checks[8] = true;
    checks[39] = true;
    applyZoneChecks(checks, mask);
    EXPECT_EQ(mask[0], 0xFFFFFFFFu);
    EXPECT_EQ(mask[1], 0x00000001u);
    EXPECT_EQ(mask[2], 0x00008000u);
    EXPECT_EQ(mask[3], 0xFFFF0000u);
    EXPECT_EQ(mask[8], 0x00010000u);

    applyZoneGroupAction(0, 2, checks); // all groups, all off
    applyZoneChecks(checks, mask);
    EXPECT_EQ(mask[0], 0xFFFFFF00u);
    EXPECT_EQ(mask[1], 0u);
    EXPECT_EQ(zoneGroupRange(3).first, 24);
    EXPECT_EQ(zoneGroupRange(3).last, 39);
}

TEST(PickerRules, PowerChannelsAndKeepPower) {
    std::uint32_t mask[9] = {0x00F0'0060u, 0xABCD'0000u, 0x1234'0000u, 0xFFFF, 0, 0, 0, 0, 0};
    PowerChecks checks = powerChecks(mask);
    EXPECT_TRUE(checks[5 + 16 + 16 - 5] == false);
    invertChannels(checks);
    applyPowerChecks(checks, mask);
    EXPECT_EQ(mask[0], 0x00F0'007Fu) << "bits 0-4 inverted, bits 5 and 6 and the upper bits kept, keep power unchanged";
    EXPECT_EQ(mask[1], 0xABCD'FFFFu);
    EXPECT_EQ(mask[2], 0x1234'FFFFu);
    EXPECT_EQ(mask[3], 0xFFFFu) << "channels beyond the 37 are not the picker's";

    checks[kKeepPowerItem] = true;
    selectAllChannels(checks);
    EXPECT_TRUE(checks[kKeepPowerItem]);
    for (auto& c : checks)
        c = false;
    checks[kKeepPowerItem] = true;
    applyPowerChecks(checks, mask);
    EXPECT_EQ(mask[0], 0x00F0'8060u);
    EXPECT_EQ(mask[1], 0xABCD'0000u);
}

TEST(EditorRules, StoreKeepsForeignWeekdayBitsAndChecksTimes) {
    TimingEntry e{};
    e.weekdays = 0x80 | 0x01;
    storeEditorFields({false, true, false, false, false, false, true}, QTime(8, 0, 0), QTime(7, 59, 59), e);
    EXPECT_EQ(e.used, 1);
    EXPECT_EQ(e.weekdays, 0x80u | 0x02 | 0x40);
    EXPECT_EQ(e.startHour, 8);
    EXPECT_EQ(e.endMinute, 59);
    storeEditorFields({}, QTime(), QTime(1, 2, 3), e);
    EXPECT_EQ(e.startHour, 255);
    EXPECT_EQ(e.startSecond, 255);

    EXPECT_TRUE(sameTimes(QTime(8, 0, 0), QTime(8, 0, 0)));
    EXPECT_FALSE(sameTimes(QTime(8, 0, 0), QTime(7, 59, 59)));
    EXPECT_FALSE(sameTimes(QTime(8, 0, 0), QTime(8, 0, 0, 500).addMSecs(1000)));

    EXPECT_EQ(pickerTime(23, 59, 59), QTime(23, 59, 59));
    EXPECT_EQ(pickerTime(24, 0, 0), QTime(0, 0, 0));
    EXPECT_EQ(pickerTime(255, 255, 255), QTime(0, 0, 0));
}
