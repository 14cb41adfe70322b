// End-to-end tests of the quorvan-dat tool, run as a separate process. The fx-* fixtures were written by
// tests/data/make_fixtures.py from the byte layout alone, independently of the program's code.
#include "TestSupport.h"

#include "core/files/ScheduleFile.h"
#include "core/schedule/ScheduleModel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <map>
#include <vector>

using namespace quorvan;
using namespace quorvan::test;
using namespace Qt::StringLiterals;

namespace {

// Qt strings compared as std::string, so that a failure prints readable text.
std::string str(const QString& s) {
    return s.toStdString();
}
std::string str(const QStringList& l) {
    return l.join(u" | "_s).toStdString();
}

struct Result {
    int code = -1;
    QString out;
    QString err;
};

Result dat(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(QUORVAN_DAT_EXE), args);
    const bool finished = p.waitForFinished(30000);
    EXPECT_TRUE(finished) << args.join(u' ').toStdString();
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << args.join(u' ').toStdString();
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

const QStringList kValid = {u"fx-empty"_s, u"fx-example"_s, u"fx-mixed"_s, u"fx-full-256"_s};

// Every problem check must report for each damaged fixture, as "where: field".
// Entries numbered from 1, as the program lists them.
const std::map<QString, QStringList> kDamaged = {
    {u"fx-bad-tag"_s, {u"header: format tag"_s}},
    {u"fx-bad-n257"_s, {u"header: N"_s}},
    {u"fx-bad-header-short"_s,
     {u"header: cut short"_s, u"entry 1: block"_s, u"entry 2: block"_s, u"entry 3: block"_s, u"entry 4: block"_s,
      u"entry 5: block"_s}},
    // Cut inside the entry header: the song count is not in the file, so the stored size cannot be judged.
    {u"fx-bad-block-short"_s, {u"entry 2: block"_s}},
    {u"fx-bad-song-short"_s, {u"entry 1: block"_s, u"entry 1: playlist[1].fileName"_s}},
    {u"fx-bad-offset"_s, {u"entry 2: block offset"_s, u"entry 2: block"_s}},
    {u"fx-bad-offset-dup"_s, {u"entry 2: block offset"_s}},
    {u"fx-bad-size"_s, {u"entry 1: block size"_s}},
    {u"fx-bad-name-nul"_s, {u"entry 1: playlist[0].fileName"_s}},
    {u"fx-bad-times"_s,
     {u"entry 2: startHour"_s, u"entry 2: startMinute"_s, u"entry 2: startSecond"_s, u"entry 2: endHour"_s,
      u"entry 2: endMinute"_s, u"entry 2: endSecond"_s}},
    {u"fx-bad-fm"_s, {u"entry 1: fmFrequency"_s, u"entry 2: fmFrequency"_s, u"entry 3: fmFrequency"_s}},
    {u"fx-bad-ranges"_s,
     {u"entry 2: mp3PlayMode"_s, u"entry 2: mp3RepeatMode"_s, u"entry 2: dvdTracks[3].track"_s,
      u"entry 2: dvdTracks[5].repeatMode"_s, u"entry 2: extMp3Tracks[7].track"_s,
      u"entry 2: extMp3Tracks[0].repeatMode"_s, u"entry 2: extRadioPresets[6]"_s}},
};

QString fx(const QString& fixture) {
    return dataPath(fixture + u".DAT"_s);
}

QJsonValue parse(const QByteArray& text) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(text, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return doc.object();
}

QString compact(const QJsonValue& v) {
    return QString::fromUtf8(QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact)).mid(1).chopped(1);
}

// Path and values of the first difference between two JSON values; empty when they are equal.
QString firstDifference(const QJsonValue& got, const QJsonValue& want, const QString& path = {}) {
    if (want.isArray() && got.isArray()) {
        const QJsonArray g = got.toArray(), w = want.toArray();
        if (g.size() != w.size())
            return u"%1: %2 items, want %3"_s.arg(path).arg(g.size()).arg(w.size());
        for (qsizetype i = 0; i < w.size(); ++i)
            if (QString d = firstDifference(g[i], w[i], u"%1[%2]"_s.arg(path).arg(i)); !d.isEmpty())
                return d;
        return {};
    }
    if (want.isObject() && got.isObject()) {
        const QJsonObject g = got.toObject(), w = want.toObject();
        if (g.keys() != w.keys())
            return path + u": keys "_s + g.keys().join(u',') + u", want "_s + w.keys().join(u',');
        for (const QString& key : w.keys())
            if (QString d = firstDifference(g[key], w[key], path + u'.' + key); !d.isEmpty())
                return d;
        return {};
    }
    return got == want ? QString() : path + u": "_s + compact(got) + u", want "_s + compact(want);
}

// Sets (or, with an undefined value, removes) the value at a dotted path such as "entries.2.startHour".
QJsonValue edited(const QJsonValue& node, QStringList path, const QJsonValue& value) {
    if (path.isEmpty())
        return value;
    const QString step = path.takeFirst();
    bool isIndex = false;
    const int index = step.toInt(&isIndex);
    if (isIndex) {
        QJsonArray a = node.toArray();
        a[index] = edited(a[index], path, value);
        return a;
    }
    QJsonObject o = node.toObject();
    if (path.isEmpty() && value.isUndefined())
        o.remove(step);
    else
        o[step] = edited(o[step], path, value);
    return o;
}

QByteArray toText(const QJsonValue& v) {
    return QJsonDocument(v.toObject()).toJson(QJsonDocument::Compact);
}

QStringList lines(const QString& text) {
    QStringList l = text.split(u'\n');
    if (!l.isEmpty() && l.last().isEmpty())
        l.removeLast();
    return l;
}

} // namespace

TEST(DatToolJson, PrintsEveryFixtureAsTheLoaderReadsIt) {
    QStringList all = kValid;
    for (const auto& [name, problems] : kDamaged)
        all << name;
    for (const QString& name : all) {
        // A damaged file is printed as the program would show it, and the status and one line say it is damaged.
        const bool damaged = kDamaged.count(name) > 0;
        const Result r = dat({u"json"_s, fx(name)});
        EXPECT_EQ(r.code, damaged ? 1 : 0) << name.toStdString();
        EXPECT_EQ(lines(r.err).size(), damaged ? 1 : 0) << name.toStdString() << r.err.toStdString();
        const QJsonValue want = parse(readFile(dataPath(name + u".json"_s)));
        ASSERT_TRUE(want.toObject().contains(u"entries"_s)) << name.toStdString();
        EXPECT_EQ(str(firstDifference(parse(r.out.toUtf8()), want)), "") << name.toStdString();
    }
    const Result missing = dat({u"json"_s, dataPath(u"no-such-file.DAT"_s)});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(lines(missing.err).size(), 1);
}

