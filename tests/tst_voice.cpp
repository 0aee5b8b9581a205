// Voicing a route: file names, a cancelled batch, the dialog through real clicks, the
// "Прослушать" buttons and `tessaly --voice` as a program.
#include "filetestsupport.h"
#include "foldertree.h"
#include "routeform.h"
#include "routemodel.h"
#include "soundpreview.h"
#include "testsupport.h"
#include "voicebatch.h"
#include "voicebuttons.h"
#include "voicedialog.h"

#include <QAbstractItemView>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>

namespace {

// A copy of the example whose stops 3 and 5 have no sound files (5 keeps its text file).
struct SilentCopy
{
    QTemporaryDir dir;
    QString route = dir.path() + "/route12";
    QByteArray ost;
    bool ok = foldertree::copy(TESSALY_EXAMPLES "/route12", route) && strip();

    bool strip()
    {
        ost = testsupport::readAll(route + "/ost.txt");
        ost.replace("  gong.wav, svobody.wav\r\n4 ", "  .wav\r\n4 ");
        ost.replace("  gong.wav, universitet.wav, universitet.txt\r\n6 ",
                    "  universitet.txt\r\n6 ");
        return testsupport::writeAll(route + "/ost.txt", ost);
    }
};

const QStringList spoken3{"03-1.wav", "03-1n.wav", "03-2.wav", "03-2n.wav"};
const QStringList spoken5{"05-1.wav", "05-1n.wav", "05-2.wav", "05-2n.wav"};

} // namespace

class TestVoice : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::isolateSettings(); }
    void names_data();
    void names();
    void cancelledBatchLeavesNothing();
    void dialogVoicesSilentStops();
    void listenPlaysSpokenText();
    void commandLine();
};

void TestVoice::names_data()
{
    QTest::addColumn<int>("stops");
    QTest::addColumn<bool>("replace");
    QTest::addColumn<QStringList>("names");
    // 03-1.wav lies in the folder already; gong.wav is used by every other stop.
    QTest::newRow("silent") << int(VoicePlan::SilentStops) << false
                            << QStringList{"03-1-0.wav", "03-1n.wav", "03-2.wav", "03-2n.wav",
                                           "05-1.wav",   "05-1n.wav", "05-2.wav", "05-2n.wav"};
    QTest::newRow("silent, replace")
        << int(VoicePlan::SilentStops) << true << (QStringList() << spoken3 << spoken5);
    QTest::newRow("one") << int(VoicePlan::OneStop) << true
                         << QStringList{"07-1.wav", "07-2.wav"}; // the last stop announces none
}

void TestVoice::names()
{
    QFETCH(int, stops);
    QFETCH(bool, replace);
    QFETCH(QStringList, names);
    SilentCopy copy;
    QVERIFY(copy.ok);
    QVERIFY(testsupport::writeAll(copy.route + "/03-1.wav", "studio"));
    Route route;
    QVERIFY(route.load(copy.route));
    VoicePlan::Request request;
    request.stops = VoicePlan::Stops(stops);
    request.station = 6;
    request.langCount = 2;
    request.replace = replace;
    QStringList planned;
    for (const VoiceJob &job : VoicePlan::jobs(route, request))
        planned << job.fileName;
    QCOMPARE(planned, names);
}

void TestVoice::cancelledBatchLeavesNothing()
{
    SilentCopy copy;
    QVERIFY(copy.ok);
    Route route;
    QVERIFY(route.load(copy.route));
    VoicePlan::Request request;
    request.langCount = 2;
    const auto before = foldertree::read(copy.route);
    const VoiceOutcome outcome =
        VoiceBatch::run(copy.route, VoicePlan::jobs(route, request), VoiceSettings::load(),
                        [](int done) { return done < 3; });
    QVERIFY(outcome.cancelled);
    QVERIFY(outcome.written.isEmpty());
    QCOMPARE(foldertree::differences(before, foldertree::read(copy.route)), QStringList());
}

void TestVoice::dialogVoicesSilentStops()
{
    SilentCopy copy;
    QVERIFY(copy.ok);
    RouteForm form;
    form.openRoute(copy.route);
    form.show();
    VoiceDialog dialog(&form);
    dialog.show();
    QTest::mouseClick(dialog.findChild<QRadioButton *>("allStopsRadio"), Qt::LeftButton);
    QTest::mouseClick(dialog.findChild<QRadioButton *>("silentStopsRadio"), Qt::LeftButton);
    auto *box = dialog.findChild<QDialogButtonBox *>("buttonBox");
    QTest::mouseClick(box->button(QDialogButtonBox::Ok), Qt::LeftButton);
    QTRY_VERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    const Route &r = form.route();
    QCOMPARE(r.station(2)->soundFiles(), spoken3);
    QCOMPARE(r.station(4)->soundFiles(), spoken5);
    QCOMPARE(form.undoStack()->count(), 1);
    QVERIFY(form.saveRoute());
    QByteArray expected = copy.ost;
    expected.replace("  .wav\r\n4 ", "  " + spoken3.join(", ").toUtf8() + "\r\n4 ");
    expected.replace("  universitet.txt\r\n6 ",
                     "  " + spoken5.join(", ").toUtf8() + ", universitet.txt\r\n6 ");
    QCOMPARE(testsupport::readAll(copy.route + "/ost.txt"), expected);

    // Undo detaches the files; they stay in the folder.
    form.undo();
    QVERIFY(r.station(2)->soundFiles().isEmpty());
    QCOMPARE(r.station(4)->soundFiles(), QStringList());
    QVERIFY(form.saveRoute());
    QCOMPARE(testsupport::readAll(copy.route + "/ost.txt"), copy.ost);
    for (const QString &name : spoken3 + spoken5)
        QVERIFY2(QFileInfo(copy.route + '/' + name).size() > 10000, qPrintable(name));
}

