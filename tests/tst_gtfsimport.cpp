// The two GTFS actions of the main window: the import dialog driven by clicks and keys, and
// coordinates for the bundled example from a feed made for it.
#include "foldertree.h"
#include "gtfsactions.h"
#include "gtfsfeed.h"
#include "gtfstestsupport.h"
#include "mainwindow.h"
#include "routeform.h"
#include "routemodel.h"
#include "testsupport.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QUndoStack>
#include <QtTest>

using namespace testsupport;

class TestGtfsImport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { isolateSettings(); }
    void importThroughDialog();
    void coordinatesForExample();

private:
    QTemporaryDir m_dir;
};

void TestGtfsImport::importThroughDialog()
{
    const QString zip = m_dir.filePath("feed.zip");
    QVERIFY(writeFeedZip(zip, smallFeed()));
    const QString target = m_dir.filePath("new7");
    MainWindow window;
    window.show();
    bool driven = false;
    QTimer::singleShot(0, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        QVERIFY(dialog);
        auto *feedEdit = dialog->findChild<QLineEdit *>("feedEdit");
        feedEdit->setFocus();
        QTest::keyClicks(feedEdit, zip);
        QTest::keyClick(feedEdit, Qt::Key_Return);
        auto *list = dialog->findChild<QTreeWidget *>("routeList");
        QCOMPARE(list->topLevelItemCount(), 2);
        QTest::keyClicks(dialog->findChild<QLineEdit *>("routeFilterEdit"), "7");
        QTreeWidgetItem *seven = list->findItems("7", Qt::MatchExactly, 0).value(0);
        QVERIFY(seven && !seven->isHidden() && list->topLevelItem(1)->isHidden());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(seven).center());
        auto *forward = dialog->findChild<QComboBox *>("forwardCombo");
        auto *back = dialog->findChild<QComboBox *>("backCombo");
        QCOMPARE(forward->count(), 4);
        QVERIFY(back->currentText().startsWith("3: направление 1, рейсов 2"));
        // The way back by the school: one pattern further down.
        back->setFocus();
        QTest::keyClick(back, Qt::Key_Down);
        QVERIFY(back->currentText().startsWith("4:"));
        QCOMPARE(dialog->findChild<QComboBox *>("secondLangCombo")->currentText(),
                 QStringLiteral("en"));
        auto *ok = dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
        QVERIFY(!ok->isEnabled());
        QTest::keyClicks(dialog->findChild<QLineEdit *>("targetEdit"), target);
        QTest::mouseClick(ok, Qt::LeftButton);
        driven = true;
    });
    window.gtfsActions()->importAction()->trigger();
    QVERIFY(driven);

    auto *form = window.findChild<QTabWidget *>("tabWidget")->findChild<RouteForm *>();
    QVERIFY(form);
    QCOMPARE(form->route().path(), target);
    QCOMPARE(form->route().stationCount(), 8);
    QCOMPARE(form->stationModel()->rowCount(), 9);
    QCOMPARE(form->route().station(5)->name(0), QStringLiteral("Остановка Школа."));
    QCOMPARE(form->langCount(), 2);
    QCOMPARE(form->undoStack()->count(), 1);
    QVERIFY(form->canSave());
    QVERIFY(!QFileInfo::exists(target + "/ost.txt"));

    form->undo();
    QCOMPARE(form->route().stationCount(), 4);
    QCOMPARE(form->route().frontNumber(), QStringLiteral("1"));
    QCOMPARE(form->route().station(0)->name(0), QStringLiteral("Остановка Пункт А."));
    QCOMPARE(form->langCount(), 1);
    form->redo();
    QVERIFY(form->saveRoute());
    Route saved;
    QVERIFY(saved.load(target));
    QCOMPARE(saved.stationCount(), 8);
    QCOMPARE(saved.backStationIndex(), 4);
    QCOMPARE(saved.station(4)->name(1), QStringLiteral("Park."));
    QCOMPARE(saved.frontDestination(0), QStringLiteral("Парк"));
    QCOMPARE(saved.station(1)->coordinate(), QGeoCoordinate(55.01, 37.01));
}

void TestGtfsImport::coordinatesForExample()
{
    const QString folder = m_dir.filePath("route12");
    QVERIFY(foldertree::copy(TESSALY_EXAMPLES "/route12", folder));
    const QByteArray coord = readAll(folder + "/coord.txt");
    // Route 12 calls at its own platforms each way; the theatre has two stops off the route,
    // the university none.
    FeedFiles feed = smallFeed();
    feed["routes.txt"] = "route_id,route_short_name,route_long_name,route_type\nr12,12,,3\n";
    feed["stops.txt"] = "stop_id,stop_name,stop_lat,stop_lon\n"
                        "v1,Железнодорожный вокзал,56.1,47.1\nv2,Железнодорожный вокзал,56.2,47.2\n"
                        "r1,Центральный рынок,56.3,47.3\nr2,Центральный рынок,56.4,47.4\n"
                        "s,Площадь Свободы,56.5,47.5\nb,Городская больница,56.6,47.6\n"
                        "n,Микрорайон Северный,56.7,47.7\n"
                        "t1,Театр оперы и балета,56.8,47.8\nt2,Театр оперы и балета,56.9,47.9\n";
    feed["trips.txt"] = "route_id,trip_id,direction_id\nr12,a,0\nr12,b,1\n";
    feed["stop_times.txt"] = "trip_id,stop_id,stop_sequence\n"
                             "a,v1,1\na,r1,2\na,s,3\na,b,4\na,n,5\n"
                             "b,n,1\nb,b,2\nb,s,3\nb,r2,4\nb,v2,5\n";
    feed.remove("translations.txt");
    const QString feedDir = m_dir.filePath("feed12");
    QVERIFY(writeFeedFolder(feedDir, feed));

    MainWindow window;
    window.openFolders({folder});
    auto *form = window.findChild<RouteForm *>();
    QVERIFY(form);
    GtfsActions *actions = window.gtfsActions();
    QVERIFY(actions->coordinatesAction()->isEnabled());
    QString summary;
    actions->setFeedChooser([&] { return feedDir; });
    actions->setRouteChooser([](const GtfsFeed &, int suggested) { return suggested; });
    actions->setReporter([&](const QString &text) { summary = text; });
    actions->coordinatesAction()->trigger();
    QVERIFY2(summary.startsWith("Найдено: 10, неоднозначно: 2, не найдено: 2."),
             qPrintable(summary));
    QVERIFY(summary.contains("Театр оперы и балета.") && summary.contains("Университет."));
    QCOMPARE(form->undoStack()->count(), 1);
    QCOMPARE(form->route().station(0)->coordinate(), QGeoCoordinate(56.1, 47.1));
    QCOMPARE(form->route().station(12)->coordinate(), QGeoCoordinate(56.4, 47.4));
    QCOMPARE(form->route().station(13)->coordinate(), QGeoCoordinate(56.2, 47.2));
    QCOMPARE(form->route().station(3)->coordinate(), QGeoCoordinate(56.12847, 47.24870));
    QVERIFY(form->saveRoute());
    QVERIFY(readAll(folder + "/coord.txt") != coord);
    form->undo();
    QVERIFY(form->saveRoute());
    QCOMPARE(readAll(folder + "/coord.txt"), coord);
}

QTEST_MAIN(TestGtfsImport)
#include "tst_gtfsimport.moc"
