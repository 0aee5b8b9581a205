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
#include <string_view>

namespace {

const quint8 defaultRadius = 25;

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

void readStationLine(Route &route, std::string_view line)
{
    // Tokens as views into the line: no copies for the thousands of lines of a long route.
    std::string_view tokens[4];
    int count = 0;
    for (size_t start = 0; count < 4;) {
        const size_t space = line.find(' ', start);
        tokens[count++] = line.substr(start, space == line.npos ? line.npos : space - start);
        if (space == line.npos)
            break;
        start = space + 1;
    }
    const auto length = [](std::string_view token) { return int(token.size()); };

    bool ok = false;
    const int number = decimalValue<int>(tokens[0].data(), length(tokens[0]), &ok);
    // Compared before it becomes an index: the lowest number would overflow.
    Station *station = ok && number >= 1 ? route.station(number - 1) : nullptr;
    if (!station)
        return;

    QGeoCoordinate coordinate = station->coordinate();
    if (count > 1) {
        const double latitude = degreesValue(tokens[1].data(), length(tokens[1]), &ok);
        if (ok)
            coordinate.setLatitude(latitude);
    }
    if (count > 2) {
        const double longitude = degreesValue(tokens[2].data(), length(tokens[2]), &ok);
        if (ok)
            coordinate.setLongitude(longitude);
    }
    quint8 radius = defaultRadius;
    if (count > 3) {
        const qulonglong value = decimalValue<qulonglong>(tokens[3].data(), length(tokens[3]), &ok);
        if (ok)
            radius = quint8(value & 0xFF);
    }
    station->setCoordinate(coordinate);
    station->setRadius(radius);
}

} // namespace

// A plain decimal such as "55.75123" is read without the copy and the checks of toDouble; the
// result is the same, both rounding correctly. Anything else goes to toDouble.
double degreesValue(const char *token, int length, bool *ok)
{
    const char *const begin = token;
    const char *const end = begin + length;
    const char *p = begin + (begin != end && *begin == '-');
    const char *const digits = p;
    while (p != end && *p >= '0' && *p <= '9')
        ++p;
    bool plain = p != digits && length <= 24;
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
    return QByteArray(token, length).toDouble(ok);
}

bool parseCoordFile(Route &route, const QByteArray *bytes)
{
    route.setNextDelay(5);
    if (!bytes)
        return false;
    RouteFileReader reader = RouteFileReader::fromBytes(*bytes);

    bool haveLine = !reader.atEnd();
    std::string_view line = reader.readLineView();
    if (haveLine && (line.empty() || !isdigit(uchar(line.front())))) {
        readKeyValues(route, QByteArray(line.data(), int(line.size())));
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
        out.number(i + 1) << ' ';
        const QGeoCoordinate coordinate = station.coordinate();
        if (coordinate.isValid()) {
            out.degrees(coordinate.latitude()) << ' ';
            out.degrees(coordinate.longitude()) << ' ';
            out.number(station.radius());
        }
        out.endLine();
    }
    return out.data();
}
