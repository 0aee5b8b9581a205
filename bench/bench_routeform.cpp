// Time to build a route form and open a route into it.
#include "bigroute.h"
#include "foldertree.h"
#include "routeform.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class BenchRouteForm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void construct();
    void openExample();
    void openGenerated2000();

private:
    void openBench(const QString &path);

    QTemporaryDir m_dir;
};

void BenchRouteForm::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
    foldertree::copy(QStringLiteral(TESSALY_EXAMPLES), m_dir.path() + QStringLiteral("/examples"));

    QVERIFY(bigroute::write(m_dir.path() + QStringLiteral("/big")));
}

void BenchRouteForm::construct()
{
    QBENCHMARK
    {
        RouteForm form;
    }
}

void BenchRouteForm::openBench(const QString &path)
{
    QBENCHMARK
    {
        RouteForm form;
        form.setNextStopAsker([](bool defaultYes) { return defaultYes; });
        form.openRoute(path);
    }
}

void BenchRouteForm::openExample()
{
    openBench(m_dir.path() + QStringLiteral("/examples/route12"));
}

void BenchRouteForm::openGenerated2000()
{
    openBench(m_dir.path() + QStringLiteral("/big"));
}

QTEST_MAIN(BenchRouteForm)
#include "bench_routeform.moc"
