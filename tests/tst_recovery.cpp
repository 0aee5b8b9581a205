#include "folderlock.h"
#include "foldertree.h"
#include "mainwindow.h"
#include "recoverystore.h"
#include "routeform.h"
#include "routemodel.h"
#include "testsupport.h"

#include <QLineEdit>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QUndoStack>

namespace {

// The same edits, typed through the form's fields, in the killed process and the reference.
void typeEdits(RouteForm *form)
{
    auto type = [form](const char *name, const QString &text) {
        auto *edit = form->findChild<QLineEdit *>(QLatin1String(name));
        edit->selectAll();
        testsupport::typeText(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    };
    type("frontNumberEdit", QStringLiteral("77"));
    type("routeTextEdit", QStringLiteral("Маршрут 77 <&F1>"));
    auto *list = form->findChild<QTreeView *>(QStringLiteral("stationList"));
    list->setCurrentIndex(form->stationModel()->stationIndex(1));
    type("stationNameEdit", QStringLiteral("Остановка Новая"));
}

RouteForm *formAt(MainWindow &w, int index)
{
    return qobject_cast<RouteForm *>(w.findChild<QTabWidget *>()->widget(index));
}

// The program as the user runs it, edited and then left running until it is killed.
int runChild(int argc, char **argv)
{
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    MainWindow window;
    window.show();
    window.openFolders({QString::fromLocal8Bit(argv[2])});
    typeEdits(formAt(window, 0));
    QTextStream(stdout) << "edited" << Qt::endl;
    return app.exec();
}

} // namespace

class TestRecovery : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::isolateSettings();
        QDir(RecoveryStore::folder()).removeRecursively();
    }

    // Killed with unsaved edits: the next start offers them back, and saving them writes what
    // an uninterrupted save would have written.
    void crashKeepsUnsavedWork()
    {
        QTemporaryDir dir;
        const QString crashed = dir.filePath(QStringLiteral("a"));
        const QString reference = dir.filePath(QStringLiteral("b"));
        QVERIFY(foldertree::copy(QStringLiteral(TESSALY_EXAMPLES), crashed));
        QVERIFY(foldertree::copy(QStringLiteral(TESSALY_EXAMPLES), reference));
        const QString route = crashed + QStringLiteral("/route12");
        const auto onDisk = foldertree::read(crashed);

        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), route});
        QVERIFY(child.waitForStarted());
        QByteArray said;
        QTRY_VERIFY2_WITH_TIMEOUT((said += child.readAllStandardOutput()).contains("edited"),
                                  child.readAllStandardError().constData(), 60000);

        // A second process is warned off the folder.
        QStringList asked;
        MainWindow second;
        second.setAsker([&asked](const QString &text, const QStringList &) {
            asked << text;
            return 1;
        });
        second.openFolders({route});
        QCOMPARE(asked.size(), 1);
        QVERIFY(asked.first().contains(QStringLiteral("уже открыт")));
        QCOMPARE(second.findChild<QTabWidget *>()->count(), 0);

        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(RecoveryStore::copyPath(route)), 10000);
        child.kill();
        QVERIFY(child.waitForFinished());
        QCOMPARE(foldertree::read(crashed), onDisk);

        MainWindow next;
        asked.clear();
        next.setAsker([&asked](const QString &text, const QStringList &buttons) {
            asked << text;
            return int(buttons.indexOf(QStringLiteral("Восстановить")));
        });
        next.offerRecovery();
        QCOMPARE(asked,
                 QStringList{QStringLiteral("Восстановить несохранённые изменения маршрута %1?")
                                 .arg(QDir::toNativeSeparators(route))});
        RouteForm *form = formAt(next, 0);
        QVERIFY(form && form->canSave());
        QCOMPARE(form->undoStack()->count(), 1);
        form->undo();
        QCOMPARE(form->routeFiles(), Route(route).fileBytes());
        form->redo();
        QVERIFY(form->saveRoute());

        RouteForm uninterrupted;
        uninterrupted.show();
        uninterrupted.openRoute(reference + QStringLiteral("/route12"));
        typeEdits(&uninterrupted);
        QVERIFY(uninterrupted.saveRoute());
        QCOMPARE(foldertree::differences(foldertree::read(reference), foldertree::read(crashed)),
                 QStringList());
        QTRY_VERIFY(!QFile::exists(RecoveryStore::copyPath(route)));
    }

    // Closing without saving leaves no copy; nor does a save.
    void noCopyLeftBehind()
    {
        for (bool save : {true, false}) {
            QTemporaryDir dir;
            QVERIFY(foldertree::copy(QStringLiteral(TESSALY_EXAMPLES), dir.path()));
            const QString route = dir.filePath(QStringLiteral("route12"));
            auto *form = new RouteForm;
            form->show();
            form->openRoute(route);
            typeEdits(form);
            QTRY_VERIFY(QFile::exists(RecoveryStore::copyPath(route)));
            if (save)
                QVERIFY(form->saveRoute());
            delete form;
            QVERIFY(!QFile::exists(RecoveryStore::copyPath(route)));
        }
    }
};

int main(int argc, char **argv)
{
    if (argc > 2 && qstrcmp(argv[1], "--child") == 0)
        return runChild(argc, argv);
    QApplication app(argc, argv);
    TestRecovery test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_recovery.moc"
