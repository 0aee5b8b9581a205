// One animation tick of each animated board mode on the largest board model
// (320 x 32): the step and a full paint at pitch 4 into an offscreen image.
// The boards tick every 16 ms.
#include "fronttablotype.h"
#include "fronttablowidget.h"
#include "route.h"

#include <QImage>
#include <QtTest>

class BenchFrontTabloWidget : public QObject
{
    Q_OBJECT

private slots:
    void tick_data();
    void tick();
};

void BenchFrontTabloWidget::tick_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("stations");
    QTest::addColumn<bool>("separator");

    QTest::newRow("running line") << 0 << false << false;
    QTest::newRow("static, language change") << int(ModeStatic | ModeCenter) << false << false;
    QTest::newRow("separator") << int(ModeStatic | ModeCenter) << false << true;
    QTest::newRow("stations, vertical")
        << int(ModeStatic | ModeStationScroll | ModeCenter) << true << true;
    QTest::newRow("stations, horizontal") << int(ModeStatic) << true << true;
    QTest::newRow("running top, horizontal stations") << 0 << true << true;
}

void BenchFrontTabloWidget::tick()
{
    QFETCH(int, mode);
    QFETCH(bool, stations);
    QFETCH(bool, separator);

    FrontTabloWidget w;
    w.setBoardType(Board32x320);
    w.setLeftSofitColor(6);
    w.setRightSofitColor(2);
    w.setMode(mode);
    w.setNumber(QStringLiteral("112А"));
    w.setStartingPoint(0, QStringLiteral("Вокзал"));
    w.setDestination(0, QStringLiteral("Пос._Северный"));
    w.setStartingPoint(1, QStringLiteral("Vokzal"));
    w.setDestination(1, QStringLiteral("Severny"));
    if (stations) {
        w.setStationNames(
            0, {QStringLiteral("Рынок"), QStringLiteral("ул. Ленина"), QStringLiteral("Театр")});
        w.setStationNames(1, {QStringLiteral("Market"), QStringLiteral("Lenin St.")});
    }
    if (separator)
        w.setSeparator(QStringLiteral("'Время' hh:mm dd.MM.yy"));
    w.setStationPause(160); // keep the vertical list moving most of the time
    w.startAnimation();
    QVERIFY(w.isAnimating());

    const QSize size(4 + 320 * 4, 4 + 32 * 4);
    w.resize(size);
    QImage image(size, QImage::Format_RGB32);
    const QWidget::RenderFlags flags(QWidget::DrawChildren);
    QBENCHMARK
    {
        w.animationStep();
        w.render(&image, QPoint(), QRegion(), flags);
    }
}

QTEST_MAIN(BenchFrontTabloWidget)
#include "bench_fronttablowidget.moc"
