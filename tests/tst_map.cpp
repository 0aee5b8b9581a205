// The map: projection and tiles, the spacing rule it shares with the route check, real mouse
// events on a copy of the example route ending in coord.txt, tiles beneath, export.
#include "foldertree.h"
#include "mainwindow.h"
#include "mapexport.h"
#include "mappanel.h"
#include "mapview.h"
#include "routecheck.h"
#include "routeform.h"
#include "routemodel.h"
#include "stationrules.h"
#include "testsupport.h"
#include "webmercator.h"

#include <QDockWidget>
#include <QListWidget>
#include <QRandomGenerator>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeView>
#include <QUndoStack>
#include <QXmlStreamReader>
#include <QtTest>

Q_DECLARE_METATYPE(std::optional<StopSpacing::Kind>)

namespace {

const QString example = QStringLiteral(TESSALY_EXAMPLES "/route12");

Station *stop(double lat, double lon, int radius)
{
    auto *s = new Station;
    s->setCoordinate(QGeoCoordinate(lat, lon));
    s->setRadius(quint8(radius));
    return s;
}

QPoint pointOf(MapView *view, int station)
{
    QPointF p;
    return view->stationPoint(station, &p) ? p.toPoint() : QPoint(-1, -1);
}

} // namespace

class TestMap : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::isolateSettings();
        QVERIFY(m_tmp.isValid());
    }

    void projection_data()
    {
        QTest::addColumn<double>("lat");
        QTest::addColumn<double>("lon");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::newRow("origin") << 0.0 << 0.0 << 0.5 << 0.5;
        QTest::newRow("date line") << 0.0 << -180.0 << 0.0 << 0.5;
        QTest::newRow("north edge") << WebMercator::maxLatitude << 180.0 << 1.0 << 0.0;
        QTest::newRow("beyond the south edge") << -89.0 << 0.0 << 0.5 << 1.0;
        QTest::newRow("Moscow") << 55.7558 << 37.6173 << 0.6044925 << 0.3126025698;
        QTest::newRow("first example stop") << 56.10954 << 47.27612 << 0.6313225556 << 0.3108484144;
        QTest::newRow("Sydney") << -33.8688 << 151.2093 << 0.9200258333 << 0.6000922515;
    }
    void projection()
    {
        QFETCH(double, lat);
        QFETCH(double, lon);
        QFETCH(double, x);
        QFETCH(double, y);
        const QPointF p = WebMercator::project(QGeoCoordinate(lat, lon));
        QVERIFY2(qAbs(p.x() - x) < 1e-9 && qAbs(p.y() - y) < 1e-9,
                 qPrintable(QStringLiteral("%1 %2").arg(p.x(), 0, 'g', 12).arg(p.y(), 0, 'g', 12)));
        const QGeoCoordinate back = WebMercator::unproject(p);
        QVERIFY(qAbs(back.latitude() -
                     qBound(-WebMercator::maxLatitude, lat, WebMercator::maxLatitude)) < 1e-9);
        QVERIFY(qAbs(back.longitude() - lon) < 1e-9);
    }

    void projectionRoundTrip()
    {
        QRandomGenerator random(25);
        for (int i = 0; i < 1000; ++i) {
            const QGeoCoordinate c(random.bounded(170.0) - 85.0, random.bounded(360.0) - 180.0);
            const QGeoCoordinate back = WebMercator::unproject(WebMercator::project(c));
            QVERIFY(c.distanceTo(back) < 1e-3);
        }
        QVERIFY(qAbs(WebMercator::metersPerUnit(0) - 40075016.686) < 0.01);
        QVERIFY(qAbs(WebMercator::metersPerUnit(60) - 40075016.686 / 2) < 0.01);
    }

    void tiles()
    {
        QCOMPARE(TileAddress::zoomFor(100), 0);
        QCOMPARE(TileAddress::zoomFor(256 * 1024), 10);
        QCOMPARE(TileAddress::zoomFor(256 * 1400), 10); // 2^10.45 rounds down
        QCOMPARE(TileAddress::zoomFor(1e12), TileAddress::maxZoom);
        const QVector<TileAddress> t = TileAddress::covering(QRectF(0.49, 0.24, 0.02, 0.02), 2);
        QCOMPARE(t, (QVector<TileAddress>{{2, 1, 0}, {2, 2, 0}, {2, 1, 1}, {2, 2, 1}}));
        QCOMPARE(TileAddress::covering(QRectF(-1, -1, 3, 3), 0), (QVector<TileAddress>{{0, 0, 0}}));
        QVERIFY(TileAddress::covering(QRectF(2, 2, 1, 1), 3).isEmpty());
        QCOMPARE((TileAddress{3, 5, 2}).area(), QRectF(0.625, 0.25, 0.125, 0.125));
        QCOMPARE((TileAddress{3, 5, 2}).path("/t"), QStringLiteral("/t/3/5/2.png"));
    }

    void viewport()
    {
        MapViewport v;
        v.setSize(QSize(400, 300));
        v.setScale(10000);
        v.setCenter(QPointF(0.6, 0.3));
        QCOMPARE(v.toScreen(QPointF(0.6, 0.3)), QPointF(200, 150));
        const QPointF cursor(50, 270);
        const QPointF under = v.toWorld(cursor);
        v.zoomAbout(cursor, 8);
        QCOMPARE(v.scale(), 80000.0);
        QVERIFY(QLineF(v.toScreen(under), cursor).length() < 1e-6);
        v.panBy(QPointF(10, -20));
        QVERIFY(QLineF(v.toScreen(under), cursor + QPointF(10, -20)).length() < 1e-6);
        v.zoomAbout(cursor, 1e-9);
        QCOMPARE(v.scale(), MapViewport::minScale);
        v.fit(QRectF(0.5, 0.5, 0.01, 0.02), 20, 1);
        QCOMPARE(v.scale(), 260 / 0.02);
        QCOMPARE(v.center(), QPointF(0.505, 0.51));
    }

    void spacingRule_data()
    {
        QTest::addColumn<double>("meters");
        QTest::addColumn<int>("radius");
        QTest::addColumn<int>("previousRadius");
        QTest::addColumn<bool>("turn");
        QTest::addColumn<std::optional<StopSpacing::Kind>>("kind");
        const std::optional<StopSpacing::Kind> none;
        QTest::newRow("apart") << 500.0 << 30 << 30 << false << none;
        QTest::newRow("circles touch") << 60.0 << 30 << 30 << false << none;
        QTest::newRow("circles overlap")
            << 59.9 << 30 << 30 << false << std::optional(StopSpacing::CirclesOverlap);
        QTest::newRow("radius 0 never overlaps") << 2.0 << 0 << 0 << false << none;
        QTest::newRow("same place")
            << 0.5 << 30 << 30 << false << std::optional(StopSpacing::SamePlace);
        QTest::newRow("same place at the turn") << 0.5 << 30 << 30 << true << none;
        QTest::newRow("overlap at the turn") << 20.0 << 30 << 30 << true << none;
        QTest::newRow("30 km") << 30000.0 << 30 << 30 << false << none;
        QTest::newRow("far") << 30000.5 << 30 << 30 << false
                             << std::optional(StopSpacing::FarApart);
        QTest::newRow("far at the turn")
            << 45000.0 << 30 << 30 << true << std::optional(StopSpacing::FarApart);
    }
    void spacingRule()
    {
        QFETCH(double, meters);
        QFETCH(int, radius);
        QFETCH(int, previousRadius);
        QFETCH(bool, turn);
        QFETCH(std::optional<StopSpacing::Kind>, kind);
        QCOMPARE(StopSpacing::judge(meters, radius, previousRadius, turn), kind);
    }

    // The map marks exactly what the route check reports about spacing, with its words.
    void spacingSharedWithCheck()
    {
        Route route;
        route.newRoute(m_tmp.path() + "/spacing");
        while (route.stationCount() > 0)
            route.removeStation(0);
        const Station *stops[] = {stop(55.0, 37.0, 25),    stop(55.0003, 37.0, 25),
                                  stop(56.0, 37.0, 25),    stop(55.0006, 37.0, 25),
                                  stop(55.0006, 37.0, 25), stop(55.01, 37.0, 25)};
        for (const Station *s : stops)
            route.insertStation(route.stationCount(), const_cast<Station *>(s));
        route.setBackStationIndex(6);
        const QVector<StopSpacing::Finding> spacing = StopSpacing::run(route);
        QStringList kinds;
        for (const StopSpacing::Finding &f : spacing)
            kinds << QStringLiteral("%1:%2").arg(f.station).arg(f.kind);
        QCOMPARE(kinds.join(' '), QStringLiteral("1:2 2:0 3:0 2:3 4:1"));
        QCOMPARE(spacing.at(0).message,
                 QStringLiteral("круги срабатывания пересекаются с предыдущей станции 1: 33 м "
                                "между точками, радиусы 25 и 25 м"));
        QCOMPARE(spacing.at(3).message,
                 QStringLiteral("дальше 30 км от обеих соседних станций: координата с ошибкой?"));

        QStringList fromCheck;
        for (const RouteFinding &f : RouteCheck::run(route)) {
            if (f.place == RouteFinding::StationCoordinatePlace)
                fromCheck << f.text();
        }
        for (const StopSpacing::Finding &f : spacing)
            QVERIFY(
                fromCheck.contains(RouteCheck::stationLabel(route, f.station) + ": " + f.message));
        QCOMPARE(fromCheck.size(), spacing.size());
    }

    // Click, drag, save, undo and a choice in the list, through real mouse events.
    void editOnTheMap()
    {
        const QString path = m_tmp.path() + "/route12";
        QVERIFY(foldertree::copy(example, path));
        const QByteArray original = testsupport::readAll(path + "/coord.txt");
        RouteForm form;
        form.setNextStopAsker([](bool yes) { return yes; });
        form.openRoute(path);
        MapPanel panel;
        panel.resize(900, 700);
        panel.setForm(&form);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        MapView *view = panel.view();
        auto *list = form.findChild<QTreeView *>("stationList");

        // Events go through the window, as the platform delivers them.
        QWindow *window = panel.windowHandle();
        const auto at = [&](const QPoint &p) { return view->mapTo(&panel, p); };
        const QPoint p = pointOf(view, 3);
        QTest::mouseClick(window, Qt::LeftButton, {}, at(p));
        QCOMPARE(list->currentIndex(), form.stationModel()->stationIndex(3));
        QCOMPARE(view->currentStation(), 3);
        QCOMPARE(form.undoStack()->count(), 0);

        // One drag in many steps is one undo step.
        const QPoint to = p + QPoint(40, -30);
        QTest::mousePress(window, Qt::LeftButton, {}, at(p));
        for (int step = 1; step <= 10; ++step)
            QTest::mouseMove(window, at(p + (to - p) * step / 10));
        QTest::mouseRelease(window, Qt::LeftButton, {}, at(to));
        QCOMPARE(form.undoStack()->count(), 1);
        const QGeoCoordinate moved = form.route().station(3)->coordinate();
        // Where the mouse left it, within half a pixel of grip, rounded as the field rounds.
        QVERIFY(moved.distanceTo(WebMercator::unproject(view->viewport().toWorld(to))) < 8);
        QCOMPARE(moved, MapPanel::rounded(moved));
        QVERIFY(moved.distanceTo(QGeoCoordinate(56.12847, 47.24870)) > 300);
        QVERIFY(QLineF(pointOf(view, 3), to).length() < 2);

        QVERIFY(form.saveRoute());
        QByteArray expected = original;
        const QByteArray line = "4 56.12847 47.24870 35";
        QVERIFY(expected.contains(line));
        expected.replace(line, "4 " + StationRules::formatCoordinate(moved).toUtf8() + " 35");
        QCOMPARE(testsupport::readAll(path + "/coord.txt"), expected);

        // Undo puts the stop back and shows it, on the map as well.
        list->setCurrentIndex(form.stationModel()->stationIndex(10));
        form.undo();
        QVERIFY(form.saveRoute());
        QCOMPARE(testsupport::readAll(path + "/coord.txt"), original);
        QCOMPARE(list->currentIndex(), form.stationModel()->stationIndex(3));
        QCOMPARE(view->currentStation(), 3);
        QVERIFY(QLineF(pointOf(view, 3), QPointF(view->width(), view->height()) / 2).length() < 1);

        // Choosing in the station list centres the map on the stop.
        view->viewport().zoomAbout(QPointF(0, 0), 4);
        list->setCurrentIndex(form.stationModel()->stationIndex(12));
        QVERIFY(QLineF(pointOf(view, 12), QPointF(view->width(), view->height()) / 2).length() < 1);

        // Dragging the background pans and changes nothing.
        const QPoint empty(20, 20);
        QCOMPARE(view->stationAt(empty), -1);
        const QPoint before = pointOf(view, 12);
        QTest::mousePress(window, Qt::LeftButton, {}, at(empty));
        QTest::mouseMove(window, at(empty + QPoint(30, 0)));
        QTest::mouseMove(window, at(empty + QPoint(60, 10)));
        QTest::mouseRelease(window, Qt::LeftButton, {}, at(empty + QPoint(60, 10)));
        QVERIFY(QLineF(pointOf(view, 12), before + QPoint(60, 10)).length() <= 1.5);
        QCOMPARE(form.undoStack()->index(), 0);
        QCOMPARE(list->currentIndex(), form.stationModel()->stationIndex(12));
    }

    // The dock beside the tabs shows the map of the current route.
    void dockFollowsTabs()
    {
        const QString path = m_tmp.path() + "/dock";
        QVERIFY(foldertree::copy(example, path));
        MainWindow window;
        window.openFolders({path, example});
        auto *tabs = window.findChild<QTabWidget *>("tabWidget");
        auto *button = window.findChild<QToolButton *>("mapButton");
        QCOMPARE(tabs->cornerWidget(Qt::TopRightCorner), button);
        QVERIFY(window.mapDockWidget()->isHidden());
        button->click();
        QVERIFY(!window.mapDockWidget()->isHidden());
        QCOMPARE(window.routeMapPanel()->form(), tabs->widget(1));
        tabs->setCurrentIndex(0);
        QCOMPARE(window.routeMapPanel()->form(), tabs->widget(0));
        QCOMPARE(window.routeMapPanel()->view()->findings().size(), 0);
    }

    // A stop without a coordinate is listed beside the map and picked from there.
    void unplacedStops()
    {
        const QString path = m_tmp.path() + "/unplaced";
        QVERIFY(foldertree::copy(example, path));
        QByteArray coord = testsupport::readAll(path + "/coord.txt");
        coord.replace("5 56.13512 47.24302 30", "5");
        QVERIFY(testsupport::writeAll(path + "/coord.txt", coord));
        RouteForm form;
        form.setNextStopAsker([](bool yes) { return yes; });
        form.openRoute(path);
        MapPanel panel;
        panel.setForm(&form);
        panel.show();
        QListWidget *unplaced = panel.unplacedList();
        QCOMPARE(unplaced->count(), 1);
        QCOMPARE(unplaced->item(0)->text(), RouteCheck::stationLabel(form.route(), 4));
        QTest::mouseClick(unplaced->viewport(), Qt::LeftButton, {},
                          unplaced->visualItemRect(unplaced->item(0)).center());
        QCOMPARE(form.currentStation(), 4);
    }

    // Tiles of a folder lie beneath at their place; a missing tile stays blank.
    void tilesBeneath()
    {
        const QString folder = m_tmp.path() + "/tiles";
        const TileAddress tile{12, 2500, 1300};
        QVERIFY(QDir().mkpath(folder + "/12/2500"));
        QImage image(256, 256, QImage::Format_RGB32);
        image.fill(Qt::red);
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x)
                image.setPixel(x, y, qRgb(0, 0, 255));
        QVERIFY(image.save(tile.path(folder)));

        MapView view;
        view.resize(600, 400);
        view.setTileFolder(folder);
        view.viewport().setSize(view.size());
        view.viewport().setScale(256.0 * (1 << 12));
        view.viewport().setCenter(tile.area().bottomRight());
        // The tile is read off the GUI thread and drawn when it arrives.
        QTRY_COMPARE(view.grab().toImage().pixel(100, 0), qRgb(0, 0, 255));
        const QImage shot = view.grab().toImage();
        // The tile's bottom right corner is the middle of the view.
        QCOMPARE(shot.pixel(300 - 200, 200 - 200), qRgb(0, 0, 255));
        QCOMPARE(shot.pixel(300 - 20, 200 - 20), qRgb(255, 0, 0));
        QCOMPARE(shot.pixel(300 - 200, 200 - 20), qRgb(255, 0, 0));
        QCOMPARE(QColor(shot.pixel(300 + 50, 200 + 50)), QColor(0xf4, 0xf2, 0xec));
    }

    void exportPngAndSvg()
    {
        Route route;
        QVERIFY(route.load(example));
        MapView view;
        view.setRoute(&route);
        const QSize size = MapExport::size(view);
        const QRectF area = *view.routeArea();
        QCOMPARE(size.height(), 1600);
        QCOMPARE(size.width(), qRound(1520 * area.width() / area.height()) + 80);

        const QString png = m_tmp.path() + "/map.png";
        QVERIFY(MapExport::write(view, png));
        const QImage image(png);
        QCOMPARE(image.size(), size);
        const MapViewport shown = view.wholeRoute(size);
        for (int i = 0; i < route.stationCount(); ++i) {
            const QPoint at =
                shown.toScreen(WebMercator::project(route.station(i)->coordinate())).toPoint();
            QCOMPARE(QColor(image.pixel(at)), QColor(Qt::white));
        }

        const QString svg = m_tmp.path() + "/map.svg";
        QVERIFY(MapExport::write(view, svg));
        QFile file(svg);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QStringList texts;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::Characters)
                texts << xml.text().toString().trimmed();
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(texts.contains(QStringLiteral("Ж/д вокзал")));
        QVERIFY(texts.contains(QStringLiteral("Театр оперы")));
    }

private:
    QTemporaryDir m_tmp;
};

QTEST_MAIN(TestMap)
#include "tst_map.moc"
