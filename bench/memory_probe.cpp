// The program as it starts (the same Application as quorvan), which reports its resident memory once the main
// window has been up and idle for a while, and again with the copy dialog open; then it ends. Used by
// scripts/bench-memory.
//   memory_probe --home DIR [--copy-dialog]
#include "ui/shell/Application.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace {

// VmRSS of this process in kB.
long residentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

QAbstractButton* copyButton() {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* button = top->findChild<QAbstractButton*>(QStringLiteral("copyTimingButton")))
            return button;
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const qsizetype at = args.indexOf(QStringLiteral("--home"));
    if (at < 0 || at + 1 >= args.size()) {
        std::fprintf(stderr, "usage: memory_probe --home DIR [--copy-dialog]\n");
        return 2;
    }
    const bool copyDialog = args.contains(QStringLiteral("--copy-dialog"));
    constexpr int kSettle = 2500; // ms for the window to be shown, painted and idle
    QTimer::singleShot(kSettle, [copyDialog] {
        std::printf("%ld\n", residentKb());
        std::fflush(stdout);
        QAbstractButton* button = copyDialog ? copyButton() : nullptr;
        if (!button)
            std::_Exit(copyDialog ? 1 : 0);
        QTimer::singleShot(kSettle, [] {
            std::printf("%ld\n", residentKb());
            std::fflush(stdout);
            std::_Exit(0);
        });
        button->click(); // the dialog runs its own loop; the timer above ends the program from inside it
    });
    return quorvan::Application().run(args[at + 1]);
}
