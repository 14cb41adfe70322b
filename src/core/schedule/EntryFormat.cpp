#include "core/schedule/EntryFormat.h"

#include "core/files/ScheduleTypes.h"
#include "core/settings/NameTables.h"
#include "core/texts/TextTable.h"

#include <QStringList>

namespace quorvan {

namespace {

QString joined(const QStringList& items) {
    return items.join(u',');
}

// Removes the final character (the last line feed) of a summary text.
QString dropLastChar(QString text) {
    if (!text.isEmpty())
        text.chop(1);
    return text;
}

} // namespace

QString formatWeekdays(std::uint32_t weekdays, const TextTable& texts) {
    // Bit 0 is Sunday; bits 1..6 are Monday..Saturday.
    QStringList items;
    for (int bit = 0; bit < 7; ++bit)
        if (weekdays & (1u << bit))
            items << texts.text(bit == 0 ? TextId::ListSunday : TextId::ListMonday + bit - 1);
    return joined(items);
}

QString formatTime(std::uint8_t hour, std::uint8_t minute, std::uint8_t second) {
    return QStringLiteral("%1:%2:%3")
        .arg(unsigned(hour), 2, 10, QChar(u'0'))
        .arg(unsigned(minute), 2, 10, QChar(u'0'))
        .arg(unsigned(second), 2, 10, QChar(u'0'));
}

QString formatSources(std::uint32_t mask, const TextTable& texts) {
    QStringList items;
    if (mask & source::kHostMp3)
        items << texts.text(TextId::SourceLocal);
    if (mask & source::kHostFm)
        items << texts.text(TextId::SourceLocalFm);
    for (int k = 0; k < 8; ++k)
        if (mask & (1u << (source::kFirstDvdBit + k)))
            items << texts.text(TextId::SourceDvdPlayer) + QString::number(k + 1);
    for (int k = 0; k < 8; ++k)
        if (mask & (1u << (source::kFirstExtMp3Bit + k)))
            items << texts.text(TextId::ExtMp3) + u'-' + QString::number(k + 1);
    for (int k = 0; k < 8; ++k)
        if (mask & (1u << (source::kFirstExtRadioBit + k)))
            items << texts.text(TextId::SourceExtRadio) + QString::number(k + 1);
    if (mask & source::kRemoteMic)
        items << texts.text(TextId::SourceRemoteMic);
    if (mask & source::kLocalMic)
        items << texts.text(TextId::SourceLocalMic);
    if (mask & source::kAlarmVoice)
        items << texts.text(TextId::SourceAlarmVoice);
    return joined(items);
}

QString formatZones(const std::uint32_t (&zoneMask)[9], const NameTables& names) {
    QStringList items;
    for (int z = 0; z < kZoneCount; ++z)
        if (zoneBit(zoneMask, z))
            items << names.display(NameTable::Zones, z);
    return joined(items);
}

QString formatPower(const std::uint32_t (&powerMask)[9], const NameTables& names, const TextTable& texts) {
    QStringList items;
    for (int p = 0; p < kPowerChannelCount; ++p)
        if (powerBit(powerMask, p))
            items << names.display(NameTable::Power, p);
    if (powerMask[0] & kKeepPowerBit)
        items << texts.text(TextId::KeepPower);
    return joined(items);
}

QString formatZoneSummary(const std::uint32_t (&zoneMask)[9], const NameTables& names) {
    QString text;
    for (int z = 0; z < kZoneCount; ++z)
        if (zoneBit(zoneMask, z))
            text += names.display(NameTable::Zones, z) + QStringLiteral(",\r\n");
    return dropLastChar(text);
}

QString formatPowerSummary(const std::uint32_t (&powerMask)[9], const NameTables& names) {
    QString text;
    for (int p = 0; p < kPowerChannelCount; ++p)
        if (powerBit(powerMask, p))
            text += names.display(NameTable::Power, p) + QStringLiteral("\r\n");
    // The keep-power line is a fixed word in both languages.
    if (powerMask[0] & kKeepPowerBit)
        text += QStringLiteral("保持电源\r\n");
    return dropLastChar(text);
}

} // namespace quorvan
