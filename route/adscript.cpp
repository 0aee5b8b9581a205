#include "adscript.h"

#include "route.h"
#include "routefilereader.h"
#include "routefilewriter.h"
#include "textencoding.h"

bool parseAdScript(QStringList &names, const QByteArray *bytes)
{
    names.clear();
    if (!bytes)
        return false;
    // Only text files run on the board: every other line is dropped.
    RouteFileReader reader = RouteFileReader::fromBytes(*bytes);
    while (!reader.atEnd()) {
        const QString name = trimmedText(decodeBytes(reader.readLine()));
        if (fileKind(name) == FileKindText)
            names.append(name);
    }
    return true;
}

QByteArray adScriptBytes(const Route &route)
{
    RouteFileWriter writer(false);
    for (const QString &name : route.adTextFiles())
        writer.addLine(RouteFileWriter::lineText(name));
    return writer.data();
}
