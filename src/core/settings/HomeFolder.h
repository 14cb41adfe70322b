#pragma once

#include <QString>

#include <optional>

namespace quorvan {

struct HomeFolderChoice {
    QString folder; // absolute, ends with '/'
    QString error;  // non-empty when the folder named on the command line or in QUORVAN_HOME is unusable
};

// The program folder that holds Config.ini, Config_name.ini and zone_data/: the folder given with --home
// (homeOption, when the option was given), else $QUORVAN_HOME, else the executable's folder when it is
// writable and not that of an installed program (PREFIX/bin with PREFIX/share/applications/quorvan.desktop), else
// the per-user data folder. A folder named explicitly is created when missing.
// With FolderUse::LookOnly nothing is created: a folder named explicitly must exist (else an error), and the
// per-user folder is named as it is.
enum class FolderUse { Create, LookOnly };
HomeFolderChoice resolveProgramFolder(const std::optional<QString>& homeOption, const QString& environmentHome,
                                      const QString& executableFolder, FolderUse use = FolderUse::Create);

// The same, for the running process (QCoreApplication must exist).
HomeFolderChoice programFolderPath(const std::optional<QString>& homeOption);

// The operator's manual in a language ("en" or "zh"): the installed copy, PREFIX/share/doc/quorvan/manual/<language>/
// index.html for a program in PREFIX/bin, else the copy in the source tree the program was built from; empty when
// neither is there.
QString manualFile(const QString& executableFolder, const QString& sourceTree, const QString& language);

} // namespace quorvan
