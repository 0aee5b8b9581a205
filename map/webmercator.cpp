#include "webmercator.h"

#include <QtMath>

QPointF WebMercator::project(const QGeoCoordinate &c)
{
    const double lat = qDegreesToRadians(qBound(-maxLatitude, c.latitude(), maxLatitude));
    return QPointF((c.longitude() + 180.0) / 360.0,
                   0.5 - std::log(std::tan(M_PI / 4 + lat / 2)) / (2 * M_PI));
}

QGeoCoordinate WebMercator::unproject(const QPointF &p)
{
    const double x = qBound(0.0, p.x(), 1.0);
    const double y = qBound(0.0, p.y(), 1.0);
    return QGeoCoordinate(qRadiansToDegrees(std::atan(std::sinh(M_PI * (1 - 2 * y)))),
                          x * 360.0 - 180.0);
}

double WebMercator::metersPerUnit(double latitude)
{
    return 2 * M_PI * earthRadius * std::cos(qDegreesToRadians(latitude));
}
