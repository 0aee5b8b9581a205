#include "voicedialog.h"
#include "ui_voicedialog.h"

#include "attachspokenfilescmd.h"
#include "filelists.h"
#include "routeform.h"

#include <QEventLoop>
#include <QFutureWatcher>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QUndoStack>
#include <QtConcurrent>

#include <atomic>

namespace {

// How often the progress dialog looks at the worker's count.
const int progressInterval = 50;

} // namespace

VoiceDialog::VoiceDialog(RouteForm *form, QWidget *parent)
    : QDialog(parent), ui(new Ui::VoiceDialog), m_form(form)
{
    ui->setupUi(this);
    ui->buttonBox->button(QDialogButtonBox::Ok)->setText(tr("Озвучить"));
    ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(tr("Отмена"));
    ui->currentStopRadio->setEnabled(form->currentStation() >= 0);
    const bool second = form->langCount() > 1;
    ui->voice2Label->setVisible(second);
    ui->voice2Combo->setVisible(second);
    ui->rateSpn->setRange(SpeechEngine::minRate, SpeechEngine::maxRate);

    const QString error = SpeechEngine::error();
    ui->errorLabel->setText(error);
    ui->errorLabel->setVisible(!error.isEmpty());
    ui->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(error.isEmpty());

    const VoiceSettings settings = VoiceSettings::load();
    fillVoices(ui->voice1Combo, settings.options(0).voice);
    fillVoices(ui->voice2Combo, settings.options(1).voice);
    ui->rateSpn->setValue(settings.rate);
    ui->pitchSpn->setValue(settings.pitch);
}

VoiceDialog::~VoiceDialog()
{
    delete ui;
}

void VoiceDialog::fillVoices(QComboBox *combo, const QString &chosen)
{
    for (const SpeechEngine::Voice &v : SpeechEngine::voices()) {
        combo->addItem(QStringLiteral("%1 (%2)").arg(v.name, v.language), v.name);
        if (v.name == chosen || v.identifier == chosen)
            combo->setCurrentIndex(combo->count() - 1);
    }
}

VoiceSettings VoiceDialog::chosenSettings() const
{
    VoiceSettings s;
    s.voice[0] = ui->voice1Combo->currentData().toString();
    s.voice[1] = ui->voice2Combo->currentData().toString();
    s.rate = ui->rateSpn->value();
    s.pitch = ui->pitchSpn->value();
    return s;
}

VoicePlan::Request VoiceDialog::chosenRequest() const
{
    VoicePlan::Request r;
    r.stops = ui->allStopsRadio->isChecked()      ? VoicePlan::AllStops
              : ui->currentStopRadio->isChecked() ? VoicePlan::OneStop
                                                  : VoicePlan::SilentStops;
    r.station = m_form->currentStation();
    r.langCount = m_form->langCount();
    r.replace = ui->replaceCheck->isChecked();
    return r;
}

void VoiceDialog::accept()
{
    const VoiceSettings settings = chosenSettings();
    settings.save();
    const VoicePlan::Request request = chosenRequest();
    const QVector<VoiceJob> jobs = VoicePlan::jobs(m_form->route(), request);
    if (jobs.isEmpty()) {
        QMessageBox::information(this, windowTitle(),
                                 tr("Нет остановок с текстами для озвучивания."));
        return;
    }
    runBatch(jobs, settings);
    if (m_outcome.cancelled) {
        reject();
        return;
    }
    if (!m_outcome.error.isEmpty()) {
        QMessageBox::critical(this, windowTitle(), m_outcome.error);
        return;
    }
    if (!m_outcome.written.isEmpty())
        m_form->undoStack()->push(
            new AttachSpokenFilesCmd(m_form, m_outcome.written, request.replace));
    if (!m_outcome.silent.isEmpty()) {
        QStringList lines;
        for (const VoiceJob &job : qAsConst(m_outcome.silent))
            lines << tr("%1, язык %2: «%3»").arg(job.station + 1).arg(job.lang + 1).arg(job.text);
        QMessageBox::warning(this, windowTitle(),
                             tr("Эти тексты не дали звука, файлы не созданы:\n") +
                                 lines.join(QLatin1Char('\n')));
    }
    QDialog::accept();
}

void VoiceDialog::runBatch(const QVector<VoiceJob> &jobs, const VoiceSettings &settings)
{
    QProgressDialog progress(tr("Озвучивание остановок…"), tr("Отмена"), 0, jobs.size(), this);
    progress.setWindowTitle(windowTitle());
    progress.setWindowModality(Qt::WindowModal);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setMinimumDuration(0);

    // The worker only counts and reads the flag; the GUI thread looks at the count.
    std::atomic<int> done{0};
    std::atomic<bool> cancelled{false};
    connect(&progress, &QProgressDialog::canceled, this, [&] { cancelled = true; });
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] { progress.setValue(done); });
    poll.start(progressInterval);

    QFutureWatcher<VoiceOutcome> watcher;
    QEventLoop loop;
    connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
    const QString folder = m_form->route().path();
    // Thousands of new files would have the folder lists rescanned every 250 ms meanwhile:
    // they are listed once, when the batch is over.
    m_form->fileLists()->unwatch();
    watcher.setFuture(QtConcurrent::run([&done, &cancelled, folder, jobs, settings] {
        return VoiceBatch::run(folder, jobs, settings, [&](int n) {
            done = n;
            return !cancelled;
        });
    }));
    progress.show();
    loop.exec();
    poll.stop();
    m_outcome = watcher.result();
    m_form->fileLists()->watch();
}
