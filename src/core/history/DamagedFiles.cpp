#include "core/history/DamagedFiles.h"

#include "core/history/BackupStore.h"

#include "core/files/FileContent.h"
#include "core/files/RegularFile.h"

#include <QDir>

namespace quorvan {

bool SoundFiles::unchanged(const QString& path) const {
    const auto known = m_stamps.constFind(path);
    return known != m_stamps.constEnd() && fileStamp(path) == *known;
}

void SoundFiles::remember(const QString& path) {
    if (const auto stamp = fileStamp(path))
        m_stamps.insert(path, *stamp);
}

std::vector<FileProblem> keepIfDamaged(const QString& dataFolder, const QString& name, BackupStore& backups,
                                       QString* backupError, SoundFiles* sound) {
    const QString path = QDir(dataFolder).filePath(name);
    if (sound && sound->unchanged(path))
        return {};
    if (sound) {
        // Bytes this program wrote and hashed as it wrote them, the same it found sound before.
        const FileContent written = FileContent::open(path, kMaxScheduleFileBytes);
        const std::optional<std::uint64_t> hash = backups.knownHash(path, written);
        if (hash && sound->knownSound(*hash) && written.isStillAtItsPath()) {
            sound->remember(path);
            return {};
        }
    }
    // The stamp is taken before the read: a change made while reading makes the next look read again.
    const auto before = fileStamp(path);
    // A file that cannot be taken at all (a link, a FIFO, too large) is reported through the model's load.
    const FileRead read = readRegularFile(path, kMaxScheduleFileBytes);
    if (!read.ok())
        return {};
    const QByteArray& bytes = read.bytes;
    if (bytes.isEmpty())
        return {};
    std::vector<FileProblem> problems = checkScheduleBytes(bytes.constData(), bytes.size());
    if (problems.empty() && sound && before && fileStamp(path) == before) {
        sound->remember(path);
        sound->rememberContent(hashOfBytes(bytes));
    }
    if (!problems.empty()) {
        const SaveResult kept = backups.keep(name, bytes, BackupVersion::Mark::Damaged);
        if (!kept && backupError)
            *backupError = kept.error;
    }
    return problems;
}

QString problemLines(const std::vector<FileProblem>& problems, int lines) {
    QStringList out;
    for (const FileProblem& p : problems) {
        if (out.size() == lines) {
            out << QStringLiteral("…");
            break;
        }
        out << problemText(p);
    }
    return out.join(u'\n');
}

} // namespace quorvan
