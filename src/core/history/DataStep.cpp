#include "core/history/DataStep.h"

#include "core/files/FileContent.h"
#include "core/files/RegularFile.h"
#include "core/history/BackupStore.h"
#include "core/texts/TextId.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

namespace quorvan {

namespace {

SaveResult removeFile(const QString& path) {
    if (QFile::exists(path) && !QFile::remove(path))
        return SaveResult::failure(Problem{TextId::CannotBeRemoved, {QDir::toNativeSeparators(path)}});
    syncFolderOf(path);
    return {};
}

// Makes path hold what write hands over, crash-safe; a failed write leaves the file as it was.
SaveResult writeFrom(const QString& path, const std::function<bool(const ByteSink&)>& write) {
    AtomicFile file(path);
    if (!file.open() || !write([&](const char* data, qint64 size) { return file.write(data, size); }))
        return SaveResult::failure(file.problem());
    return file.commit();
}

} // namespace

std::size_t DataStep::hashOf(const QByteArray& bytes) {
    return hashOfBytes(bytes);
}

qint64 DataStep::storedBytes() const {
    qint64 total = 0;
    for (const FileChange& c : changes)
        total += c.toBefore.storedBytes() + c.toAfter.storedBytes();
    return total;
}

SaveResult DataStep::undo(const QString& dataFolder, BackupStore* backups) const {
    return apply(dataFolder, backups, true);
}

SaveResult DataStep::redo(const QString& dataFolder, BackupStore* backups) const {
    return apply(dataFolder, backups, false);
}

SaveResult DataStep::apply(const QString& dataFolder, BackupStore* backups, bool toBefore) const {
    const QDir folder(dataFolder);
    // First every file is opened and checked, so that nothing is written when one of them does not hold what the
    // step expects. The open files keep what they hold now readable after they are replaced.
    std::vector<FileContent> current(changes.size());
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const FileChange& c = changes[i];
        const QString path = folder.filePath(c.name);
        ReadStatus status;
        current[i] = FileContent::open(path, kMaxScheduleFileBytes, &status);
        if (status.refused())
            return SaveResult::failure(status.problem);
        if (backups)
            if (const std::optional<std::uint64_t> known = backups->knownHash(path, current[i]))
                current[i].adoptHash(*known); // written by this program, which hashed the bytes as they went
        const bool expectedExists = toBefore ? c.existsAfter : c.existedBefore;
        const std::size_t expectedHash = toBefore ? c.hashAfter : c.hashBefore;
        if (current[i].exists() != expectedExists || (expectedExists && current[i].hash() != expectedHash))
            return SaveResult::failure(Problem{TextId::ChangedSinceStep, {QDir::toNativeSeparators(path)}});
        const FileDelta& delta = toBefore ? c.toBefore : c.toAfter;
        if ((toBefore ? c.existedBefore : c.existsAfter) && current[i].size() != delta.fromSize())
            return SaveResult::failure(Problem{TextId::CannotBeRebuilt, {QDir::toNativeSeparators(path)}});
    }
    const FileContent none{QByteArray()};
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const FileChange& c = changes[i];
        const QString path = folder.filePath(c.name);
        const FileDelta& delta = toBefore ? c.toBefore : c.toAfter;
        const FileContent& from = current[i].exists() ? current[i] : none;
        // Kept by a link before it is replaced (best effort: the step does not depend on it).
        QString linked;
        if (backups && current[i].exists())
            backups->keep(c.name, current[i], BackupVersion::Mark::None, {}, BackupStore::KeepBy::Link, &linked);
        const SaveResult written =
            (toBefore ? c.existedBefore : c.existsAfter)
                ? writeFrom(path, [&](const ByteSink& sink) { return delta.applyTo(from, sink); })
                : removeFile(path);
        if (backups)
            backups->rememberWritten(path, written);
        if (!written) {
            if (!linked.isEmpty() && current[i].isStillAtItsPath())
                QFile::remove(linked); // the file was not replaced and holds those bytes itself
            // Put back what was already changed, newest first; the step stays as it was.
            for (std::size_t j = i; j-- > 0;) {
                const QString earlier = folder.filePath(changes[j].name);
                if (current[j].exists())
                    writeFileAtomically(earlier, current[j]);
                else
                    removeFile(earlier);
            }
            return written;
        }
    }
    return {};
}

} // namespace quorvan
