#include "mapview.h"

#include "route.h"
#include "webmercator.h"

#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <QtMath>

#include <cmath>
#include <limits>

namespace {

const QColor forwardColor(0x1f, 0x6f, 0xd1);
const QColor backColor(0xd9, 0x6a, 0x12);
const QColor findingColor(0xd0, 0x02, 0x1b);
const QColor currentColor(0xff, 0xd4, 0x00);
const QColor paperColor(0xf4, 0xf2, 0xec);
const QColor gridColor(0xdd, 0xda, 0xd0);

constexpr double pointRadius = 4.0;
constexpr double reach = 8.0; // pixels within which a press takes a stop
constexpr int labelCellWidth = 48;
constexpr int labelCellHeight = 14;

bool finite(const QPointF &p)
{
    return std::isfinite(p.x());
}

// The names of the stops as the side board shows them.
QString labelOf(const Route &route, int i)
{
    const Station *s = route.station(i);
    const QString side = s->sideName(0).trimmed();
    return side.isEmpty() ? route.sideNameFromText(0, s->name(0)).trimmed() : side;
}

// 1, 2 or 5 times a power of ten, the largest not above `meters`.
double roundLength(double meters)
{
    const double power = std::pow(10.0, std::floor(std::log10(meters)));
    for (const double step : {5.0, 2.0})
        if (power * step <= meters)
            return power * step;
    return power;
}

QString lengthText(double meters)
{
    return meters >= 1000 ? QStringLiteral("%1 км").arg(meters / 1000)
                          : QStringLiteral("%1 м").arg(meters);
}

// Which cells of a coarse grid labels cover, so that crowded labels leave each other out.
class LabelCells
{
public:
    explicit LabelCells(const QSize &size)
        : m_columns(size.width() / labelCellWidth + 1), m_rows(size.height() / labelCellHeight + 1),
          m_taken(m_columns * m_rows, false)
    {
    }
    // Takes the cells of the rectangle when all are free.
    bool take(const QRectF &r)
    {
        const int left = qMax(0, int(r.left()) / labelCellWidth);
        const int right = qMin(m_columns - 1, int(r.right()) / labelCellWidth);
        const int top = qMax(0, int(r.top()) / labelCellHeight);
        const int bottom = qMin(m_rows - 1, int(r.bottom()) / labelCellHeight);
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x)
                if (m_taken.at(y * m_columns + x))
                    return false;
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x)
                m_taken[y * m_columns + x] = true;
        return true;
    }

private:
    int m_columns;
    int m_rows;
    QVector<bool> m_taken;
};

} // namespace

MapView::MapView(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
    setMinimumSize(200, 150);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_tiles = new TileCache(this);
    connect(m_tiles, &TileCache::arrived, this, QOverload<>::of(&QWidget::update));
}

void MapView::setRoute(const Route *route)
{
    m_route = route;
    m_current = -1;
    m_drag = NoDrag;
    routeChanged();
    showWholeRoute();
    m_fitPending = true;
}

void MapView::routeChanged()
{
    const int n = m_route ? m_route->stationCount() : 0;
    m_points.resize(n);
    m_radii.resize(n);
    m_labels.resize(n);
    m_labelWidths.resize(n);
    const QFontMetrics metrics(font());
    const double nowhere = std::numeric_limits<double>::quiet_NaN();
    for (int i = 0; i < n; ++i) {
        const Station *s = m_route->station(i);
        const QGeoCoordinate &c = s->coordinate();
        m_points[i] = c.isValid() ? WebMercator::project(c) : QPointF(nowhere, nowhere);
        m_radii[i] = c.isValid() ? s->radius() / WebMercator::metersPerUnit(c.latitude()) : 0.0;
        QString label = labelOf(*m_route, i);
        if (label != m_labels.at(i)) {
            m_labelWidths[i] = metrics.horizontalAdvance(label);
            m_labels[i] = std::move(label);
        }
    }
    m_findings = m_route ? StopSpacing::run(*m_route) : QVector<StopSpacing::Finding>();
    if (m_drag == StopDrag && m_dragStation >= n)
        m_drag = NoDrag;
    update();
}

void MapView::setCurrentStation(int station)
{
    if (station == m_current)
        return;
    m_current = station;
    update();
}

void MapView::centerOnStation(int station)
{
    if (!placed(station))
        return;
    m_fitPending = false;
    m_view.setCenter(m_points.at(station));
    update();
}

