// The route record: station list, text helpers, side names, mode suffixes, clearing.
#include "route.h"
#include "testsupport.h"

#include <QtTest>

namespace {

// Stations named "Остановка S<i>" / "Stop S<i>" with the side names preset to "-".
void addStations(Route &route, int count)
{
    for (int i = 0; i < count; ++i) {
        auto *s = new Station;
        s->setName(0, QStringLiteral("Остановка S%1").arg(i));
        s->setName(1, QStringLiteral("Stop S%1").arg(i));
        s->setSideName(0, QStringLiteral("-"));
        s->setSideName(1, QStringLiteral("-"));
        route.insertStation(route.stationCount(), s);
    }
}

QString names(const Route &route)
{
    QStringList list;
    for (const Station *s : route.stations())
        list << s->name(0);
    return list.join(QLatin1Char(','));
}

} // namespace

class TestRoute : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::isolateSettings(); }

    void newRecord()
    {
        const Route route;
        QVERIFY(route.path().isEmpty());
        QCOMPARE(route.stationCount(), 0);
        QCOMPARE(route.backStationIndex(), 0);
        QVERIFY(!route.frontNumberColor().isValid());
        QCOMPARE(route.frontMode() | route.sideMode() | route.backMode(), 0);
        const Station station;
        QCOMPARE(int(station.radius()), 25);
        QVERIFY(!station.coordinate().isValid());
    }

    void stationIndexAndBackDirection_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("back");
        QTest::addColumn<bool>("hasBack");
        QTest::newRow("no stations") << 0 << 0 << false;
        QTest::newRow("back at count") << 3 << 3 << false;
        QTest::newRow("back at 0") << 1 << 0 << true;
        QTest::newRow("back in the middle") << 4 << 2 << true;
        QTest::newRow("back negative") << 3 << -1 << false;
        QTest::newRow("back beyond") << 3 << 7 << false;
    }
    void stationIndexAndBackDirection()
    {
        QFETCH(int, count);
        QFETCH(int, back);
        QFETCH(bool, hasBack);
        Route route;
        addStations(route, count);
        route.setBackStationIndex(back);
        QCOMPARE(route.hasBackDirection(), hasBack);
        QVERIFY(!route.station(-1));
        QVERIFY(!route.station(count));
        if (count > 0)
            QCOMPARE(route.station(count - 1)->name(0),
                     QStringLiteral("Остановка S%1").arg(count - 1));
    }

    void insertNewStation_data()
    {
        QTest::addColumn<QString>("word0");
        QTest::addColumn<QString>("word1");
        QTest::addColumn<QString>("name0");
        QTest::addColumn<QString>("name1");
        QTest::newRow("first language only") << QStringLiteral("Остановка") << QString()
                                             << QStringLiteral("Остановка ") << QString();
        QTest::newRow("both") << QStringLiteral(" Остановка  ") << QStringLiteral("Stop")
                              << QStringLiteral("Остановка ") << QStringLiteral("Stop ");
        QTest::newRow("no words") << QString() << QString() << QString() << QString();
    }
    void insertNewStation()
    {
        QFETCH(QString, word0);
        QFETCH(QString, word1);
        QFETCH(QString, name0);
        QFETCH(QString, name1);
        Route route;
        addStations(route, 2);
        route.setStationWord(0, word0);
        route.setStationWord(1, word1);
        route.insertStation(route.stationCount());
        QCOMPARE(route.stationCount(), 3);
        const Station *s = route.station(2);
        QCOMPARE(s->name(0), name0);
        QCOMPARE(s->name(1), name1);
        QVERIFY(s->nextName(0).isEmpty() && s->sideName(0).isEmpty());
        QVERIFY(s->soundFiles().isEmpty() && s->textFiles().isEmpty());
        QCOMPARE(int(s->radius()), 25);
        QVERIFY(!s->coordinate().isValid());
    }

    void insertTakeRemove()
    {
        Route route;
        addStations(route, 3);
        route.setBackStationIndex(2);
        auto *extra = new Station;
        extra->setName(0, QStringLiteral("X"));
        route.insertStation(1, extra);
        QCOMPARE(names(route), QStringLiteral("Остановка S0,X,Остановка S1,Остановка S2"));

        Station *taken = route.takeStation(1);
        QCOMPARE(taken, extra);
        route.removeStation(0);
        route.removeStation(5); // out of range: nothing happens
        QVERIFY(!route.takeStation(-1));
        QCOMPARE(names(route), QStringLiteral("Остановка S1,Остановка S2"));
        // The list operations leave the back index to the caller.
        QCOMPARE(route.backStationIndex(), 2);
        route.insertStation(route.stationCount(), taken); // the route owns it again
        QCOMPARE(route.station(2), taken);
    }

    void wordsAreTrimmed()
    {
        Route route;
        route.setStationWord(1, QStringLiteral("  Stop \t"));
        route.setNextWord(0, QStringLiteral(" Следующая остановка "));
        QCOMPARE(route.stationWord(1), QStringLiteral("Stop"));
        QCOMPARE(route.nextWord(0), QStringLiteral("Следующая остановка"));
    }

    void sideNameFromText_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("side");
        const QString w = QStringLiteral("Остановка");
        QTest::newRow("plain") << w << QStringLiteral("Остановка Пункт А.")
                               << QStringLiteral("Пункт А.");
        QTest::newRow("quoted, full stop")
            << w << QStringLiteral("Остановка \"Парк\".") << QStringLiteral("Парк");
        QTest::newRow("quoted at end")
            << w << QStringLiteral("Остановка \"Парк\"") << QStringLiteral("Парк");
        QTest::newRow("only the word") << w << w << QString();
        QTest::newRow("other word")
            << w << QStringLiteral("Конечная") << QStringLiteral("Конечная");
        QTest::newRow("case differs")
            << w << QStringLiteral("остановка Парк") << QStringLiteral("остановка Парк");
        QTest::newRow("quote not at end") << w << QStringLiteral("Остановка \"Парк\" у моста")
                                          << QStringLiteral("\"Парк\" у моста");
        QTest::newRow("even quotes") << w << QStringLiteral("Остановка \"Парк \"Север\"")
                                     << QStringLiteral("Парк \"Север\"");
        QTest::newRow("unclosed quote")
            << w << QStringLiteral("Остановка \"Парк") << QStringLiteral("\"Парк");
        QTest::newRow("lone quote") << w << QStringLiteral("Остановка \"") << QString();
        QTest::newRow("no space after word")
            << w << QStringLiteral("ОстановкаПарк") << QStringLiteral("Парк");
        QTest::newRow("no word set")
            << QString() << QStringLiteral("  Парк ") << QStringLiteral("Парк");
    }
    void sideNameFromText()
    {
        QFETCH(QString, word);
        QFETCH(QString, text);
        QFETCH(QString, side);
        Route route;
        route.setStationWord(1, word);
        route.setStationWord(0, QStringLiteral("Other"));
        QCOMPARE(route.sideNameFromText(1, text), side);
    }

    void nextAndStationText_data()
    {
        QTest::addColumn<bool>("toNext");
        QTest::addColumn<QString>("stationWord");
        QTest::addColumn<QString>("nextWord");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("result");
        const QString st = QStringLiteral("Остановка");
        const QString nx = QStringLiteral("Следующая остановка");
        QTest::newRow("to next") << true << st << nx << QStringLiteral("Остановка Вокзал.")
                                 << QStringLiteral("Следующая остановка Вокзал.");
        QTest::newRow("to next, no next word")
            << true << st << QString() << QStringLiteral("Остановка Вокзал.")
            << QStringLiteral("Вокзал.");
        QTest::newRow("to next, word only")
            << true << st << nx << QStringLiteral("Остановка  ") << nx;
        QTest::newRow("to next, no prefix") << true << st << nx << QStringLiteral("Вокзал. ")
                                            << QStringLiteral("Следующая остановка Вокзал.");
        QTest::newRow("to station")
            << false << st << nx << QStringLiteral("Следующая остановка Вокзал. Конечная.")
            << QStringLiteral("Остановка Вокзал. Конечная.");
        QTest::newRow("to station, no station word")
            << false << QString() << nx << QStringLiteral("Следующая остановка Вокзал.")
            << QStringLiteral("Вокзал.");
        QTest::newRow("both empty") << false << QString() << QString() << QString() << QString();
    }
    void nextAndStationText()
    {
        QFETCH(bool, toNext);
        QFETCH(QString, stationWord);
        QFETCH(QString, nextWord);
        QFETCH(QString, text);
        QFETCH(QString, result);
        Route route;
        // Language 1 holds the words under test; language 0 must not be used.
        route.setStationWord(0, QStringLiteral("Zero"));
        route.setNextWord(0, QStringLiteral("Zero next"));
        route.setStationWord(1, stationWord);
        route.setNextWord(1, nextWord);
        QCOMPARE(toNext ? route.nextTextFromStationText(1, text)
                        : route.stationTextFromNextText(1, text),
                 result);
    }

    void adFolderRelative_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("adPath");
        QTest::addColumn<QString>("relative");
        QTest::newRow("inside") << QStringLiteral("C:/routes/12")
                                << QStringLiteral("C:/routes/12/Rek") << QStringLiteral("/12/Rek");
        QTest::newRow("beside") << QStringLiteral("C:/routes/12")
                                << QStringLiteral("C:/routes/Reklama")
                                << QStringLiteral("/Reklama");
        QTest::newRow("no ad folder") << QStringLiteral("/r/12") << QString() << QString();
        QTest::newRow("no route folder")
            << QString() << QStringLiteral("C:/x") << QStringLiteral("C:/x");
    }
    void adFolderRelative()
    {
        QFETCH(QString, path);
        QFETCH(QString, adPath);
        QFETCH(QString, relative);
        Route route;
        route.setPath(path);
        route.setAdPath(adPath);
        QCOMPARE(route.adFolderRelative(), relative);
    }

    void fillSideNames_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("firstHasNext");
        QTest::addColumn<int>("back");
        QTest::addColumn<QString>("sides");
        QTest::newRow("none") << 0 << false << 0 << QString();
        QTest::newRow("one, no back") << 1 << false << 1 << QStringLiteral("S0");
        QTest::newRow("one, back 0") << 1 << false << 0 << QStringLiteral("S0");
        QTest::newRow("step 1") << 4 << true << 2 << QStringLiteral("S0,S1,S2,S3");
        QTest::newRow("step 2, back 2 of 4") << 4 << false << 2 << QStringLiteral("-,S1,-,S3");
        QTest::newRow("step 2, back 2 of 5") << 5 << false << 2 << QStringLiteral("-,S1,S2,-,S4");
        QTest::newRow("step 2, back 3 of 5") << 5 << false << 3 << QStringLiteral("S0,-,S2,-,S4");
        QTest::newRow("step 2, no back direction")
            << 5 << false << 5 << QStringLiteral("S0,-,S2,-,S4");
        QTest::newRow("step 2, back 0") << 5 << false << 0 << QStringLiteral("S0,-,S2,-,S4");
        QTest::newRow("back negative") << 5 << false << -2 << QStringLiteral("S0,-,S2,-,S4");
        // The forward walk keeps its stepping from an index past the end.
        QTest::newRow("back 7 of 5") << 5 << false << 7 << QStringLiteral("S0,-,S2,-,S4");
        QTest::newRow("back 8 of 5") << 5 << false << 8 << QStringLiteral("-,S1,-,S3,-");
        QTest::newRow("back far beyond")
            << 5 << false << 2000000001 << QStringLiteral("S0,-,S2,-,S4");
        QTest::newRow("back far below") << 3 << false << -2000000000 << QStringLiteral("S0,-,S2");
    }
    void fillSideNames()
    {
        QFETCH(int, count);
        QFETCH(bool, firstHasNext);
        QFETCH(int, back);
        QFETCH(QString, sides);
        Route route;
        route.setStationWord(0, QStringLiteral("Остановка"));
        route.setStationWord(1, QStringLiteral("Stop"));
        addStations(route, count);
        if (firstHasNext)
            route.station(0)->setNextName(0, QStringLiteral("Следующая"));
        route.setBackStationIndex(back);
        route.fillSideNames();
        QStringList side0;
        for (const Station *s : route.stations()) {
            side0 << s->sideName(0);
            QCOMPARE(s->sideName(1), s->sideName(0)); // both languages are filled
        }
        QCOMPARE(side0.join(QLatin1Char(',')), sides);
    }

    void modeFromSuffix_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArray>("rest");
        QTest::newRow("two flags") << QByteArray("Пункт_Б_S_C") << 9 << QByteArray("Пункт_Б");
        QTest::newRow("unknown letter removed")
            << QByteArray("Центр_X") << 0 << QByteArray("Центр");
        QTest::newRow("one flag") << QByteArray("A_S") << 1 << QByteArray("A");
        QTest::newRow("suffix only") << QByteArray("_S") << 1 << QByteArray();
        QTest::newRow("one character") << QByteArray("S") << 0 << QByteArray("S");
        QTest::newRow("empty") << QByteArray() << 0 << QByteArray();
        QTest::newRow("all letters") << QByteArray("B_M_V_N_S_C") << 31 << QByteArray("B");
        QTest::newRow("double underscore") << QByteArray("A__S") << 1 << QByteArray("A_");
        QTest::newRow("pair inside only") << QByteArray("A_Sx") << 0 << QByteArray("A_Sx");
    }
    void modeFromSuffix()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, mode);
        QFETCH(QByteArray, rest);
        QCOMPARE(Route::modeFromSuffix(text), mode);
        QCOMPARE(text, rest);
    }

    void suffixFromMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArray>("suffix");
        QTest::newRow("none") << 0 << QByteArray();
        QTest::newRow("static and centre") << 9 << QByteArray("_S_C");
        QTest::newRow("all") << 31 << QByteArray("_S_N_V_C_M");
        QTest::newRow("unknown bit") << 32 << QByteArray();
        QTest::newRow("order") << (ModeMoscow | ModeOnlyDestination) << QByteArray("_N_M");
    }
    void suffixFromMode()
    {
        QFETCH(int, mode);
        QFETCH(QByteArray, suffix);
        QCOMPARE(Route::suffixFromMode(mode), suffix);
        QByteArray text = "X" + suffix;
        QCOMPARE(Route::modeFromSuffix(text), mode & 31);
    }

    void clearKeepsSettings()
    {
        Route route;
        route.setPath(QStringLiteral("/r/1"));
        route.setAdPath(QStringLiteral("/r/Reklama"));
        route.setFrontNumber(QStringLiteral("1"));
        route.setSideNumber(QStringLiteral("2"));
        route.setBackNumber(QStringLiteral("3"));
        for (int lang = 0; lang < 2; ++lang) {
            route.setFrontStartingPoint(lang, QStringLiteral("a"));
            route.setFrontDestination(lang, QStringLiteral("b"));
            route.setSideStartingPoint(lang, QStringLiteral("c"));
            route.setSideDestination(lang, QStringLiteral("d"));
            route.setBackStartingPoint(lang, QStringLiteral("e"));
            route.setBackDestination(lang, QStringLiteral("f"));
            route.setStationWord(lang, QStringLiteral("g"));
            route.setNextWord(lang, QStringLiteral("h"));
            route.setRouteText(lang, QStringLiteral("i"));
            route.setOutsideTempText(lang, QStringLiteral("j"));
            route.setSalonTempText(lang, QStringLiteral("k"));
        }
        route.adTextFiles() << QStringLiteral("ad.txt");
        addStations(route, 3);
        route.setBackStationIndex(2);
        route.setNextDelay(9);
        route.setSideSeparator(QStringLiteral("hh:mm"));
        route.setSalonTabloOrder("(M)1");
        route.setFrontNumberColor(QColor(0xf0, 0, 0));
        route.setFrontMode(ModeCenter);
        route.setFrontInterval(7);

        route.clear();

        QCOMPARE(route.stationCount(), 0);
        QCOMPARE(route.backStationIndex(), 0);
        QVERIFY(route.adTextFiles().isEmpty());
        const QStringList emptied{route.path(), route.adPath(), route.frontNumber(),
                                  route.sideNumber(), route.backNumber()};
        QCOMPARE(emptied.join(QString()), QString());
        for (int lang = 0; lang < 2; ++lang) {
            const QStringList texts{route.frontStartingPoint(lang), route.frontDestination(lang),
                                    route.sideStartingPoint(lang),  route.sideDestination(lang),
                                    route.backStartingPoint(lang),  route.backDestination(lang),
                                    route.stationWord(lang),        route.nextWord(lang),
                                    route.routeText(lang),          route.outsideTempText(lang),
                                    route.salonTempText(lang)};
            QCOMPARE(texts.join(QString()), QString());
        }
        QCOMPARE(route.nextDelay(), 9);
        QCOMPARE(route.sideSeparator(), QStringLiteral("hh:mm"));
        QCOMPARE(route.salonTabloOrder(), QByteArray("(M)1"));
        QCOMPARE(route.frontNumberColor(), QColor(0xf0, 0, 0));
        QCOMPARE(route.frontMode(), int(ModeCenter));
        QCOMPARE(route.frontInterval(), 7);
    }
};

QTEST_GUILESS_MAIN(TestRoute)
#include "tst_route.moc"
