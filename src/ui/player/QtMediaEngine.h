#pragma once

#include "ui/player/MediaEngine.h"

#include <QMediaPlayer>
#include <QObject>

class QAudioOutput;

namespace quorvan {

// The media engine on Qt Multimedia (GStreamer backend): a QMediaPlayer with its audio output, made on first use
// (loading the backend takes a good part of a second, which the program's start should not wait for). The state it
// reports combines what the program and the operator asked for with what the backend says, because the backend
// passes through states of its own: it may report Paused while the next file loads, or after a stop that races
// the end of the file.
class QtMediaEngine : public QObject, public MediaEngine {
    Q_OBJECT
public:
    // What was last asked of the player: a file to play (setSource or the transport's play), pause, or stop.
    enum class Wanted { Nothing, Playing, Paused, Stopped };

    explicit QtMediaEngine(QObject* parent = nullptr);

    // The state to report for what was asked and what the backend says.
    static PlayState stateFor(Wanted wanted, QMediaPlayer::PlaybackState backend, QMediaPlayer::MediaStatus status,
                              bool failed);

    void play();
    void pause();
    void stop();

    void setSource(const QString& fullPath) override;
    PlayState playState() const override;
    QWidget* createControls(QWidget* parent) override;

    // False when Qt found no media backend at all.
    bool available() const;
    // The player and its output, made when first asked for.
    QMediaPlayer& player() const;
    QAudioOutput& audio() const;
    // Whether the player has been made.
    bool started() const { return m_player != nullptr; }

private:
    mutable QMediaPlayer* m_player = nullptr;
    mutable QAudioOutput* m_audio = nullptr;
    Wanted m_wanted = Wanted::Nothing;
};

} // namespace quorvan
