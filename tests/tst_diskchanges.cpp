#include "diskchangebar.h"
#include "filelistcommands.h"
#include "foldertree.h"
#include "mainwindow.h"
#include "routeform.h"
#include "testsupport.h"

#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

namespace {

void type(RouteForm *form, const char *name, const QString &text)
{
    auto *edit = form->findChild<QLineEdit *>(QLatin1String(name));
    edit->selectAll();
    testsupport::typeText(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

// Another program rewrites a file in place.
void rewriteElsewhere(const QString &path, const QByteArray &from, const QByteArray &to)
{
    QByteArray bytes = testsupport::readAll(path);
    bytes.replace(from, to);
    const QString other = path + QStringLiteral(".other");
    QVERIFY(testsupport::writeAll(other, bytes));
    QCOMPARE(QProcess::execute(QStringLiteral("cp"), {other, path}), 0);
    QFile::remove(other);
}

} // namespace

class TestDiskChanges : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::isolateSettings(); }

    void changedElsewhere()
    {
        QTemporaryDir dir;
        QVERIFY(foldertree::copy(QStringLiteral(TESSALY_EXAMPLES), dir.path()));
        const QString route = dir.filePath(QStringLiteral("route12"));
        const QString ost = route + QStringLiteral("/ost.txt");
        RouteForm form;
        form.show();
        form.openRoute(route);
        int asked = 0;
        bool overwrite = false;
        form.setOverwriteAsker([&](const QString &text) {
            ++asked;
            return text == QStringLiteral("Файлы маршрута изменены другой программой") && overwrite;
        });
        DiskChangeBar *bar = form.diskChangeBar();

        // Nothing unsaved: the bar offers to read the files again.
        rewriteElsewhere(ost, "\xBF" "12\\\\", "\xBF" "77\\\\");
        QTRY_VERIFY_WITH_TIMEOUT(!bar->isHidden(), 1000);
        QVERIFY(!bar->message().contains(QStringLiteral("перезапишет")));
        bar->findChild<QPushButton *>(QStringLiteral("rereadBtn"))->click();
        QCOMPARE(form.route().frontNumber(), QStringLiteral("77"));
        QVERIFY(!form.canSave());
        QVERIFY(bar->isHidden());

        // Unsaved changes: the bar warns, the save asks, and "Отмена" leaves the file alone.
        type(&form, "routeTextEdit", QStringLiteral("Маршрут 77."));
        rewriteElsewhere(ost, "\xBF" "77\\\\", "\xBF" "78\\\\");
        QTRY_VERIFY_WITH_TIMEOUT(!bar->isHidden(), 1000);
        QVERIFY(bar->message().contains(QStringLiteral("перезапишет")));
        const QByteArray theirs = testsupport::readAll(ost);
        QVERIFY(!form.saveRoute());
        QCOMPARE(asked, 1);
        QCOMPARE(testsupport::readAll(ost), theirs);
        overwrite = true;
        QVERIFY(form.saveRoute());
        QCOMPARE(asked, 2);

        // The form's own saves raise nothing.
        type(&form, "routeTextEdit", QStringLiteral("Маршрут 79."));
        QVERIFY(form.saveRoute());
        QTest::qWait(500);
        QVERIFY(bar->isHidden());
        QCOMPARE(asked, 2);
    }

    // Two tabs on two routes sharing one ad folder see each other's saves.
    void tabsShareAdFolder()
    {
        QTemporaryDir dir;
        QVERIFY(foldertree::copy(QStringLiteral(TESSALY_EXAMPLES), dir.path()));
        const QString first = dir.filePath(QStringLiteral("route12"));
        const QString second = dir.filePath(QStringLiteral("route13"));
        QVERIFY(foldertree::copy(first, second));
        MainWindow w;
        w.openFolders({first, second});
        auto *tabs = w.findChild<QTabWidget *>();
        auto *a = qobject_cast<RouteForm *>(tabs->widget(0));
        auto *b = qobject_cast<RouteForm *>(tabs->widget(1));

        a->undoStack()->push(new AddAdwareTextFileCmd(a, 0, QStringLiteral("akciya-leto.txt")));
        QVERIFY(a->saveRoute());
        QTRY_VERIFY_WITH_TIMEOUT(
            b->route().adTextFiles().contains(QStringLiteral("akciya-leto.txt")), 1000);
        QVERIFY(!b->canSave());

        tabs->setCurrentIndex(1);
        type(b, "frontNumberEdit", QStringLiteral("13"));
        QVERIFY(b->saveRoute());
        QCOMPARE(testsupport::readAll(dir.filePath(QStringLiteral("Reklama/rscript.txt"))),
                 a->routeFiles().value(QStringLiteral("rscript.txt")));

        // A tab with its own unsaved ad list is warned instead.
        b->undoStack()->push(new RemoveAdTextFileCmd(b, 0));
        a->undoStack()->push(new AddAdwareTextFileCmd(a, 0, QStringLiteral("taxi.txt")));
        QVERIFY(a->saveRoute());
        QTRY_VERIFY_WITH_TIMEOUT(!b->diskChangeBar()->isHidden(), 1000);
        QVERIFY(b->diskChangeBar()->message().contains(QStringLiteral("rscript.txt")));
    }
};

QTEST_MAIN(TestDiskChanges)
#include "tst_diskchanges.moc"
