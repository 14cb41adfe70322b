#pragma once

#include "core/player/PlayState.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace quorvan {

// What the player window does after an operation of the play order, in this order: drop the engine's media,
// change the song list's selection, start a file.
struct PlayAction {
    bool dropSource = false; // give the engine an empty source
    bool select = false;     // set the song list's selection to selectRow
    int selectRow = -1;      // -1: no line selected
    QString play;            // full path to start at once; empty: start nothing
    bool skipped = false;    // songs whose files have gone were passed over
};

// The music player's play list and the rules of what plays next: songs (file names) with their full paths,
// the played marks of the current pass (one per song, moving with it), the current song, the play mode
// (0 order, 1 random), the repeat mode (0 once, 1 all) and whether a song is believed to play.
// A song whose file has gone keeps its line but is passed over when its turn comes.
class PlayOrder {
public:
    // Any integers; random play uses them modulo the number of songs.
    using Random = std::function<int()>;
    // Whether the file at a full path is there.
    using Exists = std::function<bool(const QString&)>;

    enum PlayMode { Order = 0, RandomPlay = 1 };
    enum RepeatMode { Once = 0, All = 1 };

    // Without a generator the process-wide random source is used; without a check the file system is asked.
    explicit PlayOrder(Random random = {}, Exists exists = {});
    void setRandom(Random random);
    void setExists(Exists exists);

    int count() const { return int(m_paths.size()); }
    const QStringList& names() const { return m_names; }
    const QStringList& paths() const { return m_paths; }
    int current() const { return m_current; }
    bool playing() const { return m_playing; }
    bool isMarked(int index) const;
    int markedCount() const;
    // Whether song index's file is there; false for an invalid index.
    bool present(int index) const;

    int playMode() const { return m_playMode; }
    int repeatMode() const { return m_repeatMode; }
    // Only the mode changes; marks and current stay.
    void setPlayMode(int mode) { m_playMode = mode == RandomPlay ? RandomPlay : Order; }
    void setRepeatMode(int mode) { m_repeatMode = mode == All ? All : Once; }

    // Appends files that can be read (full paths). The first of them starts at once, replacing whatever
    // played; its line is selected.
    PlayAction add(const QStringList& paths);
    // Replaces the whole list (a saved or opened play list, files there or not): nothing plays, the pass starts
    // afresh at the first song. The action drops the engine's media and selects the first line.
    PlayAction replace(const QStringList& paths);
    // Removes song index; returns the line to select (same position or new last line, -1 when the list is
    // empty). Current and the song that plays are left alone. An invalid index changes nothing and returns -1.
    int remove(int index);
    // Swap the song with its neighbour; return the line to select (the moved song, or index unchanged when
    // it cannot move).
    int moveUp(int index);
    int moveDown(int index);
    // Plays song d; in random mode a new pass starts with it.
    PlayAction doubleClick(int d);
    // One timer tick with the engine's reported state.
    PlayAction tick(PlayState engineState);

private:
    bool passFinished() const;
    void advance();
    void restart();
    void clearMarks();
    void mark(int index);
    // Draws until an unmarked song comes up; needs at least one unmarked song.
    int drawUnmarked();
    void playCurrent(PlayAction& action);
    int swap(int index, int other);

    Random m_random;
    Exists m_exists;
    QStringList m_names;
    QStringList m_paths;
    std::vector<bool> m_marks;
    int m_current = 0;
    int m_playMode = Order;
    int m_repeatMode = Once;
    bool m_playing = false;
};

} // namespace quorvan
