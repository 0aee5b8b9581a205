// The undo commands: their texts, the return to the state before them, merging, and the
// conversion of the station list between its two layouts.
#include "foldertree.h"
#include "fronttablowidget.h"
#include "routeform.h"
#include "routemodel.h"
#include "testsupport.h"
#include "undocommands.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QUndoStack>

#include <functional>

using Factory = std::function<QUndoCommand *(RouteForm *)>;
Q_DECLARE_METATYPE(Factory)

namespace {

Route &routeOf(RouteForm &form)
{
    return *form.stationModel()->route();
}

// Everything an edit can touch: the saved files, then the controls and the previews (which
// also show the place of the change).
QStringList snapshot(RouteForm &form, bool withWidgets = true)
{
    QStringList out;
    Route &route = routeOf(form);
    route.save();
    const QDir dir(route.path());
    for (const QString &name : dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name))
        out += QString::fromUtf8(testsupport::readAll(dir.filePath(name))).split(QLatin1Char('\n'));
    out += QLatin1String("ad ") + route.adPath();
    if (!withWidgets)
        return out;
    QStringList widgets;
    for (QWidget *w : form.findChildren<QWidget *>()) {
        const QString name = w->objectName();
        // The selectors follow the place of the change; they are not part of the data.
        if (name.isEmpty() || name.contains(QRegularExpression(QStringLiteral("Lang[12]Btn$"))))
            continue;
        QString value;
        if (auto *edit = qobject_cast<QLineEdit *>(w))
            value = edit->text();
        else if (auto *button = qobject_cast<QAbstractButton *>(w))
            value = button->isCheckable() ? QString::number(button->isChecked()) : QString();
        else if (auto *box = qobject_cast<QComboBox *>(w))
            value = QString::number(box->currentIndex());
        else if (auto *spin = qobject_cast<QSpinBox *>(w))
            value = QString::number(spin->value());
        else if (auto *list = qobject_cast<QListWidget *>(w)) {
            for (int i = 0; i < list->count(); ++i)
                value += list->item(i)->text() + QLatin1Char('|');
        } else if (name.endsWith(QLatin1String("LangWdt")))
            value = QString::number(w->isHidden());
        else if (auto *t = qobject_cast<FrontTabloWidget *>(w)) {
            QStringList f{t->number(),
                          t->separator(),
                          QString::number(t->mode()),
                          QString::number(t->fontBits()),
                          QString::number(t->numberColor()),
                          QString::number(t->line1Color()),
                          QString::number(t->line2Color()),
                          QString::number(t->leftSofitColor()),
                          QString::number(t->rightSofitColor())};
            for (int l = 0; l < 2; ++l)
                f << t->startingPoint(l) << t->destination(l);
            value = f.join(QLatin1Char('|'));
        } else
            continue;
        widgets += name + QLatin1String(": ") + value;
    }
    widgets.sort();
    return out + widgets;
}

// Station data in list order, then the back index and the layout switch.
QString describeStations(RouteForm &form)
{
    const Route &route = form.route();
    QStringList out;
    for (const Station *s : route.stations()) {
        QStringList f;
        for (int l = 0; l < 2; ++l)
            f << s->name(l) << s->nextName(l) << s->sideName(l);
        f << s->soundFiles().join(QLatin1Char(',')) << s->textFiles().join(QLatin1Char(','))
          << QString::number(s->radius());
        out << f.join(QLatin1Char('/'));
    }
    out << QString::number(route.backStationIndex())
        << QString::number(form.findChild<QAbstractButton *>("nextSeparateCheck")->isChecked());
    return out.join(QLatin1Char('\n'));
}

// Replaces the stations of an open form, outside any undo step.
void setStations(RouteForm &form, const QList<Station *> &stations, int back)
{
    RouteModel *model = form.stationModel();
    while (form.route().stationCount())
        model->removeStationRow(0);
    for (Station *s : stations)
        model->insertStationRow(form.route().stationCount(), s);
    model->updateBackStationIndex(back);
    form.undoStack()->clear();
}

Station *station(const QString &name, const QString &next, const QStringList &texts = {})
{
    auto *s = new Station;
    s->setName(0, name);
    s->setNextName(0, next);
    s->setTextFiles(texts);
    return s;
}

} // namespace

class TestUndoCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void commands_data();
    void commands();
    void merging_data();
    void merging();
    void sequenceExample();
    void sequenceOneStation();
    void sequenceRoundTrip();

private:
    QTemporaryDir m_dir;
};

void TestUndoCommands::initTestCase()
{
    testsupport::isolateSettings();
    QVERIFY(m_dir.isValid());
}

void TestUndoCommands::commands_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Factory>("make");
    auto row = [](const char *cls, const char *text, Factory make) {
        QTest::newRow(cls) << QString::fromUtf8(text) << make;
    };
    const QString str = QStringLiteral("Новый текст");
    row("SetFrontNumberCommand", "Смена номера\n",
        [](RouteForm *f) { return new SetFrontNumberCommand(f, QStringLiteral("12А")); });
    row("SetFrontStartingPointCmd", "Смена пункта отправления\n",
        [=](RouteForm *f) { return new SetFrontStartingPointCmd(f, 0, str); });
    row("SetFrontDestinationCmd", "Смена пункта назначения\n",
        [=](RouteForm *f) { return new SetFrontDestinationCmd(f, 0, str); });
    row("SetFrontTabloModeCommand", "Выбор режима переднего табло\n",
        [](RouteForm *f) { return new SetFrontTabloModeCommand(f, ModeMoscow); });
    row("SetFrontTabloFontCommand", "Выбор шрифта переднего табло\n",
        [](RouteForm *f) { return new SetFrontTabloFontCommand(f, 3); });
    row("SetFrontNumberColorCmd", "Выбор цвета переднего табло\n",
        [](RouteForm *f) { return new SetFrontNumberColorCmd(f, QColor(0, 128, 0)); });
    row("SetFrontStartColorCmd", "Выбор цвета переднего табло\n",
        [](RouteForm *f) { return new SetFrontStartColorCmd(f, QColor(0, 128, 0)); });
    row("SetFrontDestColorCmd", "Выбор цвета переднего табло\n",
        [](RouteForm *f) { return new SetFrontDestColorCmd(f, QColor(0, 128, 0)); });
    row("SetLeftSofitColorCmd", "Выбор цвета левого софита\n",
        [](RouteForm *f) { return new SetLeftSofitColorCmd(f, 4); });
    row("SetRightSofitColorCmd", "Выбор цвета правого софита\n",
        [](RouteForm *f) { return new SetRightSofitColorCmd(f, 1); });
    row("SetSideNumberCommand", "Смена номера\n",
        [=](RouteForm *f) { return new SetSideNumberCommand(f, str); });
    row("SetSideStartingPointCmd", "Смена пункта отправления\n",
        [=](RouteForm *f) { return new SetSideStartingPointCmd(f, 0, str); });
    row("SetSideDestinationCmd", "Смена пункта назначения\n",
        [=](RouteForm *f) { return new SetSideDestinationCmd(f, 0, str); });
    row("SetSideTabloModeCommand", "Выбор режима переднего табло\n",
        [](RouteForm *f) { return new SetSideTabloModeCommand(f, ModeStationScroll); });
    row("SetSideTabloFontCommand", "Выбор шрифта переднего табло\n",
        [](RouteForm *f) { return new SetSideTabloFontCommand(f, 3); });
    row("SetSideStationCountCmd", "",
        [](RouteForm *f) { return new SetSideStationCountCmd(f, 1); });
    row("SetSideSeparatorCmd", "Изменение разделителя остановок\n",
        [](RouteForm *f) { return new SetSideSeparatorCmd(f, QStringLiteral("hh:mm")); });
    row("SetBackNumberCommand", "Смена номера\n",
        [=](RouteForm *f) { return new SetBackNumberCommand(f, str); });
    row("SetBackStartingPointCmd", "Смена пункта отправления\n",
        [=](RouteForm *f) { return new SetBackStartingPointCmd(f, 0, str); });
    row("SetBackDestinationCmd", "Смена пункта назначения\n",
        [=](RouteForm *f) { return new SetBackDestinationCmd(f, 0, str); });
    row("SetBackTabloModeCommand", "Выбор режима переднего табло\n",
        [](RouteForm *f) { return new SetBackTabloModeCommand(f, ModeOnlyDestination); });
    row("SetBackTabloFontCommand", "Выбор шрифта переднего табло\n",
        [](RouteForm *f) { return new SetBackTabloFontCommand(f, 2); });
    row("SetSalonTabloOrderCmd", "Изменение порядка вывода на бегущей строке\n",
        [](RouteForm *f) { return new SetSalonTabloOrderCmd(f, "MNO"); });
    row("SetRouteTextCmd", "Изменение строки маршрут\n",
        [=](RouteForm *f) { return new SetRouteTextCmd(f, 0, str); });
    row("SetSalonTempTextCmd", "",
        [=](RouteForm *f) { return new SetSalonTempTextCmd(f, 0, str); });
    row("SetOutsideTempTextCmd", "",
        [=](RouteForm *f) { return new SetOutsideTempTextCmd(f, 0, str); });
    row("SetStationWordCommand", "",
        [=](RouteForm *f) { return new SetStationWordCommand(f, 0, str); });
    row("SetNextWordCommand", "", [=](RouteForm *f) { return new SetNextWordCommand(f, 0, str); });
    row("SetAdPathCommand", "", [](RouteForm *f) {
        return new SetAdPathCommand(f, f->route().path() + QStringLiteral("/ads"));
    });
    row("SetLangCountCmd", "", [](RouteForm *f) { return new SetLangCountCmd(f, 1); });
    row("SetNextStationDelayCmd", "Изменение задержки объявления следующей\n",
        [](RouteForm *f) { return new SetNextStationDelayCmd(f, 9); });
    row("SetBackStationIndexCmd", "",
        [](RouteForm *f) { return new SetBackStationIndexCmd(f, 3); });
    row("SetStationNameCmd", "Изменение имени остановки\n",
        [=](RouteForm *f) { return new SetStationNameCmd(f, 1, 0, str); });
    row("SetStationNextNameCmd", "Изменение следующей остановки\n",
        [=](RouteForm *f) { return new SetStationNextNameCmd(f, 1, 0, str); });
    row("SetStationSideNameCmd", "Изменение бококого имени остановки\n",
        [=](RouteForm *f) { return new SetStationSideNameCmd(f, 1, 0, str); });
    row("SetStationCoordinate", "Изменение координат остановки\n", [](RouteForm *f) {
        return new SetStationCoordinate(f, 1, QGeoCoordinate(55.75222, 37.61556));
    });
    row("SetStationRadius", "Изменение радиуса остановки\n",
        [](RouteForm *f) { return new SetStationRadius(f, 1, quint8(99)); });
    row("AddStationCommand", "Добавление остановки\n",
        [](RouteForm *f) { return new AddStationCommand(f, 1); });
    row("RemoveStationCommand", "Удаление остановки\n",
        [](RouteForm *f) { return new RemoveStationCommand(f, 1); });
    row("AddStationTextFileCmd", "Добавление файла teatr.txt к остановке\n", [](RouteForm *f) {
        return new AddStationTextFileCmd(f, 1, 1, QStringLiteral("teatr.txt"));
    });
    row("RemoveStationTextFileCmd", "Удаление файла market hours.txt от остановки\n",
        [](RouteForm *f) { return new RemoveStationTextFileCmd(f, 1, 0); });
    row("MoveStationTextFileCmd", "Перемещение текстового файла на остановке\n",
        [](RouteForm *f) { return new MoveStationTextFileCmd(f, 1, 0, 1); });
    row("AddStationSoundFileCmd", "", [](RouteForm *f) {
        return new AddStationSoundFileCmd(f, 1, 0, QStringLiteral("teatr.wav"));
    });
    row("RemoveStationSoundFileCmd", "",
        [](RouteForm *f) { return new RemoveStationSoundFileCmd(f, 1, 1); });
    row("MoveStationSoundFileCmd", "",
        [](RouteForm *f) { return new MoveStationSoundFileCmd(f, 1, 1, 0); });
    row("AddAdwareTextFileCmd", "", [](RouteForm *f) {
        return new AddAdwareTextFileCmd(f, 3, QStringLiteral("akciya-leto.txt"));
    });
    row("RemoveAdTextFileCmd", "", [](RouteForm *f) { return new RemoveAdTextFileCmd(f, 0); });
    row("MoveAdwareTextFileCmd", "",
        [](RouteForm *f) { return new MoveAdwareTextFileCmd(f, 2, 0); });
    row("SetStationSequencyCommand", "",
        [](RouteForm *f) { return new SetStationSequencyCommand(f, true); });
}

