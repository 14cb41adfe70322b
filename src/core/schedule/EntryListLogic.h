#pragma once

#include <QStringList>

#include <type_traits>
#include <vector>

namespace quorvan {

struct BulkChange;
class NameTables;
struct Problem;
class ScheduleDocument;
class TextTable;
struct TimingEntry;

// The list as the bookkeeping sees it. Selecting a row may notify the selection synchronously.
class RowList {
public:
    virtual ~RowList() = default;
    virtual int rowCount() const = 0;
    virtual void insertRow(int row) = 0; // a row with empty cells
    virtual void removeRow(int row) = 0;
    virtual void removeAllRows() = 0;
    virtual void setCells(int row, const QStringList& cells) = 0;
    virtual void setNumberCell(int row, const QString& text) = 0;
    virtual int selectedRow() const = 0; // -1 when none; the first one when several are
    virtual void selectRow(int row) = 0; // selects only this row, focuses and scrolls it into view; -1: none
    // Every selected row, in order; a list that takes one selection only has at most one.
    virtual QList<int> selectedRows() const {
        const int row = selectedRow();
        return row < 0 ? QList<int>{} : QList<int>{row};
    }
    virtual void selectRows(const QList<int>& rows) { selectRow(rows.value(0, -1)); }
};

// What a save of the document did, for the undo history.
enum class EntryChange { Added, Changed, Deleted, Shifted, Bells };

// The operator's answer when leaving an entry whose edits are not saved.
enum class LeaveAnswer { Save, Discard, Stay };

// What the bookkeeping needs from the editor and the window around it.
class EntryListHost {
public:
    virtual ~EntryListHost() = default;
    // The editor shows entry, the one of row (a new entry: the row it will take).
    virtual void loadEntry(int row, const TimingEntry& entry) = 0;
    // The edited entry; from now on the editor counts it as saved.
    virtual TimingEntry storeEntry() = 0;
    // Asked before the table is changed to be written: false when the file must not be written now (the
    // operator chose to read it again, or to cancel). The table is left as it was.
    virtual bool mayWrite() = 0;
    // The main window writes the current document to its file; change, entry (from 0; the first of several),
    // count and detail (a shift's offset, "+0:10:00") say what was done. False when the file could not be
    // written: the host has then shown the file as it is again.
    virtual bool saveDocument(EntryChange change, int entry, int count = 1, const QString& detail = {}) = 0;
    virtual void listFull() = 0; // tell the operator that no entry can be added
    // Whether the editor shows changes not stored since its entry was loaded or stored.
    virtual bool hasUnsavedChanges() = 0;
    // Asks the operator whether to save those changes before leaving the entry.
    virtual LeaveAnswer askToLeave() = 0;
    // The Save button's own check of the editor (it tells the operator when it refuses).
    virtual bool entryCanBeSaved() = 0;
    // The row a Save of the shown entry stores to: the shown row, or for the remote keys the key chosen in the
    // editor.
    virtual int storeTarget(int shownRow) { return shownRow; }
    // Several entries are selected (count ≥ 2): the editor shows none of them and says how many; 0: the editor
    // shows one entry again.
    virtual void showSelectionCount(int /*count*/) {}
    // Whether to delete count (≥ 2) entries.
    virtual bool confirmDelete(int /*count*/) { return true; }
};

// The headings of the timing list's columns, in the current language.
QStringList timingListHeadings(const TextTable& texts);

// The cells of one list row for an entry: number, weekdays, start, end, sources, zones, power. An unused entry
// gives empty cells, the number included.
QStringList timingRowCells(int row, const TimingEntry& entry, const TextTable& texts, const NameTables& names);
// The cells of one remote-key row: an empty number, the key's name, then sources, zones and power (empty for an
// empty preset).
QStringList presetRowCells(int row, const TimingEntry& entry, const TextTable& texts, const NameTables& names);

// Row and document bookkeeping of the timing list and the remote keys: row i shows entry i. In a schedule, while
// newRowPending is set the last row ("*") is a new entry that is not stored yet. The remote keys have twelve
// fixed rows: nothing is added, Delete empties a preset and Save stores to the key chosen in the editor
// (storeTarget). Every change to the document is saved at once.
class EntryListLogic {
public:
    EntryListLogic(RowList& rows, EntryListHost& host, const TextTable& texts, const NameTables& names);

