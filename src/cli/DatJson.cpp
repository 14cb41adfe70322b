#include "cli/DatJson.h"

#include "core/schedule/ScheduleModel.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <cmath>
#include <cstring>

namespace quorvan::dat {

namespace {

// ---- writing ---------------------------------------------------------------------------------------------

void appendString(QByteArray& out, const char16_t* units, int length) {
    out += '"';
    for (int i = 0; i < length; ++i) {
        const char16_t c = units[i];
        const bool high = QChar::isHighSurrogate(c), low = QChar::isLowSurrogate(c);
        const bool paired = high && i + 1 < length && QChar::isLowSurrogate(units[i + 1]);
        if (c == u'"' || c == u'\\') {
            out += '\\';
            out += char(c);
        } else if (c < 0x20 || (high && !paired) || low) {
            // Control characters and unpaired surrogates are escaped so every UTF-16 unit survives the trip.
            out += QStringLiteral("\\u%1").arg(unsigned(c), 4, 16, QChar(u'0')).toLatin1();
        } else if (paired) {
            out += QString(reinterpret_cast<const QChar*>(units + i), 2).toUtf8();
            ++i;
        } else {
            out += QString(QChar(c)).toUtf8();
        }
    }
    out += '"';
}

class EntryWriter {
public:
    explicit EntryWriter(QByteArray& out) : m_out(out) {}
    void key(const char* name) {
        m_out += m_first ? "" : ", ";
        m_first = false;
        m_out += '"';
        m_out += name;
        m_out += "\": ";
    }
    void number(const char* name, std::uint64_t v) {
        key(name);
        m_out += QByteArray::number(qulonglong(v));
    }
    template <class T, std::size_t N> void numbers(const char* name, const T (&values)[N]) {
        key(name);
        m_out += '[';
        for (std::size_t i = 0; i < N; ++i) {
            m_out += i ? ", " : "";
            m_out += QByteArray::number(qulonglong(values[i]));
        }
        m_out += ']';
    }
    void tracks(const char* name, const TrackSetting (&values)[8]) {
        key(name);
        m_out += '[';
        for (int i = 0; i < 8; ++i) {
            m_out += i ? ", " : "";
            m_out += "{\"track\": " + QByteArray::number(values[i].track) +
                     ", \"repeatMode\": " + QByteArray::number(values[i].repeatMode) +
                     ", \"reserved\": " + QByteArray::number(values[i].reserved) + '}';
        }
        m_out += ']';
    }

private:
    QByteArray& m_out;
    bool m_first = true;
};

// ---- reading ---------------------------------------------------------------------------------------------

struct Failure {
    QString message;
};

class EntryReader {
public:
    EntryReader(const QJsonObject& object, int index) : m_object(object), m_index(index) {}

    QString where(const QString& field) const { return QStringLiteral("entries[%1].%2").arg(m_index).arg(field); }

    QJsonValue required(const char* name) const {
        const QString field = QString::fromLatin1(name);
        const auto it = m_object.constFind(field);
        if (it == m_object.constEnd())
            throw Failure{where(field) + QStringLiteral(": missing")};
        return *it;
    }

    static std::uint64_t integer(const QJsonValue& v, const QString& where, std::uint64_t max) {
        if (!v.isDouble())
            throw Failure{where + QStringLiteral(": expected an integer")};
        const double d = v.toDouble();
        if (d != std::floor(d))
            throw Failure{where + QStringLiteral(": expected an integer, got %1").arg(d)};
        if (d < 0 || d > double(max))
            throw Failure{where + QStringLiteral(": %1 is out of range 0..%2").arg(d, 0, 'f', 0).arg(max)};
        return std::uint64_t(d);
    }

    template <class T> T value(const char* name) const {
        return T(integer(required(name), where(QString::fromLatin1(name)), std::numeric_limits<T>::max()));
    }

    QJsonArray array(const char* name, int length) const {
        const QJsonValue v = required(name);
        if (!v.isArray())
            throw Failure{where(QString::fromLatin1(name)) + QStringLiteral(": expected an array")};
        const QJsonArray a = v.toArray();
        if (length >= 0 && a.size() != length)
            throw Failure{where(QString::fromLatin1(name)) +
                          QStringLiteral(": expected %1 items, got %2").arg(length).arg(a.size())};
        return a;
    }

    template <class T, std::size_t N> void values(const char* name, T (&out)[N]) const {
        const QJsonArray a = array(name, int(N));
        for (std::size_t i = 0; i < N; ++i)
            out[i] = T(integer(a[qsizetype(i)], where(QStringLiteral("%1[%2]").arg(QLatin1String(name)).arg(i)),
                               std::numeric_limits<T>::max()));
    }

