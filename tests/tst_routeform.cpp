#include "foldertree.h"
#include "fronttablowidget.h"
#include "routeform.h"
#include "routemodel.h"
#include "tablotexthelpform.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <QUndoCommand>
#include <QUndoStack>

// One station line group of ost.txt: first-language name and next name, optional second.
struct StationText
{
    StationText(const QString &n = {}, const QString &x = {}, const QString &n2 = {},
                const QString &x2 = {})
        : name(n), next(x), name2(n2), next2(x2)
    {
    }
    QString name;
    QString next;
    QString name2;
    QString next2;
};
Q_DECLARE_METATYPE(StationText)
Q_DECLARE_METATYPE(FrontTabloType)

namespace {

const QByteArray sep("\\\\");
const QByteArray utf8Bom("\xEF\xBB\xBF");

template <typename T> T *child(const QWidget &form, const char *name)
{
    T *w = form.findChild<T *>(QLatin1String(name));
    if (!w)
        qWarning("missing %s", name);
    return w;
}

QByteArray stationFile(const QList<StationText> &stations, int back)
{
    QByteArray out = utf8Bom + "1" + sep + "A" + sep + "B" + sep + "F11;R4;\r\n";
    for (int i = 0; i < stations.size(); ++i) {
        const StationText &s = stations.at(i);
        out += QByteArray::number(i + 1) + ' ' + (i == back ? "STOP " : "") + s.name.toUtf8();
        if (!s.next.isEmpty())
            out += sep + s.next.toUtf8();
        out += "\r\n";
        if (!s.name2.isEmpty()) {
            out += "  " + s.name2.toUtf8();
            if (!s.next2.isEmpty())
                out += sep + s.next2.toUtf8();
            out += "\r\n";
        }
        out += "  .wav\r\n";
    }
    out += QByteArray::number(stations.size() + 1) + " END\r\n";
    return out;
}

// A route folder of `count` plain stations, each announcing the next one.
QByteArray generatedStationFile(int count)
{
    QList<StationText> stations;
    for (int i = 0; i < count; ++i) {
        StationText s;
        s.name = QStringLiteral("Остановка %1.").arg(i);
        if (i + 1 < count)
            s.next = QStringLiteral("Следующая остановка %1.").arg(i + 1);
        stations << s;
    }
    return stationFile(stations, count);
}

class ScopedAsker
{
public:
    explicit ScopedAsker(RouteForm &form, bool answer)
    {
        form.setNextStopAsker([this, answer](bool defaultYes) {
            ++asked;
            lastDefaultYes = defaultYes;
            return answer;
        });
    }
    int asked = 0;
    bool lastDefaultYes = false;
};

// Records a place of change, so undo and redo can be followed without real edits.
class PlaceCommand : public QUndoCommand
{
public:
    PlaceCommand(RouteForm *form, const RouteForm::LastChange &place) : m_form(form), m_place(place)
    {
    }
    void redo() override { m_form->lastChange() = m_place; }
    void undo() override { m_form->lastChange() = m_place; }

private:
    RouteForm *m_form;
    RouteForm::LastChange m_place;
};

// Answers the next modal message box with the button of the given text and
// records how the box was made.
class BoxWatcher
{
public:
    explicit BoxWatcher(const QString &answer)
    {
        QObject::connect(&m_poll, &QTimer::timeout, [this, answer]() {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            m_poll.stop();
            seen = true;
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            parent = box->parentWidget();
            if (box->defaultButton())
                defaultButton = box->defaultButton()->text();
            if (box->escapeButton())
                escapeButton = box->escapeButton()->text();
            QAbstractButton *chosen = nullptr;
            for (QAbstractButton *b : box->buttons()) {
                buttons << b->text();
                roles << box->buttonRole(b);
                if (b->text() == answer)
                    chosen = b;
            }
            if (chosen)
                chosen->click();
            else
                box->reject();
        });
        m_poll.start(5);
    }

    bool seen = false;
    QString title, text, defaultButton, escapeButton;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QWidget *parent = nullptr;
    QStringList buttons;
    QList<int> roles;

private:
    QTimer m_poll;
};

// The grid that holds w, directly or through one box layout, and w's item in it.
QGridLayout *gridOf(const QWidget &form, QWidget *w, int *index)
{
    for (QGridLayout *grid : form.findChildren<QGridLayout *>()) {
        for (int i = 0; i < grid->count(); ++i) {
            QLayoutItem *item = grid->itemAt(i);
            if (item->widget() == w || (item->layout() && item->layout()->indexOf(w) >= 0)) {
                *index = i;
                return grid;
            }
        }
    }
    return nullptr;
}

// A named widget of the page, or else the page's label with this text.
QWidget *pageItem(const QWidget &page, const QString &item)
{
    if (auto *named = page.findChild<QWidget *>(item))
        return named;
    for (QLabel *label : page.findChildren<QLabel *>()) {
        if (label->text() == item)
            return label;
    }
    return nullptr;
}

} // namespace

class TestRouteForm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void widgets_data();
    void widgets();
    void tabs_data();
    void tabs();
    void formSplit();
    void labels_data();
    void labels();
    void gridPlaces_data();
    void gridPlaces();
    void languageSelectors();
    void stateAfterConstruction();
    void spinBoxTexts();
    void colourModels_data();
    void colourModels();

    void openFillsControls_data();
    void openFillsControls();
    void openFillsListsAndTypes();
    void openWithoutRouteFileIsNewRoute();
    void openStationCounts_data();
    void openStationCounts();

    void nextStopCheck_data();
    void nextStopCheck();
    void nextStopQuestionBox_data();
    void nextStopQuestionBox();
    void nextStopChangesSurviveUndo();

    void langCount_data();
    void langCount();
    void setLangCountResetsSelectors();

    void editorIniReading_data();
    void editorIniReading();
    void editorIniRecreated();
    void editorIniJunk();
    void typeSettersAndSignals();

    void boardMenus_data();
    void boardMenus();
    void boardMenuPick_data();
    void boardMenuPick();

    void flagsThroughTypingAndSave();
    void failedSave();
    void pendingEditPushedBeforeSave();
    void pendingEditPushedBeforeUndo_data();
    void pendingEditPushedBeforeUndo();
    void undoShowsPlaceOfChange();
    void stationPage();
    void stationPageButtons_data();
    void stationPageButtons();
    void folderChangeRescans();
    void closeRoute();

private:
    // A form as built, only looked at by the layout tests.
    QScopedPointer<RouteForm> m_fresh;
    // route7 opened once for the table of filled controls.
    QTemporaryDir m_openedDir;
    QScopedPointer<RouteForm> m_opened;
    int m_openedAsked = 0;

    QString copyRoute7(const QTemporaryDir &dir) const;
    QString writeRoute(const QTemporaryDir &dir, const QByteArray &ost,
                       const QByteArray &script = QByteArray()) const;
};

void TestRouteForm::initTestCase()
{
    testsupport::isolateSettings();
    qRegisterMetaType<FrontTabloType>("FrontTabloType");
    m_fresh.reset(new RouteForm);
}

QString TestRouteForm::copyRoute7(const QTemporaryDir &dir) const
{
    const QString path = dir.path() + QStringLiteral("/route7");
    foldertree::copy(testsupport::dataPath(QStringLiteral("routeform/route7")), path);
    return path;
}

QString TestRouteForm::writeRoute(const QTemporaryDir &dir, const QByteArray &ost,
                                  const QByteArray &script) const
{
    const QString path = dir.path() + QStringLiteral("/r");
    QDir().mkpath(path);
    if (!ost.isNull())
        testsupport::writeAll(path + QStringLiteral("/ost.txt"), ost);
    if (!script.isNull())
        testsupport::writeAll(path + QStringLiteral("/script.txt"), utf8Bom + script);
    return path;
}

// --- Layout -----------------------------------------------------------------------

