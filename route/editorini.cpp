#include "editorini.h"

#include <QFile>
#include <QSaveFile>

namespace {

const char *const keys[] = {"frontTabloType", "sideTabloType", "backTabloType"};

QString fileOf(const QString &folder)
{
    return folder + QStringLiteral("/editor.ini");
}

} // namespace

bool EditorIni::read(const QString &folder, int types[3])
{
    QFile file(fileOf(folder));
    if (folder.isEmpty() || !file.open(QIODevice::ReadOnly))
        return false;
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        if (line.endsWith('\n'))
            line.chop(1);
        if (line.endsWith('\r'))
            line.chop(1);
        const int eq = line.indexOf('=');
        if (eq < 0)
            continue;
        // A key may be cut short: "front=4" sets the front model.
        const QByteArray key = line.left(eq);
        for (int board = Front; board <= Back; ++board) {
            if (!QByteArray(keys[board]).startsWith(key))
                continue;
            const int value = line.mid(eq + 1).toInt();
            if (value >= 0 && value <= 6)
                types[board] = value;
            break;
        }
    }
    return true;
}

bool EditorIni::write(const QString &folder, const int types[3])
{
    if (folder.isEmpty())
        return false;
    QSaveFile file(fileOf(folder));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray text;
    for (int board = Front; board <= Back; ++board)
        text += QByteArray(keys[board]) + '=' + QByteArray::number(types[board]) + "\r\n";
    file.write(text);
    return file.commit();
}
