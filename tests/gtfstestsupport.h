// A small GTFS feed made by the tests: route 7 with two patterns in each direction, a night
// route, translations by stop_id and by name, a station with nameless platforms, a bad
// coordinate, an unknown stop in stop_times.txt, quotes, CR LF and a byte order mark.
#pragma once

#include <KZip>

#include <QDir>
#include <QFile>
#include <QMap>
#include <QString>

namespace testsupport {

using FeedFiles = QMap<QString, QByteArray>;

inline FeedFiles smallFeed()
{
    FeedFiles f;
    f["agency.txt"] = "agency_id,agency_name\nA,\"Горэлектротранс, МУП\"\n";
    f["routes.txt"] = "route_type,route_id,route_short_name,route_long_name,extra\r\n"
                      "3,R7,7,Вокзал – Парк,x\r\n"
                      "0,N1,,Ночной,\r\n";
    f["stops.txt"] =
        "\xEF\xBB\xBFstop_id,stop_name,stop_lat,stop_lon,location_type,parent_station\n"
        "SA,Вокзал,55.0,37.0,1,\n"
        "A1,,55.0001,37.0001,0,SA\n"
        "A2,,55.0002,37.0002,0,SA\n"
        "B,\"Рынок\",55.01,37.01,0,\n"
        "C,Театр,55.02,37.02,,\n"
        "D,Парк,55.03,37.03,,\n"
        "E,Школа,abc,37.04,,\n"
        "X,Депо,55.05,37.05,,\n";
    f["translations.txt"] = "table_name,field_name,language,translation,record_id,field_value\n"
                            "stops,stop_name,en,Station,SA,\n"
                            "stops,stop_name,en,\"Market\",B,\n"
                            "stops,stop_name,en,Theatre,,Театр\n"
                            "stops,stop_name,en,Park,,Парк\n"
                            "routes,route_long_name,en,Station - Park,R7,\n";
    QByteArray trips = "route_id,trip_id,direction_id,trip_headsign\n";
    QByteArray times = "trip_id,arrival_time,stop_id,stop_sequence\n";
    int trip = 0;
    auto add = [&](const char *route, int direction, const QList<const char *> &stops, int count,
                   const char *headsign) {
        for (int n = 0; n < count; ++n, ++trip) {
            const QByteArray id = "t" + QByteArray::number(trip);
            trips += QByteArray(route) + ',' + id + ',' + QByteArray::number(direction) + ",\"" +
                     headsign + "\"\n";
            // Written backwards: the order comes from stop_sequence.
            for (int i = stops.size() - 1; i >= 0; --i)
                times += id + ",\"08:0" + QByteArray::number(i) + ":00\"," + stops.at(i) + ',' +
                         QByteArray::number(i * 10 + 1) + "\r\n";
        }
    };
    add("R7", 0, {"A1", "B", "C", "D"}, 3, "Парк");
    add("R7", 0, {"A1", "B", "D"}, 1, "Парк, экспресс");
    add("R7", 1, {"D", "C", "B", "A2"}, 2, "Вокзал");
    add("R7", 1, {"D", "E", "B", "A2"}, 1, "Вокзал");
    add("N1", 0, {"B", "X"}, 1, "Депо");
    times += "t0,08:09:00,ZZ,99\n\n";
    f["trips.txt"] = trips;
    f["stop_times.txt"] = times;
    return f;
}

inline bool writeFeedFolder(const QString &folder, const FeedFiles &files)
{
    QDir().mkpath(folder);
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        QFile f(folder + '/' + it.key());
        if (!f.open(QIODevice::WriteOnly) || f.write(it.value()) != it.value().size())
            return false;
    }
    return true;
}

inline bool writeFeedZip(const QString &path, const FeedFiles &files)
{
    KZip zip(path);
    if (!zip.open(QIODevice::WriteOnly))
        return false;
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        if (!zip.writeFile(it.key(), it.value()))
            return false;
    }
    return zip.close();
}

} // namespace testsupport
