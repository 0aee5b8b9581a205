// The map of the 2,000-stop route: a full repaint of the whole route and of a closer view,
// one step of dragging a stop, and the end of a drag (the undo step and the map's refresh).
#include "benchsupport.h"
#include "bigroute.h"
#include "mappanel.h"
#include "mapview.h"
#include "routeform.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUndoStack>

namespace {

const int runs = 31;

QString median(const std::function<void()> &step)
{
    return benchsupport::medianText(runs, step);
}

void send(QWidget *w, QEvent::Type type, const QPointF &at)
{
    QMouseEvent event(type, at, w->mapToGlobal(at.toPoint()), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir tmp;
    const QString path = tmp.path() + QStringLiteral("/big");
    if (!bigroute::write(path))
        return 1;
    RouteForm form;
    form.setNextStopAsker([](bool yes) { return yes; });
    form.openRoute(path);
    MapPanel panel;
    panel.resize(1280, 1024);
    panel.setForm(&form);
    panel.show();
    app.processEvents();
    MapView *view = panel.view();
    QImage frame(view->size(), QImage::Format_ARGB32_Premultiplied);
    auto repaint = [&] {
        QPainter painter(&frame);
        view->drawMap(painter, view->viewport());
    };

    out << form.route().stationCount() << " stops, " << view->findings().size() << " findings, map "
        << view->width() << "x" << view->height() << '\n';
    out << "  full repaint, whole route   " << median(repaint) << '\n';
    const MapViewport whole = view->viewport();
    view->viewport().zoomAbout(QPointF(view->width(), view->height()) / 2, 8);
    out << "  full repaint, 8 times closer " << median(repaint) << '\n';
    view->viewport() = whole;

    // One drag step: the mouse moves the stop by a pixel, the map is drawn again.
    const int stop = 1000;
    QPointF at;
    view->stationPoint(stop, &at);
    send(view, QEvent::MouseButtonPress, at);
    int step = 0;
    out << "  drag step (move, repaint)    " << median([&] {
        ++step;
        send(view, QEvent::MouseMove, at + QPointF(5 + step, step % 7));
        repaint();
    }) << '\n';
    send(view, QEvent::MouseButtonRelease, at + QPointF(5 + step, 0));
    out << "  drag ended: " << form.undoStack()->count() << " undo step\n";
    // The move undone and done again: the map and its lists follow the stack as after a drag.
    QUndoStack *stack = form.undoStack();
    out << "  undo/redo of the move        " << median([&] {
        if (stack->canUndo())
            stack->undo();
        else
            stack->redo();
    }) << '\n';
    return 0;
}
