// Speech synthesis through eSpeak NG: text in, 16-bit mono samples out. The library keeps
// global state and is not thread-safe, so every call goes through one lock; any thread may
// call, one synthesis runs at a time.
#pragma once

#include <QList>
#include <QString>
#include <QVector>

class SpeechEngine
{
public:
    struct Voice
    {
        QString name;       // "Russian"
        QString identifier; // "zle/ru", the file of the voice in the voice data
        QString language;   // "ru", the voice's first language
    };

    struct Options
    {
        QString voice;  // a voice's name or identifier, or a language
        int rate = 175; // words per minute
        int pitch = 50; // 0..100
    };
    static constexpr int minRate = 80;
    static constexpr int maxRate = 450;

    // Empty when the library and its voice data are ready, otherwise a message for the user.
    static QString error();
    // The library's own sample rate; 0 when it is not ready.
    static int sampleRate();
    // The voices speaking a language ("ru", "en"), best match first; all voices for an empty
    // language, sorted by name.
    static QList<Voice> voices(const QString &language = QString());
    // The samples of the spoken text; empty when the text gives no sound or the voice is
    // unknown (then `failure` says why).
    static QVector<qint16> speak(const QString &text, const Options &options,
                                 QString *failure = nullptr);
};
