#pragma once

#include <QObject>

class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

namespace quorvan {

struct AppContext;
class DropList;

// The song list with its play and repeat modes and its Up, Down, Add and Delete buttons, as an entry's host MP3
// page and the music player both show them: made, named and captioned in one place; each owner places them and
// keeps the songs its own way.
class SongControls : public QObject {
    Q_OBJECT
public:
    // The controls are made as children of parent.
    SongControls(AppContext& context, QWidget* parent);

    // Captions and the list's name in the current language; the mode lists keep their choice.
    void retranslate();

    DropList* const songs;
    QLabel* const playModeLabel;
    QComboBox* const playMode;
    QLabel* const repeatModeLabel;
    QComboBox* const repeatMode;
    QPushButton* const moveUp;
    QPushButton* const moveDown;
    QPushButton* const add;
    QPushButton* const remove;

signals:
    // Song files offered to the list: chosen after Add, or dropped on the list (folders searched for songs).
    // Whether they can be read is the owner's business.
    void filesOffered(const QStringList& paths);
    void moveRequested(int step); // -1 up, 1 down
    void deleteRequested();

private:
    AppContext& m_context;
};

} // namespace quorvan
