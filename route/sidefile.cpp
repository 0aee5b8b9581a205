#include "sidefile.h"

#include "boardheader.h"
#include "route.h"
#include "routefilereader.h"
#include "routefilewriter.h"
#include "textencoding.h"

#include <climits>

namespace {

const char fileName[] = "/sidetab.txt";

void copyFrontBoard(Route &route)
{
    route.setSideNumber(route.frontNumber());
    for (int lang = 0; lang < 2; ++lang) {
        route.setSideStartingPoint(lang, route.frontStartingPoint(lang));
        route.setSideDestination(lang, route.frontDestination(lang));
    }
    route.setSideMode(ModeStatic | ModeOnlyDestination | ModeCenter);
    route.setSideStationInterval(3);
    route.setSideStationCount(5);
    route.setSideFont(route.frontFont());
    route.setSideInterval(route.frontInterval());
    route.setSideSeparator(QString::fromUtf8(defaultSideSeparator));
    route.fillSideNames();
}

void applyOption(Route &route, const QByteArray &item)
{
    switch (item.at(0)) {
    case 'F':
        route.setSideFont(route.sideFont() | fontFromOption(item));
        break;
    case 'N':
        // Not limited, but kept within int so that it is written back as read.
        route.setSideStationCount(int(qMin<uint>(item.mid(1).toUInt(), INT_MAX)));
        break;
    case 'R':
        route.setSideInterval(intervalFromOption(item.mid(1)));
        break;
    case 'S':
        route.setSideStationInterval(intervalFromOption(item.mid(1)));
        break;
    case 'T':
        if (item.size() >= 3) {
            const QString text = decodeBytes(item.constData() + 2, item.size() - 2).trimmed();
            route.setSideSeparator(text.isEmpty() ? QString::fromUtf8(defaultSideSeparator) : text);
        }
        break;
    default:
        break;
    }
}

// The next line into `line`; false at the end of the file.
bool nextLine(RouteFileReader &reader, QByteArray &line)
{
    if (reader.atEnd())
        return false;
    line = reader.readLine();
    return true;
}

int stationNumber(const QByteArray &line)
{
    const int space = line.indexOf(' ');
    return line.left(space < 0 ? line.size() : space).toInt();
}

} // namespace

bool readSideFile(Route &route)
{
    RouteFileReader reader(route.path() + QLatin1String(fileName));
    if (!reader.isOpen()) {
        copyFrontBoard(route);
        return false;
    }
    route.setSideFont(0);
    route.setSideStationCount(5);
    route.setSideStationInterval(3);
    route.setSideInterval(4);
    route.setSideSeparator(QString());

    const BoardHeader header = parseBoardHeader(reader.readLine());
    route.setSideNumber(header.number);
    if (header.hasStartingPoint)
        route.setSideStartingPoint(0, header.startingPoint);
    if (header.hasDestination)
        route.setSideDestination(0, header.destination);
    route.setSideMode(header.mode);
    for (const QByteArray &item : header.options)
        applyOption(route, item);

    QByteArray line;
    bool more = nextLine(reader, line);
    if (more && isContinuationLine(line)) {
        QString startingPoint, destination;
        parseSecondLanguageLine(line, startingPoint, destination);
        route.setSideStartingPoint(1, startingPoint);
        route.setSideDestination(1, destination);
        more = nextLine(reader, line);
    }
    while (more && isContinuationLine(line))
        more = nextLine(reader, line);

    bool named = false;
    while (more) {
        const QByteArray current = line;
        more = nextLine(reader, line);
        Station *station = route.station(stationNumber(current) - 1);
        if (!station)
            continue;
        const int text = current.indexOf(' ') + 1;
        if (text > 0 && text < current.size())
            station->setSideName(
                0, decodeBytes(current.constData() + text, current.size() - text).trimmed());
        if (more && isContinuationLine(line)) {
            station->setSideName(1, decodeBytes(line).trimmed());
            more = nextLine(reader, line);
        }
        named = named || !station->sideName(0).isEmpty() || !station->sideName(1).isEmpty();
    }
    if (!named)
        route.fillSideNames();
    return true;
}

bool writeSideFile(const Route &route)
{
    RouteFileWriter writer(true);
    QByteArray options = fontOption(route.sideFont()) + ";R" +
                         QByteArray::number(route.sideInterval()) + ";N" +
                         QByteArray::number(route.sideStationCount()) + ";S" +
                         QByteArray::number(route.sideStationInterval());
    if (!route.sideSeparator().isEmpty())
        options += ";T " + route.sideSeparator().toUtf8();
    options += ';';
    writer.addLine(boardHeaderLine(route.sideNumber(), route.sideStartingPoint(0),
                                   route.sideDestination(0), route.sideMode(), options));
    const QByteArray second =
        secondLanguageLine(route.sideStartingPoint(1), route.sideDestination(1));
    if (!second.isEmpty())
        writer.addLine(second);

    for (int i = 0; i < route.stationCount(); ++i) {
        const Station *station = route.station(i);
        writer.addLine(QByteArray::number(i + 1) + ' ' + station->sideName(0).toUtf8());
        if (!station->sideName(1).isEmpty())
            writer.addLine("  " + station->sideName(1).toUtf8());
    }
    return writer.commit(route.path() + QLatin1String(fileName));
}
