#pragma once

#include <QStringList>

namespace quorvan {

class NameTables;
struct ScheduleTable;
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
    virtual int selectedRow() const = 0; // -1 when none
    virtual void selectRow(int row) = 0; // selects, focuses and scrolls the row into view; -1 selects nothing
};

// What the bookkeeping needs from the editor and the window around it.
class EntryListHost {
public:
    virtual ~EntryListHost() = default;
    virtual void loadEntry(const TimingEntry& entry) = 0;
    virtual TimingEntry storeEntry() = 0;
    virtual void saveDocument() = 0; // the main window writes the current table to its file
    virtual void listFull() = 0;     // tell the operator that no entry can be added
};

// The cells of one list row for an entry: number, weekdays, start, end, sources, zones, power. An unused entry
// gives empty cells, the number included.
QStringList timingRowCells(int row, const TimingEntry& entry, const TextTable& texts, const NameTables& names);

// Row and table bookkeeping of the timing list: while newRowPending is set the last row ("*") is a new entry
// that is not stored yet; otherwise row i shows entry i. Every change to the table is saved at once.
class EntryListLogic {
public:
    EntryListLogic(RowList& rows, EntryListHost& host, const TextTable& texts, const NameTables& names);

    // Attaches a table and fills the list; refused (0) for no table or a capacity of 0 or above 256.
    int showTable(ScheduleTable* table, int capacity);
    void showRow(int row, const TimingEntry* entry);
    void newEntry();
    void saveEntry();
    void deleteEntry();
    // The list's item-changed and click notifications, with the notified row.
    void followSelection(int notifiedRow);

    bool newRowPending() const { return m_newRowPending; }
    ScheduleTable* table() const { return m_table; }

private:
    void deleteRows();
    void loadSelected();

    RowList& m_rows;
    EntryListHost& m_host;
    const TextTable& m_texts;
    const NameTables& m_names;
    ScheduleTable* m_table = nullptr;
    bool m_newRowPending = false;
    int m_busy = 0; // > 0 while the page itself changes the selection
};

} // namespace quorvan
