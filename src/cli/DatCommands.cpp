#include "cli/DatCommands.h"

#include "cli/DatJson.h"
#include "core/files/ScheduleFile.h"
#include "core/files/ScheduleFileCheck.h"
#include "core/history/BackupStore.h"
#include "core/schedule/BulkChanges.h"
#include "core/schedule/Clashes.h"
#include "core/schedule/EntryFormat.h"
#include "core/schedule/ScheduleCompare.h"
#include "core/schedule/ScheduleCsv.h"
#include "core/schedule/ScheduleModel.h"
#include "core/schedule/ScheduleReport.h"
#include "core/settings/HomeFolder.h"
#include "core/settings/NameTables.h"
#include "core/settings/SettingsFiles.h"
#include "core/storage/CardCheck.h"
#include "core/texts/TextTable.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTime>

#include <optional>

#ifndef QUORVAN_VERSION
#define QUORVAN_VERSION "1.0.0"
#endif

namespace quorvan::dat {

namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

void print(std::FILE* f, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), f);
}

int usageError(std::FILE* err, const QString& why) {
    print(err, QStringLiteral("quorvan-dat: ") + why + u'\n' + usage());
    return kUsage;
}

// Parses a command's own arguments: options with values where given, everything else positional ("--" ends the
// options, so a file name may start with a dash). On a usage error returns false with why set to one line.
bool parseCommand(QCommandLineParser& parser, const QString& command, const QStringList& args, QString& why) {
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (parser.parse(QStringList{command} + args))
        return true;
    const QStringList unknown = parser.unknownOptionNames();
    why = unknown.isEmpty()
              ? command + QStringLiteral(": ") + parser.errorText()
              : QStringLiteral("unknown option %1%2")
                    .arg(unknown.first().size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), unknown.first());
    return false;
}

// Reads a regular file of at most maxBytes (never through a link, never waiting on a FIFO or device).
bool readWholeFile(const QString& path, QByteArray& bytes, QString& error, qint64 maxBytes = kMaxScheduleFileBytes) {
    FileRead read = readRegularFile(path, maxBytes);
    if (!read.ok()) {
        error = read.status.error;
        return false;
    }
    bytes = std::move(read.bytes);
    return true;
}

// A schedule file read into table for a command that prints it: kOk when it could be read and passes the
// checks; otherwise kFailed, after naming the problem on standard error. A file that fails its checks is still
// read (by the loader's rules), so that the command can print what the program would show of it.
// How the reading commands refuse a file that fails the checks: the file, then its first problem.
const QString kNotValid = QStringLiteral("%1: not a valid schedule file (%2; see quorvan-dat check)");

int readSchedule(const QString& path, ScheduleTable& table, std::FILE* err, bool* readable = nullptr) {
    QByteArray bytes;
    QString error;
    if (readable)
        *readable = false;
    if (!readWholeFile(path, bytes, error)) {
        print(err, QStringLiteral("quorvan-dat: ") + error + u'\n');
        return kFailed;
    }
    if (readable)
        *readable = true;
    parseTable(bytes.constData(), bytes.size(), table);
    const std::vector<FileProblem> problems = checkScheduleBytes(bytes.constData(), bytes.size());
    if (problems.empty())
        return kOk;
    print(err, QStringLiteral("quorvan-dat: ") + kNotValid.arg(path, problemText(problems.front())) + u'\n');
    return kFailed;
}

int cmdJson(const QStringList& args, std::FILE* out, std::FILE* err) {
    if (args.size() != 1)
        return usageError(err, QStringLiteral("json takes one FILE"));
    auto table = makeTable();
    bool readable = false;
    const int status = readSchedule(args[0], *table, err, &readable);
    if (!readable)
        return status; // nothing printed: a script must not take an empty table for the file's
    const QByteArray json = tableToJson(*table);
    std::fwrite(json.constData(), 1, std::size_t(json.size()), out);
    return status;
}

