// coord.txt: the next-stop delay and the stations' coordinates and radii.
#include "coordfile.h"
#include "filetestsupport.h"
#include "route.h"
#include "routefilewriter.h"
#include "testsupport.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

QString dataFile(const QString &name)
{
    return testsupport::dataPath(QStringLiteral("coordfile/") + name);
}

QString number(double value)
{
    return qIsNaN(value) ? QStringLiteral("-") : QString::number(value, 'f', 6);
}

QString dump(const Route &route)
{
    QString out = QStringLiteral("delay %1\n").arg(route.nextDelay());
    for (int i = 0; i < route.stationCount(); ++i) {
        const Station *s = route.station(i);
        out += QStringLiteral("%1 %2 %3 %4\n")
                   .arg(i + 1)
                   .arg(number(s->coordinate().latitude()), number(s->coordinate().longitude()))
                   .arg(s->radius());
    }
    return out;
}

void addStations(Route &route, int count)
{
    for (int i = 0; i < count; ++i)
        route.insertStation(route.stationCount(), new Station);
}

bool readBytes(const QTemporaryDir &dir, const QByteArray &bytes, Route &route)
{
    if (!testsupport::writeAll(dir.filePath(QStringLiteral("coord.txt")), bytes))
        return false;
    route.setPath(dir.path());
    return readCoordFile(route);
}

} // namespace

class TestCoordFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::isolateSettings(); }

    void readAndWriteFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("canonical, CR LF") << QStringLiteral("basic");
        QTest::newRow("BOM, LF, bad tokens, numbers outside the list") << QStringLiteral("messy");
        QTest::newRow("no key line") << QStringLiteral("nohead");
    }
    void readAndWriteFiles()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        const QString expectedDump =
            QString::fromUtf8(testsupport::readAll(dataFile(name + ".dump")));
        Route route;
        addStations(route, expectedDump.count(QLatin1Char('\n')) - 1);
        QVERIFY(readBytes(dir, testsupport::readAll(dataFile(name + ".coord.txt")), route));
        QCOMPARE(dump(route), expectedDump);

        QVERIFY(writeCoordFile(route));
        const QByteArray written = testsupport::readAll(dir.filePath(QStringLiteral("coord.txt")));
        QCOMPARE(written, testsupport::readAll(dataFile(name + ".written.coord.txt")));

        Route again;
        addStations(again, route.stationCount());
        again.setPath(dir.path());
        QVERIFY(readCoordFile(again));
        QVERIFY(writeCoordFile(again));
        QCOMPARE(testsupport::readAll(dir.filePath(QStringLiteral("coord.txt"))), written);
    }

    // Station 1 starts at 10, 20 with radius 99: what a line leaves out stays as it was,
    // except the radius.
    void stationLine_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("station");
        QTest::newRow("all tokens")
            << QByteArray("1 55.5 37.6 30") << QStringLiteral("1 55.500000 37.600000 30");
        QTest::newRow("no radius")
            << QByteArray("1 55.5 37.6") << QStringLiteral("1 55.500000 37.600000 25");
        QTest::newRow("bad latitude")
            << QByteArray("1 x 37.6 30") << QStringLiteral("1 10.000000 37.600000 30");
        QTest::newRow("decimal comma")
            << QByteArray("1 55,5 37.6 30") << QStringLiteral("1 10.000000 37.600000 30");
        QTest::newRow("radius cut to 8 bits")
            << QByteArray("1 55.5 37.6 300") << QStringLiteral("1 55.500000 37.600000 44");
        QTest::newRow("bad radius")
            << QByteArray("1 55.5 37.6 abc") << QStringLiteral("1 55.500000 37.600000 25");
        QTest::newRow("negative radius")
            << QByteArray("1 55.5 37.6 -5") << QStringLiteral("1 55.500000 37.600000 25");
        QTest::newRow("number only")
            << QByteArray("1") << QStringLiteral("1 10.000000 20.000000 25");
        QTest::newRow("number and space")
            << QByteArray("1 ") << QStringLiteral("1 10.000000 20.000000 25");
        QTest::newRow("double space shifts tokens")
            << QByteArray("1  55.5 37.6 30") << QStringLiteral("1 10.000000 55.500000 25");
        QTest::newRow("other station")
            << QByteArray("2 1 2 3") << QStringLiteral("1 10.000000 20.000000 99");
        QTest::newRow("number with text")
            << QByteArray("1x 1 2 3") << QStringLiteral("1 10.000000 20.000000 99");
        QTest::newRow("zero") << QByteArray("0 1 2 3")
                              << QStringLiteral("1 10.000000 20.000000 99");
        QTest::newRow("lowest number")
            << QByteArray("-2147483648 1 2 3") << QStringLiteral("1 10.000000 20.000000 99");
    }
    void stationLine()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, station);
        QTemporaryDir dir;
        Route route;
        addStations(route, 2);
        route.station(0)->setCoordinate(QGeoCoordinate(10, 20));
        route.station(0)->setRadius(99);
        QVERIFY(readBytes(dir, " NEXTDELAY:5\r\n" + line + "\r\n", route));
        QCOMPARE(dump(route).section(QLatin1Char('\n'), 1, 1), station);
    }

    void nextDelay_data()
    {
        QTest::addColumn<QByteArray>("firstLine");
        QTest::addColumn<int>("delay");
        QTest::newRow("key") << QByteArray(" NEXTDELAY:7") << 7;
        QTest::newRow("after BOM and other keys") << QByteArray("\xEF\xBB\xBF"
                                                                "A:1 B NEXTDELAY:3 C:\"x y\"")
                                                  << 3;
        QTest::newRow("unparsable") << QByteArray("NEXTDELAY:x") << 0;
        QTest::newRow("flag only") << QByteArray("NEXTDELAY") << 0;
        QTest::newRow("too large for 32 bits") << QByteArray("NEXTDELAY:99999999999") << 0;
        QTest::newRow("too large for int")
            << QByteArray("NEXTDELAY:4000000000") << std::numeric_limits<int>::max();
        QTest::newRow("other keys only") << QByteArray("OTHER:1") << 5;
        QTest::newRow("blank") << QByteArray() << 5;
        QTest::newRow("case matters") << QByteArray("nextdelay:9") << 5;
        QTest::newRow("station line first") << QByteArray("2 1 2 3") << 5;
    }
    void nextDelay()
    {
        QFETCH(QByteArray, firstLine);
        QFETCH(int, delay);
        QTemporaryDir dir;
        Route route;
        addStations(route, 2);
        route.setNextDelay(42);
        QVERIFY(readBytes(dir, firstLine + "\r\n1 1 2 3\r\n", route));
        QCOMPARE(route.nextDelay(), delay);
        // The station lines are read either way.
        QCOMPARE(int(route.station(0)->radius()), 3);
    }

    void missingFile()
    {
        QTemporaryDir dir;
        Route route;
        addStations(route, 1);
        route.station(0)->setCoordinate(QGeoCoordinate(1, 2));
        route.station(0)->setRadius(7);
        route.setNextDelay(9);
        route.setPath(dir.path());
        QVERIFY(!readCoordFile(route));
        QCOMPARE(route.nextDelay(), 5);
        QCOMPARE(route.station(0)->coordinate(), QGeoCoordinate(1, 2));
        QCOMPARE(int(route.station(0)->radius()), 7);
        route.setPath(QString());
        QVERIFY(!writeCoordFile(route));
    }

    void badInput_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("lone CR") << QByteArray("\r");
        QTest::newRow("NUL bytes") << QByteArray("\0NEXTDELAY:\0\n1\0 1 2\n2 \0", 23);
        QByteArray garbage;
        QRandomGenerator random(99);
        for (int i = 0; i < 4096; ++i)
            garbage += char(random.bounded(256));
        QTest::newRow("binary garbage") << garbage;
        QTest::newRow("1 MB line") << " NEXTDELAY:1\n1 " + QByteArray(1 << 20, '5');
        QTest::newRow("huge numbers") << QByteArray("NEXTDELAY:1e400\n1 1e400 -1e400 1e400\n");
    }
    void badInput()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        Route route;
        addStations(route, 3);
        QVERIFY(readBytes(dir, bytes, route));
        QVERIFY(route.nextDelay() >= 0);
        QVERIFY(writeCoordFile(route));
        const QByteArray written = testsupport::readAll(dir.filePath(QStringLiteral("coord.txt")));
        QVERIFY(written.startsWith(" NEXTDELAY:"));
        QCOMPARE(written.count("\r\n"), 4);
    }

    void randomInput()
    {
        static const char *const pieces[] = {
            " ",       "  ",        "\r\n",      "\n",  "\r",
            "1",       "2",         "3",         "-",   ".",
            "5",       "55.75",     "-0.000001", "1e3", "nan",
            "inf",     "NEXTDELAY", ":",         "\"",  "\\",
            "x",       "\t",        ",",         "300", "\xEF\xBB\xBF",
            "\xD0\x9F"};
        QTemporaryDir dir(testsupport::fastTempTemplate());
        QVERIFY(dir.isValid());
        QRandomGenerator random(31337);
        for (int i = 0; i < 1500; ++i) {
            QByteArray bytes;
            const int count = random.bounded(60);
            for (int k = 0; k < count; ++k) {
                if (i % 3 == 0)
                    bytes += char(random.bounded(256));
                else
                    bytes += pieces[random.bounded(int(std::size(pieces)))];
            }
            Route first;
            addStations(first, 4);
            QVERIFY(readBytes(dir, bytes, first));
            const QByteArray written = coordFileBytes(first);
            Route second;
            addStations(second, 4);
            QVERIFY(readBytes(dir, written, second));
            if (coordFileBytes(second) != written)
                QFAIL(qPrintable(
                    QStringLiteral("input %1: %2\n%3")
                        .arg(i)
                        .arg(QString::fromLatin1(bytes.toHex()), QString::fromLatin1(written))));
        }
    }

    // Degrees are written and read exactly as Qt's number conversions do it, ties and signed
    // zeros included, over a table of awkward values and many random ones.
    void degreesLikeQt()
    {
        QVector<double> values = {
            0.0,       -0.0,      1.0 / 64,  -3.0 / 64,  55.0 + 7.0 / 64, -179.0 - 63.0 / 64,
            0.000005,  -0.000005, 0.0000049, -0.0000049, 5e-324,          -1e-300,
            89.999995, -180.0,    1e20,      -1e20,      123456789.123455};
        QRandomGenerator random(5);
        for (int i = 0; i < 20000; ++i) {
            const double tie = (2 * random.bounded(23040) - 23040 + 1) / 64.0;
            values << tie << std::nextafter(tie, 0.0) << std::nextafter(tie, 1e9)
                   << random.bounded(360.0) - 180.0 << random.bounded(1000) / 1e5 - 0.005;
        }
        for (const double v : values) {
            QByteArray expected = QByteArray::number(v, 'f', 5);
            if (expected.startsWith('-') && expected.count('0') == expected.size() - 2)
                expected.remove(0, 1);
            QCOMPARE(RouteFileWriter::degreesText(v), expected);
            for (const QByteArray &token :
                 {QByteArray::number(v, 'f', random.bounded(18)), QByteArray::number(v, 'g', 17),
                  expected, expected.mid(1), expected + 'x', "+" + expected,
                  QByteArray(expected).replace('.', ',')}) {
                bool ok = false;
                bool qtOk = false;
                const double read = degreesValue(token, &ok);
                const double qtRead = token.toDouble(&qtOk);
                QCOMPARE(ok, qtOk);
                QVERIFY2(std::memcmp(&read, &qtRead, sizeof read) == 0, token.constData());
            }
        }
    }

    void failedWriteKeepsOldFile_data()
    {
        QTest::addColumn<bool>("folderInTheWay");
        QTest::newRow("coord.txt is a folder") << true;
        QTest::newRow("write fails") << false;
    }
    void failedWriteKeepsOldFile()
    {
        QFETCH(bool, folderInTheWay);
        QTemporaryDir dir;
        const QByteArray old = testsupport::readAll(dataFile("basic.coord.txt"));
        Route route;
        addStations(route, 4);
        QVERIFY(readBytes(dir, old, route));
        addStations(route, 500);
        const QString file = dir.filePath(QStringLiteral("coord.txt"));
        if (folderInTheWay) {
            QVERIFY(QFile::remove(file));
            QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("coord.txt/inner")));
            QVERIFY(!writeCoordFile(route));
            QVERIFY(QFileInfo(dir.filePath(QStringLiteral("coord.txt/inner"))).isDir());
        } else {
            testsupport::FileSizeLimit limit(1024);
            QVERIFY(!writeCoordFile(route));
            QCOMPARE(testsupport::readAll(file), old);
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 folderInTheWay ? QStringList() : QStringList{"coord.txt"});
    }
};

QTEST_GUILESS_MAIN(TestCoordFile)
#include "tst_coordfile.moc"
