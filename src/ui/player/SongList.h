#pragma once

#include <QListWidget>
#include <QStringList>

namespace quorvan {

// The music player's list of songs. Takes files and folders dragged from a file manager and reports their
// paths; which of them become songs is the window's business. Lines are not dragged within the list: the play
// order moves them with its own buttons.
class SongList : public QListWidget {
    Q_OBJECT
public:
    explicit SongList(QWidget* parent = nullptr);

signals:
    // Local files and folders dropped on the list, in the order dragged.
    void pathsDropped(const QStringList& paths);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

} // namespace quorvan
