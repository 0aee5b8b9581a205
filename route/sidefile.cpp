#include "sidefile.h"

#include "boardheader.h"
#include "route.h"
#include "routefilereader.h"
#include "routefilewriter.h"
#include "textencoding.h"

#include <climits>

namespace {

// The side board options beyond F and R.
void readSideOption(Route &route, const QByteArray &item)
{
    switch (item.at(0)) {
    case 'N':
        // Not limited, but kept within int so that it is written back as read.
        route.setSideStationCount(int(qMin<uint>(item.mid(1).toUInt(), INT_MAX)));
        break;
    case 'S':
        route.setSideStationInterval(intervalFromOption(item.mid(1)));
        break;
    case 'T':
        if (item.size() >= 3) {
            const QString text = decodeTrimmed(item.constData() + 2, item.size() - 2);
            route.setSideSeparator(text.isEmpty() ? QString::fromUtf8(defaultSideSeparator) : text);
        }
        break;
    default:
        break;
    }
}

} // namespace

bool parseSideFile(Route &route, const QByteArray *bytes)
{
    RouteFileReader reader = RouteFileReader::fromBytes(bytes ? *bytes : QByteArray());
    route.setSideStationCount(5);
    route.setSideStationInterval(3);
    route.setSideSeparator(QString());
    QByteArray line;
    bool more = false;
    if (!readBoardFile(bytes ? &reader : nullptr, route, sideBoard, readSideOption, line, more)) {
        route.setSideMode(ModeStatic | ModeOnlyDestination | ModeCenter);
        route.setSideSeparator(QString::fromUtf8(defaultSideSeparator));
        route.fillSideNames();
        return false;
    }

    // Two buffers that take turns, each reused from line to line.
    QByteArray current;
    while (more) {
        current.swap(line);
        more = reader.readLine(line);
        Station *station = numberedStation(route, current);
        if (!station)
            continue;
        const int text = current.indexOf(' ') + 1;
        if (text > 0 && text < current.size())
            station->setSideName(0,
                                 decodeTrimmed(current.constData() + text, current.size() - text));
        if (more && isContinuationLine(line)) {
            station->setSideName(1, decodeTrimmed(line.constData(), line.size()));
            more = reader.readLine(line);
        }
    }
    // Judged on the names as they end up: a later line may empty a name read before.
    bool named = false;
    for (const Station *station : route.stations())
        named = named || !station->sideName(0).isEmpty() || !station->sideName(1).isEmpty();
    if (!named)
        route.fillSideNames();
    return true;
}

QByteArray sideFileBytes(const Route &route)
{
    RouteFileWriter writer(true);
    writer.reserve(64 * (route.stationCount() + 1));
    QByteArray options = ";N" + QByteArray::number(route.sideStationCount()) + ";S" +
                         QByteArray::number(route.sideStationInterval());
    if (!route.sideSeparator().isEmpty())
        options += ";T " + RouteFileWriter::lineText(route.sideSeparator());
    writer.addLine(boardHeaderLine(route, sideBoard, options));
    writeSecondLanguageLine(writer, route, sideBoard);

    for (int i = 0; i < route.stationCount(); ++i) {
        const Station *station = route.station(i);
        writer.number(i + 1) << ' ';
        writer.text(station->sideName(0)).endLine();
        if (!station->sideName(1).isEmpty())
            (writer << "  ").text(station->sideName(1)).endLine();
    }
    return writer.data();
}
