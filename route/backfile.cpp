#include "backfile.h"

#include "boardheader.h"
#include "route.h"
#include "routefilereader.h"
#include "routefilewriter.h"

namespace {

const char fileName[] = "/backtab.txt";

void copyFrontBoard(Route &route)
{
    route.setBackNumber(route.frontNumber());
    for (int lang = 0; lang < 2; ++lang) {
        route.setBackStartingPoint(lang, route.frontStartingPoint(lang));
        route.setBackDestination(lang, route.frontDestination(lang));
    }
    route.setBackMode(route.frontMode());
    route.setBackFont(route.frontFont());
    route.setBackInterval(route.frontInterval());
}

} // namespace

bool readBackFile(Route &route)
{
    RouteFileReader reader(route.path() + QLatin1String(fileName));
    if (!reader.isOpen()) {
        copyFrontBoard(route);
        return false;
    }
    route.setBackFont(0);
    route.setBackInterval(4);

    const BoardHeader header = parseBoardHeader(reader.readLine());
    route.setBackNumber(header.number);
    if (header.hasStartingPoint)
        route.setBackStartingPoint(0, header.startingPoint);
    if (header.hasDestination)
        route.setBackDestination(0, header.destination);
    route.setBackMode(header.mode);
    for (const QByteArray &item : header.options) {
        if (item.startsWith('F'))
            route.setBackFont(route.backFont() | fontFromOption(item));
        else if (item.startsWith('R'))
            route.setBackInterval(intervalFromOption(item.mid(1)));
    }

    if (!reader.atEnd()) {
        const QByteArray line = reader.readLine();
        if (isContinuationLine(line)) {
            QString startingPoint, destination;
            parseSecondLanguageLine(line, startingPoint, destination);
            route.setBackStartingPoint(1, startingPoint);
            route.setBackDestination(1, destination);
        }
    }
    return true;
}

bool writeBackFile(const Route &route)
{
    RouteFileWriter writer(true);
    const QByteArray options =
        fontOption(route.backFont()) + ";R" + QByteArray::number(route.backInterval()) + ';';
    writer.addLine(boardHeaderLine(route.backNumber(), route.backStartingPoint(0),
                                   route.backDestination(0), route.backMode(), options));
    const QByteArray second =
        secondLanguageLine(route.backStartingPoint(1), route.backDestination(1));
    if (!second.isEmpty())
        writer.addLine(second);
    return writer.commit(route.path() + QLatin1String(fileName));
}
