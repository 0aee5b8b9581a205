#include "backfile.h"

#include "boardheader.h"
#include "route.h"
#include "routefilereader.h"
#include "routefilewriter.h"

bool parseBackFile(Route &route, const QByteArray *bytes)
{
    RouteFileReader reader = RouteFileReader::fromBytes(bytes ? *bytes : QByteArray());
    QByteArray line;
    bool more = false;
    if (!readBoardFile(bytes ? &reader : nullptr, route, backBoard, nullptr, line, more)) {
        route.setBackMode(route.frontMode());
        return false;
    }
    return true;
}

QByteArray backFileBytes(const Route &route)
{
    RouteFileWriter writer(true);
    writer.addLine(boardHeaderLine(route, backBoard, QByteArray()));
    writeSecondLanguageLine(writer, route, backBoard);
    return writer.data();
}
