#include "core/schedule/ScheduleCsv.h"

#include "core/files/ScheduleFile.h"
#include "core/files/ScheduleFileCheck.h"
#include "core/schedule/CsvText.h"
#include "core/texts/TextId.h"
#include "core/texts/TextTable.h"

#include <QRegularExpression>

#include <algorithm>
#include <functional>
#include <optional>

namespace quorvan {

namespace {

enum Column {
    Number,
    Days,
    Start,
    End,
    Zones,
    Power,
    KeepPower,
    Sources,
    PlayMode,
    RepeatMode,
    Fm,
    Dvd,
    ExtMp3,
    Radio,
    SongsOn,
    Songs,
    OtherBits,
    ColumnCount
};

const char* const kColumnNames[ColumnCount] = {"Number",    "Days",    "Start",    "End",        "Zones",    "Power",
                                               "KeepPower", "Sources", "PlayMode", "RepeatMode", "FM",       "DVD",
                                               "ExtMP3",    "Radio",   "SongsOn",  "Songs",      "OtherBits"};

QString columnName(int column) {
    return QString::fromLatin1(kColumnNames[column]);
}

const char* const kDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr int kZoneNumbers = 136;  // zone bits the masks can hold
constexpr int kPowerNumbers = 133; // power channel bits the masks can hold
constexpr int kNamedSourceBits = 29;

QString sourceName(int bit) {
    if (bit == 0)
        return QStringLiteral("LocalMP3");
    if (bit == 1)
        return QStringLiteral("LocalFM");
    if (bit < source::kFirstExtMp3Bit)
        return QStringLiteral("DVD%1").arg(bit - source::kFirstDvdBit + 1);
    if (bit < source::kFirstExtRadioBit)
        return QStringLiteral("ExtMP3-%1").arg(bit - source::kFirstExtMp3Bit + 1);
    if (bit < 26)
        return QStringLiteral("Radio%1").arg(bit - source::kFirstExtRadioBit + 1);
    static const char* const last[] = {"Alarm", "LocalMic", "RemoteMic"};
    return QString::fromLatin1(last[bit - 26]);
}

// The bits of a mask that the numbered column does not show: the zones (or channels) in the low bits of the first
// word and the low half of the others; keep power is its own column.
constexpr std::uint32_t kZoneWord0 = 0xFFu, kPowerWord0 = 0x1Fu | kKeepPowerBit, kLowHalf = 0xFFFFu;

QString rangesText(const QList<int>& numbers) {
    QStringList parts;
    for (qsizetype i = 0; i < numbers.size();) {
        qsizetype j = i;
        while (j + 1 < numbers.size() && numbers[j + 1] == numbers[j] + 1)
            ++j;
        if (j - i >= 2)
            parts << QStringLiteral("%1-%2").arg(numbers[i]).arg(numbers[j]);
        else
            for (qsizetype k = i; k <= j; ++k)
                parts << QString::number(numbers[k]);
        i = j + 1;
    }
    return parts.join(u' ');
}

QString timeText(int h, int m, int s) {
    return QStringLiteral("%1:%2:%3").arg(h, 2, 10, QChar(u'0')).arg(m, 2, 10, QChar(u'0')).arg(s, 2, 10, QChar(u'0'));
}

QString tracksText(const TrackSetting (&tracks)[8]) {
    QStringList parts;
    for (int k = 0; k < 8; ++k) {
        if (tracks[k].track == 0 && tracks[k].repeatMode == 0)
            continue;
        QString part = QStringLiteral("%1=%2").arg(k + 1).arg(tracks[k].track);
        if (tracks[k].repeatMode != 0)
            part += QStringLiteral("/%1").arg(tracks[k].repeatMode);
        parts << part;
    }
    return parts.join(u' ');
}

QString hex(std::uint32_t value) {
    return QStringLiteral("0x") + QString::number(value, 16).toUpper();
}

QStringList entryCells(int index, const TimingEntry& e) {
    QStringList cells(ColumnCount);
    cells[Number] = QString::number(index + 1);
    QStringList days;
    for (int d = 0; d < 7; ++d)
        if (e.weekdays & (1u << d))
            days << QString::fromLatin1(kDayNames[d]);
    cells[Days] = days.join(u' ');
    cells[Start] = timeText(e.startHour, e.startMinute, e.startSecond);
    cells[End] = timeText(e.endHour, e.endMinute, e.endSecond);
    QList<int> zones, power;
    for (int z = 0; z < kZoneNumbers; ++z)
        if (zoneBit(e.zoneMask, z))
            zones << z + 1;
    for (int p = 0; p < kPowerNumbers; ++p)
        if (powerBit(e.powerMask, p))
            power << p + 1;
    cells[Zones] = rangesText(zones);
    cells[Power] = rangesText(power);
    cells[KeepPower] = (e.powerMask[0] & kKeepPowerBit) ? QStringLiteral("yes") : QString();
    QStringList sources;
    for (int bit = 0; bit < kNamedSourceBits; ++bit)
        if (e.sourceMask & (1u << bit))
            sources << sourceName(bit);
    cells[Sources] = sources.join(u' ');
    cells[PlayMode] = e.mp3PlayMode == 0   ? QStringLiteral("Order")
                      : e.mp3PlayMode == 1 ? QStringLiteral("Random")
                                           : QString::number(e.mp3PlayMode);
    cells[RepeatMode] = e.mp3RepeatMode == 0   ? QStringLiteral("Once")
                        : e.mp3RepeatMode == 1 ? QStringLiteral("All")
                                               : QString::number(e.mp3RepeatMode);
    if (e.fmFrequency != 0)
        cells[Fm] = QStringLiteral("%1.%2").arg(e.fmFrequency / 100).arg(e.fmFrequency % 100, 2, 10, QChar(u'0'));
    cells[Dvd] = tracksText(e.dvdTracks);
    cells[ExtMp3] = tracksText(e.extMp3Tracks);
    QStringList radio;
    for (int k = 0; k < 8; ++k)
        if (e.extRadioPresets[k] != 0)
            radio << QStringLiteral("%1=%2").arg(k + 1).arg(e.extRadioPresets[k]);
    cells[Radio] = radio.join(u' ');
    if (!e.playlist.isEmpty())
        cells[SongsOn] = e.playlistOnCard ? QStringLiteral("card") : QStringLiteral("internal");
    cells[Songs] = e.playlist.join(u'\n');

    QStringList other;
    const auto add = [&other](const QString& name, std::uint32_t bits) {
        if (bits)
            other << name + u'=' + hex(bits);
    };
    add(QStringLiteral("weekdays"), e.weekdays & ~0x7Fu);
    for (int w = 0; w < 9; ++w) {
        add(QStringLiteral("zoneMask[%1]").arg(w), e.zoneMask[w] & ~(w == 0 ? kZoneWord0 : kLowHalf));
        add(QStringLiteral("powerMask[%1]").arg(w), e.powerMask[w] & ~(w == 0 ? kPowerWord0 : kLowHalf));
    }
    add(QStringLiteral("sourceMask"), e.sourceMask & ~((1u << kNamedSourceBits) - 1));
    for (int k = 0; k < 8; ++k) {
        add(QStringLiteral("dvdTracks[%1].reserved").arg(k), e.dvdTracks[k].reserved);
        add(QStringLiteral("extMp3Tracks[%1].reserved").arg(k), e.extMp3Tracks[k].reserved);
    }
    cells[OtherBits] = other.join(u' ');
    return cells;
}

// ---- reading ---------------------------------------------------------------------------------------------

struct Refusal {
    int text;
    QStringList args;
};

QStringList tokens(const QString& cell) {
    static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
    return cell.split(separators, Qt::SkipEmptyParts);
}

std::optional<Refusal> readDays(const QString& cell, std::uint32_t& weekdays) {
    for (const QString& token : tokens(cell)) {
        int day = -1;
        for (int d = 0; d < 7; ++d)
            if (token.compare(QLatin1String(kDayNames[d]), Qt::CaseInsensitive) == 0)
                day = d;
        if (day < 0)
            return Refusal{TextId::CsvNotADay, {token}};
        weekdays |= 1u << day;
    }
    return std::nullopt;
}

std::optional<Refusal> readTime(const QString& cell, std::uint8_t& h, std::uint8_t& m, std::uint8_t& s) {
    static const QRegularExpression time(
        QStringLiteral("^\\s*(\\d{1,2}):(\\d{2})(?::(\\d{2}))?\\s*([AaPp][Mm])?\\s*$"));
    const QRegularExpressionMatch match = time.match(cell);
    if (!match.hasMatch())
        return Refusal{TextId::CsvNotATime, {cell}};
    int hour = match.captured(1).toInt();
    const int minute = match.captured(2).toInt(), second = match.captured(3).toInt();
    const QString half = match.captured(4).toUpper();
    if (!half.isEmpty()) {
        if (hour < 1 || hour > 12)
            return Refusal{TextId::CsvNotATime, {cell}};
        hour = hour % 12 + (half == QStringLiteral("PM") ? 12 : 0);
    }
    if (hour > 23 || minute > 59 || second > 59)
        return Refusal{TextId::CsvNotATime, {cell}};
    h = std::uint8_t(hour);
    m = std::uint8_t(minute);
    s = std::uint8_t(second);
    return std::nullopt;
}

std::optional<Refusal> readNumbers(const QString& cell, int most, const std::function<void(int)>& set) {
    static const QRegularExpression item(QStringLiteral("^(\\d{1,4})(?:-(\\d{1,4}))?$"));
    for (const QString& token : tokens(cell)) {
        const QRegularExpressionMatch match = item.match(token);
        const int first = match.captured(1).toInt();
        const int last = match.captured(2).isEmpty() ? first : match.captured(2).toInt();
        if (!match.hasMatch() || first < 1 || last > most || first > last)
            return Refusal{TextId::CsvNotNumbers, {token, QString::number(most)}};
        for (int n = first; n <= last; ++n)
            set(n - 1);
    }
    return std::nullopt;
}

std::optional<Refusal> readChoice(const QString& cell, const QStringList& words, std::uint8_t& value) {
    const QString text = cell.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    for (int i = 0; i < words.size(); ++i) {
        if (text.compare(words[i], Qt::CaseInsensitive) == 0) {
            value = std::uint8_t(i);
            return std::nullopt;
        }
    }
    bool number = false;
    const uint n = text.toUInt(&number);
    if (number && n <= 255) {
        value = std::uint8_t(n);
        return std::nullopt;
    }
    return Refusal{TextId::CsvNotAMode, {cell, words.join(QStringLiteral(", "))}};
}

std::optional<Refusal> readFrequency(const QString& cell, std::uint16_t& value) {
    static const QRegularExpression mhz(QStringLiteral("^\\s*(\\d{1,3})(?:[.,](\\d{1,2}))?\\s*$"));
    if (cell.trimmed().isEmpty())
        return std::nullopt;
    const QRegularExpressionMatch match = mhz.match(cell);
    const int hundredths = match.captured(1).toInt() * 100 + match.captured(2).leftJustified(2, u'0').toInt();
    if (!match.hasMatch() || hundredths > 0xFFFF)
        return Refusal{TextId::CsvNotAFrequency, {cell}};
    value = std::uint16_t(hundredths);
    return std::nullopt;
}

// PLAYER=VALUE[/REPEAT] items; set(player, value, repeat) for each; withRepeat false refuses a repeat.
std::optional<Refusal> readPlayers(const QString& cell, bool withRepeat,
                                   const std::function<void(int, std::uint16_t, std::uint8_t)>& set) {
    static const QRegularExpression item(QStringLiteral("^([1-8])=(\\d{1,5})(?:/(\\d{1,3}))?$"));
    bool seen[8] = {};
    for (const QString& token : tokens(cell)) {
        const QRegularExpressionMatch match = item.match(token);
        const int player = match.captured(1).toInt();
        const uint value = match.captured(2).toUInt();
        const uint repeat = match.captured(3).toUInt();
        if (!match.hasMatch() || value > 0xFFFF || repeat > 0xFF || (!withRepeat && match.hasCaptured(3)) ||
            seen[player - 1])
            return Refusal{TextId::CsvNotTracks, {token}};
        seen[player - 1] = true;
        set(player - 1, std::uint16_t(value), std::uint8_t(repeat));
    }
    return std::nullopt;
}

std::optional<Refusal> readOtherBits(const QString& cell, TimingEntry& e) {
    static const QRegularExpression item(
        QStringLiteral("^([A-Za-z0-9]+)(?:\\[([0-8])\\])?(\\.reserved)?=(0[xX][0-9A-Fa-f]{1,8}|\\d{1,10})$"));
    for (const QString& token : tokens(cell)) {
        const QRegularExpressionMatch match = item.match(token);
        if (!match.hasMatch())
            return Refusal{TextId::CsvNotOtherBits, {token}};
        const QString name = match.captured(1);
        const bool indexed = match.hasCaptured(2), reserved = match.hasCaptured(3);
        const int index = match.captured(2).toInt();
        bool number = false;
        const QString valueText = match.captured(4);
        const qulonglong value = valueText.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive)
                                     ? valueText.mid(2).toULongLong(&number, 16)
                                     : valueText.toULongLong(&number, 10);
        const auto is = [&](const char* key) { return name.compare(QLatin1String(key), Qt::CaseInsensitive) == 0; };
        const bool fits32 = number && value <= 0xFFFFFFFFull, fits8 = number && value <= 0xFF;
        if (!indexed && !reserved && is("weekdays") && fits32)
            e.weekdays |= std::uint32_t(value);
        else if (!indexed && !reserved && is("sourceMask") && fits32)
            e.sourceMask |= std::uint32_t(value);
        else if (indexed && !reserved && is("zoneMask") && fits32)
            e.zoneMask[index] |= std::uint32_t(value);
        else if (indexed && !reserved && is("powerMask") && fits32)
            e.powerMask[index] |= std::uint32_t(value);
        else if (indexed && reserved && index < 8 && is("dvdTracks") && fits8)
            e.dvdTracks[index].reserved = std::uint8_t(value);
        else if (indexed && reserved && index < 8 && is("extMp3Tracks") && fits8)
            e.extMp3Tracks[index].reserved = std::uint8_t(value);
        else
            return Refusal{TextId::CsvNotOtherBits, {token}};
    }
    return std::nullopt;
}

// The column of the file checks' field names.
int columnOfField(const QString& field) {
    static const std::pair<const char*, Column> prefixes[] = {
        {"start", Start},    {"end", End},       {"mp3PlayMode", PlayMode}, {"mp3RepeatMode", RepeatMode},
        {"fmFrequency", Fm}, {"dvdTracks", Dvd}, {"extMp3Tracks", ExtMp3},  {"extRadioPresets", Radio},
        {"playlist", Songs}};
    for (const auto& [prefix, column] : prefixes)
        if (field.startsWith(QLatin1String(prefix)))
            return column;
    return -1;
}

class CsvReader {
public:
    CsvReader(const QByteArray& bytes, int capacity) : m_bytes(bytes), m_capacity(capacity) {}

