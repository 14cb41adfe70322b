#pragma once

namespace quorvan {

// What the media engine reports of the song it was given, as the music player's rules read it.
enum class PlayState {
    None,    // no media
    Stopped, // the file ended, failed, or the operator stopped it
    Paused,
    Playing,
};

} // namespace quorvan