TEST(DatToolJson, KeysInTheContractOrderAndPlainIntegers) {
    const Result r = dat({u"json"_s, fx(u"fx-mixed"_s)});
    ASSERT_EQ(r.code, 0);
    QStringList entryKeys = {u"weekdays"_s,    u"startHour"_s,     u"startMinute"_s, u"startSecond"_s, u"endHour"_s,
                             u"endMinute"_s,   u"endSecond"_s,     u"powerMask"_s,   u"zoneMask"_s,    u"sourceMask"_s,
                             u"mp3PlayMode"_s, u"mp3RepeatMode"_s, u"fmFrequency"_s, u"dvdTracks"_s};
    for (const QString& list : {u"extMp3Tracks"_s, u"extRadioPresets"_s}) {
        for (int k = 0; k < 8; ++k)
            entryKeys << u"track"_s << u"repeatMode"_s << u"reserved"_s;
        entryKeys << list;
    }
    entryKeys << u"playlistOnCard"_s << u"playlist"_s;
    QStringList expected = {u"entries"_s};
    for (int i = 0; i < 5; ++i)
        expected += entryKeys;

    QStringList keys;
    static const QRegularExpression keyPattern(u"\"([A-Za-z0-9]+)\"\\s*:"_s);
    for (const auto& m : keyPattern.globalMatch(r.out))
        keys << m.captured(1);
    EXPECT_EQ(str(keys), str(expected));
    // No fractions or exponents: every number is a plain integer.
    static const QRegularExpression nonInteger(u"[:\\[,]\\s*-?\\d+[.eE]"_s);
    EXPECT_FALSE(nonInteger.match(r.out).hasMatch()) << nonInteger.match(r.out).captured().toStdString();
}

TEST(DatToolFromJson, WritesTheFixtureBytes) {
    const TempHome dir;
    // The generator and the test support agree on the documented one-entry file, so writing fx-example's JSON
    // reproduces that file as well.
    EXPECT_TRUE(readFile(fx(u"fx-example"_s)) == exampleFileBytes());
    for (const QString& name : kValid) {
        const QString out = dir.file(name + u".DAT"_s);
        const Result r = dat({u"from-json"_s, dataPath(name + u".json"_s), out});
        EXPECT_EQ(r.code, 0) << name.toStdString() << r.err.toStdString();
        EXPECT_EQ(str(r.out + r.err), "") << name.toStdString();
        // A file holding bytes the program never writes (lower-case drive letter, bytes after a NUL, padding)
        // has the bytes a save produces beside it.
        const QString saved = dataPath(name + u".saved.DAT"_s);
        const QByteArray want = readFile(QFile::exists(saved) ? saved : fx(name));
        ASSERT_FALSE(want.isEmpty());
        const QByteArray got = readFile(out);
        qsizetype at = 0;
        while (at < got.size() && at < want.size() && got[at] == want[at])
            ++at;
        EXPECT_TRUE(got == want) << name.toStdString() << ": " << got.size() << " bytes, first difference at " << at;
    }
}

TEST(DatToolFromJson, AcceptsEveryFieldAtTheLimitOfItsRange) {
    const TempHome dir;
    QJsonValue doc = parse(readFile(dataPath(u"fx-example.json"_s)));
    QJsonArray songs;
    for (int j = 0; j < 255; ++j)
        songs.append(QString(256, QChar(u'歌')) + u".mp3"_s); // 260 units
    const std::pair<const char*, QJsonValue> limits[] = {
        {"entries.0.weekdays", 4294967295.0},    {"entries.0.startHour", 23},
        {"entries.0.endSecond", 59},             {"entries.0.powerMask.8", 4294967295.0},
        {"entries.0.zoneMask.0", 4294967295.0},  {"entries.0.sourceMask", 4294967295.0},
        {"entries.0.fmFrequency", 10800},        {"entries.0.dvdTracks.7.track", 99},
        {"entries.0.extMp3Tracks.0.track", 256}, {"entries.0.extMp3Tracks.0.repeatMode", 2},
        {"entries.0.extRadioPresets.3", 30},     {"entries.0.mp3RepeatMode", 1},
        {"entries.0.extMp3Tracks.5.reserved", 255},
        {"entries.0.playlist", songs},
    };
    for (const auto& [path, value] : limits)
        doc = edited(doc, QString::fromLatin1(path).split(u'.'), value);
    writeFile(dir.file(u"in.json"_s), toText(doc));
    const Result written = dat({u"from-json"_s, dir.file(u"in.json"_s), dir.file(u"out.DAT"_s)});
    ASSERT_EQ(written.code, 0) << written.err.toStdString();
    EXPECT_EQ(readFile(dir.file(u"out.DAT"_s)).size(), 4104 + 176 + 255 * 624);
    const Result back = dat({u"json"_s, dir.file(u"out.DAT"_s)});
    EXPECT_EQ(str(firstDifference(parse(back.out.toUtf8()), doc)), "");
}

