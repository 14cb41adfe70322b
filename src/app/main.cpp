#include "app/CQuorvanApp.h"

#include <QApplication>

#include <csignal>
#include <cstdio>
#include <cstring>

int main(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::printf("Usage: quorvan [--home DIR]\n"
                        "Edits the schedules of the zone broadcast controller.\n"
                        "  --home DIR   folder of Config.ini, Config_name.ini and zone_data/\n"
                        "               (default: $QUORVAN_HOME, else the program's folder)\n");
            return 0;
        }
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
    return quorvan::CQuorvanApp().InitInstance();
}
