#include "ui/shell/Application.h"
#include "ui/shell/CommandLine.h"

#include <QApplication>

#include <csignal>
#include <cstdio>

using quorvan::CommandLine;

int main(int argc, char* argv[]) {
    QStringList rawArguments;
    for (int i = 0; i < argc; ++i)
        rawArguments << QString::fromLocal8Bit(argv[i]);
    // Help and version need no display, so they are answered before Qt looks for one.
    const CommandLine early = CommandLine::parse(rawArguments);
    if (early.action == CommandLine::Action::ShowHelp || early.action == CommandLine::Action::ShowVersion) {
        const QString text =
            early.action == CommandLine::Action::ShowHelp ? CommandLine::helpText() : CommandLine::versionText();
        std::fputs(text.toLocal8Bit().constData(), stdout);
        return 0;
    }
    // Without a display Qt would abort with a cryptic message; say what is missing instead.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fprintf(stderr, "quorvan: no display found. Start it from a desktop session, or under a virtual "
                             "display: xvfb-run scripts/run\n");
        return 1;
    }
    // A full disk or a file-size limit must fail a write, which is reported, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvan"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    // QApplication has taken out its own options (-platform, -style …); what is left must be ours.
    const CommandLine line = CommandLine::parse(QCoreApplication::arguments());
    if (line.action == CommandLine::Action::Refuse) {
        std::fprintf(stderr, "quorvan: %s\nTry 'quorvan --help'.\n", qPrintable(line.error));
        return 2;
    }
    return quorvan::Application().run(line.home);
}
