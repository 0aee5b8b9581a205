#include "soundpreview.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QUrl>

SoundPreview::SoundPreview(const Widgets &widgets, QObject *parent) : QObject(parent), m_ui(widgets)
{
    connect(m_ui.playBtn, &QAbstractButton::clicked, this, &SoundPreview::playOrPause);
    connect(m_ui.stopBtn, &QAbstractButton::clicked, this, &SoundPreview::stop);
    connect(m_ui.slider, &QAbstractSlider::valueChanged, this, &SoundPreview::seek);
}

void SoundPreview::createPlayer()
{
    m_player = new QMediaPlayer(this);
    m_player->setNotifyInterval(NotifyInterval);
    connect(m_player, &QMediaPlayer::stateChanged, this, &SoundPreview::onMediaStateChanged);
    connect(m_player, &QMediaPlayer::durationChanged, this, &SoundPreview::onMediaDurationChanged);
    connect(m_player, &QMediaPlayer::positionChanged, this, &SoundPreview::onMediaPositionChanged);
    connect(m_player, &QMediaPlayer::mediaChanged, this, &SoundPreview::updatePlayNameLabel);
    connect(m_player, QOverload<QMediaPlayer::Error>::of(&QMediaPlayer::error), this,
            &SoundPreview::updatePlayErrorLabel);
}

void SoundPreview::load(const QString &path)
{
    if (!m_player)
        createPlayer();
    m_player->stop();
    // A pipe or a device named like a sound would keep the player waiting or reading forever.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        m_player->setMedia(QMediaContent());
        m_ui.nameLabel->setText(info.fileName());
        m_ui.errorLabel->setText(tr("Ошибка открытия файла!"));
        return;
    }
    m_player->setMedia(QUrl::fromLocalFile(path));
}

void SoundPreview::stop()
{
    if (m_player)
        m_player->stop();
}

void SoundPreview::playOrPause()
{
    if (!m_player)
        return;
    if (m_player->state() == QMediaPlayer::PlayingState)
        m_player->pause();
    else
        m_player->play();
}

void SoundPreview::seek(int sliderValue)
{
    if (m_player)
        m_player->setPosition(qint64(sliderValue) * SliderStep);
}

void SoundPreview::onMediaStateChanged(QMediaPlayer::State state)
{
    const bool playing = state == QMediaPlayer::PlayingState;
    m_ui.playBtn->setIcon(
        QIcon(playing ? QStringLiteral(":/icons/pause.png") : QStringLiteral(":/icons/play.png")));
    m_ui.stopBtn->setEnabled(state != QMediaPlayer::StoppedState);
}

void SoundPreview::onMediaDurationChanged(qint64 duration)
{
    {
        // A shorter file pulls the handle back, which is no seek of the user's.
        const QSignalBlocker blocker(m_ui.slider);
        m_ui.slider->setMaximum(int(duration / SliderStep));
    }
    updatePlayPositionLabel();
}

void SoundPreview::onMediaPositionChanged(qint64 position)
{
    {
        // The player's own progress must not come back as a seek.
        const QSignalBlocker blocker(m_ui.slider);
        m_ui.slider->setValue(int(position / SliderStep));
    }
    updatePlayPositionLabel();
}

QString SoundPreview::timeText(qint64 positionMs, qint64 durationMs)
{
    auto twoDigits = [](qint64 v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    return QStringLiteral("%1:%2 / %3:%4")
        .arg(twoDigits(positionMs / 60000), twoDigits((positionMs / 1000) % 60),
             twoDigits(durationMs / 60000), twoDigits((durationMs / 1000) % 60));
}

void SoundPreview::updatePlayPositionLabel()
{
    m_ui.positionLabel->setText(timeText(m_player->position(), m_player->duration()));
}

void SoundPreview::updatePlayNameLabel()
{
    const QString path = m_player->media().request().url().toLocalFile();
    m_ui.nameLabel->setText(path.mid(path.lastIndexOf(QLatin1Char('/')) + 1));
    m_ui.errorLabel->clear();
}

void SoundPreview::updatePlayErrorLabel(QMediaPlayer::Error error)
{
    if (error == QMediaPlayer::NoError)
        m_ui.errorLabel->clear();
    else
        m_ui.errorLabel->setText(tr("Ошибка открытия файла!"));
}
