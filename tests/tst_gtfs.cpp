// The GTFS feed reader and `tessaly --gtfs-routes` / `--import-gtfs` run as a program.
#include "csvreader.h"
#include "gtfsfeed.h"
#include "gtfstestsupport.h"
#include "route.h"
#include "testsupport.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace testsupport;

class TestGtfs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { isolateSettings(); }
    void csvRecords_data();
    void csvRecords();
    void feedPatterns();
    void importedFolder();
    void zipAndFolderAlike();
    void failures_data();
    void failures();

private:
    QProcess *run(const QStringList &args);
    QTemporaryDir m_dir;
};

void TestGtfs::csvRecords_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("records"); // fields joined by |, records by /, line numbers first
    QTest::newRow("plain") << QByteArray("a,b\nc,d\n") << "1:a|b/2:c|d";
    QTest::newRow("no last line end") << QByteArray("a,b\nc,d") << "1:a|b/2:c|d";
    QTest::newRow("empty last line and blank") << QByteArray("a\n\n\nb\n\n") << "1:a/4:b";
    QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBFid,x\n1,2\n") << "1:id|x/2:1|2";
    QTest::newRow("crlf") << QByteArray("a,b\r\nc,\r\n") << "1:a|b/2:c|";
    QTest::newRow("quotes") << QByteArray("\"a,b\",\"say \"\"hi\"\"\",\"\"\n")
                            << "1:a,b|say \"hi\"|";
    QTest::newRow("line break in quotes")
        << QByteArray("\"one\r\ntwo\",x\nnext,y\n") << "1:one\r\ntwo|x/3:next|y";
    QTest::newRow("ragged") << QByteArray("a,b,c\n1\n1,2,3,4\n") << "1:a|b|c/2:1/3:1|2|3|4";
    QTest::newRow("empty fields") << QByteArray(",,\n") << "1:||";
    QTest::newRow("unclosed quote") << QByteArray("\"abc\n") << "1:abc\n";
    QTest::newRow("long field across blocks")
        << (QByteArray(300000, 'x') + ",\"" + QByteArray(300000, 'y') + "\"\nz\n")
        << ("1:" + QString(300000, 'x') + '|' + QString(300000, 'y') + "/2:z");
}

void TestGtfs::csvRecords()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, records);
    QBuffer buffer(&input);
    buffer.open(QIODevice::ReadOnly);
    CsvReader reader(&buffer);
    QStringList got;
    while (reader.next()) {
        QStringList fields;
        for (int i = 0; i < reader.size(); ++i)
            fields << reader.text(i);
        got << QString::number(reader.line()) + ':' + fields.join('|');
    }
    QCOMPARE(got.join('/'), records);
    QVERIFY(reader.field(99).empty());
}

void TestGtfs::feedPatterns()
{
    const QString folder = m_dir.filePath("feed");
    QVERIFY(writeFeedFolder(folder, smallFeed()));
    GtfsFeed feed;
    QCOMPARE(feed.read(folder, {}), GtfsFeed::Read);
    QCOMPARE(feed.routes().size(), 2);
    QCOMPARE(feed.routes().at(1).number(), QStringLiteral("Ночной"));
    QCOMPARE(feed.routes().at(0).agency, QStringLiteral("Горэлектротранс, МУП"));
    const int r7 = feed.findRoute("7");
    QCOMPARE(r7, feed.findRoute("R7"));
    QStringList summary;
    for (int p : feed.patternsOf(r7)) {
        const GtfsPattern &pattern = feed.patterns().at(p);
        QStringList stops;
        for (int s : pattern.stops)
            stops << feed.stops().at(s).id;
        summary << QStringLiteral("%1 %2x %3 %4")
                       .arg(pattern.direction)
                       .arg(pattern.trips)
                       .arg(stops.join('-'), pattern.headsign);
    }
    QCOMPARE(summary, QStringList({"0 3x A1-B-C-D Парк", "0 1x A1-B-D Парк, экспресс",
                                   "1 2x D-C-B-A2 Вокзал", "1 1x D-E-B-A2 Вокзал"}));
    QCOMPARE(feed.defaultForward(r7), feed.patternsOf(r7).at(0));
    QCOMPARE(feed.defaultBack(r7), feed.patternsOf(r7).at(2));
    QCOMPARE(feed.defaultBack(feed.findRoute("N1")), -1);
    // The bad coordinate and the unknown stop.
    QCOMPARE(feed.skippedRows(), 2);
    QVERIFY(feed.warnings().at(0).startsWith("stops.txt, строка 8, столбец stop_lat"));
    QVERIFY2(feed.warnings().at(1).startsWith("stop_times.txt, строка 31, столбец stop_id"),
             qPrintable(feed.warnings().at(1)));
    QCOMPARE(feed.languages(), QStringList{"en"});
}