TEST(DatToolFromJson, RefusesBadInputWithOneLineAndKeepsTheOldFile) {
    const QJsonValue base = parse(readFile(dataPath(u"fx-mixed.json"_s)));
    const QJsonValue entry0 = base[u"entries"_s][0];
    auto repeated = [](int n, const QJsonValue& v) {
        QJsonArray a;
        for (int i = 0; i < n; ++i)
            a.append(v);
        return a;
    };
    struct Case {
        const char* path;
        QJsonValue value;
        QString named;
    };
    const Case cases[] = {
        {"entries.2.startHour", QJsonValue(QJsonValue::Undefined), u"entries[2].startHour"_s},
        {"entries.3.extMp3Tracks.3.reserved", QJsonValue(QJsonValue::Undefined),
         u"entries[3].extMp3Tracks[3].reserved"_s},
        {"entries.1.fmFrequency", u"10800"_s, u"entries[1].fmFrequency"_s},
        {"entries.4.playlist.0", 7, u"entries[4].playlist[0]"_s},
        {"entries.3", u"x"_s, u"entries[3]"_s},
        {"entries.3.weekdays", -1, u"entries[3].weekdays"_s},
        {"entries.0.endSecond", 256, u"entries[0].endSecond"_s},
        {"entries.4.dvdTracks.2.repeatMode", 256, u"entries[4].dvdTracks[2].repeatMode"_s},
        {"entries.2.extRadioPresets.7", 65536, u"entries[2].extRadioPresets[7]"_s},
        {"entries.1.zoneMask.8", 4294967296.0, u"entries[1].zoneMask[8]"_s},
        {"entries.0.startMinute", 1.5, u"entries[0].startMinute"_s},
        {"entries.0.playlistOnCard", 2, u"entries[0].playlistOnCard"_s},
        {"entries.3.powerMask", repeated(8, 1), u"entries[3].powerMask"_s},
        {"entries.0.dvdTracks", repeated(9, base[u"entries"_s][0][u"dvdTracks"_s][0]), u"entries[0].dvdTracks"_s},
        {"entries.2.playlist", repeated(256, u"s.mp3"_s), u"entries[2].playlist"_s},
        {"entries.1.playlist.1", QString(261, u'x'), u"entries[1].playlist[1]"_s},
        {"entries", repeated(257, entry0), u"entries"_s},
    };
    std::vector<std::pair<QByteArray, QString>> inputs; // JSON text, what the error line must name
    for (const Case& c : cases)
        inputs.push_back({toText(edited(base, QString::fromLatin1(c.path).split(u'.'), c.value)), c.named});
    inputs.push_back({"{\"entries\": [ {\"weekdays\": 1,", QString()}); // cut short
    inputs.push_back({"[]", QString()});
    inputs.push_back({"{\"entries\": 5}", u"entries"_s});

    const QByteArray old = "previous contents\n";
    for (const auto& [json, named] : inputs) {
        const TempHome dir;
        const QString folder = dir.path();
        writeFile(folder + u"in.json"_s, json);
        writeFile(folder + u"SCH01.DAT"_s, old);
        const Result r = dat({u"from-json"_s, folder + u"in.json"_s, folder + u"SCH01.DAT"_s});
        const std::string what = (named + u" in "_s + QString::fromUtf8(json.left(40))).toStdString();
        EXPECT_EQ(r.code, 1) << what;
        EXPECT_EQ(str(r.out), "") << what;
        EXPECT_EQ(lines(r.err).size(), 1) << what << ": " << r.err.toStdString();
        EXPECT_TRUE(r.err.endsWith(u'\n')) << what;
        EXPECT_TRUE(r.err.contains(named)) << named.toStdString() << ": " << r.err.toStdString();
        EXPECT_EQ(readFile(folder + u"SCH01.DAT"_s), old) << what;
        EXPECT_EQ(str(QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name)),
                  str(QStringList{u"SCH01.DAT"_s, u"in.json"_s}))
            << what;
    }
}

TEST(DatToolFromJson, ReportsAWriteFailure) {
    const TempHome dir;
    writeFile(dir.file(u"plain"_s), "x");
    const Result r = dat({u"from-json"_s, dataPath(u"fx-example.json"_s), dir.file(u"plain/SCH01.DAT"_s)});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(lines(r.err).size(), 1) << r.err.toStdString();
    EXPECT_EQ(readFile(dir.file(u"plain"_s)), QByteArray("x"));
}

TEST(DatToolCheck, ValidFilesPassSilently) {
    QStringList files;
    for (const QString& name : kValid)
        files << fx(name);
    files << dataPath(u"fx-mixed.saved.DAT"_s);
    const Result r = dat(QStringList{u"check"_s} + files);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(str(r.out + r.err), "");
}

TEST(DatToolCheck, ReportsEveryProblemOnItsOwnLine) {
    for (const auto& [name, problems] : kDamaged) {
        const QString path = fx(name);
        const Result r = dat({u"check"_s, path});
        EXPECT_EQ(r.code, 1) << name.toStdString();
        QStringList found;
        for (const QString& line : lines(r.out)) {
            // FILE: where: field: what is wrong
            EXPECT_TRUE(line.startsWith(path + u": "_s)) << line.toStdString();
            const QStringList parts = line.mid(path.size() + 2).split(u": "_s);
            EXPECT_GE(parts.size(), 3) << line.toStdString();
            if (parts.size() >= 3 && !parts[2].trimmed().isEmpty())
                found << parts[0] + u": "_s + parts[1];
        }
        QStringList want = problems;
        found.sort();
        want.sort();
        EXPECT_EQ(str(found), str(want)) << name.toStdString() << ":\n" << r.out.toStdString();
    }
    // Several files: only the damaged one is reported, and the status says a file is invalid.
    const Result r = dat({u"check"_s, fx(u"fx-example"_s), fx(u"fx-bad-fm"_s), fx(u"fx-empty"_s)});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(lines(r.out).size(), 3);
    for (const QString& line : lines(r.out))
        EXPECT_TRUE(line.startsWith(fx(u"fx-bad-fm"_s))) << line.toStdString();
    const Result missing = dat({u"check"_s, fx(u"fx-example"_s), dataPath(u"no-such-file.DAT"_s)});
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE((missing.out + missing.err).contains(u"no-such-file.DAT"_s));
}

namespace {

int displayWidth(const QString& s) {
    int w = 0;
    for (const QChar c : s)
        w += c.unicode() >= 0x2E80 ? 2 : 1;
    return w;
}

// Column start positions (in terminal columns) of a line whose cells are separated by two or more spaces.
QList<int> columnStarts(const QString& line) {
    QList<int> starts;
    static const QRegularExpression cell(u"\\S+(?: \\S+)*"_s);
    for (const auto& m : cell.globalMatch(line))
        starts << displayWidth(line.left(m.capturedStart()));
    return starts;
}

QStringList cells(const QString& line) {
    return line.trimmed().split(QRegularExpression(u" {2,}"_s));
}

} // namespace

TEST(DatToolShow, ListsTheEntriesWithTheHomeFoldersNames) {
    const TempHome home;
    const QStringList args = {u"show"_s, fx(u"fx-example"_s), u"--home"_s, home.path()};
    Result r = dat(args + QStringList{u"--lang"_s, u"en"_s});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    QStringList out = lines(r.out);
    ASSERT_EQ(out.size(), 2) << r.out.toStdString();
    EXPECT_EQ(str(cells(out[0])), str(QStringList{u"Number"_s, u"Week"_s, u"Start time"_s, u"End time"_s, u"Sound"_s,
                                                  u"Zone Select"_s, u"Power"_s}));
    EXPECT_EQ(str(cells(out[1])), str(QStringList{u"1"_s, u"Mon,Tues,Wed,Thur,Fri"_s, u"08:00:00"_s, u"08:30:00"_s,
                                                  u"LOCAL"_s, u"LocalZone1"_s}));
    EXPECT_EQ(columnStarts(out[1]), columnStarts(out[0]).mid(0, 6));

    writeFile(home.file(u"Config_name.ini"_s), "[ZoneUnit0]\nname=Hall\n");
    r = dat(args + QStringList{u"--lang"_s, u"en"_s});
    EXPECT_EQ(str(cells(lines(r.out).value(1)).value(5)), "Hall") << r.out.toStdString();

    r = dat(args + QStringList{u"--lang"_s, u"zh"_s});
    ASSERT_EQ(r.code, 0);
    out = lines(r.out);
    ASSERT_EQ(out.size(), 2);
    EXPECT_EQ(str(cells(out[0])), str(QStringList{u"序号"_s, u"星期"_s, u"开始时间"_s, u"结束时间"_s, u"节目设定"_s,
                                                  u"分区选择"_s, u"电源"_s}));
    EXPECT_EQ(str(cells(out[1])),
              str(QStringList{u"1"_s, u"一,二,三,四,五"_s, u"08:00:00"_s, u"08:30:00"_s, u"主机MP3"_s, u"Hall"_s}));
    EXPECT_EQ(columnStarts(out[1]), columnStarts(out[0]).mid(0, 6));

    // Without --lang the home folder's language setting decides (1 = English).
    writeFile(home.file(u"Config.ini"_s), "[LanguageSelect]\nID=1\n");
    EXPECT_TRUE(dat(args).out.startsWith(u"Number"_s));
    writeFile(home.file(u"Config.ini"_s), "[LanguageSelect]\nID=0\n");
    EXPECT_TRUE(dat(args).out.startsWith(u"序号"_s));

    r = dat({u"show"_s, fx(u"fx-full-256"_s), u"--home"_s, home.path(), u"--lang"_s, u"en"_s});
    EXPECT_EQ(r.code, 0);
    out = lines(r.out);
    ASSERT_EQ(out.size(), 257);
    EXPECT_EQ(str(cells(out[256]).value(0)), "256");
}

