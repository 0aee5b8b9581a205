#include "editorini.h"

#include "routefilereader.h"
#include "routefilewriter.h"

namespace {

QString fileOf(const QString &folder)
{
    return folder + QStringLiteral("/editor.ini");
}

bool isBoardModel(int value)
{
    return value >= 0 && value <= 6;
}

} // namespace

bool EditorIni::read(const QString &folder, int types[3])
{
    QByteArray content;
    if (folder.isEmpty() || !RouteFileReader::readAll(fileOf(folder), content))
        return false;
    parse(content, types, isBoardModel);
    return true;
}

bool EditorIni::write(const QString &folder, const int types[3])
{
    if (folder.isEmpty())
        return false;
    return RouteFileWriter::save(fileOf(folder), bytes(types));
}

void EditorIni::parse(const QByteArray &bytes, int types[3], bool (*accept)(int))
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
        // A key may be cut short: "front=4" sets the front model.
        const QByteArray key = line.left(eq);
        for (const ::Board &board : boards) {
            if (!board.editorIniKey().startsWith(key))
                continue;
            const int value = line.mid(eq + 1).toInt();
            if (accept(value))
                types[board.id] = value;
            break;
        }
    }
}

QByteArray EditorIni::bytes(const int types[3])
{
    RouteFileWriter writer(false);
    for (const ::Board &board : boards)
        writer.addLine(board.editorIniKey() + '=' + QByteArray::number(types[board.id]));
    return writer.data();
}