QProcess *TestGtfs::run(const QStringList &args)
{
    auto *p = new QProcess(this);
    p->start(QStringLiteral(TESSALY_EXECUTABLE), args);
    p->waitForFinished(60000);
    return p;
}

void TestGtfs::importedFolder()
{
    const QString feedDir = m_dir.filePath("feed2");
    QVERIFY(writeFeedFolder(feedDir, smallFeed()));
    const QString target = m_dir.filePath("route7");
    QProcess *p = run(
        {"--import-gtfs", feedDir, "--route", "7", "--back", "4", "--second-lang", "en", target});
    QCOMPARE(p->exitCode(), 0);
    Route route;
    QVERIFY(route.load(target));
    QCOMPARE(route.stationCount(), 8);
    QCOMPARE(route.backStationIndex(), 4);
    QStringList names[2];
    for (const Station *s : route.stations()) {
        for (int l = 0; l < 2; ++l)
            names[l] << s->name(l);
    }
    QCOMPARE(names[0],
             QStringList({"Остановка Вокзал.", "Остановка Рынок.", "Остановка Театр.",
                          "Остановка Парк. Конечная.", "Остановка Парк.", "Остановка Школа.",
                          "Остановка Рынок.", "Остановка Вокзал. Конечная."}));
    QCOMPARE(names[1], QStringList({"Station.", "Market.", "Theatre.", "Park.", "Park.", "",
                                    "Market.", "Station."}));
    QCOMPARE(route.station(0)->nextName(0), QStringLiteral("Следующая остановка Рынок."));
    QCOMPARE(route.station(2)->nextName(1), QStringLiteral("Park."));
    QVERIFY(route.station(3)->nextName(0).isEmpty());
    QCOMPARE(route.station(3)->sideName(0), QStringLiteral("Парк. Конечная."));
    QCOMPARE(route.station(0)->coordinate(), QGeoCoordinate(55.0001, 37.0001));
    QCOMPARE(route.station(7)->coordinate(), QGeoCoordinate(55.0002, 37.0002));
    QVERIFY(!route.station(5)->coordinate().isValid());
    QCOMPARE(route.station(1)->radius(), quint8(25));
    for (auto number : {&Route::frontNumber, &Route::sideNumber, &Route::backNumber})
        QCOMPARE((route.*number)(), QStringLiteral("7"));
    for (auto start :
         {&Route::frontStartingPoint, &Route::sideStartingPoint, &Route::backStartingPoint})
        QCOMPARE((route.*start)(1), QStringLiteral("Station"));
    QCOMPARE(route.backDestination(0), QStringLiteral("Парк"));
    QVERIFY(QString::fromUtf8(p->readAllStandardOutput()).contains("без координат 1"));

    p = run({"--gtfs-routes", feedDir, "--route", "R7", "--json"});
    QCOMPARE(p->exitCode(), 0);
    const QJsonArray routes = QJsonDocument::fromJson(p->readAllStandardOutput()).array();
    QCOMPARE(routes.size(), 1);
    const QJsonArray patterns = routes.at(0).toObject().value("patterns").toArray();
    QCOMPARE(patterns.size(), 4);
    QCOMPARE(patterns.at(2).toObject().value("trips").toInt(), 2);
    QCOMPARE(patterns.at(2).toObject().value("first").toString(), QStringLiteral("Парк"));
}