int cmdFromJson(const QStringList& args, std::FILE* /*out*/, std::FILE* err) {
    if (args.size() != 2)
        return usageError(err, QStringLiteral("from-json takes JSON_FILE OUT_FILE"));
    QByteArray json;
    QString error;
    // JSON spells a name in up to six bytes a unit: a full table may take far more than its file.
    if (!readWholeFile(args[0], json, error, qint64(256) << 20)) {
        print(err, QStringLiteral("quorvan-dat: ") + error + u'\n');
        return kFailed;
    }
    auto table = makeTable();
    if (!tableFromJson(json, *table, error)) {
        print(err, QStringLiteral("quorvan-dat: %1: %2\n").arg(args[0], error));
        return kFailed;
    }
    // What check would reject is not written: the file's own checks decide the fields' ranges, for both.
    const QByteArray bytes = serializeTable(*table);
    const std::vector<FileProblem> problems = checkScheduleBytes(bytes.constData(), bytes.size());
    if (!problems.empty()) {
        const FileProblem& p = problems.front();
        print(err, QStringLiteral("quorvan-dat: %1: entries[%2].%3: %4\n").arg(args[0]).arg(p.entry).arg(p.field, p.message));
        return kFailed;
    }
    const SaveResult saved = saveTableFile(args[1], *table);
    if (!saved) {
        print(err, QStringLiteral("quorvan-dat: cannot write ") + saved.error + u'\n');
        return kFailed;
    }
    return kOk;
}

// Terminal columns a text takes: CJK and full-width characters take two.
int displayWidth(const QString& text) {
    int width = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool wide = (u >= 0x1100 && u <= 0x115F) || (u >= 0x2E80 && u <= 0xA4CF) ||
                          (u >= 0xAC00 && u <= 0xD7A3) || (u >= 0xF900 && u <= 0xFAFF) ||
                          (u >= 0xFE30 && u <= 0xFE4F) || (u >= 0xFF00 && u <= 0xFF60) || (u >= 0xFFE0 && u <= 0xFFE6);
        width += c.isLowSurrogate() ? 0 : (wide ? 2 : 1);
    }
    return width;
}

// What show and clashes work on: one schedule file, with the texts and names of a home folder's settings.
struct Display {
    TextTable texts;
    NameTables names;
    std::unique_ptr<ScheduleTable> table = makeTable();
};

// Reads `command FILE [--lang en|zh] [--home DIR]` and loads what it names. Returns -1 when the display is ready,
// otherwise the exit status after reporting. A file that cannot be read ends the command with kFailed; one that
// fails its checks is shown, and *fileStatus becomes kFailed. A command with a switch of its own names it in
// flag; flagSet tells whether it was given.
int loadDisplay(const QString& command, const QStringList& args, std::FILE* err, int* fileStatus, Display& display,
                const QString& flag = QString(), bool* flagSet = nullptr) {
    QCommandLineParser parser;
    const QCommandLineOption langOption(QStringLiteral("lang"), QString(), QStringLiteral("en|zh"));
    const QCommandLineOption homeOption(QStringLiteral("home"), QString(), QStringLiteral("DIR"));
    parser.addOptions({langOption, homeOption});
    if (!flag.isEmpty())
        parser.addOption(QCommandLineOption(flag));
    QString why;
    if (!parseCommand(parser, command, args, why))
        return usageError(err, why);
    if (flagSet)
        *flagSet = parser.isSet(flag);
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty())
        return usageError(err, command + QStringLiteral(" needs a FILE"));
    if (files.size() > 1)
        return usageError(err, command + QStringLiteral(" takes one FILE"));
    const QString file = files.first();
    const QString lang = parser.isSet(langOption) ? parser.values(langOption).first() : QString();
    const std::optional<QString> home =
        parser.isSet(homeOption) ? std::optional<QString>(parser.values(homeOption).first()) : std::nullopt;
    if (!lang.isEmpty() && lang != QStringLiteral("en") && lang != QStringLiteral("zh"))
        return usageError(err, QStringLiteral("--lang must be en or zh"));
    bool readable = false;
    *fileStatus = readSchedule(file, *display.table, err, &readable);
    if (!readable)
        return kFailed;

    // Only looked at: a reading command creates no folder.
    const HomeFolderChoice folder = resolveProgramFolder(home, qEnvironmentVariable("QUORVAN_HOME"),
                                                         QCoreApplication::applicationDirPath(), FolderUse::LookOnly);
    if (!folder.error.isEmpty()) {
        print(err, QStringLiteral("quorvan-dat: ") + folder.error + u'\n');
        return kFailed;
    }
    const SettingsFiles settings(folder.folder);
    const bool english = lang.isEmpty()
                             ? settings.readSetting(QStringLiteral("LanguageSelect"), QStringLiteral("ID")).value == 1
                             : lang == QStringLiteral("en");
    english ? display.texts.loadEnglish() : display.texts.loadChinese();
    settings.loadNames(display.names);
    display.names.computeDisplayNames(display.texts);
    return -1;
}