    CsvImport run() {
        const CsvRecords csv = parseCsv(m_bytes);
        if (!csv.validUtf8) {
            problem(0, -1, {TextId::CsvNotUtf8, {}});
            return finish();
        }
        if (csv.records.isEmpty() || (csv.records.size() == 1 && csv.records[0].join(QString()).trimmed().isEmpty())) {
            problem(1, -1, {TextId::CsvNoHeader, {}});
            return finish();
        }
        if (!readHeader(csv.records[0]))
            return finish();
        for (qsizetype r = 1; r < csv.records.size(); ++r) {
            const QStringList& record = csv.records[r];
            const int row = int(r) + 1;
            if (record.join(QString()).trimmed().isEmpty() && csv.unclosedQuote != int(r))
                continue; // a blank line (a spreadsheet may leave one at the end)
            if (int(m_out.table.entries.size()) == m_capacity) {
                problem(row, -1, {TextId::CsvTooManyRows, {QString::number(m_capacity)}});
                break;
            }
            if (csv.unclosedQuote == int(r)) {
                problem(row, -1, {TextId::CsvUnclosedQuote, {}});
                break;
            }
            readRow(record, row);
        }
        checkRanges();
        return finish();
    }

private:
    bool readHeader(const QStringList& header) {
        m_where.fill(-1, ColumnCount);
        for (qsizetype c = 0; c < header.size(); ++c) {
            const QString name = csvCellText(header[c]).trimmed();
            if (name.isEmpty() && c == header.size() - 1)
                continue; // a trailing separator
            int column = -1;
            for (int k = 0; k < ColumnCount; ++k)
                if (name.compare(columnName(k), Qt::CaseInsensitive) == 0)
                    column = k;
            if (column < 0) {
                problem(1, -1, {TextId::CsvUnknownColumn, {scheduleCsvColumns().join(u' ')}}, name);
                continue;
            }
            if (m_where[column] >= 0) {
                problem(1, column, {TextId::CsvDuplicateColumn, {}});
                continue;
            }
            m_where[column] = int(c);
        }
        m_cells = int(header.size());
        for (const int required : {Days, Start, End, Zones, Sources})
            if (m_where[required] < 0)
                problem(1, required, {TextId::CsvMissingColumn, {}});
        return m_out.problems.empty();
    }

