#include "ui/player/QtMediaEngine.h"

#include "ui/player/MediaTransport.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QUrl>

namespace quorvan {

QtMediaEngine::QtMediaEngine(QObject* parent) : QObject(parent) {
    // The ffmpeg backend crashes when no audio server runs, GStreamer plays regardless. Qt reads the choice
    // when the first player is made; one set by the user's environment wins.
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "gstreamer");
    m_player = new QMediaPlayer(this);
    m_audio = new QAudioOutput(this);
    m_player->setAudioOutput(m_audio);
}

void QtMediaEngine::setSource(const QString& fullPath) {
    if (fullPath.isEmpty()) {
        m_player->setSource(QUrl());
        return;
    }
    m_player->setSource(QUrl::fromLocalFile(fullPath));
    m_player->play();
}

int QtMediaEngine::playState() const {
    if (m_player->source().isEmpty())
        return None;
    // A file that cannot be opened or decoded leaves the player "playing" with an error set; for the play
    // list it is over, like a song that ended.
    if (m_player->error() != QMediaPlayer::NoError || m_player->mediaStatus() == QMediaPlayer::InvalidMedia)
        return Stopped;
    switch (m_player->playbackState()) {
    case QMediaPlayer::PlayingState:
        return Playing;
    case QMediaPlayer::PausedState:
        return Paused;
    case QMediaPlayer::StoppedState:
        return Stopped;
    }
    return None;
}

QWidget* QtMediaEngine::createControls(QWidget* parent) {
    return new MediaTransport(*m_player, *m_audio, parent);
}

bool QtMediaEngine::available() const {
    return m_player->isAvailable();
}

} // namespace quorvan