int cmdShow(const QStringList& args, std::FILE* out, std::FILE* err) {
    Display display;
    int fileStatus = kOk;
    if (const int status = loadDisplay(QStringLiteral("show"), args, err, &fileStatus, display); status >= 0)
        return status;
    const TextTable& texts = display.texts;
    const NameTables& names = display.names;
    const auto& table = display.table;
    std::vector<QStringList> rows;
    rows.push_back({texts.text(TextId::NumberColumn), texts.text(TextId::WeekColumn),
                    texts.text(TextId::StartTimeColumn), texts.text(TextId::EndTimeColumn),
                    texts.text(TextId::SoundColumn), texts.text(TextId::ZoneSelect), texts.text(TextId::PowerColumn)});
    for (int i = 0; i < table->count(); ++i) {
        const TimingEntry& e = table->entries[i];
        rows.push_back({QString::number(i + 1), formatWeekdays(e.weekdays, texts),
                        formatTime(e.startHour, e.startMinute, e.startSecond),
                        formatTime(e.endHour, e.endMinute, e.endSecond), formatSources(e.sourceMask, texts),
                        formatZones(e.zoneMask, names), formatPower(e.powerMask, names, texts)});
    }
    std::vector<int> widths(7, 0);
    for (const QStringList& row : rows)
        for (int c = 0; c < 7; ++c)
            widths[std::size_t(c)] = std::max(widths[std::size_t(c)], displayWidth(row[c]));
    for (const QStringList& row : rows) {
        QString line;
        for (int c = 0; c < 7; ++c) {
            line += row[c];
            if (c < 6)
                line += QString(widths[std::size_t(c)] - displayWidth(row[c]) + 2, u' ');
        }
        print(out, line + u'\n');
    }
    return fileStatus;
}

// Every clashing pair of entries: A<TAB>B<TAB>days<TAB>HH:MM:SS-HH:MM:SS<TAB>zones, A < B numbered from 1 as the
// list shows them, days and zones as the list writes them. Exit status 1 when any pair clashes.
int cmdClashes(const QStringList& args, std::FILE* out, std::FILE* err) {
    Display display;
    int fileStatus = kOk;
    if (const int status = loadDisplay(QStringLiteral("clashes"), args, err, &fileStatus, display); status >= 0)
        return status;
    const std::vector<Clash> clashes = findClashes(*display.table, display.table->count());
    QString lines;
    for (const Clash& c : clashes) {
        std::uint32_t zones[9];
        std::copy(c.zones.begin(), c.zones.end(), zones);
        const auto clock = [](int seconds) {
            return QStringLiteral("%1:%2:%3")
                .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
                .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                .arg(seconds % 60, 2, 10, QLatin1Char('0'));
        };
        lines += QStringLiteral("%1\t%2\t%3\t%4-%5\t%6\n")
                     .arg(c.first + 1)
                     .arg(c.second + 1)
                     .arg(formatWeekdays(c.weekdays, display.texts), clock(c.startSecond), clock(c.endSecond),
                          formatZones(zones, display.names));
    }
    print(out, lines);
    return clashes.empty() ? fileStatus : kFailed;
}

// The schedule report as CSV on standard output, as the program saves it.
int cmdReport(const QStringList& args, std::FILE* out, std::FILE* err) {
    Display display;
    bool csv = false;
    int fileStatus = kOk;
    if (const int status =
            loadDisplay(QStringLiteral("report"), args, err, &fileStatus, display, QStringLiteral("csv"), &csv);
        status >= 0)
        return status;
    if (!csv)
        return usageError(err, QStringLiteral("report needs --csv"));
    const QByteArray bytes =
        reportCsv(makeScheduleReport(QString(), *display.table, display.table->count(), display.texts, display.names));
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), out);
    return fileStatus;
}

// Songs the data files play from the card that CARD_FOLDER lacks: name<TAB>file<TAB>entries, one line per song
// and file. Exit status 1 when any is missing.
int cmdCardCheck(const QStringList& args, std::FILE* out, std::FILE* err) {
    if (args.size() != 2)
        return usageError(err, QStringLiteral("card-check takes DATA_FOLDER CARD_FOLDER"));
    for (const QString& folder : args) {
        if (!QFileInfo(folder).isDir())
            return usageError(err, folder + QStringLiteral(": not a folder"));
    }
    // The data folder's schedules must be readable and sound for the answer to mean anything; a missing one
    // plays nothing.
    const QStringList files = documentFiles(documentList(TextTable()));
    int status = kOk;
    for (const QString& name : files) {
        const QString path = QDir(args[0]).filePath(name);
        if (readRegularFile(path, kMaxScheduleFileBytes).status.failure == ReadFailure::Missing)
            continue;
        auto table = makeTable();
        if (readSchedule(path, *table, err) != kOk)
            status = kFailed;
    }
    QString lines;
    const std::vector<MissingSong> missing = findMissingSongs(args[0], args[1], files);
    for (const MissingSong& song : missing) {
        QStringList numbers;
        for (const int entry : song.entries)
            numbers << QString::number(entry);
        lines += song.name + u'\t' + song.file + u'\t' + numbers.join(u',') + u'\n';
    }
    print(out, lines);
    return missing.empty() ? status : kFailed;
}

