#pragma once

#include "core/texts/Problem.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace quorvan {

// The eleven files moved between the data folder and a storage folder (an SD card or the controller's storage):
// the documents' files in list order, then the controller's six special-date files.
QStringList transferSet(const QStringList& documentFiles);

// The path of the file called `name` in folder, matched in any letter case as a copy matches it (the first of
// several in binary name order); empty when there is none.
QString namedFilePath(const QString& folder, const QString& name);

enum class CopyResult {
    Copied,
    NotFound,     // fromFolder holds no file of that name
    SourceFailed, // the file in fromFolder could not be read
    TargetFailed, // the file could not be written in toFolder; a file already there is left as it was
    Cancelled,    // stopped on request; a file already in toFolder is left as it was
};

// Told the size of every chunk copied; returning false abandons the copy.
using ChunkCallback = std::function<bool(qint64 bytes)>;

// Copies the file called `name` (matched in any letter case, as on the controller's FAT card) from fromFolder
// to toFolder, stored there under `name` exactly; a target file whose name differs only in case is replaced,
// not doubled. Only a regular file of at most kMaxScheduleFileBytes is read (a symbolic link, FIFO or device
// is refused as SourceFailed with the reason); a link in the target's place is replaced, not written through. The copy
// goes to a temporary file that is flushed to the device and renamed into place, so the target is either the old file
// or the whole new one. The reason of a failure goes to *why.
CopyResult copyNamedFile(const QString& fromFolder, const QString& toFolder, const QString& name,
                         Problem* why = nullptr, const ChunkCallback& chunkCopied = {});

// Creates an empty file `name` in folder, or truncates it to length 0. With onlyIfMissing, a file of that name
// in any letter case is left as it is. Returns true when a file of that name exists afterwards.
bool createEmptyFile(const QString& folder, const QString& name, bool onlyIfMissing, Problem* why = nullptr);

// How far a transfer has come.
struct TransferProgress {
    QString name;     // the file being copied
    qint64 done = 0;  // bytes copied so far, all files together
    qint64 total = 0; // bytes of every file the transfer copies
    int filesDone = 0;  // names of the set dealt with before the one being copied
    int filesTotal = 0; // names in the set
    bool checkingSongs = false;   // the files are copied; the card's songs are being checked
    bool keepingVersions = false; // the files an import replaces are being kept in the backups
};
// Called on the transfer's own thread at the start of each file and after every chunk; returning false cancels
// the transfer: the file being written is abandoned and the files after it are left alone.
using ProgressCallback = std::function<bool(const TransferProgress&)>;

struct TransferOptions {
    ProgressCallback progress;
    // Caps the copy rate in bytes per second (0: as fast as the devices go), as a slow card would.
    qint64 bytesPerSecond = 0;
};

// What a transfer did with each name of the set. Every name lands in exactly one of the five lists.
struct TransferReport {
    struct Failure {
        QString name;
        Problem why;
        QString reason() const { return why.inEnglish(); }
    };
    QStringList copied;         // found in the source folder and copied
    QStringList created;        // not in the source folder; created empty in the target folder
    QStringList kept;           // not in the source folder; the target folder's own file was left as it was
    QList<Failure> failed;      // could not be read from the source folder or written to the target folder
    QStringList notTransferred; // left alone because the transfer was cancelled, the file being copied first
    bool cancelled = false;

    bool anyCopied() const { return !copied.isEmpty(); }
    // One line per failure: "NAME: reason", the reason in the language of texts (English without).
    QStringList failureLines() const;
    QStringList failureLines(const TextTable& texts) const;
};

// Import: each file found in the storage folder is copied into the data folder; a missing one is created empty
// in the data folder unless the data folder already has it. A file that cannot be written leaves the data
// folder's own file as it was (or no file at all); one that cannot be read from the card is treated like a
// missing one. Both are reported as failed.
TransferReport importFiles(const QString& storageFolder, const QString& dataFolder, const QStringList& names,
                           const TransferOptions& options = {});
// Export: each file of the data folder is copied into the storage folder; one the data folder lacks is created
// empty in the storage folder unless the storage folder already has it.
TransferReport exportFiles(const QString& dataFolder, const QString& storageFolder, const QStringList& names,
                           const TransferOptions& options = {});

} // namespace quorvan
