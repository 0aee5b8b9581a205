// Web Mercator on the unit square, as map tiles use it: x grows eastwards from 180° W,
// y southwards from the northern edge at about 85° N.
#pragma once

#include <QGeoCoordinate>
#include <QPointF>

class WebMercator
{
public:
    static constexpr double earthRadius = 6378137.0;
    static constexpr double maxLatitude = 85.0511287798;

    // Latitudes beyond the square's edges are drawn on them.
    static QPointF project(const QGeoCoordinate &c);
    // Points off the square are taken back to its edges.
    static QGeoCoordinate unproject(const QPointF &p);
    // Metres on the ground per unit of the square, at a latitude.
    static double metersPerUnit(double latitude);
};
