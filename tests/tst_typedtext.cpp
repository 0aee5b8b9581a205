#include "foldertree.h"
#include "route.h"
#include "routeform.h"
#include "routemodel.h"
#include "testsupport.h"

#include <QLineEdit>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <functional>

namespace {

// A text field and the value its text becomes in a route read from disk.
struct TextField
{
    const char *edit;
    std::function<QString(const Route &)> value;
};

const TextField textFields[] = {
    {"frontNumberEdit", [](const Route &r) { return r.frontNumber(); }},
    {"frontStartingPointEdit", [](const Route &r) { return r.frontStartingPoint(0); }},
    {"frontDestinationEdit", [](const Route &r) { return r.frontDestination(0); }},
    {"sideNumberEdit", [](const Route &r) { return r.sideNumber(); }},
    {"sideStartingPointEdit", [](const Route &r) { return r.sideStartingPoint(0); }},
    {"sideDestinationEdit", [](const Route &r) { return r.sideDestination(0); }},
    {"sideSepEdit", [](const Route &r) { return r.sideSeparator(); }},
    {"backNumberEdit", [](const Route &r) { return r.backNumber(); }},
    {"backStartingPointEdit", [](const Route &r) { return r.backStartingPoint(0); }},
    {"backDestinationEdit", [](const Route &r) { return r.backDestination(0); }},
    {"routeTextEdit", [](const Route &r) { return r.routeText(0); }},
    {"salonTempEdit", [](const Route &r) { return r.salonTempText(0); }},
    {"outsideTempEdit", [](const Route &r) { return r.outsideTempText(0); }},
    {"stationWordEdit", [](const Route &r) { return r.stationWord(0); }},
    {"nextWordEdit", [](const Route &r) { return r.nextWord(0); }},
    {"stationNameEdit", [](const Route &r) { return r.station(1)->name(0); }},
    {"nextNameEdit", [](const Route &r) { return r.station(1)->nextName(0); }},
    {"sideNameEdit", [](const Route &r) { return r.station(1)->sideName(0); }},
};

QString openCopy(QTemporaryDir &dir)
{
    foldertree::copy(QStringLiteral(TESSALY_EXAMPLES), dir.path());
    return dir.filePath(QStringLiteral("route12"));
}

} // namespace

class TestTypedText : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::isolateSettings(); }

    // Random texts of separators, suffixes, quotes, line breaks and letters typed into every
    // field: what the field takes is what a save and a load give back.
    void typedIsSaved()
    {
        QTemporaryDir dir;
        const QString path = openCopy(dir);
        RouteForm form;
        form.show();
        form.openRoute(path);
        form.findChild<QTreeView *>(QStringLiteral("stationList"))
            ->setCurrentIndex(form.stationModel()->stationIndex(1));
        const char *const pieces[] = {"\\", "\\\\", "_", "C", "M", "\"", "\n",
                                      "\r", " ",    ";", "Я", "1", "_S", "a"};
        QRandomGenerator random(2026);
        for (int n = 0; n < 150; ++n) {
            const TextField &field = textFields[random.bounded(int(std::size(textFields)))];
            auto *edit = form.findChild<QLineEdit *>(QLatin1String(field.edit));
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Delete);
            const int count = random.bounded(1, 6);
            for (int i = 0; i < count; ++i) {
                const QString piece =
                    QString::fromUtf8(pieces[random.bounded(int(std::size(pieces)))]);
                // Line breaks come in by pasting; the rest is typed.
                if (piece.at(0).isPrint())
                    testsupport::typeText(edit, piece);
                else
                    edit->insert(piece);
            }
            const QString shown = edit->text().trimmed();
            QTest::keyClick(edit, Qt::Key_Return);
            QVERIFY(form.saveRoute() || !form.canSave());
            const Route back(path);
            QVERIFY2(field.value(back) == shown,
                     qPrintable(QStringLiteral("%1: «%2» came back as «%3»")
                                    .arg(QLatin1String(field.edit), shown, field.value(back))));
        }
    }

    // Texts longer than the fields are shown whole; passing through every field changes
    // nothing, and typing a letter and taking it back marks nothing either.
    void passingThroughChangesNothing()
    {
        QTemporaryDir dir;
        const QString path = openCopy(dir);
        {
            Route route(path);
            route.setFrontNumber(QStringLiteral("1234567"));
            route.station(1)->setName(0, QString(200, QChar(0x416)));
            QVERIFY(route.save());
        }
        const auto saved = foldertree::read(dir.path());
        RouteForm form;
        form.show();
        QApplication::setActiveWindow(&form);
        form.openRoute(path);
        QVERIFY(!form.canSave());
        form.findChild<QTreeView *>(QStringLiteral("stationList"))
            ->setCurrentIndex(form.stationModel()->stationIndex(1));
        QCOMPARE(form.findChild<QLineEdit *>(QStringLiteral("frontNumberEdit"))->text(),
                 QStringLiteral("1234567"));
        QCOMPARE(form.findChild<QLineEdit *>(QStringLiteral("stationNameEdit"))->text().size(),
                 200);
        for (const TextField &field : textFields) {
            auto *edit = form.findChild<QLineEdit *>(QLatin1String(field.edit));
            edit->setFocus(Qt::TabFocusReason);
            edit->clearFocus();
        }
        QVERIFY(!form.canSave());

        auto *edit = form.findChild<QLineEdit *>(QStringLiteral("routeTextEdit"));
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_End);
        QTest::keyClick(edit, Qt::Key_X);
        QVERIFY(form.canSave());
        QTest::keyClick(edit, Qt::Key_Backspace);
        QVERIFY(!form.canSave());
        QVERIFY(!form.canUndo());
        edit->clearFocus();

        form.saveRoute();
        QCOMPARE(foldertree::differences(saved, foldertree::read(dir.path())), QStringList());
    }
};

QTEST_MAIN(TestTypedText)
#include "tst_typedtext.moc"