void MapView::showWholeRoute()
{
    m_view = wholeRoute(size());
    update();
}

std::optional<QRectF> MapView::routeArea() const
{
    std::optional<QRectF> area;
    for (int i = 0; i < m_points.size(); ++i) {
        if (!placed(i))
            continue;
        const QPointF &p = m_points.at(i);
        if (!area) {
            area = QRectF(p, p);
            continue;
        }
        area->setLeft(qMin(area->left(), p.x()));
        area->setRight(qMax(area->right(), p.x()));
        area->setTop(qMin(area->top(), p.y()));
        area->setBottom(qMax(area->bottom(), p.y()));
    }
    return area;
}

MapViewport MapView::wholeRoute(const QSize &size) const
{
    MapViewport view;
    view.setSize(size);
    if (const std::optional<QRectF> area = routeArea()) {
        const double latitude = WebMercator::unproject(area->center()).latitude();
        view.fit(*area, fitMargin, WebMercator::metersPerUnit(latitude) / 2.0);
    }
    return view;
}

void MapView::setTileFolder(const QString &folder)
{
    m_tileFolder = folder;
    m_tiles->clear();
    update();
}

bool MapView::placed(int station) const
{
    return station >= 0 && station < m_points.size() && finite(m_points.at(station));
}

bool MapView::isBack(int station) const
{
    return m_route && m_route->hasBackDirection() && station >= m_route->backStationIndex();
}

bool MapView::stationPoint(int station, QPointF *screen) const
{
    if (!placed(station))
        return false;
    *screen = m_view.toScreen(m_points.at(station));
    return true;
}

