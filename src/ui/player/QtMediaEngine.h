#pragma once

#include "ui/player/MediaEngine.h"

#include <QObject>

class QAudioOutput;
class QMediaPlayer;

namespace quorvan {

// The media engine on Qt Multimedia (GStreamer backend): a QMediaPlayer with its audio output.
class QtMediaEngine : public QObject, public MediaEngine {
    Q_OBJECT
public:
    explicit QtMediaEngine(QObject* parent = nullptr);

    void setSource(const QString& fullPath) override;
    int playState() const override;
    QWidget* createControls(QWidget* parent) override;

    // False when Qt found no media backend at all.
    bool available() const;
    QMediaPlayer& player() const { return *m_player; }
    QAudioOutput& audio() const { return *m_audio; }

private:
    QMediaPlayer* m_player;
    QAudioOutput* m_audio;
};

} // namespace quorvan
