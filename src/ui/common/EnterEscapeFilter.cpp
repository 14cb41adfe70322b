#include "ui/common/EnterEscapeFilter.h"

#include <QKeyEvent>
#include <QWidget>

namespace quorvan {

bool EnterEscapeFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            event->accept();
            return event->type() == QEvent::KeyPress;
        }
    }
    return QObject::eventFilter(watched, event);
}

void discardEnterAndEscape(QWidget* root) {
    auto* filter = new EnterEscapeFilter(root);
    root->installEventFilter(filter);
    for (QWidget* child : root->findChildren<QWidget*>())
        child->installEventFilter(filter);
}

} // namespace quorvan
