#include "core/schedule/BulkChanges.h"

#include "core/texts/TextId.h"

#include <algorithm>

namespace quorvan {

namespace {

// Seconds after midnight, or -1 for fields that are no time of day.
int secondsOf(std::uint8_t hour, std::uint8_t minute, std::uint8_t second) {
    if (hour > 23 || minute > 59 || second > 59)
        return -1;
    return hour * 3600 + minute * 60 + second;
}

void setTime(int seconds, std::uint8_t& hour, std::uint8_t& minute, std::uint8_t& second) {
    hour = std::uint8_t(seconds / 3600);
    minute = std::uint8_t(seconds / 60 % 60);
    second = std::uint8_t(seconds % 60);
}

// "08:05:00"; hours past 23 as they come ("24:10:00").
QString clockText(int seconds) {
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QChar(u'0'))
        .arg(seconds / 60 % 60, 2, 10, QChar(u'0'))
        .arg(seconds % 60, 2, 10, QChar(u'0'));
}

bool inDay(int seconds) {
    return seconds >= 0 && seconds < kSecondsPerDay;
}

} // namespace

QList<int> shiftEntries(std::vector<TimingEntry>& entries, const QList<int>& which, int seconds) {
    QList<int> refused;
    for (const int i : which) {
        if (i < 0 || std::size_t(i) >= entries.size()) {
            refused << i;
            continue;
        }
        const TimingEntry& e = entries[std::size_t(i)];
        const int start = secondsOf(e.startHour, e.startMinute, e.startSecond);
        const int end = secondsOf(e.endHour, e.endMinute, e.endSecond);
        if (start < 0 || end < 0 || !inDay(start + seconds) || !inDay(end + seconds))
            refused << i;
    }
    if (!refused.isEmpty())
        return refused;
    for (const int i : which) {
        TimingEntry& e = entries[std::size_t(i)];
        setTime(secondsOf(e.startHour, e.startMinute, e.startSecond) + seconds, e.startHour, e.startMinute,
                e.startSecond);
        setTime(secondsOf(e.endHour, e.endMinute, e.endSecond) + seconds, e.endHour, e.endMinute, e.endSecond);
    }
    return refused;
}

QString offsetText(int seconds) {
    const int s = std::abs(seconds);
    return QStringLiteral("%1%2:%3:%4")
        .arg(seconds < 0 ? QStringLiteral("-") : QStringLiteral("+"))
        .arg(s / 3600)
        .arg(s / 60 % 60, 2, 10, QChar(u'0'))
        .arg(s % 60, 2, 10, QChar(u'0'));
}

namespace {

bool applyBits(BulkChange::Bits how, bool now, bool chosen) {
    switch (how) {
    case BulkChange::Bits::Set:
        return chosen;
    case BulkChange::Bits::Add:
        return now || chosen;
    case BulkChange::Bits::Remove:
        return now && !chosen;
    case BulkChange::Bits::Keep:
        break;
    }
    return now;
}

} // namespace

