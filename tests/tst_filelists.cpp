#include "filelistrules.h"
#include "filelists.h"
#include "filemanager.h"
#include "foldertree.h"
#include "mainwindow.h"
#include "routeform.h"
#include "routemodel.h"
#include "testsupport.h"
#include "texteditordlg.h"
#include "textencoding.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <QUndoStack>

Q_DECLARE_METATYPE(AdFolderChoice)

namespace {

// Makes the named files (a trailing "/" makes a folder) in dir.
void makeFiles(const QString &dir, const QStringList &names)
{
    for (const QString &name : names) {
        if (name.endsWith(QLatin1Char('/')))
            QVERIFY(QDir(dir).mkpath(name));
        else
            QVERIFY(testsupport::writeAll(dir + QLatin1Char('/') + name, name.toUtf8()));
    }
}

// A copy of the example route and its ad folder in a temporary folder.
struct ExampleCopy
{
    ExampleCopy()
    {
        root = QDir(dir.path()).canonicalPath();
        ok = foldertree::copy(QStringLiteral(TESSALY_EXAMPLES), root);
        route = root + "/route12";
    }
    QTemporaryDir dir;
    QString root;
    QString route;
    bool ok = false;
};

// The widgets of one pair, by object name.
struct PairWidgets
{
    const char *assigned;
    const char *folder;
    const char *buttons[4]; // add, up, down, remove
    const char *newBtn;
};
const QMap<QString, PairWidgets> pairWidgets{
    {"sound",
     {"soundFileList",
      "allSoundFileList",
      {"addSoundFileBtn", "upSoundFileBtn", "downSoundFileBtn", "removeSoundFileBtn"},
      nullptr}},
    {"text",
     {"textFileList",
      "allTextFileList",
      {"addTextFileBtn", "upTextFileBtn", "downTextFileBtn", "removeTextFileBtn"},
      "newTextFileBtn"}},
    {"ad",
     {"adTextFileList",
      "allAdTextFileList",
      {"addAdTextFileBtn", "upAdTextFileBtn", "downAdTextFileBtn", "removeAdTextFileBtn"},
      "newAdTextFileBtn"}},
};

template <typename T> T *child(QWidget *form, const char *name)
{
    T *w = form->findChild<T *>(QLatin1String(name));
    if (!w)
        qWarning("missing %s", name);
    return w;
}

// Brings the pages holding the widget to the front, so that it can be clicked.
void reveal(QWidget *w)
{
    for (; w && w->parentWidget(); w = w->parentWidget()) {
        if (auto *stack = qobject_cast<QStackedWidget *>(w->parentWidget()))
            stack->setCurrentWidget(w);
    }
}

void click(QWidget *form, const char *name)
{
    auto *button = child<QAbstractButton>(form, name);
    reveal(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

void clickItem(QListWidget *list, const QString &text)
{
    reveal(list);
    const QList<QListWidgetItem *> items = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(!items.isEmpty(), qPrintable(text));
    const QRect rect = list->visualItemRect(items.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

void clickStationRow(RouteForm *form, int row)
{
    auto *view = child<QTreeView>(form, "stationList");
    const QModelIndex index = form->stationModel()->index(row, 0);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

QStringList names(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

// "a [b] c / folder entry / shown buttons, disabled ones in brackets".
QString pairState(QWidget *form, const PairWidgets &pair)
{
    const auto *assigned = child<QListWidget>(form, pair.assigned);
    QStringList entries = names(assigned);
    if (assigned->currentRow() >= 0)
        entries[assigned->currentRow()] = "[" + entries[assigned->currentRow()] + "]";
    const QListWidgetItem *folderItem = child<QListWidget>(form, pair.folder)->currentItem();
    QStringList buttons;
    const char *words[] = {"add", "up", "down", "remove"};
    for (int i = 0; i < 4; ++i) {
        const auto *b = child<QAbstractButton>(form, pair.buttons[i]);
        if (!b->isHidden())
            buttons << (b->isEnabled() ? QString(words[i]) : "(" + QString(words[i]) + ")");
    }
    return entries.join(' ') + " / " + (folderItem ? folderItem->text() : "-") + " / " +
           buttons.join(' ');
}

// Runs steps such as "station 0; pick sound a.wav; add sound; undo" through the widgets.
void runSteps(RouteForm *form, const QString &steps)
{
    for (const QString &step : steps.split(';', Qt::SkipEmptyParts)) {
        const QStringList w = step.trimmed().split(' ');
        const QString verb = w.value(0);
        const PairWidgets pair = pairWidgets.value(w.value(1));
        const QString name = w.mid(2).join(' ');
        if (verb == "station") {
            clickStationRow(form, w.value(1).toInt() + 1);
        } else if (verb == "route") {
            clickStationRow(form, 0);
        } else if (verb == "pick") {
            clickItem(child<QListWidget>(form, pair.folder), name);
        } else if (verb == "select") {
            clickItem(child<QListWidget>(form, pair.assigned), name);
        } else if (verb == "new") {
            form->fileLists()->setNameAsker([name](const QString &) { return name; });
            click(form, pair.newBtn);
        } else if (verb == "undo") {
            form->undo();
        } else if (verb == "redo") {
            form->redo();
        } else {
            const int i = QStringList{"add", "up", "down", "remove"}.indexOf(verb);
            QVERIFY2(i >= 0, qPrintable(step));
            click(form, pair.buttons[i]);
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
        QCoreApplication::setOrganizationName(QStringLiteral("OOO Vantor"));
        QCoreApplication::setApplicationName(QStringLiteral("Tessaly-tst_filelists"));
        testsupport::isolateSettings();
    }

    void folderScans_data();
    void folderScans();
    void newFileNames_data();
    void newFileNames();
    void newFileCreation();
    void adFolderCheck_data();
    void adFolderCheck();
    void fileManager_data();
    void fileManager();
    void pairs_data();
    void pairs();
    void newFileFailure();
    void folderChanges();
    void editorAndFileManager();
    void adFolderSwitch();
    void endToEnd();
};

void TestFileLists::folderScans_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("sounds");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("ads");
    QTest::newRow("mixed case data files")
        << QStringList{"ost.txt", "Ost~.TXT", "s1.txt", "a.wav", "b.MP3", "c.ogg"}
        << QStringList{"a.wav", "b.MP3"} << QStringList{"s1.txt"}
        << QStringList{"ost.txt", "Ost~.TXT", "s1.txt"};
    QTest::newRow("every data file and the ad list")
        << QStringList{"coord.txt",   "COORD~.txt",   "script.txt",  "Script~.txt",
                       "backtab.TXT", "backtab~.txt", "sidetab.txt", "SIDETAB~.TXT",
                       "rscript.txt", "RScript~.Txt", "x.APE"}
        << QStringList{"x.APE"} << QStringList{"rscript.txt", "RScript~.Txt"}
        << QStringList{"backtab.TXT", "backtab~.txt", "coord.txt",   "COORD~.txt",
                       "script.txt",  "Script~.txt",  "sidetab.txt", "SIDETAB~.TXT"};
    QTest::newRow("files only, not hidden, in name order")
        << QStringList{"d.txt/", ".hidden.txt", "B.txt", "a.txt", "c.wav.bak", "z.wav", "Y.mp3"}
        << QStringList{"Y.mp3", "z.wav"} << QStringList{"a.txt", "B.txt"}
        << QStringList{"a.txt", "B.txt"};
}

void TestFileLists::folderScans()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, sounds);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, ads);
    QTemporaryDir dir;
    makeFiles(dir.path(), files);
    const RouteFolderFiles route = scanRouteFolder(dir.path());
    QCOMPARE(route.sounds, sounds);
    QCOMPARE(route.texts, texts);
    QCOMPARE(scanAdFolder(dir.path()), ads);
    QVERIFY(scanRouteFolder(dir.path() + "/missing").sounds.isEmpty());
}

void TestFileLists::newFileNames_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("proposed");
    QTest::addColumn<QString>("entered");
    QTest::addColumn<QString>("name");
    QTest::newRow("next free number") << QStringList{"s0.txt", "s1.txt", "s3.txt"} << "s%1.txt"
                                      << "s2.txt"
                                      << "dir\\note"
                                      << "note.txt";
    QTest::newRow("folders count as taken") << QStringList{"r0.txt/"} << "r%1.txt"
                                            << "r1.txt"
                                            << "memo."
                                            << "memo.txt";
    QTest::newRow("other case is another name") << QStringList{"S0.TXT"} << "s%1.txt"
                                                << "s0.txt"
                                                << "x.TXT"
                                                << "x.TXT";
    QTest::newRow("both separators") << QStringList{} << "s%1.txt"
                                     << "s0.txt"
                                     << "a/b\\c/d.txt"
                                     << "d.txt";
    QTest::newRow("one dot only") << QStringList{} << "s%1.txt"
                                  << "s0.txt"
                                  << "memo.."
                                  << "memo..txt";
    QTest::newRow("nothing left of a folder") << QStringList{} << "s%1.txt"
                                              << "s0.txt"
                                              << "dir/"
                                              << "";
    QTest::newRow("a dot alone") << QStringList{} << "s%1.txt"
                                 << "s0.txt"
                                 << "."
                                 << "";
}

void TestFileLists::newFileNames()
{
    QFETCH(QStringList, files);
    QFETCH(QString, pattern);
    QFETCH(QString, proposed);
    QFETCH(QString, entered);
    QFETCH(QString, name);
    QTemporaryDir dir;
    makeFiles(dir.path(), files);
    QCOMPARE(proposedFileName(dir.path(), pattern), proposed);
    QCOMPARE(normalizedTextFileName(entered), name);
}

void TestFileLists::newFileCreation()
{
    QTemporaryDir dir;
    const QString existing = dir.filePath("s0.txt");
    QVERIFY(testsupport::writeAll(existing, "keep"));
    QVERIFY(ensureFileExists(existing));
    QCOMPARE(testsupport::readAll(existing), QByteArray("keep"));
    QVERIFY(ensureFileExists(dir.filePath("s1.txt")));
    QCOMPARE(QFileInfo(dir.filePath("s1.txt")).size(), 0);
    QVERIFY(QDir(dir.path()).mkdir("d.txt"));
    QVERIFY(!ensureFileExists(dir.filePath("d.txt")));
    QVERIFY(!ensureFileExists(dir.filePath("missing/s0.txt")));
}

void TestFileLists::adFolderCheck_data()
{
    QTest::addColumn<QString>("route");
    QTest::addColumn<QString>("adPath");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<AdFolderChoice>("choice");
    const QString route = "/routes/12";
    const QString ad = "/routes/Reklama";
    QTest::newRow("sibling") << route << "/routes/12/Rek" << ad << AdFolderChoice::Accepted;
    QTest::newRow("inside the route")
        << route << ad << "/routes/12/Rek" << AdFolderChoice::Accepted;
    QTest::newRow("deeper") << route << ad << "/routes/ads/2024" << AdFolderChoice::Accepted;
    QTest::newRow("the parent itself") << route << ad << "/routes" << AdFolderChoice::Accepted;
    QTest::newRow("trailing slash") << route << ad << "/routes/Other/" << AdFolderChoice::Accepted;
    QTest::newRow("prefix of a name")
        << route << ad << "/routes2/Reklama" << AdFolderChoice::Refused;
    QTest::newRow("elsewhere") << route << ad << "/home/Reklama" << AdFolderChoice::Refused;
    QTest::newRow("above the parent") << route << ad << "/" << AdFolderChoice::Refused;
    QTest::newRow("same, other case")
        << route << ad << "/ROUTES/reklama" << AdFolderChoice::Unchanged;
    QTest::newRow("nothing chosen") << route << ad << "" << AdFolderChoice::Unchanged;
    QTest::newRow("drive letters") << "C:/routes/12"
                                   << "C:/routes/Reklama"
                                   << "C:/routes/Rek2" << AdFolderChoice::Accepted;
    QTest::newRow("route at the top") << "/12"
                                      << "/Reklama"
                                      << "/ads" << AdFolderChoice::Accepted;
}

void TestFileLists::adFolderCheck()
{
    QFETCH(QString, route);
    QFETCH(QString, adPath);
    QFETCH(QString, chosen);
    QFETCH(AdFolderChoice, choice);
    QCOMPARE(checkAdFolder(route, adPath, chosen), choice);
}

void TestFileLists::fileManager_data()
{
    QTest::addColumn<QString>("path"); // relative to a folder holding "a b/ц.txt"
    QTest::addColumn<bool>("answered");
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("uri");
    QTest::addColumn<QString>("opened"); // what the fallback opens, relative
    QTest::newRow("file") << "a b/ц.txt" << true << "ShowItems"
                          << "a%20b/%D1%86.txt"
                          << "";
    QTest::newRow("folder") << "a b" << true << "ShowFolders"
                            << "a%20b"
                            << "";
    QTest::newRow("vanished file") << "a b/gone.txt" << true << "ShowFolders"
                                   << "a%20b"
                                   << "";
    QTest::newRow("file, no file manager") << "a b/ц.txt" << false << "ShowItems"
                                           << "a%20b/%D1%86.txt"
                                           << "a b";
    QTest::newRow("folder, no file manager") << "a b" << false << "ShowFolders"
                                             << "a%20b"
                                             << "a b";
}

void TestFileLists::fileManager()
{
#ifndef TESSALY_FILEMANAGER_DBUS
    QSKIP("the D-Bus file manager is the Linux way");
#else
    QFETCH(QString, path);
    QFETCH(bool, answered);
    QFETCH(QString, method);
    QFETCH(QString, uri);
    QFETCH(QString, opened);
    QTemporaryDir dir;
    makeFiles(dir.path(), {"a b/", QString::fromUtf8("a b/ц.txt")});
    QList<QDBusMessage> calls;
    QList<QUrl> urls;
    FileManagerLaunch launch;
    launch.callDBus = [&](const QDBusMessage &call, const std::function<void(bool)> &done) {
        calls << call;
        done(answered);
    };
    launch.startDetached = [](const QString &program, const QStringList &) {
        QFAIL(qPrintable("started " + program));
    };
    launch.openUrl = [&](const QUrl &url) { urls << url; };
    showInFileManager(dir.filePath(path), launch);

    QCOMPARE(calls.size(), 1);
    const QDBusMessage call = calls.first();
    QCOMPARE(call.type(), QDBusMessage::MethodCallMessage);
    QCOMPARE(call.service(), QString("org.freedesktop.FileManager1"));
    QCOMPARE(call.path(), QString("/org/freedesktop/FileManager1"));
    QCOMPARE(call.interface(), QString("org.freedesktop.FileManager1"));
    QCOMPARE(call.member(), method);
    const QString base = QString::fromUtf8(QUrl::fromLocalFile(dir.path()).toEncoded()) + "/";
    QCOMPARE(call.arguments(), (QVariantList{QStringList{base + uri}, QString()}));
    const QList<QUrl> expected{QUrl::fromLocalFile(dir.filePath(opened))};
    QCOMPARE(urls, opened.isEmpty() ? QList<QUrl>() : expected);
#endif
}

void TestFileLists::pairs_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("pair");
    QTest::addColumn<QString>("state");
    // Station 0 has gong.wav, vokzal.wav and vokzal.txt; the route runs three ads.
    QTest::newRow("folder entry offers add") << "station 0; pick sound bolnica.wav"
                                             << "sound"
                                             << "gong.wav vokzal.wav / bolnica.wav / add";
    QTest::newRow("assigned entry offers moves")
        << "station 0; pick sound bolnica.wav; select sound gong.wav"
        << "sound"
        << "[gong.wav] vokzal.wav / - / (up) down remove";
    QTest::newRow("up on the first does nothing") << "station 0; select sound gong.wav; up sound"
                                                  << "sound"
                                                  << "[gong.wav] vokzal.wav / - / (up) down remove";
    QTest::newRow("down on the last does nothing")
        << "station 0; select sound vokzal.wav; down sound"
        << "sound"
        << "gong.wav [vokzal.wav] / - / up (down) remove";
    QTest::newRow("add appends and selects")
        << "station 0; pick sound bolnica.wav; add sound"
        << "sound"
        << "gong.wav vokzal.wav [bolnica.wav] / - / up (down) remove";
    QTest::newRow("undo add") << "station 0; pick sound bolnica.wav; add sound; undo"
                              << "sound"
                              << "gong.wav vokzal.wav / - / ";
    QTest::newRow("redo add") << "station 0; pick sound bolnica.wav; add sound; undo; redo"
                              << "sound"
                              << "gong.wav vokzal.wav [bolnica.wav] / - / up (down) remove";
    QTest::newRow("the same file twice") << "station 0; pick sound gong.wav; add sound"
                                         << "sound"
                                         << "gong.wav vokzal.wav [gong.wav] / - / up (down) remove";
    QTest::newRow("up, then undo") << "station 0; select sound vokzal.wav; up sound; undo"
                                   << "sound"
                                   << "gong.wav [vokzal.wav] / - / up (down) remove";
    QTest::newRow("remove the last") << "station 0; select sound vokzal.wav; remove sound"
                                     << "sound"
                                     << "gong.wav / - / ";
    QTest::newRow("remove the first") << "station 0; select sound gong.wav; remove sound"
                                      << "sound"
                                      << "[vokzal.wav] / - / (up) (down) remove";
    QTest::newRow("another stop") << "station 0; select sound gong.wav; station 1"
                                  << "sound"
                                  << "gong.wav rynok.wav / - / ";
    QTest::newRow("texts")
        << "station 0; pick text teatr.txt; add text; select text vokzal.txt; down text"
        << "text"
        << "teatr.txt [vokzal.txt] / - / up (down) remove";
    QTest::newRow("new text file") << "station 2; new text dir\\note"
                                   << "text"
                                   << "[note.txt] / - / (up) (down) remove";
    QTest::newRow("ads") << "route; pick ad akciya-leto.txt; add ad; up ad"
                         << "ad"
                         << "skidki.txt taxi.txt [akciya-leto.txt] muzei.txt / - / up down remove";
    QTest::newRow("new ad file, undo") << "route; new ad memo.; undo"
                                       << "ad"
                                       << "skidki.txt taxi.txt muzei.txt / - / ";
}

void TestFileLists::pairs()
{
    QFETCH(QString, steps);
    QFETCH(QString, pair);
    QFETCH(QString, state);
    ExampleCopy copy;
    QVERIFY(copy.ok);
    RouteForm form;
    form.openRoute(copy.route);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    runSteps(&form, steps);
    QCOMPARE(pairState(&form, pairWidgets.value(pair)), state);
    if (pair == "sound") {
        // The selected sound is the one loaded into the player.
        const QListWidget *list = child<QListWidget>(&form, "soundFileList");
        if (list->currentItem())
            QCOMPARE(child<QLabel>(&form, "playNameLabel")->text(), list->currentItem()->text());
    }
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
    runSteps(&form, "station 0; new text taken");
    QCOMPARE(seen, QString::fromUtf8("Не удалось создать файл taken.txt!"));
    runSteps(&form, "new text ");
    QCOMPARE(names(child<QListWidget>(&form, "textFileList")), QStringList{"vokzal.txt"});
    QCOMPARE(form.undoStack()->count(), 0);
}

void TestFileLists::folderChanges()
{
    ExampleCopy copy;
    RouteForm form;
    form.openRoute(copy.route);
    form.show();
    runSteps(&form, "station 0; pick text teatr.txt");
    const QByteArray teatr = testsupport::readAll(copy.route + "/teatr.txt");
    QCOMPARE(child<QLabel>(&form, "textPreviewLabel")->text(), decodeBytes(teatr));

    auto *folder = child<QListWidget>(&form, "allTextFileList");
    QVERIFY(QFile::remove(copy.route + "/market hours.txt"));
    QVERIFY(testsupport::writeAll(copy.route + "/a new.txt", "x"));
    const QStringList expected{"a new.txt", "teatr.txt", "universitet.txt", "vokzal.txt"};
    QTRY_COMPARE_WITH_TIMEOUT(names(folder), expected, 1000);
    QCOMPARE(folder->currentItem()->text(), QString("teatr.txt"));

    QVERIFY(QFile::remove(copy.route + "/teatr.txt"));
    QTRY_COMPARE_WITH_TIMEOUT(folder->count(), 3, 1000);
    QCOMPARE(folder->currentRow(), -1);
    QVERIFY(child<QWidget>(&form, "addTextFileBtn")->isHidden());
}

void TestFileLists::editorAndFileManager()
{
    ExampleCopy copy;
    RouteForm form;
    form.openRoute(copy.route);
    form.show();
    QList<QDBusMessage> calls;
    FileManagerLaunch launch;
    launch.callDBus = [&](const QDBusMessage &call, const std::function<void(bool)> &done) {
        calls << call;
        done(true);
    };
    form.fileLists()->setFileManagerLaunch(launch);

    runSteps(&form, "station 0; select sound vokzal.wav");
    click(&form, "openSoundFolderBtn");
    runSteps(&form, "pick text teatr.txt");
    click(&form, "openTextFolderBtn");
    QVERIFY(QDir(copy.root + "/Reklama").removeRecursively());
    click(&form, "openAdFolderBtn");
    QVERIFY(QFileInfo(copy.root + "/Reklama").isDir());
    QStringList shown;
    for (const QDBusMessage &call : calls)
        shown << call.member() + " " + call.arguments().value(0).toStringList().value(0);
    const QString url = QUrl::fromLocalFile(copy.root).toString();
    QCOMPARE(shown, (QStringList{"ShowItems " + url + "/route12/vokzal.wav",
                                 "ShowItems " + url + "/route12/teatr.txt",
                                 "ShowFolders " + url + "/Reklama"}));

    QString edited;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<TextEditorDlg *>(QApplication::activeModalWidget());
        if (dialog) {
            edited = dialog->filePath();
            dialog->close();
        }
    });
    click(&form, "openTextFileBtn");
    QCOMPARE(edited, copy.route + "/teatr.txt");
}