TEST(DatToolBackups, ListsTheKeptVersionsWithTimeSizeEntriesAndMarks) {
    TempHome home;
    const auto keep = [&](const QString& file, const QString& name, const QByteArray& bytes) {
        QDir().mkpath(home.file(u"backups/"_s + file));
        writeFile(home.file(u"backups/"_s + file + u'/' + name), bytes);
    };
    keep(u"SCH01.DAT"_s, u"2026-12-09T08-15-02.DAT"_s, readFile(fx(u"fx-example"_s)));
    keep(u"SCH01.DAT"_s, u"2026-12-09T08-15-02-1-damaged.DAT"_s, readFile(fx(u"fx-bad-offset"_s)));
    keep(u"SCH01.DAT"_s, u"2026-12-09T07-00-00-import.DAT"_s, QByteArray());
    keep(u"SDATE01.DAT"_s, u"2026-12-08T23-59-59.DAT"_s, "special dates");
    keep(u"SCH01.DAT"_s, u"notes.txt"_s, "not a version");

    Result r = dat({u"backups"_s, home.path()});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    const QString example = QString::number(readFile(fx(u"fx-example"_s)).size());
    const QString bad = QString::number(readFile(fx(u"fx-bad-offset"_s)).size());
    EXPECT_EQ(str(lines(r.out)), str(QStringList{u"SCH01.DAT\t2026-12-09 07:00:00\t0\t-\timport"_s,
                                                 u"SCH01.DAT\t2026-12-09 08:15:02\t"_s + example + u"\t1"_s,
                                                 u"SCH01.DAT\t2026-12-09 08:15:02\t"_s + bad + u"\t2\tdamaged"_s,
                                                 u"SDATE01.DAT\t2026-12-08 23:59:59\t13\t-"_s}));
    r = dat({u"backups"_s, home.path(), u"sdate01.dat"_s});
    EXPECT_EQ(str(lines(r.out)), str(QStringList{u"SDATE01.DAT\t2026-12-08 23:59:59\t13\t-"_s}));
    r = dat({u"backups"_s, home.file(u"nothing-here"_s)});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(u"no such folder"_s)) << r.err.toStdString();
    EXPECT_EQ(dat({u"backups"_s}).code, 2);
}

TEST(DatToolClashes, OneLinePerClashingPairInTheListsWordsAndAnExitStatusThatSaysSo) {
    TempHome home;
    auto table = makeTable();
    TimingEntry bell = exampleEntry(); // Monday to Friday 08:00:00-08:30:00, zone 1
    appendEntry(*table, bell);
    TimingEntry elsewhere = bell; // another zone: no clash
    elsewhere.zoneMask[0] = 0x2;
    appendEntry(*table, elsewhere);
    TimingEntry announcement = bell; // Tuesday 08:20:00-08:45:00 in zones 1 and 2
    announcement.weekdays = 0x4;
    announcement.startMinute = 20;
    announcement.endMinute = 45;
    announcement.zoneMask[0] = 0x3;
    appendEntry(*table, announcement);
    const QString file = home.file(u"SCH01.DAT"_s);
    ASSERT_TRUE(saveTableFile(file, *table).ok);

    Result r = dat({u"clashes"_s, file, u"--lang"_s, u"en"_s, u"--home"_s, home.path()});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(str(lines(r.out)), str(QStringList{u"1\t3\tTues\t08:20:00-08:30:00\tLocalZone1"_s,
                                                 u"2\t3\tTues\t08:20:00-08:30:00\tLocalZone2"_s}));
    writeFile(home.file(u"Config_name.ini"_s), "[ZoneUnit0]\nname=Hall\n");
    r = dat({u"clashes"_s, file, u"--lang"_s, u"zh"_s, u"--home"_s, home.path()});
    EXPECT_EQ(str(lines(r.out).value(0)), "1\t3\t二\t08:20:00-08:30:00\tHall");

    // No clash: nothing printed, status 0. A missing file and a usage error: status 2.
    table->entries.resize(2);
    ASSERT_TRUE(saveTableFile(file, *table).ok);
    r = dat({u"clashes"_s, file, u"--home"_s, home.path()});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(str(r.out), "");
    EXPECT_EQ(dat({u"clashes"_s, home.file(u"none.DAT"_s)}).code, 1);
    EXPECT_EQ(dat({u"clashes"_s}).code, 2);
    EXPECT_EQ(dat({u"clashes"_s, file, u"--lang"_s, u"fr"_s}).code, 2);
}

