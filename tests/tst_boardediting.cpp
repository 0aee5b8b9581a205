// Board and running-line editing through the form's own controls, and one edit from typing
// to the saved files in the main window.
#include "foldertree.h"
#include "fronttablowidget.h"
#include "mainwindow.h"
#include "routeform.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

namespace {

template <typename T = QWidget> T *child(const QWidget &parent, const char *name)
{
    T *w = parent.findChild<T *>(QLatin1String(name));
    if (!w)
        qWarning("missing %s", name);
    return w;
}

QLineEdit *edit(const QWidget &form, const char *name)
{
    return child<QLineEdit>(form, name);
}

FrontTabloWidget *tablo(const QWidget &form, const char *name)
{
    return child<FrontTabloWidget>(form, name);
}

void click(const QWidget &form, const char *button)
{
    QTest::mouseClick(child<QAbstractButton>(form, button), Qt::LeftButton);
}

// Key presses for any text; QTest's own typing covers ASCII only.
void typeText(QWidget *w, const QString &text)
{
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

// Replaces the field's text as a user would and finishes it with Return.
void retype(QLineEdit *field, const QString &text, bool finish = true)
{
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    typeText(field, text);
    if (finish)
        QTest::keyClick(field, Qt::Key_Return);
}

// The example route in a temporary folder, opened in a shown and active form.
struct OpenForm
{
    explicit OpenForm(int tab)
    {
        foldertree::copy(QStringLiteral(TESSALY_EXAMPLES), dir.path());
        form.openRoute(dir.filePath(QStringLiteral("route12")));
        form.resize(1200, 800);
        form.show();
        QApplication::setActiveWindow(&form);
        child<QTabWidget>(form, "routeTabs")->setCurrentIndex(tab);
    }
    bool active() { return QTest::qWaitForWindowActive(&form); }

    QTemporaryDir dir;
    RouteForm form;
};

} // namespace

class TestBoardEditing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::isolateSettings(); }
    void frontLeads();
    void unchangedText();
    void livePreview();
    void orderField();
    void modeAndFontButtons();
    void coloursAndLights();
    void langCountTwoToOne();
    void selectors();
    void cursorWindow();
    void focusTracking();
    void typedAndSavedInMainWindow();
};

void TestBoardEditing::frontLeads()
{
    OpenForm f(RouteForm::BackTab);
    QVERIFY(f.active());
    const Route &route = f.form.route();
    retype(edit(f.form, "backNumberEdit"), QStringLiteral("7"));
    child<QTabWidget>(f.form, "routeTabs")->setCurrentIndex(RouteForm::FrontTab);
    retype(edit(f.form, "frontNumberEdit"), QStringLiteral("12А"));
    QCOMPARE(route.frontNumber(), QStringLiteral("12А"));
    QCOMPARE(route.sideNumber(), QStringLiteral("12А"));
    QCOMPARE(route.backNumber(), QStringLiteral("7"));
    QCOMPARE(tablo(f.form, "sideTabloWdt")->number(), QStringLiteral("12А"));
    QCOMPARE(f.form.undoStack()->count(), 2);

    f.form.undo();
    QCOMPARE(route.frontNumber(), QStringLiteral("12"));
    QCOMPARE(route.sideNumber(), QStringLiteral("12"));
    QCOMPARE(edit(f.form, "frontNumberEdit")->text(), QStringLiteral("12"));
    QCOMPARE(tablo(f.form, "sideTabloWdt")->number(), QStringLiteral("12"));
    QCOMPARE(tablo(f.form, "frontTabloWdt")->number(), QStringLiteral("12"));
}

void TestBoardEditing::unchangedText()
{
    OpenForm f(RouteForm::FrontTab);
    QVERIFY(f.active());
    retype(edit(f.form, "frontNumberEdit"), QStringLiteral(" 12 "), false);
    QVERIFY(f.form.canUndo());
    QTest::keyClick(edit(f.form, "frontNumberEdit"), Qt::Key_Return);
    QCOMPARE(edit(f.form, "frontNumberEdit")->text(), QStringLiteral("12"));
    QCOMPARE(f.form.undoStack()->count(), 0);
    QVERIFY(!f.form.canUndo());
    QVERIFY(!f.form.canRedo());
}

