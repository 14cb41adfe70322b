#pragma once

#include "core/files/AtomicFile.h"
#include "core/history/FileDelta.h"

#include <QString>

#include <vector>

namespace quorvan {

class BackupStore;

// What a step did, for its name in the undo history and for the page to show afterwards.
struct StepLabel {
    enum class Kind {
        AddEntry,
        ChangeEntry,
        DeleteEntry,
        SavePreset,
        ClearPreset,
        Copy,
        Import,
        Restore,
        DeleteEntries,
        DuplicateEntries,
        ShiftEntries,
        AddBells,
        ChangeEntries,
        ImportEntries
    };
    Kind kind = Kind::ChangeEntry;
    QString document; // the data file of the document the step is about, "SCH01.DAT"
    int entry = -1;   // the entry (or remote key) from 0, -1 when none; the first one of several
    QString detail;   // Restore: when the restored version was kept; ShiftEntries: the offset, "+0:10:00"
    int count = 1;    // how many entries a step on several changed
};

// One change to one data file: the states before and after, with what turns one into the other.
struct FileChange {
    QString name;
    bool existedBefore = false;
    bool existsAfter = false;
    std::size_t hashBefore = 0;
    std::size_t hashAfter = 0;
    FileDelta toBefore; // after → before
    FileDelta toAfter;  // before → after
};

// One undoable step: the data files it changed. Undo puts them back as they were before the step, redo as they
// were after it; each file is backed up before it is overwritten and written crash-safe. A file that no longer
// holds what the step left (changed by something else since) is not touched and the step is refused. When one
// of several files cannot be written, those already written are put back, so the step stays whole.
class DataStep {
public:
    StepLabel label;
    std::vector<FileChange> changes;

    bool isEmpty() const { return changes.empty(); }
    SaveResult undo(const QString& dataFolder, BackupStore* backups) const;
    SaveResult redo(const QString& dataFolder, BackupStore* backups) const;
    // Memory held for the step's bytes.
    qint64 storedBytes() const;

    static std::size_t hashOf(const QByteArray& bytes);

private:
    SaveResult apply(const QString& dataFolder, BackupStore* backups, bool toBefore) const;
};

} // namespace quorvan
