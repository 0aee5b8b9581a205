#include "filetestsupport.h"
#include "foldertree.h"
#include "mainwindow.h"
#include "routeform.h"
#include "routemodel.h"
#include "stationrules.h"
#include "stationtestsupport.h"
#include "testsupport.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QUndoStack>

namespace {

template <typename T = QWidget> T *child(const QWidget &w, const QString &name)
{
    return w.findChild<T *>(name);
}

QAbstractItemView *stationList(const RouteForm &form)
{
    return child<QAbstractItemView>(form, QStringLiteral("stationList"));
}

bool separate(const RouteForm &form)
{
    return child<QCheckBox>(form, QStringLiteral("nextSeparateCheck"))->isChecked();
}

// Everything station editing may change, in one text.
QString dump(const RouteForm &form)
{
    const Route &r = form.route();
    QStringList out{QString::number(separate(form)), QString::number(r.backStationIndex())};
    for (int l = 0; l < 2; ++l)
        out << r.stationWord(l) << r.nextWord(l);
    for (const Station *s : r.stations()) {
        for (int l = 0; l < 2; ++l)
            out << s->name(l) << s->nextName(l) << s->sideName(l);
        out << s->soundFiles().join(QLatin1Char(',')) << s->textFiles().join(QLatin1Char(','))
            << StationRules::formatCoordinate(s->coordinate()) << QString::number(s->radius());
    }
    return out.join(QLatin1Char('|'));
}

// Opens a route written as a line of tokens (see buildRoute) from a folder below dir.
void openLine(RouteForm &form, const QString &path, const QString &line)
{
    Route route;
    route.newRoute(path);
    testsupport::buildRoute(route, line);
    QDir().mkpath(route.adPath());
    QVERIFY(route.save());
    form.setNextStopAsker([](bool defaultYes) { return defaultYes; });
    form.openRoute(path);
}

void select(RouteForm &form, int station)
{
    QAbstractItemView *list = stationList(form);
    const QModelIndex index = form.stationModel()->index(station + 1);
    list->scrollTo(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
}

void type(QWidget *field, const QString &text)
{
    field->setFocus();
    if (auto *spin = qobject_cast<QAbstractSpinBox *>(field))
        spin->selectAll();
    else
        static_cast<QLineEdit *>(field)->selectAll();
    for (const QChar c : text) // keyClicks takes only ASCII
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QTest::keyClick(field, Qt::Key_Return);
}

// "name=value" checks: n, B, cur, steps, sep; "<i>.name|next|side|coord|radius";
// "edit:<field>" and "shown:<widget>".
QString check(const RouteForm &form, const QString &item)
{
    const QString key = item.section(QLatin1Char('='), 0, 0);
    const Route &r = form.route();
    if (key.startsWith(QLatin1String("edit:")))
        return child<QLineEdit>(form, key.mid(5))->text();
    if (key.startsWith(QLatin1String("shown:")))
        return QString::number(child(form, key.mid(6))->isVisible());
    const QMap<QString, int> numbers{{"n", r.stationCount()},
                                     {"B", r.backStationIndex()},
                                     {"cur", form.currentStation()},
                                     {"steps", form.undoStack()->index()},
                                     {"sep", separate(form)}};
    if (numbers.contains(key))
        return QString::number(numbers.value(key));
    const Station *s = r.station(key.section(QLatin1Char('.'), 0, 0).toInt());
    const QString field = key.section(QLatin1Char('.'), 1);
    if (!s)
        return QStringLiteral("no station");
    if (field == QLatin1String("coord"))
        return StationRules::formatCoordinate(s->coordinate());
    if (field == QLatin1String("radius"))
        return QString::number(s->radius());
    return field == QLatin1String("name")   ? s->name(0)
           : field == QLatin1String("next") ? s->nextName(0)
                                            : s->sideName(0);
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
        QTest::addColumn<QString>("checks");

        auto row = [](const char *name, const char *route, const char *script, const char *checks) {
            QTest::newRow(name) << QString::fromUtf8(route) << QString::fromUtf8(script)
                                << QString::fromUtf8(checks);
        };
        row("rename follows", "A B C Вокзал E", "sel 3; type stationNameEdit Остановка Рынок.",
            "3.side=Рынок.; 2.next=Следующая остановка Рынок.; steps=1; sep=0");
        row("hand-written stays", "A B C Вокзал E",
            "sel 2; type nextNameEdit Скоро; sel 3; type stationNameEdit Остановка Рынок.",
            "2.next=Скоро; 3.name=Остановка Рынок.; steps=2");
        row("add before last with back", "A B | C D", "sel 3; click addStationBtn",
            "n=5; B=2; cur=3; 3.name=Остановка ; 3.next=Следующая остановка D.; "
            "2.next=Следующая остановка; edit:stationNameEdit=Остановка ");
        row("append", "A B C", "sel 2; click addStationBtn; type stationNameEdit Остановка D.",
            "n=4; B=4; steps=2; 3.side=D.; 3.next=; 2.next=Следующая остановка D.");
        row("remove middle", "A B C D", "sel 1; click removeStationBtn",
            "n=3; B=3; cur=1; 0.next=Следующая остановка C.; edit:stationNameEdit=Остановка C.");
        row("remove last", "A B C D", "sel 3; click removeStationBtn",
            "n=3; cur=-1; 2.next=; shown:routePage=1");
        row("last forward stays", "A B C | D E", "sel 2",
            "shown:removeStationBtn=0; shown:nextStationWidget=0; shown:addNextStationBtn=0");
        row("next word", "A B C", "sel 1; type nextNameEdit Скоро; sel -1; type nextWordEdit Далее",
            "0.next=Далее B.; 1.next=Скоро; steps=2");
        row("coordinate", "A B", "sel 1; type coordEdit -33,9 18,4",
            "1.coord=-33.90000 18.40000; edit:coordEdit=-33.90000 18.40000; steps=1");
        row("unreadable coordinate", "A B", "sel 1; type coordEdit 55.7",
            "1.coord=; steps=0; edit:coordEdit=");
        row("radius for all", "A B C",
            "sel 0; type radiusSpn 30; click setAllRadiusBtn; click setAllRadiusBtn",
            "0.radius=30; 2.radius=30; steps=2");
        row("undo shows the place", "A B C Вокзал E",
            "sel 3; type stationNameEdit Остановка Рынок.; sel 0; undo",
            "cur=3; edit:stationNameEdit=Остановка Вокзал.; 2.next=Следующая остановка Вокзал.");
        row("split", "A B C", "sel -1; click nextSeparateCheck",
            "n=5; sep=1; 1.name=Следующая остановка B.; 0.next=; steps=1");
        row("split undone", "A B C", "sel -1; click nextSeparateCheck; undo",
            "n=3; sep=0; 0.next=Следующая остановка B.");
        // Separate layout.
        row("sep add", "A ~ B ~ C", "sel 2; click addStationBtn",
            "n=7; B=7; cur=3; 3.name=Следующая остановка; shown:nextStationWidget=1; "
            "shown:stationNameWdt=0; edit:nextNameEdit=Следующая остановка");
        row("sep name stop", "A ~ B ~ C",
            "sel 2; click addStationBtn; sel 4; type stationNameEdit Остановка Рынок.",
            "3.name=Следующая остановка Рынок.; 4.side=Рынок.; steps=2");
        row("sep remove stop", "A ~ B ~ C", "sel 2; click removeStationBtn",
            "n=3; B=3; cur=2; 1.name=Следующая остановка C.");
        row("sep remove next entry", "A ~ B ~ C", "sel 1; click removeStationBtn",
            "n=3; B=3; 1.name=Следующая остановка C.; 2.name=Остановка C.");
        row("sep last forward", "A ~ B | C ~ D", "sel 2",
            "shown:addStationBtn=0; shown:removeStationBtn=0; shown:addNextStationBtn=0");
        row("sep add next entry", "A ~ B | C ~ D", "sel 3; click addNextStationBtn",
            "n=7; B=3; cur=3; 3.name=Следующая остановка C.; shown:nextStationWidget=1");
        row("sep join", "A ~ B ~ C", "sel -1; click nextSeparateCheck",
            "n=3; B=3; sep=0; 0.next=Следующая остановка B.");
    }

    void widgetEvents()
    {
        QFETCH(QString, route);
        QFETCH(QString, script);
        QFETCH(QString, checks);

        QTemporaryDir dir;
        RouteForm form;
        openLine(form, dir.path() + QStringLiteral("/r"), route);
        form.resize(1200, 900);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        for (const QString &step : script.split(QStringLiteral("; "))) {
            const QString verb = step.section(QLatin1Char(' '), 0, 0);
            const QString name = step.section(QLatin1Char(' '), 1, 1);
            if (verb == QLatin1String("sel"))
                select(form, name.toInt());
            else if (verb == QLatin1String("type"))
                type(child(form, name), step.section(QLatin1Char(' '), 2));
            else if (verb == QLatin1String("click"))
                QTest::mouseClick(child(form, name), Qt::LeftButton);
            else if (verb == QLatin1String("undo"))
                form.undo();
        }
        for (const QString &item : checks.split(QStringLiteral("; ")))
            QCOMPARE(check(form, item), item.mid(item.indexOf(QLatin1Char('=')) + 1));
    }

    // Random edits on random routes; after each the route is whole, and undoing everything
    // gives back the very same route.
    void randomSequences()
    {
        QTemporaryDir dir(testsupport::fastTempTemplate());
        QRandomGenerator rng(1208);
        const QStringList words{QStringLiteral("Следующая остановка"), QStringLiteral("Далее"),
                                QString()};
        for (int round = 0; round < 300; ++round) {
            QStringList tokens;
            const int n = 1 + rng.bounded(7);
            const bool entries = rng.bounded(2);
            for (int i = 0; i < n; ++i) {
                if (i > 0 && rng.bounded(4) == 0 && !tokens.contains(QStringLiteral("|")))
                    tokens << QStringLiteral("|");
                if (entries && i % 2)
                    tokens << QStringLiteral("~");
                else
                    tokens << QString(QChar('A' + i)) + (rng.bounded(4) ? "" : ">Скоро");
            }
            // The last stop of a direction announces no next stop.
            const QString line =
                tokens.join(' ').replace(QRegularExpression(">Скоро( \\||$)"), "\\1");
            RouteForm form;
            openLine(form, dir.path() + QStringLiteral("/r%1").arg(round), line);
            const QString original = dump(form);
            QHash<const Station *, bool> roles;
            const int steps = 3 + rng.bounded(15);
            for (int step = 0; step < steps; ++step) {
                const Route &r = form.route();
                stationList(form)->setCurrentIndex(
                    form.stationModel()->index(rng.bounded(r.stationCount() + 1)));
                const bool wasSeparate = separate(form);
                QLineEdit *edit = nullptr;
                QString text;
                switch (rng.bounded(6)) {
                case 0:
                    child<QPushButton>(form, QStringLiteral("addStationBtn"))->click();
                    break;
                case 1:
                    child<QPushButton>(form, QStringLiteral("removeStationBtn"))->click();
                    break;
                case 2:
                    child<QPushButton>(form, QStringLiteral("addNextStationBtn"))->click();
                    break;
                case 3:
                    edit = child<QLineEdit>(form, QStringLiteral("stationNameEdit"));
                    text = QStringLiteral("Остановка %1.").arg(rng.bounded(5));
                    break;
                case 4:
                    edit = child<QLineEdit>(form, QStringLiteral("nextWordEdit"));
                    text = words.at(rng.bounded(words.size()));
                    break;
                default:
                    child<QCheckBox>(form, QStringLiteral("nextSeparateCheck"))->click();
                }
                if (edit) {
                    edit->setText(text);
                    emit edit->editingFinished();
                }
                const QString where = QStringLiteral("round %1 step %2").arg(round).arg(step);
                const int count = r.stationCount();
                QVERIFY2(r.backStationIndex() >= 0 && r.backStationIndex() <= count,
                         qPrintable(where));
                QCOMPARE(form.stationModel()->rowCount(), count + 1);
                const StationRules rules(r, separate(form), form.langCount());
                for (int i = 0; i < count; ++i) {
                    const Station *s = r.station(i);
                    QCOMPARE(form.stationModel()->index(i + 1).data().toString(), s->name(0));
                    // Entries keep their part in the separate layout.
                    if (separate(form) && wasSeparate && roles.contains(s))
                        QVERIFY2(roles.value(s) == rules.isNextEntry(i), qPrintable(where));
                }
                roles.clear();
                for (int i = 0; i < count; ++i)
                    roles.insert(r.station(i), rules.isNextEntry(i));
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

    // Open the example, add a stop after the third, name it, save; undo it all.
    void addAndSaveInMainWindow()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/route12");
        QVERIFY(foldertree::copy(QStringLiteral(TESSALY_EXAMPLES "/route12"), path));
        MainWindow w;
        w.resize(1200, 900);
        w.show();
        w.openFolders({path});
        auto *form = w.findChild<RouteForm *>();
        QVERIFY(form);
        select(*form, 2);
        QTest::mouseClick(child(*form, QStringLiteral("addStationBtn")), Qt::LeftButton);
        type(child(*form, QStringLiteral("stationNameEdit")), QStringLiteral("Остановка Цирк."));
        QAction *save = w.findChild<QAction *>(QStringLiteral("saveAction"));
        QAction *undo = w.findChild<QAction *>(QStringLiteral("undoAction"));
        QAction *redo = w.findChild<QAction *>(QStringLiteral("redoAction"));
        QVERIFY(save->isEnabled());
        while (undo->isEnabled())
            undo->trigger();
        QVERIFY(!save->isEnabled());
        while (redo->isEnabled())
            redo->trigger();
        save->trigger();
        const QString expected = testsupport::dataPath(QStringLiteral("stationpage/"));
        const QString original = QStringLiteral(TESSALY_EXAMPLES "/route12/");
        for (const char *name : {"ost.txt", "coord.txt"})
            QCOMPARE(testsupport::readAll(path + '/' + name),
                     testsupport::readAll(expected + name));
        // Undone after saving, the route differs from its files again; saved, it is the original.
        while (undo->isEnabled())
            undo->trigger();
        QVERIFY(save->isEnabled());
        save->trigger();
        for (const char *name : {"ost.txt", "coord.txt"})
            QCOMPARE(testsupport::readAll(path + '/' + name),
                     testsupport::readAll(original + name));
    }
};

QTEST_MAIN(TestStationPage)
#include "tst_stationpage.moc"
