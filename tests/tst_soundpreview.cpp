#include "resources.h"
#include "routeform.h"
#include "soundpreview.h"
#include "testsupport.h"

#include <QLabel>
#include <QMediaPlayer>
#include <QSignalSpy>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

// The sound tab of a form, shown, with its controls at hand.
struct SoundTab
{
    SoundTab()
    {
        get<QTabWidget>("stationTabs")->setCurrentIndex(RouteForm::SoundTab);
        form.show();
    }
    template <typename T> T *get(const char *name) { return form.findChild<T *>(name); }
    QMediaPlayer *player() { return form.soundPreview()->player(); }
    void click(const char *button) { QTest::mouseClick(get<QToolButton>(button), Qt::LeftButton); }
    QString label(const char *name) { return get<QLabel>(name)->text(); }
    // The state as the play button's icon and the stop button show it.
    QString shown()
    {
        const QImage icon = get<QToolButton>("playSoundBtn")->icon().pixmap(32).toImage();
        const bool pause = icon == QIcon(QStringLiteral(":/icons/pause.png")).pixmap(32).toImage();
        return QLatin1String(pause ? "pause icon, " : "play icon, ") +
               (get<QToolButton>("stopSoundBtn")->isEnabled() ? "stop" : "no stop");
    }
    // Loads and waits until the backend has opened the file; false, with the reason, when this
    // machine's backend cannot.
    bool load(const QString &path, QString *why)
    {
        form.soundPreview()->load(path);
        *why = QStringLiteral("no media backend on this machine");
        if (!player()->isAvailable())
            return false;
        // error() would still tell of an earlier file; the status is the new file's.
        const auto status = [this] { return player()->mediaStatus(); };
        const bool settled = QTest::qWaitFor(
            [&] {
                return status() == QMediaPlayer::LoadedMedia ||
                       status() == QMediaPlayer::InvalidMedia;
            },
            5000);
        *why = QStringLiteral("the media backend cannot open %1: %2")
                   .arg(path.section(QLatin1Char('.'), -1), player()->errorString());
        return settled && status() == QMediaPlayer::LoadedMedia;
    }

    RouteForm form;
};

const QString playing = QStringLiteral("pause icon, stop");
const QString paused = QStringLiteral("play icon, stop");
const QString stopped = QStringLiteral("play icon, no stop");

} // namespace

class TestSoundPreview : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void plays_data();
    void plays();
    void brokenFileThenOthers();

private:
    QTemporaryDir m_dir;
    QString m_wav;
};

void TestSoundPreview::initTestCase()
{
    testsupport::isolateSettings();
    initResources();
    // Real time, so positions between start and end can be seen.
    qputenv("QT_GSTREAMER_PLAYBIN_AUDIOSINK", "fakesink sync=true");
    QVERIFY(m_dir.isValid());
    m_wav = m_dir.filePath(QStringLiteral("тишина.wav"));
    QVERIFY(testsupport::writeAll(m_wav, testsupport::silentWav(3)));
}

void TestSoundPreview::plays_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("wav") << m_wav;
    QTest::newRow("mp3") << testsupport::dataPath("sound/beep.mp3");
    QTest::newRow("ape") << testsupport::dataPath("sound/beep.ape");
}

void TestSoundPreview::plays()
{
    QFETCH(QString, path);
    SoundTab tab;
    // No player until a file is loaded; until then the controls do nothing.
    tab.click("playSoundBtn");
    QVERIFY(!tab.player());
    QString why;
    if (!tab.load(path, &why))
        QSKIP(qPrintable(why));
    QCOMPARE(tab.label("playNameLabel"), path.section(QLatin1Char('/'), -1));
    QCOMPARE(tab.label("playErrorLabel"), QString());
    QCOMPARE(tab.shown(), stopped);

    // The player's own progress moves the handle without seeking.
    auto *slider = tab.get<QSlider>("playSoundSlider");
    QSignalSpy seeks(slider, &QSlider::valueChanged);
    tab.click("playSoundBtn");
    QTRY_COMPARE(tab.shown(), playing);
    // An MP3 without a header of its length tells its duration only once it plays.
    QTRY_VERIFY(tab.player()->duration() > 0);
    QCOMPARE(slider->maximum(), int(tab.player()->duration() / 100));
    QTRY_VERIFY(slider->value() >= 10);
    QCOMPARE(seeks.count(), 0);
    QVERIFY(tab.label("playPositionLabel").startsWith(QLatin1String("00:01 / 00:03")));
    tab.click("playSoundBtn");
    QTRY_COMPARE(tab.shown(), paused);

    // Dragged to 0.5 s, the player lands within one step of it.
    slider->setSliderDown(true);
    slider->setValue(5);
    slider->setSliderDown(false);
    QTRY_VERIFY(qAbs(tab.player()->position() - 500) < 100);
    QTRY_COMPARE(tab.label("playPositionLabel").left(5), QStringLiteral("00:00"));

    tab.click("stopSoundBtn");
    QTRY_COMPARE(tab.shown(), stopped);
    QTRY_COMPARE(slider->value(), 0);
    QCOMPARE(tab.player()->position(), qint64(0));
    QVERIFY(tab.label("playPositionLabel").startsWith(QLatin1String("00:00 / 00:03")));
}

void TestSoundPreview::brokenFileThenOthers()
{
    SoundTab tab;
    const QString broken = m_dir.filePath(QStringLiteral("broken.mp3"));
    QByteArray noise(4000, '\0');
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 7919 + 13) % 251);
    QVERIFY(testsupport::writeAll(broken, noise));
    QString why;
    if (tab.load(broken, &why) || !tab.player()->isAvailable())
        QSKIP("no media backend, or one that takes noise for sound");
    tab.click("playSoundBtn");
    QTRY_COMPARE(tab.label("playErrorLabel"), QStringLiteral("Ошибка открытия файла!"));
    QCOMPARE(tab.label("playNameLabel"), QStringLiteral("broken.mp3"));

    // Still usable: the next file plays, and loading another one stops it.
    if (!tab.load(m_wav, &why))
        QSKIP(qPrintable(why));
    QCOMPARE(tab.label("playErrorLabel"), QString());
    tab.click("playSoundBtn");
    QTRY_COMPARE(tab.shown(), playing);
    tab.form.soundPreview()->load(testsupport::dataPath("sound/beep.mp3"));
    QCOMPARE(tab.player()->state(), QMediaPlayer::StoppedState);
    QTRY_COMPARE(tab.label("playNameLabel"), QStringLiteral("beep.mp3"));
    QCOMPARE(tab.shown(), stopped);

    // Closing the route stops the sound as well.
    tab.click("playSoundBtn");
    QTRY_COMPARE(tab.shown(), playing);
    tab.form.closeRoute();
    QCOMPARE(tab.player()->state(), QMediaPlayer::StoppedState);
}

QTEST_MAIN(TestSoundPreview)
#include "tst_soundpreview.moc"
