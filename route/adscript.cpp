#include "adscript.h"

#include "route.h"
#include "routefilereader.h"
#include "routefilewriter.h"
#include "textencoding.h"

#include <QFileInfo>

namespace {

const char fileName[] = "/rscript.txt";

} // namespace

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

bool readAdScript(Route &route)
{
    QByteArray bytes;
    const bool found = !route.adPath().isEmpty() &&
                       RouteFileReader::readAll(route.adPath() + QLatin1String(fileName), bytes);
    return parseAdScript(route.adTextFiles(), found ? &bytes : nullptr);
}

QStringList readAdScriptOf(const QString &adPath)
{
    QStringList names;
    QByteArray bytes;
    if (!adPath.isEmpty() && RouteFileReader::readAll(adPath + QLatin1String(fileName), bytes))
        parseAdScript(names, &bytes);
    return names;
}

QByteArray adScriptBytes(const Route &route)
{
    RouteFileWriter writer(false);
    for (const QString &name : route.adTextFiles())
        writer.addLine(RouteFileWriter::lineText(name));
    return writer.data();
}

bool writeAdScript(const Route &route)
{
    if (!QFileInfo::exists(route.adPath()))
        return true;
    return RouteFileWriter::saveAll(
        {{route.adPath(), route.adPath() + QLatin1String(fileName), adScriptBytes(route)}});
}
