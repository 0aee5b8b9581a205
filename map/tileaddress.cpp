#include "tileaddress.h"

#include <QtMath>

int TileAddress::zoomFor(double pixelsPerUnit)
{
    if (!(pixelsPerUnit > tileSize))
        return 0;
    return qBound(0, qRound(std::log2(pixelsPerUnit / tileSize)), maxZoom);
}

QVector<TileAddress> TileAddress::covering(const QRectF &area, int z)
{
    QVector<TileAddress> tiles;
    z = qBound(0, z, maxZoom);
    const int n = 1 << z;
    const QRectF square = area.intersected(QRectF(0, 0, 1, 1));
    if (square.isEmpty())
        return tiles;
    auto cell = [n](double v) { return qBound(0, int(std::floor(v * n)), n - 1); };
    for (int y = cell(square.top()); y <= cell(square.bottom()); ++y) {
        for (int x = cell(square.left()); x <= cell(square.right()); ++x)
            tiles.append({z, x, y});
    }
    return tiles;
}

QRectF TileAddress::area() const
{
    const double side = 1.0 / (1 << z);
    return QRectF(x * side, y * side, side, side);
}

QString TileAddress::path(const QString &folder) const
{
    return QStringLiteral("%1/%2/%3/%4.png").arg(folder).arg(z).arg(x).arg(y);
}
