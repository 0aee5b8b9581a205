// Time to build a route form and open a route into it.
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

    // 2,000 stations in two directions, every one announcing the next.
    const QString path = m_dir.path() + QStringLiteral("/big");
    QDir().mkpath(path);
    QFile ost(path + QStringLiteral("/ost.txt"));
    QVERIFY(ost.open(QIODevice::WriteOnly));
    ost.write("\xEF\xBB\xBF"
              "99\\\\Начало\\\\Конец_S_C\\\\F11;R4;#080;\r\n");
    const int count = 2000;
    for (int i = 0; i < count; ++i) {
        QByteArray line = QByteArray::number(i + 1) + ' ';
        if (i == count / 2)
            line += "STOP ";
        line += QStringLiteral("Остановка Номер %1.").arg(i).toUtf8();
        if (i + 1 != count / 2 && i + 1 != count)
            line += "\\\\" + QStringLiteral("Следующая остановка Номер %1.").arg(i + 1).toUtf8();
        ost.write(line + "\r\n  Stop " + QByteArray::number(i) + "\r\n  gong.wav, " +
                  QByteArray::number(i) + ".wav, t" + QByteArray::number(i) + ".txt\r\n");
    }
    ost.write(QByteArray::number(count + 1) + " END\r\n");
    ost.close();
    QFile coord(path + QStringLiteral("/coord.txt"));
    QVERIFY(coord.open(QIODevice::WriteOnly));
    coord.write(" NEXTDELAY:5\r\n");
    for (int i = 0; i < count; ++i)
        coord.write(QByteArray::number(i + 1) + " 55." + QByteArray::number(10000 + i) + " 37." +
                    QByteArray::number(20000 + i) + " 30\r\n");
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
