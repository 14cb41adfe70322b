#pragma once

#include "core/files/ScheduleFileCheck.h"

#include <QString>

#include <vector>

namespace quorvan {

class BackupStore;

// A document's data file that exists and has content but fails the file checks: its problems, with the file's
// bytes kept as a backup version marked damaged, before anything can overwrite them. An empty result for a
// missing or empty file (a new controller starts that way) and for a valid one.
std::vector<FileProblem> keepIfDamaged(const QString& dataFolder, const QString& name, BackupStore& backups,
                                       QString* backupError = nullptr);

// The problems as lines for the operator, at most `lines` of them ("entry 3: playlist[0].fileName: …").
QString problemLines(const std::vector<FileProblem>& problems, int lines);

} // namespace quorvan
