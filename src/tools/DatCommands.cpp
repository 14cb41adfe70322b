#include "tools/DatCommands.h"

#include "editing/CellFormatters.h"
#include "model/DeviceFiles.h"
#include "model/ModelState.h"
#include "model/ScheduleFileCheck.h"
#include "settings/HomeFolder.h"
#include "settings/NameTables.h"
#include "settings/SettingsFiles.h"
#include "settings/TextTable.h"
#include "tools/DatJson.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

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

bool readWholeFile(const QString& path, QByteArray& bytes, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    return true;
}

int cmdJson(const QStringList& args, std::FILE* out, std::FILE* err) {
    if (args.size() != 1)
        return usageError(err, QStringLiteral("json takes one FILE"));
    if (!QFileInfo(args[0]).isFile()) {
        print(err, QStringLiteral("quorvan-dat: %1: no such file\n").arg(args[0]));
        return kFailed;
    }
    auto table = makeTable();
    loadTableFile(args[0], *table);
    const QByteArray json = tableToJson(*table);
    std::fwrite(json.constData(), 1, std::size_t(json.size()), out);
    return kOk;
}

int cmdFromJson(const QStringList& args, std::FILE* err) {
    if (args.size() != 2)
        return usageError(err, QStringLiteral("from-json takes JSON_FILE OUT_FILE"));
    QByteArray json;
    QString error;
    if (!readWholeFile(args[0], json, error)) {
        print(err, QStringLiteral("quorvan-dat: ") + error + u'\n');
        return kFailed;
    }
    auto table = makeTable();
    if (!tableFromJson(json, *table, error)) {
        print(err, QStringLiteral("quorvan-dat: %1: %2\n").arg(args[0], error));
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
        const bool wide = (u >= 0x1100 && u <= 0x115F) || (u >= 0x2E80 && u <= 0xA4CF) || (u >= 0xAC00 && u <= 0xD7A3) ||
                          (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFE30 && u <= 0xFE4F) || (u >= 0xFF00 && u <= 0xFF60) ||
                          (u >= 0xFFE0 && u <= 0xFFE6);
        width += c.isLowSurrogate() ? 0 : (wide ? 2 : 1);
    }
    return width;
}

int cmdShow(const QStringList& args, std::FILE* out, std::FILE* err) {
    QString file, lang, home;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QStringLiteral("--lang") || a == QStringLiteral("--home")) {
            if (i + 1 >= args.size())
                return usageError(err, a + QStringLiteral(" needs a value"));
            (a == QStringLiteral("--lang") ? lang : home) = args[++i];
        } else if (a.startsWith(u'-')) {
            return usageError(err, QStringLiteral("unknown option ") + a);
        } else if (file.isEmpty()) {
            file = a;
        } else {
            return usageError(err, QStringLiteral("show takes one FILE"));
        }
    }
    if (file.isEmpty())
        return usageError(err, QStringLiteral("show needs a FILE"));
    if (!lang.isEmpty() && lang != QStringLiteral("en") && lang != QStringLiteral("zh"))
        return usageError(err, QStringLiteral("--lang must be en or zh"));
    if (!QFileInfo(file).isFile()) {
        print(err, QStringLiteral("quorvan-dat: %1: no such file\n").arg(file));
        return kFailed;
    }

    const QStringList homeArgs = home.isEmpty() ? QStringList() : QStringList{QStringLiteral("--home"), home};
    const HomeFolderChoice folder = resolveProgramFolder(homeArgs, qEnvironmentVariable("QUORVAN_HOME"),
                                                         QCoreApplication::applicationDirPath());
    if (!folder.error.isEmpty()) {
        print(err, QStringLiteral("quorvan-dat: ") + folder.error + u'\n');
        return kFailed;
    }
    const SettingsFiles settings(folder.folder);
    TextTable texts;
    const bool english = lang.isEmpty()
                             ? settings.ReadSetting(QStringLiteral("LanguageSelect"), QStringLiteral("ID")).value == 1
                             : lang == QStringLiteral("en");
    english ? texts.LoadEnglish() : texts.LoadChinese();
    NameTables names;
    settings.LoadNames(names);
    names.ComputeDisplayNames(texts);

    auto table = makeTable();
    loadTableFile(file, *table);
    std::vector<QStringList> rows;
    rows.push_back({texts.Text(30), texts.Text(31), texts.Text(32), texts.Text(33), texts.Text(34), texts.Text(75),
                    texts.Text(36)});
    for (int i = 0; i < table->count; ++i) {
        const TimingEntry& e = table->entries[i];
        rows.push_back({QString::number(i + 1), FormatWeekdays(e.weekdays, texts),
                        FormatTime(e.startHour, e.startMinute, e.startSecond),
                        FormatTime(e.endHour, e.endMinute, e.endSecond), FormatSources(e.sourceMask, texts),
                        FormatZones(e.zoneMask, names), FormatPower(e.powerMask, names, texts)});
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
    return kOk;
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
            allValid = false;
            continue;
        }
        for (const FileProblem& p : checkScheduleBytes(bytes.constData(), bytes.size())) {
            const QString where = p.entry < 0 ? QStringLiteral("header") : QStringLiteral("entry %1").arg(p.entry);
            print(out, QStringLiteral("%1: %2: %3: %4\n").arg(path, where, p.field, p.message));
            allValid = false;
        }
    }
    return allValid ? kOk : kFailed;
}

int cmdTexts(const QStringList& args, std::FILE* out, std::FILE* err) {
    if (args.size() != 1 || (args[0] != QStringLiteral("en") && args[0] != QStringLiteral("zh")))
        return usageError(err, QStringLiteral("texts takes en or zh"));
    TextTable texts;
    args[0] == QStringLiteral("en") ? texts.LoadEnglish() : texts.LoadChinese();
    QString all;
    for (int i = 0; i < TextTable::kCount; ++i)
        all += QString::number(i) + u'\t' + texts.Text(i) + u'\n';
    print(out, all);
    return kOk;
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
        "  texts en|zh                        print the user-interface texts, one per line\n"
        "  --help                             print this help\n"
        "  --version                          print the version\n");
}

int run(const QStringList& args, std::FILE* out, std::FILE* err) {
    if (args.isEmpty())
        return usageError(err, QStringLiteral("missing command"));
    const QString command = args[0];
    const QStringList rest = args.mid(1);
    if (command == QStringLiteral("--help") || command == QStringLiteral("-h")) {
        print(out, usage());
        return kOk;
    }
    if (command == QStringLiteral("--version")) {
        print(out, QStringLiteral("quorvan-dat " QUORVAN_VERSION "\n"));
        return kOk;
    }
    if (command == QStringLiteral("json"))
        return cmdJson(rest, out, err);
    if (command == QStringLiteral("from-json"))
        return cmdFromJson(rest, err);
    if (command == QStringLiteral("show"))
        return cmdShow(rest, out, err);
    if (command == QStringLiteral("check"))
        return cmdCheck(rest, out, err);
    if (command == QStringLiteral("texts"))
        return cmdTexts(rest, out, err);
    return usageError(err, QStringLiteral("unknown command ") + command);
}

} // namespace quorvan::dat
