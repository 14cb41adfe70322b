#pragma once

#include "core/schedule/EntryListLogic.h"

class QTableWidget;

namespace quorvan {

// A report list as the entry bookkeeping sees it: rows of cells, at most one of them selected.
class TableRows : public RowList {
public:
    explicit TableRows(QTableWidget* list) : m_list(list) {}

    int rowCount() const override;
    void insertRow(int row) override;
    void removeRow(int row) override;
    void removeAllRows() override;
    void setCells(int row, const QStringList& cells) override;
    void setNumberCell(int row, const QString& text) override;
    int selectedRow() const override;
    void selectRow(int row) override;
    QList<int> selectedRows() const override;
    void selectRows(const QList<int>& rows) override;

private:
    QTableWidget* m_list;
};

} // namespace quorvan