    void readRow(const QStringList& record, int row) {
        for (qsizetype c = m_cells; c < record.size(); ++c) {
            if (!record[c].trimmed().isEmpty()) {
                problem(row, -1, {TextId::CsvExtraCells, {}});
                return;
            }
        }
        const auto cell = [&](int column) {
            const int at = m_where[column];
            return at >= 0 && at < record.size() ? csvCellText(record[at]) : QString();
        };
        TimingEntry e;
        e.used = true;
        const auto take = [&](int column, std::optional<Refusal> refusal) {
            if (refusal)
                problem(row, column, {refusal->text, refusal->args});
        };
        take(Days, readDays(cell(Days), e.weekdays));
        take(Start, readTime(cell(Start), e.startHour, e.startMinute, e.startSecond));
        take(End, readTime(cell(End), e.endHour, e.endMinute, e.endSecond));
        take(Zones, readNumbers(cell(Zones), kZoneNumbers, [&](int z) { setZoneBit(e.zoneMask, z, true); }));
        take(Power, readNumbers(cell(Power), kPowerNumbers, [&](int p) { setPowerBit(e.powerMask, p, true); }));
        const QString keep = cell(KeepPower).trimmed().toLower();
        if (keep == QStringLiteral("yes") || keep == QStringLiteral("true") || keep == QStringLiteral("1"))
            e.powerMask[0] |= kKeepPowerBit;
        else if (!keep.isEmpty() && keep != QStringLiteral("no") && keep != QStringLiteral("false") &&
                 keep != QStringLiteral("0"))
            take(KeepPower, Refusal{TextId::CsvNotYesNo, {cell(KeepPower)}});
        for (const QString& token : tokens(cell(Sources))) {
            int bit = -1;
            for (int b = 0; b < kNamedSourceBits; ++b)
                if (token.compare(sourceName(b), Qt::CaseInsensitive) == 0)
                    bit = b;
            if (bit < 0) {
                take(Sources, Refusal{TextId::CsvNotASource,
                                      {token, QStringLiteral("LocalMP3 LocalFM DVD1 ExtMP3-1 "
                                                             "Radio1 Alarm LocalMic RemoteMic")}});
                break;
            }
            e.sourceMask |= 1u << bit;
        }
        take(PlayMode, readChoice(cell(PlayMode), {QStringLiteral("Order"), QStringLiteral("Random")}, e.mp3PlayMode));
        take(RepeatMode,
             readChoice(cell(RepeatMode), {QStringLiteral("Once"), QStringLiteral("All")}, e.mp3RepeatMode));
        take(Fm, readFrequency(cell(Fm), e.fmFrequency));
        take(Dvd, readPlayers(cell(Dvd), true, [&](int k, std::uint16_t track, std::uint8_t repeat) {
                 e.dvdTracks[k].track = track;
                 e.dvdTracks[k].repeatMode = repeat;
             }));
        take(ExtMp3, readPlayers(cell(ExtMp3), true, [&](int k, std::uint16_t track, std::uint8_t repeat) {
                 e.extMp3Tracks[k].track = track;
                 e.extMp3Tracks[k].repeatMode = repeat;
             }));
        take(Radio, readPlayers(cell(Radio), false,
                                [&](int k, std::uint16_t preset, std::uint8_t) { e.extRadioPresets[k] = preset; }));
        readSongs(cell(Songs), cell(SongsOn), row, e);
        take(OtherBits, readOtherBits(cell(OtherBits), e));
        m_rows.push_back(row);
        m_out.table.entries.push_back(std::move(e));
    }

