#pragma once

#include <QString>
#include <QStringList>

namespace quorvan {

struct HomeFolderChoice {
    QString folder; // absolute, ends with '/'
    QString error;  // non-empty when the folder named on the command line or in QUORVAN_HOME is unusable
};

// The program folder that holds Config.ini, Config_name.ini and zone_data/: the folder after "--home DIR"
// (or "--home=DIR") in args, else $QUORVAN_HOME, else the executable's folder when it is writable, else the
// per-user data folder. A folder named explicitly is created when missing.
HomeFolderChoice resolveProgramFolder(const QStringList& args, const QString& environmentHome,
                                      const QString& executableFolder);

// The same, for the running process (QCoreApplication must exist).
HomeFolderChoice programFolderPath();

// Removes "--home DIR" / "--home=DIR" from args.
QStringList withoutHomeOption(const QStringList& args);

} // namespace quorvan
