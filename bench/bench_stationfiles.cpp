// Reading and writing ost.txt and coord.txt of a large route, against plain file I/O of the
// same bytes. Prints the median of several runs of each step.
#include "benchsupport.h"
#include "coordfile.h"
#include "route.h"
#include "routefilewriter.h"
#include "stationfile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

const int stationCount = 2000;
const int runs = 21;

void fillRoute(Route &route)
{
    route.setFrontNumber(QStringLiteral("125К"));
    route.setFrontStartingPoint(0, QStringLiteral("Железнодорожный вокзал"));
    route.setFrontDestination(0, QStringLiteral("Микрорайон Северный"));
    route.setFrontStartingPoint(1, QStringLiteral("Railway station"));
    route.setFrontDestination(1, QStringLiteral("Severny district"));
    route.setFrontMode(ModeStatic | ModeCenter);
    for (int i = 0; i < stationCount; ++i) {
        auto *s = new Station;
        s->setName(0, QStringLiteral("Остановка Улица Комсомольская, дом %1.").arg(i));
        s->setNextName(0, QStringLiteral("Следующая остановка Площадь Победы %1.").arg(i + 1));
        s->setName(1, QStringLiteral("Stop Komsomolskaya street, %1.").arg(i));
        s->setNextName(1, QStringLiteral("Next stop Victory square %1.").arg(i + 1));
        s->setSoundFiles({QStringLiteral("%1 ru.wav").arg(i)});
        s->setTextFiles({QStringLiteral("%1.txt").arg(i)});
        s->setCoordinate(QGeoCoordinate(55.75 + i * 1e-4, 37.61 - i * 1e-4));
        s->setRadius(quint8(20 + i % 50));
        route.insertStation(route.stationCount(), s);
    }
    route.setBackStationIndex(stationCount / 2);
}

QByteArray readRaw(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void readRawLines(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    while (!file.atEnd())
        file.readLine();
}

void writeRaw(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(bytes);
}

void saveRaw(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    file.commit();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QString base = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    QTemporaryDir dir(base.isEmpty() ? QDir::tempPath() + "/bench-XXXXXX" : base + "/bench-XXXXXX");

    Route route;
    route.setPath(dir.path());
    fillRoute(route);
    writeStationFile(route);
    writeCoordFile(route);
    const QString ost = dir.filePath(QStringLiteral("ost.txt"));
    const QString coord = dir.filePath(QStringLiteral("coord.txt"));
    const QByteArray ostBytes = readRaw(ost);
    const QByteArray coordBytes = readRaw(coord);
    const QString rawOst = dir.filePath(QStringLiteral("raw-ost.txt"));
    const QString rawCoord = dir.filePath(QStringLiteral("raw-coord.txt"));

    out << "Route of " << stationCount << " stations, two languages, two files each; folder "
        << dir.path() << "\n"
        << "ost.txt " << ostBytes.size() << " bytes, coord.txt " << coordBytes.size()
        << " bytes; median of " << runs << " runs, ms\n";

    const benchsupport::Timing readFiles = benchsupport::median(runs, [&] {
        Route r;
        r.setPath(dir.path());
        readStationFile(r);
        readCoordFile(r);
    });
    const benchsupport::Timing readPlain = benchsupport::median(runs, [&] {
        readRaw(ost);
        readRaw(coord);
    });
    const benchsupport::Timing readLines = benchsupport::median(runs, [&] {
        readRawLines(ost);
        readRawLines(coord);
    });
    const benchsupport::Timing format = benchsupport::median(runs, [&] {
        stationFileBytes(route);
        coordFileBytes(route);
    });
    const benchsupport::Timing writeFiles = benchsupport::median(runs, [&] {
        writeStationFile(route);
        writeCoordFile(route);
    });
    const benchsupport::Timing savePlain = benchsupport::median(runs, [&] {
        saveRaw(rawOst, ostBytes);
        saveRaw(rawCoord, coordBytes);
    });
    const benchsupport::Timing writePlain = benchsupport::median(runs, [&] {
        writeRaw(rawOst, ostBytes);
        writeRaw(rawCoord, coordBytes);
    });

    out.setRealNumberNotation(QTextStream::FixedNotation);
    out.setRealNumberPrecision(3);
    auto row = [&](const char *what, const benchsupport::Timing &t) {
        out << qSetFieldWidth(52) << Qt::left << what << qSetFieldWidth(0) << "wall " << t.wall
            << "  cpu " << t.cpu << "\n";
    };
    row("read both files (readStationFile, readCoordFile)", readFiles);
    row("  the same bytes, QFile::readAll", readPlain);
    row("  the same bytes, QFile::readLine line by line", readLines);
    out << "  ratios of the readers: x" << readFiles.cpu / readPlain.cpu << " readAll, x"
        << readFiles.cpu / readLines.cpu << " readLine (cpu)\n";
    row("format both files in memory", format);
    row("write both files (QSaveFile, as a save does)", writeFiles);
    row("  the same bytes, QSaveFile", savePlain);
    row("  the same bytes, QFile", writePlain);
    out << "  ratios of the writers: x" << writeFiles.wall / savePlain.wall << " QSaveFile, x"
        << writeFiles.wall / writePlain.wall << " QFile (wall)\n";
    return 0;
}
