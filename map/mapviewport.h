// Which part of the projection square a map of a given size shows: centre and scale, and
// the conversions between screen pixels and the square.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSize>

class MapViewport
{
public:
    // From the whole world in one tile to a few centimetres per pixel.
    static constexpr double minScale = 256.0;
    static constexpr double maxScale = 256.0 * (1 << 22);

    void setSize(const QSize &size) { m_size = size; }
    QSize size() const { return m_size; }
    QPointF center() const { return m_center; }
    void setCenter(const QPointF &world) { m_center = world; }
    // Pixels per unit of the square.
    double scale() const { return m_scale; }
    void setScale(double scale);

    QPointF toScreen(const QPointF &world) const;
    QPointF toWorld(const QPointF &screen) const;
    QRectF visibleArea() const;

    // The point under `screen` stays where it is.
    void zoomAbout(const QPointF &screen, double factor);
    void panBy(const QPointF &screenDelta);
    // Shows the whole area with `margin` pixels around it; a point alone gets `pointScale`.
    void fit(const QRectF &area, int margin, double pointScale);

private:
    QSize m_size{1, 1};
    QPointF m_center{0.5, 0.5};
    double m_scale = minScale;
};
