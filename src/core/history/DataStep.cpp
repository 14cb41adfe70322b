#include "core/history/DataStep.h"

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

struct FileState {
    bool exists = false;
    QByteArray bytes;
};

FileState readState(const QString& path, ReadStatus* status) {
    FileState state;
    FileRead read = readRegularFile(path, kMaxScheduleFileBytes);
    if (read.status.failure == ReadFailure::Missing)
        return state;
    if (!read.ok()) {
        *status = read.status;
        return state;
    }
    state.exists = true;
    state.bytes = std::move(read.bytes);
    return state;
}

void syncFolder(const QString& path) {
    const int fd = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Makes path hold state: written crash-safe, or removed when the state is "no file".
SaveResult writeState(const QString& path, const FileState& state) {
    if (state.exists)
        return writeFileAtomically(path, state.bytes);
    if (QFile::exists(path) && !QFile::remove(path))
        return SaveResult::failure(Problem{TextId::CannotBeRemoved, {QDir::toNativeSeparators(path)}});
    syncFolder(path);
    return {};
}

} // namespace

std::size_t DataStep::hashOf(const QByteArray& bytes) {
    return qHash(bytes, 0);
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
    // First every file is read and checked, so that nothing is written when one of them does not hold what the
    // step expects.
    std::vector<FileState> current(changes.size());
    std::vector<FileState> wanted(changes.size());
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const FileChange& c = changes[i];
        const QString path = folder.filePath(c.name);
        ReadStatus status;
        current[i] = readState(path, &status);
        if (!status.ok())
            return SaveResult::failure(status.problem);
        const bool expectedExists = toBefore ? c.existsAfter : c.existedBefore;
        const std::size_t expectedHash = toBefore ? c.hashAfter : c.hashBefore;
        if (current[i].exists != expectedExists || (expectedExists && hashOf(current[i].bytes) != expectedHash))
            return SaveResult::failure(Problem{TextId::ChangedSinceStep, {QDir::toNativeSeparators(path)}});
        wanted[i].exists = toBefore ? c.existedBefore : c.existsAfter;
        if (wanted[i].exists) {
            bool ok = false;
            wanted[i].bytes = (toBefore ? c.toBefore : c.toAfter).apply(current[i].bytes, &ok);
            if (!ok)
                return SaveResult::failure(Problem{TextId::CannotBeRebuilt, {QDir::toNativeSeparators(path)}});
        }
    }
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const QString path = folder.filePath(changes[i].name);
        if (backups && current[i].exists)
            backups->keep(changes[i].name, current[i].bytes); // best effort: the step does not depend on it
        const SaveResult written = writeState(path, wanted[i]);
        if (!written) {
            // Put back what was already changed, newest first; the step stays as it was.
            for (std::size_t j = i; j-- > 0;)
                writeState(folder.filePath(changes[j].name), current[j]);
            return written;
        }
    }
    return {};
}

} // namespace quorvan
