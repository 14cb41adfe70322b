#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace quorvan {

// The command line of the quorvan program: --help, --version and --home DIR (or --home=DIR).
struct CommandLine {
    enum class Action { Run, ShowHelp, ShowVersion, Refuse };

    Action action = Action::Run;
    std::optional<QString> home; // the folder given with --home; the first one when given twice
    QString error;               // with Refuse: what is wrong, in one line

    // arguments[0] is the program. Help and version win over everything else on the line, so they answer even
    // where the line also holds Qt's own options (which QApplication takes out before the final parse).
    static CommandLine parse(const QStringList& arguments);
    static QString helpText();
    static QString versionText();
};

} // namespace quorvan
