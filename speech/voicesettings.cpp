#include "voicesettings.h"

#include <QSettings>

namespace {
const char *const voiceKeys[2] = {"voice/voice1", "voice/voice2"};
}

QString VoiceSettings::defaultLanguage(int lang)
{
    return lang > 0 ? QStringLiteral("en") : QStringLiteral("ru");
}

VoiceSettings VoiceSettings::load()
{
    QSettings s;
    VoiceSettings v;
    for (int lang = 0; lang < 2; ++lang)
        v.voice[lang] = s.value(QLatin1String(voiceKeys[lang])).toString();
    v.rate = s.value(QStringLiteral("voice/rate"), v.rate).toInt();
    v.pitch = s.value(QStringLiteral("voice/pitch"), v.pitch).toInt();
    return v;
}

void VoiceSettings::save() const
{
    QSettings s;
    for (int lang = 0; lang < 2; ++lang)
        s.setValue(QLatin1String(voiceKeys[lang]), voice[lang]);
    s.setValue(QStringLiteral("voice/rate"), rate);
    s.setValue(QStringLiteral("voice/pitch"), pitch);
}

SpeechEngine::Options VoiceSettings::options(int lang) const
{
    SpeechEngine::Options o;
    o.voice = voice[lang > 0 ? 1 : 0];
    if (o.voice.isEmpty()) {
        const QList<SpeechEngine::Voice> voices = SpeechEngine::voices(defaultLanguage(lang));
        o.voice = voices.isEmpty() ? defaultLanguage(lang) : voices.first().name;
    }
    o.rate = rate;
    o.pitch = pitch;
    return o;
}
