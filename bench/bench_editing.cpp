// Editing speed: a keystroke in the front destination to the repainted 320 x 32 preview, and
// the language count 2 -> 1 on the 2,000-station route (push, undo, redo).
#include "bigroute.h"
#include "foldertree.h"
#include "fronttablowidget.h"
#include "routeform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <algorithm>

class BenchEditing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void keystrokeToPreview();
    void langCountOnBigRoute();

private:
    QTemporaryDir m_dir;
};

void BenchEditing::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
    foldertree::copy(QStringLiteral(TESSALY_EXAMPLES), m_dir.path() + QStringLiteral("/examples"));
    QVERIFY(bigroute::write(m_dir.path() + QStringLiteral("/big")));
}

void BenchEditing::keystrokeToPreview()
{
    RouteForm form;
    form.setFrontTabloType(Board32x320);
    form.openRoute(m_dir.path() + QStringLiteral("/examples/route12"));
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.findChild<QTabWidget *>(QStringLiteral("routeTabs"))->setCurrentIndex(RouteForm::FrontTab);
    auto *edit = form.findChild<QLineEdit *>(QStringLiteral("frontDestinationEdit"));
    auto *board = form.findChild<FrontTabloWidget *>(QStringLiteral("frontTabloWdt"));
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    // Two keystrokes per round, a letter and its deletion, each followed by the repaint.
    QBENCHMARK
    {
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QStringLiteral("ж"),
                            Qt::NoModifier);
        board->repaint();
        QTest::keyClick(edit, Qt::Key_Backspace);
        board->repaint();
    }
}

void BenchEditing::langCountOnBigRoute()
{
    RouteForm form;
    form.setNextStopAsker([](bool defaultYes) { return defaultYes; });
    form.openRoute(m_dir.path() + QStringLiteral("/big"));
    QCOMPARE(form.langCount(), 2);
    auto *one = form.findChild<QAbstractButton *>(QStringLiteral("langCount1Btn"));
    const int rounds = 5;
    QVector<qint64> push, undo, redo;
    QElapsedTimer timer;
    for (int i = 0; i < rounds; ++i) {
        timer.start();
        one->click();
        push << timer.nsecsElapsed();
        QCOMPARE(form.langCount(), 1);
        QVERIFY(form.route().station(1999)->name(1).isEmpty());
        timer.start();
        form.undo();
        undo << timer.nsecsElapsed();
        timer.start();
        form.redo();
        redo << timer.nsecsElapsed();
        form.undo();
        QCOMPARE(form.langCount(), 2);
    }
    auto median = [](QVector<qint64> v) {
        std::sort(v.begin(), v.end());
        return v.at(v.size() / 2) / 1e6;
    };
    qInfo("%d texts emptied in one step", form.undoStack()->command(0)->childCount());
    qInfo("language count 2 -> 1 on 2,000 stations, median of %d: push %.1f ms, undo %.1f ms, "
          "redo %.1f ms",
          rounds, median(push), median(undo), median(redo));
}

QTEST_MAIN(BenchEditing)
#include "bench_editing.moc"