void TestBoardEditing::livePreview()
{
    OpenForm f(RouteForm::FrontTab);
    QVERIFY(f.active());
    retype(edit(f.form, "frontDestinationEdit"), QStringLiteral(" Центр "), false);
    QCOMPARE(tablo(f.form, "frontTabloWdt")->destination(0), QStringLiteral("Центр"));
    QCOMPARE(f.form.route().frontDestination(0), QStringLiteral("мкр. Северный"));
    QVERIFY(f.form.canSave());
}

void TestBoardEditing::orderField()
{
    OpenForm f(RouteForm::SalonTab);
    QVERIFY(f.active());
    QLineEdit *order = edit(f.form, "salonTabloOrderEdit");
    retype(order, QStringLiteral("(mo)2(mnnжsabrt?)0"));
    QCOMPARE(f.form.route().salonTabloOrder(), QByteArray("(MO)2(MNNSABRT)0"));
    QCOMPARE(order->text(), QStringLiteral("(MO)2(MNNSABRT)0"));
    // Cleaned, the text is the order the route already had.
    QCOMPARE(f.form.undoStack()->count(), 0);
    // A letter button types into the field; the field pushes it when it is finished.
    order->setCursorPosition(0);
    click(f.form, "salonTBtn");
    order->setSelection(0, 1);
    click(f.form, "salonRepeatBtn");
    QCOMPARE(order->text(), QStringLiteral("(T)2(MO)2(MNNSABRT)0"));
    QTest::keyClick(order, Qt::Key_Return);
    QCOMPARE(f.form.route().salonTabloOrder(), QByteArray("(T)2(MO)2(MNNSABRT)0"));
    QCOMPARE(f.form.undoStack()->count(), 1);

    // The auto button restores the route line of the language shown.
    child<QTabWidget>(f.form, "salonOrderTabs")->setCurrentIndex(RouteForm::RouteTextTab);
    click(f.form, "routeTextLang2Btn");
    click(f.form, "autoRouteTextBtn");
    QCOMPARE(f.form.route().routeText(1), QStringLiteral("Маршрут %n."));
    QCOMPARE(edit(f.form, "routeTextEdit")->text(), QStringLiteral("Маршрут %n."));
    QVERIFY(f.form.route().routeText(0) != QStringLiteral("Маршрут %n."));
    // A text still being typed when the language changes belongs to the language it was typed in.
    retype(edit(f.form, "routeTextEdit"), QStringLiteral("Route %n"), false);
    click(f.form, "routeTextLang1Btn");
    QCOMPARE(f.form.route().routeText(1), QStringLiteral("Route %n"));
    QVERIFY(f.form.route().routeText(0) != QStringLiteral("Route %n"));
}

void TestBoardEditing::modeAndFontButtons()
{
    OpenForm f(RouteForm::FrontTab);
    QVERIFY(f.active());
    const int before = f.form.route().frontMode();
    click(f.form, "frontOnlyDestBtn");
    click(f.form, "frontMoscowBtn");
    QVERIFY(!child<QAbstractButton>(f.form, "frontOnlyDestBtn")->isChecked());
    QCOMPARE(f.form.route().frontMode(), (before | ModeMoscow) & ~ModeOnlyDestination);
    QCOMPARE(tablo(f.form, "frontTabloWdt")->mode(), f.form.route().frontMode());
    click(f.form, "frontOnlyDestBtn");
    QVERIFY(!child<QAbstractButton>(f.form, "frontMoscowBtn")->isChecked());
    QCOMPARE(f.form.route().frontMode(), before | ModeOnlyDestination);

    child<QTabWidget>(f.form, "routeTabs")->setCurrentIndex(RouteForm::SideTab);
    const int font = f.form.route().sideFont();
    click(f.form, "sideFont1Btn");
    QCOMPARE(f.form.route().sideFont(), font ^ 2);
    QCOMPARE(f.form.undoStack()->count(), 4);
}