int cmdCheck(const QStringList& args, std::FILE* out, std::FILE* err) {
    if (args.isEmpty())
        return usageError(err, QStringLiteral("check needs at least one FILE"));
    bool allValid = true;
    for (const QString& path : args) {
        QByteArray bytes;
        QString error;
        if (!readWholeFile(path, bytes, error)) {
            print(out, error + QStringLiteral(": cannot be read\n"));
            print(err, QStringLiteral("quorvan-dat: ") + error + u'\n');
            allValid = false;
            continue;
        }
        for (const FileProblem& p : checkScheduleBytes(bytes.constData(), bytes.size())) {
            print(out, path + QStringLiteral(": ") + problemText(p) + u'\n');
            allValid = false;
        }
    }
    return allValid ? kOk : kFailed;
}

// The kept versions of the data files under HOME/backups, one line each, oldest first per file:
// FILE<TAB>yyyy-MM-dd HH:mm:ss<TAB>bytes<TAB>entries[<TAB>damaged|import]; entries is "-" for a file that is not a
// schedule file.
int cmdBackups(const QStringList& args, std::FILE* out, std::FILE* err) {
    if (args.isEmpty() || args.size() > 2)
        return usageError(err, QStringLiteral("backups takes HOME [FILE]"));
    if (!QFileInfo(args[0]).isDir()) {
        print(err, QStringLiteral("quorvan-dat: %1: no such folder\n").arg(args[0]));
        return kFailed;
    }
    const BackupStore store(args[0]);
    QString lines;
    for (const QString& file : store.files()) {
        if (args.size() == 2 && file.compare(args[1], Qt::CaseInsensitive) != 0)
            continue;
        for (const BackupVersion& v : store.versions(file)) {
            const ScheduleSummary summary = summarizeSchedule(BackupStore::read(v), 0);
            lines += QStringLiteral("%1\t%2\t%3\t%4")
                         .arg(file, v.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), QString::number(v.size),
                              summary.readable ? QString::number(summary.count) : QStringLiteral("-"));
            if (v.mark == BackupVersion::Mark::Damaged)
                lines += QStringLiteral("\tdamaged");
            else if (v.mark == BackupVersion::Mark::Import)
                lines += QStringLiteral("\timport");
            lines += u'\n';
        }
    }
    print(out, lines);
    return kOk;
}

int cmdTexts(const QStringList& args, std::FILE* out, std::FILE* err) {
    if (args.size() != 1 || (args[0] != QStringLiteral("en") && args[0] != QStringLiteral("zh")))
        return usageError(err, QStringLiteral("texts takes en or zh"));
    TextTable texts;
    args[0] == QStringLiteral("en") ? texts.loadEnglish() : texts.loadChinese();
    QString all;
    for (int i = 0; i < TextTable::kCount; ++i)
        all += QString::number(i) + u'\t' + texts.text(i) + u'\n';
    print(out, all);
    return kOk;
}

// 1-based numbers and ranges ("1,3-5", "mon-fri,sat" with names): each number from 1 to most once, in order.
// names, when given, are the words for 1, 2, …. False on anything else.
bool parseNumberList(const QString& text, int most, QList<int>& numbers, const QStringList& names = {}) {
    const auto number = [&](const QString& word, int& n) {
        const qsizetype named = names.indexOf(word.toLower());
        if (named >= 0) {
            n = int(named) + 1;
            return true;
        }
        bool ok = false;
        n = word.toInt(&ok);
        return ok && n >= 1 && n <= most;
    };
    QList<bool> taken(most + 1, false);
    for (const QString& part : text.split(u',')) {
        const QStringList ends = part.trimmed().split(u'-');
        int first = 0, last = 0;
        if (ends.size() > 2 || !number(ends.first(), first) || !number(ends.last(), last) || last < first)
            return false;
        for (int n = first; n <= last; ++n)
            taken[n] = true;
    }
    numbers.clear();
    for (int n = 1; n <= most; ++n)
        if (taken[n])
            numbers << n;
    return true;
}

