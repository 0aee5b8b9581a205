#include "filelistrules.h"
#include "filelists.h"
#include "filemanager.h"
#include "foldertree.h"
#include "mainwindow.h"
#include "routeform.h"
#include "routemodel.h"
#include "testsupport.h"
#include "textencoding.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QUndoStack>

Q_DECLARE_METATYPE(AdFolderChoice)

namespace {

// Makes the named files and their folders in dir; a trailing "/" makes a folder only.
void makeFiles(const QString &dir, const QStringList &names)
{
    for (const QString &name : names) {
        QVERIFY(QDir(dir).mkpath(name.left(name.lastIndexOf('/') + 1) + '.'));
        if (!name.endsWith('/'))
            QVERIFY(testsupport::writeAll(dir + '/' + name, name.toUtf8()));
    }
}

// A copy of the example route12 and its ad folder Reklama.
struct ExampleCopy
{
    QTemporaryDir dir;
    QString root = QDir(dir.path()).canonicalPath();
    bool ok = foldertree::copy(TESSALY_EXAMPLES, root);
    QString route = root + "/route12";
};

template <typename T = QWidget> T *child(QWidget *form, const QString &name)
{
    T *w = form->findChild<T *>(name);
    if (!w)
        qWarning("missing %s", qPrintable(name));
    return w;
}

// The widgets of a pair follow one pattern: "sound" has soundFileList, allSoundFileList,
// addSoundFileBtn ...; "adText" has adTextFileList, allAdTextFileList, addAdTextFileBtn ...
QString pairWidget(const QString &pair, const QString &role)
{
    const QString stem = pair.at(0).toUpper() + pair.mid(1);
    if (role == "assigned")
        return pair + "FileList";
    if (role == "folder")
        return "all" + stem + "FileList";
    return role + stem + "FileBtn";
}

// Brings the pages holding the widget to the front, so that it can be clicked.
QWidget *reveal(QWidget *w)
{
    for (QWidget *page = w; page && page->parentWidget(); page = page->parentWidget()) {
        if (auto *stack = qobject_cast<QStackedWidget *>(page->parentWidget()))
            stack->setCurrentWidget(page);
    }
    return w;
}

void clickItem(QAbstractItemView *view, const QModelIndex &index)
{
    QVERIFY(index.isValid());
    reveal(view);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

QStringList names(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

// "a [b] c / current folder entry / shown buttons, disabled ones in brackets".
QString pairState(QWidget *form, const QString &pair)
{
    const auto *assigned = child<QListWidget>(form, pairWidget(pair, "assigned"));
    QStringList entries = names(assigned);
    if (assigned->currentItem())
        entries[assigned->currentRow()] = '[' + assigned->currentItem()->text() + ']';
    const auto *folder = child<QListWidget>(form, pairWidget(pair, "folder"))->currentItem();
    QStringList buttons;
    for (const QString role : {"add", "up", "down", "remove"}) {
        const QWidget *b = child(form, pairWidget(pair, role));
        if (!b->isHidden())
            buttons << (b->isEnabled() ? role : '(' + role + ')');
    }
    return entries.join(' ') + " / " + (folder ? folder->text() : "-") + " / " + buttons.join(' ');
}

// Runs steps such as "station 0; pick sound a.wav; add sound; undo" through the widgets:
// pick and select click an entry of the folder list and of the assigned list.
void runSteps(RouteForm *form, const QString &steps)
{
    for (const QString &step : steps.split(';')) {
        const QStringList w = step.trimmed().split(' ');
        const QString verb = w.value(0);
        const QString name = w.mid(2).join(' ');
        if (verb == "station" || verb == "route") {
            auto *view = child<QTreeView>(form, "stationList");
            const int row = verb == "route" ? 0 : w.value(1).toInt() + 1;
            clickItem(view, form->stationModel()->index(row, 0));
        } else if (verb == "pick" || verb == "select") {
            auto *list = child<QListWidget>(
                form, pairWidget(w.value(1), verb == "pick" ? "folder" : "assigned"));
            const QList<QListWidgetItem *> found = list->findItems(name, Qt::MatchExactly);
            QVERIFY2(!found.isEmpty(), qPrintable(step));
            clickItem(list, list->model()->index(list->row(found.first()), 0));
        } else if (verb == "undo" || verb == "redo") {
            verb == "undo" ? form->undo() : form->redo();
        } else {
            if (verb == "new")
                form->fileLists()->setNameAsker([name](const QString &) { return name; });
            const QString button = verb.endsWith("Btn") ? verb : pairWidget(w.value(1), verb);
            QTest::mouseClick(reveal(child<QAbstractButton>(form, button)), Qt::LeftButton);
        }
    }
}

} // namespace

class TestFileLists : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName("OOO Vantor");
        QCoreApplication::setApplicationName("Tessaly-tst_filelists");
        testsupport::isolateSettings();
    }

