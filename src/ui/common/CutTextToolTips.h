#pragma once

#include <QStyledItemDelegate>

namespace quorvan {

// Item delegate of the report lists: a cell whose text does not fit and is shown cut ("…") gives its whole
// text as a tooltip; a cell that shows everything gives none, unless it has a tooltip of its own.
class CutTextToolTips : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Whether the cell at index shows its text cut in view.
    static bool isCut(const QAbstractItemView* view, const QStyleOptionViewItem& option, const QModelIndex& index);

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
};

} // namespace quorvan
