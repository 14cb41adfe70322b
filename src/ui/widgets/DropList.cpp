#include "ui/widgets/DropList.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace quorvan {

DropList::DropList(QWidget* parent) : QListWidget(parent) {
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
}

QStringList DropList::take(QDropEvent* event) {
    QStringList paths;
    if (const QMimeData* data = event->mimeData(); data && data->hasUrls())
        for (const QUrl& url : data->urls())
            if (url.isLocalFile())
                paths << url.toLocalFile();
    if (paths.isEmpty()) {
        event->ignore();
    } else {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    }
    return paths;
}

void DropList::dragEnterEvent(QDragEnterEvent* event) {
    take(event);
}

void DropList::dragMoveEvent(QDragMoveEvent* event) {
    take(event);
}

void DropList::dropEvent(QDropEvent* event) {
    if (const QStringList paths = take(event); !paths.isEmpty())
        emit pathsDropped(paths);
}

} // namespace quorvan
