#include "ui/schedule/TableRows.h"

#include "ui/common/ListSupport.h"

#include <QTableWidget>

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
    m_list->setCurrentCell(row, 0);
    m_list->selectRow(row);
    m_list->scrollTo(m_list->model()->index(row, 0));
}

} // namespace quorvan