int MapView::stationAt(const QPointF &screen) const
{
    // The current stop is drawn on top, so it wins a tie.
    if (placed(m_current) &&
        QLineF(m_view.toScreen(m_points.at(m_current)), screen).length() <= reach)
        return m_current;
    int best = -1;
    double bestDistance = reach;
    for (int i = 0; i < m_points.size(); ++i) {
        if (!placed(i))
            continue;
        const double d = QLineF(m_view.toScreen(m_points.at(i)), screen).length();
        if (d <= bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

// --- Drawing ----------------------------------------------------------------------

void MapView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawMap(painter, m_view, false);
}

void MapView::drawMap(QPainter &painter, const MapViewport &view, bool complete) const
{
    painter.save();
    drawBackground(painter, view, complete);
    painter.setRenderHint(QPainter::Antialiasing);
    drawLines(painter, view);
    drawFindings(painter, view);
    drawStops(painter, view);
    drawScaleBar(painter, view);
    painter.restore();
}

void MapView::drawMark(QPainter &painter, const QPointF &centre, double radius, Mark kind) const
{
    auto draw = [kind](QPainter &p, const QPointF &c, double r) {
        if (kind == OverlapMark) {
            p.setPen(QPen(findingColor, 2));
            p.drawLine(c + QPointF(-r, -r), c + QPointF(r, r));
            p.drawLine(c + QPointF(-r, r), c + QPointF(r, -r));
            return;
        }
        const bool point = kind == ForwardPoint || kind == BackPoint;
        const QColor ink = kind == BackCircle || kind == BackPoint ? backColor : forwardColor;
        QColor fill = point ? QColor(Qt::white) : ink;
        if (!point)
            fill.setAlpha(40);
        p.setPen(QPen(point ? ink.darker(150) : ink, 1));
        p.setBrush(fill);
        p.drawEllipse(c, r, r);
    };
    // Vector output gets true shapes; pixels get a stamp drawn once per kind and size, many
    // times faster than rasterising thousands of antialiased shapes.
    const int r = qRound(radius);
    if (painter.paintEngine()->type() != QPaintEngine::Raster || r > 256) {
        draw(painter, centre, radius);
        return;
    }
    QImage &stamp = m_stamps[(quint64(kind) << 32) | quint64(r)];
    const double half = r + 1.5;
    if (stamp.isNull()) {
        stamp = QImage(2 * r + 3, 2 * r + 3, QImage::Format_ARGB32_Premultiplied);
        stamp.fill(Qt::transparent);
        QPainter p(&stamp);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p, QPointF(half, half), r);
    }
    painter.drawImage(QPoint(qRound(centre.x() - half), qRound(centre.y() - half)), stamp);
}

void MapView::drawBackground(QPainter &painter, const MapViewport &view, bool complete) const
{
    const QRectF screen(QPointF(0, 0), view.size());
    painter.fillRect(screen, paperColor);
    const int z = TileAddress::zoomFor(view.scale());
    const QVector<TileAddress> tiles = TileAddress::covering(view.visibleArea(), z);
    if (!m_tileFolder.isEmpty()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        for (const TileAddress &t : tiles) {
            const QString path = t.path(m_tileFolder);
            const QImage *image = complete ? m_tiles->get(path) : m_tiles->find(path);
            if (image && !image->isNull()) {
                const QRectF area = t.area();
                painter.drawImage(
                    QRectF(view.toScreen(area.topLeft()), view.toScreen(area.bottomRight())),
                    *image);
            }
        }
        return;
    }
    // The plain grid follows the tile edges of the zoom shown.
    painter.setPen(QPen(gridColor, 1));
    for (const TileAddress &t : tiles) {
        const QPointF corner = view.toScreen(t.area().topLeft());
        painter.drawLine(QPointF(corner.x(), 0), QPointF(corner.x(), screen.height()));
        painter.drawLine(QPointF(0, corner.y()), QPointF(screen.width(), corner.y()));
    }
}

void MapView::drawLines(QPainter &painter, const MapViewport &view) const
{
    QPolygonF lines[2];
    for (int i = 0; i < m_points.size(); ++i) {
        if (placed(i))
            lines[isBack(i)] << view.toScreen(m_points.at(i));
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(forwardColor, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(lines[0]);
    painter.setPen(QPen(backColor, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(lines[1]);
}

void MapView::drawFindings(QPainter &painter, const MapViewport &view) const
{
    const QRectF screen = QRectF(QPointF(0, 0), view.size()).adjusted(-20, -20, 20, 20);
    painter.setBrush(Qt::NoBrush);
    for (const StopSpacing::Finding &f : m_findings) {
        const int i = f.station;
        if (!placed(i) || (f.kind != StopSpacing::Stray && !placed(i - 1)))
            continue;
        const QPointF p = view.toScreen(m_points.at(i));
        switch (f.kind) {
        case StopSpacing::FarApart:
            painter.setPen(QPen(findingColor, 3, Qt::DashLine));
            painter.drawLine(view.toScreen(m_points.at(i - 1)), p);
            break;
        case StopSpacing::Stray:
        case StopSpacing::SamePlace:
            if (screen.contains(p)) {
                painter.setPen(QPen(findingColor, 2.5));
                painter.drawEllipse(p, 9, 9);
            }
            break;
        case StopSpacing::CirclesOverlap: {
            // A mark where the two circles meet, halfway between the stops.
            const QPointF mid = (view.toScreen(m_points.at(i - 1)) + p) / 2;
            if (!screen.contains(mid))
                break;
            drawMark(painter, mid, 5, OverlapMark);
            break;
        }
        }
    }
}

void MapView::drawStops(QPainter &painter, const MapViewport &view) const
{
    const QRectF screen(QPointF(0, 0), view.size());
    // Trigger circles first, beneath the points and names.
    for (int i = 0; i < m_points.size(); ++i) {
        const double r = m_radii.at(i) * view.scale();
        if (!placed(i) || r < 1.0)
            continue;
        const QPointF p = view.toScreen(m_points.at(i));
        if (screen.adjusted(-r, -r, r, r).contains(p))
            drawMark(painter, p, r, isBack(i) ? BackCircle : ForwardCircle);
    }

    LabelCells cells(view.size());
    const QFontMetrics metrics(painter.font());
    auto drawStop = [&](int i, bool current) {
        const QPointF p = view.toScreen(m_points.at(i));
        if (!screen.adjusted(-pointRadius, -pointRadius, pointRadius, pointRadius).contains(p) &&
            !current)
            return;
        const QColor ink = isBack(i) ? backColor : forwardColor;
        if (current) {
            painter.setPen(QPen(Qt::black, 2));
            painter.setBrush(currentColor);
            painter.drawEllipse(p, pointRadius * 1.75, pointRadius * 1.75);
        } else {
            drawMark(painter, p, pointRadius, isBack(i) ? BackPoint : ForwardPoint);
        }
        QRectF box(p + QPointF(pointRadius + 3, -metrics.height() / 2.0),
                   QSizeF(m_labelWidths.at(i) + 4, metrics.height()));
        // A name that would leave the map goes to the left of its stop.
        if (box.right() > screen.right())
            box.moveRight(p.x() - pointRadius - 3);
        if (m_labels.at(i).isEmpty() || !(current || cells.take(box)))
            return;
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, current ? 235 : 190));
        painter.drawRect(box);
        painter.setPen(current ? Qt::black : ink.darker(170));
        painter.drawText(box, Qt::AlignCenter, m_labels.at(i));
    };
    for (int i = 0; i < m_points.size(); ++i) {
        if (placed(i) && i != m_current)
            drawStop(i, false);
    }
    if (placed(m_current)) {
        const double r = m_radii.at(m_current) * view.scale();
        const QPointF p = view.toScreen(m_points.at(m_current));
        painter.setPen(QPen(Qt::black, 1.5, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(p, r, r);
        drawStop(m_current, true);
    }
}

void MapView::drawScaleBar(QPainter &painter, const MapViewport &view) const
{
    const QPointF centre = view.toWorld(QPointF(view.size().width(), view.size().height()) / 2);
    const double latitude = WebMercator::unproject(centre).latitude();
    const double metersPerPixel = WebMercator::metersPerUnit(latitude) / view.scale();
    const double meters = roundLength(120 * metersPerPixel);
    const double length = meters / metersPerPixel;
    const QPointF start(12, view.size().height() - 14);
    const QString text = lengthText(meters);
    const QFontMetrics metrics(painter.font());
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 200));
    painter.drawRect(QRectF(start - QPointF(6, metrics.height() + 6),
                            QSizeF(length + 12, metrics.height() + 14)));
    painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(start, start + QPointF(length, 0));
    painter.drawLine(start, start - QPointF(0, 5));
    painter.drawLine(start + QPointF(length, 0), start + QPointF(length, -5));
    painter.drawText(QRectF(start - QPointF(0, metrics.height() + 3), QSizeF(length, 0))
                         .adjusted(0, 0, 0, metrics.height()),
                     Qt::AlignCenter, text);
}

// --- Interaction ------------------------------------------------------------------

QString MapView::toolTipAt(const QPointF &screen) const
{
    const int i = stationAt(screen);
    if (i < 0)
        return QString();
    QStringList lines{QStringLiteral("%1. %2").arg(i + 1).arg(m_labels.at(i))};
    for (const StopSpacing::Finding &f : m_findings) {
        if (f.station == i)
            lines << f.message;
    }
    return lines.join(QLatin1Char('\n'));
}

bool MapView::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const QString text = toolTipAt(help->pos());
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return QWidget::event(event);
}

void MapView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_view.setSize(size());
    if (m_fitPending && m_route)
        showWholeRoute();
}

void MapView::wheelEvent(QWheelEvent *event)
{
    m_fitPending = false;
    // One notch of the wheel zooms by the square root of two.
    m_view.zoomAbout(event->position(), std::pow(2.0, event->angleDelta().y() / 240.0));
    update();
    event->accept();
}

void MapView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_fitPending = false;
    m_pressPos = m_lastPos = event->localPos();
    m_moved = false;
    m_dragStation = stationAt(event->localPos());
    m_drag = m_dragStation >= 0 ? StopDrag : PanDrag;
    if (m_drag == StopDrag) {
        m_grabOffset = event->localPos() - m_view.toScreen(m_points.at(m_dragStation));
        emit stationClicked(m_dragStation);
    }
}

void MapView::mouseMoveEvent(QMouseEvent *event)
{
    if (m_drag == NoDrag)
        return;
    const QPointF pos = event->localPos();
    if (!m_moved && (pos - m_pressPos).manhattanLength() < QApplication::startDragDistance())
        return;
    m_moved = true;
    if (m_drag == PanDrag)
        m_view.panBy(pos - m_lastPos);
    else
        m_points[m_dragStation] = m_view.toWorld(pos - m_grabOffset);
    m_lastPos = pos;
    update();
}

void MapView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_drag == NoDrag)
        return;
    const bool moved = m_drag == StopDrag && m_moved;
    const int station = m_dragStation;
    const QPointF world = placed(station) ? m_points.at(station) : QPointF();
    m_drag = NoDrag;
    if (!moved)
        return;
    // The route decides where the stop stays: the drawn place goes back until it does.
    routeChanged();
    emit stationDragged(station, WebMercator::unproject(world));
}
