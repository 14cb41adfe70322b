#pragma once

#include "core/files/AtomicFile.h"
#include "core/schedule/ScheduleModel.h"

#include <QString>

#include <vector>

namespace quorvan {

class TextTable;

// Numbers of the copy dialog's entry-list items: 0..255 are entry slots.
inline constexpr int kChoiceNew = 998;   // append a new entry (target list only)
inline constexpr int kChoiceAll = 999;   // all entries
inline constexpr int kChoiceNull = 1000; // the source document has no entries

struct EntryChoice {
    QString text;
    int number;
};

// The items of the source and target entry lists for a document of this kind holding count entries.
std::vector<EntryChoice> sourceEntryChoices(DocumentKind kind, int count, const TextTable& texts);
std::vector<EntryChoice> targetEntryChoices(DocumentKind kind, int count, const TextTable& texts);

// Loads a document's data file into a table of the copy's own (the remote presets always hold 12).
void loadForCopy(const QString& programFolder, const DocumentInfo& document, ScheduleTable& table,
                 ReadStatus* status = nullptr);
// The entries loadForCopy would give, read from the file's header only.
int entryCountForCopy(const QString& programFolder, const DocumentInfo& document);

struct CopyOutcome {
    int refusal = 0;       // the TextId of the refusal or error, 0 when the copy went through
    bool appended = false; // an entry was appended to the target
    SaveResult save;       // the target file's save, when one was made
    bool copied() const { return refusal == 0 && save.ok; }
};

// Copies entries between two documents, working on freshly loaded tables so that it copies what the files hold:
// source document s, source choice o, target document t, target choice v. On success the target file is saved.
// A target file that is there but cannot be read (a link, a FIFO, too large) is not written: save says why.
CopyOutcome copyEntries(const QString& programFolder, const std::vector<DocumentInfo>& documents, int s, int o, int t,
                        int v, ScheduleTable& source, ScheduleTable& target);

// Appends copies of entries at the end of the target document's file, as it holds them now, and saves it.
// Refused, the file untouched: a file that is there but cannot be read (save says why), or more than 256
// entries in all (refusal).
CopyOutcome appendCopies(const QString& programFolder, const DocumentInfo& target,
                         const std::vector<TimingEntry>& entries);

} // namespace quorvan