ChangeResult changeEntries(std::vector<TimingEntry>& entries, const QList<int>& which, const BulkChange& c) {
    std::vector<TimingEntry> changed = entries;
    ChangeResult result;
    for (const int i : which) {
        if (i < 0 || std::size_t(i) >= entries.size())
            continue;
        TimingEntry& e = changed[std::size_t(i)];
        for (int d = 0; d < 7; ++d) {
            const bool on = applyBits(c.weekdays, (e.weekdays >> d) & 1u, (c.weekdayBits >> d) & 1u);
            e.weekdays = on ? (e.weekdays | (1u << d)) : (e.weekdays & ~(1u << d));
        }
        for (int z = 0; z < kZoneCount; ++z)
            setZoneBit(e.zoneMask, z, applyBits(c.zones, zoneBit(e.zoneMask, z), zoneBit(c.zoneMask, z)));
        for (int p = 0; p < kPowerChannelCount; ++p)
            setPowerBit(e.powerMask, p, applyBits(c.power, powerBit(e.powerMask, p), powerBit(c.powerMask, p)));
        if (c.keepPower != BulkChange::Flag::Keep)
            e.powerMask[0] = c.keepPower == BulkChange::Flag::On ? (e.powerMask[0] | kKeepPowerBit)
                                                                 : (e.powerMask[0] & ~kKeepPowerBit);
        if (c.playMode >= 0)
            e.mp3PlayMode = std::uint8_t(c.playMode);
        if (c.repeatMode >= 0)
            e.mp3RepeatMode = std::uint8_t(c.repeatMode);
        if (e.sourceMask & source::kHostMp3) {
            if (!c.replaceSong.isEmpty())
                std::replace(e.playlist.begin(), e.playlist.end(), c.replaceSong, c.bySong);
            e.playlist << c.addSongs;
            if (!c.removeSong.isEmpty())
                e.playlist.removeAll(c.removeSong);
            if (e.playlist.size() > kMaxSongs)
                return {0, {TextId::ChangeTooManySongs, {QString::number(i + 1), QString::number(kMaxSongs)}}};
            if (e.playlist.isEmpty())
                e.sourceMask &= ~source::kHostMp3;
        }
        if (!(e == entries[std::size_t(i)]))
            ++result.changed;
    }
    if (result.changed == 0)
        return {0, {TextId::ChangeNothing, {}}};
    entries = std::move(changed);
    return result;
}

std::vector<int> bellTimes(const BellPattern& p) {
    std::vector<int> times;
    int start = p.firstStart;
    for (int k = 0; k < p.lessons; ++k) {
        if (k > 0) {
            const int gap = p.breakMinutes.isEmpty() ? 0 : p.breakMinutes.value(k - 1, p.breakMinutes.last());
            start += (p.lessonMinutes + gap) * 60;
        }
        if (p.at != BellPattern::At::End)
            times.push_back(start);
        if (p.at != BellPattern::At::Start)
            times.push_back(start + p.lessonMinutes * 60);
    }
    std::sort(times.begin(), times.end());
    times.erase(std::unique(times.begin(), times.end()), times.end());
    return times;
}

BellsResult makeBells(const BellPattern& p, int existing) {
    BellsResult result;
    if (p.songs.isEmpty())
        return {{}, {TextId::BellsNoSong, {}}};
    if (p.songs.size() > kMaxSongs)
        return {{}, {TextId::BellsTooManySongs, {QString::number(kMaxSongs)}}};
    if ((p.weekdays & 0x7F) == 0)
        return {{}, {TextId::BellsNoWeekday, {}}};
    if (p.lessons < 1 || p.lessonMinutes < 1 || p.ringSeconds < 1)
        return {{}, {TextId::BellsNoLesson, {}}};
    const std::vector<int> times = bellTimes(p);
    for (const int t : times)
        if (t + p.ringSeconds >= kSecondsPerDay)
            return {{}, {TextId::BellsPastMidnight, {clockText(t)}}};
    if (existing + int(times.size()) > kMaxEntries)
        return {{},
                {TextId::BellsTooMany,
                 {QString::number(times.size()), QString::number(existing), QString::number(kMaxEntries)}}};
    for (const int t : times) {
        TimingEntry e;
        e.used = true;
        e.weekdays = p.weekdays & 0x7F;
        setTime(t, e.startHour, e.startMinute, e.startSecond);
        setTime(t + p.ringSeconds, e.endHour, e.endMinute, e.endSecond);
        std::copy(std::begin(p.zoneMask), std::end(p.zoneMask), e.zoneMask);
        std::copy(std::begin(p.powerMask), std::end(p.powerMask), e.powerMask);
        e.sourceMask = source::kHostMp3;
        e.playlist = p.songs;
        e.playlistOnCard = p.onCard;
        result.entries.push_back(std::move(e));
    }
    return result;
}

} // namespace quorvan
