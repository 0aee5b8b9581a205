#include "aboutdialog.h"
#include "resources.h"
#include "routeform.h"
#include "tablotexthelpform.h"
#include "testsupport.h"

#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

namespace {

const QStringList iconNames = {
    "save",        "undo",    "redo",      "information", "open",       "help",
    "copyLeft",    "arrowUp", "arrowDown", "newTextFile", "removeFile", "open_dir",
    "folder-move", "edit",    "play",      "pause",       "stop",       "check",
    "map",
};

const QStringList helpTexts = {
    "<&F1 - переключить на тонкий шрифт, <&F0 - на толстый;",
    "<&P10 Текст> - выводит текст на заданное время в секундах;",
    "<&V10 Текст> - текст плавно опустится сверху;",
    "<&G10 Текст> - текст по буквам вылетит справа;",
    "<&C10 Текст> – текст появится из случайных точек;",
    "<&H10 Текст> – текст постепенно появится слева;",
    "<&L10 Текст> – текст постепенно появится сверху;",
    "<&R10 Текст> – случайный эффект из выше перечисленных.",
};

// The lines as the user sees them: labels in layout order, top to bottom.
QStringList shownLines(const QWidget *help)
{
    QStringList lines;
    const QLayout *layout = help->layout();
    for (int i = 0; layout && i < layout->count(); ++i) {
        const auto *label = qobject_cast<QLabel *>(layout->itemAt(i)->widget());
        if (!label)
            continue;
        // Rich text would swallow the "<&...>" commands as tags.
        if (label->textFormat() != Qt::PlainText)
            lines << QStringLiteral("(not plain text) ") + label->text();
        else
            lines << label->text();
    }
    return lines;
}

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void aboutTexts();
    void aboutCannotBeResized();
    void aboutCloses_data();
    void aboutCloses();

    void helpLines_data();
    void helpLines();

    void iconLoads_data();
    void iconLoads();
    void noUnlistedIcons();
};

void TestDialogs::initTestCase()
{
    testsupport::isolateSettings();
    initResources();
}

void TestDialogs::aboutTexts()
{
    AboutDialog dlg;
    QCOMPARE(dlg.windowTitle(), QStringLiteral("О Tessaly"));
    QVERIFY(!(dlg.windowFlags() & Qt::WindowContextHelpButtonHint));
    auto *name = dlg.findChild<QLabel *>("label_2");
    QVERIFY(name);
    QCOMPARE(name->text(), QStringLiteral("Tessaly 2.2.1"));
    auto *site = dlg.findChild<QLabel *>("siteLabel");
    QVERIFY(site);
    QVERIFY(site->openExternalLinks());
    QVERIFY(dlg.findChild<QLabel *>("label_4"));
}

void TestDialogs::aboutCannotBeResized()
{
    AboutDialog dlg;
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    const QSize shown = dlg.size();
    QCOMPARE(dlg.minimumSize(), dlg.maximumSize());
    dlg.resize(shown + QSize(200, 100));
    QCOMPARE(dlg.size(), shown);
    dlg.resize(shown / 2);
    QCOMPARE(dlg.size(), shown);
}

void TestDialogs::aboutCloses_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("result");
    QTest::newRow("close button") << "button" << int(QDialog::Accepted);
    QTest::newRow("escape") << "escape" << int(QDialog::Rejected);
    QTest::newRow("title bar") << "titlebar" << int(QDialog::Rejected);
}

void TestDialogs::aboutCloses()
{
    QFETCH(QString, how);
    QFETCH(int, result);
    AboutDialog dlg;
    QSignalSpy finished(&dlg, &QDialog::finished);
    dlg.open();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    if (how == "button") {
        QPushButton *close = nullptr;
        for (QPushButton *b : dlg.findChildren<QPushButton *>())
            if (b->text() == QStringLiteral("Закрыть"))
                close = b;
        QVERIFY(close);
        QTest::mouseClick(close, Qt::LeftButton);
    } else if (how == "escape") {
        QTest::keyClick(&dlg, Qt::Key_Escape);
    } else {
        QVERIFY(dlg.close());
    }
    QVERIFY(!dlg.isVisible());
    QCOMPARE(finished.count(), 1);
    QCOMPARE(dlg.result(), result);
}

void TestDialogs::helpLines_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("name");
    QTest::newRow("standalone") << ""
                                << "";
    for (const char *name : {"routeTextHelpWdt", "outsideTempHelpWdt", "salonTempHelpWdt"})
        QTest::newRow(name) << "RouteForm" << name;
}

void TestDialogs::helpLines()
{
    QFETCH(QString, host);
    QFETCH(QString, name);
    QScopedPointer<QWidget> owner;
    const TabloTextHelpForm *help = nullptr;
    if (host.isEmpty()) {
        auto *form = new TabloTextHelpForm;
        owner.reset(form);
        help = form;
        QCOMPARE(form->windowTitle(), QStringLiteral("Перечень команд"));
    } else {
        owner.reset(new RouteForm);
        // Until the form's layout exists it embeds no panel at all; once it embeds
        // any, every one of them must be there under its name.
        if (owner->findChildren<TabloTextHelpForm *>().isEmpty())
            QSKIP("the route form embeds no help panels yet");
        help = owner->findChild<TabloTextHelpForm *>(name);
        QVERIFY(help);
    }
    QCOMPARE(shownLines(help), helpTexts);
    QCOMPARE(help->layout()->contentsMargins(), QMargins());
}

void TestDialogs::iconLoads_data()
{
    QTest::addColumn<QString>("path");
    for (const QString &name : iconNames)
        QTest::newRow(qPrintable(name)) << QStringLiteral(":/icons/%1.png").arg(name);
}

void TestDialogs::iconLoads()
{
    QFETCH(QString, path);
    const QIcon icon(path);
    QVERIFY(!icon.isNull());
    const QPixmap pixmap = icon.pixmap(32, 32);
    QVERIFY(!pixmap.isNull());
    QCOMPARE(pixmap.size(), QSize(32, 32));
    // Drawn at least at the size the buttons show, so nothing is scaled up.
    const QList<QSize> sizes = icon.availableSizes();
    QVERIFY(!sizes.isEmpty());
    QVERIFY(sizes.first().width() >= 32 && sizes.first().height() >= 32);
}

// A misspelt file name in the resources shows up here as an unknown icon.
void TestDialogs::noUnlistedIcons()
{
    QStringList files = QDir(":/icons").entryList(QDir::Files, QDir::Name);
    QStringList expected;
    for (const QString &name : iconNames)
        expected << name + ".png";
    expected.sort();
    QCOMPARE(files, expected);
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
