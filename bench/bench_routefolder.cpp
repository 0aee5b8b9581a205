// Loading and saving a large route folder, against reading and writing its bytes raw.
#include "adscript.h"
#include "backfile.h"
#include "benchsupport.h"
#include "coordfile.h"
#include "route.h"
#include "scriptfile.h"
#include "sidefile.h"
#include "stationfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <functional>

namespace {

const int stationCount = 2000;
const int adCount = 200;
const int repeats = 15;

// Median of the run times in microseconds.
double median(const std::function<void()> &run)
{
    QVector<qint64> times;
    QElapsedTimer timer;
    for (int i = 0; i < repeats; ++i) {
        timer.start();
        run();
        times << timer.nsecsElapsed();
    }
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2) / 1000.0;
}

void measure(QTextStream &out, const QString &base)
{
    QTemporaryDir tmp(base + QStringLiteral("/bench-XXXXXX"));
    const QString path = tmp.path() + QStringLiteral("/12");
    QDir().mkpath(path + QStringLiteral("/Rek"));
    {
        Route route;
        benchsupport::buildLargeRoute(route, path, stationCount, adCount);
        route.save();
    }
    const QStringList files{path + "/ost.txt",    path + "/coord.txt",   path + "/sidetab.txt",
                            path + "/script.txt", path + "/backtab.txt", path + "/Rek/rscript.txt"};
    QVector<QByteArray> bytes;
    qint64 total = 0;
    for (const QString &f : files) {
        QFile file(f);
        file.open(QIODevice::ReadOnly);
        bytes << file.readAll();
        total += bytes.last().size();
    }

    Route loaded(path);
    const double load = median([&] { Route r(path); });
    const double save = median([&] { loaded.save(); });
    const double rawRead = median([&] {
        for (const QString &f : files) {
            QFile file(f);
            file.open(QIODevice::ReadOnly);
            file.readAll();
        }
    });
    const double rawWrite = median([&] {
        for (int i = 0; i < files.size(); ++i) {
            QFile file(files.at(i));
            file.open(QIODevice::WriteOnly | QIODevice::Truncate);
            file.write(bytes.at(i));
        }
    });
    const double rawSaveFile = median([&] {
        for (int i = 0; i < files.size(); ++i) {
            QSaveFile file(files.at(i));
            file.open(QIODevice::WriteOnly);
            file.write(bytes.at(i));
            file.commit();
        }
    });

    out << base << ": " << loaded.stationCount() << " stations, " << loaded.adTextFiles().size()
        << " ads, " << total << " bytes in six files\n";
    out << QStringLiteral("  load %1 us   raw QFile read %2 us   ratio %3\n")
               .arg(load, 0, 'f', 0)
               .arg(rawRead, 0, 'f', 0)
               .arg(load / rawRead, 0, 'f', 2);
    out << QStringLiteral(
               "  save %1 us   raw QFile write %2 us   ratio %3   raw QSaveFile write %4 "
               "us   ratio %5\n")
               .arg(save, 0, 'f', 0)
               .arg(rawWrite, 0, 'f', 0)
               .arg(save / rawWrite, 0, 'f', 2)
               .arg(rawSaveFile, 0, 'f', 0)
               .arg(save / rawSaveFile, 0, 'f', 2);
    out << QStringLiteral("  load+save %1 us   raw read+write %2 us   ratio %3\n")
               .arg(load + save, 0, 'f', 0)
               .arg(rawRead + rawWrite, 0, 'f', 0)
               .arg((load + save) / (rawRead + rawWrite), 0, 'f', 2);

    // Where the time goes, file by file.
    struct Step
    {
        const char *name;
        bool (*read)(Route &);
        bool (*write)(const Route &);
    };
    const Step steps[] = {
        {"ost.txt", readStationFile, writeStationFile},
        {"coord.txt", readCoordFile, writeCoordFile},
        {"sidetab.txt", readSideFile, writeSideFile},
        {"script.txt", readScriptFile, writeScriptFile},
        {"backtab.txt", readBackFile, writeBackFile},
        {"rscript.txt", readAdScript, writeAdScript},
    };
    for (const Step &step : steps) {
        const double read = median([&] {
            if (step.read == readStationFile) {
                Route r;
                r.setPath(path);
                step.read(r);
            } else {
                step.read(loaded);
            }
        });
        const double write = median([&] { step.write(loaded); });
        out << QStringLiteral("    %1 read %2 us, write %3 us\n")
                   .arg(QLatin1String(step.name), -12)
                   .arg(read, 0, 'f', 0)
                   .arg(write, 0, 'f', 0);
    }
    out.flush();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    measure(out, QDir::tempPath());
    if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
        measure(out, QStringLiteral("/dev/shm"));
    return 0;
}
