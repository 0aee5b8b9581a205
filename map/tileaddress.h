// One tile of an offline tile pack in the usual z/x/y.png layout.
#pragma once

#include <QRectF>
#include <QString>
#include <QVector>

struct TileAddress
{
    int z = 0;
    int x = 0;
    int y = 0;

    static constexpr int tileSize = 256;
    static constexpr int maxZoom = 19;

    // The zoom whose tiles come closest to their own size at this many pixels per unit of
    // the projection square.
    static int zoomFor(double pixelsPerUnit);
    // The tiles of zoom z that cover a part of the square, row by row.
    static QVector<TileAddress> covering(const QRectF &area, int z);

    // The tile's place on the square.
    QRectF area() const;
    // "folder/z/x/y.png".
    QString path(const QString &folder) const;
    bool operator==(const TileAddress &o) const { return z == o.z && x == o.x && y == o.y; }
};