TEST(DatToolReport, PrintsTheScheduleAsCsvWithEverySongAndTheFmFrequency) {
    TempHome home;
    auto table = makeTable();
    TimingEntry bell = exampleEntry(); // Monday to Friday 08:00:00-08:30:00, zone 1, host MP3 "a.mp3"
    bell.playlist << u"say \"hi\", all.mp3"_s << u"上课.mp3"_s;
    appendEntry(*table, bell);
    TimingEntry radio = bell;
    radio.sourceMask = source::kHostFm;
    radio.fmFrequency = 9850; // 98.5 MHz
    radio.weekdays = 0x1;     // Sunday
    appendEntry(*table, radio);
    TimingEntry internal = exampleEntry(); // the same song from the controller's own storage
    internal.playlistOnCard = 0;
    appendEntry(*table, internal);
    const QString file = home.file(u"SCH02.DAT"_s);
    ASSERT_TRUE(saveTableFile(file, *table).ok);

    QProcess p;
    p.start(QStringLiteral(QUORVAN_DAT_EXE),
            {u"report"_s, file, u"--csv"_s, u"--lang"_s, u"en"_s, u"--home"_s, home.path()});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_EQ(p.readAllStandardOutput().toStdString(),
              std::string("\xEF\xBB\xBF"
                         "Number,Week,Start time,End time,Sound,Zone Select,Power,FM frequency,Songs\r\n"
                         "1,\"Mon,Tues,Wed,Thur,Fri\",08:00:00,08:30:00,LOCAL,LocalZone1,,,"
                         "\"Ext stroage: a.mp3; say \"\"hi\"\", all.mp3; \xE4\xB8\x8A\xE8\xAF\xBE.mp3\"\r\n"
                         "2,Sun,08:00:00,08:30:00,LOCAL FM,LocalZone1,,98.5MHz,\r\n"
                         "3,\"Mon,Tues,Wed,Thur,Fri\",08:00:00,08:30:00,LOCAL,LocalZone1,,,Internal storage: a.mp3\r\n"));

    // In Chinese with the operator's zone name; a missing file: status 1, no --csv: status 2.
    writeFile(home.file(u"Config_name.ini"_s), "[ZoneUnit0]\nname=Hall\n");
    const Result r = dat({u"report"_s, file, u"--csv"_s, u"--lang"_s, u"zh"_s, u"--home"_s, home.path()});
    EXPECT_EQ(r.code, 0);
    const QStringList rows = r.out.split(u"\r\n"_s); // the byte-order mark is read as such
    ASSERT_EQ(rows.size(), 5) << r.out.toStdString();
    EXPECT_EQ(str(rows[0]), str(u"序号,星期,开始时间,结束时间,节目设定,分区选择,电源,调频频率,歌曲"_s));
    EXPECT_TRUE(rows[3].endsWith(u",主机内存: a.mp3"_s)) << str(rows[3]);
    EXPECT_TRUE(rows[1].startsWith(u"1,\"一,二,三,四,五\",08:00:00,08:30:00,主机MP3,Hall,"_s)) << str(rows[1]);
    EXPECT_EQ(dat({u"report"_s, file, u"--lang"_s, u"en"_s}).code, 2);
    EXPECT_EQ(dat({u"report"_s, home.file(u"none.DAT"_s), u"--csv"_s}).code, 1);
}

TEST(DatToolCardCheck, OneLinePerMissingSongAndFileWithAnExitStatusThatSaysSo) {
    TempHome home;
    const QString data = home.file(u"data"_s);
    const QString card = home.file(u"card"_s);
    ASSERT_TRUE(QDir().mkpath(data) && QDir().mkpath(card));
    auto table = makeTable();
    TimingEntry bell = exampleEntry(); // "a.mp3" on the card
    appendEntry(*table, bell);
    appendEntry(*table, bell);
    bell.playlist << u"Zulu.mp3"_s;
    appendEntry(*table, bell);
    ASSERT_TRUE(saveTableFile(data + u"/SCH01.DAT"_s, *table).ok);
    ASSERT_TRUE(saveTableFile(data + u"/REMOTE.DAT"_s, *table).ok);

    Result r = dat({u"card-check"_s, data, card});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(str(r.out), "a.mp3\tREMOTE.DAT\t1,2,3\na.mp3\tSCH01.DAT\t1,2,3\n"
                          "Zulu.mp3\tREMOTE.DAT\t3\nZulu.mp3\tSCH01.DAT\t3\n");
    writeFile(card + u"/A.MP3"_s, "ID3");
    writeFile(card + u"/zulu.MP3"_s, "ID3");
    r = dat({u"card-check"_s, data, card});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(str(r.out), "");
    EXPECT_EQ(dat({u"card-check"_s, data}).code, 2);
    EXPECT_EQ(dat({u"card-check"_s, data, home.file(u"no-card"_s)}).code, 2);
}

TEST(DatToolTexts, PrintsBothTablesExactly) {
    for (const QString& lang : {u"en"_s, u"zh"_s}) {
        const Result r = dat({u"texts"_s, lang});
        EXPECT_EQ(r.code, 0);
        EXPECT_TRUE(r.out.toUtf8() == readFile(dataPath(u"texts-%1.txt"_s.arg(lang)))) << lang.toStdString();
    }
}

TEST(DatToolUsage, HelpVersionAndUsageErrors) {
    Result r = dat({u"--help"_s});
    EXPECT_EQ(r.code, 0);
    for (const QString& command : {u"json"_s, u"from-json"_s, u"show"_s, u"check"_s, u"texts"_s})
        EXPECT_TRUE(r.out.contains(command)) << command.toStdString();
    const QString usage = r.out;
    r = dat({u"--version"_s});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(QRegularExpression(u"^quorvan-dat \\d+\\.\\d+"_s).match(r.out).hasMatch()) << r.out.toStdString();

    const QStringList wrong[] = {{},
                                 {u"frobnicate"_s},
                                 {u"json"_s},
                                 {u"from-json"_s, dataPath(u"fx-example.json"_s)},
                                 {u"texts"_s, u"fr"_s},
                                 {u"check"_s},
                                 {u"show"_s, fx(u"fx-example"_s), u"--lang"_s, u"de"_s}};
    for (const QStringList& args : wrong) {
        r = dat(args);
        EXPECT_EQ(r.code, 2) << args.join(u' ').toStdString();
        EXPECT_EQ(str(r.out), "") << args.join(u' ').toStdString();
        EXPECT_TRUE(r.err.contains(usage)) << args.join(u' ').toStdString();
    }

    // Unknown options and missing values are refused with a line that names them, before any file is read.
    const struct {
        QStringList args;
        const char* line;
    } refused[] = {
        {{u"--bogus"_s, u"json"_s, fx(u"fx-example"_s)}, "quorvan-dat: unknown option --bogus\n"},
        {{u"json"_s, u"--bogus"_s, fx(u"fx-example"_s)}, "quorvan-dat: unknown option --bogus\n"},
        {{u"check"_s, u"-x"_s, fx(u"fx-example"_s)}, "quorvan-dat: unknown option -x\n"},
        {{u"show"_s, fx(u"fx-example"_s), u"--lang"_s}, "quorvan-dat: show: Missing value after '--lang'.\n"}};
    for (const auto& c : refused) {
        r = dat(c.args);
        EXPECT_EQ(r.code, 2) << c.line;
        EXPECT_TRUE(r.err.startsWith(QString::fromUtf8(c.line))) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(usage));
    }
    // After "--" a name may start with a dash: it is a file, checked like any other.
    r = dat({u"check"_s, u"--"_s, u"-no-such-file"_s});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.out.startsWith(u"-no-such-file"_s)) << r.out.toStdString();
}

