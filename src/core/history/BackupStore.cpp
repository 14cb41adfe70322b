#include "core/history/BackupStore.h"

#include "core/files/RegularFile.h"
#include "core/settings/SettingsFiles.h"
#include "core/texts/TextId.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <optional>
#include <thread>

namespace quorvan {

namespace {

const QString kTimeFormat = QStringLiteral("yyyy-MM-ddTHH-mm-ss");
// A pruned version on its way out; never a version's own name.
const QString kRemovingPrefix = QStringLiteral(".removing-");
constexpr qint64 kRemoveBehindFrom = qint64(1) << 20;

QString markSuffix(BackupVersion::Mark mark) {
    switch (mark) {
    case BackupVersion::Mark::Damaged:
        return QStringLiteral("-damaged");
    case BackupVersion::Mark::Import:
        return QStringLiteral("-import");
    case BackupVersion::Mark::Absent:
        return QStringLiteral("-absent");
    case BackupVersion::Mark::None:
        break;
    }
    return {};
}

// "<time>[-n][-mark].DAT"; the time sorts as text, and n counts versions kept within one second.
std::optional<BackupVersion> parseName(const QString& file, const QString& folder, const QString& name) {
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{4}-\\d{2}-\\d{2}T\\d{2}-\\d{2}-\\d{2})(?:-(\\d+))?(-damaged|-import|-absent)?\\.DAT$"));
    const QRegularExpressionMatch m = pattern.match(name);
    if (!m.hasMatch())
        return std::nullopt;
    BackupVersion v;
    v.file = file;
    v.path = folder + u'/' + name;
    v.stem = m.captured(1) + (m.captured(2).isEmpty() ? QString() : u'-' + m.captured(2));
    v.time = QDateTime::fromString(m.captured(1), kTimeFormat);
    v.mark = m.captured(3) == QStringLiteral("-damaged")  ? BackupVersion::Mark::Damaged
             : m.captured(3) == QStringLiteral("-import") ? BackupVersion::Mark::Import
             : m.captured(3) == QStringLiteral("-absent") ? BackupVersion::Mark::Absent
                                                          : BackupVersion::Mark::None;
    v.size = QFileInfo(v.path).size();
    return v;
}

// Order of versions: time, then the count within the second.
bool older(const BackupVersion& a, const BackupVersion& b) {
    const auto number = [](const BackupVersion& v) {
        const qsizetype dash = v.stem.indexOf(u'-', 19);
        return dash < 0 ? 0 : v.stem.sliced(dash + 1).toInt();
    };
    if (a.time != b.time)
        return a.time < b.time;
    return number(a) < number(b);
}

} // namespace

BackupStore::BackupStore(QString homeFolder) : m_home(std::move(homeFolder)) {
    if (!m_home.endsWith(u'/'))
        m_home += u'/';
}

BackupStore::Limits BackupStore::limitsFrom(const SettingsFiles& settings) {
    Limits limits;
    const SettingValue keep = settings.readSetting(QStringLiteral("Backup"), QStringLiteral("keep"));
    if (keep.present && keep.value >= 1)
        limits.keep = keep.value;
    const SettingValue maxMB = settings.readSetting(QStringLiteral("Backup"), QStringLiteral("maxMB"));
    if (maxMB.present && maxMB.value >= 1)
        limits.maxBytes = qint64(maxMB.value) << 20;
    return limits;
}

QString BackupStore::folder() const {
    return m_home + QStringLiteral("backups");
}

QString BackupStore::stamp() const {
    return m_clock().toString(kTimeFormat);
}

QString BackupStore::newGroupStem() const {
    // Unused by every file's folder, so that the versions of one import are told apart from any other.
    const QString base = stamp();
    const QStringList known = files();
    for (int n = 0;; ++n) {
        const QString stem = n == 0 ? base : base + u'-' + QString::number(n);
        bool taken = false;
        for (const QString& file : known)
            for (const BackupVersion& v : allVersions(file))
                taken = taken || v.stem == stem;
        if (!taken)
            return stem;
    }
}

namespace {

// Gives the opened file's bytes the version's name without copying them (the file opened, not whatever its path
// names by now). False when the file system cannot (another device, no hard links, a file already removed): the
// caller copies.
bool linkContent(const FileContent& content, const QString& path) {
    if (content.inMemory())
        return false;
    const QByteArray opened = "/proc/self/fd/" + QByteArray::number(content.descriptor());
    if (::linkat(AT_FDCWD, opened.constData(), AT_FDCWD, QFile::encodeName(path).constData(), AT_SYMLINK_FOLLOW) != 0)
        return false;
    ::fdatasync(content.descriptor()); // bytes another program wrote without syncing reach the device too
    syncFolderOf(path);
    return true;
}

} // namespace

