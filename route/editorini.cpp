#include "editorini.h"

#include "routefilewriter.h"

namespace {

const char *const keys[] = {"frontTabloType", "sideTabloType", "backTabloType"};

} // namespace

void parseEditorIni(const QByteArray &bytes, int types[3], bool (*accept)(int))
{
    // Lines end in LF, one CR before it dropped; a byte order mark is not skipped.
    for (int pos = 0; pos < bytes.size();) {
        int end = bytes.indexOf('\n', pos);
        if (end < 0)
            end = bytes.size();
        QByteArray line = bytes.mid(pos, end - pos);
        pos = end + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        const int eq = line.indexOf('=');
        if (eq < 0)
            continue;
        const QByteArray key = line.left(eq);
        for (int board = 0; board < 3; ++board) {
            if (!QByteArray(keys[board]).startsWith(key))
                continue;
            const int value = line.mid(eq + 1).toInt();
            if (accept(value))
                types[board] = value;
            break;
        }
    }
}

QByteArray editorIniBytes(const int types[3])
{
    RouteFileWriter writer(false);
    for (int board = 0; board < 3; ++board)
        writer.addLine(QByteArray(keys[board]) + '=' + QByteArray::number(types[board]));
    return writer.data();
}