// Every reading command on something that is not a readable schedule file: exit 1 and the file named on
// standard error. Nothing is printed as if the file were an empty schedule, nothing waits on a FIFO, and a
// folder named with --home is not created.
TEST(DatToolReading, FilesThatCannotBeTakenFailWithTheirNameAndCreateNothing) {
    const TempHome dir;
    const QString fifo = dir.file(u"fifo.DAT"_s);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString link = dir.file(u"link.DAT"_s);
    ASSERT_TRUE(QFile::link(fx(u"fx-example"_s), link));
    const QString folder = dir.file(u"folder.DAT"_s);
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString huge = dir.file(u"huge.DAT"_s); // one byte more than the largest schedule, sparse
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(kMaxScheduleFileBytes + 1));
    }
    const QString missing = dir.file(u"missing.DAT"_s);
    const QString absentHome = dir.file(u"no-home"_s);
    for (const QString& file : {fifo, link, folder, huge, missing}) {
        const QList<QStringList> commands = {
            {u"json"_s, file},
            {u"show"_s, file, u"--home"_s, absentHome},
            {u"clashes"_s, file},
            {u"report"_s, file, u"--csv"_s},
            {u"check"_s, file},
        };
        for (const QStringList& command : commands) {
            const Result r = dat(command);
            const std::string what = command.join(u' ').toStdString();
            EXPECT_EQ(r.code, 1) << what;
            EXPECT_TRUE(r.err.contains(file)) << what << ": " << r.err.toStdString();
            if (command.first() != u"check"_s) {
                EXPECT_EQ(str(r.out), "") << what;
            }
        }
    }
    EXPECT_FALSE(QFileInfo::exists(absentHome));
    // A real file with --home naming a missing folder: refused, and not made either.
    EXPECT_EQ(dat({u"show"_s, fx(u"fx-example"_s), u"--home"_s, absentHome}).code, 1);
    EXPECT_FALSE(QFileInfo::exists(absentHome));

    // card-check: a data folder whose schedule is a link fails and names it, even with no song missing.
    const QString data = dir.file(u"data"_s);
    const QString card = dir.file(u"card"_s);
    ASSERT_TRUE(QDir().mkpath(data) && QDir().mkpath(card));
    ASSERT_TRUE(QFile::link(fx(u"fx-empty"_s), data + u"/SCH02.DAT"_s));
    const Result r = dat({u"card-check"_s, data, card});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(u"SCH02.DAT"_s)) << r.err.toStdString();
}

// from-json refuses exactly what check rejects: each value is written into a valid file's first entry by
// hand, and both commands must name the same field with the same words.
TEST(DatToolFromJson, RefusesWhatCheckRejectsInTheSameWords) {
    const TempHome dir;
    const QByteArray valid = readFile(fx(u"fx-example"_s));
    const QJsonValue doc = parse(readFile(dataPath(u"fx-example.json"_s)));
    constexpr int kEntry = 4104; // the first entry's header in fx-example
    struct Case {
        const char* jsonPath;
        const char* field;
        int offset; // within the entry header
        int width;
        int value;
    };
    const Case cases[] = {
        {"entries.0.startHour", "startHour", 4, 1, 99},
        {"entries.0.startMinute", "startMinute", 5, 1, 200},
        {"entries.0.endSecond", "endSecond", 9, 1, 60},
        {"entries.0.mp3PlayMode", "mp3PlayMode", 88, 1, 7},
        {"entries.0.fmFrequency", "fmFrequency", 92, 2, 65535},
        {"entries.0.fmFrequency", "fmFrequency", 92, 2, 8705},
        {"entries.0.dvdTracks.0.track", "dvdTracks[0].track", 94, 2, 65535},
        {"entries.0.dvdTracks.2.repeatMode", "dvdTracks[2].repeatMode", 94 + 8 + 2, 1, 3},
        {"entries.0.extMp3Tracks.1.track", "extMp3Tracks[1].track", 126 + 4, 2, 257},
        {"entries.0.extRadioPresets.7", "extRadioPresets[7]", 158 + 14, 2, 31},
    };
    for (const Case& c : cases) {
        QByteArray bytes = valid;
        bytes[kEntry + c.offset] = char(c.value & 0xFF);
        if (c.width == 2)
            bytes[kEntry + c.offset + 1] = char(c.value >> 8);
        writeFile(dir.file(u"bad.DAT"_s), bytes);
        const Result checked = dat({u"check"_s, dir.file(u"bad.DAT"_s)});
        ASSERT_EQ(lines(checked.out).size(), 1) << c.jsonPath << checked.out.toStdString();
        const QString prefix = dir.file(u"bad.DAT"_s) + u": entry 1: "_s + QLatin1String(c.field) + u": "_s;
        ASSERT_TRUE(checked.out.startsWith(prefix)) << checked.out.toStdString();
        const QString words = lines(checked.out).first().mid(prefix.size());

        writeFile(dir.file(u"in.json"_s), toText(edited(doc, QString::fromLatin1(c.jsonPath).split(u'.'), c.value)));
        writeFile(dir.file(u"out.DAT"_s), "old");
        const Result r = dat({u"from-json"_s, dir.file(u"in.json"_s), dir.file(u"out.DAT"_s)});
        EXPECT_EQ(r.code, 1) << c.jsonPath;
        EXPECT_EQ(str(r.err), str(u"quorvan-dat: "_s + dir.file(u"in.json"_s) + u": entries[0]."_s +
                                  QLatin1String(c.field) + u": "_s + words + u'\n'))
            << c.jsonPath;
        EXPECT_EQ(readFile(dir.file(u"out.DAT"_s)), QByteArray("old")) << c.jsonPath;
    }
}

namespace {

// "HH:MM:SS-HH:MM:SS" of every entry of a schedule file.
QStringList timesIn(const QString& path) {
    ScheduleTable table;
    loadTableFile(path, table);
    QStringList times;
    for (const TimingEntry& e : table.entries)
        times << QString::asprintf("%02d:%02d:%02d-%02d:%02d:%02d", e.startHour, e.startMinute, e.startSecond,
                                   e.endHour, e.endMinute, e.endSecond);
    return times;
}

} // namespace

