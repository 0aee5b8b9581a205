#include "route.h"
#include "routemodel.h"
#include "testsupport.h"

#include <QBrush>
#include <QFont>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

namespace {

// A route of `count` stations named S0, S1, ... with a path, so the model shows rows.
void fill(Route &route, int count, int back)
{
    route.setPath(QStringLiteral("/routes/1"));
    for (int i = 0; i < count; ++i) {
        auto *s = new Station;
        s->setName(0, QStringLiteral("S%1").arg(i));
        s->setName(1, QStringLiteral("L%1").arg(i));
        route.insertStation(i, s);
    }
    route.setBackStationIndex(back);
}

QList<int> changedRows(const QSignalSpy &spy)
{
    QList<int> rows;
    for (const QList<QVariant> &args : spy) {
        const QModelIndex from = args.at(0).toModelIndex();
        const QModelIndex to = args.at(1).toModelIndex();
        for (int r = from.row(); r <= to.row(); ++r)
            rows << r;
    }
    return rows;
}

} // namespace

class TestRouteModel : public QObject
{
    Q_OBJECT

private slots:
    void emptyModels_data();
    void emptyModels();
    void colours_data();
    void colours();
    void routeRow();
    void stationOf_data();
    void stationOf();
    void insertAnnouncedAroundChange();
    void removeAndTake();
    void renameNotifiesFirstLanguageOnly();
    void backIndexNotifiesOldAndNew_data();
    void backIndexNotifiesOldAndNew();
    void outOfRange();
};

void TestRouteModel::emptyModels_data()
{
    QTest::addColumn<bool>("withRoute");
    QTest::addColumn<bool>("withPath");
    QTest::newRow("no route") << false << false;
    QTest::newRow("route without path") << true << false;
}

void TestRouteModel::emptyModels()
{
    QFETCH(bool, withRoute);
    QFETCH(bool, withPath);
    Route route;
    route.insertStation(0);
    if (withPath)
        route.setPath(QStringLiteral("/x"));
    RouteModel model;
    if (withRoute)
        model.setRoute(&route);
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.columnCount(), 1);
    QVERIFY(!model.data(model.index(0, 0)).isValid());
    QVERIFY(!model.routeIndex().isValid());
}

void TestRouteModel::colours_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("back");
    QTest::addColumn<QList<int>>("redRows");
    QTest::newRow("forward only") << 3 << 3 << QList<int>{3};
    QTest::newRow("with back direction") << 5 << 2 << QList<int>{2, 5};
    QTest::newRow("back index past the end") << 2 << 7 << QList<int>{2};
}

void TestRouteModel::colours()
{
    QFETCH(int, count);
    QFETCH(int, back);
    QFETCH(QList<int>, redRows);
    Route route;
    fill(route, count, back);
    RouteModel model;
    model.setRoute(&route);
    QCOMPARE(model.rowCount(), count + 1);
    for (int row = 1; row <= count; ++row) {
        const QVariant fg = model.data(model.index(row, 0), Qt::ForegroundRole);
        if (redRows.contains(row))
            QCOMPARE(fg.value<QBrush>().color(), QColor(255, 0, 0));
        else
            QVERIFY2(!fg.isValid(), qPrintable(QString::number(row)));
        QVERIFY(!model.data(model.index(row, 0), Qt::FontRole).isValid());
        QCOMPARE(model.data(model.index(row, 0)).toString(), QStringLiteral("S%1").arg(row - 1));
        QCOMPARE(model.data(model.index(row, 0), Qt::SizeHintRole).toSize(), QSize(0, 40));
        QCOMPARE(model.data(model.index(row, 0), Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignLeft | Qt::AlignVCenter));
    }
}

void TestRouteModel::routeRow()
{
    Route route;
    fill(route, 1, 1);
    RouteModel model;
    model.setRoute(&route);
    const QModelIndex i = model.routeIndex();
    QCOMPARE(i.row(), 0);
    QCOMPARE(model.data(i).toString(), QStringLiteral("Маршрут"));
    QCOMPARE(model.data(i, Qt::ForegroundRole).value<QBrush>().color(), QColor(0, 0, 255));
    QCOMPARE(model.data(i, Qt::FontRole).value<QFont>().pointSizeF(), QFont().pointSizeF() * 2);
    QCOMPARE(model.data(i, Qt::TextAlignmentRole).toInt(), int(Qt::AlignLeft | Qt::AlignVCenter));
    QCOMPARE(model.data(i, Qt::SizeHintRole).toSize(), QSize(0, 40));
    QVERIFY(!model.data(i, Qt::ToolTipRole).isValid());
}

