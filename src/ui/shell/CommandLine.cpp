#include "ui/shell/CommandLine.h"

#include <QCommandLineParser>

#ifndef QUORVAN_VERSION
#define QUORVAN_VERSION "1.0.0"
#endif

namespace quorvan {

CommandLine CommandLine::parse(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    const QCommandLineOption home(QStringLiteral("home"), QString(), QStringLiteral("DIR"));
    parser.addOptions({help, version, home});
    const bool parsed = parser.parse(arguments);

    CommandLine line;
    if (parser.isSet(help)) {
        line.action = Action::ShowHelp;
    } else if (parser.isSet(version)) {
        line.action = Action::ShowVersion;
    } else if (!parsed) {
        line.action = Action::Refuse;
        const QStringList unknown = parser.unknownOptionNames();
        line.error =
            unknown.isEmpty()
                ? parser.errorText()
                : QStringLiteral("unknown option %1%2")
                      .arg(unknown.first().size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), unknown.first());
    } else if (!parser.positionalArguments().isEmpty()) {
        line.action = Action::Refuse;
        line.error = QStringLiteral("unexpected argument ") + parser.positionalArguments().first();
    } else if (parser.isSet(home)) {
        line.home = parser.values(home).first();
    }
    return line;
}

QString CommandLine::helpText() {
    return QStringLiteral("Usage: quorvan [--home DIR]\n"
                          "Edits the schedules of the zone broadcast controller.\n"
                          "  --home DIR   folder of Config.ini, Config_name.ini and zone_data/\n"
                          "               (default: $QUORVAN_HOME, else the program's folder)\n"
                          "  --version    print the version\n");
}

QString CommandLine::versionText() {
    return QStringLiteral("quorvan " QUORVAN_VERSION "\n");
}

} // namespace quorvan
