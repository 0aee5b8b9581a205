// Station edits on a route of 2,000 stations, each pushed, undone and redone through the
// route form: renaming a stop, changing the next word (every automatic next-stop text is
// rewritten) and switching the layout both ways. Prints medians and the memory the layout
// switch keeps.
#include "benchsupport.h"
#include "routeform.h"
#include "routemodel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUndoStack>

namespace {

const int stationCount = 2000;
const int runs = 7;

// Resident memory of the process in KiB.
long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return 0;
}

void writeRoute(const QString &path)
{
    Route route;
    route.newRoute(path);
    while (route.stationCount() > 0)
        route.removeStation(0);
    for (int i = 0; i < stationCount; ++i) {
        auto *s = new Station;
        s->setName(0, QStringLiteral("Остановка Улица Комсомольская, дом %1.").arg(i));
        s->setName(1, QStringLiteral("Stop Komsomolskaya street, %1.").arg(i));
        s->setSoundFiles({QStringLiteral("%1.wav").arg(i)});
        s->setTextFiles({QStringLiteral("%1.txt").arg(i)});
        route.insertStation(i, s);
    }
    route.setBackStationIndex(stationCount / 2);
    route.setStationWord(1, QStringLiteral("Stop"));
    route.setNextWord(1, QStringLiteral("Next stop"));
    for (int i = 0; i + 1 < stationCount; ++i) {
        if (i + 1 == stationCount / 2)
            continue;
        for (int l = 0; l < 2; ++l)
            route.station(i)->setNextName(
                l, route.nextTextFromStationText(l, route.station(i + 1)->name(l)));
    }
    QDir().mkpath(route.adPath());
    route.save();
}

void finishEdit(RouteForm &form, const char *field, const QString &text)
{
    auto *edit = form.findChild<QLineEdit *>(QLatin1String(field));
    edit->setText(text);
    emit edit->editingFinished();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    QTextStream out(stdout);
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/big");
    writeRoute(path);

    RouteForm form;
    form.setNextStopAsker([](bool defaultYes) { return defaultYes; });
    form.openRoute(path);
    QUndoStack *stack = form.undoStack();
    auto *list = form.findChild<QAbstractItemView *>(QStringLiteral("stationList"));
    auto *separate = form.findChild<QCheckBox *>(QStringLiteral("nextSeparateCheck"));

    out << "Route of " << form.route().stationCount() << " stations in two directions, two "
        << "languages; median of " << runs << " runs of push + undo + redo, ms\n";
    out.setRealNumberNotation(QTextStream::FixedNotation);
    out.setRealNumberPrecision(2);
    auto row = [&](const char *what, const benchsupport::Timing &t) {
        out << qSetFieldWidth(44) << Qt::left << what << qSetFieldWidth(0) << "wall " << t.wall
            << "  cpu " << t.cpu << "\n";
        out.flush();
    };
    auto pushUndoRedo = [&](const std::function<void()> &push) {
        push();
        stack->undo();
        stack->redo();
    };

    list->setCurrentIndex(form.stationModel()->stationIndex(stationCount / 4));
    int round = 0;
    row("rename one stop", benchsupport::median(runs, [&] {
            pushUndoRedo([&] {
                finishEdit(form, "stationNameEdit",
                           QStringLiteral("Остановка Новая %1.").arg(++round));
            });
        }));

    list->setCurrentIndex(form.stationModel()->routeIndex());
    row("change the next word", benchsupport::median(runs, [&] {
            const QString word =
                ++round % 2 ? QStringLiteral("Далее") : QStringLiteral("Следующая остановка");
            pushUndoRedo([&] { finishEdit(form, "nextWordEdit", word); });
        }));

    // Each switch is put back, untimed, before the next run.
    long kept = 0;
    for (bool toSeparate : {true, false}) {
        row(toSeparate ? "switch to the separate layout" : "switch to the combined layout",
            benchsupport::median(runs, [&] {
                const long before = residentKiB();
                pushUndoRedo([&] { separate->click(); });
                kept = qMax(kept, residentKiB() - before);
                stack->undo();
            }));
        if (toSeparate)
            separate->click();
    }
    out << "resident memory added by one layout switch (largest run): " << kept << " KiB; "
        << "stations now " << form.route().stationCount() << ", undo steps " << stack->count()
        << "\n";
    return 0;
}
