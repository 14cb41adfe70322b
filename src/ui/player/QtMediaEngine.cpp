#include "ui/player/QtMediaEngine.h"

#include "ui/player/MediaTransport.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QUrl>

namespace quorvan {

QtMediaEngine::QtMediaEngine(QObject* parent) : QObject(parent) {}

QMediaPlayer& QtMediaEngine::player() const {
    if (!m_player) {
        // The ffmpeg backend crashes when no audio server runs, GStreamer plays regardless. Qt reads the choice
        // when the first player is made; one set by the user's environment wins.
        if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
            qputenv("QT_MEDIA_BACKEND", "gstreamer");
        auto* self = const_cast<QtMediaEngine*>(this);
        m_player = new QMediaPlayer(self);
        m_audio = new QAudioOutput(self);
        m_player->setAudioOutput(m_audio);
    }
    return *m_player;
}

QAudioOutput& QtMediaEngine::audio() const {
    player();
    return *m_audio;
}

void QtMediaEngine::setSource(const QString& fullPath) {
    if (fullPath.isEmpty()) {
        m_wanted = Wanted::Nothing;
        if (m_player)
            m_player->setSource(QUrl());
        return;
    }
    m_wanted = Wanted::Playing;
    player().setSource(QUrl::fromLocalFile(fullPath));
    m_player->play();
}

void QtMediaEngine::play() {
    if (!m_player || m_player->source().isEmpty())
        return;
    m_wanted = Wanted::Playing;
    m_player->play();
}

void QtMediaEngine::pause() {
    if (!m_player || m_player->source().isEmpty())
        return;
    m_wanted = Wanted::Paused;
    m_player->pause();
}

void QtMediaEngine::stop() {
    if (!m_player || m_player->source().isEmpty())
        return;
    m_wanted = Wanted::Stopped;
    m_player->stop();
}

PlayState QtMediaEngine::stateFor(Wanted wanted, QMediaPlayer::PlaybackState backend, QMediaPlayer::MediaStatus status,
                                  bool failed) {
    if (wanted == Wanted::Nothing)
        return PlayState::None;
    // A file that cannot be opened or decoded leaves the player "playing" with an error set; for the play list
    // it is over, like a song that ended. So is a file at its end, whatever state the backend settled in.
    if (failed || status == QMediaPlayer::InvalidMedia || status == QMediaPlayer::EndOfMedia)
        return PlayState::Stopped;
    switch (wanted) {
    case Wanted::Stopped:
        return PlayState::Stopped; // the operator's stop, even when the backend then reports Paused
    case Wanted::Paused:
        return PlayState::Paused;
    case Wanted::Playing:
    case Wanted::Nothing:
        break;
    }
    // Asked to play: Paused is the backend loading or prerolling the file, not a pause; Stopped before the file
    // has loaded is the same. Stopped afterwards means the backend gave up on it.
    if (backend == QMediaPlayer::StoppedState && status != QMediaPlayer::LoadingMedia)
        return PlayState::Stopped;
    return PlayState::Playing;
}

PlayState QtMediaEngine::playState() const {
    if (!m_player || m_player->source().isEmpty())
        return PlayState::None;
    return stateFor(m_wanted, m_player->playbackState(), m_player->mediaStatus(),
                    m_player->error() != QMediaPlayer::NoError);
}

QWidget* QtMediaEngine::createControls(QWidget* parent) {
    auto* transport = new MediaTransport(player(), audio(), parent);
    connect(transport, &MediaTransport::playRequested, this, &QtMediaEngine::play);
    connect(transport, &MediaTransport::pauseRequested, this, &QtMediaEngine::pause);
    connect(transport, &MediaTransport::stopRequested, this, &QtMediaEngine::stop);
    return transport;
}

bool QtMediaEngine::available() const {
    return player().isAvailable();
}

} // namespace quorvan
