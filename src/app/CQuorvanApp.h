#pragma once

#include <QStringList>

namespace quorvan {

// The application: resolves the home folder, creates the one model, text table, name tables, settings files
// and serial connection of the process, and runs the main window until the user closes it.
class CQuorvanApp {
public:
    // Returns the process exit status.
    int InitInstance();
};

} // namespace quorvan