void TestVoice::listenPlaysSpokenText()
{
    SilentCopy copy;
    QVERIFY(copy.ok);
    RouteForm form;
    form.openRoute(copy.route);
    form.show();
    VoiceButtons listen(&form);
    form.findChild<QAbstractItemView *>("stationList")
        ->setCurrentIndex(form.stationModel()->index(1));
    QVERIFY(listen.button(0) && listen.button(1));
    QTest::mouseClick(listen.button(1), Qt::LeftButton);
    QTRY_VERIFY(!listen.lastFile().isEmpty());
    QVERIFY(!listen.lastFile().startsWith(copy.route));
    QMediaPlayer *player = form.soundPreview()->player();
    QCOMPARE(player->media().request().url().toLocalFile(), listen.lastFile());
    QCOMPARE(form.findChild<QLabel *>("playNameLabel")->text(), QStringLiteral("listen-1.wav"));
    QTRY_VERIFY(player->duration() > 1000);
    QTRY_COMPARE(player->mediaStatus(), QMediaPlayer::EndOfMedia);
    QCOMPARE(player->error(), QMediaPlayer::NoError);

    // The station tools open the dialog.
    QString title;
    QTimer::singleShot(50, [&] {
        if (QWidget *dialog = QApplication::activeModalWidget()) {
            title = dialog->windowTitle();
            dialog->close();
        }
    });
    QTest::mouseClick(listen.voiceButton(), Qt::LeftButton);
    QCOMPARE(title, QStringLiteral("Озвучить остановки"));
}

void TestVoice::commandLine()
{
    QTemporaryDir dir;
    const QString a = dir.path() + "/a", b = dir.path() + "/b", empty = dir.path() + "/empty";
    for (const QString &path : {a, b, empty}) {
        QVERIFY(QDir().mkpath(path));
        Route route;
        QVERIFY(path == empty || (route.newRoute(path) && route.save()));
    }
    const auto run = [](const QStringList &args, QString *out = nullptr) {
        QProcess tessaly;
        tessaly.start(QStringLiteral(TESSALY_EXECUTABLE), QStringList{"--voice"} + args);
        tessaly.waitForFinished(60000);
        if (out)
            *out = QString::fromUtf8(tessaly.readAllStandardOutput());
        return tessaly.exitCode();
    };
    const QByteArray fresh = testsupport::readAll(a + "/ost.txt");

    // Unknown voice, and a folder that refuses the files: the route stays as it was.
    QCOMPARE(run({"--voice1", "no-such-voice", a}), 1);
    {
        testsupport::FileSizeLimit limit(4096);
        QCOMPARE(run({a}), 1);
    }
    QCOMPARE(foldertree::read(a).keys(), foldertree::read(b).keys());
    QCOMPARE(testsupport::readAll(a + "/ost.txt"), fresh);

    QString out;
    QCOMPARE(run({a}, &out), 0);
    const QStringList names{"01-1.wav", "01-1n.wav", "02-1.wav",
                            "03-1.wav", "03-1n.wav", "04-1.wav"};
    const QStringList lines = out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), names.size() + 1);
    QCOMPARE(lines.first(), a + "/01-1.wav: Остановка Пункт А.");
    QVERIFY(lines.last().startsWith(a + ": файлов: 6, речи: "));
    Route voiced;
    QVERIFY(voiced.load(a));
    QCOMPARE(voiced.station(0)->soundFiles(), names.mid(0, 2));
    QCOMPARE(voiced.station(2)->soundFiles(), names.mid(3, 2));
    QVERIFY(testsupport::readAll(a + "/ost.txt").contains("\r\n  03-1.wav, 03-1n.wav\r\n"));

    // Voiced stops are not voiced again; a fresh engine makes the same bytes.
    QCOMPARE(run({a}, &out), 0);
    QCOMPARE(out, a + ": файлов: 0, речи: 0.0 с\n");
    QCOMPARE(run({b}), 0);
    const auto sounds = [](const QString &path) {
        auto tree = foldertree::read(path);
        for (const QString &name : tree.keys())
            if (!name.endsWith(".wav"))
                tree.remove(name);
        return tree;
    };
    QCOMPARE(sounds(a).size(), names.size());
    QCOMPARE(foldertree::differences(sounds(a), sounds(b)), QStringList());
    QCOMPARE(run({empty, b}), 2);
    QCOMPARE(run({}), 2);
}

QTEST_MAIN(TestVoice)
#include "tst_voice.moc"
