// The route check of a large route whose files are all present: the whole check, and
// its parts (files and texts without the fonts, characters, board widths).
#include "boardcheck.h"
#include "route.h"
#include "routecheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <ctime>
#include <functional>
#include <vector>

namespace {

const int stationCount = 2000;
const int adCount = 200;
const int runs = 21;

void touch(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
}

void buildRoute(Route &route, const QString &path)
{
    route.newRoute(path);
    while (route.stationCount() > 0)
        route.removeStation(0);
    route.setFrontNumber(QStringLiteral("125К"));
    route.setFrontStartingPoint(1, QStringLiteral("Central Square"));
    route.setFrontDestination(1, QStringLiteral("North Depot"));
    route.setStationWord(1, QStringLiteral("Stop"));
    route.setNextWord(1, QStringLiteral("Next stop"));
    route.setRouteText(1, QStringLiteral("Route %n."));
    route.setSalonTempText(1, QStringLiteral("Inside %t"));
    route.setOutsideTempText(1, QStringLiteral("Outside %t"));
    route.setSideMode(ModeStationScroll);
    for (int i = 0; i < stationCount; ++i) {
        auto *s = new Station;
        const QString n = QString::number(i + 1);
        s->setName(0, QStringLiteral("Остановка Улица Строителей, дом ") + n + '.');
        s->setNextName(0, QStringLiteral("Следующая остановка Улица Строителей, дом ") + n + '.');
        s->setName(1, QStringLiteral("Stop Builders Street, house ") + n + '.');
        s->setNextName(1, QStringLiteral("Next stop Builders Street, house ") + n + '.');
        s->setSideName(0, QStringLiteral("Строителей ") + n);
        s->setSideName(1, QStringLiteral("Builders ") + n);
        s->setSoundFiles({n + QStringLiteral(".wav"), QStringLiteral("en ") + n + ".mp3"});
        s->setTextFiles({n + QStringLiteral(".txt")});
        s->setCoordinate(QGeoCoordinate(55.0 + i * 1e-3, 37.0 + i * 1e-3));
        s->setRadius(quint8(20 + i % 50));
        for (const QStringList *files : {&s->soundFiles(), &s->textFiles()})
            for (const QString &file : *files)
                touch(path + '/' + file);
        route.insertStation(route.stationCount(), s);
    }
    route.setBackStationIndex(stationCount / 2);
    QDir().mkpath(route.adPath());
    QStringList ads;
    for (int i = 0; i < adCount; ++i) {
        ads << QStringLiteral("реклама ") + QString::number(i) + QStringLiteral(".txt");
        touch(route.adPath() + '/' + ads.last());
    }
    route.setAdTextFiles(ads);
}

double cpuNow()
{
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Median wall-clock and CPU time of a step in ms: the machine may be shared.
QString median(const std::function<void()> &step)
{
    std::vector<double> wall;
    std::vector<double> cpu;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        const double cpuStart = cpuNow();
        step();
        cpu.push_back(cpuNow() - cpuStart);
        wall.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return QStringLiteral("%1 ms wall, %2 ms CPU")
        .arg(wall[wall.size() / 2], 0, 'f', 2)
        .arg(cpu[cpu.size() / 2], 0, 'f', 2);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir tmp;
    const QString path = tmp.path() + QStringLiteral("/12");
    QDir().mkpath(path);
    Route route;
    buildRoute(route, path);
    const BoardCheck::Models models;

    const QList<RouteFinding> findings = BoardCheck::run(route, models);
    out << route.stationCount() << " stations, " << route.adTextFiles().size() << " ads, "
        << findings.size() << " findings\n";
    for (const RouteFinding &f : findings)
        out << "    " << RouteFinding::severityName(f.severity) << ": " << f.text() << '\n';
    out << "  whole check             " << median([&] { BoardCheck::run(route, models); }) << '\n';
    out << "  files, texts, positions " << median([&] { RouteCheck::run(route); }) << '\n';
    out << "  with characters         "
        << median([&] { RouteCheck::run(route, &BoardCheck::canShow); }) << '\n';
    out << "  board widths            " << median([&] { BoardCheck::widthFindings(route, models); })
        << '\n';
    return 0;
}