void TestRouteForm::widgets_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QVariantMap>("props");

    auto row = [](const char *name, const char *cls, const QVariantMap &props = {}) {
        QTest::newRow(name) << QString::fromLatin1(cls) << props;
    };
    const QString numberStyle = QStringLiteral("* {font-size: 25pt;}");
    const QString plainDisabled = QStringLiteral(
        "QLineEdit:disabled {\ncolor: black;\nborder:0px;\nbackground: transparent;\n}");
    const QString framedDisabled = QStringLiteral(
        "QLineEdit:disabled {\ncolor: black;\nborder:1px solid rgb(128,128,128);\nbackground: "
        "transparent;\n}");
    const QVariantMap fileButton{
        {"text", QString()}, {"iconSize", QSize(32, 32)}, {"minimumSize", QSize(45, 45)}};
    const QVariantMap lineEdit{{"minimumSize", QSize(0, 35)}};
    const QVariantMap autoButton{{"text", QStringLiteral("А")}, {"minimumSize", QSize(40, 40)}};
    auto mode = [](const char *text, bool checked = false) {
        return QVariantMap{{"text", QString::fromUtf8(text)},
                           {"checkable", true},
                           {"checked", checked},
                           {"minimumSize", QSize(50, 45)}};
    };
    const QVariantMap fontButton{{"text", QStringLiteral("Ж")},
                                 {"checkable", true},
                                 {"styleSheet", QStringLiteral("font-weight: bold;")},
                                 {"minimumSize", QSize(45, 45)}};
    auto letter = [](const char *text) {
        return QVariantMap{{"text", QString::fromLatin1(text)},
                           {"focusPolicy", int(Qt::NoFocus)},
                           {"styleSheet", QStringLiteral("font-size: 12pt")},
                           {"minimumSize", QSize(40, 40)}};
    };
    auto group = [](const char *title) { return QVariantMap{{"title", QString::fromUtf8(title)}}; };

    row("RouteForm", "RouteForm",
        {{"windowTitle", QStringLiteral("Route")},
         {"size", QSize(800, 588)},
         {"styleSheet", QStringLiteral("QTabBar:tab { height: 40px; min-width: 40px;}")}});
    row("stationList", "QTreeView",
        {{"rootIsDecorated", false}, {"uniformRowHeights", true}, {"itemsExpandable", false}});
    row("rightStack", "QStackedWidget", {{"currentIndex", 1}});
    row("routePage", "QWidget");
    row("stationPage", "QWidget");
    row("routeTabs", "QTabWidget", {{"currentIndex", 0}});
    row("salonOrderTabs", "QTabWidget", {{"currentIndex", 0}});
    row("stationTabs", "QTabWidget", {{"currentIndex", 3}});

    row("langCount1Btn", "QToolButton",
        {{"text", QStringLiteral("1")}, {"checkable", true}, {"checked", true}});
    row("langCount2Btn", "QToolButton",
        {{"text", QStringLiteral("2")}, {"checkable", true}, {"checked", false}});
    row("nextDelaySpn", "QSpinBox",
        {{"minimum", 0},
         {"alignment", int(Qt::AlignRight | Qt::AlignTrailing | Qt::AlignVCenter)},
         {"maximum", 600},
         {"singleStep", 1},
         {"value", 5},
         {"prefix", QStringLiteral("через ")},
         {"suffix", QStringLiteral(" c")},
         {"specialValueText", QStringLiteral("никогда")},
         {"minimumSize", QSize(0, 35)}});
    row("nextSeparateCheck", "QCheckBox",
        {{"text", QStringLiteral("Отдельное объявление для следующей остановки")},
         {"minimumSize", QSize(0, 40)}});
    row("stationWordGrp", "QGroupBox", group("Шаблоны объявлений"));
    row("stationWordEdit", "QLineEdit", {{"maxLength", 128}, {"minimumSize", QSize(0, 35)}});
    row("nextWordEdit", "QLineEdit", {{"maxLength", 128}, {"minimumSize", QSize(0, 35)}});

    for (const char *p : {"front", "side", "back"}) {
        const QByteArray b(p);
        row(b + "TabloWdt", "FrontTabloWidget");
        row(b + "NumberEdit", "QLineEdit",
            {{"maxLength", 4},
             {"styleSheet", numberStyle},
             {"maximumSize", QSize(80, 16777215)},
             {"alignment", int(Qt::AlignCenter)}});
        row(b + "StartingPointEdit", "QLineEdit", lineEdit);
        row(b + "DestinationEdit", "QLineEdit", lineEdit);
        row(b + "ModeGrp", "QGroupBox", group("Режим отображения"));
        row(b + "StaticBtn", "QPushButton", mode("Статичный", true));
        row(b + "CenterBtn", "QPushButton", mode("По центру"));
        row(b + "OnlyDestBtn", "QPushButton", mode("Только\n пункт назначения"));
        row(b + "Font0Btn", "QToolButton", fontButton);
        row(b + "Font1Btn", "QToolButton", fontButton);
    }
    row("frontMoscowBtn", "QPushButton", mode("Пункт назначения\n увеличен"));
    row("sideStationVScrollBtn", "QPushButton", mode("Остановки\n вертикально"));
    row("frontGridLayout", "QGridLayout");
    row("frontFontBox_4", "QGroupBox", group("Шрифт по строкам"));
    row("sideFontBox", "QGroupBox", group("Шрифт по строкам"));
    row("backFontBox", "QGroupBox", group("Шрифт по строкам"));
    row("sofitColorBox", "QGroupBox",
        {{"title", QStringLiteral("Софиты")}, {"minimumSize", QSize(0, 50)}});
    row("frontColorBox", "QGroupBox",
        {{"title", QStringLiteral("Цвет табло")}, {"minimumSize", QSize(0, 50)}});
    for (const char *combo : {"leftSofitList", "rightSofitList", "frontColorList"})
        row(combo, "QComboBox", {{"minimumSize", QSize(100, 35)}});
    row("sideStationBox", "QGroupBox",
        {{"title", QStringLiteral("Список остановок")}, {"minimumSize", QSize(0, 50)}});
    row("sideStationCountSpn", "QSpinBox",
        {{"minimum", 0}, {"maximum", 10}, {"minimumSize", QSize(50, 35)}});
    row("sideSepEdit", "QLineEdit", {{"minimumSize", QSize(140, 35)}});

    row("salonTabloOrderEdit", "QLineEdit", lineEdit);
    for (const char *b :
         {"autoSideSepBtn", "autoSalonTabloOrderBtn", "autoRouteTextBtn", "autoOutsideTempBtn",
          "autoSalonTempBtn", "autoStationNameBtn", "autoNextNameBtn", "autoSideNameBtn"})
        row(b, "QToolButton", autoButton);
    row("salonMBtn", "QToolButton", letter("M"));
    row("salonSBtn", "QToolButton", letter("S"));
    row("salonOBtn", "QToolButton", letter("O"));
    row("salonNBtn", "QToolButton", letter("N"));
    row("salonABtn", "QToolButton", letter("A"));
    row("salonBBtn", "QToolButton", letter("B"));
    row("salonRBtn", "QToolButton", letter("R"));
    row("salonTBtn", "QToolButton", letter("T"));
    row("salonRepeatBtn", "QToolButton", letter("()N"));
    for (const char *e : {"routeTextEdit", "outsideTempEdit", "salonTempEdit", "coordEdit"})
        row(e, "QLineEdit", lineEdit);
    for (const char *h : {"routeTextHelpWdt", "outsideTempHelpWdt", "salonTempHelpWdt"})
        row(h, "TabloTextHelpForm");

    row("allAdTextFileLabel", "QLabel", {{"text", QStringLiteral("Все рекламные объявления")}});
    row("adTextFileList", "QListWidget", {{"uniformItemSizes", true}});
    row("allAdTextFileList", "QListWidget", {{"uniformItemSizes", true}});
    row("soundFileList", "QListWidget", {{"uniformItemSizes", true}});
    row("allSoundFileList", "QListWidget", {{"uniformItemSizes", true}});
    const QVariantMap readOnlyList{{"uniformItemSizes", true},
                                   {"editTriggers", int(QAbstractItemView::NoEditTriggers)}};
    row("textFileList", "QListWidget", readOnlyList);
    row("allTextFileList", "QListWidget", readOnlyList);
    for (const char *label : {"adTextPreviewLabel", "textPreviewLabel"})
        row(label, "QLabel",
            {{"text", QString()},
             {"wordWrap", true},
             {"minimumSize", QSize(0, 45)},
             {"maximumSize", QSize(16777215, 45)},
             {"alignment", int(Qt::AlignLeft | Qt::AlignTop)}});
    for (const char *b : {"addAdTextFileBtn", "addSoundFileBtn", "addTextFileBtn"})
        row(b, "QToolButton", fileButton);
    for (const char *b :
         {"upAdTextFileBtn", "downAdTextFileBtn", "newAdTextFileBtn", "removeAdTextFileBtn",
          "openAdFolderBtn", "moveAdFolderBtn", "openAdTextFileBtn", "upSoundFileBtn",
          "downSoundFileBtn", "removeSoundFileBtn", "openSoundFolderBtn", "newTextFileBtn",
          "upTextFileBtn", "downTextFileBtn", "removeTextFileBtn", "openTextFolderBtn"})
        row(b, "QPushButton", fileButton);
    row("openTextFileBtn", "QPushButton", {{"iconSize", QSize(28, 28)}});

    row("groupBox", "QGroupBox", group("Бегущая строка"));
    row("stationNameWdt", "QWidget");
    row("nextStationWidget", "QWidget");
    row("stationLabel", "QLabel", {{"text", QStringLiteral("Объявление остановки")}});
    row("nextStationLabel", "QLabel", {{"text", QStringLiteral("Объявление следующей")}});
    row("stationNameEdit", "QLineEdit", {{"maxLength", 128}, {"styleSheet", plainDisabled}});
    row("nextNameEdit", "QLineEdit", {{"maxLength", 128}, {"styleSheet", framedDisabled}});
    row("sideNameEdit", "QLineEdit", {{"maxLength", 128}, {"styleSheet", framedDisabled}});
    row("sideNameBox", "QGroupBox",
        {{"title", QStringLiteral("Боковое табло")}, {"minimumSize", QSize(0, 60)}});
    row("addStationBtn", "QPushButton",
        {{"text", QStringLiteral("Новая остановка")}, {"minimumSize", QSize(0, 45)}});
    row("addNextStationBtn", "QPushButton",
        {{"text", QStringLiteral("Добавить следующую\n перед текущей")}});
    row("removeStationBtn", "QPushButton", {{"text", QStringLiteral("Удалить")}});

    row("playSoundWdt", "QWidget");
    row("playSoundBtn", "QToolButton",
        {{"minimumSize", QSize(50, 50)}, {"iconSize", QSize(32, 32)}});
    row("stopSoundBtn", "QToolButton",
        {{"enabled", false}, {"iconSize", QSize(32, 32)}, {"minimumSize", QSize(45, 45)}});
    row("playNameLabel", "QLabel", {{"text", QString()}});
    row("playErrorLabel", "QLabel",
        {{"text", QString()}, {"styleSheet", QStringLiteral("color: red;")}});
    row("playSoundSlider", "QSlider",
        {{"maximum", 0},
         {"pageStep", 5},
         {"orientation", int(Qt::Horizontal)},
         {"minimumSize", QSize(0, 25)}});
    row("playPositionLabel", "QLabel", {{"text", QStringLiteral("0:00 / 0:00")}});

    row("radiusSpn", "QSpinBox",
        {{"minimum", 10},
         {"alignment", int(Qt::AlignRight | Qt::AlignTrailing | Qt::AlignVCenter)},
         {"maximum", 50},
         {"singleStep", 5},
         {"value", 25},
         {"suffix", QStringLiteral(" м")},
         {"minimumSize", QSize(100, 35)}});
    row("setAllRadiusBtn", "QPushButton",
        {{"text", QStringLiteral("Для всех")}, {"minimumSize", QSize(100, 40)}});
    row("gpsBox", "QGroupBox", group("ГЛОНАСС / GPS"));
    row("gpsCoordLabel", "QLabel");
    row("gpsSpeedLabel", "QLabel");
    row("setLocationBtn", "QPushButton",
        {{"text", QStringLiteral("Копировать")}, {"enabled", false}});
}

void TestRouteForm::widgets()
{
    QFETCH(QString, className);
    QFETCH(QVariantMap, props);
    RouteForm &form = *m_fresh;
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    QObject *object = name == QLatin1String("RouteForm") ? &form : form.findChild<QObject *>(name);
    QVERIFY2(object, qPrintable(name));
    QCOMPARE(QString::fromLatin1(object->metaObject()->className()), className);
    for (auto it = props.cbegin(); it != props.cend(); ++it) {
        QVariant actual = object->property(it.key().toLatin1());
        QVariant expected = it.value();
        if (expected.type() == QVariant::Int && actual.type() != QVariant::Int)
            actual = actual.toInt(); // enums and flags
        QVERIFY2(actual == expected,
                 qPrintable(QStringLiteral("%1: %2 is %3, not %4")
                                .arg(name, it.key(), actual.toString(), expected.toString())));
    }
}

