#include "voicebuttons.h"

#include "routeform.h"
#include "soundpreview.h"
#include "speechengine.h"
#include "spokentext.h"
#include "voicedialog.h"
#include "voicesettings.h"
#include "wavfile.h"

#include <QButtonGroup>
#include <QFile>
#include <QGridLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QtConcurrent>

VoiceButtons::VoiceButtons(RouteForm *form) : QObject(form), m_form(form)
{
    m_buttons[0] = addButton("stationNameEdit", "autoStationNameBtn");
    m_buttons[1] = addButton("nextNameEdit", "autoNextNameBtn");
    addVoiceButton();
    connect(&m_speech, &QFutureWatcherBase::finished, this, &VoiceButtons::play);
}

// Placed right of the field's auto button, in the same grid.
QToolButton *VoiceButtons::addButton(const char *edit, const char *neighbour)
{
    auto *field = m_form->findChild<QLineEdit *>(QLatin1String(edit));
    auto *beside = m_form->findChild<QWidget *>(QLatin1String(neighbour));
    auto *grid = field ? qobject_cast<QGridLayout *>(field->parentWidget()->layout()) : nullptr;
    if (!grid || !beside)
        return nullptr;
    int row = 0, column = 0, rows = 0, columns = 0;
    grid->getItemPosition(grid->indexOf(beside), &row, &column, &rows, &columns);
    auto *button = new QToolButton(field->parentWidget());
    button->setText(tr("Прослушать"));
    button->setToolTip(tr("Прослушать объявление синтезом речи"));
    button->setMinimumHeight(beside->minimumHeight());
    grid->addWidget(button, row, column + columns);
    connect(button, &QToolButton::clicked, this, [this, field] { listen(field); });
    return button;
}

// After the station tools' last button, in their row.
void VoiceButtons::addVoiceButton()
{
    auto *beside = m_form->findChild<QWidget *>(QStringLiteral("removeStationBtn"));
    for (QBoxLayout *row : m_form->findChildren<QBoxLayout *>()) {
        const int at = beside ? row->indexOf(beside) : -1;
        if (at < 0)
            continue;
        m_voice = new QPushButton(tr("Озвучить остановки…"), beside->parentWidget());
        m_voice->setMinimumHeight(beside->minimumHeight());
        row->insertWidget(at + 1, m_voice);
        connect(m_voice, &QPushButton::clicked, this, [this] {
            VoiceDialog dialog(m_form, m_form);
            dialog.exec();
        });
        return;
    }
}

void VoiceButtons::listen(QLineEdit *edit)
{
    const QString text = spokenText(edit->text());
    if (text.isEmpty() || m_speech.isRunning())
        return;
    const QString error = SpeechEngine::error();
    if (!error.isEmpty()) {
        QMessageBox::warning(m_form, tr("Прослушать"), error);
        return;
    }
    const int lang = qMax(0, m_form->langGroup(RouteForm::StationLang)->checkedId());
    const SpeechEngine::Options options = VoiceSettings::load().options(lang);
    m_speech.setFuture(
        QtConcurrent::run([text, options] { return SpeechEngine::speak(text, options); }));
}

void VoiceButtons::play()
{
    const QVector<qint16> samples = m_speech.result();
    if (samples.isEmpty() || !m_dir.isValid())
        return;
    // A new name each time: the player may still hold the previous file.
    const QString path = m_dir.filePath(QStringLiteral("listen-%1.wav").arg(++m_count));
    if (!WavFile::write(path, samples, SpeechEngine::sampleRate()))
        return;
    SoundPreview *preview = m_form->soundPreview();
    preview->load(path);
    preview->playOrPause();
    if (!m_file.isEmpty())
        QFile::remove(m_file);
    m_file = path;
    emit playing(path);
}