void TestUndoCommands::commands()
{
    QFETCH(QString, text);
    QFETCH(Factory, make);
    QTemporaryDir dir;
    foldertree::copy(QStringLiteral(TESSALY_EXAMPLES), dir.path());
    RouteForm form;
    form.openRoute(dir.filePath(QStringLiteral("route12")));
    // A second text file on the station the edits of stations aim at, which is current.
    routeOf(form).station(1)->textFiles() << QStringLiteral("extra.txt");
    auto *list = form.findChild<QTreeView *>(QStringLiteral("stationList"));
    list->setCurrentIndex(form.stationModel()->stationIndex(1));

    const QStringList before = snapshot(form);
    QUndoCommand *command = make(&form);
    // The undo stack keeps the text before the closing line break as the command's text.
    QCOMPARE(command->text() + (text.isEmpty() ? "" : "\n"), text);
    QCOMPARE(command->actionText(), QString());
    form.undoStack()->push(command);
    QVERIFY(snapshot(form) != before);
    const QStringList after = snapshot(form, false);
    form.undo();
    QCOMPARE(snapshot(form), before);
    form.redo();
    QCOMPARE(snapshot(form, false), after);
    form.undo();
    QCOMPARE(snapshot(form), before);
}

void TestUndoCommands::merging_data()
{
    QTest::addColumn<QList<int>>("radiusStations"); // -1 pushes a delay edit
    QTest::addColumn<int>("steps");
    QTest::newRow("one station three times") << QList<int>{1, 1, 1} << 1;
    QTest::newRow("radius then delay") << QList<int>{1, -1} << 2;
    QTest::newRow("two delays") << QList<int>{-1, -1} << 1;
    QTest::newRow("two stations") << QList<int>{1, 2, 2} << 2;
}

