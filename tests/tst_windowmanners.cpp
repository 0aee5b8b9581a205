// The main window as a desktop editor is used: keys where the cursor is, the state it
// shows, the names and reasons in its messages, the station list and the small faults.
#include "filelists.h"
#include "foldertree.h"
#include "mainwindow.h"
#include "route.h"
#include "routeform.h"
#include "routemodel.h"
#include "stationlistdelegate.h"
#include "tablotexthelpform.h"
#include "testsupport.h"
#include "texteditordlg.h"

#include <QComboBox>
#include <QGeoCoordinate>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QWindow>

namespace {

QTabWidget *tabsOf(MainWindow &w)
{
    return w.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
}

RouteForm *current(MainWindow &w)
{
    return qobject_cast<RouteForm *>(tabsOf(w)->currentWidget());
}

template <class T = QWidget> T *in(QWidget *form, const char *name)
{
    return form->findChild<T *>(QLatin1String(name));
}

// Brings a field of the current form on show, the way a user clicks to it, and focuses it.
QWidget *focusField(MainWindow &w, const QString &name)
{
    QWidget *field = current(w)->findChild<QWidget *>(name);
    for (QWidget *child = field, *p = field->parentWidget(); p; child = p, p = p->parentWidget()) {
        if (auto *stack = qobject_cast<QStackedWidget *>(p))
            stack->setCurrentWidget(child);
    }
    field->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    return field;
}

// Types any text, Cyrillic included, as key presses into the widget.
void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Whatever modal box shows next: its title, text and informative text; answered by `button`.
struct SeenBox
{
    QString title, text, which;
};
void answerBox(const QString &button, SeenBox *seen)
{
    QTimer::singleShot(10, [=] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return answerBox(button, seen);
        *seen = {box->windowTitle(), box->text(), box->informativeText()};
        for (QAbstractButton *b : box->buttons()) {
            if (b->text() == button)
                return b->click();
        }
        box->reject();
    });
}

} // namespace

class TestWindowManners : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> tmp;
    QString root;

    // Copies of the example route at "a/route12" and "b/route12".
    QStringList routes()
    {
        QStringList paths;
        for (const char *depot : {"a", "b"}) {
            const QString to = QStringLiteral("%1/%2").arg(root, QLatin1String(depot));
            foldertree::copy(QStringLiteral(TESSALY_EXAMPLES), to);
            paths << to + QStringLiteral("/route12");
        }
        return paths;
    }

    void openShown(MainWindow &w, const QStringList &paths)
    {
        w.openFolders(paths);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
    }