// "+10" / "-10" minutes, "+1:30" / "-0:05:30" hours, minutes and seconds: the signed seconds, below a day.
bool parseOffset(const QString& text, int& seconds) {
    static const QRegularExpression minutes(QStringLiteral("^([+-])(\\d{1,4})$"));
    static const QRegularExpression clock(QStringLiteral("^([+-])(\\d{1,2}):([0-5]\\d)(?::([0-5]\\d))?$"));
    QRegularExpressionMatch m = minutes.match(text);
    if (m.hasMatch()) {
        seconds = m.captured(2).toInt() * 60;
    } else if ((m = clock.match(text)).hasMatch()) {
        seconds = m.captured(2).toInt() * 3600 + m.captured(3).toInt() * 60 + m.captured(4).toInt();
    } else {
        return false;
    }
    if (m.captured(1) == u'-')
        seconds = -seconds;
    return std::abs(seconds) < kSecondsPerDay;
}

// A schedule file to change: its entries, or false after saying why on standard error. A file that is not there
// counts as empty when missingIsEmpty; one that cannot be read, or fails its checks, is never written over.
// refusal words the failed checks: the file, then the first problem.
bool readForChange(const QString& path, ScheduleTable& table, bool missingIsEmpty, std::FILE* err,
                   const QString& refusal = QStringLiteral("%1: %2; not changed")) {
    FileRead read = readRegularFile(path, kMaxScheduleFileBytes);
    if (read.status.failure == ReadFailure::Missing && missingIsEmpty)
        return true;
    if (!read.ok()) {
        print(err, QStringLiteral("quorvan-dat: ") + read.status.error + u'\n');
        return false;
    }
    const std::vector<FileProblem> problems = checkScheduleBytes(read.bytes.constData(), read.bytes.size());
    if (!problems.empty()) {
        print(err, QStringLiteral("quorvan-dat: ") + refusal.arg(path, problemText(problems.front())) + u'\n');
        return false;
    }
    parseTable(read.bytes.constData(), read.bytes.size(), table);
    return true;
}

int writeChanged(const QString& path, const ScheduleTable& table, std::FILE* err) {
    const SaveResult saved = saveTableFile(path, table);
    if (!saved) {
        print(err, QStringLiteral("quorvan-dat: cannot write ") + saved.error + u'\n');
        return kFailed;
    }
    return kOk;
}

int cmdShift(const QStringList& args, std::FILE* /*out*/, std::FILE* err) {
    // A negative offset looks like an option: it is taken out before the options are parsed.
    static const QRegularExpression negative(QStringLiteral("^-\\d"));
    QStringList rest;
    QString offsetText;
    for (const QString& a : args) {
        if (offsetText.isEmpty() && negative.match(a).hasMatch())
            offsetText = a;
        else
            rest << a;
    }
    QCommandLineParser parser;
    const QCommandLineOption entriesOption(QStringLiteral("entries"), QString(), QStringLiteral("LIST"));
    parser.addOption(entriesOption);
    QString why;
    if (!parseCommand(parser, QStringLiteral("shift"), rest, why))
        return usageError(err, why);
    QStringList positional = parser.positionalArguments();
    if (offsetText.isEmpty() && positional.size() == 2)
        offsetText = positional.takeLast();
    int seconds = 0;
    if (positional.size() != 1 || offsetText.isEmpty())
        return usageError(err, QStringLiteral("shift takes FILE OFFSET"));
    if (!parseOffset(offsetText, seconds))
        return usageError(err, QStringLiteral("shift: an offset is +N or -N minutes, or +H:MM[:SS] or -H:MM[:SS]"));
    QList<int> numbers;
    if (parser.isSet(entriesOption) && !parseNumberList(parser.value(entriesOption), 9999, numbers))
        return usageError(err, QStringLiteral("shift: --entries takes numbers and ranges from 1, such as 1,3-5"));
    const QString path = positional.first();
    ScheduleTable table;
    if (!readForChange(path, table, false, err))
        return kFailed;
    QList<int> which;
    bool missing = false;
    for (const int n : numbers) {
        if (n > table.count()) {
            print(err, QStringLiteral("quorvan-dat: %1: %2\n")
                           .arg(path, Problem{TextId::NoSuchEntry, {QString::number(n)}}.inEnglish()));
            missing = true;
        }
        which << n - 1;
    }
    if (missing)
        return kFailed;
    if (!parser.isSet(entriesOption))
        for (int i = 0; i < table.count(); ++i)
            which << i;
    const QList<int> refused = shiftEntries(table.entries, which, seconds);
    for (const int i : refused)
        print(err, QStringLiteral("quorvan-dat: %1: %2\n")
                       .arg(path, Problem{TextId::ShiftLeavesTheDay, {QString::number(i + 1)}}.inEnglish()));
    return refused.isEmpty() ? writeChanged(path, table, err) : kFailed;
}