void TestUndoCommands::merging()
{
    QFETCH(QList<int>, radiusStations);
    QFETCH(int, steps);
    QTemporaryDir dir;
    RouteForm form;
    form.openRoute(dir.path());
    const QString before = describeStations(form) + QString::number(form.route().nextDelay());
    int value = 40;
    for (int s : radiusStations) {
        if (s < 0)
            form.undoStack()->push(new SetNextStationDelayCmd(&form, ++value));
        else
            form.undoStack()->push(new SetStationRadius(&form, s, quint8(++value)));
    }
    QCOMPARE(form.undoStack()->count(), steps);
    while (form.undoStack()->canUndo())
        form.undo();
    QCOMPARE(describeStations(form) + QString::number(form.route().nextDelay()), before);
    // A redo after a merged run brings back the last value of the run.
    form.redo();
    if (radiusStations.first() >= 0)
        QCOMPARE(int(form.route().station(1)->radius()),
                 40 + int(radiusStations.lastIndexOf(radiusStations.first())) + 1);
}

void TestUndoCommands::sequenceExample()
{
    QTemporaryDir dir;
    RouteForm form;
    form.openRoute(dir.path());
    form.setLangCount(1);
    setStations(form, {station("A", "next B", {"a.txt"}), station("B", "next C"), station("C", "")},
                3);
    const QString combined = describeStations(form);
    form.undoStack()->push(new SetStationSequencyCommand(&form, true));
    QStringList names;
    for (const Station *s : form.route().stations())
        names << s->name(0) + QLatin1Char('>') + s->nextName(0);
    QCOMPARE(names, QStringList({"A>", "next B>", "B>", "next C>", "C>"}));
    QCOMPARE(form.route().backStationIndex(), 5);
    QVERIFY(form.findChild<QAbstractButton *>("nextSeparateCheck")->isChecked());

    // A' carries a file of its own: joining appends it to A's files.
    form.stationModel()->route()->station(1)->textFiles() << QStringLiteral("a2.txt");
    form.undoStack()->push(new SetStationSequencyCommand(&form, false));
    QCOMPARE(describeStations(form),
             QString(combined).replace(QLatin1String("a.txt/"), QLatin1String("a.txt,a2.txt/")));
    form.undo();
    form.undo();
    QCOMPARE(describeStations(form), combined);
}

