#include "core/schedule/EntryFormat.h"

#include "core/files/ScheduleTypes.h"
#include "core/settings/NameTables.h"
#include "core/texts/TextTable.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace quorvan;

namespace {

// Texts and names of one language, every name at its default.
struct LanguageSet {
    TextTable texts;
    NameTables names;

    explicit LanguageSet(bool english) {
        if (english)
            texts.loadEnglish();
        else
            texts.loadChinese();
        for (NameTable t : kAllNameTables)
            for (int i = 0; i < NameTables::usedCount(t); ++i)
                names.setStored(t, i, QString::fromUtf16(kDefaultNameMarker));
        names.computeDisplayNames(texts);
    }
};

struct Mask {
    std::uint32_t words[9] = {};
};

Mask zones(std::initializer_list<int> list) {
    Mask m;
    for (int z : list)
        setZoneBit(m.words, z, true);
    return m;
}

Mask power(std::initializer_list<int> list, bool keepPower = false) {
    Mask m;
    for (int p : list)
        setPowerBit(m.words, p, true);
    if (keepPower)
        m.words[0] |= kKeepPowerBit;
    return m;
}

} // namespace

TEST(EntryFormatTest, Weekdays) {
    const LanguageSet en(true);
    const LanguageSet zh(false);

    EXPECT_EQ(formatWeekdays(0x7F, en.texts), QStringLiteral("Sun,Mon,Tues,Wed,Thur,Fri,Sat"));
    EXPECT_EQ(formatWeekdays(0x5F, en.texts), QStringLiteral("Sun,Mon,Tues,Wed,Thur,Sat"));
    EXPECT_EQ(formatWeekdays(0x01, en.texts), QStringLiteral("Sun"));
    EXPECT_EQ(formatWeekdays(0x40, en.texts), QStringLiteral("Sat"));
    EXPECT_EQ(formatWeekdays(0x00, en.texts), QString());
    // Only bits 0..6 are days.
    EXPECT_EQ(formatWeekdays(0xFFFFFF80u, en.texts), QString());
    EXPECT_EQ(formatWeekdays(0x80000082u, en.texts), QStringLiteral("Mon"));

    EXPECT_EQ(formatWeekdays(0x01, zh.texts), QStringLiteral("日"));
    EXPECT_EQ(formatWeekdays(0x7F, zh.texts), QStringLiteral("日,一,二,三,四,五,六"));
}

TEST(EntryFormatTest, Time) {
    EXPECT_EQ(formatTime(8, 5, 9), QStringLiteral("08:05:09"));
    EXPECT_EQ(formatTime(0, 0, 0), QStringLiteral("00:00:00"));
    EXPECT_EQ(formatTime(23, 59, 59), QStringLiteral("23:59:59"));
    // An unset picker leaves 255, which is shown as the number, never as a negative value.
    EXPECT_EQ(formatTime(255, 255, 255), QStringLiteral("255:255:255"));
    EXPECT_EQ(formatTime(12, 255, 7), QStringLiteral("12:255:07"));
}

TEST(EntryFormatTest, SourcesInEnglish) {
    const LanguageSet en(true);
    auto bits = [](std::initializer_list<int> list) {
        std::uint32_t m = 0;
        for (int b : list)
            m |= 1u << b;
        return m;
    };

    EXPECT_EQ(formatSources(bits({0, 2, 26}), en.texts), QStringLiteral("LOCAL,DVD PLAYER1,Alarm Voice"));
    EXPECT_EQ(formatSources(bits({1}), en.texts), QStringLiteral("LOCAL FM"));
    EXPECT_EQ(formatSources(bits({9}), en.texts), QStringLiteral("DVD PLAYER8"));
    EXPECT_EQ(formatSources(bits({10, 12, 17}), en.texts), QStringLiteral("Ext. MP3-1,Ext. MP3-3,Ext. MP3-8"));
    EXPECT_EQ(formatSources(bits({18, 25}), en.texts), QStringLiteral("Ext Radio1,Ext Radio8"));
    // The last three come in falling bit order.
    EXPECT_EQ(formatSources(bits({26, 27, 28}), en.texts), QStringLiteral("REMOTE MIC,LOCAL MIC,Alarm Voice"));
    EXPECT_EQ(formatSources(0, en.texts), QString());
    EXPECT_EQ(formatSources(bits({29, 30, 31}), en.texts), QString());
    EXPECT_EQ(formatSources(bits({31, 28, 1}), en.texts), QStringLiteral("LOCAL FM,REMOTE MIC"));

    // Every source at once: host MP3 and FM, eight of each player kind, three inputs, in this order.
    const QStringList all = formatSources(0xFFFFFFFFu, en.texts).split(u',');
    ASSERT_EQ(all.size(), 29);
    EXPECT_EQ(all.at(0), QStringLiteral("LOCAL"));
    EXPECT_EQ(all.at(2), QStringLiteral("DVD PLAYER1"));
    EXPECT_EQ(all.at(10), QStringLiteral("Ext. MP3-1"));
    EXPECT_EQ(all.at(18), QStringLiteral("Ext Radio1"));
    EXPECT_EQ(all.at(25), QStringLiteral("Ext Radio8"));
    EXPECT_EQ(all.at(28), QStringLiteral("Alarm Voice"));
}

