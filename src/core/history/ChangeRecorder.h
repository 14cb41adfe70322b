#pragma once

#include "core/files/FileContent.h"
#include "core/history/BackupStore.h"
#include "core/history/DataStep.h"

#include <QStringList>

#include <vector>

namespace quorvan {

// Records a change to data files as an undoable step. Made before the files are written: it opens them as they
// are and keeps each existing one as a backup version by a second name for its bytes (a hard link: nothing is
// read or copied; the open file keeps those bytes readable after the change replaces it). finish(), after the
// writes, returns the step with the files that changed. A file the change did not replace gets a version of its
// own bytes instead of the link, or none at all when the recorder is dropped without finish() (the change failed,
// and the file still holds those bytes) — except for an import, whose group must stay whole.
class ChangeRecorder {
public:
    // With a group stem (an import), the versions kept share it and are marked as the import's.
    ChangeRecorder(QString dataFolder, const QStringList& names, BackupStore* backups, const QString& groupStem = {});
    ~ChangeRecorder();
    ChangeRecorder(const ChangeRecorder&) = delete;
    ChangeRecorder& operator=(const ChangeRecorder&) = delete;

    // Backing up went wrong for these files (the change itself went ahead).
    const QStringList& backupFailures() const { return m_backupFailures; }

    DataStep finish(const StepLabel& label);
    // The change failed: what dropping the recorder does, at once (before the files are looked at again).
    void abandon() { releaseLinks(m_group); }

private:
    struct Before {
        QString name;
        FileContent content;
        QString linkedVersion; // the version that shares the file's bytes, until the change replaces the file
    };
    // Versions linked to files that were not replaced: settled (finish) or dropped (the change failed).
    void releaseLinks(bool keepCopies);

    QString m_dataFolder;
    BackupStore* m_backups = nullptr;
    bool m_group = false;
    std::vector<Before> m_before;
    QStringList m_backupFailures;
};

} // namespace quorvan