bool BackupStore::holdsSame(const BackupVersion& version, const FileContent& content) const {
    if (version.size != content.size())
        return false;
    const std::optional<std::uint64_t> mine = content.hash();
    const std::optional<std::uint64_t> kept = versionHash(version);
    return mine && kept && *mine == *kept;
}

std::optional<std::uint64_t> BackupStore::versionHash(const BackupVersion& version) const {
    struct stat st {};
    if (::lstat(QFile::encodeName(version.path).constData(), &st) != 0)
        return std::nullopt;
    const auto known = m_hashes.find(QDir::cleanPath(version.path));
    if (known != m_hashes.end() && known->second.device == quint64(st.st_dev) &&
        known->second.inode == quint64(st.st_ino) && known->second.size == qint64(st.st_size) &&
        known->second.modified == qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec)
        return known->second.hash;
    const std::optional<std::uint64_t> hash = FileContent::open(version.path, kMaxScheduleFileBytes).hash();
    if (hash)
        rememberFileHash(version.path, *hash);
    return hash;
}

std::optional<std::uint64_t> BackupStore::knownHash(const QString& path, const FileContent& content) const {
    const auto known = m_hashes.find(QDir::cleanPath(path));
    if (known == m_hashes.end() || content.inMemory())
        return std::nullopt;
    const KnownHash& k = known->second;
    const FileContent::Identity id = content.identity();
    if (k.device != id.device || k.inode != id.inode || k.size != content.size() || k.modified != id.modified ||
        (k.changed && *k.changed != id.changed))
        return std::nullopt;
    return k.hash;
}

SaveResult BackupStore::settleLinked(const QString& versionPath, const FileContent& content) {
    // The data file was not replaced after all: its version gets bytes of its own, so that what the file's next
    // writer does (in place, perhaps) never reaches it.
    if (!content.isStillAtItsPath())
        return {};
    return writeFileAtomically(versionPath, content);
}

void BackupStore::rememberHash(const QString& path, const FileContent& content) const {
    const std::optional<std::uint64_t> hash = content.knownHash();
    if (!hash || content.inMemory())
        return;
    const FileContent::Identity id = content.identity();
    m_hashes[QDir::cleanPath(path)] = KnownHash{id.device, id.inode, content.size(), id.modified, id.changed, *hash};
}

void BackupStore::rememberWritten(const QString& path, const SaveResult& result) const {
    if (const std::optional<WrittenFile>& w = result.written)
        m_hashes[QDir::cleanPath(path)] = KnownHash{w->device, w->inode, w->size, w->modified, w->changed, w->hash};
}

void BackupStore::rememberFileHash(const QString& path, std::uint64_t hash) const {
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return;
    m_hashes[QDir::cleanPath(path)] =
        KnownHash{quint64(st.st_dev), quint64(st.st_ino),
                  qint64(st.st_size), qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec,
                  std::nullopt,       hash};
}

SaveResult BackupStore::keep(const QString& file, const FileContent& content, BackupVersion::Mark mark,
                             const QString& groupStem, KeepBy link, QString* keptAt) {
    if (content.size() > m_limits.maxBytes)
        return SaveResult::failure(Problem{
            TextId::VersionTooLarge, {file, QString::number(content.size()), QString::number(m_limits.maxBytes)}});
    const QString dir = folder() + u'/' + file;
    if (!QDir().mkpath(dir))
        return SaveResult::failure(Problem{TextId::CannotCreateFolder, {QDir::toNativeSeparators(dir)}});
    const std::vector<BackupVersion> kept = versions(file);
    if (groupStem.isEmpty() && !kept.empty()) {
        const BackupVersion& newest = kept.back();
        if (newest.mark == mark && holdsSame(newest, content))
            return {}; // the same bytes are kept already
    }
    if (mark == BackupVersion::Mark::Damaged) {
        // A damaged file seen again (shown again, undone into, restored) is kept once, whatever came between.
        for (const BackupVersion& v : kept)
            if (v.mark == BackupVersion::Mark::Damaged && holdsSame(v, content))
                return {};
    }
    QString stem = groupStem;
    if (stem.isEmpty()) {
        const QString base = stamp();
        stem = base;
        for (int n = 1; std::any_of(kept.begin(), kept.end(), [&](const BackupVersion& v) { return v.stem == stem; });
             ++n)
            stem = base + u'-' + QString::number(n);
    }
    const QString path = dir + u'/' + stem + markSuffix(mark) + QStringLiteral(".DAT");
    if (link == KeepBy::Link && linkContent(content, path)) {
        rememberHash(path, content); // the same file
    } else {
        const SaveResult written = writeFileAtomically(path, content);
        if (!written)
            return written;
        if (const std::optional<std::uint64_t> hash = content.knownHash())
            rememberFileHash(path, *hash);
    }
    if (keptAt)
        *keptAt = path;
    prune(file);
    return {};
}

