#pragma once

#include "core/files/AtomicFile.h"
#include "core/files/FileStamp.h"
#include "core/files/RegularFile.h"
#include "core/files/ScheduleTypes.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace quorvan {

class TextTable;

enum class DocumentKind : std::int32_t {
    NormalSchedule = 1, // a timing list of up to 256 entries
    RemotePresets = 6,  // the twelve remote-key presets
};

struct ScheduleDocument {
    DocumentKind kind;
    QString caption;  // shown in the navigation tree and the copy dialog, in the current language
    QString fileName; // name of the data file inside the data folder
};

// The five documents in list order, captions in the texts' language: four schedules, then the remote keys.
std::vector<ScheduleDocument> documentList(const TextTable& texts);
// The data file names of documents, in their order.
QStringList documentFiles(const std::vector<ScheduleDocument>& documents);

// Number of table slots a page of this kind shows.
int capacityOf(DocumentKind kind);

// Appends entry; does nothing on a full table.
void appendEntry(ScheduleTable& table, const TimingEntry& entry);
// Copies entry over entry index when index < count; otherwise does nothing.
void replaceEntry(ScheduleTable& table, int index, const TimingEntry& entry);
// Removes entry index, moving the later entries up. Returns 0 and changes nothing when index >= 256, 1
// otherwise.
int removeEntry(ScheduleTable& table, unsigned index);
// Removes every entry.
void clearTable(ScheduleTable& table);
// An empty table on the heap.
std::unique_ptr<ScheduleTable> makeTable();

// The one schedule model of the process: the document list and the table of the document in view, which is
// file-backed: loaded from its data file when selected, written back after every change.
class ScheduleModel {
public:
    // Called after the current document has been loaded, with the table and the capacity its page shows.
    using PageHandOff = std::function<void(const ScheduleDocument&, ScheduleTable&, int capacity)>;

    // Allocates the table, builds the document list and loads the first document.
    ScheduleModel(const TextTable& texts, QString programFolder);
    ~ScheduleModel();

    ScheduleModel(const ScheduleModel&) = delete;
    ScheduleModel& operator=(const ScheduleModel&) = delete;

    void setPageHandOff(PageHandOff handOff) { m_handOff = std::move(handOff); }

    // Empties the list and appends the five documents with captions in the current language; the first
    // document becomes current. currentIndex is left for the caller to re-apply.
    void rebuildDocumentList();
    // Makes the document at currentIndex current when it lies within the list.
    void applyCurrentIndex();
    // Makes the document at position current and loads it.
    void selectDocument(int position);
    // Writes the current table to the current document's file; the remote-key count stays 12.
    SaveResult saveCurrentDocument();
    // Loads the current document's file into the table and hands it to the page.
    void reloadCurrentDocument();
    // Shows the current document again (a language switch): from memory while the table is what the file held
    // at the last load or successful save and nothing has written the file since; otherwise read again.
    void refreshCurrentDocument();
    // Hands the table as it is to the page, without reading the file again (it was read when the model was made).
    void showCurrentDocument();

    // Whether the current document's file may be written over without asking: Ours while it is what the table
    // was read from or last written to; Changed when something else has written, replaced, made or removed it
    // since; Unreadable when the file was there at the last load but could not be read (the table shows none of
    // it) and is there still.
    enum class FileState { Ours, Changed, Unreadable };
    FileState currentFileState() const;
    // How the last load of the current document went (a missing file is no failure to report).
    const ReadStatus& loadStatus() const { return m_loadStatus; }

    int mode = 1; // zone mode
    int currentIndex = 0;
    std::vector<ScheduleDocument> documents;

    const ScheduleDocument& current() const { return documents[static_cast<std::size_t>(m_current)]; }
    ScheduleTable& table() { return *m_table; }
    const ScheduleTable& table() const { return *m_table; }
    const QString& programFolder() const { return m_programFolder; }

private:
    void loadCurrent();

    const TextTable& m_texts;
    QString m_programFolder;
    std::size_t m_current = 0;
    std::unique_ptr<ScheduleTable> m_table;
    std::optional<FileStamp> m_tableStamp; // the file as the table matches it; none after a failed save
    ReadStatus m_loadStatus;
    PageHandOff m_handOff;
};

} // namespace quorvan