void TestRouteForm::tabs_data()
{
    QTest::addColumn<QString>("tabWidget");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    const struct
    {
        const char *tabs;
        const char *page;
        int index;
        const char *text;
    } rows[] = {
        {"routeTabs", "generalTab", 0, "Общее"},
        {"routeTabs", "frontTabloTab", 1, "Переднее табло"},
        {"routeTabs", "sideTabloTab", 2, "Боковое табло"},
        {"routeTabs", "backTabloTab", 3, "Заднее табло"},
        {"routeTabs", "salonTabloTab", 4, "Бегущая строка"},
        {"salonOrderTabs", "salonTabloOrderTab", 0, "Порядок"},
        {"salonOrderTabs", "routeTextTab", 1, "M"},
        {"salonOrderTabs", "outsideTempTab", 2, "A"},
        {"salonOrderTabs", "salonTempTab", 3, "B"},
        {"salonOrderTabs", "adTab", 4, "R"},
        {"stationTabs", "stationTab", 0, "Остановка"},
        {"stationTabs", "soundTab", 1, "Звук"},
        {"stationTabs", "textTab", 2, "Текст"},
        {"stationTabs", "coordinateTab", 3, "Координаты"},
    };
    for (const auto &r : rows)
        QTest::newRow(r.page) << QString::fromLatin1(r.tabs) << r.index
                              << QString::fromUtf8(r.text);
}

void TestRouteForm::tabs()
{
    QFETCH(QString, tabWidget);
    QFETCH(int, index);
    QFETCH(QString, text);
    RouteForm &form = *m_fresh;
    auto *tabs = form.findChild<QTabWidget *>(tabWidget);
    QVERIFY(tabs);
    QWidget *page = form.findChild<QWidget *>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(page);
    QCOMPARE(tabs->indexOf(page), index);
    QCOMPARE(tabs->tabText(index), text);
}

void TestRouteForm::formSplit()
{
    RouteForm &form = *m_fresh;
    auto *split = qobject_cast<QHBoxLayout *>(form.layout());
    QVERIFY(split);
    QCOMPARE(split->objectName(), QStringLiteral("horizontalLayout"));
    QCOMPARE(split->count(), 2);
    QCOMPARE(split->itemAt(0)->widget(), child<QWidget>(form, "stationList"));
    QCOMPARE(split->itemAt(1)->widget(), child<QWidget>(form, "rightStack"));
    QCOMPARE(split->stretch(0), 1);
    QCOMPARE(split->stretch(1), 2);
    auto *stack = child<QStackedWidget>(form, "rightStack");
    QCOMPARE(stack->widget(0), child<QWidget>(form, "routePage"));
    QCOMPARE(stack->widget(1), child<QWidget>(form, "stationPage"));
    for (const char *page : {"routePage", "stationPage"})
        QCOMPARE(child<QWidget>(form, page)->layout()->contentsMargins(), QMargins());
    QCOMPARE(child<QWidget>(form, "salonTabloTab")->layout()->contentsMargins().top(), 9);
    QCOMPARE(child<QWidget>(form, "generalTab")->layout()->spacing(), 12);
    QCOMPARE(child<QGridLayout>(form, "frontGridLayout")->verticalSpacing(), 4);
}

void TestRouteForm::labels_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("text");
    const struct
    {
        const char *page;
        const char *text;
    } rows[] = {
        {"generalTab", "Количество языков"},
        {"generalTab", "Объявление следующей\nпосле открытия дверей"},
        {"stationWordGrp", "Остановка"},
        {"stationWordGrp", "Следующая остановка"},
        {"generalLangWdt", "Язык"},
        {"frontTabloTab", "Номер"},
        {"frontTabloTab", "Пункт отправления"},
        {"frontTabloTab", "Пункт назначения (разделитель строк '_')"},
        {"frontFontBox_4", "1"},
        {"frontFontBox_4", "2"},
        {"sideTabloTab", "Номер"},
        {"sideTabloTab", "Пункт отправления"},
        {"sideTabloTab", "Пункт назначения"},
        {"sideStationBox", "Количество"},
        {"sideStationBox", "Разделитель"},
        {"sideFontBox", "1"},
        {"sideFontBox", "2"},
        {"backTabloTab", "Номер"},
        {"backTabloTab", "Пункт отправления"},
        {"backTabloTab", "Пункт назначения (разделитель строк '_')"},
        {"backFontBox", "1"},
        {"backFontBox", "2"},
        {"routeTextTab", "Номер маршрута"},
        {"outsideTempTab", "Температура на улице"},
        {"salonTempTab", "Температура в салоне"},
        {"sideNameBox", "Объявление остановки"},
        {"soundTab", "Звуковые объявления"},
        {"soundTab", "Все звуковые файлы"},
        {"gpsBox", "Координаты"},
        {"gpsBox", "Скорость"},
    };
    for (const auto &r : rows)
        QTest::addRow("%s %s", r.page, QByteArray(r.text).replace('\n', ' ').constData())
            << QString::fromLatin1(r.page) << QString::fromUtf8(r.text);
}

void TestRouteForm::labels()
{
    QFETCH(QString, page);
    QFETCH(QString, text);
    auto *container = m_fresh->findChild<QWidget *>(page);
    QVERIFY(container);
    QStringList texts;
    for (const QLabel *label : container->findChildren<QLabel *>())
        texts << label->text();
    QVERIFY2(texts.contains(text), qPrintable(texts.join(QLatin1String(" | "))));
}

void TestRouteForm::gridPlaces_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("item"); // object name, or the text of a label
    QTest::addColumn<QRect>("place");  // column, row, column span, row span
    const struct
    {
        const char *page;
        const char *item;
        int row, column, rowSpan, columnSpan;
    } rows[] = {
        {"frontTabloTab", "frontNumberEdit", 0, 0, 4, 1},
        {"frontTabloTab", "Пункт отправления", 0, 1, 1, 1},
        {"frontTabloTab", "frontStartingPointEdit", 1, 1, 1, 1},
        {"frontTabloTab", "Пункт назначения (разделитель строк '_')", 2, 1, 1, 1},
        {"frontTabloTab", "frontDestinationEdit", 3, 1, 1, 1},
        {"frontFontBox_4", "frontFont0Btn", 0, 1, 1, 1},
        {"frontFontBox_4", "frontFont1Btn", 0, 4, 1, 1},
        {"sideTabloTab", "sideNumberEdit", 0, 0, 4, 1},
        {"sideTabloTab", "sideDestinationEdit", 3, 1, 1, 1},
        {"backTabloTab", "backNumberEdit", 0, 0, 4, 1},
        {"backTabloTab", "backDestinationEdit", 3, 1, 1, 1},
        // The legend beside the letters of the order string.
        {"salonTabloOrderTab", "Порядок вывода сообщений", 2, 0, 1, 4},
        {"salonTabloOrderTab", "salonTabloOrderEdit", 3, 0, 1, 4},
        {"salonTabloOrderTab", "autoSalonTabloOrderBtn", 3, 0, 1, 4},
        {"salonTabloOrderTab", "salonMBtn", 4, 0, 1, 1},
        {"salonTabloOrderTab", "Номер маршрута", 4, 1, 1, 1},
        {"salonTabloOrderTab", "salonSBtn", 4, 2, 1, 1},
        {"salonTabloOrderTab", "Объявления на остановке", 4, 3, 1, 1},
        {"salonTabloOrderTab", "salonOBtn", 5, 0, 1, 1},
        {"salonTabloOrderTab", "Остановка", 5, 1, 1, 1},
        {"salonTabloOrderTab", "salonNBtn", 5, 2, 1, 1},
        {"salonTabloOrderTab", "Следующая остановка", 5, 3, 1, 1},
        {"salonTabloOrderTab", "salonABtn", 9, 0, 1, 1},
        {"salonTabloOrderTab", "Температура на улице", 9, 1, 1, 1},
        {"salonTabloOrderTab", "salonBBtn", 9, 2, 1, 1},
        {"salonTabloOrderTab", "Температура в салоне", 9, 3, 1, 1},
        {"salonTabloOrderTab", "salonRBtn", 11, 0, 1, 1},
        {"salonTabloOrderTab", "Реклама", 11, 1, 1, 1},
        {"salonTabloOrderTab", "salonTBtn", 11, 2, 1, 1},
        {"salonTabloOrderTab", "Текущие дата и время", 11, 3, 1, 1},
        {"salonTabloOrderTab", "salonRepeatBtn", 13, 0, 1, 1},
        {"salonTabloOrderTab", "Повторить N раз или если  N=0 бесконечный повтор.", 13, 1, 1, 3},
        {"adTab", "Рекламные объявления", 0, 0, 1, 1},
        {"adTab", "allAdTextFileLabel", 0, 2, 1, 1},
        {"adTab", "adTextFileList", 1, 0, 1, 1},
        {"adTab", "addAdTextFileBtn", 1, 1, 1, 1},
        {"adTab", "moveAdFolderBtn", 1, 1, 1, 1},
        {"adTab", "allAdTextFileList", 1, 2, 1, 1},
        {"adTab", "adTextPreviewLabel", 2, 0, 1, 3},
        {"adTab", "openAdTextFileBtn", 2, 0, 1, 3},
        {"stationNameWdt", "stationLabel", 0, 0, 1, 1},
        {"stationNameWdt", "stationNameEdit", 1, 0, 1, 1},
        {"stationNameWdt", "autoStationNameBtn", 1, 1, 1, 1},
        {"nextStationWidget", "nextStationLabel", 0, 0, 1, 1},
        {"nextStationWidget", "nextNameEdit", 1, 0, 1, 1},
        {"nextStationWidget", "autoNextNameBtn", 1, 1, 1, 1},
        {"textTab", "Текстовые объявления", 0, 0, 1, 2},
        {"textTab", "Все текстовые файлы", 0, 3, 1, 2},
        {"textTab", "textFileList", 1, 0, 1, 2},
        {"textTab", "newTextFileBtn", 1, 2, 1, 1},
        {"textTab", "allTextFileList", 1, 3, 1, 2},
        {"textTab", "textPreviewLabel", 2, 0, 1, 5},
        {"textTab", "openTextFileBtn", 2, 0, 1, 5},
        {"coordinateTab", "coordEdit", 0, 1, 1, 3},
        {"coordinateTab",
         "Если координаты не заданы, остановка будет объявлена после отъезда от предыдущей.", 2, 1,
         1, 3},
        {"coordinateTab", "Радиус", 4, 0, 1, 1},
        {"coordinateTab", "radiusSpn", 4, 1, 1, 1},
        {"coordinateTab", "setAllRadiusBtn", 4, 2, 1, 1},
        {"coordinateTab", "gpsBox", 5, 0, 1, 4},
        {"gpsBox", "gpsCoordLabel", 0, 1, 1, 1},
        {"gpsBox", "gpsSpeedLabel", 1, 1, 1, 1},
        {"gpsBox", "setLocationBtn", 0, 2, 2, 1},
        {"playSoundWdt", "playNameLabel", 0, 0, 1, 1},
        {"playSoundWdt", "playErrorLabel", 0, 1, 1, 1},
        {"playSoundWdt", "playSoundSlider", 1, 0, 1, 2},
        {"playSoundWdt", "playPositionLabel", 1, 2, 1, 1},
    };
    for (const auto &r : rows)
        QTest::addRow("%s %s", r.page, r.item)
            << QString::fromLatin1(r.page) << QString::fromUtf8(r.item)
            << QRect(r.column, r.row, r.columnSpan, r.rowSpan);
}

