#include "ui/common/CutTextToolTips.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>

namespace quorvan {

bool CutTextToolTips::isCut(const QAbstractItemView* view, const QStyleOptionViewItem& option,
                            const QModelIndex& index) {
    QStyleOptionViewItem cell = option;
    cell.index = index;
    cell.features |= QStyleOptionViewItem::HasDisplay;
    cell.text = index.data(Qt::DisplayRole).toString();
    if (cell.text.isEmpty())
        return false;
    const QRect textRect = view->style()->subElementRect(QStyle::SE_ItemViewItemText, &cell, view);
    // The style draws the text inside the rectangle with a small margin on each side.
    const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, &cell, view) + 1;
    return cell.fontMetrics.horizontalAdvance(cell.text) > textRect.width() - 2 * margin;
}

bool CutTextToolTips::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                                const QModelIndex& index) {
    if (!event || !view || event->type() != QEvent::ToolTip)
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const QString ownTip = index.isValid() ? index.data(Qt::ToolTipRole).toString() : QString();
    if (!ownTip.isEmpty()) {
        // A cell with a tooltip of its own (a clash mark) shows that.
        QToolTip::showText(event->globalPos(), ownTip, view->viewport(), view->visualRect(index));
    } else if (index.isValid() && isCut(view, option, index)) {
        QToolTip::showText(event->globalPos(), index.data(Qt::DisplayRole).toString(), view->viewport(),
                           view->visualRect(index));
    } else {
        QToolTip::hideText();
    }
    return true;
}

} // namespace quorvan
