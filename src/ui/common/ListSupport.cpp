#include "ui/common/ListSupport.h"

#include <QHeaderView>
#include <QAbstractItemDelegate>
#include <QPushButton>
#include <QStyleOptionViewItem>
#include <QTableWidget>

namespace quorvan {

QTableWidget* makeReportList(QWidget* parent, int id, const QStringList& headers, const QList<int>& widths) {
    auto* list = new QTableWidget(0, int(headers.size()), parent);
    list->setObjectName(QStringLiteral("list%1").arg(id));
    list->setHorizontalHeaderLabels(headers);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setShowGrid(true);
    list->setWordWrap(false);
    list->verticalHeader()->setVisible(false);
    list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 6);
    list->horizontalHeader()->setSectionsMovable(true);
    list->horizontalHeader()->setStretchLastSection(true);
    list->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int c = 0; c < widths.size(); ++c)
        list->setColumnWidth(c, widths[c]);
    list->setFrameShape(QFrame::StyledPanel);
    list->setFrameShadow(QFrame::Sunken);
    return list;
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

QPushButton* makeIdButton(QWidget* parent, int id, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QStringLiteral("button%1").arg(id));
    button->setAutoDefault(false);
    return button;
}

void dockEditor(QWidget* page, QWidget* list, QWidget* editor, int band) {
    if (!editor || !list)
        return;
    const QSize editorSize = editor->sizeHint().expandedTo(editor->minimumSizeHint());
    const int eh = editorSize.height();
    editor->setGeometry(0, page->height() - eh, std::max(editorSize.width(), page->width()), eh);
    editor->show();
    list->setGeometry(0, 0, page->width(), std::max(0, page->height() - eh - band));
    list->show();
}

} // namespace quorvan
