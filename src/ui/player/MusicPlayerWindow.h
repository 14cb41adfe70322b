#pragma once

#include "core/player/PlayOrder.h"
#include "ui/widgets/DropList.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QListWidgetItem;
class QPushButton;
class QTimer;

namespace quorvan {

struct AppContext;
class MediaEngine;
class SongControls;

// The computer's music player: a play list, play and repeat modes, the engine's transport controls, and a
// one-second timer that moves on to the next song when the engine reports a stop. Created once, hidden;
// closing it only hides it, and the timer keeps playing the list meanwhile. The transport controls are made when
// the window first shows, so the engine need not start with the program. The songs are kept in player.m3u8 in
// the program folder and the modes in Config.ini [MusicPlayer], so both come back on the next start (without
// playing). Songs whose files have gone are shown greyed and passed over.
class MusicPlayerWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTimerMs = 1000;

    MusicPlayerWindow(AppContext& context, MediaEngine& engine, QWidget* parent = nullptr);

    // Captions of the current language; both mode lists show the stored modes.
    void retranslate();
    // Whether a song is believed to play (for the main window's status bar).
    bool playing() const { return m_order.playing(); }

    void addSongs();
    // Replaces the songs with a play list's; stops what played.
    void openPlaylist();
    void savePlaylistAs();
    void deleteSong();
    // Moves the selected song one line up (-1) or down (1).
    void moveSelected(int step);
    void playSong(int row);
    void tick();
    // Greys the lines of songs whose files have gone (a file check per song).
    void refreshMissing();

    QTimer* timer() const { return m_timer; }
    QListWidget* songList() const { return m_songs; }
    PlayOrder& order() { return m_order; }
    const PlayOrder& order() const { return m_order; }
    // The engine's controls, once the window has shown; nullptr before.
    QWidget* transport() const { return m_transport; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    int selectedRow() const;
    void selectRow(int row);
    void apply(const PlayAction& action);
    void showSongs(bool lookAtNew = true);
    void showMissing(QListWidgetItem* item, bool missing);
    void restoreList();
    // Writes the songs to the program folder. A failure is told once, and again only after a write succeeded.
    void keepList();
    void keepMode(const QString& key, int value);
    void addReadable(const QStringList& paths);

    AppContext& m_context;
    MediaEngine& m_engine;
    PlayOrder m_order;
    QWidget* m_transport = nullptr;
    SongControls* m_controls;
    DropList* m_songs; // the controls' list, mode lists and buttons
    QComboBox* m_playMode;
    QComboBox* m_repeatMode;
    QPushButton* m_openList;
    QPushButton* m_saveList;
    bool m_keepFailed = false;
    QTimer* m_timer;
};

} // namespace quorvan
