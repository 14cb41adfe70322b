#pragma once

#include "core/files/FileStamp.h"
#include "core/files/ScheduleFileCheck.h"

#include <QHash>
#include <QSet>
#include <QString>

#include <vector>

namespace quorvan {

class BackupStore;

// Data files found sound, each with what identifies its present content (device, inode, size, modification and
// change times), so that showing a document again does not read and check its whole file — up to 41 MB — while
// nothing has replaced or written it. A save replaces the file (a new inode), an import too; an edit in place
// changes its times.
// The hashes of the contents found sound are kept too: a file the program wrote again with bytes it checked
// before (an undo puts back what a save replaced) is not read again either.
class SoundFiles {
public:
    bool unchanged(const QString& path) const;
    void remember(const QString& path);
    void rememberContent(std::uint64_t hash) { m_hashes.insert(hash); }
    bool knownSound(std::uint64_t hash) const { return m_hashes.contains(hash); }

private:
    QHash<QString, FileStamp> m_stamps;
    QSet<std::uint64_t> m_hashes;
};

// A document's data file that exists and has content but fails the file checks: its problems, with the file's
// bytes kept as a backup version marked damaged, before anything can overwrite them. An empty result for a
// missing or empty file (a new controller starts that way) and for a valid one.
// With `sound`, a file it knows unchanged is not read again, and a file found sound is remembered there.
std::vector<FileProblem> keepIfDamaged(const QString& dataFolder, const QString& name, BackupStore& backups,
                                       QString* backupError = nullptr, SoundFiles* sound = nullptr);

// The problems as lines for the operator, at most `lines` of them ("entry 3: playlist[0].fileName: …").
QString problemLines(const std::vector<FileProblem>& problems, int lines);

} // namespace quorvan
