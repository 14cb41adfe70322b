#include "core/history/BackupStore.h"

#include "core/files/RegularFile.h"
#include "core/settings/SettingsFiles.h"
#include "core/texts/TextId.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <optional>

#include <algorithm>

namespace quorvan {

namespace {

const QString kTimeFormat = QStringLiteral("yyyy-MM-ddTHH-mm-ss");

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

SaveResult BackupStore::keep(const QString& file, const QByteArray& bytes, BackupVersion::Mark mark,
                             const QString& groupStem) {
    if (bytes.size() > m_limits.maxBytes)
        return SaveResult::failure(Problem{TextId::VersionTooLarge,
                                           {file, QString::number(bytes.size()), QString::number(m_limits.maxBytes)}});
    const QString dir = folder() + u'/' + file;
    if (!QDir().mkpath(dir))
        return SaveResult::failure(Problem{TextId::CannotCreateFolder, {QDir::toNativeSeparators(dir)}});
    const std::vector<BackupVersion> kept = versions(file);
    if (groupStem.isEmpty() && !kept.empty()) {
        const BackupVersion& newest = kept.back();
        if (newest.mark == mark && newest.size == bytes.size() && read(newest) == bytes)
            return {}; // the same bytes are kept already
    }
    if (mark == BackupVersion::Mark::Damaged) {
        // A damaged file seen again (shown again, undone into, restored) is kept once, whatever came between.
        for (const BackupVersion& v : kept)
            if (v.mark == BackupVersion::Mark::Damaged && v.size == bytes.size() && read(v) == bytes)
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
    const SaveResult written =
        writeFileAtomically(dir + u'/' + stem + markSuffix(mark) + QStringLiteral(".DAT"), bytes);
    if (!written)
        return written;
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
    while (left() > 1 && ((left() > std::size_t(std::max(m_limits.keep, kAlwaysKept))) || total > m_limits.maxBytes)) {
        QFile::remove(kept[first].path);
        total -= kept[first].size;
        ++first;
    }
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