int cmdBells(const QStringList& args, std::FILE* /*out*/, std::FILE* err) {
    QCommandLineParser parser;
    const auto valued = [](const char* name, const char* value) {
        return QCommandLineOption(QString::fromLatin1(name), QString(), QString::fromLatin1(value));
    };
    const QCommandLineOption first = valued("first", "HH:MM"), lesson = valued("lesson", "MINUTES"),
                             count = valued("count", "N"), breaks = valued("breaks", "M1,M2"),
                             at = valued("at", "WHEN"), ring = valued("ring", "SECONDS"), days = valued("days", "LIST"),
                             zones = valued("zones", "LIST"), power = valued("power", "LIST"),
                             song = valued("song", "NAME"), internal(QStringLiteral("internal"));
    parser.addOptions({first, lesson, count, breaks, at, ring, days, zones, power, song, internal});
    QString why;
    if (!parseCommand(parser, QStringLiteral("bells"), args, why))
        return usageError(err, why);
    if (parser.positionalArguments().size() != 1)
        return usageError(err, QStringLiteral("bells takes one FILE"));
    const auto bad = [&](const QString& option, const QString& wanted) {
        return usageError(err, QStringLiteral("bells: --%1 takes %2").arg(option, wanted));
    };
    BellPattern p;
    const QTime start = QTime::fromString(parser.value(first), QStringLiteral("HH:mm"));
    if (!parser.isSet(first) || !start.isValid())
        return bad(QStringLiteral("first"), QStringLiteral("the first lesson's start as HH:MM"));
    p.firstStart = start.msecsSinceStartOfDay() / 1000;
    bool ok = false;
    p.lessonMinutes = parser.value(lesson).toInt(&ok);
    if (!ok || p.lessonMinutes < 1 || p.lessonMinutes > 24 * 60)
        return bad(QStringLiteral("lesson"), QStringLiteral("the lesson's minutes"));
    p.lessons = parser.value(count).toInt(&ok);
    if (!ok || p.lessons < 1 || p.lessons > kMaxEntries)
        return bad(QStringLiteral("count"), QStringLiteral("the number of lessons, 1 to 256"));
    if (parser.isSet(breaks)) {
        p.breakMinutes.clear();
        for (const QString& b : parser.value(breaks).split(u',')) {
            p.breakMinutes << b.trimmed().toInt(&ok);
            if (!ok || p.breakMinutes.last() < 0 || p.breakMinutes.last() > 24 * 60)
                return bad(QStringLiteral("breaks"), QStringLiteral("minutes such as 10,20,10"));
        }
    }
    static const QStringList whens{QStringLiteral("start"), QStringLiteral("end"), QStringLiteral("both")};
    const qsizetype when = whens.indexOf(parser.isSet(at) ? parser.value(at) : QStringLiteral("both"));
    if (when < 0)
        return bad(QStringLiteral("at"), QStringLiteral("start, end or both"));
    p.at = when == 0 ? BellPattern::At::Start : when == 1 ? BellPattern::At::End : BellPattern::At::Both;
    if (parser.isSet(ring)) {
        p.ringSeconds = parser.value(ring).toInt(&ok);
        if (!ok || p.ringSeconds < 1 || p.ringSeconds >= kSecondsPerDay)
            return bad(QStringLiteral("ring"), QStringLiteral("the ring's seconds"));
    }
    static const QStringList dayNames{QStringLiteral("sun"), QStringLiteral("mon"), QStringLiteral("tue"),
                                      QStringLiteral("wed"), QStringLiteral("thu"), QStringLiteral("fri"),
                                      QStringLiteral("sat")};
    QList<int> numbers;
    if (!parseNumberList(parser.isSet(days) ? parser.value(days) : QStringLiteral("mon-fri"), 7, numbers, dayNames))
        return bad(QStringLiteral("days"), QStringLiteral("days sun mon tue wed thu fri sat, lists and ranges"));
    p.weekdays = 0;
    for (const int d : numbers)
        p.weekdays |= 1u << (d - 1);
    if (!parseNumberList(parser.isSet(zones) ? parser.value(zones) : QStringLiteral("1-40"), kZoneCount, numbers))
        return bad(QStringLiteral("zones"), QStringLiteral("zone numbers 1 to 40, lists and ranges"));
    for (const int z : numbers)
        setZoneBit(p.zoneMask, z - 1, true);
    numbers.clear();
    if (parser.isSet(power) && !parseNumberList(parser.value(power), kPowerChannelCount, numbers))
        return bad(QStringLiteral("power"), QStringLiteral("channel numbers 1 to 37, lists and ranges"));
    for (const int c : numbers)
        setPowerBit(p.powerMask, c - 1, true);
    p.songs = parser.values(song);
    p.onCard = !parser.isSet(internal);
    for (const QString& name : p.songs)
        if (name.isEmpty() || name.size() > kMaxSongNameUnits || name.contains(u'/') || name.contains(QChar(0)))
            return bad(QStringLiteral("song"), QStringLiteral("a file name of at most 260 characters, no folder"));

    const QString path = parser.positionalArguments().first();
    ScheduleTable table;
    if (!readForChange(path, table, true, err))
        return kFailed;
    BellsResult bells = makeBells(p, table.count());
    if (!bells.refusal.isEmpty()) {
        print(err, QStringLiteral("quorvan-dat: %1: %2\n").arg(path, bells.refusal.inEnglish()));
        return kFailed;
    }
    for (TimingEntry& e : bells.entries)
        table.entries.push_back(std::move(e));
    return writeChanged(path, table, err);
}

