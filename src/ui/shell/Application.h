#pragma once

#include <QString>

#include <optional>

namespace quorvan {

class HomeLock;
class Prompts;

// The application: resolves the home folder, creates the one model, text table, name tables, settings files
// and serial connection of the process, and runs the main window until the user closes it.
class Application {
public:
    // Runs the program on the home folder given with --home (or the default one); returns the exit status.
    int run(const std::optional<QString>& homeOption);

    // Takes the home folder for this program; when another program holds it, says so (in English and in
    // Chinese: which language the other window uses is not known here) and returns false. A home where no lock
    // can be made is used all the same.
    static bool holdHome(HomeLock& lock, const QString& folder, Prompts& prompts);
};

} // namespace quorvan
