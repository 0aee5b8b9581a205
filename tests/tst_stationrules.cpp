#include "route.h"
#include "stationrules.h"
#include "stationtestsupport.h"
#include "testsupport.h"

#include <QTest>

namespace {

QString describe(const StationRules::Plan &plan)
{
    static const char *const kinds[] = {"ins", "del", "name", "next", "side", "word", "back"};
    QStringList out;
    for (const StationRules::Edit &e : plan) {
        QString item = QLatin1String(kinds[e.kind]);
        if (e.kind != StationRules::Edit::NextWord)
            item += QLatin1Char(' ') + QString::number(e.station);
        if (e.kind >= StationRules::Edit::Name && e.kind <= StationRules::Edit::NextWord)
            item += QStringLiteral(" «%1»").arg(e.text);
        out << item;
    }
    return out.join(QLatin1String("; "));
}

} // namespace

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
        QTest::addColumn<int>("station");
        QTest::addColumn<QString>("plan");

        const QString word = QStringLiteral("Следующая остановка");
        auto row = [](const char *name, bool separate, const char *route, const char *action,
                      int station, const QString &plan) {
            QTest::newRow(name) << separate << QString::fromUtf8(route) << QString::fromUtf8(action)
                                << station << plan;
        };
        // Combined layout.
        row("rename follows", false, "A B C Вокзал E", "rename Остановка Рынок.", 3,
            "name 3 «Остановка Рынок.»; side 3 «Рынок.»; next 2 «" + word + " Рынок.»");
        row("rename keeps hand-written", false, "A B C>Скоро Вокзал E", "rename Остановка Рынок.",
            3, "name 3 «Остановка Рынок.»; side 3 «Рынок.»");
        row("rename first of back", false, "A B | C D", "rename Остановка Z.", 2,
            "name 2 «Остановка Z.»; side 2 «Z.»");
        row("remove middle", false, "A B C D", "remove", 1,
            "del 1; next 0 «" + word + " C.»; back 3");
        row("remove last", false, "A B C D", "remove", 3, "del 3; next 2 «»; back 3");
        row("remove first", false, "A B C D", "remove", 0, "del 0; back 3");
        row("remove first of back", false, "A B C | D E F", "remove", 3, "del 3");
        row("remove last forward", false, "A B C | D E", "remove", 2, "");
        row("remove one of two", false, "A B", "remove", 1, "");
        row("add middle", false, "A B C D", "add", 1,
            "ins 2; next 2 «" + word + " C.»; next 1 «" + word + "»; back 5");
        row("add last with back", false, "A B | C D", "add", 3,
            "ins 3; next 3 «" + word + " D.»; next 2 «" + word + "»");
        row("add route row", false, "A B | C D", "add", -1,
            "ins 3; next 3 «" + word + " D.»; next 2 «" + word + "»");
        row("append", false, "A B C", "add", 2, "ins 3; next 2 «" + word + "»; back 4");
        row("add to empty", false, "", "add", -1, "ins 0; back 1");
        row("next word", false, "A B>Скоро C | D E", "word Далее", 0,
            "word «Далее»; next 0 «Далее B.»; next 3 «Далее E.»");
        // Separate layout.
        row("sep rename", true, "A ~ B ~ C", "rename Остановка Рынок.", 2,
            "name 2 «Остановка Рынок.»; side 2 «Рынок.»; name 1 «" + word + " Рынок.»");
        row("sep add after stop", true, "A ~ B ~ C", "add", 2,
            "ins 3; ins 3; name 3 «" + word + "»; back 7");
        row("sep add at next entry", true, "A ~ B ~ C", "add", 1,
            "ins 1; ins 1; name 1 «" + word + "»; back 7");
        row("sep append", true, "A ~ B ~ C", "add", 4,
            "ins 5; ins 5; name 5 «" + word + "»; back 7");
        row("sep add route row", true, "A ~ B | C ~ D", "add", -1,
            "ins 4; ins 4; name 4 «" + word + "»");
        row("sep add before lone last stop", true, "A ~ B | C", "add", -1,
            "ins 3; name 3 «" + word + " C.»");
        row("sep add after last forward", true, "A ~ B | C ~ D", "add", 2, "");
        row("sep remove stop", true, "A ~ B ~ C", "remove", 2, "del 2; del 1; back 3");
        row("sep remove next entry", true, "A ~ B ~ C", "remove", 3, "del 3; del 3; back 3");
        row("sep remove first", true, "A ~ B ~ C", "remove", 0, "del 0; back 4");
        row("sep remove first of back", true, "A ~ B | C ~ D", "remove", 3, "del 3");
        row("sep remove before last forward", true, "A ~ B ~ C | D", "remove", 3, "");
        row("sep add next entry first", true, "A ~ B", "addNext", 0,
            "ins 0; name 0 «" + word + " A.»; back 4");
        row("sep add next entry back", true, "A ~ B | C ~ D", "addNext", 3,
            "ins 3; name 3 «" + word + " C.»");
        row("sep add next entry middle", true, "A ~ B ~ C", "addNext", 2, "");
        row("sep next word", true, "A ~ B ~Скоро C", "word Далее", 0,
            "word «Далее»; name 1 «Далее B.»");
        row("sep next word leading entry", true, "~ A ~ B", "word Далее", 0,
            "word «Далее»; name 2 «Далее B.»; name 0 «Далее A.»");
        row("sep next word unchanged", true, "A ~ B", "word Следующая остановка", 0, "");
    }

    void plans()
    {
        QFETCH(bool, separate);
        QFETCH(QString, route);
        QFETCH(QString, action);
        QFETCH(int, station);
        QFETCH(QString, plan);

        Route r;
        testsupport::buildRoute(r, route);
        const StationRules rules(r, separate, 1);
        const QString verb = action.section(QLatin1Char(' '), 0, 0);
        const QString arg = action.section(QLatin1Char(' '), 1);
        StationRules::Plan result;
        if (verb == QLatin1String("rename"))
            result = rules.rename(station, 0, arg);
        else if (verb == QLatin1String("word"))
            result = rules.changeNextWord(0, arg);
        else if (verb == QLatin1String("add"))
            result = rules.addStop(station);
        else if (verb == QLatin1String("addNext"))
            result = rules.addNextEntry(station);
        else
            result = rules.remove(station);
        QCOMPARE(describe(result), plan);
    }

    void autoTexts_data()
    {
        QTest::addColumn<bool>("separate");
        QTest::addColumn<QString>("route");
        QTest::addColumn<int>("station");
        QTest::addColumn<QString>("stationName"); // "-": its field is hidden
        QTest::addColumn<QString>("nextName");

        QTest::newRow("first") << false << "A B | C D" << 0 << "Остановка"
                               << "Следующая остановка B.";
        QTest::newRow("last forward") << false << "A B | C D" << 1 << "Остановка B."
                                      << "";
        QTest::newRow("first of back") << false << "A B | C D" << 2 << "Остановка"
                                       << "Следующая остановка D.";
        QTest::newRow("hand-written before") << false << "A>Скоро B C" << 1 << "Остановка Скоро"
                                             << "Следующая остановка C.";
        QTest::newRow("sep stop") << true << "A ~ B" << 2 << "Остановка B."
                                  << "";
        QTest::newRow("sep next entry") << true << "A ~ B" << 1 << "-"
                                        << "Следующая остановка B.";
        QTest::newRow("sep first of back") << true << "A ~ B | C" << 3 << "Остановка"
                                           << "";
    }

    void autoTexts()
    {
        QFETCH(bool, separate);
        QFETCH(QString, route);
        QFETCH(int, station);
        QFETCH(QString, stationName);
        QFETCH(QString, nextName);

        Route r;
        testsupport::buildRoute(r, route);
        const StationRules rules(r, separate, 1);
        if (stationName != QLatin1String("-"))
            QCOMPARE(rules.autoStationName(station, 0), stationName);
        QCOMPARE(rules.autoNextName(station, 0), nextName);
    }

    void coordinates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("formatted");

        QTest::newRow("comma between") << "55.75222, 37.61556"
                                       << "55.75222 37.61556";
        QTest::newRow("letters") << "N55.75222 E37.61556"
                                 << "55.75222 37.61556";
        QTest::newRow("minus") << "-33.9 18.4"
                               << "-33.90000 18.40000";
        QTest::newRow("minus far east") << "64.73 -177.5"
                                        << "64.73000 -177.50000";
        QTest::newRow("unicode minus") << "\u221233.9 18.4"
                                       << "-33.90000 18.40000";
        QTest::newRow("spaced dash") << "33.9 - 18.4"
                                     << "33.90000 18.40000";
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
        QTest::newRow("empty") << ""
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

    void formatCoordinate()
    {
        QCOMPARE(StationRules::formatCoordinate(QGeoCoordinate(55.7, 37.6)),
                 QStringLiteral("55.70000 37.60000"));
        QCOMPARE(StationRules::formatCoordinate(QGeoCoordinate()), QString());
    }
};

QTEST_GUILESS_MAIN(TestStationRules)
#include "tst_stationrules.moc"
