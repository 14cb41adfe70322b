#include "core/storage/CardTransfer.h"

#include "core/files/AtomicFile.h"
#include "core/files/RegularFile.h"
#include "core/texts/TextId.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace quorvan {

namespace {

constexpr qint64 kCopyChunk = 1 << 20;

void setError(Problem* why, const Problem& problem) {
    if (why)
        *why = problem;
}

// Names of the entries in folder that equal name in any letter case, in a fixed (binary) order so the same
// folder always yields the same choice. Links, FIFOs and devices are listed too: a copy refuses them with a
// reason instead of passing them over as missing.
QStringList matchingFiles(const QString& folder, const QString& name) {
    QStringList found;
    const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
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

// Bytes a transfer of names out of folder copies: the regular file each name would be copied from (a link or a
// special file is refused, and a file too large to take counts nothing).
qint64 bytesToCopy(const QString& folder, const QStringList& names) {
    qint64 total = 0;
    for (const QString& name : names) {
        const QStringList matches = matchingFiles(folder, name);
        if (matches.isEmpty())
            continue;
        struct stat st {};
        if (::lstat(QFile::encodeName(QDir(folder).filePath(matches.first())).constData(), &st) == 0 &&
            S_ISREG(st.st_mode) && st.st_size <= kMaxScheduleFileBytes)
            total += st.st_size;
    }
    return total;
}

// Progress, pacing and cancelling of one transfer, across its files.
class TransferRun {
public:
    TransferRun(const TransferOptions& options, qint64 total, int files) : m_options(options) {
        m_progress.total = total;
        m_progress.filesTotal = files;
        m_clock.start();
    }

    bool startFile(const QString& name) {
        if (!m_progress.name.isEmpty())
            ++m_progress.filesDone;
        m_progress.name = name;
        return tell();
    }
    bool chunkCopied(qint64 bytes) {
        m_progress.done += bytes;
        pace();
        return tell();
    }
    ChunkCallback chunkCallback() {
        return [this](qint64 bytes) { return chunkCopied(bytes); };
    }

private:
    bool tell() {
        if (!m_cancelled && m_options.progress && !m_options.progress(m_progress))
            m_cancelled = true;
        return !m_cancelled;
    }
    // Holds the copy back to the rate asked for, measured from the start of the transfer.
    void pace() {
        if (m_options.bytesPerSecond <= 0)
            return;
        const qint64 dueMs = m_progress.done * 1000 / m_options.bytesPerSecond;
        const qint64 aheadMs = dueMs - m_clock.elapsed();
        if (aheadMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(aheadMs));
    }

    const TransferOptions& m_options;
    TransferProgress m_progress;
    QElapsedTimer m_clock;
    bool m_cancelled = false;
};

// Runs transferOne over names in order under one progress run. transferOne(name, chunkCopied, report) puts the
// name in the report and returns false when its copy was cancelled; the names from that one on are then left.
template <class TransferOne>
TransferReport transferEach(const QString& fromFolder, const QStringList& names, const TransferOptions& options,
                            TransferOne&& transferOne) {
    TransferReport report;
    TransferRun run(options, bytesToCopy(fromFolder, names), int(names.size()));
    for (int i = 0; i < names.size(); ++i) {
        if (!run.startFile(names[i]) || !transferOne(names[i], run.chunkCallback(), report)) {
            report.cancelled = true;
            report.notTransferred = names.mid(i);
            break;
        }
    }
    return report;
}

} // namespace

QStringList transferSet(const QStringList& documentFiles) {
    QStringList names = documentFiles;
    for (int i = 1; i <= 6; ++i)
        names << QStringLiteral("SDATE%1.DAT").arg(i, 2, 10, QLatin1Char('0'));
    return names;
}

QString namedFilePath(const QString& folder, const QString& name) {
    const QStringList matches = matchingFiles(folder, name);
    return matches.isEmpty() ? QString() : QDir(folder).filePath(matches.first());
}

CopyResult copyNamedFile(const QString& fromFolder, const QString& toFolder, const QString& name, Problem* error,
                         const ChunkCallback& chunkCopied) {
    const QStringList matches = matchingFiles(fromFolder, name);
    if (matches.isEmpty()) {
        setError(error, Problem{TextId::NotFoundIn, {QDir::toNativeSeparators(fromFolder)}});
        return CopyResult::NotFound;
    }

    const QString sourcePath = QDir(fromFolder).filePath(matches.first());
    // A card is untrusted: only a regular file within the size of the largest data file is taken, never what a
    // link points to, and a FIFO or device is never waited on.
    RegularFile opened;
    if (!opened.open(sourcePath, kMaxScheduleFileBytes)) {
        setError(error, opened.status().problem);
        return CopyResult::SourceFailed;
    }
    QFile& source = opened.file();

    AtomicFile target(QDir(toFolder).filePath(name));
    if (!target.open()) {
        setError(error, target.problem());
        return CopyResult::TargetFailed;
    }
    QByteArray buffer(kCopyChunk, Qt::Uninitialized);
    for (;;) {
        const qint64 got = source.read(buffer.data(), buffer.size());
        if (got < 0) {
            setError(error,
                     Problem{TextId::PathAndReason, {QDir::toNativeSeparators(sourcePath), source.errorString()}});
            return CopyResult::SourceFailed; // the target's destructor discards the temporary file
        }
        if (got == 0)
            break;
        if (!target.write(buffer.constData(), got)) {
            setError(error, target.problem());
            return CopyResult::TargetFailed;
        }
        if (chunkCopied && !chunkCopied(got))
            return CopyResult::Cancelled; // the temporary file goes with the target; the old file stays
    }
    const SaveResult committed = target.commit();
    if (!committed) {
        setError(error, committed.problem);
        return CopyResult::TargetFailed;
    }
    removeCaseVariants(toFolder, name);
    return CopyResult::Copied;
}

bool createEmptyFile(const QString& folder, const QString& name, bool onlyIfMissing, Problem* error) {
    if (onlyIfMissing && !matchingFiles(folder, name).isEmpty())
        return true;
    const SaveResult written = writeFileAtomically(QDir(folder).filePath(name), QByteArray());
    if (!written) {
        setError(error, written.problem);
        return false;
    }
    removeCaseVariants(folder, name);
    return true;
}

QStringList TransferReport::failureLines(const TextTable& texts) const {
    QStringList lines;
    for (const Failure& f : failed)
        lines << f.name + QStringLiteral(": ") + f.why.in(texts);
    return lines;
}

QStringList TransferReport::failureLines() const {
    QStringList lines;
    for (const Failure& f : failed)
        lines << f.name + QStringLiteral(": ") + f.reason();
    return lines;
}

TransferReport importFiles(const QString& storageFolder, const QString& dataFolder, const QStringList& names,
                           const TransferOptions& options) {
    return transferEach(storageFolder, names, options,
                        [&](const QString& name, const ChunkCallback& chunkCopied, TransferReport& report) {
                            Problem reason;
                            const CopyResult copy =
                                copyNamedFile(storageFolder, dataFolder, name, &reason, chunkCopied);
                            if (copy == CopyResult::Cancelled)
                                return false;
                            if (copy == CopyResult::Copied) {
                                report.copied << name;
                            } else if (copy == CopyResult::TargetFailed) {
                                // The data folder could not take the file: its own file stays as it was, and no empty
                                // file is made in place of the one that did not arrive.
                                report.failed.append({name, reason});
                            } else {
                                // Not on the card, or unreadable there: the data folder keeps its own file, or gets an
                                // empty one.
                                const bool inData = !matchingFiles(dataFolder, name).isEmpty();
                                Problem createError;
                                const bool inPlace = inData || createEmptyFile(dataFolder, name, false, &createError);
                                if (copy == CopyResult::SourceFailed)
                                    report.failed.append({name, reason});
                                else if (!inPlace)
                                    report.failed.append({name, createError});
                                else
                                    (inData ? report.kept : report.created) << name;
                            }
                            return true;
                        });
}

TransferReport exportFiles(const QString& dataFolder, const QString& storageFolder, const QStringList& names,
                           const TransferOptions& options) {
    return transferEach(
        dataFolder, names, options, [&](const QString& name, const ChunkCallback& chunkCopied, TransferReport& report) {
            Problem reason;
            if (!matchingFiles(dataFolder, name).isEmpty()) {
                const CopyResult copy = copyNamedFile(dataFolder, storageFolder, name, &reason, chunkCopied);
                if (copy == CopyResult::Cancelled)
                    return false;
                if (copy == CopyResult::Copied)
                    report.copied << name;
                else
                    report.failed.append({name, reason});
            } else if (!matchingFiles(storageFolder, name).isEmpty()) {
                // The data folder has no such file: the card keeps its own.
                report.kept << name;
            } else if (createEmptyFile(storageFolder, name, false, &reason)) {
                report.created << name; // nor has the card: it gets an empty one
            } else {
                report.failed.append({name, reason});
            }
            return true;
        });
}

} // namespace quorvan
