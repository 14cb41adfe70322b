#include "ui/common/ListSupport.h"

#include "ui/common/CutTextToolTips.h"

#include <QAbstractItemDelegate>
#include <QComboBox>
#include <QSignalBlocker>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableWidget>

#include <algorithm>

namespace quorvan {

namespace {
// Property of a report list holding the least width of each column.
constexpr char kLeastWidths[] = "quorvanLeastColumnWidths";
} // namespace

QTableWidget* makeReportList(QWidget* parent, const QString& name, const QStringList& headers,
                             const QList<int>& widths) {
    auto* list = new QTableWidget(0, int(headers.size()), parent);
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the list (the arrow keys move within it): cell by cell it would load entry after entry and
    // never reach the editor.
    list->setTabKeyNavigation(false);
    list->setShowGrid(true);
    list->setWordWrap(false);
    list->verticalHeader()->setVisible(false);
    list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 6);
    list->horizontalHeader()->setSectionsMovable(true);
    list->horizontalHeader()->setStretchLastSection(true);
    list->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    list->setItemDelegate(new CutTextToolTips(list));
    QVariantList least;
    for (const int w : widths)
        least << w;
    list->setProperty(kLeastWidths, least);
    list->setFrameShape(QFrame::StyledPanel);
    list->setFrameShadow(QFrame::Sunken);
    setHeadings(list, headers);
    return list;
}

void setHeadings(QTableWidget* list, const QStringList& headings) {
    list->setHorizontalHeaderLabels(headings);
    const QVariantList least = list->property(kLeastWidths).toList();
    QHeaderView* header = list->horizontalHeader();
    for (int c = 0; c < least.size() && c < list->columnCount(); ++c)
        list->setColumnWidth(c, std::max(least[c].toInt(), header->sectionSizeHint(c)));
}

void setCellText(QTableWidget* list, int row, int column, const QString& text) {
    if (QTableWidgetItem* item = list->item(row, column))
        item->setText(text);
    else
        list->setItem(row, column, new QTableWidgetItem(text));
}

void setRowTexts(QTableWidget* list, int row, const QStringList& texts) {
    for (int c = 0; c < texts.size(); ++c)
        setCellText(list, row, c, texts[c]);
}

QString cellText(const QTableWidget* list, int row, int column) {
    const QTableWidgetItem* item = list->item(row, column);
    return item ? item->text() : QString();
}

void setUpCheckGrid(QListWidget* list, QSize cell) {
    list->setViewMode(QListView::ListMode);
    list->setFlow(QListView::LeftToRight);
    list->setWrapping(true);
    list->setResizeMode(QListView::Adjust);
    list->setUniformItemSizes(true);
    list->setGridSize(cell);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
}

void fitCheckGrid(QListWidget* list, QSize minimumCell) {
    QStyleOptionViewItem option;
    option.initFrom(list);
    option.font = list->font();
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    QSize cell = minimumCell;
    for (int i = 0; i < list->count(); ++i) {
        const QSize hint = list->itemDelegate()->sizeHint(option, list->model()->index(i, 0));
        cell = cell.expandedTo(QSize(hint.width() + 4, hint.height()));
    }
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setSizeHint(cell);
    list->setGridSize(cell);
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QScrollArea* makeEditorDock(QWidget* page, QWidget* editor) {
    auto* dock = new QScrollArea(page);
    dock->setObjectName(QStringLiteral("editorDock"));
    dock->setFocusPolicy(Qt::NoFocus); // only a frame around the editor: the focus goes to its controls
    dock->setFrameShape(QFrame::NoFrame);
    // The dock keeps the editor as wide as its viewport, never narrower than the editor's own size (see
    // EditorSplit), so that a scroll bar shows only when the editor does not fit.
    dock->setWidgetResizable(true);
    dock->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    dock->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    dock->setWidget(editor);
    return dock;
}

void setComboTexts(QComboBox* box, const QStringList& texts) {
    const QSignalBlocker quiet(box);
    if (box->count() == texts.size()) {
        for (int i = 0; i < texts.size(); ++i)
            box->setItemText(i, texts[i]);
        return;
    }
    const int chosen = box->currentIndex();
    box->clear();
    box->addItems(texts);
    box->setCurrentIndex(chosen >= 0 && chosen < box->count() ? chosen : 0);
}

} // namespace quorvan
