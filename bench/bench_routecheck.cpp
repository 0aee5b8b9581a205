// The route check of a large route whose files are all present: the whole check, and
// its parts (files and texts without the fonts, characters, board widths).
#include "benchsupport.h"
#include "boardcheck.h"
#include "route.h"
#include "routecheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <functional>

namespace {

const int stationCount = 2000;
const int adCount = 200;
const int runs = 21;

void touch(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
}

// The shared large route, with every file it names on disk.
void buildRoute(Route &route, const QString &path)
{
    benchsupport::buildLargeRoute(route, path, stationCount, adCount);
    route.setSalonTempText(1, QStringLiteral("Inside %t"));
    route.setOutsideTempText(1, QStringLiteral("Outside %t"));
    route.setSideStartingPoint(1, QString());
    route.setSideMode(ModeStationScroll);
    for (const Station *s : route.stations()) {
        for (const QStringList *files : {&s->soundFiles(), &s->textFiles()})
            for (const QString &file : *files)
                touch(path + '/' + file);
    }
    QDir().mkpath(route.adPath());
    for (const QString &ad : route.adTextFiles())
        touch(route.adPath() + '/' + ad);
}

QString median(const std::function<void()> &step)
{
    return benchsupport::medianText(runs, step);
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