    void readSongs(const QString& songs, const QString& storage, int row, TimingEntry& e) {
        for (QString name : songs.split(u'\n')) {
            if (name.endsWith(u'\r'))
                name.chop(1);
            if (name.isEmpty())
                continue;
            if (name.size() > kMaxSongNameUnits) {
                problem(row, Songs,
                        {TextId::CsvNameTooLong,
                         {name.left(40) + QStringLiteral("…"), QString::number(name.size()),
                          QString::number(kMaxSongNameUnits)}});
                return;
            }
            if (name.contains(QChar(0))) {
                problem(row, Songs, {TextId::CsvNameHasNul, {}});
                return;
            }
            e.playlist << name;
        }
        if (e.playlist.size() > kMaxSongs)
            problem(row, Songs,
                    {TextId::CsvTooManySongs, {QString::number(e.playlist.size()), QString::number(kMaxSongs)}});
        const QString where = storage.trimmed();
        if (where.isEmpty() || where.compare(QStringLiteral("card"), Qt::CaseInsensitive) == 0)
            e.playlistOnCard = !e.playlist.isEmpty();
        else if (where.compare(QStringLiteral("internal"), Qt::CaseInsensitive) == 0)
            e.playlistOnCard = false;
        else
            problem(row, SongsOn, {TextId::CsvNotStorage, {storage}});
    }

