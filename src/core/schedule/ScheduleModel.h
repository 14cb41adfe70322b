#pragma once

#include "core/files/AtomicFile.h"
#include "core/files/FileStamp.h"
#include "core/files/RegularFile.h"
#include "core/files/ScheduleTypes.h"
#include "core/schedule/ScheduleDocument.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace quorvan {

class TextTable;

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

// The one schedule model of the process: the document list and the document in view, which is file-backed:
// read from its data file when selected, written back after every change.
class ScheduleModel {
public:
    // Called after the current document has been read (or shown again), for its page to show it.
    using PageHandOff = std::function<void(ScheduleDocument&)>;

    // The zone mode the controller is set to; this program only knows zone mode.
    static constexpr int kZoneMode = 1;

    // Builds the document list and reads the first document.
    ScheduleModel(const TextTable& texts, QString programFolder);
    ~ScheduleModel();

    ScheduleModel(const ScheduleModel&) = delete;
    ScheduleModel& operator=(const ScheduleModel&) = delete;

    void setPageHandOff(PageHandOff handOff) { m_handOff = std::move(handOff); }

    // The captions in the texts' current language; the current document stays current.
    void retranslateDocumentList();
    // Makes the document at position current and reads it.
    void selectDocument(int position);
    // Writes the current document to its file.
    SaveResult saveCurrentDocument();
    // Reads the current document's file again and hands the document to the page.
    void reloadCurrentDocument();
    // Shows the current document again (a language switch): from memory while its entries are what the file
    // held at the last read or successful save and nothing has written the file since; otherwise read again.
    void refreshCurrentDocument();
    // Hands the document as it is to the page, without reading the file again.
    void showCurrentDocument();

    // Whether the current document's file may be written over without asking: Ours while it is what the
    // document was read from or last written to; Changed when something else has written, replaced, made or
    // removed it since; Unreadable when the file was there at the last read but could not be read (the document
    // shows none of it) and is there still.
    enum class FileState { Ours, Changed, Unreadable };
    FileState currentFileState() const;
    // How the last read of the current document went (a missing file is no failure to report).
    const ReadStatus& loadStatus() const { return m_loadStatus; }

    const std::vector<DocumentInfo>& documents() const { return m_documents; }
    int currentIndex() const { return m_current; }
    const DocumentInfo& current() const { return m_documents[std::size_t(m_current)]; }
    ScheduleDocument& document() { return m_document; }
    const ScheduleDocument& document() const { return m_document; }
    const QString& programFolder() const { return m_programFolder; }

private:
    void loadCurrent();

    const TextTable& m_texts;
    QString m_programFolder;
    std::vector<DocumentInfo> m_documents;
    int m_current = 0;
    ScheduleDocument m_document;
    std::optional<FileStamp> m_tableStamp; // the file as the document matches it; none after a failed save
    ReadStatus m_loadStatus;
    PageHandOff m_handOff;
};

} // namespace quorvan
