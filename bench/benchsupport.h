// Shared pieces of the benchmark programs: timing and the large route they measure.
#pragma once

#include "route.h"

#include <QElapsedTimer>
#include <QGeoCoordinate>
#include <QStringList>

#include <algorithm>
#include <ctime>
#include <functional>
#include <vector>

namespace benchsupport {

inline double cpuNow()
{
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Median wall-clock and process CPU time of one step, in ms: the machine may be shared, so
// CPU time is the steadier figure.
struct Timing
{
    double wall;
    double cpu;
};

inline Timing median(int runs, const std::function<void()> &step)
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
    return {wall[wall.size() / 2], cpu[cpu.size() / 2]};
}

// "1.23 ms wall, 0.98 ms CPU": the medians of `runs` steps.
inline QString medianText(int runs, const std::function<void()> &step)
{
    const Timing t = median(runs, step);
    return QStringLiteral("%1 ms wall, %2 ms CPU").arg(t.wall, 0, 'f', 2).arg(t.cpu, 0, 'f', 2);
}

// A new route at path with the given numbers of stations (two languages, three files each,
// a position each, the back direction from the middle) and ad files.
inline void buildLargeRoute(Route &route, const QString &path, int stationCount, int adCount)
{
    route.newRoute(path);
    while (route.stationCount() > 0)
        route.removeStation(0);
    route.setFrontStartingPoint(1, QStringLiteral("Central Square"));
    route.setFrontDestination(1, QStringLiteral("North Depot"));
    route.setSideStartingPoint(1, QStringLiteral("Central Square"));
    route.setStationWord(1, QStringLiteral("Stop"));
    route.setNextWord(1, QStringLiteral("Next stop"));
    route.setRouteText(1, QStringLiteral("Route %n."));
    for (int i = 0; i < stationCount; ++i) {
        auto *s = new Station;
        const QString n = QString::number(i + 1);
        s->setName(0, QStringLiteral("Остановка Улица Строителей, дом ") + n + '.');
        s->setNextName(0, QStringLiteral("Следующая остановка Улица Строителей, дом ") + n + '.');
        s->setName(1, QStringLiteral("Stop Builders Street, house ") + n + '.');
        s->setNextName(1, QStringLiteral("Next stop Builders Street, house ") + n + '.');
        s->setSideName(0, QStringLiteral("Улица Строителей ") + n);
        s->setSideName(1, QStringLiteral("Builders Street ") + n);
        s->setSoundFiles({n + QStringLiteral(".wav"), QStringLiteral("en ") + n + ".mp3"});
        s->setTextFiles({n + QStringLiteral(".txt")});
        s->setCoordinate(QGeoCoordinate(55.0 + i * 1e-4, 37.0 + i * 1e-4));
        s->setRadius(quint8(20 + i % 50));
        route.insertStation(route.stationCount(), s);
    }
    route.setBackStationIndex(stationCount / 2);
    QStringList ads;
    for (int i = 0; i < adCount; ++i)
        ads << QStringLiteral("реклама ") + QString::number(i) + QStringLiteral(".txt");
    route.setAdTextFiles(ads);
}

} // namespace benchsupport
