#include "core/history/ChangeRecorder.h"

#include "core/files/RegularFile.h"

#include <QDir>

namespace quorvan {

namespace {

// Only a regular file is read (a link or a FIFO in the data folder is never followed or waited on); anything
// else counts as no file.
bool readFile(const QString& path, QByteArray& bytes) {
    FileRead read = readRegularFile(path, kMaxScheduleFileBytes);
    bytes = std::move(read.bytes);
    return read.ok();
}

} // namespace

ChangeRecorder::ChangeRecorder(QString dataFolder, const QStringList& names, BackupStore* backups,
                               const QString& groupStem)
    : m_dataFolder(std::move(dataFolder)) {
    const QDir folder(m_dataFolder);
    for (const QString& name : names) {
        Before before;
        before.name = name;
        before.exists = readFile(folder.filePath(name), before.bytes);
        if (!before.exists && backups && !groupStem.isEmpty()) {
            // A file the import may create: restoring the import's group removes it again.
            const SaveResult noted = backups->keepAbsent(name, groupStem);
            if (!noted)
                m_backupFailures << noted.error;
        }
        if (before.exists && backups) {
            const BackupVersion::Mark mark =
                groupStem.isEmpty() ? BackupVersion::Mark::None : BackupVersion::Mark::Import;
            const SaveResult kept = backups->keep(name, before.bytes, mark, groupStem);
            if (!kept)
                m_backupFailures << kept.error;
        }
        m_before.push_back(std::move(before));
    }
}

DataStep ChangeRecorder::finish(const StepLabel& label) const {
    DataStep step;
    step.label = label;
    const QDir folder(m_dataFolder);
    for (const Before& before : m_before) {
        QByteArray after;
        const bool existsAfter = readFile(folder.filePath(before.name), after);
        if (existsAfter == before.exists && after == before.bytes)
            continue;
        FileChange change;
        change.name = before.name;
        change.existedBefore = before.exists;
        change.existsAfter = existsAfter;
        change.hashBefore = before.exists ? DataStep::hashOf(before.bytes) : 0;
        change.hashAfter = existsAfter ? DataStep::hashOf(after) : 0;
        change.toBefore = FileDelta::between(after, before.bytes);
        change.toAfter = FileDelta::between(before.bytes, after);
        step.changes.push_back(std::move(change));
    }
    return step;
}

} // namespace quorvan
