#pragma once

#include "core/history/BackupStore.h"
#include "core/history/DataStep.h"

#include <QByteArray>
#include <QStringList>

#include <vector>

namespace quorvan {

// Records a change to data files as an undoable step. Made before the files are written: it reads them as they
// are and keeps each existing one as a backup version; finish(), after the writes, reads them again and returns
// the step with the files that changed.
class ChangeRecorder {
public:
    // With a group stem (an import), the versions kept share it and are marked as the import's.
    ChangeRecorder(QString dataFolder, const QStringList& names, BackupStore* backups, const QString& groupStem = {});

    // Backing up went wrong for these files (the change itself may still go ahead).
    const QStringList& backupFailures() const { return m_backupFailures; }

    DataStep finish(const StepLabel& label) const;

private:
    struct Before {
        QString name;
        bool exists = false;
        QByteArray bytes;
    };
    QString m_dataFolder;
    std::vector<Before> m_before;
    QStringList m_backupFailures;
};

} // namespace quorvan
