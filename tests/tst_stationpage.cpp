#include "filetestsupport.h"
#include "foldertree.h"
#include "fronttablowidget.h"
#include "mainwindow.h"
#include "routeform.h"
#include "routemodel.h"
#include "stationrules.h"
#include "stationtestsupport.h"
#include "testsupport.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

namespace {

template <typename T = QWidget> T *child(const QWidget &w, const char *name)
{
    return w.findChild<T *>(QLatin1String(name));
}

bool separate(const RouteForm &form)
{
    return child<QAbstractButton>(form, "nextSeparateCheck")->isChecked();
}

// Everything station editing may change, as one text.
QString dump(const RouteForm &form)
{
    const Route &r = form.route();
    QStringList out{QString::number(separate(form)),
                    QString::number(r.backStationIndex()),
                    r.stationWord(0),
                    r.nextWord(0),
                    r.stationWord(1),
                    r.nextWord(1)};
    for (const Station *s : r.stations()) {
        for (int l = 0; l < 2; ++l)
            out << s->name(l) << s->nextName(l) << s->sideName(l);
        out << s->soundFiles() << s->textFiles() << QString::number(s->radius())
            << StationRules::formatCoordinate(s->coordinate());
    }
    return out.join('|');
}

// A route written as a line of tokens (buildRoute), saved to path and opened in the form;
// with two languages the second one repeats the first.
void openLine(RouteForm &form, const QString &path, const QString &line, bool twoLangs = false)
{
    Route route;
    route.newRoute(path);
    testsupport::buildRoute(route, line);
    if (twoLangs) {
        route.setStationWord(1, route.stationWord(0));
        route.setNextWord(1, route.nextWord(0));
        for (Station *s : route.stations()) {
            s->setName(1, s->name(0));
            s->setNextName(1, s->nextName(0));
            s->setSideName(1, s->sideName(0));
        }
    }
    QDir().mkpath(route.adPath());
    QVERIFY(route.save());
    form.setNextStopAsker([](bool defaultYes) { return defaultYes; });
    form.openRoute(path);
}

void select(RouteForm &form, int station)
{
    auto *list = child<QAbstractItemView>(form, "stationList");
    const QModelIndex index = form.stationModel()->index(station + 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
}

void type(QWidget *field, const QString &text, bool finish = true)
{
    field->setFocus();
    QMetaObject::invokeMethod(field, "selectAll");
    for (const QChar c : text) // keyClicks takes only ASCII
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    if (finish)
        QTest::keyClick(field, Qt::Key_Return);
}

// "key=value": n, B, cur, steps, sep; <station>.name, .next, .side, .coord, .radius;
// edit:<line edit>; shown:<widget>; sideTablo (the side preview's stations).
QString check(const RouteForm &form, const QString &key)
{
    const Route &r = form.route();
    const QByteArray name = key.section(':', 1).toLatin1();
    if (key.startsWith("edit:"))
        return child<QLineEdit>(form, name)->text();
    if (key == "sideTablo")
        return child<FrontTabloWidget>(form, "sideTabloWdt")->stationNames(0).join('|');
    if (key.startsWith("shown:"))
        return QString::number(child(form, name)->isVisible());
    const QMap<QString, int> numbers{{"n", r.stationCount()},
                                     {"B", r.backStationIndex()},
                                     {"cur", form.currentStation()},
                                     {"steps", form.undoStack()->index()},
                                     {"sep", separate(form)}};
    if (numbers.contains(key))
        return QString::number(numbers.value(key));
    const Station *s = r.station(key.section('.', 0, 0).toInt());
    const QString field = key.section('.', 1);
    return !s                  ? QStringLiteral("none")
           : field == "name"   ? s->name(0)
           : field == "next"   ? s->nextName(0)
           : field == "side"   ? s->sideName(0)
           : field == "radius" ? QString::number(s->radius())
                               : StationRules::formatCoordinate(s->coordinate());
}

} // namespace

class TestStationPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::isolateSettings(); }

    void widgetEvents_data()
    {
        QTest::addColumn<QString>("route");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("checks"); // "%N" stands for the next word

        auto row = [](const char *name, const char *route, const char *script, const char *checks) {
            QTest::newRow(name) << QString::fromUtf8(route) << QString::fromUtf8(script)
                                << QString::fromUtf8(checks);
        };
        row("rename follows, hand-written stays", "A B C Вокзал E F",
            "sel 2; type nextNameEdit Скоро; sel 3; type stationNameEdit Остановка Рынок.; "
            "sel 5; type stationNameEdit Остановка Парк.",
            "3.side=Рынок.; 2.next=Скоро; 4.next=%N Парк.; 5.side=Парк.; steps=3");
        row("add before last with back", "A B | C D", "sel 3; click addStationBtn",
            "n=5; B=2; cur=3; 3.next=%N D.; 2.next=%N; edit:stationNameEdit=Остановка ");
        row("append", "A B C", "sel 2; click addStationBtn; type stationNameEdit Остановка D.",
            "n=4; B=4; 3.side=D.; 3.next=; 2.next=%N D.");
        row("remove middle, then last", "A B C D E",
            "sel 1; click removeStationBtn; sel 3; click removeStationBtn",
            "n=3; B=3; cur=-1; 0.next=%N C.; 2.next=; shown:routePage=1");
        row("last forward", "A B C | D E", "sel 2",
            "shown:removeStationBtn=0; shown:nextStationWidget=0; shown:addNextStationBtn=0");
        row("auto buttons", "A B | C D",
            "sel 2; click autoStationNameBtn; sel 0; type nextNameEdit x; click autoNextNameBtn; "
            "type sideNameEdit y; click autoSideNameBtn",
            "2.name=Остановка; 2.side=C.; 0.next=%N B.; 0.side=A.; steps=5");
        row("next word", "A B C", "sel 1; type nextNameEdit Скоро; sel -1; type nextWordEdit Далее",
            "0.next=Далее B.; 1.next=Скоро; steps=2");
        row("coordinate", "A B", "sel 1; type coordEdit -33,9 18,4; sel 0; type coordEdit 55.7",
            "1.coord=-33.90000 18.40000; 0.coord=; edit:coordEdit=; steps=1");
        row("radius for all", "A B C",
            "sel 0; type radiusSpn 30; click setAllRadiusBtn; click setAllRadiusBtn",
            "0.radius=30; 2.radius=30; steps=2");
        row("radius for all from the second stop", "A B C",
            "sel 1; type radiusSpn 30; click setAllRadiusBtn",
            "0.radius=30; 1.radius=30; 2.radius=30; steps=2");
        row("undo redraws the side preview at the current stop", "A B C",
            "sel 1; type sideNameEdit Рынок; undo", "1.side=B.; sideTablo=B.|C.");
        row("undo shows the place", "A B C Вокзал E",
            "sel 3; type stationNameEdit Остановка Рынок.; sel 0; undo",
            "cur=3; edit:stationNameEdit=Остановка Вокзал.; 2.next=%N Вокзал.");
        row("sep add and name", "A ~ B ~ C", "sel 2; click addStationBtn",
            "n=7; B=7; cur=3; shown:nextStationWidget=1; edit:nextNameEdit=%N");
        row("sep name", "A ~ B ~ C",
            "sel 2; click addStationBtn; sel 4; type stationNameEdit Остановка Рынок.",
            "3.name=%N Рынок.; 4.side=Рынок.; steps=2");
        row("sep remove stop", "A ~ B ~ C", "sel 2; click removeStationBtn",
            "n=3; B=3; cur=2; 1.name=%N C.");
        row("sep remove next entry", "A ~ B ~ C", "sel 1; click removeStationBtn",
            "n=3; B=3; 1.name=%N C.; 2.name=Остановка C.");
        row("sep last forward", "A ~ B | C ~ D", "sel 2",
            "shown:addStationBtn=0; shown:removeStationBtn=0; shown:addNextStationBtn=0");
        row("sep add next entry", "A ~ B | C ~ D", "sel 3; click addNextStationBtn",
            "n=7; B=3; cur=3; 3.name=%N C.; shown:nextStationWidget=1");
        row("join", "A ~ B ~ C", "sel -1; click nextSeparateCheck",
            "n=3; B=3; sep=0; 0.next=%N B.");
    }

    void widgetEvents()
    {
        QFETCH(QString, route);
        QFETCH(QString, script);
        QFETCH(QString, checks);

        QTemporaryDir dir;
        RouteForm form;
        openLine(form, dir.path() + "/r", route);
        form.resize(1200, 900);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        for (const QString &step : script.split("; ")) {
            const QString verb = step.section(' ', 0, 0);
            const QByteArray name = step.section(' ', 1, 1).toLatin1();
            if (verb == "sel")
                select(form, name.toInt());
            else if (verb == "type")
                type(child(form, name), step.section(' ', 2));
            else if (verb == "click")
                // Near the left edge: a check box stretched by its layout only takes
                // clicks on its box and text.
                QTest::mouseClick(child(form, name), Qt::LeftButton, {},
                                  QPoint(8, child(form, name)->height() / 2));
            else
                form.undo();
        }
        for (const QString &item : checks.replace("%N", form.route().nextWord(0)).split("; "))
            QCOMPARE(item.section('=', 0, 0) + '=' + check(form, item.section('=', 0, 0)), item);
    }

    // Random edits of random routes: after each one the route is whole; undoing them all gives
    // back the very same route, redoing them all the same final one.
    void randomSequences()
    {
        QTemporaryDir dir(testsupport::fastTempTemplate());
        QRandomGenerator rng(1208);
        const char *const buttons[] = {"addStationBtn", "removeStationBtn", "addNextStationBtn",
                                       "nextSeparateCheck"};
        const QStringList words{"Следующая остановка", "Далее", ""};
        for (int round = 0; round < 200; ++round) {
            QStringList tokens;
            const bool entries = rng.bounded(2);
            for (int i = 0, n = 1 + rng.bounded(7); i < n; ++i) {
                if (i > 0 && rng.bounded(4) == 0 && !tokens.contains("|"))
                    tokens << "|";
                tokens << (entries && i % 2 ? "~" : QString(QChar('A' + i)));
                if (rng.bounded(4) == 0 && tokens.last() != "~")
                    tokens.last() += ">Скоро";
            }
            // The last stop of a direction announces no next stop.
            const QString line =
                tokens.join(' ').replace(QRegularExpression(">Скоро( \\||$)"), "\\1");
            RouteForm form;
            openLine(form, dir.path() + QStringLiteral("/r%1").arg(round), line, round % 3 == 0);
            const Route &r = form.route();
            const QString original = dump(form);
            QHash<const Station *, bool> roles; // next-stop entry or not, in the separate layout
            for (int step = 0, steps = 3 + rng.bounded(15); step < steps; ++step) {
                child<QAbstractItemView>(form, "stationList")
                    ->setCurrentIndex(
                        form.stationModel()->index(rng.bounded(r.stationCount() + 1)));
                const int action = rng.bounded(6);
                if (action < 4) {
                    child<QAbstractButton>(form, buttons[action])->click();
                } else {
                    auto *edit =
                        child<QLineEdit>(form, action == 4 ? "stationNameEdit" : "nextWordEdit");
                    edit->setText(action == 4 ? QStringLiteral("Остановка %1.").arg(rng.bounded(5))
                                              : words.at(rng.bounded(words.size())));
                    emit edit->editingFinished();
                }
                const QByteArray where = QStringLiteral("%1 step %2").arg(line).arg(step).toUtf8();
                QVERIFY2(r.backStationIndex() >= 0 && r.backStationIndex() <= r.stationCount(),
                         where);
                QCOMPARE(form.stationModel()->rowCount(), r.stationCount() + 1);
                const StationRules rules(r, separate(form), form.langCount());
                QHash<const Station *, bool> now;
                for (int i = 0; i < r.stationCount(); ++i) {
                    const Station *s = r.station(i);
                    QCOMPARE(form.stationModel()->index(i + 1).data().toString(), s->name(0));
                    now.insert(s, rules.isNextEntry(i));
                    if (action != 3 && separate(form) && roles.contains(s))
                        QVERIFY2(roles.value(s) == now.value(s), where.constData());
                }
                // A next-stop entry left by a join is an unnamed stop, its text moved off.
                for (const Station *s : r.stations())
                    if (action == 3 && !separate(form) && roles.value(s))
                        QCOMPARE(s->name(0), r.newStationName(0));
                roles = now;
            }
            const QString final = dump(form);
            while (form.undoStack()->canUndo())
                form.undo();
            QCOMPARE(dump(form), original);
            while (form.undoStack()->canRedo())
                form.redo();
            QCOMPARE(dump(form), final);
        }
    }

    // In the main window: a stop added after the third and named, saved; undone it all.
    void addAndSaveInMainWindow()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + "/route12";
        QVERIFY(foldertree::copy(TESSALY_EXAMPLES "/route12", path));
        MainWindow w;
        w.show();
        w.openFolders({path});
        auto &form = *w.findChild<RouteForm *>();
        select(form, 2);
        QTest::mouseClick(child(form, "addStationBtn"), Qt::LeftButton);
        // Still typing when the second language is chosen: the name is kept in the first one.
        type(child(form, "stationNameEdit"), QStringLiteral("Остановка Цирк."), false);
        QTest::mouseClick(child(form, "stationLang2Btn"), Qt::LeftButton);
        QCOMPARE(child<QLineEdit>(form, "nextNameEdit")->text(),
                 QStringLiteral("Next stop Opera and Ballet Theatre."));
        auto *save = w.findChild<QAction *>("saveAction");
        auto *undo = w.findChild<QAction *>("undoAction");
        auto *redo = w.findChild<QAction *>("redoAction");
        QCOMPARE(form.undoStack()->index(), 2);
        while (undo->isEnabled())
            undo->trigger();
        QVERIFY(!save->isEnabled());
        while (redo->isEnabled())
            redo->trigger();
        save->trigger();
        for (const char *name : {"/ost.txt", "/coord.txt"})
            QCOMPARE(testsupport::readAll(path + name),
                     testsupport::readAll(testsupport::dataPath("stationpage") + name));
        // Undone after saving, the route differs from its files; saved again, it is the original.
        while (undo->isEnabled())
            undo->trigger();
        QVERIFY(save->isEnabled());
        save->trigger();
        for (const char *name : {"/ost.txt", "/coord.txt"})
            QCOMPARE(testsupport::readAll(path + name),
                     testsupport::readAll(TESSALY_EXAMPLES "/route12" + QString(name)));
    }
};

QTEST_MAIN(TestStationPage)
#include "tst_stationpage.moc"