void TestRouteForm::gridPlaces()
{
    QFETCH(QString, page);
    QFETCH(QString, item);
    QFETCH(QRect, place);
    auto *container = m_fresh->findChild<QWidget *>(page);
    QVERIFY(container);
    QWidget *w = pageItem(*container, item);
    QVERIFY(w);
    int index = -1;
    QGridLayout *grid = gridOf(*container, w, &index);
    QVERIFY(grid);
    int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
    grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
    QCOMPARE(QRect(column, row, columnSpan, rowSpan), place);
}

void TestRouteForm::languageSelectors()
{
    RouteForm form;
    const RouteForm::LangGroup groups[] = {RouteForm::GeneralLang,   RouteForm::FrontLang,
                                           RouteForm::SideLang,      RouteForm::BackLang,
                                           RouteForm::SalonTempLang, RouteForm::OutsideTempLang,
                                           RouteForm::RouteTextLang, RouteForm::StationLang};
    const char *prefixes[] = {"general",   "front",       "side",      "back",
                              "salonTemp", "outsideTemp", "routeText", "station"};
    for (int g = 0; g < 8; ++g) {
        const QString p = QString::fromLatin1(prefixes[g]);
        auto *container = form.findChild<QWidget *>(p + QStringLiteral("LangWdt"));
        auto *first = form.findChild<QToolButton *>(p + QStringLiteral("Lang1Btn"));
        auto *second = form.findChild<QToolButton *>(p + QStringLiteral("Lang2Btn"));
        QVERIFY2(container && first && second, qPrintable(p));
        QCOMPARE(container->minimumHeight(), 40);
        QCOMPARE(first->text(), QStringLiteral("1"));
        QCOMPARE(second->text(), QStringLiteral("2"));
        QVERIFY(first->isChecked());
        QCOMPARE(first->minimumSize(), QSize(45, 45));
        QCOMPARE(second->minimumSize(), QSize(45, 45));
        QVERIFY(first->isCheckable() && second->isCheckable());
        // "Язык", the two buttons, then a stretch.
        QLayout *row = container->layout();
        QCOMPARE(row->spacing(), 12);
        QCOMPARE(row->contentsMargins(), QMargins());
        QCOMPARE(row->count(), 4);
        auto *label = qobject_cast<QLabel *>(row->itemAt(0)->widget());
        QVERIFY(label);
        QCOMPARE(label->text(), QStringLiteral("Язык"));
        QCOMPARE(row->itemAt(1)->widget(), first);
        QCOMPARE(row->itemAt(2)->widget(), second);
        QVERIFY(row->itemAt(3)->spacerItem());
        QButtonGroup *group = form.langGroup(groups[g]);
        QVERIFY(group->exclusive());
        QCOMPARE(group->id(first), 0);
        QCOMPARE(group->id(second), 1);
        // A single language hides no selector before a route is open...
        QVERIFY(!container->isHidden());
        second->click();
        QCOMPARE(group->checkedId(), 1);
        QVERIFY(!first->isChecked());
    }
}

void TestRouteForm::stateAfterConstruction()
{
    RouteForm form;
    QVERIFY(!form.canSave() && !form.canUndo() && !form.canRedo());
    QCOMPARE(form.frontTabloType(), Board32x192);
    QCOMPARE(form.sideTabloType(), Board16x128);
    QCOMPARE(form.backTabloType(), Board16x128);
    QCOMPARE(form.langCount(), 1);
    QCOMPARE(form.currentStation(), -1);
    for (const char *hidden :
         {"addAdTextFileBtn", "upAdTextFileBtn", "downAdTextFileBtn", "removeAdTextFileBtn",
          "addTextFileBtn", "upTextFileBtn", "downTextFileBtn", "removeTextFileBtn",
          "addSoundFileBtn", "upSoundFileBtn", "downSoundFileBtn", "removeSoundFileBtn", "gpsBox"})
        QVERIFY2(child<QWidget>(form, hidden)->isHidden(), hidden);
    QVERIFY(!child<QWidget>(form, "setLocationBtn")->isEnabled());
    QCOMPARE(child<QTreeView>(form, "stationList")->model(), form.stationModel());
    QVERIFY(child<QTreeView>(form, "stationList")->header()->isHidden());
    QCOMPARE(form.stationModel()->rowCount(), 0);
    QCOMPARE(child<FrontTabloWidget>(form, "frontTabloWdt")->matrixColumns(), 196);
    QCOMPARE(child<FrontTabloWidget>(form, "sideTabloWdt")->matrixColumns(), 128);
    QCOMPARE(child<FrontTabloWidget>(form, "backTabloWdt")->matrixRows(), 16);
    QCOMPARE(child<QComboBox>(form, "frontColorList")->model(), form.frontColorModel());
    QCOMPARE(child<QComboBox>(form, "leftSofitList")->model(), form.sofitColorModel());
    QCOMPARE(child<QComboBox>(form, "rightSofitList")->model(), form.sofitColorModel());
}

void TestRouteForm::spinBoxTexts()
{
    RouteForm form;
    auto *delay = child<QSpinBox>(form, "nextDelaySpn");
    QCOMPARE(delay->text(), QStringLiteral("через 5 c"));
    delay->setValue(0);
    QCOMPARE(delay->text(), QStringLiteral("никогда"));
    auto *radius = child<QSpinBox>(form, "radiusSpn");
    radius->stepUp();
    QCOMPARE(radius->value(), 30);
    radius->setValue(70);
    QCOMPARE(radius->value(), 50);
    QCOMPARE(radius->text(), QStringLiteral("50 м"));
    auto *number = child<QLineEdit>(form, "frontNumberEdit");
    QTest::keyClicks(number, QStringLiteral("123456"));
    QCOMPARE(number->text(), QStringLiteral("1234"));
}

void TestRouteForm::colourModels_data()
{
    QTest::addColumn<bool>("front");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRgb>("display");
    QTest::addColumn<QVariant>("stored");
    QTest::newRow("front white") << true << 0 << "Белый" << QRgb(0xFFFFFF)
                                 << QVariant(QColor(64, 64, 64));
    QTest::newRow("front orange") << true << 1 << "Оранжевый" << QRgb(0xFF8000)
                                  << QVariant(QColor(128, 64, 0));
    QTest::newRow("front yellow") << true << 2 << "Желтый" << QRgb(0xFFFF00)
                                  << QVariant(QColor(96, 96, 0));
    QTest::newRow("front green") << true << 3 << "Зеленый" << QRgb(0x00FF00)
                                 << QVariant(QColor(0, 128, 0));
    QTest::newRow("front red") << true << 4 << "Красный" << QRgb(0xFF0000)
                               << QVariant(QColor(128, 0, 0));
    QTest::newRow("front blue") << true << 5 << "Синий" << QRgb(0x0000FF)
                                << QVariant(QColor(0, 0, 128));
    QTest::newRow("lights off") << false << 0 << "Погашен" << QRgb(0x000000) << QVariant(0);
    QTest::newRow("lights white") << false << 1 << "Белый" << QRgb(0xFFFFFF) << QVariant(7);
    QTest::newRow("lights yellow") << false << 2 << "Желтый" << QRgb(0xFFFF00) << QVariant(6);
    QTest::newRow("lights green") << false << 3 << "Зеленый" << QRgb(0x00FF00) << QVariant(2);
    QTest::newRow("lights red") << false << 4 << "Красный" << QRgb(0xFF0000) << QVariant(4);
    QTest::newRow("lights blue") << false << 5 << "Синий" << QRgb(0x0000FF) << QVariant(1);
}

void TestRouteForm::colourModels()
{
    QFETCH(bool, front);
    QFETCH(int, row);
    QFETCH(QString, text);
    QFETCH(QRgb, display);
    QFETCH(QVariant, stored);
    const RouteForm &form = *m_fresh;
    QStandardItemModel *model = front ? form.frontColorModel() : form.sofitColorModel();
    QCOMPARE(model->rowCount(), 6);
    const QStandardItem *item = model->item(row);
    QCOMPARE(item->text(), text);
    QCOMPARE(item->data(Qt::UserRole + 1), stored);
    QCOMPARE(item->data(Qt::SizeHintRole).toSize(), QSize(0, 40));
    const QImage swatch = item->icon().pixmap(32, 32).toImage();
    QCOMPARE(swatch.size(), QSize(32, 32));
    QCOMPARE(swatch.pixel(16, 16) & 0xFFFFFF, display);
    if (front) {
        QCOMPARE(form.frontColorRow(stored.value<QColor>()), row);
        QCOMPARE(form.frontColorOfRow(row), stored.value<QColor>());
    } else {
        QCOMPARE(form.sofitRow(stored.toInt()), row);
        QCOMPARE(form.sofitCodeOfRow(row), stored.toInt());
    }
    // Lookups of what is not there.
    QCOMPARE(form.frontColorRow(QColor(1, 2, 3)), -1);
    QCOMPARE(form.frontColorOfRow(9), QColor(Qt::black));
    QCOMPARE(form.sofitRow(3), -1);
    QCOMPARE(form.sofitCodeOfRow(-1), 0);
}

// --- Opening ----------------------------------------------------------------------------

void TestRouteForm::openFillsControls_data()
{
    QTest::addColumn<QString>("object");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("expected");
    auto row = [](const char *object, const char *property, const QVariant &expected) {
        QTest::addRow("%s.%s", object, property)
            << QString::fromLatin1(object) << QByteArray(property) << expected;
    };
    row("frontNumberEdit", "text", QStringLiteral("7А"));
    row("frontStartingPointEdit", "text", QStringLiteral("Депо"));
    row("frontDestinationEdit", "text", QStringLiteral("Вокзал"));
    row("frontStaticBtn", "checked", true);
    row("frontCenterBtn", "checked", true);
    row("frontOnlyDestBtn", "checked", false);
    row("frontMoscowBtn", "checked", false);
    row("frontFont0Btn", "checked", true);
    row("frontFont1Btn", "checked", false);
    row("frontColorList", "currentIndex", 4);
    row("leftSofitList", "currentIndex", 4);
    row("rightSofitList", "currentIndex", 5);
    row("sideNumberEdit", "text", QStringLiteral("7С"));
    row("sideStartingPointEdit", "text", QStringLiteral("Парк"));
    row("sideDestinationEdit", "text", QStringLiteral("Центр"));
    row("sideStaticBtn", "checked", true);
    row("sideStationVScrollBtn", "checked", true);
    row("sideOnlyDestBtn", "checked", false);
    row("sideCenterBtn", "checked", false);
    row("sideFont0Btn", "checked", false);
    row("sideFont1Btn", "checked", true);
    row("sideStationCountSpn", "value", 3);
    row("sideSepEdit", "text", QStringLiteral("hh:mm"));
    row("backNumberEdit", "text", QStringLiteral("7Б"));
    row("backStartingPointEdit", "text", QStringLiteral("Тыл"));
    row("backDestinationEdit", "text", QStringLiteral("Зад"));
    row("backStaticBtn", "checked", false);
    row("backOnlyDestBtn", "checked", true);
    row("backCenterBtn", "checked", true);
    row("backFont0Btn", "checked", true);
    row("backFont1Btn", "checked", true);
    row("nextDelaySpn", "value", 12);
    row("stationWordEdit", "text", QStringLiteral("Остановка"));
    row("nextWordEdit", "text", QStringLiteral("Следующая остановка"));
    row("salonTabloOrderEdit", "text", QStringLiteral("(MOS)3"));
    row("routeTextEdit", "text", QStringLiteral("Маршрут 7"));
    row("salonTempEdit", "text", QStringLiteral("Внутри %t"));
    row("outsideTempEdit", "text", QStringLiteral("Снаружи %t"));
    row("allAdTextFileLabel", "text", QStringLiteral("/route7/ads"));
    row("nextSeparateCheck", "checked", false);
    row("langCount2Btn", "checked", true);
    row("rightStack", "currentIndex", 0);
    row("routeTabs", "currentIndex", 0);
    row("stationTabs", "currentIndex", 0);
    row("salonOrderTabs", "currentIndex", 0);
}

