#include "route.h"
#include "testsupport.h"
#include "textrule.h"

#include <QRandomGenerator>
#include <QTest>

#include <functional>

namespace {

// A field of the record with the kind of place it is written to.
struct Field
{
    const char *name;
    TextRule::Kind kind;
    std::function<void(Route &, const QString &)> set;
    std::function<QString(const Route &)> get;
};

#define LANG_FIELD(getter, setter, lang, kind)                                                     \
    Field                                                                                          \
    {                                                                                              \
#getter " " #lang, kind,                                                                   \
            [](Route & r,                                                                          \
               const QString                                                                       \
                   &t) { r.setter(lang, t); }, [](const Route &r) { return r.getter(lang); }       \
    }
#define PLAIN_FIELD(getter, setter, kind)                                                          \
    Field                                                                                          \
    {                                                                                              \
#getter, kind,                                                                             \
            [](Route & r,                                                                          \
               const QString &t) { r.setter(t); }, [](const Route &r) { return r.getter(); }       \
    }
#define STATION_FIELD(getter, setter, lang, kind)                                                  \
    Field                                                                                          \
    {                                                                                              \
#getter " " #lang, kind,                                                                   \
            [](Route &r, const QString &t) { r.station(0)->setter(lang, t); },                     \
            [](const Route &r) { return r.station(0)->getter(lang); }       \
    }

const QList<Field> &fields()
{
    using K = TextRule::Kind;
    static const QList<Field> all = {
        PLAIN_FIELD(frontNumber, setFrontNumber, K::NumberText),
        PLAIN_FIELD(sideNumber, setSideNumber, K::NumberText),
        PLAIN_FIELD(backNumber, setBackNumber, K::NumberText),
        LANG_FIELD(frontStartingPoint, setFrontStartingPoint, 0, K::HeaderText),
        LANG_FIELD(frontDestination, setFrontDestination, 0, K::HeaderText),
        LANG_FIELD(sideStartingPoint, setSideStartingPoint, 0, K::HeaderText),
        LANG_FIELD(sideDestination, setSideDestination, 0, K::HeaderText),
        LANG_FIELD(backStartingPoint, setBackStartingPoint, 0, K::HeaderText),
        LANG_FIELD(backDestination, setBackDestination, 0, K::HeaderText),
        LANG_FIELD(frontStartingPoint, setFrontStartingPoint, 1, K::PairText),
        LANG_FIELD(frontDestination, setFrontDestination, 1, K::PairText),
        LANG_FIELD(sideDestination, setSideDestination, 1, K::PairText),
        LANG_FIELD(backStartingPoint, setBackStartingPoint, 1, K::PairText),
        PLAIN_FIELD(sideSeparator, setSideSeparator, K::SeparatorText),
        LANG_FIELD(routeText, setRouteText, 0, K::LineText),
        LANG_FIELD(salonTempText, setSalonTempText, 1, K::LineText),
        LANG_FIELD(outsideTempText, setOutsideTempText, 0, K::LineText),
        LANG_FIELD(stationWord, setStationWord, 0, K::LineText),
        LANG_FIELD(nextWord, setNextWord, 1, K::LineText),
        STATION_FIELD(name, setName, 0, K::PairText),
        STATION_FIELD(name, setName, 1, K::PairText),
        STATION_FIELD(nextName, setNextName, 0, K::PairText),
        STATION_FIELD(nextName, setNextName, 1, K::PairText),
        STATION_FIELD(sideName, setSideName, 0, K::LineText),
        STATION_FIELD(sideName, setSideName, 1, K::LineText),
    };
    return all;
}

// The text as the field holds it after a save and a load, with the boards in a mode.
QString roundTrip(const Field &field, const QString &text, int mode)
{
    Route route;
    route.newRoute(QStringLiteral("/r/route"));
    route.setFrontMode(mode);
    route.setSideMode(mode);
    route.setBackMode(mode);
    // A second language in use, as when its texts are edited.
    for (Station *s : route.stations())
        s->setName(1, QStringLiteral("Stop"));
    field.set(route, text);
    Route back;
    back.loadFiles(route.path(), route.fileBytes());
    return field.get(back);
}

} // namespace

// The rule against the real writers and readers.
class TestTextRule : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::isolateSettings(); }

    // Texts the rule lets through come back whole in every field of their kind.
    void acceptedTextsSurvive()
    {
        const char *const pieces[] = {"\\", "\\\\", "_", "C", "S",  "x", "\"", "\r", "\n",
                                      " ",  ";",    "а", "1", "_C", "'", ":",  "  "};
        QRandomGenerator random(26);
        int accepted = 0;
        for (int n = 0; n < 5000; ++n) {
            QString text;
            const int count = random.bounded(1, 7);
            for (int i = 0; i < count; ++i)
                text += QString::fromUtf8(pieces[random.bounded(int(std::size(pieces)))]);
            const Field &field = fields().at(random.bounded(fields().size()));
            if (!TextRule::survivesSave(field.kind, text))
                continue;
            ++accepted;
            const QString expected = text.trimmed();
            for (int mode : {0, ModeStatic | ModeCenter}) {
                const QString back = roundTrip(field, expected, mode);
                if (back != expected)
                    QFAIL(qPrintable(QStringLiteral("%1: «%2» came back as «%3»")
                                         .arg(QLatin1String(field.name), expected, back)));
            }
        }
        QVERIFY(accepted > 500);
    }

    // What reloaded as something else before the rule is refused now.
    void knownLossesRefused_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("number with separator") << int(TextRule::NumberText) << "1\\\\2";
        QTest::newRow("station with separator") << int(TextRule::PairText) << "A\\\\B";
        QTest::newRow("mode suffix") << int(TextRule::HeaderText) << "Depot_C";
        QTest::newRow("line break") << int(TextRule::LineText) << "a\nb";
        QTest::newRow("option separator") << int(TextRule::SeparatorText) << "hh;mm";
    }
    void knownLossesRefused()
    {
        QFETCH(int, kind);
        QFETCH(QString, text);
        QVERIFY(!TextRule::survivesSave(TextRule::Kind(kind), text));
    }
};

QTEST_GUILESS_MAIN(TestTextRule)
#include "tst_textrule.moc"
