#pragma once

#include <QString>

class QWidget;

namespace quorvan {

// What the music player needs from whatever decodes and outputs the audio.
class MediaEngine {
public:
    enum State { None = 0, Stopped = 1, Paused = 2, Playing = 3 };

    virtual ~MediaEngine() = default;

    // Starts playing the file at once, replacing what played; an empty path drops the current media.
    virtual void setSource(const QString& fullPath) = 0;
    // 1 stopped (the file ended, failed, or the user stopped it), 2 paused, 3 playing, 0 no media.
    virtual int playState() const = 0;
    // The engine's own transport controls (play/pause, stop, position, volume) for the player window to
    // embed; owned by parent. Engines without controls return nullptr.
    virtual QWidget* createControls(QWidget* parent) {
        (void)parent;
        return nullptr;
    }
};

} // namespace quorvan
