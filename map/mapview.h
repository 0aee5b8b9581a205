// The stops of a route on a map: points named as on the side board, the two directions as
// lines, trigger circles to scale and the spacing findings. Wheel zooms about the cursor,
// dragging the background pans, a click picks a stop and dragging a stop moves it; the route
// itself is only read, changes go out as signals.
#pragma once

#include "mapviewport.h"
#include "stopspacing.h"
#include "tileaddress.h"
#include "tilecache.h"

#include <QGeoCoordinate>
#include <QHash>
#include <QImage>
#include <QVector>
#include <QWidget>

#include <optional>

class Route;

class MapView : public QWidget
{
    Q_OBJECT

public:
    // Pixels kept free around the whole route.
    static constexpr int fitMargin = 40;

    explicit MapView(QWidget *parent = nullptr);

    // Call routeChanged() after every change of the route shown.
    void setRoute(const Route *route);
    void routeChanged();
    void setCurrentStation(int station);
    int currentStation() const { return m_current; }
    void centerOnStation(int station);
    void showWholeRoute();
    // A folder of z/x/y.png tiles drawn beneath; empty for the plain grid.
    void setTileFolder(const QString &folder);
    QString tileFolder() const { return m_tileFolder; }

    MapViewport &viewport() { return m_view; }
    const QVector<StopSpacing::Finding> &findings() const { return m_findings; }
    // Where the stop is drawn; false without a coordinate.
    bool stationPoint(int station, QPointF *screen) const;
    // The stop drawn nearest to a point, within reach of the mouse; -1 for none.
    int stationAt(const QPointF &screen) const;
    // The stops' extent on the projection square; none without a placed stop.
    std::optional<QRectF> routeArea() const;
    // The whole route shown in a map of this size.
    MapViewport wholeRoute(const QSize &size) const;
    // Draws the map as the widget does, with another viewport (exports, benchmarks).
    // `complete`: tiles not read yet are read at once instead of when they arrive.
    void drawMap(QPainter &painter, const MapViewport &view, bool complete = true) const;

signals:
    void stationClicked(int station);
    // A drag of a stop ended at this coordinate, not yet rounded.
    void stationDragged(int station, const QGeoCoordinate &coordinate);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    enum Drag
    {
        NoDrag,
        PanDrag,
        StopDrag
    };

    // The shapes drawn thousands of times.
    enum Mark
    {
        ForwardCircle,
        BackCircle,
        ForwardPoint,
        BackPoint,
        OverlapMark
    };

    bool placed(int station) const;
    bool isBack(int station) const;
    void drawBackground(QPainter &painter, const MapViewport &view, bool complete) const;
    void drawLines(QPainter &painter, const MapViewport &view) const;
    void drawFindings(QPainter &painter, const MapViewport &view) const;
    void drawStops(QPainter &painter, const MapViewport &view) const;
    void drawScaleBar(QPainter &painter, const MapViewport &view) const;
    void drawMark(QPainter &painter, const QPointF &centre, double radius, Mark kind) const;
    QString toolTipAt(const QPointF &screen) const;

    const Route *m_route = nullptr;
    // Per stop: place on the projection square (NaN without a coordinate), trigger radius
    // in units of the square, label and its width.
    QVector<QPointF> m_points;
    QVector<double> m_radii;
    QVector<QString> m_labels;
    QVector<int> m_labelWidths;
    QVector<StopSpacing::Finding> m_findings;
    int m_current = -1;
    MapViewport m_view;
    bool m_fitPending = true;
    QString m_tileFolder;
    TileCache *m_tiles = nullptr;
    mutable QHash<quint64, QImage> m_stamps; // marks drawn once per kind and pixel radius

    Drag m_drag = NoDrag;
    bool m_moved = false;
    int m_dragStation = -1;
    QPointF m_pressPos;
    QPointF m_lastPos;
    QPointF m_grabOffset;
};