void TestUndoCommands::sequenceOneStation()
{
    Route route;
    route.insertStation(0, station("A", "next"));
    route.setBackStationIndex(1);
    for (bool separate : {true, false}) {
        const auto plan = stationSequencePlan(route, 2, separate);
        QCOMPARE(plan, QVector<SequenceStep>({{SequenceStep::SetBackIndex, 1, 0, QString()}}));
    }
}

// The next-stop texts in the used languages, wherever they sit.
QStringList nextTexts(RouteForm &form)
{
    QStringList out;
    for (const Station *s : form.route().stations())
        for (int l = 0; l < form.langCount(); ++l)
            out << s->name(l) << s->nextName(l);
    out = out.filter(QRegularExpression(QStringLiteral("^next")));
    out.sort();
    return out;
}

// Random routes in both directions, with files and one or two languages: splitting and joining
// gives back the stations; undoing either gives back the very same list. Now and then a
// direction of the split list begins with a next-stop entry: joining then keeps every next-stop
// text off the stops' names, and the joined list splits and joins back to itself.
void TestUndoCommands::sequenceRoundTrip()
{
    QTemporaryDir dir;
    RouteForm form;
    form.openRoute(dir.path());
    QRandomGenerator random(12);
    auto text = [&](const char *what, int i, int l) {
        return random.bounded(4) ? QStringLiteral("%1 %2 %3").arg(what).arg(i).arg(l) : QString();
    };
    auto files = [&](const char *ext) {
        QStringList names;
        for (int k = random.bounded(3); k > 0; --k)
            names << QStringLiteral("f%1.%2").arg(random.bounded(100)).arg(ext);
        return names;
    };
    for (int round = 0; round < 300; ++round) {
        const int n = random.bounded(9);
        QList<Station *> stations;
        for (int i = 0; i < n; ++i) {
            auto *s = new Station;
            for (int l = 0; l < 2; ++l) {
                s->setName(l, text("stop", i, l));
                s->setNextName(l, text("next", i, l));
                s->setSideName(l, text("side", i, l));
            }
            s->setSoundFiles(files("wav"));
            s->setTextFiles(files("txt"));
            s->setRadius(quint8(random.bounded(256)));
            stations << s;
        }
        form.setLangCount(1 + random.bounded(2));
        setStations(form, stations, n ? 1 + random.bounded(n) : 0);
        form.setNextSeparate(false);

        const QString combined = describeStations(form);
        form.undoStack()->push(new SetStationSequencyCommand(&form, true));
        auto *lead = new QUndoCommand;
        const int b = form.route().backStationIndex();
        for (int at : {b, 0}) {
            if (random.bounded(3) || at >= form.route().stationCount() || (at == 0 && b == 0))
                continue;
            new AddStationCommand(&form, at, lead);
            for (int l = 0; l < form.langCount(); ++l)
                new SetStationNameCmd(&form, at, l, QStringLiteral("next lead %1").arg(l), lead);
            if (at < b)
                new SetBackStationIndexCmd(&form, b + 1, lead);
        }
        const bool leads = lead->childCount() > 0;
        if (leads)
            form.undoStack()->push(lead);
        else
            delete lead;
        const QString separate = describeStations(form);
        const QStringList texts = nextTexts(form);
        form.undoStack()->push(new SetStationSequencyCommand(&form, false));
        if (!leads) {
            QCOMPARE(describeStations(form), combined);
            QCOMPARE(form.route().stations(), stations);
        }
        QCOMPARE(nextTexts(form), texts);
        for (const Station *s : form.route().stations())
            for (int l = 0; l < form.langCount(); ++l)
                QVERIFY2(!s->name(l).startsWith(QLatin1String("next")), qPrintable(s->name(l)));
        const QString joined = describeStations(form);
        form.undoStack()->push(new SetStationSequencyCommand(&form, true));
        form.undoStack()->push(new SetStationSequencyCommand(&form, false));
        QCOMPARE(describeStations(form), joined);
        form.undo();
        form.undo();
        form.undo();
        QCOMPARE(describeStations(form), separate);
        if (leads)
            form.undo();
        form.undo();
        QCOMPARE(describeStations(form), combined);
        QCOMPARE(form.route().stations(), stations);
    }
}

QTEST_MAIN(TestUndoCommands)
#include "tst_undocommands.moc"