TEST(EntryFormatTest, SourcesInChinese) {
    const LanguageSet zh(false);
    const std::uint32_t mask = source::kHostMp3 | source::kHostFm | (1u << 3) | (1u << 11) | (1u << 19) |
                               source::kAlarmVoice | source::kLocalMic | source::kRemoteMic;
    EXPECT_EQ(formatSources(mask, zh.texts),
              QStringLiteral("主机MP3,主机收音机,外控DVD2,外控MP3-2,外控收音机2,远程MIC,本地MIC,警报输入"));
}

TEST(EntryFormatTest, Zones) {
    LanguageSet en(true);

    EXPECT_EQ(formatZones(zones({0, 8, 39}).words, en.names), QStringLiteral("LocalZone1,Ext.Zone1-1,Ext.Zone2-16"));
    // Group boundaries: zone 7 is the last local zone, 23 the last of the first extension group.
    EXPECT_EQ(formatZones(zones({7, 23, 24}).words, en.names), QStringLiteral("LocalZone8,Ext.Zone1-16,Ext.Zone2-1"));
    EXPECT_EQ(formatZones(Mask{}.words, en.names), QString());

    // Bits that name no zone: word 0 above bit 7, words 1 and 2 above bit 15, and every bit of words 3..8.
    Mask noZone;
    noZone.words[0] = 0xFFFFFF00u;
    noZone.words[1] = 0xFFFF0000u;
    noZone.words[2] = 0xFFFF0000u;
    for (int w = 3; w < 9; ++w)
        noZone.words[w] = 0xFFFFFFFFu;
    EXPECT_EQ(formatZones(noZone.words, en.names), QString());
    Mask mixed = noZone;
    setZoneBit(mixed.words, 1, true);
    EXPECT_EQ(formatZones(mixed.words, en.names), QStringLiteral("LocalZone2"));

    // Every zone: 40 names in order.
    Mask all;
    for (int z = 0; z < kZoneCount; ++z)
        setZoneBit(all.words, z, true);
    const QStringList names = formatZones(all.words, en.names).split(u',');
    ASSERT_EQ(names.size(), 40);
    EXPECT_EQ(names.at(8), QStringLiteral("Ext.Zone1-1"));
    EXPECT_EQ(names.at(39), QStringLiteral("Ext.Zone2-16"));

    // The user's names are shown as given; the others keep their defaults.
    en.names.setStored(NameTable::Zones, 0, QStringLiteral("大厅"));
    en.names.setStored(NameTable::Zones, 9, QStringLiteral("Hall B"));
    en.names.computeDisplayNames(en.texts);
    EXPECT_EQ(formatZones(zones({0, 1, 9}).words, en.names), QStringLiteral("大厅,LocalZone2,Hall B"));

    const LanguageSet zh(false);
    EXPECT_EQ(formatZones(zones({0, 8, 39}).words, zh.names), QStringLiteral("主机分区1,扩展分区1-1,扩展分区2-16"));
}

