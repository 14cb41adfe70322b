#include "core/history/Restore.h"

#include "core/files/FileContent.h"
#include "core/history/ChangeRecorder.h"
#include "core/texts/TextId.h"

#include <QDir>
#include <QFile>

namespace quorvan {

RestoreOutcome restoreVersions(const QString& dataFolder, const std::vector<BackupVersion>& versions,
                               BackupStore& backups, const StepLabel& label) {
    RestoreOutcome outcome;
    QStringList names;
    // Opened, not read: each version is copied into place a piece at a time.
    std::vector<FileContent> contents;
    for (const BackupVersion& v : versions) {
        ReadStatus status;
        contents.push_back(v.mark == BackupVersion::Mark::Absent
                               ? FileContent()
                               : FileContent::open(v.path, kMaxScheduleFileBytes, &status));
        if (!status.ok()) {
            outcome.result = SaveResult::failure(status.problem);
            return outcome;
        }
        names << v.file;
    }
    ChangeRecorder recorder(dataFolder, names, &backups);
    const QDir folder(dataFolder);
    for (std::size_t i = 0; i < versions.size(); ++i) {
        const QString path = folder.filePath(names[qsizetype(i)]);
        // A file the import created goes again; the step keeps its bytes for an undo.
        const SaveResult written =
            versions[i].mark == BackupVersion::Mark::Absent
                ? (!QFile::exists(path) || QFile::remove(path)
                       ? SaveResult{}
                       : SaveResult::failure(Problem{TextId::CannotBeRemoved, {QDir::toNativeSeparators(path)}}))
                : writeFileAtomically(path, contents[i]);
        if (!written) {
            // The files written so far go back to what they held: record what changed and undo it.
            recorder.finish(label).undo(dataFolder, nullptr);
            outcome.result = written;
            return outcome;
        }
    }
    outcome.step = recorder.finish(label);
    return outcome;
}

} // namespace quorvan
