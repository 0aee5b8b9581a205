#include "mapviewport.h"

#include <QtGlobal>

void MapViewport::setScale(double scale)
{
    m_scale = qBound(minScale, scale, maxScale);
}

QPointF MapViewport::toScreen(const QPointF &world) const
{
    return (world - m_center) * m_scale + QPointF(m_size.width(), m_size.height()) / 2.0;
}

QPointF MapViewport::toWorld(const QPointF &screen) const
{
    return (screen - QPointF(m_size.width(), m_size.height()) / 2.0) / m_scale + m_center;
}

QRectF MapViewport::visibleArea() const
{
    return QRectF(toWorld(QPointF(0, 0)), toWorld(QPointF(m_size.width(), m_size.height())));
}

void MapViewport::zoomAbout(const QPointF &screen, double factor)
{
    const QPointF fixed = toWorld(screen);
    setScale(m_scale * factor);
    m_center += fixed - toWorld(screen);
}

void MapViewport::panBy(const QPointF &screenDelta)
{
    m_center -= screenDelta / m_scale;
}

void MapViewport::fit(const QRectF &area, int margin, double pointScale)
{
    m_center = area.center();
    const double w = qMax(1, m_size.width() - 2 * margin);
    const double h = qMax(1, m_size.height() - 2 * margin);
    if (area.width() <= 0 && area.height() <= 0) {
        setScale(pointScale);
        return;
    }
    setScale(qMin(area.width() > 0 ? w / area.width() : maxScale,
                  area.height() > 0 ? h / area.height() : maxScale));
}
