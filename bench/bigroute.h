// The large route of the benchmarks: 2,000 stations in two directions, every one announcing
// the next, with a second language and files on every station.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

namespace bigroute {

inline bool write(const QString &path)
{
    QDir().mkpath(path);
    QFile ost(path + QStringLiteral("/ost.txt"));
    if (!ost.open(QIODevice::WriteOnly))
        return false;
    ost.write("\xEF\xBB\xBF"
              "99\\\\Начало\\\\Конец_S_C\\\\F11;R4;#080;\r\n");
    const int count = 2000;
    for (int i = 0; i < count; ++i) {
        QByteArray line = QByteArray::number(i + 1) + ' ';
        if (i == count / 2)
            line += "STOP ";
        line += QStringLiteral("Остановка Номер %1.").arg(i).toUtf8();
        if (i + 1 != count / 2 && i + 1 != count)
            line += "\\\\" + QStringLiteral("Следующая остановка Номер %1.").arg(i + 1).toUtf8();
        ost.write(line + "\r\n  Stop " + QByteArray::number(i) + "\r\n  gong.wav, " +
                  QByteArray::number(i) + ".wav, t" + QByteArray::number(i) + ".txt\r\n");
    }
    ost.write(QByteArray::number(count + 1) + " END\r\n");
    QFile coord(path + QStringLiteral("/coord.txt"));
    if (!coord.open(QIODevice::WriteOnly))
        return false;
    coord.write(" NEXTDELAY:5\r\n");
    for (int i = 0; i < count; ++i)
        coord.write(QByteArray::number(i + 1) + " 55." + QByteArray::number(10000 + i) + " 37." +
                    QByteArray::number(20000 + i) + " 30\r\n");
    return true;
}

} // namespace bigroute
