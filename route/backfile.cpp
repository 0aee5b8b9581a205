#include "backfile.h"

#include "boardheader.h"
#include "route.h"
#include "routefilereader.h"
#include "routefilewriter.h"

namespace {

const char fileName[] = "/backtab.txt";

} // namespace

bool readBackFile(Route &route)
{
    QByteArray bytes;
    const bool found = RouteFileReader::readAll(route.path() + QLatin1String(fileName), bytes);
    return parseBackFile(route, found ? &bytes : nullptr);
}

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

bool writeBackFile(const Route &route)
{
    return RouteFileWriter::save(route.path() + QLatin1String(fileName), backFileBytes(route));
}

QByteArray backFileBytes(const Route &route)
{
    RouteFileWriter writer(true);
    writer.addLine(boardHeaderLine(route, backBoard, QByteArray()));
    writeSecondLanguageLine(writer, route, backBoard);
    return writer.data();
}