void TestBoardEditing::coloursAndLights()
{
    OpenForm f(RouteForm::FrontTab);
    QVERIFY(f.active());
    const Route &route = f.form.route();
    typeText(child<QComboBox>(f.form, "frontColorList"), QStringLiteral("З")); // "Зеленый"
    for (const QColor &c :
         {route.frontNumberColor(), route.frontStartColor(), route.frontDestColor()})
        QCOMPARE(c, QColor(0, 128, 0));
    QCOMPARE(f.form.undoStack()->count(), 1);
    typeText(child<QComboBox>(f.form, "leftSofitList"), QStringLiteral("П")); // "Погашен"
    QCOMPARE(route.leftSofitColor(), 0);
    QCOMPARE(tablo(f.form, "backTabloWdt")->leftSofitColor(), 0);
    f.form.undo();
    f.form.undo();
    QCOMPARE(child<QComboBox>(f.form, "leftSofitList")->currentIndex(),
             f.form.sofitRow(route.leftSofitColor()));
    QVERIFY(route.frontNumberColor() != QColor(0, 128, 0));
}

void TestBoardEditing::langCountTwoToOne()
{
    OpenForm f(RouteForm::GeneralTab);
    QVERIFY(f.active());
    const Route &route = f.form.route();
    QCOMPARE(f.form.langCount(), 2);
    click(f.form, "langCount1Btn");
    QCOMPARE(f.form.langCount(), 1);
    QCOMPARE(f.form.computeLangCount(), 1);
    QVERIFY(child(f.form, "frontLangWdt")->isHidden());
    QCOMPARE(f.form.undoStack()->count(), 1);

    f.form.undo();
    QCOMPARE(f.form.langCount(), 2);
    QVERIFY(!child(f.form, "frontLangWdt")->isHidden());
    QCOMPARE(route.frontStartingPoint(1), QStringLiteral("Railway Station"));
    QCOMPARE(route.station(5)->nextName(1),
             QStringLiteral("Next stop Severny District. Last stop."));
    QVERIFY(child<QAbstractButton>(f.form, "langCount2Btn")->isChecked());
}

void TestBoardEditing::selectors()
{
    OpenForm f(RouteForm::FrontTab);
    QVERIFY(f.active());
    // Switching languages in the middle of typing keeps what was typed.
    retype(edit(f.form, "frontDestinationEdit"), QStringLiteral("Центр"), false);
    click(f.form, "frontLang2Btn");
    QCOMPARE(f.form.route().frontDestination(0), QStringLiteral("Центр"));
    QCOMPARE(edit(f.form, "frontDestinationEdit")->text(), QStringLiteral("Severny District"));
    QCOMPARE(edit(f.form, "frontStartingPointEdit")->text(), QStringLiteral("Railway Station"));
    QCOMPARE(tablo(f.form, "frontTabloWdt")->editLanguage(), 1);
    retype(edit(f.form, "frontStartingPointEdit"), QStringLiteral("Station"));
    QCOMPARE(f.form.route().frontStartingPoint(1), QStringLiteral("Station"));
    QCOMPARE(f.form.route().sideStartingPoint(1), QStringLiteral("Station"));
    QCOMPARE(f.form.route().frontStartingPoint(0), QStringLiteral("Ж/д вокзал"));
    click(f.form, "frontLang1Btn");
    f.form.undo();
    // Undo goes back to the language of the change.
    QVERIFY(child<QAbstractButton>(f.form, "frontLang2Btn")->isChecked());
    QCOMPARE(edit(f.form, "frontStartingPointEdit")->text(), QStringLiteral("Railway Station"));
}

