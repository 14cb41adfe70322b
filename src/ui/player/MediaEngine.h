#pragma once

#include "core/player/PlayState.h"

#include <QString>

class QWidget;

namespace quorvan {

// What the music player needs from whatever decodes and outputs the audio.
class MediaEngine {
public:
    virtual ~MediaEngine() = default;

    // Starts playing the file at once, replacing what played; an empty path drops the current media.
    virtual void setSource(const QString& fullPath) = 0;
    virtual PlayState playState() const = 0;
    // The engine's own transport controls (play/pause, stop, position, volume) for the player window to
    // embed; owned by parent. Engines without controls return nullptr.
    virtual QWidget* createControls(QWidget* parent) {
        (void)parent;
        return nullptr;
    }
};

} // namespace quorvan