    void folderScans();
    void newFileNames_data();
    void newFileNames();
    void adFolderCheck_data();
    void adFolderCheck();
    void fileManager_data();
    void fileManager();
    void pairs_data();
    void pairs();
    void newFileFailure();
    void folderChanges();
    void endToEnd();
};

void TestFileLists::folderScans()
{
    QTemporaryDir dir;
    makeFiles(dir.path(), {"ost.txt", "Ost~.TXT", "COORD~.txt", "s1.txt", "a.wav", "b.MP3", "x.Ape",
                           "c.ogg", "rscript.txt", "d.txt/", ".hidden.txt", "A.txt"});
    const RouteFolderFiles route = scanRouteFolder(dir.path());
    QCOMPARE(route.sounds, (QStringList{"a.wav", "b.MP3", "x.Ape"}));
    QCOMPARE(route.texts, (QStringList{"A.txt", "rscript.txt", "s1.txt"}));
    QCOMPARE(scanAdFolder(dir.path()),
             (QStringList{"A.txt", "COORD~.txt", "ost.txt", "Ost~.TXT", "s1.txt"}));
}

void TestFileLists::newFileNames_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("proposed");
    QTest::addColumn<QString>("entered");
    QTest::addColumn<QString>("name");
    const struct
    {
        QStringList files;
        const char *proposed, *entered, *name;
    } rows[] = {
        {{"s0.txt", "s1.txt", "s3.txt"}, "s2.txt", "dir\\note", "note.txt"},
        {{"s0.txt/", "S1.TXT"}, "s1.txt", "memo.", "memo.txt"},
        {{}, "s0.txt", "a/b\\x.TXT", "x.TXT"},
        {{}, "s0.txt", "memo..", "memo..txt"},
        {{}, "s0.txt", "dir/", ""},
    };
    for (const auto &r : rows)
        QTest::newRow(r.entered) << r.files << QString(r.proposed) << QString(r.entered)
                                 << QString(r.name);
}

void TestFileLists::newFileNames()
{
    QFETCH(QStringList, files);
    QFETCH(QString, entered);
    QTemporaryDir dir;
    makeFiles(dir.path(), files);
    QTEST(proposedFileName(dir.path(), "s%1.txt"), "proposed");
    QTEST(normalizedTextFileName(entered), "name");
}

void TestFileLists::adFolderCheck_data()
{
    QTest::addColumn<QString>("route");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<AdFolderChoice>("choice");
    const struct
    {
        const char *route, *chosen;
        AdFolderChoice choice;
    } rows[] = {
        {"/routes/12", "/routes/Rek2/", AdFolderChoice::Accepted},
        {"/routes/12", "/routes/12/Rek", AdFolderChoice::Accepted},
        {"/routes/12", "/routes", AdFolderChoice::Accepted},
        {"/12", "/ads", AdFolderChoice::Accepted},
        {"/routes/12", "/ROUTES/reklama", AdFolderChoice::Unchanged},
        {"/routes/12", "", AdFolderChoice::Unchanged},
        {"/routes/12", "/routes2/Reklama", AdFolderChoice::Refused},
        {"C:/routes/12", "C:/", AdFolderChoice::Refused},
    };
    for (const auto &r : rows)
        QTest::newRow(r.chosen) << QString(r.route) << QString(r.chosen) << r.choice;
}

void TestFileLists::adFolderCheck()
{
    QFETCH(QString, route);
    QFETCH(QString, chosen);
    const QString adPath = route.left(route.lastIndexOf('/')) + "/Reklama";
    QTEST(checkAdFolder(route, adPath, chosen), "choice");
}

void TestFileLists::fileManager_data()
{
    QTest::addColumn<QString>("path"); // in a folder holding "a b/ц.txt"
    QTest::addColumn<bool>("answered");
    QTest::addColumn<QString>("log");
    QTest::newRow("file") << "a b/ц.txt" << true << "ShowItems a%20b/%D1%86.txt";
    QTest::newRow("folder") << "a b" << true << "ShowFolders a%20b";
    QTest::newRow("vanished file") << "a b/gone.txt" << true << "ShowFolders a%20b";
    QTest::newRow("no answer") << "a b/ц.txt" << false << "ShowItems a%20b/%D1%86.txt; open a b";
}