void TestBoardEditing::cursorWindow()
{
    OpenForm f(RouteForm::FrontTab);
    QVERIFY(f.active());
    click(f.form, "frontStaticBtn"); // a running board
    QVERIFY(!(f.form.route().frontMode() & ModeStatic));
    QLineEdit *field = edit(f.form, "frontDestinationEdit");
    FrontTabloWidget *board = tablo(f.form, "frontTabloWdt");
    retype(field, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123"), false);
    QCOMPARE(board->textOffset(), 20);
    QTest::keyClick(field, Qt::Key_Home);
    QCOMPARE(board->textOffset(), 0);
    const int steps[][2] = {{20, 18}, {18, 18}, {29, 18}, {17, 15}, {2, 0}};
    for (const auto &step : steps) {
        field->setCursorPosition(step[0]);
        QCOMPARE(board->textOffset(), step[1]);
    }
    QTest::keyClick(field, Qt::Key_End);
    QCOMPARE(board->textOffset(), 28);
    // Leaving the field shows the text from its start again.
    QTest::mouseClick(edit(f.form, "frontNumberEdit"), Qt::LeftButton);
    QCOMPARE(board->textOffset(), 0);
}

void TestBoardEditing::focusTracking()
{
    OpenForm f(RouteForm::FrontTab);
    QVERIFY(f.active());
    FrontTabloWidget *board = tablo(f.form, "frontTabloWdt");
    // A still front board without station list or separator shows the other line first.
    QTest::mouseClick(edit(f.form, "frontStartingPointEdit"), Qt::LeftButton);
    QVERIFY(!board->startFirst());
    QTest::mouseClick(edit(f.form, "frontDestinationEdit"), Qt::LeftButton);
    QVERIFY(board->startFirst());
    click(f.form, "frontStaticBtn");
    QTest::mouseClick(edit(f.form, "frontStartingPointEdit"), Qt::LeftButton);
    QVERIFY(board->startFirst());

    child<QTabWidget>(f.form, "routeTabs")->setCurrentIndex(RouteForm::SideTab);
    QTest::mouseClick(edit(f.form, "sideSepEdit"), Qt::LeftButton);
    QVERIFY(tablo(f.form, "sideTabloWdt")->separatorPreview());
    QTest::mouseClick(edit(f.form, "sideNumberEdit"), Qt::LeftButton);
    QVERIFY(!tablo(f.form, "sideTabloWdt")->separatorPreview());
}

void TestBoardEditing::typedAndSavedInMainWindow()
{
    QTemporaryDir dir;
    foldertree::copy(QStringLiteral(TESSALY_EXAMPLES), dir.path());
    const QString path = dir.filePath(QStringLiteral("route12"));
    MainWindow w;
    w.openFolders({path});
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto *form = qobject_cast<RouteForm *>(child<QTabWidget>(w, "tabWidget")->currentWidget());
    QVERIFY(form);
    QAction *save = child<QAction>(w, "saveAction");
    QAction *undo = child<QAction>(w, "undoAction");
    QAction *redo = child<QAction>(w, "redoAction");
    QVERIFY(!save->isEnabled());

    child<QTabWidget>(*form, "routeTabs")->setCurrentIndex(RouteForm::FrontTab);
    retype(edit(*form, "frontNumberEdit"), QStringLiteral("12А"));
    retype(edit(*form, "frontDestinationEdit"), QStringLiteral("Центр"));
    QVERIFY(save->isEnabled());
    undo->trigger();
    undo->trigger();
    QVERIFY(!save->isEnabled());
    QVERIFY(!undo->isEnabled());
    redo->trigger();
    redo->trigger();
    QVERIFY(save->isEnabled());

    save->trigger();
    QVERIFY(!save->isEnabled());
    for (const char *name : {"ost.txt", "sidetab.txt", "backtab.txt"}) {
        const QString file = QString::fromLatin1(name);
        QCOMPARE(testsupport::readAll(path + QLatin1Char('/') + file),
                 testsupport::readAll(testsupport::dataPath(QStringLiteral("editing/") + file)));
    }
}

QTEST_MAIN(TestBoardEditing)
#include "tst_boardediting.moc"
