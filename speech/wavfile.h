// Samples as a standard RIFF/WAVE file: PCM, 16-bit, mono.
#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

class WavFile
{
public:
    static constexpr int headerSize = 44;

    static QByteArray bytes(const QVector<qint16> &samples, int sampleRate);
    // Through QSaveFile: a failed write leaves an old file as it was.
    static bool write(const QString &path, const QVector<qint16> &samples, int sampleRate);
};