void TestRouteForm::openFillsControls()
{
    QFETCH(QString, object);
    QFETCH(QByteArray, property);
    QFETCH(QVariant, expected);
    if (!m_opened) {
        m_opened.reset(new RouteForm);
        m_opened->setNextStopAsker([this](bool) { return ++m_openedAsked, false; });
        m_opened->openRoute(copyRoute7(m_openedDir));
    }
    QCOMPARE(m_openedAsked, 0);
    QObject *o = m_opened->findChild<QObject *>(object);
    QVERIFY(o);
    QCOMPARE(o->property(property), expected);
}

void TestRouteForm::openFillsListsAndTypes()
{
    QTemporaryDir dir;
    RouteForm form;
    QSignalSpy saveSpy(&form, &RouteForm::canSaveChanged);
    QSignalSpy typeSpy(&form, &RouteForm::frontTabloTypeChanged);
    form.openRoute(copyRoute7(dir));

    QCOMPARE(form.route().stationCount(), 5);
    QCOMPARE(form.stationModel()->rowCount(), 6);
    QCOMPARE(child<QTreeView>(form, "stationList")->currentIndex(),
             form.stationModel()->routeIndex());
    QVERIFY(!form.canSave());
    QCOMPARE(saveSpy.count(), 0);

    auto texts = [](const QListWidget *list) {
        QStringList out;
        for (int i = 0; i < list->count(); ++i) {
            out << list->item(i)->text();
            if (list->item(i)->sizeHint().height() != 40)
                out << QStringLiteral("<bad size>");
        }
        return out;
    };
    QCOMPARE(texts(child<QListWidget>(form, "adTextFileList")),
             (QStringList{QStringLiteral("x.txt"), QStringLiteral("y.txt")}));
    QStringList allAds = texts(child<QListWidget>(form, "allAdTextFileList"));
    allAds.sort();
    QCOMPARE(allAds, (QStringList{QStringLiteral("x.txt"), QStringLiteral("y.txt"),
                                  QStringLiteral("z.txt")}));
    QStringList allTexts = texts(child<QListWidget>(form, "allTextFileList"));
    allTexts.sort();
    QCOMPARE(allTexts, (QStringList{QStringLiteral("notes.txt"), QStringLiteral("one.txt"),
                                    QStringLiteral("two words.txt")}));
    QStringList allSounds = texts(child<QListWidget>(form, "allSoundFileList"));
    allSounds.sort();
    QCOMPARE(allSounds, (QStringList{QStringLiteral("a.wav"), QStringLiteral("b.wav"),
                                     QStringLiteral("c.mp3")}));

    // The folder's editor.ini decides the models, without telling the window.
    QCOMPARE(form.frontTabloType(), Board32x320);
    QCOMPARE(form.sideTabloType(), Board24x144);
    QCOMPARE(form.backTabloType(), Board16x96Sofits);
    QCOMPARE(typeSpy.count(), 0);
    auto *front = child<FrontTabloWidget>(form, "frontTabloWdt");
    QCOMPARE(front->matrixColumns(), 320);
    QCOMPARE(child<FrontTabloWidget>(form, "backTabloWdt")->matrixColumns(), 114);

    // The previews carry the route's board data.
    QCOMPARE(front->number(), QStringLiteral("7А"));
    QCOMPARE(front->destination(1), QStringLiteral("Station"));
    FrontTabloWidget reference;
    reference.setNumberColor(0x800000);
    QCOMPARE(front->numberColor(), reference.numberColor());
    QCOMPARE(front->mode(), int(ModeStatic | ModeCenter));
    QCOMPARE(front->leftSofitColor(), 4);
    QCOMPARE(front->interval(), 6000);
    auto *side = child<FrontTabloWidget>(form, "sideTabloWdt");
    QCOMPARE(side->line1Color(), QRgb(0xFFFF00));
    QCOMPARE(side->separator(), QStringLiteral("hh:mm"));
    QCOMPARE(side->stationNames(0), (QStringList{QStringLiteral("Депо"), QStringLiteral("Рынок"),
                                                 QStringLiteral("Вокзал")}));
    QCOMPARE(side->stationNames(1), (QStringList{QStringLiteral("Depot"), QStringLiteral("Market"),
                                                 QStringLiteral("Station")}));
    auto *back = child<FrontTabloWidget>(form, "backTabloWdt");
    QCOMPARE(back->startingPoint(1), QStringLiteral("Rear"));
    QCOMPARE(back->rightSofitColor(), 1);
    QCOMPARE(back->interval(), 3000);
}

void TestRouteForm::openWithoutRouteFileIsNewRoute()
{
    QTemporaryDir dir;
    const QString path = writeRoute(dir, QByteArray());
    RouteForm form;
    ScopedAsker asker(form, true);
    form.openRoute(path);
    QCOMPARE(asker.asked, 0);
    QCOMPARE(form.route().path(), path);
    QCOMPARE(form.route().stationCount(), 4);
    QCOMPARE(child<QLineEdit>(form, "frontNumberEdit")->text(), QStringLiteral("1"));
    QCOMPARE(child<QComboBox>(form, "frontColorList")->currentIndex(), 3);
    QVERIFY(!child<QCheckBox>(form, "nextSeparateCheck")->isChecked());
    QVERIFY(!form.canSave());
    QCOMPARE(form.langCount(), 1);
    QVERIFY(child<QWidget>(form, "frontLangWdt")->isHidden());
    // Nothing but the models is written on opening.
    QCOMPARE(testsupport::readAll(path + QStringLiteral("/editor.ini")),
             QByteArray("frontTabloType=0\r\nsideTabloType=1\r\nbackTabloType=1\r\n"));
    QVERIFY(!QFile::exists(path + QStringLiteral("/ost.txt")));
}

void TestRouteForm::openStationCounts_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("none") << 0;
    QTest::newRow("one") << 1;
    QTest::newRow("two thousand") << 2000;
}

void TestRouteForm::openStationCounts()
{
    QFETCH(int, count);
    QTemporaryDir dir;
    const QString path = writeRoute(dir, generatedStationFile(count));
    RouteForm form;
    ScopedAsker asker(form, false);
    form.openRoute(path);
    QCOMPARE(asker.asked, 0);
    QCOMPARE(form.route().stationCount(), count);
    QCOMPARE(form.stationModel()->rowCount(), count + 1);
    QVERIFY(!form.canSave());
    // Walking to the last station and back shows both pages.
    auto *list = child<QTreeView>(form, "stationList");
    auto *stack = child<QStackedWidget>(form, "rightStack");
    if (count > 0) {
        list->setCurrentIndex(form.stationModel()->stationIndex(count - 1));
        QCOMPARE(form.currentStation(), count - 1);
        QCOMPARE(stack->currentIndex(), 1);
    }
    list->setCurrentIndex(form.stationModel()->routeIndex());
    QCOMPARE(stack->currentIndex(), 0);
}

// --- Next-stop check --------------------------------------------------------------------

void TestRouteForm::nextStopCheck_data()
{
    QTest::addColumn<QList<StationText>>("stations");
    QTest::addColumn<int>("back");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<int>("asked"); // -1 no question, 0 default "Нет", 1 default "Да"
    QTest::addColumn<bool>("separate");
    QTest::addColumn<QStringList>("nextNames"); // first language after the check
    QTest::addColumn<bool>("changed");

    const StationText a{
        QStringLiteral("Остановка А."), QStringLiteral("Следующая остановка Б."), {}, {}};
    const StationText b{
        QStringLiteral("Остановка Б."), QStringLiteral("Следующая остановка В."), {}, {}};
    const StationText bEmpty{QStringLiteral("Остановка Б."), {}, {}, {}};
    const StationText c{QStringLiteral("Остановка В."), {}, {}, {}};
    const StationText cNext{QStringLiteral("Остановка В."), QStringLiteral("Зачем"), {}, {}};
    const QString autoB = QStringLiteral("Следующая остановка Б.");
    const QString autoC = QStringLiteral("Следующая остановка В.");

    QTest::newRow("combined, complete") << QList<StationText>{a, b, c} << 3 << false << -1 << false
                                        << QStringList{autoB, autoC, QString()} << false;
    QTest::newRow("ends may have texts")
        << QList<StationText>{a, b, cNext} << 3 << false << -1 << false
        << QStringList{autoB, autoC, QStringLiteral("Зачем")} << false;
    QTest::newRow("separate, no texts")
        << QList<StationText>{StationText{a.name, {}, {}, {}}, bEmpty, c} << 3 << true << -1 << true
        << QStringList{QString(), QString(), QString()} << false;
    QTest::newRow("single station never asks")
        << QList<StationText>{c} << 1 << true << -1 << false << QStringList{QString()} << false;
    QTest::newRow("gap, answer no fills it")
        << QList<StationText>{a, bEmpty, c} << 3 << false << 0 << false
        << QStringList{autoB, autoC, QString()} << true;
    QTest::newRow("gap, answer yes empties all")
        << QList<StationText>{a, bEmpty, c} << 3 << true << 0 << true
        << QStringList{QString(), QString(), QString()} << true;
    QTest::newRow("first empty, later text, answer yes")
        << QList<StationText>{StationText{a.name, {}, {}, {}}, b, c} << 3 << true << 1 << true
        << QStringList{QString(), QString(), QString()} << true;
    QTest::newRow("first empty, later text, answer no")
        << QList<StationText>{StationText{a.name, {}, {}, {}}, b, c} << 3 << false << 1 << false
        << QStringList{autoB, autoC, QString()} << true;
    // Station 1 ends the forward direction: its missing text is no gap.
    QTest::newRow("end of forward direction")
        << QList<StationText>{a, bEmpty,
                              StationText{c.name, QStringLiteral("Следующая остановка А."), {}, {}},
                              StationText{a.name, {}, {}, {}}}
        << 2 << false << -1 << false
        << QStringList{autoB, QString(), QStringLiteral("Следующая остановка А."), QString()}
        << false;
}