// Exit 0 when the files hold the same entries, 1 when they differ; a file that cannot be read is a usage-level
// failure (2), so that 1 always means "they differ".
int cmdDiff(const QStringList& args, std::FILE* out, std::FILE* err) {
    if (args.size() != 2)
        return usageError(err, QStringLiteral("diff takes two FILEs"));
    ScheduleTable a, b;
    if (!readForChange(args[0], a, true, err, kNotValid) || !readForChange(args[1], b, true, err, kNotValid))
        return kUsage;
    const ScheduleComparison comparison = compareSchedules(a.entries, b.entries);
    QString lines;
    for (const AlignedRow& row : comparison.differences()) {
        switch (row.kind) {
        case AlignedRow::Kind::Changed:
            lines +=
                QStringLiteral("~\t%1\t%2\t%3\n").arg(row.a + 1).arg(row.b + 1).arg(fieldKeys(row.fields).join(u','));
            break;
        case AlignedRow::Kind::Removed:
            lines += QStringLiteral("-\t%1\n").arg(row.a + 1);
            break;
        case AlignedRow::Kind::Added:
            lines += QStringLiteral("+\t%1\n").arg(row.b + 1);
            break;
        case AlignedRow::Kind::Same:
            break;
        }
    }
    print(out, lines);
    return comparison.same() ? kOk : kFailed;
}

int cmdToCsv(const QStringList& args, std::FILE* out, std::FILE* err) {
    if (args.size() != 1)
        return usageError(err, QStringLiteral("to-csv takes one FILE"));
    ScheduleTable table;
    if (!readForChange(args[0], table, false, err, kNotValid))
        return kFailed;
    const QByteArray csv = scheduleToCsv(table);
    std::fwrite(csv.constData(), 1, std::size_t(csv.size()), out);
    return kOk;
}

// Every problem of the CSV file on its own line; OUT_FILE is written only when there are none. A file named
// REMOTE.DAT takes the twelve remote keys at most.
int cmdFromCsv(const QStringList& args, std::FILE* /*out*/, std::FILE* err) {
    if (args.size() != 2)
        return usageError(err, QStringLiteral("from-csv takes CSV_FILE OUT_FILE"));
    QByteArray csv;
    QString error;
    // A spreadsheet spells a name in up to three bytes a unit and quotes it: far more than its schedule file.
    if (!readWholeFile(args[0], csv, error, qint64(256) << 20)) {
        print(err, QStringLiteral("quorvan-dat: ") + error + u'\n');
        return kFailed;
    }
    const bool remote = QFileInfo(args[1]).fileName().compare(QStringLiteral("REMOTE.DAT"), Qt::CaseInsensitive) == 0;
    const CsvImport imported = scheduleFromCsv(csv, remote ? kRemoteKeyCount : kMaxEntries);
    if (!imported.ok()) {
        TextTable english;
        english.loadEnglish();
        for (const CsvProblem& problem : imported.problems)
            print(err, QStringLiteral("quorvan-dat: %1: %2\n").arg(args[0], csvProblemText(problem, english)));
        return kFailed;
    }
    return writeChanged(args[1], imported.table, err);
}

} // namespace

