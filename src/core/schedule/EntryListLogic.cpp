#include "core/schedule/EntryListLogic.h"

#include "core/files/ScheduleTypes.h"
#include "core/schedule/BulkChanges.h"
#include "core/schedule/EntryFormat.h"
#include "core/schedule/ScheduleModel.h"
#include "core/settings/NameTables.h"
#include "core/texts/TextTable.h"

namespace quorvan {

namespace {

// Selection notifications that the page causes itself are not the user's: they are ignored while it works.
class Busy {
public:
    explicit Busy(int& depth) : m_depth(depth) { ++m_depth; }
    ~Busy() { --m_depth; }

private:
    int& m_depth;
};

const TimingEntry& zeroEntry() {
    static const TimingEntry zero{};
    return zero;
}

} // namespace

QStringList timingListHeadings(const TextTable& texts) {
    QStringList headings;
    for (const int id : {TextId::NumberColumn, TextId::WeekColumn, TextId::StartTimeColumn, TextId::EndTimeColumn,
                         TextId::SoundColumn, TextId::ZoneSelect, TextId::PowerColumn})
        headings << texts.text(id);
    return headings;
}

QStringList timingRowCells(int row, const TimingEntry& entry, const TextTable& texts, const NameTables& names) {
    if (!entry.used)
        return QStringList(7, QString());
    return {QString::number(row + 1),
            formatWeekdays(entry.weekdays, texts),
            formatTime(entry.startHour, entry.startMinute, entry.startSecond),
            formatTime(entry.endHour, entry.endMinute, entry.endSecond),
            formatSources(entry.sourceMask, texts),
            formatZones(entry.zoneMask, names),
            formatPower(entry.powerMask, names, texts)};
}

QStringList presetRowCells(int row, const TimingEntry& entry, const TextTable& texts, const NameTables& names) {
    const QString key = texts.text(TextId::RemoteKey) + QString::number(row + 1);
    if (!entry.used)
        return {QString(), key, QString(), QString(), QString()};
    return {QString(), key, formatSources(entry.sourceMask, texts), formatZones(entry.zoneMask, names),
            formatPower(entry.powerMask, names, texts)};
}

EntryListLogic::EntryListLogic(RowList& rows, EntryListHost& host, const TextTable& texts, const NameTables& names)
    : m_rows(rows), m_host(host), m_texts(texts), m_names(names) {}

int EntryListLogic::showDocument(ScheduleDocument* document) {
    if (!document)
        return 0;
    Busy busy(m_busy);
    m_newRowPending = false;
    leaveSeveral();
    m_document = document;
    m_rows.removeAllRows();
    const int count = document->count();
    for (int i = 0; i < count; ++i) {
        m_rows.insertRow(i);
        showRow(i, &document->entry(i));
    }
    m_rows.selectRow(0);
    if (count > 0) {
        m_host.loadEntry(0, document->entry(0));
        m_shownRow = 0;
    } else {
        newEntry();
    }
    return 1;
}

void EntryListLogic::showRow(int row, const TimingEntry* entry) {
    if (!entry || row < 0 || row >= m_rows.rowCount())
        return;
    m_rows.setCells(row, m_document && m_document->fixedSize() ? presetRowCells(row, *entry, m_texts, m_names)
                                                               : timingRowCells(row, *entry, m_texts, m_names));
}

void EntryListLogic::newEntry() {
    if (!m_document || m_newRowPending || m_document->fixedSize())
        return;
    leaveSeveral();
    if (m_busy == 0 && !leaveShownEntry())
        return;
    Busy busy(m_busy);
    const int n = m_rows.rowCount();
    if (n >= kMaxEntries) {
        m_host.listFull();
        return;
    }
    m_newRowPending = true;
    m_rows.insertRow(n);
    m_rows.setNumberCell(n, QStringLiteral("*"));
    m_rows.selectRow(n);
    m_host.loadEntry(n, zeroEntry());
    m_shownRow = n;
}

void EntryListLogic::saveEntry() {
    if (!m_document || m_several)
        return;
    Busy busy(m_busy);
    if (!m_host.mayWrite())
        return;
    if (m_document->fixedSize()) {
        const int target = storeFixed();
        if (target >= 0 && m_host.saveDocument(EntryChange::Changed, target) && target != m_shownRow) {
            // Saved to another key than the row's: the list follows the editor, so that both name one key.
            m_rows.selectRow(target);
            m_shownRow = target;
        }
        return;
    }
    if (m_newRowPending) {
        m_newRowPending = false;
        const int r = m_rows.rowCount() - 1;
        const TimingEntry entry = m_host.storeEntry();
        m_document->append(entry);
        showRow(r, &entry);
        if (m_host.saveDocument(EntryChange::Added, m_document->count() - 1) && m_rows.rowCount() < kMaxEntries)
            newEntry();
        return;
    }
    const int s = m_rows.selectedRow();
    const TimingEntry entry = m_host.storeEntry();
    m_document->replace(s, entry);
    showRow(s, &entry);
    m_host.saveDocument(EntryChange::Changed, s);
}

int EntryListLogic::storeFixed() {
    const int target = m_host.storeTarget(m_shownRow);
    const TimingEntry entry = m_host.storeEntry();
    if (!m_document->replace(target, entry))
        return -1;
    showRow(target, &entry);
    return target;
}

bool EntryListLogic::storeShownEntry() {
    if (!m_host.mayWrite())
        return false;
    if (m_document->fixedSize()) {
        // The operator is on the way to another row: the list stays on it.
        const int target = storeFixed();
        return target < 0 || m_host.saveDocument(EntryChange::Changed, target);
    }
    const TimingEntry entry = m_host.storeEntry();
    const int pendingRow = m_rows.rowCount() - 1;
    if (m_newRowPending && m_shownRow == pendingRow) {
        // The new entry becomes a stored row; no other new row is opened, the operator is on the way elsewhere.
        m_newRowPending = false;
        m_document->append(entry);
        showRow(m_shownRow, &entry);
        return m_host.saveDocument(EntryChange::Added, m_document->count() - 1);
    }
    if (m_shownRow >= 0 && m_shownRow < m_document->count()) {
        m_document->replace(m_shownRow, entry);
        showRow(m_shownRow, &entry);
        return m_host.saveDocument(EntryChange::Changed, m_shownRow);
    }
    return true;
}

EntryListLogic::EditorPlace EntryListLogic::editorPlace() const {
    return {m_shownRow, m_newRowPending && m_shownRow == m_rows.rowCount() - 1,
            m_several ? selectedEntries() : QList<int>{}};
}

void EntryListLogic::returnTo(const EditorPlace& place) {
    if (!m_document)
        return;
    Busy busy(m_busy);
    QList<int> several;
    for (const int row : place.several)
        if (row < m_document->count())
            several << row;
    if (several.size() > 1) {
        // The same entries selected together again, as far as the document still has them.
        if (m_newRowPending) {
            m_newRowPending = false;
            m_rows.removeRow(m_rows.rowCount() - 1);
        }
        m_rows.selectRows(several);
        m_several = true;
        m_shownRow = -1;
        m_host.showSelectionCount(int(several.size()));
        return;
    }
    if (!place.newRow && place.row >= 0 && place.row < m_document->count()) {
        if (m_newRowPending) {
            m_newRowPending = false;
            m_rows.removeRow(m_rows.rowCount() - 1);
        }
        m_rows.selectRow(place.row);
        m_host.loadEntry(place.row, m_document->entry(place.row));
        m_shownRow = place.row;
    } else if (m_newRowPending) {
        m_rows.selectRow(m_rows.rowCount() - 1);
        m_host.loadEntry(m_rows.rowCount() - 1, zeroEntry());
        m_shownRow = m_rows.rowCount() - 1;
    } else {
        newEntry();
    }
}

bool EntryListLogic::leaveShownEntry() {
    if (!m_document || !m_host.hasUnsavedChanges())
        return true;
    switch (m_host.askToLeave()) {
    case LeaveAnswer::Discard:
        return true;
    case LeaveAnswer::Stay:
        return false;
    case LeaveAnswer::Save:
        break;
    }
    if (!m_host.entryCanBeSaved())
        return false;
    Busy busy(m_busy);
    // Not written (turned down, or the write failed): the operator stays with the edit.
    return storeShownEntry();
}

void EntryListLogic::deleteRows() {
    const int s = m_rows.selectedRow();
    const int last = m_rows.rowCount() - 1;
    if (m_newRowPending) {
        // Only the pending row goes; the table is not touched.
        m_newRowPending = false;
        m_rows.removeRow(last);
        m_rows.selectRow(last - 1);
        return;
    }
    if (s >= 0 && s <= last)
        m_rows.removeRow(s);
    m_rows.selectRow(s < last ? s : s - 1);
    for (int i = 0; i < m_rows.rowCount(); ++i)
        m_rows.setNumberCell(i, QString::number(i + 1));
    if (s >= 0 && s < m_document->count())
        m_document->remove(s);
    if (m_host.saveDocument(EntryChange::Deleted, s) && m_document->count() == 0)
        newEntry();
}

void EntryListLogic::deleteEntry() {
    if (!m_document || m_document->count() == 0 || m_several)
        return;
    Busy busy(m_busy);
    if (!m_newRowPending && !m_host.mayWrite())
        return;
    if (m_document->fixedSize()) {
        // The key keeps its row with an empty preset; the editor keeps showing the deleted preset until another
        // row is chosen, and a Save stores it again.
        const int s = m_rows.selectedRow();
        if (!m_document->remove(s))
            return;
        showRow(s, &m_document->entry(s));
        m_rows.selectRow(s);
        m_host.saveDocument(EntryChange::Deleted, s);
        return;
    }
    deleteRows();
    // The editor shows the entry that now occupies the selected row.
    if (!m_newRowPending)
        loadSelected();
}

void EntryListLogic::duplicateEntry() {
    if (!m_document || m_document->fixedSize() || m_several)
        return;
    if (m_busy == 0 && !leaveShownEntry())
        return;
    Busy busy(m_busy);
    const int source = m_shownRow;
    if (source < 0 || source >= m_document->count() || (m_newRowPending && source == m_rows.rowCount() - 1))
        return;
    if (m_document->count() >= kMaxEntries) {
        m_host.listFull();
        return;
    }
    if (!m_host.mayWrite())
        return;
    if (m_newRowPending) {
        // The empty new row gives way to the copy, which is a stored entry.
        m_newRowPending = false;
        m_rows.removeRow(m_rows.rowCount() - 1);
    }
    m_document->append(m_document->entry(source));
    const int row = m_document->count() - 1;
    m_rows.insertRow(row);
    showRow(row, &m_document->entry(row));
    if (!m_host.saveDocument(EntryChange::Added, row))
        return;
    m_rows.selectRow(row);
    m_host.loadEntry(row, m_document->entry(row));
    m_shownRow = row;
}

void EntryListLogic::showEntry(int index) {
    if (!m_document || m_document->count() == 0 || index < 0)
        return;
    Busy busy(m_busy);
    const int row = std::min(index, m_document->count() - 1);
    m_rows.selectRow(row);
    m_host.loadEntry(row, m_document->entry(row));
    m_shownRow = row;
}

void EntryListLogic::reloadShownEntry() {
    if (m_shownRow >= 0 && m_shownRow < m_document->count())
        m_host.loadEntry(m_shownRow, m_document->entry(m_shownRow));
    else if (m_newRowPending && m_shownRow == m_rows.rowCount() - 1)
        m_host.loadEntry(m_shownRow, zeroEntry());
}

void EntryListLogic::loadSelected() {
    const int s = m_rows.selectedRow();
    if (s >= 0 && s < m_document->count()) {
        m_host.loadEntry(s, m_document->entry(s));
        m_shownRow = s;
    } else if (m_newRowPending && s == m_rows.rowCount() - 1) {
        m_shownRow = s;
    }
}

void EntryListLogic::followSelection(int notifiedRow) {
    if (m_busy > 0 || !m_document)
        return;
    if (m_rows.selectedRows().size() > 1) {
        showSeveral();
        return;
    }
    if (m_several) {
        // Back to one entry: the one selected, or the row notified when the last one was deselected.
        Busy busy(m_busy);
        leaveSeveral();
        if (m_rows.selectedRow() < 0)
            m_rows.selectRow(std::clamp(notifiedRow, 0, m_rows.rowCount() - 1));
        loadSelected();
        return;
    }
    if (notifiedRow < 0)
        return;
    Busy busy(m_busy);
    const int s = m_rows.selectedRow();
    if (s == m_shownRow)
        return; // the same row again: the editor keeps what it shows, edits included
    const bool stay = !leaveShownEntry();
    if (stay || s < 0) {
        // Back to the row the editor shows; a deselection never leaves Save without a row. Edits the operator
        // chose to discard go with a fresh load of the row.
        m_rows.selectRow(m_shownRow);
        if (!stay)
            reloadShownEntry();
        return;
    }
    const int last = m_rows.rowCount() - 1;
    if (!m_newRowPending) {
        loadSelected();
        return;
    }
    if (notifiedRow == last)
        return;
    if (s >= 0 && s < last) {
        // A stored row was picked: the unsaved new entry is dropped.
        deleteRows();
        m_rows.selectRow(s);
        loadSelected();
    } else {
        m_rows.selectRow(last);
    }
}

void EntryListLogic::showSeveral() {
    Busy busy(m_busy);
    if (!m_several) {
        const QList<int> chosen = m_rows.selectedRows();
        // Leaving the entry the editor shows, as for any other row; staying selects it alone again.
        if (!leaveShownEntry()) {
            m_rows.selectRow(m_shownRow);
            return;
        }
        if (m_newRowPending) {
            // The new entry not stored is dropped, and with it its row.
            m_newRowPending = false;
            m_rows.removeRow(m_rows.rowCount() - 1);
            QList<int> stored;
            for (const int row : chosen)
                if (row < m_rows.rowCount())
                    stored << row;
            m_rows.selectRows(stored);
            if (stored.size() < 2) {
                loadSelected();
                return;
            }
        }
        m_several = true;
        m_shownRow = -1;
    }
    m_host.showSelectionCount(int(selectedEntries().size()));
}

void EntryListLogic::leaveSeveral() {
    if (!m_several)
        return;
    m_several = false;
    m_host.showSelectionCount(0);
}

QList<int> EntryListLogic::selectedEntries() const {
    QList<int> entries;
    if (!m_document)
        return entries;
    for (const int row : m_rows.selectedRows())
        if (row >= 0 && row < m_document->count())
            entries << row;
    return entries;
}

void EntryListLogic::deleteSelected() {
    const QList<int> chosen = selectedEntries();
    if (!m_several || chosen.size() < 2) {
        deleteEntry();
        return;
    }
    Busy busy(m_busy);
    if (!m_host.confirmDelete(int(chosen.size())) || !m_host.mayWrite())
        return;
    for (auto it = chosen.crbegin(); it != chosen.crend(); ++it) {
        m_document->remove(*it);
        m_rows.removeRow(*it);
    }
    for (int i = 0; i < m_rows.rowCount(); ++i)
        m_rows.setNumberCell(i, QString::number(i + 1));
    leaveSeveral();
    if (!m_host.saveDocument(EntryChange::Deleted, chosen.first(), int(chosen.size())))
        return;
    if (m_document->count() == 0) {
        newEntry();
        return;
    }
    const int row = std::min(int(chosen.first()), m_document->count() - 1);
    m_rows.selectRow(row);
    m_host.loadEntry(row, m_document->entry(row));
    m_shownRow = row;
}

void EntryListLogic::duplicateSelected() {
    const QList<int> chosen = selectedEntries();
    if (!m_several || chosen.size() < 2) {
        duplicateEntry();
        return;
    }
    Busy busy(m_busy);
    if (m_document->count() + chosen.size() > m_document->capacity()) {
        m_host.listFull();
        return;
    }
    if (!m_host.mayWrite())
        return;
    const int first = m_document->count();
    QList<int> copies;
    for (const int i : chosen) {
        m_document->append(m_document->entry(i));
        const int row = m_document->count() - 1;
        m_rows.insertRow(row);
        showRow(row, &m_document->entry(row));
        copies << row;
    }
    if (!m_host.saveDocument(EntryChange::Added, first, int(copies.size())))
        return;
    m_rows.selectRows(copies);
    m_host.showSelectionCount(int(copies.size()));
}

template <class Apply, class Result>
Result EntryListLogic::changeChosen(Apply&& apply, EntryChange change, const QString& detail) {
    if (!m_document)
        return {};
    if (!m_several && m_busy == 0 && !leaveShownEntry())
        return {};
    Busy busy(m_busy);
    // The selected entries, or the one the editor shows.
    const QList<int> chosen =
        m_several ? selectedEntries()
                  : (m_shownRow >= 0 && m_shownRow < m_document->count() ? QList<int>{m_shownRow} : QList<int>{});
    if (chosen.isEmpty())
        return {};
    std::vector<TimingEntry> entries = m_document->table().entries;
    const Result refusal = apply(entries, chosen);
    if (!refusal.isEmpty() || !m_host.mayWrite())
        return refusal;
    for (const int i : chosen) {
        m_document->replace(i, entries[std::size_t(i)]);
        showRow(i, &m_document->entry(i));
    }
    if (m_host.saveDocument(change, chosen.first(), int(chosen.size()), detail) && !m_several)
        m_host.loadEntry(m_shownRow, m_document->entry(m_shownRow));
    return {};
}

QList<int> EntryListLogic::shiftSelected(int seconds) {
    return changeChosen<>([seconds](std::vector<TimingEntry>& entries,
                                    const QList<int>& chosen) { return shiftEntries(entries, chosen, seconds); },
                          EntryChange::Shifted, offsetText(seconds));
}

Problem EntryListLogic::changeSelected(const BulkChange& change) {
    return changeChosen<>(
        [&change](std::vector<TimingEntry>& entries, const QList<int>& chosen) {
            return changeEntries(entries, chosen, change).refusal;
        },
        EntryChange::Changed, QString());
}

bool EntryListLogic::appendEntries(const std::vector<TimingEntry>& entries) {
    if (!m_document || entries.empty() || m_document->fixedSize())
        return false;
    if (!m_several && m_busy == 0 && !leaveShownEntry())
        return false;
    Busy busy(m_busy);
    if (m_document->count() + int(entries.size()) > m_document->capacity()) {
        m_host.listFull();
        return false;
    }
    if (!m_host.mayWrite())
        return false;
    if (m_newRowPending) {
        m_newRowPending = false;
        m_rows.removeRow(m_rows.rowCount() - 1);
    }
    leaveSeveral();
    const int first = m_document->count();
    QList<int> added;
    for (const TimingEntry& e : entries) {
        m_document->append(e);
        const int row = m_document->count() - 1;
        m_rows.insertRow(row);
        showRow(row, &m_document->entry(row));
        added << row;
    }
    if (!m_host.saveDocument(EntryChange::Bells, first, int(added.size())))
        return false;
    if (added.size() == 1) {
        m_rows.selectRow(first);
        m_host.loadEntry(first, m_document->entry(first));
        m_shownRow = first;
    } else {
        m_rows.selectRows(added);
        m_several = true;
        m_shownRow = -1;
        m_host.showSelectionCount(int(added.size()));
    }
    return true;
}

} // namespace quorvan
