// The route form in the main window at the window's own size and at its
// minimum size: on every page and tab no two visible controls overlap, no
// fixed text is wider than its control, and the station list keeps its width.
// Runs under the offscreen platform with the desktop's font, as formshots does.
#include "foldertree.h"
#include "mainwindow.h"
#include "routeform.h"
#include "routemodel.h"
#include "tablowidget.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

namespace {

// Controls that are judged as a whole; what lies inside them is theirs.
bool isControl(const QWidget *w)
{
    return qobject_cast<const QLabel *>(w) || qobject_cast<const QAbstractButton *>(w) ||
           qobject_cast<const QLineEdit *>(w) || qobject_cast<const QAbstractSpinBox *>(w) ||
           qobject_cast<const QComboBox *>(w) || qobject_cast<const QAbstractItemView *>(w) ||
           qobject_cast<const QSlider *>(w) || qobject_cast<const QTabBar *>(w) ||
           qobject_cast<const TabloWidget *>(w);
}

QString nameOf(const QWidget *w)
{
    if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("label")))
        return w->objectName();
    const auto *label = qobject_cast<const QLabel *>(w);
    return QStringLiteral("%1 \"%2\"")
        .arg(QLatin1String(w->metaObject()->className()),
             label ? label->text().replace(QLatin1Char('\n'), QLatin1Char(' ')) : QString());
}

// The part of w that can be seen: its rectangle cut by every ancestor's.
QRect shownRect(const QWidget *w, const QWidget *window)
{
    QRect r(w->mapTo(window, QPoint(0, 0)), w->size());
    for (const QWidget *p = w->parentWidget(); p && p != window; p = p->parentWidget())
        r &= QRect(p->mapTo(window, QPoint(0, 0)), p->size());
    return r;
}

// How wide a control must be for its fixed text, or 0 when it has none to judge.
int neededWidth(const QWidget *w)
{
    const QFontMetrics fm = w->fontMetrics();
    if (const auto *label = qobject_cast<const QLabel *>(w)) {
        if (label->wordWrap() || label->text().isEmpty())
            return 0;
        return fm.size(0, label->text()).width() + 2 * label->frameWidth() + 2 * label->margin() +
               (label->indent() > 0 ? label->indent() : 0);
    }
    if (qobject_cast<const QCheckBox *>(w))
        return w->sizeHint().width();
    if (const auto *button = qobject_cast<const QAbstractButton *>(w)) {
        if (button->text().isEmpty())
            return 0;
        const int margin = w->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, w);
        return fm.size(Qt::TextShowMnemonic, button->text()).width() + margin;
    }
    // These measure their texts themselves.
    if (qobject_cast<const QAbstractSpinBox *>(w))
        return w->minimumSizeHint().width();
    if (qobject_cast<const QComboBox *>(w))
        return w->sizeHint().width();
    if (const auto *box = qobject_cast<const QGroupBox *>(w))
        return box->title().isEmpty() ? 0 : fm.horizontalAdvance(box->title()) + 8;
    return 0;
}

int neededHeight(const QWidget *w)
{
    const auto *label = qobject_cast<const QLabel *>(w);
    if (!label || label->text().isEmpty())
        return 0;
    if (label->wordWrap())
        return label->heightForWidth(label->width());
    return w->fontMetrics().size(0, label->text()).height();
}

// Everything wrong with what the form shows now in its window, one line per fault.
QStringList faults(QWidget *form, QWidget *window)
{
    QStringList found;
    QVector<QPair<QWidget *, QRect>> shown;
    for (QWidget *w : form->findChildren<QWidget *>()) {
        if (!w->isVisible())
            continue;
        const QRect r = shownRect(w, window);
        if (r.isEmpty())
            continue;
        if (neededWidth(w) > w->width())
            found << QStringLiteral("%1 needs %2 px, has %3")
                         .arg(nameOf(w))
                         .arg(neededWidth(w))
                         .arg(w->width());
        if (neededHeight(w) > w->height())
            found << QStringLiteral("%1 cut at the bottom").arg(nameOf(w));
        bool inner = false;
        for (QWidget *p = w->parentWidget(); p && p != window && !inner; p = p->parentWidget())
            inner = isControl(p);
        if (isControl(w) && !inner)
            shown.append({w, r});
    }
    for (int i = 0; i < shown.size(); ++i)
        for (int j = i + 1; j < shown.size(); ++j)
            if (shown[i].second.intersects(shown[j].second))
                found << QStringLiteral("%1 overlaps %2")
                             .arg(nameOf(shown[i].first), nameOf(shown[j].first));
    return found;
}

} // namespace

class TestFormLayout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::isolateSettings();
        // As on a desktop and in formshots: the offscreen platform's own default is 12 pt.
        QApplication::setFont(QFont(QStringLiteral("Sans Serif"), 9));
    }

    void everyPageAndTab_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("fits"); // no page needs to scroll
        QTest::newRow("window size") << QSize(800, 600) << true;
        QTest::newRow("minimum size") << QSize(640, 480) << false;
    }

    void everyPageAndTab()
    {
        QFETCH(QSize, size);
        QFETCH(bool, fits);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(foldertree::copy(QStringLiteral(TESSALY_EXAMPLES), dir.path()));

        MainWindow window;
        window.resize(size);
        window.openFolders({dir.path() + QStringLiteral("/route12")});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.size(), size);
        auto *form = window.findChild<RouteForm *>();
        QVERIFY(form);
        auto *list = form->findChild<QTreeView *>(QStringLiteral("stationList"));
        const QString nested = QStringLiteral("salonOrderTabs");

        QStringList report;
        int listWidth = -1;
        auto look = [&](const QString &where) {
            QApplication::processEvents();
            for (const QString &fault : faults(form, &window))
                report << where + QStringLiteral(": ") + fault;
            for (auto *area : form->findChildren<QScrollArea *>())
                if (fits && area->isVisible() &&
                    (area->horizontalScrollBar()->isVisible() ||
                     area->verticalScrollBar()->isVisible()))
                    report << where + QStringLiteral(": scrolls");
            if (listWidth < 0)
                listWidth = list->width();
            if (list->width() != listWidth || listWidth < 150)
                report << where + QStringLiteral(": station list %1 px wide").arg(list->width());
        };
        auto walk = [&](QTabWidget *tabs) {
            for (int i = 0; i < tabs->count(); ++i) {
                tabs->setCurrentIndex(i);
                auto *inner = tabs->widget(i)->findChild<QTabWidget *>(nested);
                for (int j = 0; j < (inner ? inner->count() : 1); ++j) {
                    if (inner)
                        inner->setCurrentIndex(j);
                    look(tabs->widget(i)->objectName() +
                         (inner ? QLatin1Char('/') + inner->widget(j)->objectName() : QString()));
                }
            }
        };
        list->setCurrentIndex(form->stationModel()->routeIndex());
        walk(form->findChild<QTabWidget *>(QStringLiteral("routeTabs")));
        list->setCurrentIndex(form->stationModel()->stationIndex(0));
        walk(form->findChild<QTabWidget *>(QStringLiteral("stationTabs")));
        // Once more from the start: nothing may have grown or shrunk meanwhile.
        list->setCurrentIndex(form->stationModel()->routeIndex());
        walk(form->findChild<QTabWidget *>(QStringLiteral("routeTabs")));

        if (!report.isEmpty())
            qInfo().noquote() << QFontInfo(QApplication::font()).family() << report.join('\n');
        QCOMPARE(report.size(), 0);
    }
};

QTEST_MAIN(TestFormLayout)
#include "tst_formlayout.moc"
