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
    RouteFileReader reader(route.path() + QLatin1String(fileName));
    QByteArray line;
    bool more = false;
    if (!readBoardFile(reader, route, backBoard, nullptr, line, more)) {
        route.setBackMode(route.frontMode());
        return false;
    }
    return true;
}

bool writeBackFile(const Route &route)
{
    RouteFileWriter writer(true);
    writer.addLine(boardHeaderLine(route, backBoard, QByteArray()));
    writeSecondLanguageLine(writer, route, backBoard);
    return writer.commit(route.path() + QLatin1String(fileName));
}
