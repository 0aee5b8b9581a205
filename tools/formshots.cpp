// Screenshots of every page and tab of the route form in the main window at
// its real size, opened on a copy of the example route:
// formshots [output folder] [width height] [example route folder]
#include "mainwindow.h"
#include "routeform.h"
#include "routemodel.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFont>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeView>

#include <cstdio>

namespace {

bool copyFolder(const QString &from, const QString &to)
{
    if (!QDir().mkpath(to))
        return false;
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        if (it.fileInfo().isDir() ? !QDir().mkpath(target) : !QFile::copy(source, target))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true); // the recent list stays the user's own
    // The offscreen platform's own default is 12 pt; a desktop session gives 9 pt.
    QApplication::setFont(QFont(QStringLiteral("Sans Serif"), 9));
    const QStringList args = app.arguments();
    const QString out = args.value(1, QStringLiteral("formshots"));
    const QSize size(args.value(2, QStringLiteral("800")).toInt(),
                     args.value(3, QStringLiteral("600")).toInt());
    const QString examples = args.value(4, QStringLiteral(TESSALY_EXAMPLES));

    // The example keeps its ad folder beside the route, so both are copied.
    QTemporaryDir scratch;
    if (!scratch.isValid() || !copyFolder(examples, scratch.path()) || !QDir().mkpath(out)) {
        std::fprintf(stderr, "formshots: cannot prepare %s\n", qPrintable(scratch.path()));
        return 1;
    }

    // The example has nothing ambiguous to ask about when it opens.
    MainWindow window;
    window.resize(size);
    window.openFolders({scratch.path() + QStringLiteral("/route12")});
    window.show();
    auto *found = window.findChild<RouteForm *>();
    if (!found) {
        std::fprintf(stderr, "formshots: the example route did not open\n");
        return 1;
    }
    RouteForm &form = *found;

    int saved = 0;
    auto shot = [&](const QString &name) {
        QApplication::processEvents();
        const QString file = out + QLatin1Char('/') + name + QStringLiteral(".png");
        if (window.grab().save(file))
            ++saved;
        else
            std::fprintf(stderr, "formshots: cannot write %s\n", qPrintable(file));
    };

    auto *list = form.findChild<QTreeView *>(QStringLiteral("stationList"));
    auto *routeTabs = form.findChild<QTabWidget *>(QStringLiteral("routeTabs"));
    auto *salonTabs = form.findChild<QTabWidget *>(QStringLiteral("salonOrderTabs"));
    auto *stationTabs = form.findChild<QTabWidget *>(QStringLiteral("stationTabs"));

    list->setCurrentIndex(form.stationModel()->routeIndex());
    for (int i = 0; i < routeTabs->count(); ++i) {
        routeTabs->setCurrentIndex(i);
        QWidget *page = routeTabs->widget(i);
        if (page->isAncestorOf(salonTabs)) {
            for (int j = 0; j < salonTabs->count(); ++j) {
                salonTabs->setCurrentIndex(j);
                shot(QStringLiteral("route-%1-%2")
                         .arg(page->objectName(), salonTabs->widget(j)->objectName()));
            }
        } else {
            shot(QStringLiteral("route-%1").arg(page->objectName()));
        }
    }

    list->setCurrentIndex(form.stationModel()->stationIndex(0));
    for (int i = 0; i < stationTabs->count(); ++i) {
        stationTabs->setCurrentIndex(i);
        shot(QStringLiteral("station-%1").arg(stationTabs->widget(i)->objectName()));
    }

    std::printf("formshots: %d pictures in %s\n", saved, qPrintable(QDir(out).absolutePath()));
    return saved == routeTabs->count() - 1 + salonTabs->count() + stationTabs->count() ? 0 : 1;
}
