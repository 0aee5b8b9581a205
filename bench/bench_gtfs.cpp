// GTFS import speed: a generated feed of 3,000,000 stop_times rows (in /tmp, as a folder and
// zipped), read by a yardstick that only reads the same bytes line by line, by the route
// listing, by the dialog's reading of every pattern and by --import-gtfs of one route. Each
// step runs in a process of its own, so that its peak resident memory is its own.
#include "feedsource.h"
#include "gtfsfeed.h"
#include "gtfsroutebuilder.h"
#include "route.h"

#include <KZip>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTextStream>

#include <sys/resource.h>

namespace {

const int Rows = 3000000;
const int StopsPerTrip = 30;
const int Routes = 100;
const int StopCount = 5000;

rusage usageNow()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage;
}

double cpuMs(const rusage &u)
{
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 +
           (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

// Route r, direction d, pattern p of three: 30 stops from a window of the stop list.
QByteArray stopTimesRow(int trip, int call, int &stop)
{
    const int route = trip % Routes;
    const int pattern = (trip / Routes) % 6;
    stop = (route * 37 + pattern * 3 + (pattern % 2 ? StopsPerTrip - call : call)) % StopCount;
    const int minute = 6 * 60 + (trip % 900) + call * 2;
    char line[160];
    const int n =
        std::snprintf(line, sizeof line, "T%d,%02d:%02d:00,%02d:%02d:00,S%d,%d,0,0,%d.%03d,1\n",
                      trip, minute / 60, minute % 60, minute / 60, minute % 60, stop, call + 1,
                      call * 431, call % 1000);
    return QByteArray(line, n);
}

void generate(const QString &dir)
{
    QDir().mkpath(dir + "/feed");
    QMap<QString, QByteArray> small;
    small["agency.txt"] = "agency_id,agency_name\nA,Bench\n";
    QByteArray routes = "route_id,agency_id,route_short_name,route_long_name,route_type\n";
    for (int r = 0; r < Routes; ++r)
        routes += QByteArray("R%1,A,%1,Route %1,3\n").replace("%1", QByteArray::number(r));
    small["routes.txt"] = routes;
    QByteArray stops = "stop_id,stop_name,stop_lat,stop_lon\n";
    for (int s = 0; s < StopCount; ++s)
        stops += "S" + QByteArray::number(s) + ",Stop " + QByteArray::number(s) + "," +
                 QByteArray::number(55 + s * 1e-4, 'f', 6) + ",37.5\n";
    small["stops.txt"] = stops;
    QByteArray trips = "route_id,service_id,trip_id,trip_headsign,direction_id\n";
    for (int t = 0; t < Rows / StopsPerTrip; ++t)
        trips += "R" + QByteArray::number(t % Routes) + ",WD,T" + QByteArray::number(t) +
                 ",Depot," + QByteArray::number(((t / Routes) % 6) % 2) + "\n";
    small["trips.txt"] = trips;

    KZip zip(dir + "/feed.zip");
    zip.open(QIODevice::WriteOnly);
    for (auto it = small.cbegin(); it != small.cend(); ++it) {
        QFile f(dir + "/feed/" + it.key());
        f.open(QIODevice::WriteOnly);
        f.write(it.value());
        zip.writeFile(it.key(), it.value());
    }
    QFile times(dir + "/feed/stop_times.txt");
    times.open(QIODevice::WriteOnly);
    zip.prepareWriting(QStringLiteral("stop_times.txt"), QString(), QString(), 0);
    QByteArray chunk = "trip_id,arrival_time,departure_time,stop_id,stop_sequence,pickup_type,"
                       "drop_off_type,shape_dist_traveled,timepoint\n";
    for (int row = 0; row < Rows; ++row) {
        int stop = 0;
        chunk += stopTimesRow(row / StopsPerTrip, row % StopsPerTrip, stop);
        if (chunk.size() > (1 << 20) || row + 1 == Rows) {
            times.write(chunk);
            zip.writeData(chunk.constData(), chunk.size());
            chunk.clear();
        }
    }
    zip.finishWriting(times.size());
    zip.close();
}

// One step in this process: prints "wall-ms cpu-ms rows peak-kB". The machine may be shared:
// CPU time is the steadier figure.
int step(const QString &mode, const QString &feedPath, const QString &target)
{
    QElapsedTimer timer;
    timer.start();
    const double cpuStart = cpuMs(usageNow());
    qint64 rows = 0;
    if (mode == "yardstick") {
        FeedSource source;
        source.open(feedPath, nullptr);
        const std::unique_ptr<QIODevice> device = source.file("stop_times.txt");
        char line[4096];
        while (device->readLine(line, sizeof line) > 0)
            ++rows;
        --rows; // the header
    } else {
        GtfsFeed feed;
        GtfsFeed::Options options;
        options.patterns = mode != "list";
        if (mode == "import")
            options.route = "7";
        if (feed.read(feedPath, options) != GtfsFeed::Read)
            return 1;
        rows = options.patterns ? Rows : 0;
        if (mode == "import") {
            GtfsChoice choice;
            choice.route = feed.findRoute("7");
            choice.forward = feed.defaultForward(choice.route);
            choice.back = feed.defaultBack(choice.route);
            Route route;
            QDir(target).removeRecursively();
            QDir().mkpath(target);
            if (!GtfsRouteBuilder::build(feed, choice, target, route) || !route.save())
                return 1;
        }
    }
    const rusage end = usageNow();
    QTextStream(stdout) << timer.elapsed() << ' ' << cpuMs(end) - cpuStart << ' ' << rows << ' '
                        << end.ru_maxrss << '\n';
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4)
        return step(args.at(1), args.at(2), args.at(3));

    const QString dir = QDir::tempPath() + "/tessaly-bench-gtfs";
    QTextStream out(stdout);
    if (!QFile::exists(dir + "/feed.zip")) {
        out << "generating " << Rows << " stop_times rows in " << dir << " ...\n" << Qt::flush;
        generate(dir);
    }
    out << "stop_times.txt: " << QFileInfo(dir + "/feed/stop_times.txt").size() / 1e6
        << " MB, zipped feed " << QFileInfo(dir + "/feed.zip").size() / 1e6 << " MB\n";
    for (const QString &form : {QStringLiteral("feed"), QStringLiteral("feed.zip")}) {
        double yardstick = 0;
        for (const QString mode : {"yardstick", "list", "patterns", "import"}) {
            QProcess p;
            p.start(app.applicationFilePath(), {mode, dir + '/' + form, dir + "/route7"});
            p.waitForFinished(-1);
            const QStringList v = QString::fromUtf8(p.readAllStandardOutput()).split(' ');
            if (p.exitCode() != 0 || v.size() < 4) {
                out << form << ' ' << mode << ": failed\n";
                return 1;
            }
            const double ms = v.at(1).toDouble();
            if (mode == QLatin1String("yardstick"))
                yardstick = ms;
            out << QStringLiteral("%1 %2: cpu %3 ms (wall %4 ms)")
                       .arg(form, -8)
                       .arg(mode, -9)
                       .arg(ms, 5, 'f', 0)
                       .arg(v.at(0).toDouble(), 5, 'f', 0);
            if (v.at(2).toLongLong() > 0)
                out << QStringLiteral(", %1 rows/s").arg(Rows / (ms / 1000), 0, 'f', 0);
            out << QStringLiteral(", %1x the yardstick, peak %2 MB resident\n")
                       .arg(ms / qMax(1.0, yardstick), 0, 'f', 2)
                       .arg(v.at(3).toDouble() / 1024, 0, 'f', 0);
        }
    }
    return 0;
}
