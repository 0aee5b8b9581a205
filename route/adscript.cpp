#include "adscript.h"

#include "route.h"
#include "routefilereader.h"
#include "routefilewriter.h"
#include "textencoding.h"

#include <QFileInfo>

namespace {

const char fileName[] = "/rscript.txt";

// Only text files run on the board: every other line is dropped. False when unreadable.
bool readNames(const QString &adPath, QStringList &names)
{
    names.clear();
    if (adPath.isEmpty())
        return false;
    RouteFileReader reader(adPath + QLatin1String(fileName));
    if (!reader.isOpen())
        return false;
    while (!reader.atEnd()) {
        const QString name = decodeBytes(reader.readLine()).trimmed();
        if (fileKind(name) == FileKindText)
            names.append(name);
    }
    return true;
}

} // namespace

bool readAdScript(Route &route)
{
    return readNames(route.adPath(), route.adTextFiles());
}

QStringList readAdScriptOf(const QString &adPath)
{
    QStringList names;
    readNames(adPath, names);
    return names;
}

bool writeAdScript(const Route &route)
{
    if (!QFileInfo::exists(route.adPath()))
        return true;
    RouteFileWriter writer(false);
    for (const QString &name : route.adTextFiles())
        writer.addLine(name.toUtf8());
    return writer.commit(route.adPath() + QLatin1String(fileName));
}
