#include "coordfile.h"

#include "route.h"
#include "routefilereader.h"
#include "routefilewriter.h"
#include "textencoding.h"

#include <QtGlobal>

#include <cctype>
#include <charconv>
#include <cstring>
#include <limits>

namespace {

const quint8 defaultRadius = 25;

QString fileName(const Route &route)
{
    return route.path() + QStringLiteral("/coord.txt");
}

void readKeyValues(Route &route, const QByteArray &line)
{
    int pos = 0;
    QByteArray value;
    for (QByteArray key = nextKeyValue(line, pos, value); !key.isEmpty();
         key = nextKeyValue(line, pos, value)) {
        if (key == "NEXTDELAY") {
            bool ok = false;
            const uint delay = value.toUInt(&ok);
            route.setNextDelay(ok ? int(qMin(delay, uint(std::numeric_limits<int>::max()))) : 0);
        }
    }
}

void readStationLine(Route &route, const QByteArray &line)
{
    // Tokens as views into the line: no copies for the thousands of lines of a long route.
    const char *const data = line.constData();
    const int size = line.size();
    QByteArray tokens[4];
    int count = 0;
    for (int start = 0; count < 4;) {
        const void *space = std::memchr(data + start, ' ', size_t(size - start));
        const int end = space ? int(static_cast<const char *>(space) - data) : size;
        tokens[count++] = QByteArray::fromRawData(data + start, end - start);
        if (!space)
            break;
        start = end + 1;
    }

    bool ok = false;
    const int number = tokens[0].toInt(&ok);
    // Compared before it becomes an index: the lowest number would overflow.
    Station *station = ok && number >= 1 ? route.station(number - 1) : nullptr;
    if (!station)
        return;

    QGeoCoordinate coordinate = station->coordinate();
    if (count > 1) {
        const double latitude = degreesValue(tokens[1], &ok);
        if (ok)
            coordinate.setLatitude(latitude);
    }
    if (count > 2) {
        const double longitude = degreesValue(tokens[2], &ok);
        if (ok)
            coordinate.setLongitude(longitude);
    }
    quint8 radius = defaultRadius;
    if (count > 3) {
        const qulonglong value = tokens[3].toULongLong(&ok);
        if (ok)
            radius = quint8(value & 0xFF);
    }
    station->setCoordinate(coordinate);
    station->setRadius(radius);
}

} // namespace

// A plain decimal such as "55.75123" is read without the copy and the checks of toDouble; the
// result is the same, both rounding correctly. Anything else goes to toDouble.
double degreesValue(const QByteArray &token, bool *ok)
{
    const char *const begin = token.constData();
    const char *const end = begin + token.size();
    const char *p = begin + (begin != end && *begin == '-');
    const char *const digits = p;
    while (p != end && *p >= '0' && *p <= '9')
        ++p;
    bool plain = p != digits && token.size() <= 24;
    if (plain && p != end) {
        plain = *p == '.';
        const char *const fraction = ++p;
        while (p != end && *p >= '0' && *p <= '9')
            ++p;
        plain = plain && p != fraction && p == end;
    }
    double value = 0;
    if (plain && std::from_chars(begin, end, value).ec == std::errc()) {
        *ok = true;
        return value;
    }
    return token.toDouble(ok);
}

bool readCoordFile(Route &route)
{
    QByteArray bytes;
    const bool found = !route.path().isEmpty() && RouteFileReader::readAll(fileName(route), bytes);
    return parseCoordFile(route, found ? &bytes : nullptr);
}

bool parseCoordFile(Route &route, const QByteArray *bytes)
{
    route.setNextDelay(5);
    if (!bytes)
        return false;
    RouteFileReader reader = RouteFileReader::fromBytes(*bytes);

    bool haveLine = !reader.atEnd();
    QByteArray line = reader.readLineView();
    if (haveLine && (line.isEmpty() || !isdigit(uchar(line.at(0))))) {
        readKeyValues(route, line);
        haveLine = !reader.atEnd();
        line = reader.readLineView();
    }
    while (haveLine) {
        readStationLine(route, line);
        haveLine = !reader.atEnd();
        line = reader.readLineView();
    }
    return true;
}

QByteArray coordFileBytes(const Route &route)
{
    RouteFileWriter out(false);
    out.reserve(32 * (route.stationCount() + 1));
    out.addLine(" NEXTDELAY:" + QByteArray::number(route.nextDelay()));
    const int count = route.stationCount();
    for (int i = 0; i < count; ++i) {
        const Station &station = *route.station(i);
        out << QByteArray::number(i + 1) << ' ';
        const QGeoCoordinate coordinate = station.coordinate();
        if (coordinate.isValid()) {
            out.degrees(coordinate.latitude()) << ' ';
            out.degrees(coordinate.longitude()) << ' ' << QByteArray::number(station.radius());
        }
        out.endLine();
    }
    return out.data();
}

bool writeCoordFile(const Route &route)
{
    if (route.path().isEmpty())
        return false;
    return RouteFileWriter::save(fileName(route), coordFileBytes(route));
}
