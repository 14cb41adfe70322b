#pragma once

#include "core/files/AtomicFile.h"
#include "core/files/FileContent.h"
#include "core/files/RegularFile.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace quorvan {

class SettingsFiles;

// One kept version of a data file: backups/<FILE>/<time>[-n][-mark].DAT under the home folder.
struct BackupVersion {
    // Absent: an empty marker saying the file did not exist before the import of its group.
    enum class Mark { None, Damaged, Import, Absent };

    QString file;   // the data file's name, "SCH01.DAT"
    QString path;   // the version's own file
    QString stem;   // "<time>[-n]": the import group a version belongs to is named by it
    QDateTime time; // when it was kept (local time, whole seconds)
    qint64 size = 0;
    Mark mark = Mark::None;
};

// The earlier versions of the data files, kept under the home folder's backups/ folder (never inside zone_data,
// so an export never carries them to the card). A version is kept before a data file is overwritten; the same
// bytes as the newest kept version are not kept twice. The oldest go once a file has more than `keep` versions
// (the newest three always stay) or they take more than `maxBytes`, which they never exceed: a version larger
// than that is refused. Versions marked damaged are never pruned and count toward neither limit; the same
// damaged bytes are kept once.
class BackupStore {
public:
    struct Limits {
        int keep = 50;
        qint64 maxBytes = qint64(256) << 20;
    };
    static constexpr int kAlwaysKept = 3;

    explicit BackupStore(QString homeFolder);

    // [Backup] keep= and maxMB= of Config.ini; a missing or unusable value keeps its default.
    static Limits limitsFrom(const SettingsFiles& settings);
    void setLimits(const Limits& limits) { m_limits = limits; }
    const Limits& limits() const { return m_limits; }
    // The clock that names the versions; tests set their own.
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

    QString folder() const;

    // Keeps bytes as the newest version of file (unless the newest kept version holds the same bytes and the
    // same mark), then drops the oldest beyond the limits. An import's versions share the stem given by
    // newGroupStem() and are kept even when unchanged, so that the group is whole.
    // How an opened file is kept: by a second name for its bytes (a hard link: nothing is copied, so the caller
    // must replace the file afterwards, or settle the version), or by a copy. A link the file system refuses
    // falls back to a copy. *keptAt, when given, is the version's file (empty when nothing was kept).
    enum class KeepBy { Copy, Link };
    SaveResult keep(const QString& file, const FileContent& content, BackupVersion::Mark mark,
                    const QString& groupStem = {}, KeepBy link = KeepBy::Copy, QString* keptAt = nullptr);
    // A version kept by a link to a file that then was not replaced gets a copy of the bytes instead.
    SaveResult settleLinked(const QString& versionPath, const FileContent& content);
    // The hash of the data file at path when content is the file it was worked out from (remembered by
    // rememberHash, as a change is recorded): nothing to read again.
    std::optional<std::uint64_t> knownHash(const QString& path, const FileContent& content) const;
    // Remembers the hash of a file just written at path.
    void rememberWritten(const QString& path, const SaveResult& result) const;
    // Remembers content's hash, once worked out, as that of the file at path.
    void rememberHash(const QString& path, const FileContent& content) const;
    SaveResult keep(const QString& file, const QByteArray& bytes, BackupVersion::Mark mark = BackupVersion::Mark::None,
                    const QString& groupStem = {}) {
        return keep(file, FileContent(bytes), mark, groupStem);
    }
    // A stem for the versions of one import, not used yet by any file.
    QString newGroupStem() const;
    // Notes in the group of an import that file did not exist before it, so that restoring the group removes it.
    SaveResult keepAbsent(const QString& file, const QString& groupStem);

    // The kept versions of file, oldest first (absence markers are not versions and are left out).
    std::vector<BackupVersion> versions(const QString& file) const;
    // The files that have kept versions, in name order.
    QStringList files() const;
    // The versions of every file kept by the import whose stem is given, with the markers of the files it created:
    // restored together they put the data folder back as it was before the import.
    std::vector<BackupVersion> group(const QString& stem) const;
    static QByteArray read(const BackupVersion& version, ReadStatus* status = nullptr);

private:
    std::vector<BackupVersion> allVersions(const QString& file) const;
    void prune(const QString& file) const;
    QString stamp() const;
    // The version holds the bytes of content: the same file, or the same size and hash.
    bool holdsSame(const BackupVersion& version, const FileContent& content) const;
    std::optional<std::uint64_t> versionHash(const BackupVersion& version) const;
    void rememberFileHash(const QString& path, std::uint64_t hash) const;

    // The hashes of versions already read or kept, with what identifies the file they were worked out from.
    // A data file's change time is part of it (a write in place cannot set it back); a version's is not, since
    // every link to its bytes made or dropped changes it.
    struct KnownHash {
        quint64 device = 0, inode = 0;
        qint64 size = 0, modified = 0;
        std::optional<qint64> changed;
        std::uint64_t hash = 0;
    };

    QString m_home;
    Limits m_limits;
    std::function<QDateTime()> m_clock = [] { return QDateTime::currentDateTime(); };
    mutable std::map<QString, KnownHash> m_hashes;
};

} // namespace quorvan
