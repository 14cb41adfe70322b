#pragma once

#include <QApplication>
#include <QCursor>

namespace quorvan {

// The wait cursor for as long as the object lives: for work on the window's thread that may take longer than a
// tenth of a second (a save, an undo of a large schedule).
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace quorvan
