// Listening to an announcement file before it is assigned: the player behind the sound
// tab's play, stop, slider and label widgets.
#pragma once

#include <QMediaPlayer>
#include <QObject>

class QAbstractButton;
class QAbstractSlider;
class QLabel;

class SoundPreview : public QObject
{
    Q_OBJECT

public:
    // The controls it drives; they stay owned by the form that lays them out.
    struct Widgets
    {
        QAbstractButton *playBtn = nullptr;
        QAbstractButton *stopBtn = nullptr;
        QAbstractSlider *slider = nullptr;
        QLabel *positionLabel = nullptr;
        QLabel *nameLabel = nullptr;
        QLabel *errorLabel = nullptr;
    };

    // One slider step in milliseconds of media time.
    static const int SliderStep = 100;
    // How often the player reports its position while playing, in milliseconds.
    static const int NotifyInterval = 500;

    SoundPreview(const Widgets &widgets, QObject *parent);

    // Stops whatever plays and loads the file; nothing plays until the play button.
    void load(const QString &path);

    // Null until the first load: building a player costs tens of milliseconds, which a form
    // that never plays a sound should not pay when it opens.
    QMediaPlayer *player() const { return m_player; }

    // "01:05 / 02:30" for 65 s of 150 s; minutes widen past two digits.
    static QString timeText(qint64 positionMs, qint64 durationMs);

public slots:
    void stop();
    void playOrPause();
    void seek(int sliderValue);

private slots:
    void onMediaStateChanged(QMediaPlayer::State state);
    void onMediaDurationChanged(qint64 duration);
    void onMediaPositionChanged(qint64 position);
    void updatePlayNameLabel();
    void updatePlayErrorLabel(QMediaPlayer::Error error);

private:
    void createPlayer();
    void updatePlayPositionLabel();

    Widgets m_ui;
    QMediaPlayer *m_player = nullptr;
};
