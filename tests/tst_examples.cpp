// The bundled example route: it must load as the route it describes, survive a save
// unchanged, and reference only files that are there.
#include "route.h"
#include "routeform.h"
#include "station.h"
#include "testsupport.h"
#include "textencoding.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString routeFolder = QStringLiteral(TESSALY_EXAMPLES "/route12");
const QString adFolder = QStringLiteral(TESSALY_EXAMPLES "/Reklama");

bool copyFiles(const QString &from, const QString &to)
{
    if (!QDir().mkpath(to))
        return false;
    for (const QFileInfo &fi : QDir(from).entryInfoList(QDir::Files))
        if (!QFile::copy(fi.filePath(), to + "/" + fi.fileName()))
            return false;
    return true;
}

} // namespace

class TestExamples : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void routeContents();
    void stations_data();
    void stations();
    void referencedFilesExist();
    void textFiles_data();
    void textFiles();
    void saveKeepsBytes_data();
    void saveKeepsBytes();
    void opensCleanInForm();

private:
    QTemporaryDir m_tmp;
    QString m_copy;
};

void TestExamples::initTestCase()
{
    testsupport::isolateSettings();
    QVERIFY(m_tmp.isValid());
    // The copy is saved over, so the files in the source tree stay untouched.
    m_copy = m_tmp.path() + "/route12";
    QVERIFY(copyFiles(routeFolder, m_copy));
    QVERIFY(copyFiles(adFolder, m_tmp.path() + "/Reklama"));
}

void TestExamples::routeContents()
{
    Route route(routeFolder);
    QCOMPARE(route.path(), routeFolder);
    QCOMPARE(route.frontNumber(), QStringLiteral("12"));
    QCOMPARE(route.frontStartingPoint(0), QStringLiteral("Ж/д вокзал"));
    QCOMPARE(route.frontDestination(0), QStringLiteral("мкр. Северный"));
    QCOMPARE(route.frontStartingPoint(1), QStringLiteral("Railway Station"));
    QCOMPARE(route.frontDestination(1), QStringLiteral("Severny District"));
    QCOMPARE(route.frontNumberColor(), QColor(0xf0, 0, 0));
    QCOMPARE(route.frontDestColor(), QColor(0xf0, 0xa0, 0));
    QCOMPARE(route.backDestination(1), QStringLiteral("Severny District"));
    QVERIFY(route.backStartingPoint(0).isEmpty());
    QCOMPARE(route.sideStationCount(), 5);
    QCOMPARE(route.stationWord(1), QStringLiteral("Stop"));
    QCOMPARE(route.nextWord(0), QStringLiteral("Следующая остановка"));
    QCOMPARE(route.routeText(0), QStringLiteral("<&F1 Маршрут %n. Ж/д вокзал – мкр. \"Северный\""));
    QCOMPARE(route.nextDelay(), 4);
    QCOMPARE(route.adPath(), adFolder);
    QCOMPARE(route.adTextFiles(), QStringList({"skidki.txt", "taxi.txt", "muzei.txt"}));
    QCOMPARE(route.stationCount(), 14);
    QCOMPARE(route.backStationIndex(), 7);
}

void TestExamples::stations_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("nextName1");
    QTest::addColumn<QStringList>("sounds");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("first") << 0 << "Остановка Железнодорожный вокзал."
                           << "Next stop Central Market." << QStringList{"gong.wav", "vokzal.wav"}
                           << QStringList{"vokzal.txt"};
    QTest::newRow("quoted file name")
        << 1 << "Остановка Центральный рынок."
        << "Next stop Freedom Square." << QStringList{"gong.wav", "rynok.wav"}
        << QStringList{"market hours.txt"};
    QTest::newRow("end out") << 6 << "Остановка Микрорайон Северный. Конечная."
                             << "" << QStringList{"gong.wav", "severny.wav", "konechnaya.wav"}
                             << QStringList();
    QTest::newRow("first back") << 7 << "Остановка Микрорайон Северный."
                                << "Next stop City Hospital."
                                << QStringList{"gong.wav", "severny.wav"} << QStringList();
    QTest::newRow("end back") << 13 << "Остановка Железнодорожный вокзал. Конечная."
                              << "" << QStringList{"gong.wav", "vokzal.wav", "konechnaya.wav"}
                              << QStringList{"vokzal.txt"};
}

void TestExamples::stations()
{
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(QString, nextName1);
    QFETCH(QStringList, sounds);
    QFETCH(QStringList, texts);
    Route route(routeFolder);
    const Station *s = route.station(index);
    QVERIFY(s);
    QCOMPARE(s->name(0), name);
    QCOMPARE(s->nextName(1), nextName1);
    QCOMPARE(s->soundFiles(), sounds);
    QCOMPARE(s->textFiles(), texts);
    QVERIFY(s->coordinate().isValid());
    QVERIFY(!s->sideName(0).isEmpty() && !s->sideName(1).isEmpty());
}

void TestExamples::referencedFilesExist()
{
    Route route(routeFolder);
    for (const Station *s : route.stations())
        for (const QString &f : s->soundFiles() + s->textFiles())
            QVERIFY2(QFile::exists(routeFolder + "/" + f), qPrintable(f));
    for (const QString &f : route.adTextFiles())
        QVERIFY2(QFile::exists(adFolder + "/" + f), qPrintable(f));
}

// Two of the texts were left in Windows-1251 by an older tool; they must read the same.
void TestExamples::textFiles_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("start");
    QTest::newRow("Windows-1251 station text") << routeFolder + "/teatr.txt"
                                               << "<&F1 <&P08 Театр оперы и балета>";
    QTest::newRow("Windows-1251 ad text")
        << adFolder + "/skidki.txt"
        << "<&F1 <&G10 Скидки до 50% в торговом центре «Северный»!>";
    QTest::newRow("UTF-8 station text") << routeFolder + "/market hours.txt"
                                        << "<&F1 <&V05 Центральный рынок";
}

void TestExamples::textFiles()
{
    QFETCH(QString, path);
    QFETCH(QString, start);
    const QString text = decodeBytes(readFileHead(path));
    QVERIFY2(text.startsWith(start), qPrintable(text));
}

void TestExamples::saveKeepsBytes_data()
{
    QTest::addColumn<QString>("file");
    for (const char *f : {"route12/ost.txt", "route12/coord.txt", "route12/sidetab.txt",
                          "route12/script.txt", "route12/backtab.txt", "Reklama/rscript.txt"})
        QTest::newRow(f) << f;
}

void TestExamples::saveKeepsBytes()
{
    QFETCH(QString, file);
    {
        Route route(m_copy);
        QVERIFY(route.save());
    }
    const QByteArray original = testsupport::readAll(QStringLiteral(TESSALY_EXAMPLES "/") + file);
    QVERIFY(!original.isEmpty());
    QCOMPARE(testsupport::readAll(m_tmp.path() + "/" + file), original);
}

// Every open-ended stop has its next-stop texts in both languages, so the form neither
// asks how to read them nor finds anything to change.
void TestExamples::opensCleanInForm()
{
    RouteForm form;
    int asked = 0;
    form.setNextStopAsker([&asked](bool) {
        ++asked;
        return false;
    });
    form.openRoute(m_copy);
    QCOMPARE(asked, 0);
    QVERIFY(!form.canSave());
    QCOMPARE(form.route().stationCount(), 14);
}

QTEST_MAIN(TestExamples)
#include "tst_examples.moc"