void TestRouteForm::nextStopCheck()
{
    QFETCH(QList<StationText>, stations);
    QFETCH(int, back);
    QFETCH(bool, answer);
    QFETCH(int, asked);
    QFETCH(bool, separate);
    QFETCH(QStringList, nextNames);
    QFETCH(bool, changed);

    QTemporaryDir dir;
    const QString path =
        writeRoute(dir, stationFile(stations, back),
                   " WORD_ST:\"Остановка\" WORD_NEXT_ST:\"Следующая остановка\"\r\n");
    RouteForm form;
    ScopedAsker asker(form, answer);
    QSignalSpy saveSpy(&form, &RouteForm::canSaveChanged);
    form.openRoute(path);
    QCOMPARE(asker.asked, asked < 0 ? 0 : 1);
    if (asked >= 0)
        QCOMPARE(asker.lastDefaultYes, asked == 1);
    QCOMPARE(child<QCheckBox>(form, "nextSeparateCheck")->isChecked(), separate);
    QStringList actual;
    for (const Station *s : form.route().stations())
        actual << s->nextName(0);
    QCOMPARE(actual, nextNames);
    QCOMPARE(form.canSave(), changed);
    QCOMPARE(saveSpy.count(), changed ? 1 : 0);
}

void TestRouteForm::nextStopQuestionBox_data()
{
    QTest::addColumn<QString>("firstNext"); // next-stop text of station 0
    QTest::addColumn<QString>("secondNext");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("defaultButton");
    QTest::addColumn<bool>("separate");
    QTest::addColumn<QStringList>("nextNames");
    const QString toB = QStringLiteral("дальше Б");
    const QString toC = QStringLiteral("дальше В");
    const QString autoB = QStringLiteral("Следующая остановка Б");
    const QString autoC = QStringLiteral("Следующая остановка В");
    const QString yes = QStringLiteral("Да");
    const QString no = QStringLiteral("Нет");
    // Station 0 has its text, station 1 lacks one: most likely combined.
    QTest::newRow("gap, yes") << toB << QString() << yes << no << true
                              << QStringList{QString(), QString(), QString()};
    QTest::newRow("gap, no") << toB << QString() << no << no << false
                             << QStringList{toB, autoC, QString()};
    // Station 0 has none, a later one has: most likely separate entries.
    QTest::newRow("empty first, yes")
        << QString() << toC << yes << yes << true << QStringList{QString(), QString(), QString()};
    QTest::newRow("empty first, no")
        << QString() << toC << no << yes << false << QStringList{autoB, toC, QString()};
}

void TestRouteForm::nextStopQuestionBox()
{
    QFETCH(QString, firstNext);
    QFETCH(QString, secondNext);
    QFETCH(QString, button);
    QFETCH(QString, defaultButton);
    QFETCH(bool, separate);
    QFETCH(QStringList, nextNames);
    QTemporaryDir dir;
    // No next word: answering "no" must supply one to build the missing texts.
    const QString path = writeRoute(dir, stationFile({{QStringLiteral("А"), firstNext},
                                                      {QStringLiteral("Б"), secondNext},
                                                      {QStringLiteral("В"), {}}},
                                                     3));
    RouteForm form;
    BoxWatcher box(button);
    form.openRoute(path);
    QVERIFY(box.seen);
    QCOMPARE(box.text, QStringLiteral("Маршрут с отдельным объявлением следующей остановки?"));
    QVERIFY(!box.parent);
    QCOMPARE(box.buttons, (QStringList{QStringLiteral("Да"), QStringLiteral("Нет")}));
    QCOMPARE(box.roles, (QList<int>{QMessageBox::AcceptRole, QMessageBox::RejectRole}));
    QCOMPARE(box.defaultButton, defaultButton);
    QCOMPARE(box.escapeButton, defaultButton);

    QCOMPARE(child<QCheckBox>(form, "nextSeparateCheck")->isChecked(), separate);
    QVERIFY(form.canSave());
    QStringList actual;
    for (const Station *s : form.route().stations())
        actual << s->nextName(0);
    QCOMPARE(actual, nextNames);
    if (separate) {
        QVERIFY(form.route().nextWord(0).isEmpty());
    } else {
        QCOMPARE(form.route().nextWord(0), QStringLiteral("Следующая остановка"));
        QCOMPARE(child<QLineEdit>(form, "nextWordEdit")->text(),
                 QStringLiteral("Следующая остановка"));
    }
}

void TestRouteForm::nextStopChangesSurviveUndo()
{
    QTemporaryDir dir;
    const QString path = writeRoute(dir, stationFile({{QStringLiteral("А"), QStringLiteral("x")},
                                                      {QStringLiteral("Б"), {}},
                                                      {QStringLiteral("В"), {}}},
                                                     3));
    RouteForm form;
    ScopedAsker asker(form, false);
    form.openRoute(path);
    QVERIFY(form.canSave());
    // Undoing every edit must not claim that the check's changes were saved.
    form.undoStack()->push(new PlaceCommand(&form, RouteForm::LastChange()));
    form.undo();
    QVERIFY(form.canSave());
    QVERIFY(form.saveRoute());
    QVERIFY(!form.canSave());
    form.redo();
    QVERIFY(form.canSave());
    form.undo();
    QVERIFY(!form.canSave());
}

// --- Languages ----------------------------------------------------------------------------

void TestRouteForm::langCount_data()
{
    QTest::addColumn<QByteArray>("ostExtra"); // appended to the header line of ost.txt
    QTest::addColumn<QByteArray>("station");  // second-language line of station 1
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QString>("sideFile");
    QTest::addColumn<QByteArray>("sideText");
    QTest::addColumn<int>("count");
    QTest::newRow("none") << QByteArray() << QByteArray() << QByteArray() << QString()
                          << QByteArray() << 1;
    QTest::newRow("front start") << QByteArray("  Start") << QByteArray() << QByteArray()
                                 << QString() << QByteArray() << 2;
    QTest::newRow("front destination") << QByteArray("   \\\\Dest") << QByteArray() << QByteArray()
                                       << QString() << QByteArray() << 2;
    QTest::newRow("station name") << QByteArray() << QByteArray("  Stop A") << QByteArray()
                                  << QString() << QByteArray() << 2;
    QTest::newRow("station next name") << QByteArray() << QByteArray("  A\\\\Next B")
                                       << QByteArray() << QString() << QByteArray() << 2;
    for (const char *key : {"MARSH2", "TEMP_OUT2", "TEMP_IN2", "WORD_ST2", "WORD_NEXT_ST2"})
        QTest::newRow(key) << QByteArray() << QByteArray() << QByteArray(" ") + key + ":\"x\"\r\n"
                           << QString() << QByteArray() << 2;
    QTest::newRow("side start") << QByteArray() << QByteArray() << QByteArray()
                                << QStringLiteral("sidetab.txt")
                                << QByteArray("1\\\\a\\\\b\\\\F11;\r\n  Start\r\n") << 2;
    QTest::newRow("side name") << QByteArray() << QByteArray() << QByteArray()
                               << QStringLiteral("sidetab.txt")
                               << QByteArray("1\\\\a\\\\b\\\\F11;\r\n1 A\r\n  A2\r\n") << 2;
    QTest::newRow("back destination")
        << QByteArray() << QByteArray() << QByteArray() << QStringLiteral("backtab.txt")
        << QByteArray("1\\\\a\\\\b\\\\F11;\r\n   \\\\Dest\r\n") << 2;
}

void TestRouteForm::langCount()
{
    QFETCH(QByteArray, ostExtra);
    QFETCH(QByteArray, station);
    QFETCH(QByteArray, script);
    QFETCH(QString, sideFile);
    QFETCH(QByteArray, sideText);
    QFETCH(int, count);
    QByteArray ost = "1\\\\A\\\\B\\\\F11;\r\n";
    if (!ostExtra.isEmpty())
        ost += ostExtra + "\r\n";
    ost += "1 A\r\n";
    if (!station.isEmpty())
        ost += station + "\r\n";
    ost += "  .wav\r\n2 END\r\n";
    QTemporaryDir dir;
    const QString path = writeRoute(dir, ost, script.isEmpty() ? QByteArray() : script);
    if (!sideFile.isEmpty())
        testsupport::writeAll(path + QLatin1Char('/') + sideFile, sideText);
    RouteForm form;
    ScopedAsker asker(form, false);
    form.openRoute(path);
    QCOMPARE(form.computeLangCount(), count);
    QCOMPARE(form.langCount(), count);
    QCOMPARE(
        child<QAbstractButton>(form, count == 1 ? "langCount1Btn" : "langCount2Btn")->isChecked(),
        true);
    for (const char *w :
         {"generalLangWdt", "frontLangWdt", "sideLangWdt", "backLangWdt", "routeTextLangWdt",
          "salonTempLangWdt", "outsideTempLangWdt", "stationLangWdt"})
        QCOMPARE(child<QWidget>(form, w)->isHidden(), count == 1);
}

void TestRouteForm::setLangCountResetsSelectors()
{
    QTemporaryDir dir;
    RouteForm form;
    form.openRoute(copyRoute7(dir));
    QCOMPARE(form.langCount(), 2);
    form.selectLang(RouteForm::FrontLang, 1);
    form.selectLang(RouteForm::RouteTextLang, 1);
    QCOMPARE(child<QLineEdit>(form, "frontStartingPointEdit")->text(), QStringLiteral("Depot"));
    QCOMPARE(child<QLineEdit>(form, "routeTextEdit")->text(), QStringLiteral("Route 7"));
    QCOMPARE(child<FrontTabloWidget>(form, "frontTabloWdt")->editLanguage(), 1);
    form.lastChange().lang[RouteForm::SideLang] = 1;
    form.lastChange().station = 3;
    form.lastChange().routeTab = RouteForm::BackTab;

    form.setLangCount(3); // no such button: nothing happens
    QCOMPARE(form.langCount(), 2);

    form.setLangCount(1);
    QCOMPARE(form.langCount(), 1);
    QVERIFY(child<QAbstractButton>(form, "langCount1Btn")->isChecked());
    QCOMPARE(form.langGroup(RouteForm::FrontLang)->checkedId(), 0);
    QCOMPARE(form.langGroup(RouteForm::RouteTextLang)->checkedId(), 0);
    QCOMPARE(child<QLineEdit>(form, "frontStartingPointEdit")->text(), QStringLiteral("Депо"));
    QCOMPARE(child<QLineEdit>(form, "routeTextEdit")->text(), QStringLiteral("Маршрут 7"));
    QCOMPARE(form.lastChange().lang[RouteForm::SideLang], 0);
    QCOMPARE(form.lastChange().station, -1);
    QCOMPARE(form.lastChange().routeTab, int(RouteForm::GeneralTab));
    QVERIFY(child<QWidget>(form, "stationLangWdt")->isHidden());
    // With one language, asking for the second selects the first.
    form.selectLang(RouteForm::BackLang, 1);
    QCOMPARE(form.langGroup(RouteForm::BackLang)->checkedId(), 0);
}

