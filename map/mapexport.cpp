#include "mapexport.h"

#include "mapview.h"

#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

QSize MapExport::size(const MapView &view, int longSide)
{
    const std::optional<QRectF> area = view.routeArea();
    const int inner = longSide - 2 * MapView::fitMargin;
    if (!area || (area->width() <= 0 && area->height() <= 0))
        return QSize(longSide, longSide * 3 / 4);
    // The longer side of the extent gets the pixels; the other keeps the proportion.
    const double scale = inner / qMax(area->width(), area->height());
    const auto side = [&](double extent) {
        return qMax(qRound(extent * scale), inner / 8) + 2 * MapView::fitMargin;
    };
    return QSize(side(area->width()), side(area->height()));
}

bool MapExport::write(const MapView &view, const QString &path)
{
    return path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive) ? writeSvg(view, path)
                                                                     : writePng(view, path);
}

bool MapExport::writePng(const MapView &view, const QString &path)
{
    const QSize pixels = size(view);
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    {
        QPainter painter(&image);
        view.drawMap(painter, view.wholeRoute(pixels));
    }
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && image.save(&file, "PNG") && file.commit();
}

bool MapExport::writeSvg(const MapView &view, const QString &path)
{
    const QSize pixels = size(view);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(pixels);
    svg.setViewBox(QRect(QPoint(0, 0), pixels));
    svg.setTitle(QStringLiteral("Карта маршрута"));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    view.drawMap(painter, view.wholeRoute(pixels));
    painter.end();
    return file.commit();
}