    void tracks(const char* name, TrackSetting (&out)[8]) const {
        const QJsonArray a = array(name, 8);
        for (int i = 0; i < 8; ++i) {
            const QString base = QStringLiteral("%1[%2]").arg(QLatin1String(name)).arg(i);
            if (!a[i].isObject())
                throw Failure{where(base) + QStringLiteral(": expected an object")};
            const QJsonObject o = a[i].toObject();
            auto field = [&](const char* key, std::uint64_t max) {
                const auto it = o.constFind(QLatin1String(key));
                const QString path = where(base + u'.' + QLatin1String(key));
                if (it == o.constEnd())
                    throw Failure{path + QStringLiteral(": missing")};
                return integer(*it, path, max);
            };
            out[i].track = std::uint16_t(field("track", 0xFFFF));
            out[i].repeatMode = std::uint8_t(field("repeatMode", 0xFF));
            out[i].reserved = std::uint8_t(field("reserved", 0xFF));
        }
    }

private:
    const QJsonObject& m_object;
    int m_index;
};

void readEntry(const QJsonObject& o, int index, TimingEntry& e) {
    EntryReader r(o, index);
    e.used = 1;
    e.weekdays = r.value<std::uint32_t>("weekdays");
    e.startHour = r.value<std::uint8_t>("startHour");
    e.startMinute = r.value<std::uint8_t>("startMinute");
    e.startSecond = r.value<std::uint8_t>("startSecond");
    e.endHour = r.value<std::uint8_t>("endHour");
    e.endMinute = r.value<std::uint8_t>("endMinute");
    e.endSecond = r.value<std::uint8_t>("endSecond");
    r.values("powerMask", e.powerMask);
    r.values("zoneMask", e.zoneMask);
    e.sourceMask = r.value<std::uint32_t>("sourceMask");
    e.mp3PlayMode = r.value<std::uint8_t>("mp3PlayMode");
    e.mp3RepeatMode = r.value<std::uint8_t>("mp3RepeatMode");
    e.fmFrequency = r.value<std::uint16_t>("fmFrequency");
    r.tracks("dvdTracks", e.dvdTracks);
    r.tracks("extMp3Tracks", e.extMp3Tracks);
    r.values("extRadioPresets", e.extRadioPresets);
    const auto onCard =
        EntryReader::integer(r.required("playlistOnCard"), r.where(QStringLiteral("playlistOnCard")), 1);
    e.playlistOnCard = onCard != 0;

    const QJsonArray songs = r.array("playlist", -1);
    if (songs.size() > kMaxSongs)
        throw Failure{r.where(QStringLiteral("playlist")) +
                      QStringLiteral(": %1 songs, at most %2").arg(songs.size()).arg(kMaxSongs)};
    for (int j = 0; j < songs.size(); ++j) {
        const QString path = r.where(QStringLiteral("playlist[%1]").arg(j));
        if (!songs[j].isString())
            throw Failure{path + QStringLiteral(": expected a string")};
        const QString name = songs[j].toString();
        if (name.size() > kMaxSongNameUnits)
            throw Failure{path +
                          QStringLiteral(": %1 UTF-16 units, at most %2").arg(name.size()).arg(kMaxSongNameUnits)};
        if (name.contains(QChar(0)))
            throw Failure{path + QStringLiteral(": contains a NUL character")};
        e.playlist << name;
    }
}

} // namespace

QByteArray tableToJson(const ScheduleTable& table) {
    QByteArray out = "{\"entries\": [";
    const int count = std::min(table.count(), kMaxEntries);
    for (int i = 0; i < count; ++i) {
        const TimingEntry& e = table.entries[std::size_t(i)];
        out += i ? ",\n  {" : "\n  {";
        EntryWriter w(out);
        w.number("weekdays", e.weekdays);
        w.number("startHour", e.startHour);
        w.number("startMinute", e.startMinute);
        w.number("startSecond", e.startSecond);
        w.number("endHour", e.endHour);
        w.number("endMinute", e.endMinute);
        w.number("endSecond", e.endSecond);
        w.numbers("powerMask", e.powerMask);
        w.numbers("zoneMask", e.zoneMask);
        w.number("sourceMask", e.sourceMask);
        w.number("mp3PlayMode", e.mp3PlayMode);
        w.number("mp3RepeatMode", e.mp3RepeatMode);
        w.number("fmFrequency", e.fmFrequency);
        w.tracks("dvdTracks", e.dvdTracks);
        w.tracks("extMp3Tracks", e.extMp3Tracks);
        w.numbers("extRadioPresets", e.extRadioPresets);
        w.number("playlistOnCard", e.playlistOnCard ? 1 : 0);
        w.key("playlist");
        out += '[';
        for (qsizetype j = 0; j < e.playlist.size(); ++j) {
            out += j ? ", " : "";
            appendString(out, reinterpret_cast<const char16_t*>(e.playlist[j].utf16()), int(e.playlist[j].size()));
        }
        out += "]}";
    }
    out += count ? "\n]}\n" : "]}\n";
    return out;
}

bool tableFromJson(const QByteArray& json, ScheduleTable& table, QString& error) {
    clearTable(table);
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    try {
        if (parseError.error != QJsonParseError::NoError)
            throw Failure{
                QStringLiteral("invalid JSON at offset %1: %2").arg(parseError.offset).arg(parseError.errorString())};
        if (!doc.isObject())
            throw Failure{QStringLiteral("the document must be an object with the key \"entries\"")};
        const QJsonValue entries = doc.object().value(QStringLiteral("entries"));
        if (!entries.isArray())
            throw Failure{QStringLiteral("entries: missing or not an array")};
        const QJsonArray list = entries.toArray();
        if (list.size() > kMaxEntries)
            throw Failure{QStringLiteral("entries: %1 entries, at most %2").arg(list.size()).arg(kMaxEntries)};
        for (int i = 0; i < list.size(); ++i) {
            if (!list[i].isObject())
                throw Failure{QStringLiteral("entries[%1]: expected an object").arg(i)};
            TimingEntry entry;
            readEntry(list[i].toObject(), i, entry);
            table.entries.push_back(std::move(entry));
        }
        return true;
    } catch (const Failure& failure) {
        clearTable(table);
        error = failure.message;
        return false;
    }
}

} // namespace quorvan::dat
