#include "speechengine.h"

#include <QCoreApplication>
#include <QDir>
#include <QMutex>
#include <QMutexLocker>

#include <espeak-ng/espeak_ng.h>

#include <algorithm>

namespace {

// Where the voice data lies: beside the program on Windows, where the library was built to
// look on Linux (an environment's ESPEAK_DATA_PATH still wins there).
QByteArray voiceDataPath()
{
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toLocal8Bit();
#else
    return QByteArray();
#endif
}

int collect(short *wav, int count, espeak_EVENT *events)
{
    if (wav && count > 0 && events) {
        auto *samples = static_cast<QVector<qint16> *>(events->user_data);
        const int at = samples->size();
        samples->resize(at + count);
        std::copy(wav, wav + count, samples->begin() + at);
    }
    return 0;
}

QString statusText(espeak_ng_STATUS status)
{
    char buffer[512] = {};
    espeak_ng_GetStatusCodeMessage(status, buffer, sizeof buffer);
    return QString::fromLocal8Bit(buffer);
}

struct Engine
{
    Engine()
    {
        const QByteArray path = voiceDataPath();
        espeak_ng_InitializePath(path.isEmpty() ? nullptr : path.constData());
        espeak_ng_ERROR_CONTEXT context = nullptr;
        espeak_ng_STATUS status = espeak_ng_Initialize(&context);
        espeak_ng_ClearErrorContext(&context);
        if (status == ENS_OK)
            status = espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, 0, nullptr);
        if (status != ENS_OK) {
            error = QCoreApplication::translate(
                        "SpeechEngine",
                        "Нет данных голосов eSpeak NG (%1). Установите пакет espeak-ng-data.")
                        .arg(statusText(status));
            return;
        }
        espeak_SetSynthCallback(collect);
        rate = espeak_ng_GetSampleRate();
    }

    QMutex mutex;
    QString error;
    int rate = 0;
};

// Made on first use, under the lock of a function-local static.
Engine &engine()
{
    static Engine e;
    return e;
}

SpeechEngine::Voice voiceOf(const espeak_VOICE *v)
{
    // languages: a priority byte, then a language name, repeated; the first one counts.
    const char *first = v->languages ? v->languages + 1 : "";
    return {QString::fromUtf8(v->name), QString::fromUtf8(v->identifier), QString::fromUtf8(first)};
}

} // namespace

QString SpeechEngine::error()
{
    return engine().error;
}

int SpeechEngine::sampleRate()
{
    return engine().rate;
}

QList<SpeechEngine::Voice> SpeechEngine::voices(const QString &language)
{
    Engine &e = engine();
    QList<Voice> list;
    if (!e.error.isEmpty())
        return list;
    const QMutexLocker lock(&e.mutex);
    const QByteArray lang = language.toUtf8();
    espeak_VOICE wanted = {};
    wanted.languages = lang.constData();
    const espeak_VOICE **found = espeak_ListVoices(lang.isEmpty() ? nullptr : &wanted);
    for (; found && *found; ++found)
        list << voiceOf(*found);
    if (lang.isEmpty())
        std::sort(list.begin(), list.end(),
                  [](const Voice &a, const Voice &b) { return a.name < b.name; });
    return list;
}

QVector<qint16> SpeechEngine::speak(const QString &text, const Options &options, QString *failure)
{
    Engine &e = engine();
    QVector<qint16> samples;
    if (!e.error.isEmpty()) {
        if (failure)
            *failure = e.error;
        return samples;
    }
    const QMutexLocker lock(&e.mutex);
    const QByteArray voice = options.voice.toUtf8();
    if (espeak_ng_SetVoiceByName(voice.constData()) != ENS_OK) {
        if (failure)
            *failure =
                QCoreApplication::translate("SpeechEngine", "Нет голоса «%1».").arg(options.voice);
        return samples;
    }
    espeak_ng_SetParameter(espeakRATE, std::clamp(options.rate, minRate, maxRate), 0);
    espeak_ng_SetParameter(espeakPITCH, std::clamp(options.pitch, 0, 100), 0);
    const QByteArray utf8 = text.toUtf8();
    const espeak_ng_STATUS status =
        espeak_ng_Synthesize(utf8.constData(), size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0,
                             espeakCHARS_UTF8, nullptr, &samples);
    if (status != ENS_OK) {
        samples.clear();
        if (failure)
            *failure = statusText(status);
    }
    return samples;
}