// --- editor.ini -------------------------------------------------------------------------------

void TestRouteForm::editorIniReading_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QList<int>>("types");
    QTest::newRow("all three") << QByteArray(
                                      "frontTabloType=4\r\nsideTabloType=5\r\nbackTabloType=2\r\n")
                               << QList<int>{4, 5, 2};
    QTest::newRow("value out of range")
        << QByteArray("frontTabloType=9\nsideTabloType=-1\n") << QList<int>{0, 1, 1};
    QTest::newRow("shortened keys") << QByteArray("front=4\ns=6\nback=3") << QList<int>{4, 6, 3};
    QTest::newRow("later lines win")
        << QByteArray("backTabloType=3\r\nbackTabloType=6\r\n") << QList<int>{0, 1, 6};
    QTest::newRow("no number is 0") << QByteArray("sideTabloType=abc\r\n") << QList<int>{0, 0, 1};
    QTest::newRow("unknown keys and lines")
        << QByteArray("colour=3\nfrontTabloType\nfrontTabloTypes=5\n") << QList<int>{0, 1, 1};
    QTest::newRow("empty file") << QByteArray() << QList<int>{0, 1, 1};
}

void TestRouteForm::editorIniReading()
{
    QFETCH(QByteArray, ini);
    QFETCH(QList<int>, types);
    QTemporaryDir dir;
    const QString path = writeRoute(dir, generatedStationFile(2));
    testsupport::writeAll(path + QStringLiteral("/editor.ini"), ini);
    RouteForm form;
    QSignalSpy front(&form, &RouteForm::frontTabloTypeChanged);
    QSignalSpy side(&form, &RouteForm::sideTabloTypeChanged);
    QSignalSpy back(&form, &RouteForm::backTabloTypeChanged);
    form.openRoute(path);
    QCOMPARE((QList<int>{form.frontTabloType(), form.sideTabloType(), form.backTabloType()}),
             types);
    QCOMPARE(front.count() + side.count() + back.count(), 0);
    // A file that could be read is left as it was.
    QCOMPARE(testsupport::readAll(path + QStringLiteral("/editor.ini")), ini);
}

void TestRouteForm::editorIniRecreated()
{
    QTemporaryDir dir;
    const QString path = writeRoute(dir, generatedStationFile(2));
    RouteForm form;
    form.setFrontTabloType(Board32x256);
    form.setBackTabloType(Board16x96);
    form.openRoute(path);
    QCOMPARE(testsupport::readAll(path + QStringLiteral("/editor.ini")),
             QByteArray("frontTabloType=5\r\nsideTabloType=1\r\nbackTabloType=3\r\n"));
    QCOMPARE(form.frontTabloType(), Board32x256);
    // A form without a folder writes nothing.
    RouteForm empty;
    QVERIFY(!empty.writeEditorIni());
    QVERIFY(!empty.readEditorIni());
}

void TestRouteForm::editorIniJunk()
{
    QTemporaryDir dir;
    const QString path = writeRoute(dir, generatedStationFile(3));
    QByteArray junk;
    quint32 seed = 12345;
    for (int i = 0; i < 4096; ++i) {
        seed = seed * 1103515245u + 12345u;
        const char pick = char(seed >> 16);
        junk += (i % 7 == 0) ? '=' : (i % 11 == 0 ? '\n' : pick);
    }
    junk += "\nbackTabloType=99999999999999999999\n=\n==\n=4\n";
    testsupport::writeAll(path + QStringLiteral("/editor.ini"), junk);
    RouteForm form;
    form.openRoute(path);
    for (int t : {form.frontTabloType(), form.sideTabloType(), form.backTabloType()})
        QVERIFY(isFrontTabloType(t));
    // An empty key is a leading part of every key: the first, the front board's, takes it.
    QCOMPARE(form.frontTabloType(), Board32x320);
}

void TestRouteForm::typeSettersAndSignals()
{
    RouteForm form;
    QSignalSpy spy(&form, &RouteForm::sideTabloTypeChanged);
    form.setSideTabloType(Board16x128); // unchanged
    form.setSideTabloType(42);          // not a model
    QCOMPARE(spy.count(), 0);
    form.setSideTabloType(Board32x256);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<FrontTabloType>(), Board32x256);
    QCOMPARE(child<FrontTabloWidget>(form, "sideTabloWdt")->matrixColumns(), 256);
}

// --- Board menus ----------------------------------------------------------------------------

void TestRouteForm::boardMenus_data()
{
    QTest::addColumn<int>("board");
    QTest::newRow("front") << int(RouteForm::FrontBoard);
    QTest::newRow("side") << int(RouteForm::SideBoard);
    QTest::newRow("back") << int(RouteForm::BackBoard);
}

void TestRouteForm::boardMenus()
{
    QFETCH(int, board);
    RouteForm form;
    const QList<FrontTabloType> expected =
        frontTabloTypesInMenuOrder(board == RouteForm::BackBoard);
    QCOMPARE(expected.contains(Board16x96Sofits), board == RouteForm::BackBoard);
    QScopedPointer<QMenu> menu(form.createTabloMenu(RouteForm::Board(board)));
    QVERIFY(!menu->parent());
    const QList<QAction *> actions = menu->actions();
    QCOMPARE(actions.size(), expected.size());
    const int current = board == RouteForm::FrontBoard ? Board32x192 : Board16x128;
    for (int i = 0; i < actions.size(); ++i) {
        QCOMPARE(actions.at(i)->data().toInt(), int(expected.at(i)));
        QCOMPARE(actions.at(i)->text(), frontTabloTypeText(expected.at(i)));
        QVERIFY(actions.at(i)->isCheckable());
        QCOMPARE(actions.at(i)->isChecked(), int(expected.at(i)) == current);
    }
}

void TestRouteForm::boardMenuPick_data()
{
    QTest::addColumn<int>("pick");
    QTest::addColumn<int>("signalCount");
    QTest::newRow("another model") << int(Board24x144) << 1;
    QTest::newRow("the checked model") << int(Board16x128) << 0;
    QTest::newRow("dismissed") << -1 << 0;
}

void TestRouteForm::boardMenuPick()
{
    QFETCH(int, pick);
    QFETCH(int, signalCount);
    QTemporaryDir dir;
    const QString path = writeRoute(dir, generatedStationFile(2));
    RouteForm form;
    form.openRoute(path);
    const QString ini = path + QStringLiteral("/editor.ini");
    QVERIFY(QFile::remove(ini));
    QSignalSpy spy(&form, &RouteForm::backTabloTypeChanged);
    QTimer::singleShot(50, [pick]() {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction *a : menu->actions()) {
            if (a->data().toInt() == pick)
                a->trigger();
        }
        menu->close();
    });
    emit child<FrontTabloWidget>(form, "backTabloWdt")->contextMenuRequested();
    QCOMPARE(spy.count(), signalCount);
    if (pick < 0) {
        QVERIFY(!QFile::exists(ini));
    } else {
        QCOMPARE(int(form.backTabloType()), pick);
        QCOMPARE(testsupport::readAll(ini),
                 QByteArray("frontTabloType=0\r\nsideTabloType=1\r\nbackTabloType=") +
                     QByteArray::number(pick) + "\r\n");
    }
}

// --- State flags ------------------------------------------------------------------------------

void TestRouteForm::flagsThroughTypingAndSave()
{
    QTemporaryDir dir;
    RouteForm form;
    QSignalSpy save(&form, &RouteForm::canSaveChanged);
    QSignalSpy undo(&form, &RouteForm::canUndoChanged);
    QSignalSpy redo(&form, &RouteForm::canRedoChanged);
    const QString path = copyRoute7(dir);
    form.openRoute(path);
    QCOMPARE(save.count() + undo.count() + redo.count(), 0);

    // Typing announces a pending change at once.
    QTest::keyClicks(child<QLineEdit>(form, "routeTextEdit"), QStringLiteral("x"));
    QVERIFY(form.canSave() && form.canUndo() && !form.canRedo());
    QCOMPARE(save.count(), 1);
    QCOMPARE(undo.count(), 1);
    QCOMPARE(redo.count(), 0);
    QTest::keyClicks(child<QLineEdit>(form, "routeTextEdit"), QStringLiteral("y"));
    QCOMPARE(save.count(), 1);

    // Spin boxes count as typing, and undo steps drive the flags.
    form.undoStack()->push(new PlaceCommand(&form, RouteForm::LastChange()));
    form.undo();
    QVERIFY(!form.canSave() && !form.canUndo() && form.canRedo());
    child<QSpinBox>(form, "radiusSpn")->setValue(40);
    QVERIFY(form.canSave() && form.canUndo() && !form.canRedo());

    QVERIFY(form.saveRoute());
    QVERIFY(!form.canSave());
    QCOMPARE(save.last().at(0).toBool(), false);
    QVERIFY(form.undoStack()->isClean());
    QVERIFY(QFile::exists(path + QStringLiteral("/coord.txt")));
}

void TestRouteForm::failedSave()
{
    QTemporaryDir dir;
    RouteForm form;
    const QString path = copyRoute7(dir);
    form.openRoute(path);
    form.undoStack()->push(new PlaceCommand(&form, RouteForm::LastChange()));
    QVERIFY(form.canSave());
    QVERIFY(QFile::remove(path + QStringLiteral("/coord.txt")));
    QVERIFY(QDir().mkdir(path + QStringLiteral("/coord.txt")));
    QSignalSpy save(&form, &RouteForm::canSaveChanged);
    BoxWatcher box(QStringLiteral("OK"));
    QVERIFY(!form.saveRoute());
    QVERIFY(box.seen);
    QCOMPARE(box.text, QStringLiteral("Ошибка сохранения маршрута!"));
    QCOMPARE(box.title, QStringLiteral("Приложение"));
    QCOMPARE(box.icon, QMessageBox::Critical);
    QCOMPARE(box.parent, &form);
    QCOMPARE(box.buttons, QStringList{QStringLiteral("OK")});
    QVERIFY(form.canSave());
    QCOMPARE(save.count(), 0);
    QVERIFY(!form.undoStack()->isClean());
}