    // Attaches a document and fills the list; refused (0) for no document.
    int showDocument(ScheduleDocument* document);
    void showRow(int row, const TimingEntry* entry);
    // New, Save and Delete of the editor. New leaves the entry shown as leaveShownEntry does.
    void newEntry();
    void saveEntry();
    void deleteEntry();
    // Appends a copy of the entry the editor shows as a new stored row, selected and shown, after leaving the
    // shown entry as leaveShownEntry does. A new entry not yet stored has nothing to copy; a full table tells the
    // operator (listFull).
    void duplicateEntry();
    // The list's item-changed and click notifications, with the notified row. Moving to another row, or
    // deselecting the row, with unsaved edits in the editor asks first (leaveShownEntry); a refusal selects the
    // shown row again. Deselecting always comes back to the shown row, so that Save has a row to store to.
    void followSelection(int notifiedRow);
    // Selects and shows entry index (the last one when index lies beyond), as after an undo; nothing for a table
    // without entries.
    void showEntry(int index);
    // Before the editor is given another entry or document: with unsaved edits, asks whether to save them.
    // Save stores them to the shown row as the Save button would. False when the operator stays.
    bool leaveShownEntry();

    // Where the editor stands: the row it shows and whether that is the new row not stored yet.
    struct EditorPlace {
        int row = -1;
        bool newRow = false;
        QList<int> several; // the entries selected together, when several are
    };
    EditorPlace editorPlace() const;
    // After the table was shown again from its file: the editor goes back to place (a row the file no longer
    // has becomes a new row) with its entry from the table, for the host to put the operator's edit back on.
    void returnTo(const EditorPlace& place);

    // The stored entries selected, in order (the new row not counted).
    QList<int> selectedEntries() const;
    bool severalSelected() const { return m_several; }
    // Delete and Duplicate of the list's menu: on one entry as deleteEntry and duplicateEntry; on several, one
    // change of the document (Delete asks first), the copies appended in order and selected.
    void deleteSelected();
    void duplicateSelected();
    // Moves the selected entries (or the one the editor shows) by seconds as one change. Refused, nothing
    // changed: the entries (from 0) whose start or end would leave the day.
    QList<int> shiftSelected(int seconds);
    // Change… on the selected entries (or the one the editor shows) as one change; the refusal when nothing
    // changed (empty when the change was made, or the file may not be written).
    Problem changeSelected(const BulkChange& change);
    // Appends entries made elsewhere (a day of bells) as one change, after leaving the shown entry; they are
    // selected afterwards. False when nothing was added (no room, the file may not be written, the operator stayed).
    bool appendEntries(const std::vector<TimingEntry>& entries);

    bool newRowPending() const { return m_newRowPending; }
    ScheduleDocument* document() const { return m_document; }

private:
    void deleteRows();
    // Stores the editor's entry to the row storeTarget names in a fixed-size document; that row, or -1 when it
    // lies outside.
    int storeFixed();
    void loadSelected();
    bool storeShownEntry();
    void reloadShownEntry();
    // Applies apply(entries, chosen) to a copy of the entries and, when it refuses nothing (an empty result), stores
    // the chosen ones as one change; the refusal otherwise.
    template <class Apply, class Result = std::invoke_result_t<Apply, std::vector<TimingEntry>&, const QList<int>&>>
    Result changeChosen(Apply&& apply, EntryChange change, const QString& detail);
    // Into and out of showing several entries at once.
    void showSeveral();
    void leaveSeveral();

    RowList& m_rows;
    EntryListHost& m_host;
    const TextTable& m_texts;
    const NameTables& m_names;
    ScheduleDocument* m_document = nullptr;
    bool m_newRowPending = false;
    bool m_several = false; // several rows are selected; the editor shows none
    int m_shownRow = -1; // the row whose entry the editor shows
    int m_busy = 0;      // > 0 while the page itself changes the selection
};

} // namespace quorvan
