// Line reading and atomic writing shared by the route folder files.
#include "filetestsupport.h"
#include "routefilereader.h"
#include "routefilewriter.h"
#include "testsupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using testsupport::FileSizeLimit;

class TestRouteFileIo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::isolateSettings(); }

    void readLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<QByteArray>>("lines");
        using L = QList<QByteArray>;

        QTest::newRow("empty file") << QByteArray() << L();
        QTest::newRow("CR LF and LF") << QByteArray("a\r\nb\n") << L{"a", "b"};
        QTest::newRow("blank lines") << QByteArray("a\n\r\n\nb") << L{"a", "", "", "b"};
        QTest::newRow("no final line end") << QByteArray("a\nb") << L{"a", "b"};
        QTest::newRow("BOM on first line only") << QByteArray("\xEF\xBB\xBF"
                                                              "a\n\xEF\xBB\xBF"
                                                              "b\n")
                                                << L{"a", "\xEF\xBB\xBF"
                                                          "b"};
        QTest::newRow("only a BOM") << QByteArray("\xEF\xBB\xBF") << L{""};
        QTest::newRow("one CR removed") << QByteArray("a\r\r\n") << L{"a\r"};
        QTest::newRow("CR inside kept") << QByteArray("a\rb\n") << L{"a\rb"};
        QTest::newRow("lone CR") << QByteArray("\r") << L{""};
        QTest::newRow("CR after last LF") << QByteArray("a\n\r") << L{"a", ""};
        QTest::newRow("LF CR order") << QByteArray("a\n\rb\n") << L{"a", "\rb"};
        QTest::newRow("NUL bytes kept")
            << QByteArray("a\0b\n\0", 5) << L{QByteArray("a\0b", 3), QByteArray("\0", 1)};
    }
    void readLines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<QByteArray>, lines);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("ost.txt"));
        QVERIFY(testsupport::writeAll(path, bytes));
        RouteFileReader reader(path);
        QVERIFY(reader.isOpen());
        QList<QByteArray> seen;
        while (!reader.atEnd())
            seen << reader.readLine();
        QCOMPARE(seen, lines);
        QCOMPARE(reader.readLine(), QByteArray());
    }

    void readMissingFile()
    {
        QTemporaryDir dir;
        RouteFileReader reader(dir.filePath(QStringLiteral("none.txt")));
        QVERIFY(!reader.isOpen());
        QVERIFY(reader.atEnd());
        QCOMPARE(reader.readLine(), QByteArray());
    }

    void writeLines_data()
    {
        QTest::addColumn<bool>("bom");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("with BOM") << true
                                  << QByteArray("\xEF\xBB\xBF"
                                                "1 A\r\n\r\n\xD0\x91\r\n");
        QTest::newRow("without BOM") << false << QByteArray("1 A\r\n\r\n\xD0\x91\r\n");
    }
    void writeLines()
    {
        QFETCH(bool, bom);
        QFETCH(QByteArray, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("coord.txt"));
        QVERIFY(testsupport::writeAll(path, "old content, longer than the new one\n"));
        RouteFileWriter writer(bom);
        writer.addLine("1 A");
        writer.addLine(QByteArray());
        writer.addLine(QStringLiteral("Б").toUtf8());
        QVERIFY(writer.commit(path));
        QCOMPARE(testsupport::readAll(path), expected);
    }

    void failedCommitKeepsOldFile_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::newRow("target is a folder") << QStringLiteral("folder");
        QTest::newRow("folder missing") << QStringLiteral("missing");
        QTest::newRow("disk full") << QStringLiteral("full");
    }
    void failedCommitKeepsOldFile()
    {
        QFETCH(QString, failure);
        QTemporaryDir dir;
        const QByteArray old = "old ost.txt\r\n";
        const QString file = dir.filePath(QStringLiteral("ost.txt"));
        QVERIFY(testsupport::writeAll(file, old));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        QVERIFY(testsupport::writeAll(dir.filePath(QStringLiteral("sub/keep.txt")), "x"));

        RouteFileWriter writer(true);
        for (int i = 0; i < 10000; ++i)
            writer.addLine("a line long enough to pass any small size limit");
        if (failure == QLatin1String("folder")) {
            QVERIFY(!writer.commit(dir.filePath(QStringLiteral("sub"))));
            QVERIFY(QFileInfo(dir.filePath(QStringLiteral("sub"))).isDir());
            QCOMPARE(testsupport::readAll(dir.filePath(QStringLiteral("sub/keep.txt"))),
                     QByteArray("x"));
        } else if (failure == QLatin1String("missing")) {
            QVERIFY(!writer.commit(dir.filePath(QStringLiteral("none/ost.txt"))));
        } else {
            FileSizeLimit limit(4096);
            QVERIFY(!writer.commit(file));
        }
        QCOMPARE(testsupport::readAll(file), old);
        // No half-written temporary file is left behind.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"ost.txt"});
    }
};

QTEST_GUILESS_MAIN(TestRouteFileIo)
#include "tst_routefileio.moc"