void TestRouteForm::pendingEditPushedBeforeSave()
{
    QTemporaryDir dir;
    RouteForm form;
    form.openRoute(copyRoute7(dir));
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    auto *edit = child<QLineEdit>(form, "frontNumberEdit");
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    QTest::keyClicks(edit, QStringLiteral("9"));
    // The field's own handler pushes the typed change when its editing finishes.
    int pushed = 0;
    connect(edit, &QLineEdit::editingFinished, this, [&]() { ++pushed; });
    QVERIFY(form.saveRoute());
    QCOMPARE(pushed, 1);
    QVERIFY(!edit->hasFocus());
    QVERIFY(form.undoStack()->isClean());
    QVERIFY(!form.canSave());
}

void TestRouteForm::pendingEditPushedBeforeUndo_data()
{
    QTest::addColumn<bool>("redo");
    QTest::newRow("undo") << false;
    QTest::newRow("redo") << true;
}

void TestRouteForm::pendingEditPushedBeforeUndo()
{
    QFETCH(bool, redo);
    QTemporaryDir dir;
    RouteForm form;
    form.openRoute(copyRoute7(dir));
    form.undoStack()->push(new PlaceCommand(&form, RouteForm::LastChange()));
    if (redo)
        form.undo();
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    auto *edit = child<QLineEdit>(form, "routeTextEdit");
    form.selectLang(RouteForm::RouteTextLang, 0);
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    QTest::keyClicks(edit, QStringLiteral("9"));
    // The field's own handler pushes the typed change when its editing finishes.
    int pushed = 0;
    connect(edit, &QLineEdit::editingFinished, this, [&]() { ++pushed; });
    if (redo)
        form.redo();
    else
        form.undo();
    QCOMPARE(pushed, 1);
    QVERIFY(!edit->hasFocus());
    // The typed change was pushed first, so undo takes back that change and a
    // redo finds nothing left to redo once it has been pushed.
    QCOMPARE(form.undoStack()->count(), redo ? 1 : 2);
    QCOMPARE(form.undoStack()->index(), 1);
    QCOMPARE(form.canRedo(), !redo);
}

void TestRouteForm::undoShowsPlaceOfChange()
{
    QTemporaryDir dir;
    RouteForm form;
    form.openRoute(copyRoute7(dir));
    RouteForm::LastChange place;
    place.station = 1;
    place.stationTab = RouteForm::TextTab;
    place.lang[RouteForm::StationLang] = 1;
    place.textRow = 1;
    place.routeTab = RouteForm::SalonTab;
    place.salonTab = RouteForm::AdTab;
    form.undoStack()->push(new PlaceCommand(&form, place));
    form.undo();
    auto *list = child<QTreeView>(form, "stationList");
    QCOMPARE(list->currentIndex(), form.stationModel()->stationIndex(1));
    QCOMPARE(form.currentStation(), 1);
    QCOMPARE(child<QStackedWidget>(form, "rightStack")->currentIndex(), 1);
    QCOMPARE(child<QTabWidget>(form, "stationTabs")->currentIndex(), int(RouteForm::TextTab));
    QCOMPARE(child<QTabWidget>(form, "routeTabs")->currentIndex(), int(RouteForm::SalonTab));
    QCOMPARE(child<QTabWidget>(form, "salonOrderTabs")->currentIndex(), int(RouteForm::AdTab));
    QCOMPARE(form.langGroup(RouteForm::StationLang)->checkedId(), 1);
    QCOMPARE(child<QLineEdit>(form, "stationNameEdit")->text(), QStringLiteral("Stop Market."));
    QCOMPARE(child<QListWidget>(form, "textFileList")->count(), 1);
    // Row 1 does not exist in a one-entry list: no row is made up.
    QVERIFY(child<QListWidget>(form, "textFileList")->currentRow() <= 0);

    // A change of route-wide data brings the route row back.
    place = RouteForm::LastChange();
    place.routeTab = RouteForm::BackTab;
    form.undoStack()->push(new PlaceCommand(&form, place));
    form.undo();
    QCOMPARE(list->currentIndex(), form.stationModel()->routeIndex());
    QCOMPARE(child<QStackedWidget>(form, "rightStack")->currentIndex(), 0);
    QCOMPARE(child<QTabWidget>(form, "routeTabs")->currentIndex(), int(RouteForm::BackTab));
}

void TestRouteForm::stationPage()
{
    QTemporaryDir dir;
    RouteForm form;
    form.openRoute(copyRoute7(dir));
    auto *list = child<QTreeView>(form, "stationList");
    list->setCurrentIndex(form.stationModel()->stationIndex(0));
    QCOMPARE(child<QLineEdit>(form, "stationNameEdit")->text(), QStringLiteral("Остановка Депо."));
    QCOMPARE(child<QLineEdit>(form, "nextNameEdit")->text(),
             QStringLiteral("Следующая остановка Рынок."));
    QCOMPARE(child<QLineEdit>(form, "sideNameEdit")->text(), QStringLiteral("Депо"));
    QCOMPARE(child<QLineEdit>(form, "coordEdit")->text(), QStringLiteral("56.10000 47.20000"));
    QCOMPARE(child<QSpinBox>(form, "radiusSpn")->value(), 30);
    QCOMPARE(child<QListWidget>(form, "soundFileList")->item(0)->text(), QStringLiteral("a.wav"));
    QVERIFY(!form.canSave()); // loading a station is no edit
    // The last station of the forward direction announces no next stop.
    list->setCurrentIndex(form.stationModel()->stationIndex(2));
    QVERIFY(child<QWidget>(form, "nextStationWidget")->isHidden());
    QVERIFY(child<QLineEdit>(form, "coordEdit")->text().isEmpty());
    QVERIFY(child<QWidget>(form, "removeStationBtn")->isHidden());
    form.selectLang(RouteForm::StationLang, 1);
    QCOMPARE(child<QLineEdit>(form, "stationNameEdit")->text(), QStringLiteral("Stop Station."));
    QCOMPARE(child<QLineEdit>(form, "sideNameEdit")->text(), QStringLiteral("Station"));
}

void TestRouteForm::stationPageButtons_data()
{
    QTest::addColumn<bool>("separate");
    QTest::addColumn<int>("station");
    QTest::addColumn<QStringList>("shown");
    const QString name = QStringLiteral("stationNameWdt");
    const QString next = QStringLiteral("nextStationWidget");
    const QString add = QStringLiteral("addStationBtn");
    const QString addNext = QStringLiteral("addNextStationBtn");
    const QString remove = QStringLiteral("removeStationBtn");
    // Five stations, the back direction from index 3.
    QTest::newRow("combined, first") << false << 0 << QStringList{name, next, add, remove};
    QTest::newRow("combined, two before the turn") << false << 1 << QStringList{name, next, add};
    QTest::newRow("combined, end of forward") << false << 2 << QStringList{name, add};
    QTest::newRow("combined, start of back") << false << 3 << QStringList{name, next, add, remove};
    QTest::newRow("combined, last") << false << 4 << QStringList{name, add, remove};
    // Five entries, forward only: stop, next, stop, next, stop.
    QTest::newRow("separate, first stop") << true << 0 << QStringList{name, add, addNext, remove};
    QTest::newRow("separate, next entry") << true << 1 << QStringList{next, add, remove};
    QTest::newRow("separate, middle stop") << true << 2 << QStringList{name, add, remove};
    QTest::newRow("separate, last stop") << true << 4 << QStringList{name, add, remove};
}

void TestRouteForm::stationPageButtons()
{
    QFETCH(bool, separate);
    QFETCH(int, station);
    QFETCH(QStringList, shown);
    QTemporaryDir dir;
    QList<StationText> stations;
    for (int i = 0; i < 5; ++i)
        stations << StationText(QStringLiteral("S%1").arg(i),
                                separate || i == 2 || i == 4 ? QString()
                                                             : QStringLiteral("N%1").arg(i + 1));
    const QString path = writeRoute(dir, stationFile(stations, separate ? 5 : 3));
    RouteForm form;
    ScopedAsker asker(form, false);
    form.openRoute(path);
    QCOMPARE(asker.asked, 0);
    QCOMPARE(child<QCheckBox>(form, "nextSeparateCheck")->isChecked(), separate);
    child<QTreeView>(form, "stationList")
        ->setCurrentIndex(form.stationModel()->stationIndex(station));
    QStringList actual;
    for (const char *w : {"stationNameWdt", "nextStationWidget", "addStationBtn",
                          "addNextStationBtn", "removeStationBtn"}) {
        if (!child<QWidget>(form, w)->isHidden())
            actual << QString::fromLatin1(w);
    }
    QCOMPARE(actual, shown);
    const bool nextEntry = separate && station % 2 == 1;
    QCOMPARE(child<QLineEdit>(form, nextEntry ? "nextNameEdit" : "stationNameEdit")->text(),
             QStringLiteral("S%1").arg(station));
}

void TestRouteForm::folderChangeRescans()
{
    QTemporaryDir dir;
    RouteForm form;
    const QString path = copyRoute7(dir);
    form.openRoute(path);
    auto *sounds = child<QListWidget>(form, "allSoundFileList");
    auto *ads = child<QListWidget>(form, "allAdTextFileList");
    sounds->setCurrentItem(sounds->findItems(QStringLiteral("b.wav"), Qt::MatchExactly).value(0));
    QVERIFY(sounds->currentItem());
    QVERIFY(testsupport::writeAll(path + QStringLiteral("/new.mp3"), "ID3"));
    QVERIFY(testsupport::writeAll(path + QStringLiteral("/ads/new.txt"), "x"));
    QVERIFY(testsupport::writeAll(path + QStringLiteral("/ads/rscript~.txt"), "x"));
    QTRY_COMPARE(sounds->count(), 4);
    QTRY_COMPARE(ads->count(), 4);
    QCOMPARE(sounds->currentItem()->text(), QStringLiteral("b.wav"));
    QVERIFY(ads->findItems(QStringLiteral("rscript~.txt"), Qt::MatchExactly).isEmpty());
}

void TestRouteForm::closeRoute()
{
    QTemporaryDir dir;
    RouteForm form;
    form.openRoute(copyRoute7(dir));
    child<QTreeView>(form, "stationList")->setCurrentIndex(form.stationModel()->stationIndex(3));
    form.undoStack()->push(new PlaceCommand(&form, RouteForm::LastChange()));
    form.closeRoute();
    QCOMPARE(form.stationModel()->rowCount(), 0);
    QCOMPARE(form.route().stationCount(), 0);
    QVERIFY(form.route().path().isEmpty());
    QVERIFY(!form.canUndo());
    QCOMPARE(form.currentStation(), -1);
}

QTEST_MAIN(TestRouteForm)
#include "tst_routeform.moc"
