// The voice of each route language and the speaking rate and pitch, kept per user.
#pragma once

#include "speechengine.h"

#include <QString>

struct VoiceSettings
{
    // Per route language; empty picks the first voice of defaultLanguage(lang).
    QString voice[2];
    int rate = 175;
    int pitch = 50;

    // "ru" for the first language, "en" for the second.
    static QString defaultLanguage(int lang);
    // The stored choice, or the defaults.
    static VoiceSettings load();
    void save() const;

    SpeechEngine::Options options(int lang) const;
};
