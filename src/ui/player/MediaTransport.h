#pragma once

#include <QPointer>
#include <QWidget>

class QAudioOutput;
class QLabel;
class QMediaPlayer;
class QSlider;
class QToolButton;

namespace quorvan {

// Transport controls of a QMediaPlayer: play/pause, stop, position with elapsed and total time ("m:ss"), and
// volume. Play, pause and stop go to the engine (the signals below), which keeps track of what the operator
// asked for; position and volume act on the player directly.
class MediaTransport : public QWidget {
    Q_OBJECT
public:
    MediaTransport(QMediaPlayer& player, QAudioOutput& audio, QWidget* parent = nullptr);

    // Milliseconds as "m:ss".
    static QString formatTime(qint64 ms);

    QToolButton* playPauseButton() const { return m_playPause; }
    QToolButton* stopButton() const { return m_stop; }
    QSlider* positionSlider() const { return m_position; }
    QSlider* volumeSlider() const { return m_volume; }
    QLabel* elapsedLabel() const { return m_elapsed; }
    QLabel* totalLabel() const { return m_total; }
    // Names of the controls for screen readers, in the program's language (invokable: the player window calls it
    // by name, without linking the module this lives in).
    Q_INVOKABLE void setAccessibleNames(const QString& playPause, const QString& stop, const QString& position,
                                        const QString& volume);

signals:
    void playRequested();
    void pauseRequested();
    void stopRequested();

private:
    void togglePlay();
    void showState();
    void showPosition(qint64 ms);
    void showDuration(qint64 ms);

    // The engine may go before the window that shows its controls.
    QPointer<QMediaPlayer> m_player;
    QPointer<QAudioOutput> m_audio;
    QToolButton* m_playPause;
    QToolButton* m_stop;
    QSlider* m_position;
    QLabel* m_elapsed;
    QLabel* m_total;
    QSlider* m_volume;
};

} // namespace quorvan