void TestFileLists::adFolderSwitch()
{
    ExampleCopy copy;
    QVERIFY(QDir(copy.root).mkdir("Reklama2"));
    QVERIFY(
        testsupport::writeAll(copy.root + "/Reklama2/rscript.txt", "b.txt\r\nc.wav\r\na.txt\r\n"));
    QVERIFY(testsupport::writeAll(copy.root + "/Reklama2/a.txt", "a"));
    RouteForm form;
    form.openRoute(copy.route);
    form.show();
    auto *list = child<QListWidget>(&form, "adTextFileList");
    auto *label = child<QLabel>(&form, "allAdTextFileLabel");
    const QStringList old{"skidki.txt", "taxi.txt", "muzei.txt"};
    QString chosen;
    form.fileLists()->setFolderAsker([&](const QString &start) {
        [&] { QCOMPARE(start, copy.root + "/Reklama"); }();
        return chosen;
    });

    for (const QString &same : {QString(), copy.root + "/REKLAMA", copy.root + "/Reklama/"}) {
        chosen = same;
        click(&form, "moveAdFolderBtn");
    }
    QCOMPARE(form.undoStack()->count(), 0);

    QString seen;
    testsupport::answerNextMessageBox("OK", &seen);
    chosen = copy.root + "2/Reklama";
    click(&form, "moveAdFolderBtn");
    QCOMPARE(seen, QString::fromUtf8(
                       "Папка с рекламой должна быть в папке с маршрутом или рядом с ней!"));
    QCOMPARE(form.undoStack()->count(), 0);

    chosen = copy.root + "/Reklama2";
    click(&form, "moveAdFolderBtn");
    for (int round = 0; round < 2; ++round) {
        QCOMPARE(form.route().adPath(), copy.root + "/Reklama2");
        QCOMPARE(names(list), (QStringList{"b.txt", "a.txt"}));
        QCOMPARE(label->text(), QString("/Reklama2"));
        QCOMPARE(names(child<QListWidget>(&form, "allAdTextFileList")), QStringList{"a.txt"});
        form.undo();
        QCOMPARE(form.route().adPath(), copy.root + "/Reklama");
        QCOMPARE(names(list), old);
        QCOMPARE(label->text(), QString("/Reklama"));
        form.redo();
    }
}