TEST(DatToolShift, MovesTheChosenEntriesOrNothingAtAll) {
    TempHome home;
    ScheduleTable table;
    for (const int hour : {8, 12, 23}) {
        TimingEntry e = exampleEntry(); // hh:00:00-hh:30:00
        e.startHour = e.endHour = std::uint8_t(hour);
        appendEntry(table, e);
    }
    const QString file = home.file(u"SCH01.DAT"_s);
    ASSERT_TRUE(saveTableFile(file, table).ok);

    EXPECT_EQ(dat({u"shift"_s, file, u"+10"_s, u"--entries"_s, u"1,3"_s}).code, 0);
    EXPECT_EQ(str(timesIn(file)),
              str(QStringList{u"08:10:00-08:40:00"_s, u"12:00:00-12:30:00"_s, u"23:10:00-23:40:00"_s}));
    EXPECT_EQ(dat({u"shift"_s, file, u"-1:10:30"_s}).code, 0) << "a negative offset is no option";
    EXPECT_EQ(str(timesIn(file)),
              str(QStringList{u"06:59:30-07:29:30"_s, u"10:49:30-11:19:30"_s, u"21:59:30-22:29:30"_s}));

    // Past midnight, or an entry the file lacks: each named, the file as it was.
    const QByteArray before = readFile(file);
    Result r = dat({u"shift"_s, file, u"+1:31"_s, u"--entries"_s, u"2-3"_s});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(str(r.err),
              str(u"quorvan-dat: "_s + file + u": Entry 3: its start or end would leave 00:00:00-23:59:59.\n"_s));
    r = dat({u"shift"_s, file, u"-7:00"_s});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(lines(r.err).size(), 1) << str(r.err);
    r = dat({u"shift"_s, file, u"+5"_s, u"--entries"_s, u"2,4"_s});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(u"Entry 4: there is no such entry."_s)) << str(r.err);
    EXPECT_EQ(readFile(file), before);

    for (const QStringList& usage :
         {QStringList{u"shift"_s, file}, QStringList{u"shift"_s, file, u"10"_s},
          QStringList{u"shift"_s, file, u"+1:5"_s}, QStringList{u"shift"_s, file, u"+5"_s, u"--entries"_s, u"3-1"_s},
          QStringList{u"shift"_s, file, u"-x"_s}})
        EXPECT_EQ(dat(usage).code, 2) << str(usage.join(u' '));
    EXPECT_EQ(readFile(file), before);
    EXPECT_EQ(dat({u"shift"_s, home.file(u"none.DAT"_s), u"+5"_s}).code, 1);
}

TEST(DatToolBells, AppendsADayOfBellsAsThePatternSays) {
    TempHome home;
    const QString file = home.file(u"SCH02.DAT"_s); // not there yet: counts as empty
    Result r =
        dat({u"bells"_s,   file,          u"--first"_s, u"08:00"_s,       u"--lesson"_s, u"45"_s,     u"--count"_s,
             u"3"_s,       u"--breaks"_s, u"10,0"_s,    u"--song"_s,      u"bell.mp3"_s, u"--song"_s, u"上课.mp3"_s,
             u"--zones"_s, u"1,3"_s,      u"--days"_s,  u"mon,wed-fri"_s, u"--power"_s,  u"6"_s});
    ASSERT_EQ(r.code, 0) << str(r.err);
    // 08:00-08:45, 08:55-09:40, 09:40-10:25: the bell at 09:40 rings once.
    EXPECT_EQ(str(timesIn(file)),
              str(QStringList{u"08:00:00-08:00:10"_s, u"08:45:00-08:45:10"_s, u"08:55:00-08:55:10"_s,
                              u"09:40:00-09:40:10"_s, u"10:25:00-10:25:10"_s}));
    ScheduleTable table;
    ASSERT_EQ(loadTableFile(file, table), 5);
    const TimingEntry& e = table.entries[3];
    EXPECT_EQ(e.weekdays, 0x3Au);
    EXPECT_EQ(e.zoneMask[0], 0x5u);
    EXPECT_EQ(e.powerMask[1], 0x1u) << "channel 6 is the first bit of word 1";
    EXPECT_EQ(e.sourceMask, 1u);
    EXPECT_EQ(str(e.playlist.join(u'|')), "bell.mp3|上课.mp3");
    EXPECT_TRUE(e.playlistOnCard);

    // Appended after what is there, --internal and the defaults; then refusals leave the file as it was.
    r = dat({u"bells"_s, file, u"--first"_s, u"13:00"_s, u"--lesson"_s, u"40"_s, u"--count"_s, u"1"_s, u"--at"_s,
             u"end"_s, u"--ring"_s, u"5"_s, u"--song"_s, u"b.mp3"_s, u"--internal"_s});
    ASSERT_EQ(r.code, 0) << str(r.err);
    ASSERT_EQ(loadTableFile(file, table), 6);
    EXPECT_EQ(str(timesIn(file).last()), "13:40:00-13:40:05");
    EXPECT_FALSE(table.entries[5].playlistOnCard);
    EXPECT_EQ(table.entries[5].weekdays, 0x3Eu);
    EXPECT_EQ(table.entries[5].zoneMask[0], 0xFFu);
    const QByteArray before = readFile(file);
    r = dat({u"bells"_s, file, u"--lesson"_s, u"1"_s, u"--song"_s, u"b.mp3"_s, u"--first"_s, u"06:00"_s, u"--count"_s,
             u"126"_s, u"--breaks"_s, u"1"_s});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(u"252 bells and the 6 entries there are make more than 256."_s)) << str(r.err);
    const QStringList base{u"bells"_s, file, u"--lesson"_s, u"10"_s, u"--song"_s, u"b.mp3"_s};
    r = dat(base + QStringList{u"--first"_s, u"23:50"_s, u"--count"_s, u"1"_s});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(u"The bell at 24:00:00 would end after 23:59:59."_s)) << str(r.err);
    EXPECT_EQ(dat({u"bells"_s, file, u"--first"_s, u"08:00"_s, u"--lesson"_s, u"45"_s, u"--count"_s, u"1"_s}).code, 1)
        << "no song";
    EXPECT_EQ(dat(base + QStringList{u"--first"_s, u"8"_s, u"--count"_s, u"1"_s}).code, 2);
    EXPECT_EQ(dat(base + QStringList{u"--first"_s, u"08:00"_s, u"--count"_s, u"1"_s, u"--days"_s, u"mon-xyz"_s}).code,
              2);
    EXPECT_EQ(dat(base + QStringList{u"--first"_s, u"08:00"_s, u"--count"_s, u"1"_s, u"--zones"_s, u"41"_s}).code, 2);
    EXPECT_EQ(readFile(file), before);
}

// One line per difference in the alignment's order, the fields by their JSON keys; exit 0 the same, 1 different,
// 2 when a file cannot be taken (a missing one is empty).
TEST(DatToolDiff, PrintsTheDifferencesInAlignmentOrderAndExitsByTheOutcome) {
    TempHome home;
    const auto write = [&](const QString& name, std::initializer_list<int> hours, int changedAt = -1) {
        ScheduleTable table;
        for (const int hour : hours) {
            TimingEntry e = exampleEntry();
            e.startHour = std::uint8_t(hour);
            if (hour == changedAt) {
                e.endMinute = 45;
                e.playlist << u"b.mp3"_s;
            }
            appendEntry(table, e);
        }
        EXPECT_TRUE(saveTableFile(home.file(name), table).ok);
        return home.file(name);
    };
    const QString a = write(u"A.DAT"_s, {7, 8, 9, 10});
    const QString b = write(u"B.DAT"_s, {8, 9, 10, 11}, 9);
    Result r = dat({u"diff"_s, a, b});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(str(r.out), "-\t1\n~\t3\t2\tendMinute,playlist\n+\t4\n");
    EXPECT_TRUE(r.err.isEmpty()) << str(r.err);

    r = dat({u"diff"_s, a, a});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.isEmpty());
    r = dat({u"diff"_s, home.file(u"none.DAT"_s), write(u"C.DAT"_s, {8, 9})});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(str(r.out), "+\t1\n+\t2\n");

    ASSERT_TRUE(QFile::link(a, home.file(u"link.DAT"_s)));
    QByteArray damaged = readFile(a);
    damaged[0] = 0;
    writeFile(home.file(u"bad.DAT"_s), damaged);
    for (const QString& unreadable : {home.file(u"link.DAT"_s), home.file(u"bad.DAT"_s)}) {
        r = dat({u"diff"_s, a, unreadable});
        EXPECT_EQ(r.code, 2) << str(unreadable);
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.contains(unreadable)) << str(r.err);
    }
    EXPECT_EQ(dat({u"diff"_s, a}).code, 2);
}

