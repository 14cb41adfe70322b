#pragma once

#include <QListWidget>
#include <QStringList>

class QDropEvent;

namespace quorvan {

// A list that takes files and folders dragged from a file manager and reports their paths; which of them become
// lines is its owner's business. Lines are not dragged within the list: its owner moves them with buttons.
class DropList : public QListWidget {
    Q_OBJECT
public:
    explicit DropList(QWidget* parent = nullptr);

signals:
    // Local files and folders dropped on the list, in the order dragged.
    void pathsDropped(const QStringList& paths);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Takes the drag when it carries local files (the whole list takes it: lines always go to its end); the
    // paths it carries.
    static QStringList take(QDropEvent* event);
};

} // namespace quorvan
