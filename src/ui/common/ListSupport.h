#pragma once

#include <QListWidget>
#include <QStringList>

#include <array>

class QComboBox;
class QPushButton;
class QScrollArea;
class QTableWidget;
class QWidget;

namespace quorvan {

// A report-style list: single whole-row selection, grid lines, movable column headers, read-only cells, and the
// whole text of a cut cell as its tooltip. widths are the columns' least widths (see setHeadings).
QTableWidget* makeReportList(QWidget* parent, const QString& name, const QStringList& headers,
                             const QList<int>& widths);
// Sets the column headings of a report list and widens each column that is narrower than its heading; no column
// becomes narrower than the least width it was made with.
void setHeadings(QTableWidget* list, const QStringList& headings);
// Sets the texts of one row, creating missing cells.
void setRowTexts(QTableWidget* list, int row, const QStringList& texts);
void setCellText(QTableWidget* list, int row, int column, const QString& text);
QString cellText(const QTableWidget* list, int row, int column);

// widget, named by its role (the name tests and the accessibility tools find it by).
template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// The check marks of the first N items of a list with check boxes (missing items count as not ticked).
template <std::size_t N> std::array<bool, N> readChecks(const QListWidget* list) {
    std::array<bool, N> checks{};
    for (int i = 0; i < int(N) && i < list->count(); ++i)
        checks[std::size_t(i)] = list->item(i)->checkState() == Qt::Checked;
    return checks;
}

template <std::size_t N> void writeChecks(QListWidget* list, const std::array<bool, N>& checks) {
    for (int i = 0; i < int(N) && i < list->count(); ++i)
        list->item(i)->setCheckState(checks[std::size_t(i)] ? Qt::Checked : Qt::Unchecked);
}

// A wrapping list of fixed-size check items, the way a small-icon view lays them out.
void setUpCheckGrid(QListWidget* list, QSize cell);
// Once the items are in: widens every cell to the widest item (check box and whole text), never below
// minimumCell, so that no name is cut.
void fitCheckGrid(QListWidget* list, QSize minimumCell);

// Gives a choice list these item texts in place (a language switch): the chosen item stays chosen, and no change
// is reported. A list of another length is filled anew with its choice kept where it still exists, else the
// first item.
void setComboTexts(QComboBox* box, const QStringList& texts);

// A push button with this object name that Enter never presses.
QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption);

// The scroll area that holds a page's editor, so that every control of the editor can be reached when the page
// is narrower (or lower) than the editor: on a small screen the editor scrolls instead of being cut off.
QScrollArea* makeEditorDock(QWidget* page, QWidget* editor);

} // namespace quorvan