void TestFileLists::fileManager()
{
#ifdef TESSALY_FILEMANAGER_DBUS
    QFETCH(QString, path);
    QFETCH(bool, answered);
    QTemporaryDir dir;
    makeFiles(dir.path(), {"a b/ц.txt"});
    const QString base = QUrl::fromLocalFile(dir.path()).toEncoded() + '/';
    QString log;
    FileManagerLaunch launch;
    launch.callDBus = [&](const QDBusMessage &m, const std::function<void(bool)> &done) {
        const QString fm = "org.freedesktop.FileManager1";
        QCOMPARE(m.service() + ' ' + m.path() + ' ' + m.interface(),
                 fm + " /" + QString(fm).replace('.', '/') + ' ' + fm);
        QCOMPARE(m.arguments().value(1), QVariant(QString()));
        log += m.member() + ' ' + m.arguments().value(0).toStringList().join(',').remove(base);
        done(answered);
    };
    launch.openUrl = [&](const QUrl &url) {
        log += "; open " + url.toLocalFile().remove(dir.path() + '/');
        return true;
    };
    showInFileManager(dir.filePath(path), launch);
    QTEST(log, "log");
#endif
}

void TestFileLists::pairs_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("state"); // of the pair named first
    // Station 0 has gong.wav, vokzal.wav and vokzal.txt; the route runs three ads.
    const char *const rows[][2] = {
        {"station 0; pick sound bolnica.wav", "sound: gong.wav vokzal.wav / bolnica.wav / add"},
        {"station 0; select sound gong.wav; up sound",
         "sound: [gong.wav] vokzal.wav / - / (up) down remove"},
        {"station 0; select sound vokzal.wav; down sound",
         "sound: gong.wav [vokzal.wav] / - / up (down) remove"},
        {"station 0; pick sound bolnica.wav; add sound",
         "sound: gong.wav vokzal.wav [bolnica.wav] / - / up (down) remove"},
        {"station 0; pick sound bolnica.wav; add sound; undo", "sound: gong.wav vokzal.wav / - / "},
        {"station 0; pick sound bolnica.wav; add sound; undo; redo",
         "sound: gong.wav vokzal.wav [bolnica.wav] / - / up (down) remove"},
        {"station 0; select sound vokzal.wav; up sound; undo",
         "sound: gong.wav [vokzal.wav] / - / up (down) remove"},
        {"station 0; select sound gong.wav; remove sound",
         "sound: [vokzal.wav] / - / (up) (down) remove"},
        {"station 0; select sound gong.wav; station 1", "sound: gong.wav rynok.wav / - / "},
        {"station 0; pick text teatr.txt; add text; select text vokzal.txt; down text",
         "text: teatr.txt [vokzal.txt] / - / up (down) remove"},
        {"station 2; new text dir\\note", "text: [note.txt] / - / (up) (down) remove"},
        {"route; pick adText akciya-leto.txt; add adText; up adText",
         "adText: skidki.txt taxi.txt [akciya-leto.txt] muzei.txt / - / up down remove"},
    };
    for (const auto &r : rows)
        QTest::newRow(r[0]) << QString(r[0]) << QString(r[1]);
}

void TestFileLists::pairs()
{
    QFETCH(QString, steps);
    QFETCH(QString, state);
    ExampleCopy copy;
    QVERIFY(copy.ok);
    RouteForm form;
    form.openRoute(copy.route);
    form.show();
    runSteps(&form, steps);
    const QString pair = state.section(':', 0, 0);
    QCOMPARE(pair + ": " + pairState(&form, pair), state);
    // The selected sound is the one in the player.
    if (const QListWidgetItem *item = child<QListWidget>(&form, "soundFileList")->currentItem())
        QCOMPARE(child<QLabel>(&form, "playNameLabel")->text(), item->text());
}

void TestFileLists::newFileFailure()
{
    ExampleCopy copy;
    QVERIFY(QDir(copy.route).mkdir("taken.txt"));
    RouteForm form;
    form.openRoute(copy.route);
    form.show();
    QString seen;
    testsupport::answerNextMessageBox("OK", &seen);
    runSteps(&form, "station 0; new text taken; new text ");
    QCOMPARE(seen, "Не удалось создать файл taken.txt!");
    QCOMPARE(pairState(&form, "text"), "vokzal.txt / - / ");
    QCOMPARE(form.undoStack()->count(), 0);
}