QString usage() {
    return QStringLiteral(
        "Usage: quorvan-dat COMMAND ...\n"
        "Reads, writes and checks the controller's schedule files (SCH01.DAT ... REMOTE.DAT).\n"
        "\n"
        "  json FILE                          print the table of FILE as JSON\n"
        "  from-json JSON_FILE OUT_FILE       write OUT_FILE from JSON (as printed by json)\n"
        "  show FILE [--lang en|zh] [--home DIR]\n"
        "                                     print the entries as the program lists them, with the names\n"
        "                                     of DIR's Config_name.ini\n"
        "  check FILE...                      print one line per problem; exit 1 when any file is invalid\n"
        "  clashes FILE [--lang en|zh] [--home DIR]\n"
        "                                     print the entries that want a zone at the same time, one pair\n"
        "                                     a line; exit 1 when any pair clashes\n"
        "  report FILE --csv [--lang en|zh] [--home DIR]\n"
        "                                     print the schedule report as CSV (UTF-8 with a byte-order mark)\n"
        "  card-check DATA_FOLDER CARD_FOLDER print the songs the data files play from the card that\n"
        "                                     CARD_FOLDER lacks: name, file, entries; exit 1 when any\n"
        "  texts en|zh                        print the user-interface texts, one per line\n"
        "  backups HOME [FILE]                list the kept versions of the data files: file, time, bytes,\n"
        "                                     entries and a damaged or import mark\n"
        "  shift FILE OFFSET [--entries LIST] move the start and end of entries (all, or LIST: 1,3-5) by\n"
        "                                     OFFSET: +N or -N minutes, or +H:MM[:SS] or -H:MM[:SS]; exit 1,\n"
        "                                     FILE untouched, when any would leave 00:00:00-23:59:59\n"
        "  bells FILE --first HH:MM --lesson MINUTES --count N --song NAME [--song NAME ...]\n"
        "        [--breaks M1,M2,...] [--at start|end|both] [--ring SECONDS] [--days LIST]\n"
        "        [--zones LIST] [--power LIST] [--internal]\n"
        "                                     append a day of bells to FILE (missing: empty); defaults\n"
        "                                     --breaks 10 --at both --ring 10 --days mon-fri --zones 1-40\n"
        "  diff A B                           one line per difference between two schedules: ~ N M FIELDS\n"
        "                                     (entry N of A changed into entry M of B), - N (only in A),\n"
        "                                     + M (only in B); exit 0 the same, 1 different, 2 unreadable\n"
        "  to-csv FILE                        print the table of FILE as CSV, a column per field, to edit in\n"
        "                                     a spreadsheet (the README lists the columns)\n"
        "  from-csv CSV_FILE OUT_FILE         write OUT_FILE from CSV; every problem on its own line, by row\n"
        "                                     and column, OUT_FILE untouched (exit 1)\n"
        "  --help                             print this help\n"
        "  --version                          print the version\n");
}

int run(const QStringList& args, std::FILE* out, std::FILE* err) {
    // Options before the command are the tool's own; everything from the command on belongs to the command.
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({help, version});
    QString why;
    const bool parsed = parseCommand(parser, QStringLiteral("quorvan-dat"), args, why);
    if (parser.isSet(help)) {
        print(out, usage());
        return kOk;
    }
    if (parser.isSet(version)) {
        print(out, QStringLiteral("quorvan-dat " QUORVAN_VERSION "\n"));
        return kOk;
    }
    if (!parsed)
        return usageError(err, why);
    const QStringList words = parser.positionalArguments();
    if (words.isEmpty())
        return usageError(err, QStringLiteral("missing command"));
    const QString command = words.first();
    const QStringList rest = words.mid(1);
    if (command == QStringLiteral("show"))
        return cmdShow(rest, out, err);
    if (command == QStringLiteral("clashes"))
        return cmdClashes(rest, out, err);
    if (command == QStringLiteral("report"))
        return cmdReport(rest, out, err);
    if (command == QStringLiteral("shift"))
        return cmdShift(rest, out, err);
    if (command == QStringLiteral("bells"))
        return cmdBells(rest, out, err);

    // The other commands take no options: only their positional arguments are passed on.
    using Handler = int (*)(const QStringList&, std::FILE*, std::FILE*);
    const std::pair<QString, Handler> plainCommands[] = {
        {QStringLiteral("json"), cmdJson},       {QStringLiteral("from-json"), cmdFromJson},
        {QStringLiteral("check"), cmdCheck},     {QStringLiteral("card-check"), cmdCardCheck},
        {QStringLiteral("texts"), cmdTexts},     {QStringLiteral("backups"), cmdBackups},
        {QStringLiteral("diff"), cmdDiff},       {QStringLiteral("to-csv"), cmdToCsv},
        {QStringLiteral("from-csv"), cmdFromCsv}};
    for (const auto& [name, handler] : plainCommands) {
        if (command != name)
            continue;
        QCommandLineParser commandParser;
        if (!parseCommand(commandParser, command, rest, why))
            return usageError(err, why);
        return handler(commandParser.positionalArguments(), out, err);
    }
    return usageError(err, QStringLiteral("unknown command ") + command);
}

} // namespace quorvan::dat