namespace {

// Entries whose cells a spreadsheet could take apart: every bit set, a formula-like song, a lone quote, separators
// in names, Chinese, tracks and presets, the FM band.
ScheduleTable awkwardTable() {
    ScheduleTable table;
    TimingEntry all = exampleEntry();
    all.weekdays = 0xFFFFFFFFu;
    for (int w = 0; w < 9; ++w)
        all.zoneMask[w] = all.powerMask[w] = 0xFFFFFFFFu;
    all.sourceMask = 0xFFFFFFFFu;
    all.startHour = 23;
    all.startMinute = all.startSecond = 59;
    all.endHour = 0;
    all.endSecond = 1;
    all.dvdTracks[0] = {12, 1, 3};
    all.extMp3Tracks[7] = {256, 2, 255};
    all.extRadioPresets[4] = 30;
    all.fmFrequency = 9550;
    all.playlist = {u"=SUM(A1).mp3"_s, u"'q.mp3"_s, u"\""_s, u"a,b;c.mp3"_s, u"上课铃.mp3"_s, u" lead.mp3"_s};
    all.playlistOnCard = false;
    table.entries.push_back(all);
    TimingEntry zones = exampleEntry();
    zones.zoneMask[0] = 0xFF; // "1-8" alone, which a spreadsheet could take for a date
    zones.playlist = {u"1-8"_s};
    zones.startHour = 12;
    table.entries.push_back(zones);
    return table;
}

} // namespace

// to-csv and from-csv: the same file back, every problem on its own line by row and column with OUT_FILE
// untouched, the twelve remote keys at most for REMOTE.DAT.
TEST(DatToolCsv, WritesAndReadsTheCsvOrSaysEveryProblem) {
    TempHome home;
    const QString file = home.file(u"SCH01.DAT"_s);
    ASSERT_TRUE(saveTableFile(file, awkwardTable()).ok);
    Result r = dat({u"to-csv"_s, file});
    ASSERT_EQ(r.code, 0) << str(r.err);
    writeFile(home.file(u"s.csv"_s), r.out.toUtf8());
    EXPECT_EQ(dat({u"from-csv"_s, home.file(u"s.csv"_s), home.file(u"BACK.DAT"_s)}).code, 0);
    EXPECT_EQ(readFile(home.file(u"BACK.DAT"_s)), readFile(file));

    writeFile(home.file(u"bad.csv"_s),
              "Days,Start,End,Zones,Sources\r\nMon,25:00,8:00,1,LocalMP3\r\nMon,8:00,8:00,0,\r\n");
    const QByteArray kept = readFile(file);
    r = dat({u"from-csv"_s, home.file(u"bad.csv"_s), file});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(str(r.err), str(u"quorvan-dat: %1: row 2, Start: '25:00' is not a time\n"
                              "quorvan-dat: %1: row 3, Zones: '0' is not a number or range from 1 to 136\n"_s.arg(
                                  home.file(u"bad.csv"_s))));
    EXPECT_EQ(readFile(file), kept);

    QByteArray thirteen = "Days,Start,End,Zones,Sources\r\n";
    for (int i = 0; i < 13; ++i)
        thirteen += ",0:00,0:00,1,LocalMP3\r\n";
    writeFile(home.file(u"keys.csv"_s), thirteen);
    r = dat({u"from-csv"_s, home.file(u"keys.csv"_s), home.file(u"REMOTE.DAT"_s)});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(u"row 14: more than 12 entries"_s)) << str(r.err);
    EXPECT_FALSE(QFileInfo::exists(home.file(u"REMOTE.DAT"_s)));

    EXPECT_EQ(dat({u"to-csv"_s, home.file(u"none.DAT"_s)}).code, 1);
    EXPECT_EQ(dat({u"from-csv"_s, home.file(u"s.csv"_s)}).code, 2);
}

// The CSV opened in LibreOffice Calc and saved again, with semicolons as in many locales (Calc writes its times
// as 08:00:00 AM and quotes what it likes): the same file comes back.
TEST(DatToolCsv, ACsvResavedByLibreOfficeCalcGivesTheSameFile) {
    const QString soffice = QStandardPaths::findExecutable(u"soffice"_s);
    if (soffice.isEmpty())
        GTEST_SKIP() << "LibreOffice Calc is not installed (scripts/setup-deps installs it)";
    TempHome home;
    const QString file = home.file(u"SCH01.DAT"_s);
    ASSERT_TRUE(saveTableFile(file, awkwardTable()).ok);
    const Result csv = dat({u"to-csv"_s, file});
    ASSERT_EQ(csv.code, 0);
    writeFile(home.file(u"s.csv"_s), csv.out.toUtf8());
    const auto calc = [&](const QStringList& args) {
        QProcess p;
        p.start(soffice,
                QStringList{u"-env:UserInstallation=file://"_s + home.file(u"profile"_s), u"--headless"_s} + args);
        EXPECT_TRUE(p.waitForFinished(180000)) << str(args.join(u' '));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    };
    calc({u"--infilter=CSV:44,34,76,1"_s, u"--convert-to"_s, u"ods"_s, u"--outdir"_s, home.path(),
          home.file(u"s.csv"_s)});
    calc({u"--convert-to"_s, u"csv:Text - txt - csv (StarCalc):59,34,76,1"_s, u"--outdir"_s, home.file(u"back"_s),
          home.file(u"s.ods"_s)});
    const QByteArray resaved = readFile(home.file(u"back/s.csv"_s));
    ASSERT_TRUE(resaved.contains("11:59:59 PM")) << resaved.toStdString();
    const Result back = dat({u"from-csv"_s, home.file(u"back/s.csv"_s), home.file(u"BACK.DAT"_s)});
    EXPECT_EQ(back.code, 0) << str(back.err);
    EXPECT_EQ(readFile(home.file(u"BACK.DAT"_s)), readFile(file));
}
