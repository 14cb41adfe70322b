#include "ui/schedule/TableRows.h"

#include "ui/common/ListSupport.h"

#include <QTableWidget>

#include <algorithm>

namespace quorvan {

int TableRows::rowCount() const {
    return m_list->rowCount();
}

void TableRows::insertRow(int row) {
    m_list->insertRow(row);
}

void TableRows::removeRow(int row) {
    m_list->removeRow(row);
}

void TableRows::removeAllRows() {
    m_list->setRowCount(0);
}

void TableRows::setCells(int row, const QStringList& cells) {
    setRowTexts(m_list, row, cells);
}

void TableRows::setNumberCell(int row, const QString& text) {
    setCellText(m_list, row, 0, text);
}

int TableRows::selectedRow() const {
    const QList<QTableWidgetSelectionRange> ranges = m_list->selectedRanges();
    return ranges.isEmpty() ? -1 : ranges.front().topRow();
}

void TableRows::selectRow(int row) {
    if (row < 0 || row >= m_list->rowCount()) {
        m_list->clearSelection();
        return;
    }
    // Through the selection model: a Ctrl or Shift held down must not turn "this row only" into a toggle.
    const QModelIndex index = m_list->model()->index(row, 0);
    m_list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_list->scrollTo(index);
}

QList<int> TableRows::selectedRows() const {
    // Rows are selected whole; a row counts as soon as one of its cells is selected.
    QList<int> rows;
    for (const QModelIndex& index : m_list->selectionModel()->selectedIndexes())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void TableRows::selectRows(const QList<int>& rows) {
    if (rows.isEmpty()) {
        m_list->clearSelection();
        return;
    }
    selectRow(rows.first());
    QItemSelection more;
    for (const int row : rows.mid(1))
        more.select(m_list->model()->index(row, 0), m_list->model()->index(row, m_list->columnCount() - 1));
    m_list->selectionModel()->select(more, QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

} // namespace quorvan
