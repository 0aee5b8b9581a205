// Loading and saving a large route folder, against reading and writing its bytes raw.
#include "benchsupport.h"
#include "route.h"
#include "routefolder.h"
#include "textencoding.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstring>
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

double medianOf(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

// Paired rounds, A then B in each, so that both see the same machine; the medians of A, of B
// and of the per-round ratio A/B, with the spread of that ratio (lowest and highest quartile).
struct Pair
{
    double a;
    double b;
    double ratio;
    double low;
    double high;
};
Pair paired(const std::function<void()> &a, const std::function<void()> &b)
{
    QVector<double> as, bs, ratios;
    QElapsedTimer timer;
    for (int i = 0; i < repeats; ++i) {
        timer.start();
        a();
        as << timer.nsecsElapsed() / 1000.0;
        timer.start();
        b();
        bs << timer.nsecsElapsed() / 1000.0;
        ratios << as.last() / bs.last();
    }
    std::sort(ratios.begin(), ratios.end());
    return {medianOf(as), medianOf(bs), medianOf(ratios), ratios.at(repeats / 4),
            ratios.at(repeats * 3 / 4)};
}

// Reads every file whole and replaces it through QSaveFile, which syncs it; with `decode`, each
// line is also decoded into a text of its own on the way, without copying the line.
void rewriteWhole(const QStringList &files, bool decode)
{
    for (const QString &f : files) {
        QFile in(f);
        in.open(QIODevice::ReadOnly);
        const QByteArray bytes = in.readAll();
        QVector<QString> texts;
        const char *const end = bytes.constData() + bytes.size();
        for (const char *p = bytes.constData(); decode && p < end;) {
            const void *lf = std::memchr(p, '\n', size_t(end - p));
            const char *const lineEnd = lf ? static_cast<const char *>(lf) : end;
            texts << decodeBytes(p, int(lineEnd - p));
            p = lineEnd + 1;
        }
        QSaveFile file(f);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        file.commit();
    }
}

QString pairText(const Pair &pair)
{
    return QStringLiteral("%1 us, ratio to the yardstick %2 (quartiles %3..%4)")
        .arg(pair.a, 0, 'f', 0)
        .arg(pair.ratio, 0, 'f', 2)
        .arg(pair.low, 0, 'f', 2)
        .arg(pair.high, 0, 'f', 2);
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
    qint64 total = 0;
    for (const QString &f : files)
        total += QFileInfo(f).size();

    Route loaded(path);
    out << base << ": " << loaded.stationCount() << " stations, " << loaded.adTextFiles().size()
        << " ads, " << total << " bytes in six files\n";

    // The yardstick does what the route does minus the formats; the floor adds what any reader
    // of these files pays at least, one decoded text per line.
    const auto yardstick = [&] { rewriteWhole(files, false); };
    const Pair folder = paired(
        [&] {
            Route r(path);
            r.save();
        },
        yardstick);
    const Pair floor = paired([&] { rewriteWhole(files, true); }, yardstick);
    out << "  load+save " << pairText(folder) << "\n  floor " << pairText(floor)
        << QStringLiteral("\n  yardstick (readAll+QSaveFile) %1 us\n").arg(folder.b, 0, 'f', 0);

    // The formats alone, in memory: what the fuzz targets run.
    const Route::FileMap bytes = loaded.fileBytes();
    const double parse = median([&] {
        Route r;
        r.loadFiles(path, bytes);
    });
    const double format = median([&] { loaded.fileBytes(); });
    out << QStringLiteral("  parse %1 us   format %2 us (in memory, no file)\n")
               .arg(parse, 0, 'f', 0)
               .arg(format, 0, 'f', 0);

    // Where the time goes, file by file.
    for (const RouteFileFormat &f : routeFileFormats) {
        const double read = median([&] {
            if (f.file == RouteFile::Station) {
                Route r;
                r.setPath(path);
                readRouteFile(r, f.file);
            } else {
                readRouteFile(loaded, f.file);
            }
        });
        const double write = median([&] { writeRouteFile(loaded, f.file); });
        out << QStringLiteral("    %1 read %2 us, write %3 us\n")
                   .arg(QLatin1String(f.name), -12)
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