    // What the controller's file checks refuse (a minute of 75, a DVD track above 99, an FM frequency off its
    // band), each at its row and column.
    void checkRanges() {
        if (!m_out.problems.empty() || m_out.table.entries.empty())
            return;
        const QByteArray bytes = serializeTable(m_out.table);
        for (const FileProblem& p : checkScheduleBytes(bytes.constData(), bytes.size())) {
            const int row = p.entry >= 0 && p.entry < int(m_rows.size()) ? m_rows[std::size_t(p.entry)] : 0;
            problem(row, columnOfField(p.field), {TextId::CsvOutOfRange, {p.field + QStringLiteral(" ") + p.message}});
        }
    }

    void problem(int row, int column, Problem what, const QString& columnText = {}) {
        m_out.problems.push_back({row, column >= 0 ? columnName(column) : columnText, std::move(what)});
    }

    CsvImport finish() {
        if (!m_out.problems.empty())
            m_out.table.entries.clear();
        std::stable_sort(m_out.problems.begin(), m_out.problems.end(),
                         [](const CsvProblem& a, const CsvProblem& b) { return a.row < b.row; });
        return std::move(m_out);
    }

    const QByteArray& m_bytes;
    const int m_capacity;
    QList<int> m_where; // the cell index of each column, -1 when the file lacks it
    int m_cells = 0;
    std::vector<int> m_rows; // the row of each entry read
    CsvImport m_out;
};

} // namespace

QStringList scheduleCsvColumns() {
    QStringList names;
    for (int c = 0; c < ColumnCount; ++c)
        names << columnName(c);
    return names;
}

QByteArray scheduleToCsv(const ScheduleTable& table) {
    QByteArray csv("\xEF\xBB\xBF");
    appendCsvRow(csv, scheduleCsvColumns());
    for (int i = 0; i < table.count(); ++i)
        appendCsvRow(csv, entryCells(i, table.entries[std::size_t(i)]));
    return csv;
}

QString csvProblemText(const CsvProblem& problem, const TextTable& texts) {
    const QString what = problem.what.in(texts);
    if (problem.row <= 0)
        return what;
    if (problem.column.isEmpty())
        return texts.text(TextId::CsvRow).arg(QString::number(problem.row), what);
    return texts.text(TextId::CsvRowColumn).arg(QString::number(problem.row), problem.column, what);
}

CsvImport scheduleFromCsv(const QByteArray& bytes, int capacity) {
    return CsvReader(bytes, capacity).run();
}

} // namespace quorvan