TEST(EntryFormatTest, Power) {
    LanguageSet en(true);

    Mask m;
    m.words[0] = 0x8001;
    EXPECT_EQ(formatPower(m.words, en.names, en.texts), QStringLiteral("LocalPower1,Keep Power"));
    EXPECT_EQ(formatPower(power({4}).words, en.names, en.texts), QStringLiteral("Syn.Power"));
    // Channel 5 is the first bit of word 1; channel 36 the last used bit of word 2.
    Mask ext;
    ext.words[1] = 0x0001;
    EXPECT_EQ(formatPower(ext.words, en.names, en.texts), QStringLiteral("Ext.Power1-1"));
    EXPECT_EQ(formatPower(power({3, 20, 21, 36}).words, en.names, en.texts),
              QStringLiteral("LocalPower4,Ext.Power1-16,Ext.Power2-1,Ext.Power2-16"));
    // Keep power comes after every channel, whatever its bit position.
    EXPECT_EQ(formatPower(power({36}, true).words, en.names, en.texts), QStringLiteral("Ext.Power2-16,Keep Power"));
    EXPECT_EQ(formatPower(Mask{}.words, en.names, en.texts), QString());

    // Bits that name no channel: word 0 bits 5..14 and above 15, words 1 and 2 above bit 15, words 3..8.
    Mask noChannel;
    noChannel.words[0] = ~(0x1Fu | kKeepPowerBit);
    noChannel.words[1] = 0xFFFF0000u;
    noChannel.words[2] = 0xFFFF0000u;
    for (int w = 3; w < 9; ++w)
        noChannel.words[w] = 0xFFFFFFFFu;
    EXPECT_EQ(formatPower(noChannel.words, en.names, en.texts), QString());

    en.names.setStored(NameTable::Power, 4, QStringLiteral("Amplifier rack"));
    en.names.computeDisplayNames(en.texts);
    EXPECT_EQ(formatPower(power({0, 4}).words, en.names, en.texts), QStringLiteral("LocalPower1,Amplifier rack"));

    const LanguageSet zh(false);
    EXPECT_EQ(formatPower(power({0, 4, 5}, true).words, zh.names, zh.texts),
              QStringLiteral("主机电源1,短路输出,外控电源1-1,结束保持电源"));
}

TEST(EntryFormatTest, formatZoneSummary) {
    LanguageSet en(true);

    // Each line is "name," with CR LF; only the very last character (the final LF) is dropped.
    EXPECT_EQ(formatZoneSummary(zones({0, 8}).words, en.names), QStringLiteral("LocalZone1,\r\nExt.Zone1-1,\r"));
    EXPECT_EQ(formatZoneSummary(zones({39}).words, en.names), QStringLiteral("Ext.Zone2-16,\r"));
    EXPECT_EQ(formatZoneSummary(Mask{}.words, en.names), QString());

    Mask noZone;
    noZone.words[0] = 0xFFFFFF00u;
    for (int w = 3; w < 9; ++w)
        noZone.words[w] = 0xFFFFFFFFu;
    EXPECT_EQ(formatZoneSummary(noZone.words, en.names), QString());

    const LanguageSet zh(false);
    EXPECT_EQ(formatZoneSummary(zones({1, 24}).words, zh.names), QStringLiteral("主机分区2,\r\n扩展分区2-1,\r"));
}

TEST(EntryFormatTest, formatPowerSummary) {
    const LanguageSet en(true);
    const LanguageSet zh(false);

    // The keep-power line is the same fixed word in both languages.
    Mask keep;
    keep.words[0] = kKeepPowerBit;
    EXPECT_EQ(formatPowerSummary(keep.words, en.names), QStringLiteral("保持电源\r"));
    EXPECT_EQ(formatPowerSummary(keep.words, zh.names), QStringLiteral("保持电源\r"));

    EXPECT_EQ(formatPowerSummary(power({0, 4, 36}, true).words, en.names),
              QStringLiteral("LocalPower1\r\nSyn.Power\r\nExt.Power2-16\r\n保持电源\r"));
    EXPECT_EQ(formatPowerSummary(power({5}).words, en.names), QStringLiteral("Ext.Power1-1\r"));
    EXPECT_EQ(formatPowerSummary(power({4}).words, zh.names), QStringLiteral("短路输出\r"));
    EXPECT_EQ(formatPowerSummary(Mask{}.words, en.names), QString());

    Mask noChannel;
    noChannel.words[0] = 0x7FE0u; // bits 5..14
    noChannel.words[2] = 0xFFFF0000u;
    noChannel.words[8] = 0xFFFFFFFFu;
    EXPECT_EQ(formatPowerSummary(noChannel.words, en.names), QString());
}
