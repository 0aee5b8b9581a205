#include "editorini.h"

#include <QFile>

bool EditorIni::read(const QString &folder, int types[3])
{
    QFile file(folder + QStringLiteral("/editor.ini"));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    static const char *const keys[] = {"frontTabloType", "sideTabloType", "backTabloType"};
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
