#pragma once

#include "core/files/AtomicFile.h"
#include "core/history/BackupStore.h"
#include "core/history/DataStep.h"

#include <vector>

namespace quorvan {

struct RestoreOutcome {
    SaveResult result;
    DataStep step; // what the restore changed, for the undo history; empty when nothing changed
};

// Puts kept versions back into the data folder, each crash-safe, after keeping the files they replace as
// backups. Several versions (an import's group) go back together: when one cannot be written, those already
// written are put back as they were.
RestoreOutcome restoreVersions(const QString& dataFolder, const std::vector<BackupVersion>& versions,
                               BackupStore& backups, const StepLabel& label);

} // namespace quorvan
