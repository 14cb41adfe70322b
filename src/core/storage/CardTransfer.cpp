#include "core/storage/CardTransfer.h"

#include "core/files/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include <algorithm>

namespace quorvan {

namespace {

constexpr qint64 kCopyChunk = 1 << 20;

void setError(QString* error, const QString& reason) {
    if (error)
        *error = reason;
}

// Names of the regular files in folder that equal name in any letter case, in a fixed (binary) order so the
// same folder always yields the same choice.
QStringList matchingFiles(const QString& folder, const QString& name) {
    QStringList found;
    const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::NoSort);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            found << entry;
    }
    std::sort(found.begin(), found.end());
    return found;
}

// Whether two paths name the same file: on a case-insensitive file system (a FAT card) "sch02.dat" and
// "SCH02.DAT" are one directory entry, which must not be removed as a duplicate of itself.
bool sameFile(const QString& a, const QString& b) {
    struct stat sa {};
    struct stat sb {};
    if (::stat(QFile::encodeName(a).constData(), &sa) != 0 || ::stat(QFile::encodeName(b).constData(), &sb) != 0)
        return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// Removes the files in folder whose names differ from name only in letter case, once the file `name` is in
// place, so a folder never holds the same file twice. Best effort: the new file is already complete.
void removeCaseVariants(const QString& folder, const QString& name) {
    const QDir dir(folder);
    const QString kept = dir.filePath(name);
    for (const QString& other : matchingFiles(folder, name)) {
        if (other == name)
            continue;
        const QString path = dir.filePath(other);
        if (!sameFile(path, kept))
            QFile::remove(path);
    }
}

} // namespace

QStringList transferSet(const QStringList& documentFiles) {
    QStringList names = documentFiles;
    for (int i = 1; i <= 6; ++i)
        names << QStringLiteral("SDATE%1.DAT").arg(i, 2, 10, QLatin1Char('0'));
    return names;
}

CopyResult copyNamedFile(const QString& fromFolder, const QString& toFolder, const QString& name, QString* error) {
    const QStringList matches = matchingFiles(fromFolder, name);
    if (matches.isEmpty()) {
        setError(error, QStringLiteral("not found in ") + QDir::toNativeSeparators(fromFolder));
        return CopyResult::NotFound;
    }

    const QString sourcePath = QDir(fromFolder).filePath(matches.first());
    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly)) {
        setError(error, QDir::toNativeSeparators(sourcePath) + QStringLiteral(": ") + source.errorString());
        return CopyResult::SourceFailed;
    }

    AtomicFile target(QDir(toFolder).filePath(name));
    if (!target.open()) {
        setError(error, target.errorText());
        return CopyResult::TargetFailed;
    }
    QByteArray buffer(kCopyChunk, Qt::Uninitialized);
    for (;;) {
        const qint64 got = source.read(buffer.data(), buffer.size());
        if (got < 0) {
            setError(error, QDir::toNativeSeparators(sourcePath) + QStringLiteral(": ") + source.errorString());
            return CopyResult::SourceFailed; // the target's destructor discards the temporary file
        }
        if (got == 0)
            break;
        if (!target.write(buffer.constData(), got)) {
            setError(error, target.errorText());
            return CopyResult::TargetFailed;
        }
    }
    const SaveResult committed = target.commit();
    if (!committed) {
        setError(error, committed.error);
        return CopyResult::TargetFailed;
    }
    removeCaseVariants(toFolder, name);
    return CopyResult::Copied;
}

bool createEmptyFile(const QString& folder, const QString& name, bool onlyIfMissing, QString* error) {
    if (onlyIfMissing && !matchingFiles(folder, name).isEmpty())
        return true;
    const SaveResult written = writeFileAtomically(QDir(folder).filePath(name), QByteArray());
    if (!written) {
        setError(error, written.error);
        return false;
    }
    removeCaseVariants(folder, name);
    return true;
}

QStringList TransferReport::failureLines() const {
    QStringList lines;
    for (const Failure& f : failed)
        lines << f.name + QStringLiteral(": ") + f.reason;
    return lines;
}

TransferReport importFiles(const QString& storageFolder, const QString& dataFolder, const QStringList& names) {
    TransferReport report;
    for (const QString& name : names) {
        QString reason;
        const CopyResult copy = copyNamedFile(storageFolder, dataFolder, name, &reason);
        if (copy == CopyResult::Copied) {
            report.copied << name;
            continue;
        }
        if (copy == CopyResult::TargetFailed) {
            // The data folder could not take the file: its own file stays as it was, and no empty file is made
            // in place of the one that did not arrive.
            report.failed.append({name, reason});
            continue;
        }
        // Not on the card, or unreadable there: the data folder keeps its own file, or gets an empty one.
        const bool inData = !matchingFiles(dataFolder, name).isEmpty();
        QString createError;
        const bool inPlace = inData || createEmptyFile(dataFolder, name, false, &createError);
        if (copy == CopyResult::SourceFailed)
            report.failed.append({name, reason});
        else if (!inPlace)
            report.failed.append({name, createError});
        else
            (inData ? report.kept : report.created) << name;
    }
    return report;
}

TransferReport exportFiles(const QString& dataFolder, const QString& storageFolder, const QStringList& names) {
    TransferReport report;
    for (const QString& name : names) {
        QString reason;
        if (!matchingFiles(dataFolder, name).isEmpty()) {
            if (copyNamedFile(dataFolder, storageFolder, name, &reason) == CopyResult::Copied)
                report.copied << name;
            else
                report.failed.append({name, reason});
            continue;
        }
        // The data folder has no such file: the card still gets one, empty unless it already holds it.
        if (!matchingFiles(storageFolder, name).isEmpty()) {
            report.kept << name;
            continue;
        }
        if (createEmptyFile(storageFolder, name, false, &reason))
            report.created << name;
        else
            report.failed.append({name, reason});
    }
    return report;
}

} // namespace quorvan
