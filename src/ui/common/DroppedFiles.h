#pragma once

#include <QMimeData>
#include <QStringList>
#include <QUrl>

namespace quorvan {

// The local files and folders of a drag from a file manager, in the order dragged; empty for anything else.
inline QStringList droppedPaths(const QMimeData* data) {
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    return paths;
}

} // namespace quorvan
