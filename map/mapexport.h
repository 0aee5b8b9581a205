// The whole route's map as a picture for paperwork and for the drivers.
#pragma once

#include <QSize>
#include <QString>

class MapView;

class MapExport
{
public:
    // The picture's size: the route's extent, its longer side `longSide` pixels, with margins.
    static QSize size(const MapView &view, int longSide = 1600);
    // Chosen by the file's ending: ".svg" writes SVG, anything else PNG. False on failure.
    static bool write(const MapView &view, const QString &path);
    static bool writePng(const MapView &view, const QString &path);
    static bool writeSvg(const MapView &view, const QString &path);
};
