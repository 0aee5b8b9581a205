#include "voicebatch.h"

#include "speechengine.h"
#include "wavfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdlib>

namespace {

// Below this peak a synthesis is taken for silence: eSpeak gives a few quiet samples even
// for text it cannot pronounce.
const int silencePeak = 64;

bool audible(const QVector<qint16> &samples)
{
    return std::any_of(samples.begin(), samples.end(),
                       [](qint16 v) { return std::abs(int(v)) >= silencePeak; });
}

} // namespace

VoiceOutcome VoiceBatch::run(const QString &folder, const QVector<VoiceJob> &jobs,
                             const VoiceSettings &settings, const Progress &progress)
{
    VoiceOutcome outcome;
    outcome.error = SpeechEngine::error();
    if (!outcome.ok())
        return outcome;
    const int rate = SpeechEngine::sampleRate();
    const SpeechEngine::Options options[2] = {settings.options(0), settings.options(1)};
    for (int i = 0; i < jobs.size(); ++i) {
        const VoiceJob &job = jobs.at(i);
        QString failure;
        const QVector<qint16> samples = SpeechEngine::speak(job.text, options[job.lang], &failure);
        if (!failure.isEmpty()) {
            outcome.error = failure;
            break;
        }
        if (!audible(samples)) {
            outcome.silent << job;
        } else {
            const QString path = folder + QLatin1Char('/') + job.fileName;
            const bool existed = QFileInfo::exists(path);
            if (!WavFile::write(path, samples, rate)) {
                outcome.error =
                    QCoreApplication::translate("VoiceBatch", "Не удалось записать файл %1!")
                        .arg(path);
                break;
            }
            if (!existed)
                outcome.created << path;
            outcome.written << job;
            outcome.seconds += double(samples.size()) / rate;
        }
        if (progress && !progress(i + 1)) {
            outcome.cancelled = true;
            break;
        }
    }
    if (!outcome.ok())
        discard(outcome);
    return outcome;
}

void VoiceBatch::discard(VoiceOutcome &outcome)
{
    for (const QString &path : qAsConst(outcome.created))
        QFile::remove(path);
    outcome.created.clear();
    outcome.written.clear();
}
