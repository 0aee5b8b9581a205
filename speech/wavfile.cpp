#include "wavfile.h"

#include <QDataStream>
#include <QSaveFile>

QByteArray WavFile::bytes(const QVector<qint16> &samples, int sampleRate)
{
    const quint32 dataSize = quint32(samples.size()) * 2;
    QByteArray out;
    out.reserve(headerSize + int(dataSize));
    QDataStream s(&out, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    const quint16 channels = 1;
    const quint16 bits = 16;
    s.writeRawData("RIFF", 4);
    s << quint32(36 + dataSize);
    s.writeRawData("WAVEfmt ", 8);
    s << quint32(16) << quint16(1) << channels << quint32(sampleRate)
      << quint32(sampleRate * channels * bits / 8) << quint16(channels * bits / 8) << bits;
    s.writeRawData("data", 4);
    s << dataSize;
    for (qint16 v : samples)
        s << v;
    return out;
}

bool WavFile::write(const QString &path, const QVector<qint16> &samples, int sampleRate)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray b = bytes(samples, sampleRate);
    return file.write(b) == b.size() && file.commit();
}
