#pragma once

#include <QString>
#include <QStringList>

namespace quorvan {

// The eleven files moved between the data folder and a storage folder (an SD card or the controller's storage):
// the documents' files in list order, then the controller's six special-date files.
QStringList transferSet(const QStringList& documentFiles);

enum class CopyResult {
    Copied,
    NotFound,     // fromFolder holds no file of that name
    SourceFailed, // the file in fromFolder could not be read
    TargetFailed, // the file could not be written in toFolder; a file already there is left as it was
};

// Copies the file called `name` (matched in any letter case, as on the controller's FAT card) from fromFolder
// to toFolder, stored there under `name` exactly; a target file whose name differs only in case is replaced,
// not doubled. The copy goes to a temporary file that is flushed to the device and renamed into place, so the
// target is either the old file or the whole new one. The reason of a failure goes to *error.
CopyResult copyNamedFile(const QString& fromFolder, const QString& toFolder, const QString& name,
                         QString* error = nullptr);

// Creates an empty file `name` in folder, or truncates it to length 0. With onlyIfMissing, a file of that name
// in any letter case is left as it is. Returns true when a file of that name exists afterwards.
bool createEmptyFile(const QString& folder, const QString& name, bool onlyIfMissing, QString* error = nullptr);

// What a transfer did with each name of the set. Every name lands in exactly one of the four lists.
struct TransferReport {
    struct Failure {
        QString name;
        QString reason;
    };
    QStringList copied;    // found in the source folder and copied
    QStringList created;   // not in the source folder; created empty in the target folder
    QStringList kept;      // not in the source folder; the target folder's own file was left as it was
    QList<Failure> failed; // could not be read from the source folder or written to the target folder

    bool anyCopied() const { return !copied.isEmpty(); }
    // One line per failure: "NAME: reason".
    QStringList failureLines() const;
};

// Import: each file found in the storage folder is copied into the data folder; a missing one is created empty
// in the data folder unless the data folder already has it. A file that cannot be written leaves the data
// folder's own file as it was (or no file at all); one that cannot be read from the card is treated like a
// missing one. Both are reported as failed.
TransferReport importFiles(const QString& storageFolder, const QString& dataFolder, const QStringList& names);
// Export: each file of the data folder is copied into the storage folder; one the data folder lacks is created
// empty in the storage folder unless the storage folder already has it.
TransferReport exportFiles(const QString& dataFolder, const QString& storageFolder, const QStringList& names);

} // namespace quorvan