void TestFileLists::endToEnd()
{
    ExampleCopy copy;
    QVERIFY(QDir(copy.root).mkdir("Reklama2"));
    QVERIFY(testsupport::writeAll(copy.root + "/Reklama2/rscript.txt", "b.txt\r\n"));
    QVERIFY(testsupport::writeAll(copy.root + "/Reklama2/c.txt", "c"));
    const auto before = foldertree::read(copy.root);
    MainWindow w;
    w.openFolders({copy.route});
    w.show();
    auto *form = qobject_cast<RouteForm *>(w.findChild<QTabWidget *>("tabWidget")->widget(0));
    QVERIFY(form);
    auto trigger = [&](const char *action) {
        w.findChild<QAction *>(QLatin1String(action))->trigger();
    };

    // Stop 2: gong.wav, rynok.wav, "market hours.txt".
    runSteps(form, "station 1; pick sound svobody.wav; add sound; up sound; "
                   "pick text teatr.txt; add text; up text");
    trigger("saveAction");
    auto after = foldertree::read(copy.root);
    QCOMPARE(after.value("route12/ost.txt"),
             testsupport::readAll(testsupport::dataPath("filelists/ost.txt")));
    after["route12/ost.txt"] = before.value("route12/ost.txt");
    QCOMPARE(foldertree::differences(before, after), QStringList{});

    form->fileLists()->setFolderAsker([&](const QString &) { return copy.root + "/Reklama2"; });
    click(form, "moveAdFolderBtn");
    runSteps(form, "pick ad c.txt; add ad");
    trigger("saveAction");
    QByteArray script = before.value("route12/script.txt");
    script.replace("PATH_REKLAMA:/Reklama/", "PATH_REKLAMA:/Reklama2/");
    QCOMPARE(testsupport::readAll(copy.route + "/script.txt"), script);
    QCOMPARE(testsupport::readAll(copy.root + "/Reklama2/rscript.txt"),
             QByteArray("b.txt\r\nc.txt\r\n"));

    for (int i = 0; i < 6; ++i)
        trigger("undoAction");
    trigger("saveAction");
    after = foldertree::read(copy.root);
    after["route12/ost.txt"] = before.value("route12/ost.txt");
    after["Reklama2/rscript.txt"] = before.value("Reklama2/rscript.txt");
    QCOMPARE(foldertree::differences(before, after), QStringList{});
    QCOMPARE(testsupport::readAll(copy.route + "/ost.txt"), before.value("route12/ost.txt"));
}

QTEST_MAIN(TestFileLists)
#include "tst_filelists.moc"