void TestRouteModel::stationOf_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("station");
    QTest::newRow("invalid") << -1 << -1;
    QTest::newRow("route row") << 0 << -1;
    QTest::newRow("first station") << 1 << 0;
    QTest::newRow("last station") << 3 << 2;
}

void TestRouteModel::stationOf()
{
    QFETCH(int, row);
    QFETCH(int, station);
    Route route;
    fill(route, 3, 3);
    RouteModel model;
    model.setRoute(&route);
    const QModelIndex i = row < 0 ? QModelIndex() : model.index(row, 0);
    QCOMPARE(model.stationOf(i), station);
    if (station >= 0)
        QCOMPARE(model.stationIndex(station), i);
}

void TestRouteModel::insertAnnouncedAroundChange()
{
    Route route;
    fill(route, 2, 2);
    RouteModel model;
    model.setRoute(&route);
    int countBefore = -1;
    int countAfter = -1;
    int insertedRow = -1;
    connect(&model, &QAbstractItemModel::rowsAboutToBeInserted, this,
            [&]() { countBefore = route.stationCount(); });
    connect(&model, &QAbstractItemModel::rowsInserted, this,
            [&](const QModelIndex &, int first, int last) {
                countAfter = route.stationCount();
                insertedRow = first == last ? first : -2;
            });
    auto *s = new Station;
    s->setName(0, QStringLiteral("New"));
    model.insertStationRow(1, s);
    QCOMPARE(countBefore, 2);
    QCOMPARE(countAfter, 3);
    QCOMPARE(insertedRow, 2);
    QCOMPARE(route.station(1), s);
    QCOMPARE(model.data(model.stationIndex(1)).toString(), QStringLiteral("New"));

    // A null station becomes a fresh default one.
    model.insertStationRow(3, nullptr);
    QCOMPARE(insertedRow, 4);
    QCOMPARE(route.stationCount(), 4);
    QVERIFY(route.station(3));
}

void TestRouteModel::removeAndTake()
{
    Route route;
    fill(route, 4, 4);
    RouteModel model;
    model.setRoute(&route);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);

    Station *taken = model.takeStationRow(2);
    QVERIFY(taken);
    QCOMPARE(taken->name(0), QStringLiteral("S2"));
    QCOMPARE(route.stationCount(), 3);
    QCOMPARE(removed.count(), 1);
    QCOMPARE(removed.at(0).at(1).toInt(), 3);
    // Still alive and ours.
    taken->setName(0, QStringLiteral("still here"));
    delete taken;

    model.removeStationRow(0);
    QCOMPARE(route.stationCount(), 2);
    QCOMPARE(removed.count(), 2);
    QCOMPARE(removed.at(1).at(1).toInt(), 1);
    QCOMPARE(route.station(0)->name(0), QStringLiteral("S1"));
}

void TestRouteModel::renameNotifiesFirstLanguageOnly()
{
    Route route;
    fill(route, 2, 2);
    RouteModel model;
    model.setRoute(&route);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    model.renameStation(0, 1, QStringLiteral("second"));
    QCOMPARE(route.station(0)->name(1), QStringLiteral("second"));
    QCOMPARE(changed.count(), 0);

    model.renameStation(0, 0, QStringLiteral("first"));
    QCOMPARE(changedRows(changed), QList<int>{1});
    QCOMPARE(model.data(model.stationIndex(0)).toString(), QStringLiteral("first"));

    model.renameStation(5, 0, QStringLiteral("nobody"));
    QCOMPARE(changed.count(), 1);
}

void TestRouteModel::backIndexNotifiesOldAndNew_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QList<int>>("rows");
    QTest::newRow("inside") << 2 << 3 << QList<int>{2, 3};
    QTest::newRow("to past the end") << 5 << 9 << QList<int>{5};
    QTest::newRow("from zero") << 0 << 4 << QList<int>{0, 4};
}

void TestRouteModel::backIndexNotifiesOldAndNew()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QList<int>, rows);
    Route route;
    fill(route, 5, from);
    RouteModel model;
    model.setRoute(&route);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.updateBackStationIndex(to);
    QCOMPARE(route.backStationIndex(), to);
    QCOMPARE(changedRows(changed), rows);
}

void TestRouteModel::outOfRange()
{
    Route route;
    fill(route, 2, 2);
    RouteModel model;
    model.setRoute(&route);
    QVERIFY(!model.data(model.index(7, 0)).isValid());
    QVERIFY(!model.takeStationRow(2));
    QVERIFY(!model.takeStationRow(-1));
    model.removeStationRow(9);
    QCOMPARE(route.stationCount(), 2);
    QCOMPARE(model.stationOf(model.index(3, 0)), -1);
}

QTEST_MAIN(TestRouteModel)
#include "tst_routemodel.moc"
