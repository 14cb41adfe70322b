#include "ui/player/MediaTransport.h"

#include <QAudioOutput>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaPlayer>
#include <QSlider>
#include <QStyle>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace quorvan {

MediaTransport::MediaTransport(QMediaPlayer& player, QAudioOutput& audio, QWidget* parent)
    : QWidget(parent), m_player(&player), m_audio(&audio) {
    setObjectName(QStringLiteral("mediaTransport"));
    m_playPause = new QToolButton(this);
    m_playPause->setObjectName(QStringLiteral("transportPlayPause"));
    m_stop = new QToolButton(this);
    m_stop->setObjectName(QStringLiteral("transportStop"));
    m_stop->setIcon(style()->standardIcon(QStyle::SP_MediaStop));
    m_elapsed = new QLabel(formatTime(0), this);
    m_elapsed->setObjectName(QStringLiteral("transportElapsed"));
    m_position = new QSlider(Qt::Horizontal, this);
    m_position->setObjectName(QStringLiteral("transportPosition"));
    m_position->setRange(0, 0);
    m_total = new QLabel(formatTime(0), this);
    m_total->setObjectName(QStringLiteral("transportTotal"));
    auto* speaker = new QLabel(this);
    speaker->setPixmap(style()->standardIcon(QStyle::SP_MediaVolume).pixmap(16, 16));
    m_volume = new QSlider(Qt::Horizontal, this);
    m_volume->setObjectName(QStringLiteral("transportVolume"));
    m_volume->setRange(0, 100);
    m_volume->setValue(int(std::lround(audio.volume() * 100.0f)));
    m_volume->setFixedWidth(90);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_playPause);
    row->addWidget(m_stop);
    row->addWidget(m_elapsed);
    row->addWidget(m_position, 1);
    row->addWidget(m_total);
    row->addSpacing(8);
    row->addWidget(speaker);
    row->addWidget(m_volume);

    connect(m_playPause, &QToolButton::clicked, this, &MediaTransport::togglePlay);
    connect(m_stop, &QToolButton::clicked, this, &MediaTransport::stopRequested);
    connect(&player, &QMediaPlayer::playbackStateChanged, this, &MediaTransport::showState);
    connect(&player, &QMediaPlayer::positionChanged, this, &MediaTransport::showPosition);
    connect(&player, &QMediaPlayer::durationChanged, this, &MediaTransport::showDuration);

    // Dragging shows the time under the handle and seeks on release; clicks and keys seek at once.
    connect(m_position, &QSlider::sliderMoved, this, [this](int ms) { m_elapsed->setText(formatTime(ms)); });
    connect(m_position, &QSlider::sliderReleased, this, [this] {
        if (m_player)
            m_player->setPosition(m_position->value());
    });
    connect(m_position, &QSlider::actionTriggered, this, [this](int action) {
        if (m_player && action != QAbstractSlider::SliderMove && action != QAbstractSlider::SliderNoAction)
            m_player->setPosition(m_position->sliderPosition());
    });
    connect(m_volume, &QSlider::valueChanged, this, [this](int percent) {
        if (m_audio)
            m_audio->setVolume(float(percent) / 100.0f);
    });

    showState();
    showDuration(player.duration());
    showPosition(player.position());
}

void MediaTransport::setAccessibleNames(const QString& playPause, const QString& stop, const QString& position,
                                        const QString& volume) {
    m_playPause->setAccessibleName(playPause);
    m_playPause->setToolTip(playPause);
    m_stop->setAccessibleName(stop);
    m_stop->setToolTip(stop);
    m_position->setAccessibleName(position);
    m_volume->setAccessibleName(volume);
}

QString MediaTransport::formatTime(qint64 ms) {
    const qint64 seconds = std::max<qint64>(ms, 0) / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

void MediaTransport::togglePlay() {
    if (m_player && m_player->playbackState() == QMediaPlayer::PlayingState)
        emit pauseRequested();
    else
        emit playRequested();
}

void MediaTransport::showState() {
    const bool playing = m_player && m_player->playbackState() == QMediaPlayer::PlayingState;
    m_playPause->setIcon(style()->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    // A stopped player stands at the start: the backend does not always say so at the end of a pass.
    if (!m_player || m_player->playbackState() == QMediaPlayer::StoppedState)
        showPosition(0);
}

void MediaTransport::showPosition(qint64 ms) {
    if (m_position->isSliderDown())
        return;
    m_position->setValue(int(ms));
    m_elapsed->setText(formatTime(ms));
}

void MediaTransport::showDuration(qint64 ms) {
    m_position->setRange(0, int(std::max<qint64>(ms, 0)));
    m_total->setText(formatTime(ms));
}

} // namespace quorvan
