#include "stationrules.h"
#include "stationtestsupport.h"
#include "testsupport.h"

#include <QTest>

// The rules where the station page cannot reach them, or only through hidden buttons.
class TestStationRules : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::isolateSettings(); }

    void plans_data()
    {
        QTest::addColumn<bool>("separate");
        QTest::addColumn<QString>("route");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("plan"); // "%N" stands for the next word

        auto row = [](const char *name, bool sep, const char *route, const char *action,
                      const char *plan) {
            QTest::newRow(name) << sep << QString::fromUtf8(route) << QString::fromUtf8(action)
                                << QString::fromUtf8(plan);
        };
        row("rename first of back", false, "A B | C D", "rename 2 Остановка Z.",
            "name 2 «Остановка Z.»; side 2 «Z.»");
        row("rename first of back keeps the stop before", false, "A B>%N_C. | C D",
            "rename 2 Остановка Z.", "name 2 «Остановка Z.»; side 2 «Z.»");
        row("remove first", false, "A B C D", "remove 0", "del 0; back 3");
        row("remove last forward", false, "A B C | D E", "remove 2", "");
        row("remove one of two", false, "A B", "remove 1", "");
        row("add route row", false, "A B | C D", "add -1", "ins 3; next 3 «%N D.»; next 2 «%N»");
        row("add to empty", false, "", "add -1", "ins 0; back 1");
        row("next word", false, "A B>Скоро C | D E", "word Далее",
            "word «Далее»; next 0 «Далее B.»; next 3 «Далее E.»");
        row("sep append", true, "A ~ B ~ C", "add 4", "ins 5; ins 5; name 5 «%N»; back 7");
        row("sep add before lone last stop", true, "A ~ B | C", "add -1", "ins 3; name 3 «%N C.»");
        row("sep add after last forward", true, "A ~ B | C ~ D", "add 2", "");
        row("sep remove first", true, "A ~ B ~ C", "remove 0", "del 0; back 4");
        row("sep remove before last forward", true, "A ~ B ~ C | D", "remove 3", "");
        row("sep add next entry first", true, "A ~ B", "addNext 0",
            "ins 0; name 0 «%N A.»; back 4");
        row("sep add next entry middle", true, "A ~ B ~ C", "addNext 2", "");
        row("sep next word", true, "A ~ B ~Скоро C", "word Далее",
            "word «Далее»; name 1 «Далее B.»");
        row("sep next word leading entry", true, "~ A ~ B", "word Далее",
            "word «Далее»; name 2 «Далее B.»; name 0 «Далее A.»");
    }

    void plans()
    {
        QFETCH(bool, separate);
        QFETCH(QString, route);
        QFETCH(QString, action);
        QFETCH(QString, plan);

        Route r;
        testsupport::buildRoute(r, route);
        const StationRules rules(r, separate, 1);
        const QString verb = action.section(' ', 0, 0);
        const int at = action.section(' ', 1, 1).toInt();
        const StationRules::Plan result =
            verb == "rename"    ? rules.rename(at, 0, action.section(' ', 2))
            : verb == "word"    ? rules.changeNextWord(0, action.section(' ', 1))
            : verb == "add"     ? rules.addStop(at)
            : verb == "addNext" ? rules.addNextEntry(at)
                                : rules.remove(at);
        static const char *const kinds[] = {"ins", "del", "name", "next", "side", "word", "back"};
        QStringList items;
        for (const StationRules::Edit &e : result) {
            QString item = kinds[e.kind];
            if (e.kind != StationRules::Edit::NextWord)
                item += ' ' + QString::number(e.station);
            if (e.kind >= StationRules::Edit::Name && e.kind <= StationRules::Edit::NextWord)
                item += QStringLiteral(" «%1»").arg(e.text);
            items << item;
        }
        QCOMPARE(items.join("; "), plan.replace("%N", r.nextWord(0)));
    }

    void nextStopLayout_data()
    {
        QTest::addColumn<QString>("route");
        QTest::addColumn<int>("langCount");
        QTest::addColumn<bool>("clearWord");
        QTest::addColumn<QString>("decision"); // "ask yes", "ask no", "separate" or "joined"
        QTest::addColumn<QString>("separatePlan");
        QTest::addColumn<QString>("joinedPlan"); // "%N" stands for the next word

        auto row = [](const char *name, const char *route, int langs, bool clearWord,
                      const char *decision, const char *separatePlan, const char *joinedPlan) {
            QTest::newRow(name) << QString::fromUtf8(route) << langs << clearWord
                                << QString::fromUtf8(decision) << QString::fromUtf8(separatePlan)
                                << QString::fromUtf8(joinedPlan);
        };
        row("empty route", "", 1, false, "joined", "", "");
        row("one stop", "A", 1, false, "joined", "", "");
        row("combined", "A B C", 1, false, "joined", "", "");
        row("combined with back", "A B | C D", 1, false, "joined", "", "");
        row("entries", "A ~ B ~ C", 1, false, "separate", "", "");
        row("combined gap", "A B> C", 1, false, "ask no", "next 0 «»", "next 1 «%N C.»");
        row("combined gap without word", "A B> C", 1, true, "ask no", "next 0 «»",
            "word «Следующая остановка»; next 1 «Следующая остановка C.»");
        row("entries with a text", "A ~ B>Далее", 1, false, "ask yes", "next 2 «»",
            "next 0 «%N %N B.»; next 1 «%N B.»");
        row("first stop silent", "A> B | C D", 1, false, "ask yes", "next 2 «»", "next 0 «%N B.»");
        row("second language empty", "A B C", 2, false, "ask no", "next 0 «»; next 1 «»", "");
    }

    void nextStopLayout()
    {
        QFETCH(QString, route);
        QFETCH(int, langCount);
        QFETCH(bool, clearWord);
        QFETCH(QString, decision);
        QFETCH(QString, separatePlan);
        QFETCH(QString, joinedPlan);

        Route r;
        testsupport::buildRoute(r, route);
        const QString word = r.nextWord(0);
        if (clearWord)
            r.setNextWord(0, QString());
        auto describe = [](const StationRules::Plan &plan) {
            QStringList items;
            for (const StationRules::Edit &e : plan) {
                const QString at = e.kind == StationRules::Edit::NextWord
                                       ? QStringLiteral("word")
                                       : QStringLiteral("next %1").arg(e.station);
                items << QStringLiteral("%1 «%2»").arg(at, e.text);
            }
            return items.join("; ");
        };
        const StationRules::NextStopLayout layout = StationRules::nextStopLayout(r, langCount);
        QCOMPARE(layout.ask ? QString(layout.defaultYes ? "ask yes" : "ask no")
                            : QString(layout.separate ? "separate" : "joined"),
                 decision);
        QCOMPARE(describe(layout.plan(true)), separatePlan);
        QCOMPARE(describe(layout.plan(false)), joinedPlan.replace("%N", word));

        // The separate answer settles the question for good.
        StationRules::applyTexts(r, layout.plan(true));
        const StationRules::NextStopLayout settled = StationRules::nextStopLayout(r, langCount);
        QVERIFY(!settled.ask);
        QCOMPARE(settled.separate, layout.ask || layout.separate);
    }

    void coordinates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("formatted");

        QTest::newRow("comma between") << "55.75222, 37.61556"
                                       << "55.75222 37.61556";
        QTest::newRow("letters") << "N55.75222 E37.61556"
                                 << "55.75222 37.61556";
        QTest::newRow("short") << "55.7 37.6"
                               << "55.70000 37.60000";
        QTest::newRow("minus") << "-33.9 18.4"
                               << "-33.90000 18.40000";
        QTest::newRow("minus far east") << "64.73 -177.5"
                                        << "64.73000 -177.50000";
        QTest::newRow("unicode minus") << "\u221233.9 18.4"
                                       << "-33.90000 18.40000";
        QTest::newRow("decimal comma") << "55,75222 37,61556"
                                       << "55.75222 37.61556";
        QTest::newRow("decimal commas listed") << "55,75222, 37,61556"
                                               << "55.75222 37.61556";
        QTest::newRow("trailing separators") << "55. 37."
                                             << "55.00000 37.00000";
        QTest::newRow("second separator") << "1.2.3"
                                          << "1.20000 3.00000";
        QTest::newRow("other digits") << "\u0665\u0665.\u0667 \u0663\u0667.\u0666"
                                      << "55.70000 37.60000";
        QTest::newRow("latitude only") << "55.7"
                                       << "";
        QTest::newRow("words") << "нет координат"
                               << "";
        QTest::newRow("latitude out of range") << "91 10"
                                               << "";
        QTest::newRow("longitude out of range") << "10 -181"
                                                << "";
        QTest::newRow("edges") << "-90 180"
                               << "-90.00000 180.00000";
    }

    void coordinates()
    {
        QFETCH(QString, text);
        QFETCH(QString, formatted);

        const QGeoCoordinate c = StationRules::parseCoordinate(text);
        QCOMPARE(StationRules::formatCoordinate(c), formatted);
        QCOMPARE(c.isValid(), !formatted.isEmpty());
        // What the field shows reads back as the same coordinate.
        QCOMPARE(StationRules::formatCoordinate(StationRules::parseCoordinate(formatted)),
                 formatted);
    }
};

QTEST_GUILESS_MAIN(TestStationRules)
#include "tst_stationrules.moc"
