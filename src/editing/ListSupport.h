#pragma once

#include <QStringList>

class QTableWidget;
class QWidget;

namespace quorvan {

// A report-style list: single whole-row selection, grid lines, movable column headers, read-only cells.
QTableWidget* makeReportList(QWidget* parent, int id, const QStringList& headers, const QList<int>& widths);
// Sets the texts of one row, creating missing cells.
void setRowTexts(QTableWidget* list, int row, const QStringList& texts);
void setCellText(QTableWidget* list, int row, int column, const QString& text);
QString cellText(const QTableWidget* list, int row, int column);

} // namespace quorvan
