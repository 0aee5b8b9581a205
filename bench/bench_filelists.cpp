// Rescanning a large route folder for the announcement file lists: the sorted scan against the
// bare directory walk, and refilling the folder lists of one pair.
#include "filelistpair.h"
#include "filelistrules.h"

#include <QApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUndoStack>
#include <algorithm>
#include <functional>

namespace {

const int filesPerKind = 2000;
const int repeats = 15;

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

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    for (int i = 0; i < filesPerKind; ++i) {
        for (const char *pattern : {"Остановка %1.wav", "s%1.txt", "x%1.ogg"}) {
            QFile f(dir.filePath(QString::fromUtf8(pattern).arg(i)));
            f.open(QIODevice::WriteOnly);
        }
    }

    const double walk = median([&] {
        QStringList names;
        QDirIterator it(dir.path(), QDir::Files);
        while (it.hasNext()) {
            it.next();
            names << it.fileName();
        }
    });
    RouteFolderFiles files;
    const double scan = median([&] { files = scanRouteFolder(dir.path()); });

    QListWidget assigned;
    QListWidget folder;
    QPushButton add, up, down, remove;
    QUndoStack stack;
    FileListPair pair({&assigned, &folder, &add, &up, &down, &remove},
                      {nullptr, nullptr, nullptr, nullptr, [](const QString &) {}}, &stack,
                      nullptr);
    pair.setFolderFiles(files.texts);
    folder.setCurrentRow(filesPerKind / 2);
    const double refill = median([&] { pair.setFolderFiles(files.texts); });

    out << 3 * filesPerKind << " files, " << files.sounds.size() << " sounds, "
        << files.texts.size() << " texts\n";
    out << QStringLiteral("  scan %1 us   bare directory walk %2 us   ratio %3\n")
               .arg(scan, 0, 'f', 0)
               .arg(walk, 0, 'f', 0)
               .arg(scan / walk, 0, 'f', 2);
    out << QStringLiteral("  refill %1 texts keeping the current one: %2 us\n")
               .arg(files.texts.size())
               .arg(refill, 0, 'f', 0);
    return 0;
}
