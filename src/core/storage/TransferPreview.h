#pragma once

#include "core/schedule/ScheduleCompare.h"
#include "core/texts/Problem.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace quorvan {

class TextTable;

enum class TransferDirection { Import, Export };

// What a transfer would do to one file of its set, worked out from both folders before anything is written.
struct PreviewLine {
    enum class Outcome {
        Compared,         // a document's file: the comparison says what changes in the target ("the same" too)
        Same,             // another file with the same bytes in both folders
        Replaced,         // another file the target holds with other bytes
        New,              // not in the target folder yet
        KeptNotInSource,  // not in the source folder: the target keeps its own
        CreatedEmpty,     // in neither folder: an empty one is made
        SourceDamaged,    // a document's file that fails its checks in the source folder
        SourceUnreadable, // a link, FIFO, folder or too large in the source folder
    };

    QString name;      // "SCH01.DAT"
    int document = -1; // the index of the document whose file it is; -1 for the other files
    Outcome outcome = Outcome::Same;
    bool targetExists = false;
    // The files the transfer would read and replace (empty: none of that name); a document's entries are read
    // again from them to be shown, so that a preview of four full schedules does not hold them all.
    QString sourcePath;
    QString targetPath;
    // A document's file: the entries the target holds now against those the transfer would bring.
    ScheduleComparison comparison;
    QString damage; // SourceDamaged: the first problem
    Problem why;    // SourceUnreadable: the reason

    // Whether taking the file would leave the target other than it is.
    bool changesTarget() const;
    // Whether a comparison of entries can be shown for it.
    bool comparable() const {
        return document >= 0 &&
               (outcome == Outcome::Compared || outcome == Outcome::New || outcome == Outcome::SourceDamaged);
    }
    // The line's verdict for the operator: "3 changed, 1 added", "the same", "not on the card — kept", …
    QString text(const TextTable& texts, TransferDirection direction) const;
};

struct TransferPreview {
    std::vector<PreviewLine> lines; // one per name of the set, in its order

    // Whether the target already holds a file of the set that the transfer would make other than it is (an
    // export asks first only then).
    bool replacesAny() const;
};

// Reads both folders for the transfer of names from sourceFolder to targetFolder (files matched in any letter
// case, as the transfer matches them). documents says which names are documents' files and how their entries
// line up. Reads only; writes nothing.
TransferPreview previewTransfer(const QString& sourceFolder, const QString& targetFolder, const QStringList& names,
                                const std::vector<DocumentInfo>& documents);

} // namespace quorvan
