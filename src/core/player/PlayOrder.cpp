#include "core/player/PlayOrder.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <utility>

namespace quorvan {

PlayOrder::PlayOrder(Random random, Exists exists) {
    setRandom(std::move(random));
    setExists(std::move(exists));
}

void PlayOrder::setExists(Exists exists) {
    if (exists)
        m_exists = std::move(exists);
    else
        m_exists = [](const QString& path) { return QFileInfo::exists(path); };
}

bool PlayOrder::present(int index) const {
    return index >= 0 && index < count() && m_exists(m_paths[index]);
}

void PlayOrder::setRandom(Random random) {
    if (random)
        m_random = std::move(random);
    else
        m_random = [] { return int(QRandomGenerator::global()->bounded(0x7fffffff)); };
}

bool PlayOrder::isMarked(int index) const {
    return index >= 0 && index < count() && m_marks[std::size_t(index)];
}

int PlayOrder::markedCount() const {
    return int(std::count(m_marks.begin(), m_marks.end(), true));
}

PlayAction PlayOrder::add(const QStringList& paths) {
    PlayAction action;
    for (const QString& path : paths) {
        m_names << QFileInfo(path).fileName();
        m_paths << path;
        m_marks.push_back(false);
        if (action.play.isEmpty()) {
            m_playing = true;
            m_current = count() - 1;
            action.play = path;
        }
    }
    if (count() > 0) {
        // The line of the song that plays: highlighting the last one added would show another song than is heard.
        action.select = true;
        action.selectRow = m_current;
    }
    return action;
}

PlayAction PlayOrder::replace(const QStringList& paths) {
    m_names.clear();
    m_paths.clear();
    m_marks.assign(std::size_t(paths.size()), false);
    for (const QString& path : paths) {
        m_names << QFileInfo(path).fileName();
        m_paths << path;
    }
    m_current = 0;
    m_playing = false;
    PlayAction action;
    action.dropSource = true;
    action.select = true;
    action.selectRow = count() > 0 ? 0 : -1;
    return action;
}

int PlayOrder::remove(int index) {
    if (index < 0 || index >= count())
        return -1;
    m_names.removeAt(index);
    m_paths.removeAt(index);
    m_marks.erase(m_marks.begin() + index);
    return std::min(index, count() - 1);
}

int PlayOrder::moveUp(int index) {
    return swap(index, index - 1);
}

int PlayOrder::moveDown(int index) {
    return swap(index, index + 1);
}

int PlayOrder::swap(int index, int other) {
    if (index < 0 || index >= count() || other < 0 || other >= count())
        return index;
    m_names.swapItemsAt(index, other);
    m_paths.swapItemsAt(index, other);
    std::vector<bool>::swap(m_marks[std::size_t(index)], m_marks[std::size_t(other)]);
    return other;
}

PlayAction PlayOrder::doubleClick(int d) {
    PlayAction action;
    if (d < 0 || d >= count())
        return action;
    if (m_playMode == RandomPlay)
        clearMarks();
    m_current = d;
    playCurrent(action);
    return action;
}

PlayAction PlayOrder::tick(PlayState engineState) {
    PlayAction action;
    if (engineState == PlayState::Paused) {
        m_playing = false;
        return action;
    }
    if (engineState == PlayState::Playing) {
        m_playing = true;
        return action;
    }
    if (engineState != PlayState::Stopped)
        return action;

    // The song ended or the user stopped it: move on, past songs whose files have gone.
    action.dropSource = true;
    advance();
    bool restarted = false;
    for (;;) {
        if (passFinished()) {
            // A second end in one tick means a whole pass of missing files: stop rather than go round forever.
            if (m_repeatMode == Once || restarted) {
                // In order mode current lies past the end here, so no line stays selected.
                action.select = true;
                action.selectRow = m_current < count() ? m_current : -1;
                m_playing = false;
                return action;
            }
            restart();
            restarted = true;
        }
        if (present(m_current))
            break;
        action.skipped = true;
        advance();
    }
    playCurrent(action);
    return action;
}

bool PlayOrder::passFinished() const {
    if (m_playMode == Order)
        return m_current >= count();
    return count() == 0 || markedCount() == count();
}

void PlayOrder::advance() {
    if (m_playMode == Order) {
        if (!passFinished()) {
            mark(m_current);
            ++m_current;
        }
        return;
    }
    mark(m_current);
    if (markedCount() < count())
        m_current = drawUnmarked();
}

void PlayOrder::restart() {
    if (m_playMode == Order) {
        m_current = 0;
        return;
    }
    clearMarks();
    if (count() > 1) {
        // The song that just ended does not open the new pass.
        mark(m_current);
        m_current = drawUnmarked();
        clearMarks();
    } else {
        m_current = 0;
    }
}

void PlayOrder::clearMarks() {
    std::fill(m_marks.begin(), m_marks.end(), false);
}

void PlayOrder::mark(int index) {
    // Current may point past the end after songs were deleted.
    if (index >= 0 && index < count())
        m_marks[std::size_t(index)] = true;
}

int PlayOrder::drawUnmarked() {
    const auto n = unsigned(count());
    for (;;) {
        const int song = int(unsigned(m_random()) % n);
        if (!m_marks[std::size_t(song)])
            return song;
    }
}

void PlayOrder::playCurrent(PlayAction& action) {
    action.select = true;
    if (m_current < 0 || m_current >= count()) {
        // Nothing left to play (the list was emptied).
        action.selectRow = -1;
        m_playing = false;
        return;
    }
    action.selectRow = m_current;
    m_playing = true;
    action.play = m_paths[m_current];
}

} // namespace quorvan