void BackupStore::prune(const QString& file) const {
    // A damaged file's bytes were promised to the operator when it was reported: those versions are never pruned
    // and count toward neither limit.
    std::vector<BackupVersion> kept;
    for (const BackupVersion& v : versions(file))
        if (v.mark != BackupVersion::Mark::Damaged)
            kept.push_back(v);
    qint64 total = 0;
    for (const BackupVersion& v : kept)
        total += v.size;
    // The count limit never takes the newest three; the byte limit is never exceeded (the newest version alone
    // always fits, since keep refuses larger ones).
    std::size_t first = 0;
    const auto left = [&] { return kept.size() - first; };
    const QString dir = folder() + u'/' + file + u'/';
    // What an earlier removal left behind (the program ended while it ran) goes first.
    for (const QString& name : QDir(dir).entryList({kRemovingPrefix + u'*'}, QDir::Files | QDir::Hidden))
        QFile::remove(dir + name);
    std::vector<QByteArray> removing;
    while (left() > 1 && ((left() > std::size_t(std::max(m_limits.keep, kAlwaysKept))) || total > m_limits.maxBytes)) {
        // Freeing the blocks of a 40 MB file takes the file system milliseconds: a large version leaves the list
        // at once under another name, and its bytes are removed behind the window's back.
        const BackupVersion& v = kept[first];
        const QString away = dir + kRemovingPrefix + QFileInfo(v.path).fileName();
        if (v.size >= kRemoveBehindFrom && QFile::rename(v.path, away))
            removing.push_back(QFile::encodeName(away));
        else
            QFile::remove(v.path);
        total -= v.size;
        ++first;
    }
    if (!removing.empty())
        std::thread([paths = std::move(removing)] {
            for (const QByteArray& path : paths)
                ::unlink(path.constData());
        }).detach();
}

SaveResult BackupStore::keepAbsent(const QString& file, const QString& groupStem) {
    const QString dir = folder() + u'/' + file;
    if (!QDir().mkpath(dir))
        return SaveResult::failure(Problem{TextId::CannotCreateFolder, {QDir::toNativeSeparators(dir)}});
    return writeFileAtomically(dir + u'/' + groupStem + markSuffix(BackupVersion::Mark::Absent) + QStringLiteral(".DAT"),
                               QByteArray());
}

std::vector<BackupVersion> BackupStore::versions(const QString& file) const {
    std::vector<BackupVersion> found = allVersions(file);
    found.erase(std::remove_if(found.begin(), found.end(),
                               [](const BackupVersion& v) { return v.mark == BackupVersion::Mark::Absent; }),
                found.end());
    return found;
}

std::vector<BackupVersion> BackupStore::allVersions(const QString& file) const {
    std::vector<BackupVersion> found;
    const QString dir = folder() + u'/' + file;
    for (const QString& name : QDir(dir).entryList(QDir::Files, QDir::Name)) {
        if (std::optional<BackupVersion> v = parseName(file, dir, name))
            found.push_back(*v);
    }
    std::sort(found.begin(), found.end(), older);
    return found;
}

QStringList BackupStore::files() const {
    return QDir(folder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

std::vector<BackupVersion> BackupStore::group(const QString& stem) const {
    std::vector<BackupVersion> members;
    for (const QString& file : files())
        for (const BackupVersion& v : allVersions(file))
            if (v.stem == stem && (v.mark == BackupVersion::Mark::Import || v.mark == BackupVersion::Mark::Absent))
                members.push_back(v);
    return members;
}

QByteArray BackupStore::read(const BackupVersion& version, ReadStatus* status) {
    FileRead read = readRegularFile(version.path, kMaxScheduleFileBytes);
    if (status)
        *status = read.status;
    return std::move(read.bytes);
}

} // namespace quorvan