void TestGtfs::zipAndFolderAlike()
{
    const QString zip = m_dir.filePath("feed.zip");
    const QString folder = m_dir.filePath("feed3");
    QVERIFY(writeFeedZip(zip, smallFeed()) && writeFeedFolder(folder, smallFeed()));
    const QStringList common{"--route", "R7", "--lang", "en", "--back", "none"};
    QCOMPARE(run(QStringList{"--import-gtfs", zip} + common + QStringList{m_dir.filePath("z/r")})
                 ->exitCode(),
             0);
    QCOMPARE(run(QStringList{"--import-gtfs", folder} + common + QStringList{m_dir.filePath("f/r")})
                 ->exitCode(),
             0);
    const QStringList files = QDir(m_dir.filePath("z/r")).entryList(QDir::Files);
    QCOMPARE(files, QDir(m_dir.filePath("f/r")).entryList(QDir::Files));
    QVERIFY(files.contains("ost.txt") && files.contains("coord.txt"));
    for (const QString &name : files)
        QCOMPARE(readAll(m_dir.filePath("z/r/" + name)), readAll(m_dir.filePath("f/r/" + name)));
    QVERIFY(readAll(m_dir.filePath("z/r/ost.txt")).contains("Station"));
}

void TestGtfs::failures_data()
{
    QTest::addColumn<QString>("feedFile"); // file replaced in the feed ("" none)
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("no route") << "" << QByteArray() << QStringList{"--route", "99"} << 1 << "99";
    QTest::newRow("no pattern") << "" << QByteArray()
                                << QStringList{"--route", "7", "--forward", "9"} << 1 << "варианта";
    QTest::newRow("no language") << "" << QByteArray()
                                 << QStringList{"--route", "7", "--lang", "de"} << 1 << "de";
    QTest::newRow("column missing")
        << "stops.txt" << QByteArray("id,stop_name\n1,a\n") << QStringList{"--route", "7"} << 2
        << "stops.txt, строка 1: нет столбца stop_id";
    QTest::newRow("file missing") << "trips.txt" << QByteArray() << QStringList{"--route", "7"} << 2
                                  << "trips.txt";
    QTest::newRow("not a zip") << "zip" << QByteArray("not a zip") << QStringList{"--route", "7"}
                               << 2 << "zip";
    QTest::newRow("folder not empty")
        << "" << QByteArray() << QStringList{"--route", "7"} << 2 << "пустой";
}

void TestGtfs::failures()
{
    QFETCH(QString, feedFile);
    QFETCH(QByteArray, content);
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const QString tag = QTest::currentDataTag();
    QString feed = m_dir.filePath("bad-" + tag);
    FeedFiles files = smallFeed();
    if (!content.isEmpty() && feedFile != "zip")
        files[feedFile] = content;
    else if (!feedFile.isEmpty())
        files.remove(feedFile);
    QVERIFY(writeFeedFolder(feed, files));
    if (feedFile == "zip") {
        feed += ".zip";
        QVERIFY(writeAll(feed, content));
    }
    const QString target = m_dir.filePath("target-" + tag);
    QDir().mkpath(target);
    if (tag == "folder not empty")
        QVERIFY(writeAll(target + "/keep.txt", "mine"));
    QProcess *p = run(QStringList{"--import-gtfs", feed} + args + QStringList{target});
    QCOMPARE(p->exitCode(), exitCode);
    QVERIFY2(QString::fromUtf8(p->readAllStandardError()).contains(message), qPrintable(message));
    const QStringList left = QDir(target).entryList(QDir::Files);
    QCOMPARE(left, tag == "folder not empty" ? QStringList{"keep.txt"} : QStringList());
}

QTEST_MAIN(TestGtfs)
#include "tst_gtfs.moc"