void TestFileLists::folderChanges()
{
    ExampleCopy copy;
    RouteForm form;
    form.openRoute(copy.route);
    form.show();
    runSteps(&form, "station 0; pick text teatr.txt");
    QCOMPARE(child<QLabel>(&form, "textPreviewLabel")->text(),
             decodeBytes(testsupport::readAll(copy.route + "/teatr.txt")));

    QVERIFY(QFile::remove(copy.route + "/market hours.txt"));
    makeFiles(copy.route, {"a new.txt"});
    auto *folder = child<QListWidget>(&form, "allTextFileList");
    const QStringList expected{"a new.txt", "teatr.txt", "universitet.txt", "vokzal.txt"};
    QTRY_COMPARE_WITH_TIMEOUT(names(folder), expected, 1000);
    QCOMPARE(pairState(&form, "text"), "vokzal.txt / teatr.txt / add");

    QVERIFY(QFile::remove(copy.route + "/teatr.txt"));
    QTRY_COMPARE_WITH_TIMEOUT(pairState(&form, "text"), "vokzal.txt / - / ", 1000);
}

void TestFileLists::endToEnd()
{
    ExampleCopy copy;
    makeFiles(copy.root, {"Reklama2/c.txt"});
    QVERIFY(testsupport::writeAll(copy.root + "/Reklama2/rscript.txt", "b.txt\r\n"));
    const auto before = foldertree::read(copy.root);
    MainWindow w;
    w.openFolders({copy.route});
    w.show();
    auto *form = qobject_cast<RouteForm *>(w.findChild<QTabWidget *>("tabWidget")->widget(0));
    QVERIFY(form);
    auto trigger = [&](const char *action) { w.findChild<QAction *>(action)->trigger(); };

    // Stop 2 has gong.wav, rynok.wav and "market hours.txt".
    runSteps(form, "station 1; pick sound svobody.wav; add sound; up sound; "
                   "pick text teatr.txt; add text; up text");
    trigger("saveAction");
    auto after = foldertree::read(copy.root);
    QCOMPARE(after.take("route12/ost.txt"),
             testsupport::readAll(testsupport::dataPath("filelists/ost.txt")));
    after.insert("route12/ost.txt", before.value("route12/ost.txt"));
    QCOMPARE(foldertree::differences(before, after), QStringList());

    // The ad folder's label, its list and its files.
    auto ads = [form] {
        return child<QLabel>(form, "allAdTextFileLabel")->text() + ": " +
               names(child<QListWidget>(form, "adTextFileList")).join(' ') + " / " +
               names(child<QListWidget>(form, "allAdTextFileList")).join(' ');
    };
    const QString oldAds = "/Reklama: skidki.txt taxi.txt muzei.txt / akciya-leto.txt "
                           "muzei.txt skidki.txt taxi.txt";
    QString chosen = copy.root + "/REKLAMA/";
    form->fileLists()->setFolderAsker(
        [&](const QString &start) { return start == copy.root + "/Reklama" ? chosen : QString(); });
    runSteps(form, "route; moveAdFolderBtn");
    QString seen;
    testsupport::answerNextMessageBox("OK", &seen);
    chosen = copy.root + "2/Reklama";
    runSteps(form, "moveAdFolderBtn");
    QCOMPARE(seen, "Папка с рекламой должна быть в папке с маршрутом или рядом с ней!");
    QCOMPARE(ads(), oldAds);
    QCOMPARE(form->undoStack()->count(), 4);

    chosen = copy.root + "/Reklama2";
    runSteps(form, "moveAdFolderBtn");
    QCOMPARE(ads(), "/Reklama2: b.txt / c.txt");
    runSteps(form, "pick adText c.txt; add adText");
    trigger("saveAction");
    QByteArray script = before.value("route12/script.txt");
    script.replace("PATH_REKLAMA:/Reklama/", "PATH_REKLAMA:/Reklama2/");
    QCOMPARE(testsupport::readAll(copy.route + "/script.txt"), script);
    QCOMPARE(testsupport::readAll(copy.root + "/Reklama2/rscript.txt"), "b.txt\r\nc.txt\r\n");

    for (int i = 0; i < 6; ++i)
        trigger("undoAction");
    QCOMPARE(ads(), oldAds);
    trigger("saveAction");
    after = foldertree::read(copy.root);
    after.insert("Reklama2/rscript.txt", before.value("Reklama2/rscript.txt"));
    QCOMPARE(foldertree::differences(before, after), QStringList());
}

QTEST_MAIN(TestFileLists)
#include "tst_filelists.moc"
