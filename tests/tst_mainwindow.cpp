#include "aboutdialog.h"
#include "mainwindow.h"
#include "routeform.h"
#include "soundpreview.h"
#include "testsupport.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLayout>
#include <QMediaPlayer>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <memory>

namespace {

using testsupport::BoxAnswerer;
using testsupport::cancelText;
using testsupport::discardText;
using testsupport::promptTitle;
using testsupport::saveText;

QTabWidget *tabsOf(MainWindow &w)
{
    return w.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
}

QAction *actionOf(MainWindow &w, const char *name)
{
    return w.findChild<QAction *>(QLatin1String(name));
}

RouteForm *formAt(MainWindow &w, int index)
{
    return qobject_cast<RouteForm *>(tabsOf(w)->widget(index));
}

QStringList tabTitles(MainWindow &w)
{
    QStringList titles;
    for (int i = 0; i < tabsOf(w)->count(); ++i)
        titles.append(tabsOf(w)->tabText(i));
    return titles;
}

// "s" where save is enabled, "-" where not; likewise undo and redo.
QString actionStates(MainWindow &w)
{
    QString states;
    for (const char *name : {"saveAction", "undoAction", "redoAction"})
        states += actionOf(w, name)->isEnabled() ? QLatin1Char(name[0]) : QLatin1Char('-');
    return states;
}

QStringList storedRecent()
{
    QSettings settings;
    QStringList paths;
    const int size = settings.beginReadArray(QStringLiteral("recentOpen"));
    for (int i = 0; i < size; ++i) {
        settings.setArrayIndex(i);
        paths.append(settings.value(QStringLiteral("path")).toString());
    }
    settings.endArray();
    return paths;
}

QStringList recentMenuTexts(MainWindow &w)
{
    auto *menu = w.findChild<QMenu *>(QStringLiteral("recentMenu"));
    emit menu->aboutToShow();
    QStringList texts;
    for (QAction *a : menu->actions())
        texts.append(a->text());
    return texts;
}

// Board 0 is the front, 1 the side and 2 the back board.
FrontTabloType modelOf(const RouteForm *form, int board)
{
    switch (board) {
    case 0:
        return form->frontTabloType();
    case 1:
        return form->sideTabloType();
    default:
        return form->backTabloType();
    }
}

void setModel(RouteForm *form, int board, FrontTabloType type)
{
    switch (board) {
    case 0:
        form->setFrontTabloType(type);
        break;
    case 1:
        form->setSideTabloType(type);
        break;
    default:
        form->setBackTabloType(type);
        break;
    }
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    // Fresh for every test: a route folder records its own board models.
    std::unique_ptr<QTemporaryDir> rootDir;
    QString root;

    // Creates (if needed) and returns a route folder below the temporary root.
    QString folder(const QString &name)
    {
        QDir(root).mkpath(name);
        return root + QLatin1Char('/') + name;
    }

    QStringList folders(const QStringList &names)
    {
        QStringList paths;
        for (const QString &name : names)
            paths.append(folder(name));
        return paths;
    }

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("OOO Vantor"));
        QCoreApplication::setApplicationName(QStringLiteral("Tessaly-tst_mainwindow"));
        testsupport::isolateSettings();
    }

    void init()
    {
        QSettings().clear();
        rootDir = std::make_unique<QTemporaryDir>();
        QVERIFY(rootDir->isValid());
        root = QDir(rootDir->path()).canonicalPath();
    }

    void cleanup() { rootDir.reset(); }

    void windowAfterConstruction()
    {
        MainWindow w;
        QCOMPARE(tabsOf(w)->count(), 0);
        QCOMPARE(actionStates(w), QStringLiteral("---"));
        QVERIFY(actionOf(w, "aboutAction")->isEnabled());

        auto *toolBar = w.findChild<QToolBar *>(QStringLiteral("toolBar"));
        auto *openButton = w.findChild<QToolButton *>(QStringLiteral("openButton"));
        QVERIFY(openButton);
        QStringList order;
        for (QAction *a : toolBar->actions()) {
            if (a->isSeparator())
                order.append(QStringLiteral("|"));
            else if (toolBar->widgetForAction(a) == openButton)
                order.append(QStringLiteral("open"));
            else
                order.append(a->objectName());
        }
        QCOMPARE(order.join(QLatin1Char(' ')),
                 QStringLiteral(
                     "open | saveAction | undoAction redoAction | checkAction | aboutAction"));

        QVERIFY(openButton->text().isEmpty());
        QVERIFY(openButton->toolTip().isEmpty());
        QCOMPARE(openButton->shortcut(), QKeySequence(QKeySequence::Open));
        QCOMPARE(openButton->popupMode(), QToolButton::MenuButtonPopup);
        QCOMPARE(openButton->menu(), w.findChild<QMenu *>(QStringLiteral("recentMenu")));
        const QString openIcon = QStringLiteral(":/icons/open.png");
        QVERIFY(QFile::exists(openIcon));
        QCOMPARE(openButton->icon().pixmap(32).toImage(), QIcon(openIcon).pixmap(32).toImage());
    }

    void windowLayout()
    {
        MainWindow w;
        QCOMPARE(w.size(), QSize(800, 600));
        QCOMPARE(w.minimumSize(), QSize(640, 480));
        QCOMPARE(w.windowTitle(), QStringLiteral("Tessaly"));
        QCOMPARE(w.contextMenuPolicy(), Qt::NoContextMenu);

        QWidget *central = w.centralWidget();
        QCOMPARE(central->objectName(), QStringLiteral("centralwidget"));
        QCOMPARE(central->layout()->objectName(), QStringLiteral("horizontalLayout"));
        QCOMPARE(central->layout()->contentsMargins(), QMargins());
        QCOMPARE(central->layout()->indexOf(tabsOf(w)), 0);
        QCOMPARE(tabsOf(w)->tabShape(), QTabWidget::Rounded);
        QCOMPARE(tabsOf(w)->iconSize(), QSize(24, 24));
        QVERIFY(tabsOf(w)->tabsClosable());

        auto *toolBar = w.findChild<QToolBar *>(QStringLiteral("toolBar"));
        QCOMPARE(toolBar->windowTitle(), QStringLiteral("toolBar"));
        QCOMPARE(w.toolBarArea(toolBar), Qt::TopToolBarArea);
        QVERIFY(!toolBar->isMovable());
        QVERIFY(!toolBar->isFloatable());
        QCOMPARE(toolBar->iconSize(), QSize(32, 32));
    }

    // Where the folder chooser starts: beside the folder opened last.
    void chooserStart_data()
    {
        QTest::addColumn<QString>("stored"); // entry 0 of the recent list, "@" the temporary root
        QTest::addColumn<QString>("opened"); // a folder opened before asking, if any
        QTest::addColumn<QString>("start");
        QTest::newRow("first start") << QString() << QString() << QString();
        QTest::newRow("stored entry") << "@/a/b" << QString() << "@/a";
        QTest::newRow("opened later wins") << "@/a/b"
                                           << "@/c"
                                           << "@";
    }

    void chooserStart()
    {
        QFETCH(QString, stored);
        QFETCH(QString, opened);
        QFETCH(QString, start);
        stored.replace(QLatin1Char('@'), root);
        opened.replace(QLatin1Char('@'), root);
        start.replace(QLatin1Char('@'), root);
        if (!stored.isEmpty()) {
            QDir().mkpath(stored);
            QSettings settings;
            settings.beginWriteArray(QStringLiteral("recentOpen"));
            settings.setArrayIndex(0);
            settings.setValue(QStringLiteral("path"), stored);
            settings.endArray();
        }
        const QString picked = folder(QStringLiteral("picked"));
        const QString oldCurrent = QDir::currentPath();
        QDir::setCurrent(root);
        // An empty start folder leaves the chooser where the program runs.
        if (start.isEmpty())
            start = root;

        MainWindow w;
        if (!opened.isEmpty()) {
            QDir().mkpath(opened);
            w.openFolders({opened});
        }
        const int tabs = tabsOf(w)->count();
        auto *openButton = w.findChild<QToolButton *>(QStringLiteral("openButton"));
        for (bool pick : {false, true}) {
            QString title, directory;
            bool dirsOnly = false;
            QTimer poll;
            connect(&poll, &QTimer::timeout, [&]() {
                auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
                if (!dialog || !dialog->isVisible())
                    return;
                poll.stop();
                title = dialog->windowTitle();
                directory = dialog->directory().absolutePath();
                dirsOnly = dialog->testOption(QFileDialog::ShowDirsOnly);
                if (pick) {
                    dialog->selectFile(picked);
                    QMetaObject::invokeMethod(dialog, "accept");
                } else {
                    dialog->reject();
                }
            });
            poll.start(5);
            openButton->click();
            QCOMPARE(title, QStringLiteral("Выберите папку с маршрутом"));
            QCOMPARE(directory, start);
            QVERIFY(dirsOnly);
            // Cancelling opens nothing; a picked folder becomes a new tab.
            QCOMPARE(tabsOf(w)->count(), tabs + (pick ? 1 : 0));
        }
        QDir::setCurrent(oldCurrent);
        QCOMPARE(tabTitles(w).last(), QStringLiteral("picked"));
        QCOMPARE(storedRecent().value(0), picked);
    }

    // A sound never goes on playing in a tab nobody sees.
    void switchingTabsStopsSound()
    {
        const QStringList paths = folders({"quiet", "loud"});
        // Ten seconds of silence: long enough to be still playing when the tab changes.
        const QByteArray wav = testsupport::silentWav(10);
        const QString sound = paths[1] + QStringLiteral("/long.wav");
        QVERIFY(testsupport::writeAll(sound, wav));

        // Played in real time even without a sound card.
        qputenv("QT_GSTREAMER_PLAYBIN_AUDIOSINK", "fakesink sync=true");
        MainWindow w;
        w.openFolders(paths);
        RouteForm *loud = formAt(w, 1);
        loud->soundPreview()->load(sound);
        QMediaPlayer *player = loud->soundPreview()->player();
        QVERIFY(player);
        player->play();
        QTRY_COMPARE(player->state(), QMediaPlayer::PlayingState);
        tabsOf(w)->setCurrentIndex(0);
        QCOMPARE(player->state(), QMediaPlayer::StoppedState);
    }

    void toolbarActions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::addColumn<QString>("icon");
        QTest::newRow("save") << "saveAction"
                              << "Сохранить"
                              << "Сохранить изменения" << QKeySequence("Ctrl+S")
                              << ":/icons/save.png";
        QTest::newRow("undo") << "undoAction"
                              << "Отменить"
                              << "Отменить последнее действие" << QKeySequence("Ctrl+Z")
                              << ":/icons/undo.png";
        QTest::newRow("redo") << "redoAction"
                              << "Вернуть"
                              << "Вернуть последнее действие" << QKeySequence("Ctrl+Shift+Z")
                              << ":/icons/redo.png";
        QTest::newRow("check") << "checkAction"
                               << "Проверить маршрут"
                               << "Проверить маршрут: файлы, тексты табло, координаты"
                               << QKeySequence("F7") << ":/icons/check.png";
        QTest::newRow("about") << "aboutAction"
                               << "О программе"
                               << "О программе" << QKeySequence() << ":/icons/information.png";
    }

    void toolbarActions()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, toolTip);
        QFETCH(QKeySequence, shortcut);
        QFETCH(QString, icon);
        MainWindow w;
        auto *action = w.findChild<QAction *>(name);
        QVERIFY(action);
        QCOMPARE(action->text(), text);
        QCOMPARE(action->toolTip(), toolTip);
        QCOMPARE(action->shortcut(), shortcut);
        QVERIFY(!action->icon().isNull());
        QCOMPARE(action->icon().pixmap(32).toImage(), QIcon(icon).pixmap(32).toImage());
    }

    void recentFolders_data()
    {
        // Folder names, the stored list newest first.
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<QStringList>("expected");

        auto names = [](int from, int to) {
            QStringList list;
            for (int i = from; i != to; i += from < to ? 1 : -1)
                list.append(QStringLiteral("r%1").arg(i));
            return list;
        };
        QTest::newRow("eleven keep the ten newest")
            << QStringList() << names(0, 11) << names(10, 0);
        QTest::newRow("reopening moves to the head")
            << QStringList{"c", "b", "a"} << QStringList{"b"} << QStringList{"b", "c", "a"};
        QTest::newRow("reopening the head keeps one entry")
            << QStringList{"b", "a"} << QStringList{"b"} << QStringList{"b", "a"};
        QTest::newRow("case makes a different folder")
            << QStringList{"Route"} << QStringList{"route"} << QStringList{"route", "Route"};
        QTest::newRow("reopening the oldest")
            << names(10, 0) << QStringList{"r1"} << QStringList{"r1"} + names(10, 1);
    }

    void recentFolders()
    {
        QFETCH(QStringList, stored);
        QFETCH(QStringList, opened);
        QFETCH(QStringList, expected);
        {
            QSettings settings;
            settings.beginWriteArray(QStringLiteral("recentOpen"));
            const QStringList paths = folders(stored);
            for (int i = 0; i < paths.size(); ++i) {
                settings.setArrayIndex(i);
                settings.setValue(QStringLiteral("path"), paths.at(i));
            }
            settings.endArray();
        }
        {
            MainWindow w;
            w.openFolders(folders(opened));
            QCOMPARE(tabsOf(w)->count(), opened.size());
        }
        const QStringList paths = folders(expected);
        QCOMPARE(storedRecent(), paths);
        MainWindow fresh;
        QCOMPARE(recentMenuTexts(fresh), paths);
    }

    void recentMenuOpensFolder()
    {
        const QStringList paths = folders({"x", "y"});
        MainWindow w;
        w.openFolders(paths);
        const QList<QAction *> actions =
            w.findChild<QMenu *>(QStringLiteral("recentMenu"))->actions();
        QVERIFY(actions.isEmpty()); // built only when the menu opens
        const QStringList texts = recentMenuTexts(w);
        QCOMPARE(texts, (QStringList{paths[1], paths[0]}));
        auto *menu = w.findChild<QMenu *>(QStringLiteral("recentMenu"));
        menu->actions().at(1)->trigger();
        // A folder open already is made current, not opened twice.
        QCOMPARE(tabTitles(w), (QStringList{"x", "y"}));
        QCOMPARE(tabsOf(w)->currentIndex(), 0);
        QCOMPARE(storedRecent(), (QStringList{paths[0], paths[1]}));

        // Another instance may have changed the store: the menu follows it.
        QSettings settings;
        settings.beginWriteArray(QStringLiteral("recentOpen"));
        settings.setArrayIndex(0);
        settings.setValue(QStringLiteral("path"), QString());
        settings.endArray();
        settings.sync();
        QCOMPARE(recentMenuTexts(w), QStringList());
        QAction empty(QString(), nullptr);
        emit menu->triggered(&empty);
        QCOMPARE(tabsOf(w)->count(), 2);
    }

    // "&&" is how a tab or menu text shows one "&" instead of underlining the next letter.
    void ampersandShownInTitleAndMenu()
    {
        const QString path = folder(QStringLiteral("R&D 5"));
        MainWindow w;
        w.openFolders({path});
        QCOMPARE(tabTitles(w), QStringList{QStringLiteral("R&&D 5")});
        QCOMPARE(tabsOf(w)->tabToolTip(0), path);
        QCOMPARE(recentMenuTexts(w), QStringList{QString(path).replace('&', "&&")});
        w.findChild<QMenu *>(QStringLiteral("recentMenu"))->actions().at(0)->trigger();
        QCOMPARE(tabsOf(w)->count(), 1);
        QCOMPARE(tabsOf(w)->tabToolTip(0), path);
        QCOMPARE(storedRecent(), QStringList{path});
    }

    void openFolders_data()
    {
        // "@" stands for the temporary root, created folders are "a" and "b"
        // (and a file "f").
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QStringList>("toolTips");
        QTest::newRow("none") << QStringList() << QStringList() << QStringList();
        QTest::newRow("in order") << QStringList{"@/b", "@/a"} << QStringList{"b", "a"}
                                  << QStringList{"@/b", "@/a"};
        QTest::newRow("missing folders and files are skipped")
            << QStringList{"@/missing", "@/a", "@/f", "", "@/f/sub", "-x"} << QStringList{"a"}
            << QStringList{"@/a"};
        QTest::newRow("trailing slash and dots")
            << QStringList{"@/a/", "@/b/../a/."} << QStringList{"a"} << QStringList{"@/a"};
        QTest::newRow("relative to the working folder")
            << QStringList{"b"} << QStringList{"b"} << QStringList{"@/b"};
        QTest::newRow("same folder twice")
            << QStringList{"@/a", "@/a"} << QStringList{"a"} << QStringList{"@/a"};
    }

    void openFolders()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, titles);
        QFETCH(QStringList, toolTips);
        folders({"a", "b"});
        QVERIFY(testsupport::writeAll(root + QStringLiteral("/f"), "x"));
        arguments.replaceInStrings(QStringLiteral("@"), root);
        toolTips.replaceInStrings(QStringLiteral("@"), root);
        const QString oldCurrent = QDir::currentPath();
        QDir::setCurrent(root);

        MainWindow w;
        w.openFolders(arguments);
        QDir::setCurrent(oldCurrent);
        QCOMPARE(tabTitles(w), titles);
        QTabBar *bar = tabsOf(w)->tabBar();
        for (int i = 0; i < titles.size(); ++i) {
            QCOMPARE(tabsOf(w)->tabToolTip(i), toolTips.at(i));
            QWidget *close = bar->tabButton(i, QTabBar::RightSide);
            if (!close)
                close = bar->tabButton(i, QTabBar::LeftSide);
            QVERIFY(close);
            QCOMPARE(close->toolTip(), QStringLiteral("Закрыть маршрут"));
        }
        QCOMPARE(tabsOf(w)->currentIndex(), titles.size() - 1);
        QCOMPARE(storedRecent().value(0), toolTips.value(toolTips.size() - 1));
    }

    void actionsFollowCurrentForm()
    {
        MainWindow w;
        w.openFolders(folders({"a", "b", "c"}));
        QPointer<RouteForm> a = formAt(w, 0), b = formAt(w, 1), c = formAt(w, 2);
        BoxAnswerer answerer({discardText, discardText});
        a->setCanSave(true);
        b->setCanUndo(true);
        b->setCanRedo(true);
        QCOMPARE(actionStates(w), QStringLiteral("---"));
        c->setCanRedo(true);
        QCOMPARE(actionStates(w), QStringLiteral("--r"));

        tabsOf(w)->setCurrentIndex(0);
        QCOMPARE(actionStates(w), QStringLiteral("s--"));
        c->setCanSave(true); // no longer wired to the actions
        QCOMPARE(actionStates(w), QStringLiteral("s--"));
        a->setCanUndo(true);
        QCOMPARE(actionStates(w), QStringLiteral("su-"));

        // Closing a tab in front of the current one keeps the current wired.
        tabsOf(w)->setCurrentIndex(1);
        emit tabsOf(w)->tabCloseRequested(0);
        QCOMPARE(answerer.prompts.size(), 1);
        QVERIFY(!a);
        QCOMPARE(tabsOf(w)->currentWidget(), b.data());
        QCOMPARE(actionStates(w), QStringLiteral("-ur"));
        b->setCanUndo(false);
        QCOMPARE(actionStates(w), QStringLiteral("--r"));

        // Closing the current tab hands over to its neighbour.
        emit tabsOf(w)->tabCloseRequested(0);
        QVERIFY(!b);
        QCOMPARE(tabsOf(w)->currentWidget(), c.data());
        QCOMPARE(actionStates(w), QStringLiteral("s-r"));
        c->setCanRedo(false);
        QCOMPARE(actionStates(w), QStringLiteral("s--"));

        emit tabsOf(w)->tabCloseRequested(0);
        QCOMPARE(answerer.prompts.size(), 2); // b had no changes
        QVERIFY(!c);
        QCOMPARE(tabsOf(w)->count(), 0);
        QCOMPARE(actionStates(w), QStringLiteral("---"));
    }

    void tabPrompt_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<int>("prompts");
        QTest::newRow("unmodified closes without asking") << false << QString() << true << 0;
        QTest::newRow("cancel keeps the tab") << true << cancelText << false << 1;
        QTest::newRow("discard closes") << true << discardText << true << 1;
        QTest::newRow("failed save keeps the tab") << true << saveText << false << 1;
    }

    void tabPrompt()
    {
        QFETCH(bool, modified);
        QFETCH(QString, answer);
        QFETCH(bool, closed);
        QFETCH(int, prompts);
        MainWindow w;
        w.openFolders(folders({"keep", "p"}));
        QPointer<RouteForm> form = formAt(w, 1);
        form->setCanSave(modified);
        // A file where the route folder was makes every save fail.
        QVERIFY(QDir(folder(QStringLiteral("p"))).removeRecursively());
        QVERIFY(testsupport::writeAll(root + QStringLiteral("/p"), "in the way"));

        BoxAnswerer answerer(answer.isEmpty() ? QStringList() : QStringList{answer});
        emit tabsOf(w)->tabCloseRequested(1);
        QVERIFY(QFile::remove(root + QStringLiteral("/p")));
        QCOMPARE(answerer.prompts.size(), prompts);
        QCOMPARE(form.isNull(), closed);
        QCOMPARE(tabsOf(w)->count(), closed ? 1 : 2);
        if (!prompts)
            return;
        const BoxAnswerer::Seen &seen = answerer.prompts.first();
        QCOMPARE(seen.text, QStringLiteral("Маршут был изменен. Сохранить изменения?"));
        QCOMPARE(seen.icon, QMessageBox::Warning);
        QCOMPARE(seen.buttons, (QStringList{saveText, discardText, cancelText}));
        QCOMPARE(seen.defaultButton, saveText);
        QCOMPARE(seen.escapeButton, cancelText);
        QCOMPARE(seen.parent, &w);
    }

    void closeWindow_data()
    {
        QTest::addColumn<QString>("modified"); // one flag per tab a, b, c
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QStringList>("remaining");
        QTest::addColumn<int>("prompts");
        QTest::newRow("cancel at the second prompt")
            << "111" << QStringList{discardText, cancelText} << false << QStringList{"a", "b"} << 2;
        QTest::newRow("all discarded")
            << "111" << QStringList{discardText, discardText, discardText} << true << QStringList()
            << 3;
        QTest::newRow("failed save at the first prompt")
            << "111" << QStringList{saveText} << false << QStringList{"a", "b", "c"} << 1;
        QTest::newRow("only modified tabs ask")
            << "010" << QStringList{discardText} << true << QStringList() << 1;
        QTest::newRow("nothing modified") << "000" << QStringList() << true << QStringList() << 0;
    }

    void closeWindow()
    {
        QFETCH(QString, modified);
        QFETCH(QStringList, answers);
        QFETCH(bool, accepted);
        QFETCH(QStringList, remaining);
        QFETCH(int, prompts);
        // Tab c's folder is a file by the time of closing, so saving it fails.
        QStringList paths = folders({"a", "b", "c"});
        MainWindow w;
        w.show();
        w.openFolders(paths);
        for (int i = 0; i < 3; ++i)
            formAt(w, i)->setCanSave(modified.at(i) == QLatin1Char('1'));
        QVERIFY(QDir(paths[2]).removeRecursively());
        QVERIFY(testsupport::writeAll(paths[2], "in the way"));

        BoxAnswerer answerer(answers);
        const bool closed = w.close();
        QVERIFY(QFile::remove(paths[2]));
        QCOMPARE(closed, accepted);
        QCOMPARE(w.isVisible(), !accepted);
        QCOMPARE(answerer.prompts.size(), prompts);
        QVERIFY(answerer.pending.isEmpty());
        QCOMPARE(tabTitles(w), remaining);
        QCOMPARE(actionStates(w).at(0), remaining.isEmpty() ? QLatin1Char('-') : QLatin1Char('s'));
    }

    void boardDefaults_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("board"); // 0 front, 1 side, 2 back
        QTest::newRow("front") << "frontTablo/type" << 0;
        QTest::newRow("side") << "sideTablo/type" << 1;
        QTest::newRow("back") << "backTablo/type" << 2;
    }

    void boardDefaults()
    {
        QFETCH(QString, key);
        QFETCH(int, board);
        const FrontTabloType firstStart[] = {Board32x192, Board16x128, Board16x128};

        MainWindow w;
        w.openFolders(folders({"one", "two"}));
        RouteForm *one = formAt(w, 0);
        RouteForm *two = formAt(w, 1);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(modelOf(one, i), firstStart[i]);
        QVERIFY(!QSettings().contains(key)); // opening alone writes no defaults

        setModel(one, board, Board32x256);
        QCOMPARE(QSettings().value(key).toInt(), int(Board32x256));
        QCOMPARE(modelOf(two, board), firstStart[board]);
        for (const char *other : {"frontTablo/type", "sideTablo/type", "backTablo/type"})
            QCOMPARE(QSettings().contains(other), key == QLatin1String(other));

        w.openFolders({folder(QStringLiteral("three"))});
        RouteForm *three = formAt(w, 2);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(modelOf(three, i), i == board ? Board32x256 : firstStart[i]);
        QCOMPARE(modelOf(two, board), firstStart[board]);

        // The new form's own signal also reaches the store.
        setModel(three, board, Board24x144);
        QCOMPARE(QSettings().value(key).toInt(), int(Board24x144));
    }

    void junkSettings_data()
    {
        QTest::addColumn<QVariantMap>("stored");
        QTest::addColumn<QStringList>("menu");
        QTest::addColumn<QList<int>>("models");
        const QList<int> defaults{Board32x192, Board16x128, Board16x128};

        QTest::newRow("models not numbers")
            << QVariantMap{{"frontTablo/type", "abc"},
                           {"sideTablo/type", "1.5"},
                           {"backTablo/type", QStringList{"2", "3"}}}
            << QStringList() << defaults;
        QTest::newRow("models out of range")
            << QVariantMap{{"frontTablo/type", 99}, {"sideTablo/type", -1}, {"backTablo/type", 7}}
            << QStringList() << defaults;
        QTest::newRow("models valid")
            << QVariantMap{{"frontTablo/type", 6}, {"sideTablo/type", 0}, {"backTablo/type", 2}}
            << QStringList() << QList<int>{6, 0, 2};
        QTest::newRow("negative size")
            << QVariantMap{{"recentOpen/size", -5}, {"recentOpen/1/path", "/x"}} << QStringList()
            << defaults;
        QTest::newRow("huge size") << QVariantMap{{"recentOpen/size", 2147483647},
                                                  {"recentOpen/1/path", "/x"},
                                                  {"recentOpen/3/path", "/z"}}
                                   << QStringList{"/x", "/z"} << defaults;
        QTest::newRow("size not a number")
            << QVariantMap{{"recentOpen/size", "many"}, {"recentOpen/1/path", "/x"}}
            << QStringList() << defaults;
        QTest::newRow("entries not text")
            << QVariantMap{{"recentOpen/size", 4},
                           {"recentOpen/1/path", QStringList{"/a", "/b"}},
                           {"recentOpen/2/path", "/y"},
                           {"recentOpen/3/path", QVariantMap{{"k", 1}}},
                           {"recentOpen/4/path", ""}}
            << QStringList{"/y"} << defaults;
        QTest::newRow("array is a plain value")
            << QVariantMap{{"recentOpen", "/w"}} << QStringList() << defaults;
    }

    void junkSettings()
    {
        QFETCH(QVariantMap, stored);
        QFETCH(QStringList, menu);
        QFETCH(QList<int>, models);
        {
            QSettings settings;
            for (auto it = stored.cbegin(); it != stored.cend(); ++it)
                settings.setValue(it.key(), it.value());
        }
        MainWindow w;
        QCOMPARE(recentMenuTexts(w), menu);
        const QString path = folder(QStringLiteral("fresh"));
        w.openFolders({path});
        RouteForm *form = formAt(w, 0);
        QCOMPARE((QList<int>{form->frontTabloType(), form->sideTabloType(), form->backTabloType()}),
                 models);
        QCOMPARE(storedRecent(), QStringList{path} + menu);
        QCOMPARE(recentMenuTexts(w), QStringList{path} + menu);
    }

    void aboutIsModalOverTheWindow()
    {
        MainWindow w;
        w.show();
        QWidget *seenParent = nullptr;
        bool seen = false;
        QTimer::singleShot(10, [&]() {
            auto *dialog = qobject_cast<AboutDialog *>(QApplication::activeModalWidget());
            if (dialog) {
                seen = true;
                seenParent = dialog->parentWidget();
                dialog->reject();
            }
        });
        actionOf(w, "aboutAction")->trigger();
        QVERIFY(seen);
        QCOMPARE(seenParent, &w);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