private slots:
    void initTestCase()
    {
        testsupport::isolateSettings();
        QApplication::setApplicationName(QStringLiteral("Tessaly"));
    }

    void init()
    {
        QSettings().clear();
        tmp = std::make_unique<QTemporaryDir>();
        root = tmp->path();
    }

    void keys_data()
    {
        QTest::addColumn<QString>("field"); // focused, on the first of two tabs
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("prompt"); // the answer to unsaved-changes prompts
        // tabs: count/current; field: its text on the first tab; help: the markup window shown
        QTest::addColumn<QString>("state");
        struct Row
        {
            const char *name, *field, *typed;
            QStringList keys;
            const char *prompt, *state;
        };
        const Row rows[] = {
            {"Ctrl+Z in a field pushes and undoes",
             "frontNumberEdit",
             "7",
             {"Ctrl+Z"},
             "",
             "tabs 2/0; field 12; focus frontNumberEdit; help no"},
            {"Ctrl+Shift+Z redoes",
             "stationWordEdit",
             "7",
             {"Ctrl+Z", "Ctrl+Shift+Z"},
             "",
             "tabs 2/0; field Остановка7; focus stationWordEdit; help no"},
            {"Ctrl+Y redoes",
             "stationWordEdit",
             "7",
             {"Ctrl+Z", "Ctrl+Y"},
             "",
             "tabs 2/0; field Остановка7; focus stationWordEdit; help no"},
            {"Ctrl+Z in a spin box",
             "sideStationCountSpn",
             "",
             {},
             "",
             "tabs 2/0; field 5; focus sideStationCountSpn; help no"},
            {"Ctrl+W closes the tab",
             "frontNumberEdit",
             "",
             {"Ctrl+W"},
             "",
             "tabs 1/0; field 12; focus -; help no"},
            {"Ctrl+F4 asks, Отмена keeps",
             "frontNumberEdit",
             "7",
             {"Ctrl+F4"},
             "Отмена",
             "tabs 2/0; field 127; focus -; help no"},
            {"Ctrl+Tab",
             "salonTabloOrderEdit",
             "",
             {"Ctrl+Tab"},
             "",
             "tabs 2/1; field (MO)2(MNNSABRT)0; focus -; help no"},
            {"Ctrl+Shift+Tab wraps round",
             "stationWordEdit",
             "",
             {"Ctrl+Shift+Tab"},
             "",
             "tabs 2/1; field Остановка; focus -; help no"},
            {"Ctrl+Q through the prompt",
             "frontNumberEdit",
             "7",
             {"Ctrl+Q"},
             "Не сохранять",
             "tabs 0/-1; closed"},
            {"F1 on the running line",
             "salonTabloOrderEdit",
             "",
             {"F1"},
             "",
             "tabs 2/0; field (MO)2(MNNSABRT)0; focus -; help yes"},
            {"F1 elsewhere",
             "frontNumberEdit",
             "",
             {"F1"},
             "",
             "tabs 2/0; field 12; focus frontNumberEdit; help no"},
        };
        for (const Row &r : rows)
            QTest::newRow(r.name) << r.field << r.typed << r.keys << r.prompt << r.state;
    }

    void keys()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QStringList, keys);
        QFETCH(QString, prompt);
        MainWindow w;
        openShown(w, routes());
        tabsOf(w)->setCurrentIndex(0);
        RouteForm *form = current(w);
        QWidget *edit = focusField(w, field);
        if (auto *spin = qobject_cast<QSpinBox *>(edit)) {
            // A step of the arrows keys is an edit of its own: undo it, then redo it.
            QTest::keyClick(spin, Qt::Key_Up);
            QTest::keyClick(spin, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(spin->value(), form->route().sideStationCount());
        }
        QTest::keyClicks(edit, typed);
        SeenBox seen;
        if (!prompt.isEmpty())
            answerBox(prompt, &seen);
        for (const QString &key : keys)
            QTest::keySequence(QApplication::focusWidget() ? QApplication::focusWidget()
                                                           : static_cast<QWidget *>(&w),
                               QKeySequence(key));
        QApplication::processEvents();
        if (!prompt.isEmpty())
            QTRY_COMPARE(seen.title, testsupport::promptTitle);

        QString state =
            QStringLiteral("tabs %1/%2; ").arg(tabsOf(w)->count()).arg(tabsOf(w)->currentIndex());
        if (!w.isVisible()) {
            QCOMPARE(state + QStringLiteral("closed"), QStringLiteral("tabs 0/-1; closed"));
            return;
        }
        RouteForm *first = qobject_cast<RouteForm *>(tabsOf(w)->widget(0));
        QWidget *focused = QApplication::focusWidget();
        auto *help = w.findChild<TabloTextHelpForm *>(QStringLiteral("markupHelpWindow"));
        const bool onField = focused && focused->window() == &w && tabsOf(w)->currentIndex() == 0 &&
                             focused->objectName() == field;
        state += QStringLiteral("field %1; focus %2; help %3")
                     .arg(first->findChild<QWidget *>(field)->property("text").toString(),
                          onField ? field : QStringLiteral("-"),
                          help && help->isVisible() ? "yes" : "no");
        QTEST(state, "state");
    }

    // The text editor keeps its own undo keys and saves with Ctrl+S; F1 shows its help.
    void textEditorKeys()
    {
        const QString path = root + QStringLiteral("/s1.txt");
        QVERIFY(testsupport::writeAll(path, "Рынок"));
        TextEditorDlg dlg;
        QVERIFY(dlg.loadFile(path));
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        auto *text = dlg.findChild<QWidget *>(QStringLiteral("plainTextEdit"));
        auto *helpBtn = dlg.findChild<QAbstractButton *>(QStringLiteral("helpBtn"));
        helpBtn->setChecked(false);
        text->setFocus();
        QTest::keyClick(text, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(text, "!?");
        QTest::keySequence(text, QKeySequence(QStringLiteral("Ctrl+Z")));
        QTest::keySequence(text, QKeySequence(QStringLiteral("Ctrl+S")));
        QTest::keyClick(text, Qt::Key_F1);
        QCOMPARE(testsupport::readAll(path), QByteArray("Рынок"));
        QVERIFY(helpBtn->isChecked());
        QTest::keyClicks(text, ".");
        QTest::keySequence(text, QKeySequence(QStringLiteral("Ctrl+S")));
        // A button's shortcut clicks it a moment later.
        QTRY_COMPARE(testsupport::readAll(path), QByteArray("Рынок."));
    }

    void dropOpensFolder()
    {
        const QStringList paths = routes();
        MainWindow w;
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(paths.at(1)),
                      QUrl::fromLocalFile(paths.at(1) + QStringLiteral("/ost.txt"))});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&w, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&w, &drop);
        QCOMPARE(tabsOf(w)->count(), 1);
        QCOMPARE(current(w)->route().path(), paths.at(1));
    }

    void state_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("state"); // the window's title, the tab texts, the last box
        QTest::newRow("opened") << ""
                                << "route12; a/route12 b/route12; -";
        QTest::newRow("typed") << "type"
                               << "route12*; a/route12 b/route12; -";
        QTest::newRow("closed a modified tab")
            << "type; close"
            << "route12*; a/route12 b/route12; Сохранение изменений|Маршут был "
               "изменен. Сохранить изменения?|Маршрут «a/route12» (@/a/route12)";
        QTest::newRow("other tab closed") << "close other"
                                          << "route12; route12; -";
        QTest::newRow("next-stop question")
            << "ask"
            << "route12; a/route12 b/route12 c/route12; "
               "Объявление следующей остановки|Маршрут с отдельным объявлением "
               "следующей остановки?|";
    }

    void state()
    {
        QFETCH(QString, steps);
        const QStringList paths = routes();
        MainWindow w;
        openShown(w, paths);
        tabsOf(w)->setCurrentIndex(0);
        SeenBox seen{QStringLiteral("-"), {}, {}};
        for (const QString &step : steps.split(QStringLiteral("; "), Qt::SkipEmptyParts)) {
            if (step == QLatin1String("type")) {
                QTest::keyClicks(focusField(w, QStringLiteral("frontNumberEdit")), "3");
            } else if (step == QLatin1String("close")) {
                answerBox(testsupport::cancelText, &seen);
                emit tabsOf(w)->tabCloseRequested(0);
            } else if (step == QLatin1String("close other")) {
                emit tabsOf(w)->tabCloseRequested(1);
            } else if (step == QLatin1String("ask")) {
                // Station 2 lost its next-stop text, station 1 kept its own: the form asks.
                const QString c = root + QStringLiteral("/c/route12");
                foldertree::copy(paths.at(0), c);
                QByteArray ost = testsupport::readAll(c + QStringLiteral("/ost.txt"));
                ost.replace("\\\\Следующая остановка Площадь Свободы.", "");
                QVERIFY(testsupport::writeAll(c + QStringLiteral("/ost.txt"), ost));
                answerBox(QStringLiteral("Нет"), &seen);
                w.openFolders({c});
                tabsOf(w)->setCurrentIndex(0);
            }
        }
        QStringList titles;
        for (int i = 0; i < tabsOf(w)->count(); ++i) {
            titles << tabsOf(w)->tabText(i);
            QCOMPARE(tabsOf(w)->tabToolTip(i),
                     qobject_cast<RouteForm *>(tabsOf(w)->widget(i))->route().path());
        }
        const QString box = seen.title == QLatin1String("-")
                                ? seen.title
                                : QStringList{seen.title, seen.text, seen.which}.join('|');
        QString state =
            QStringLiteral("%1; %2; %3").arg(w.windowHandle()->title(), titles.join(' '), box);
        QTEST(state.replace(QDir::toNativeSeparators(root), QStringLiteral("@")), "state");
    }

    // A recent folder deleted since is named, not opened as a new route, and can go.
    void recentFolderGone()
    {
        const QString gone = routes().at(0);
        {
            MainWindow w;
            w.openFolders({gone});
        }
        QVERIFY(QDir(gone).removeRecursively());
        MainWindow w;
        auto *menu = w.findChild<QMenu *>(QStringLiteral("recentMenu"));
        for (const QString &answer :
             {QStringLiteral("Оставить"), QStringLiteral("Убрать из списка")}) {
            emit menu->aboutToShow();
            QCOMPARE(menu->actions().size(), 1);
            SeenBox seen;
            answerBox(answer, &seen);
            menu->actions().at(0)->trigger();
            QCOMPARE(seen.text,
                     QStringLiteral("Папка %1 не найдена").arg(QDir::toNativeSeparators(gone)));
            QCOMPARE(tabsOf(w)->count(), 0);
            QVERIFY(!QFileInfo::exists(gone));
        }
        emit menu->aboutToShow();
        QVERIFY(menu->actions().isEmpty());
        QCOMPARE(QSettings().value(QStringLiteral("recentOpen/size")).toInt(), 0);
    }

    void coordinate_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown"); // the field after editing, "-" for no coordinate
        QTest::addColumn<bool>("hint");
        QTest::newRow("unreadable kept") << "abc 12x"
                                         << "old" << true;
        QTest::newRow("one number kept") << "55.1"
                                         << "old" << true;
        QTest::newRow("out of range kept") << "95 37"
                                           << "old" << true;
        QTest::newRow("readable taken") << "55.1 37.2"
                                        << "55.10000 37.20000" << false;
        QTest::newRow("empty clears") << ""
                                      << "-" << false;
    }

    void coordinate()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        MainWindow w;
        openShown(w, routes().mid(0, 1));
        RouteForm *form = current(w);
        auto *list = in<QTreeView>(form, "stationList");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(form->stationModel()->stationIndex(1)).center());
        QCOMPARE(form->currentStation(), 1);
        const QGeoCoordinate old = form->route().station(1)->coordinate();
        QVERIFY(old.isValid());
        auto *edit = qobject_cast<QLineEdit *>(focusField(w, QStringLiteral("coordEdit")));
        const QString oldText = edit->text();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, Qt::Key_Tab);
        const QGeoCoordinate now = form->route().station(1)->coordinate();
        QCOMPARE(edit->text(), shown == "old" ? oldText : shown == "-" ? QString() : shown);
        QCOMPARE(now == old, shown == "old");
        auto *hint = in<QLabel>(form, "coordHintLabel");
        QTEST(hint->isVisible(), "hint");
        if (hint->isVisible())
            QVERIFY(hint->text().contains(typed));
        QCOMPARE(in<QLabel>(form, "radiusRangeLabel")->text(), QStringLiteral("от 10 до 50 м"));
    }

    void stationList_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("shown"); // the numbers of the stations shown
        QTest::newRow("all") << ""
                             << "1 2 3 4 5 6 7 8 9 10 11 12 13 14";
        QTest::newRow("a name, any case") << "РЫН"
                                          << "2 13";
        QTest::newRow("second language") << "square"
                                         << "3 12";
        QTest::newRow("a number") << "4"
                                  << "4";
        QTest::newRow("nothing") << "xyz"
                                 << "";
    }

    void stationList()
    {
        QFETCH(QString, filter);
        MainWindow w;
        openShown(w, routes().mid(0, 1));
        RouteForm *form = current(w);
        auto *list = in<QTreeView>(form, "stationList");
        QVERIFY(qobject_cast<StationListDelegate *>(list->itemDelegate()));
        QTest::keySequence(&w, QKeySequence(QStringLiteral("Ctrl+F")));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("stationFilterEdit"));
        typeText(QApplication::focusWidget(), filter);
        QStringList shown;
        RouteModel *model = form->stationModel();
        for (int row = 1; row < model->rowCount(); ++row) {
            if (!list->isRowHidden(row, QModelIndex()))
                shown << QString::number(row);
            const QModelIndex index = model->index(row, 0);
            QVERIFY(index.data(Qt::ToolTipRole).toString().startsWith(index.data().toString()));
        }
        QTEST(shown.join(' '), "shown");
        QVERIFY(!list->isRowHidden(0, QModelIndex()));
        const QModelIndex first = model->stationIndex(0);
        QCOMPARE(StationListDelegate::shownText(1, first.data().toString(),
                                                form->route().stationWord(0)),
                 QStringLiteral("1. Железнодорожный вокзал."));
        QCOMPARE(first.data(Qt::ToolTipRole).toString().split('\n').mid(0, 3),
                 (QStringList{"Остановка Железнодорожный вокзал.",
                              "Следующая остановка Центральный рынок.", "Ж/д вокзал"}));
    }

    // The list's width, dragged by its divider, holds for every tab and the next start.
    // The list's width, dragged by its divider, holds for every tab and the next start.
    void listWidthRemembered()
    {
        int width = 0;
        QRect geometry;
        {
            MainWindow w;
            openShown(w, routes());
            w.setGeometry(40, 50, 900, 650);
            auto *list = in<QTreeView>(current(w), "stationList");
            auto *grip = in<QWidget>(current(w), "stationListGrip");
            QCOMPARE(grip->geometry().left(), list->geometry().right() + 1);
            const QPoint at = grip->rect().center();
            QTest::mousePress(grip, Qt::LeftButton, {}, at);
            QMouseEvent drag(QEvent::MouseMove, at + QPoint(90, 0),
                             grip->mapToGlobal(at + QPoint(90, 0)), Qt::LeftButton, Qt::LeftButton,
                             {});
            QApplication::sendEvent(grip, &drag);
            QTest::mouseRelease(grip, Qt::LeftButton, {}, at + QPoint(90, 0));
            QApplication::processEvents();
            width = list->width();
            QVERIFY(width > 250);
            QCOMPARE(grip->geometry().left(), list->geometry().right() + 1);
            tabsOf(w)->setCurrentIndex(1);
            QApplication::processEvents();
            QCOMPARE(in<QTreeView>(current(w), "stationList")->width(), width);
            geometry = w.geometry();
            w.close();
        }
        MainWindow w;
        openShown(w, routes().mid(0, 1));
        QCOMPARE(w.geometry(), geometry);
        QApplication::processEvents();
        QCOMPARE(in<QTreeView>(current(w), "stationList")->width(), width);
    }

    void smallFaults()
    {
        MainWindow w;
        openShown(w, routes().mid(0, 1));
        RouteForm *form = current(w);
        auto *list = in<QTreeView>(form, "stationList");
        auto click = [&](int station) {
            QTest::mouseClick(
                list->viewport(), Qt::LeftButton, {},
                list->visualRect(form->stationModel()->stationIndex(station)).center());
        };
        // The text preview follows the selection, and shows nothing without one.
        click(0);
        focusField(w, QStringLiteral("textFileList"));
        auto *texts = in<QListWidget>(form, "textFileList");
        QTest::mouseClick(texts->viewport(), Qt::LeftButton, {},
                          texts->visualItemRect(texts->item(0)).center());
        auto *preview = in<QLabel>(form, "textPreviewLabel");
        QVERIFY(!preview->text().isEmpty());
        click(2); // Площадь Свободы has no text file of its own
        QCOMPARE(preview->text(), QString());

        // A file manager that cannot be started is reported.
        FileManagerLaunch none;
#ifdef TESSALY_FILEMANAGER_DBUS
        none.callDBus = [](const QDBusMessage &, const std::function<void(bool)> &answered) {
            answered(false);
        };
#endif
        none.startDetached = [](const QString &, const QStringList &) { return false; };
        none.openUrl = [](const QUrl &) { return false; };
        form->fileLists()->setFileManagerLaunch(none);
        SeenBox seen;
        answerBox(QStringLiteral("OK"), &seen);
        QTest::mouseClick(in<QAbstractButton>(form, "openTextFolderBtn"), Qt::LeftButton);
        QTRY_VERIFY(seen.text.contains(QDir::toNativeSeparators(form->route().path())));

        // The colour popups are as wide as their items ask, so no text is cut.
        for (const char *name : {"frontColorList", "leftSofitList"}) {
            auto *box = qobject_cast<QComboBox *>(focusField(w, QLatin1String(name)));
            box->showPopup();
            QVERIFY2(box->view()->viewport()->width() >= box->view()->sizeHintForColumn(0), name);
            box->hidePopup();
        }
    }
};

QTEST_MAIN(TestWindowManners)
#include "tst_windowmanners.moc"
