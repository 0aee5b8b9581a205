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

bool showsIcon(const QAbstractButton *button, const char *name)
{
    return button->icon().pixmap(32, 32).toImage() ==
           QIcon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(name)))
               .pixmap(32, 32)
               .toImage();
}

// The sound tab of a form, shown, with its controls at hand.
struct SoundTab
{
    SoundTab()
    {
        form.findChild<QTabWidget *>(QStringLiteral("stationTabs"))
            ->setCurrentIndex(RouteForm::SoundTab);
        form.show();
    }
    template <typename T> T *get(const char *name)
    {
        return form.findChild<T *>(QLatin1String(name));
    }
    QMediaPlayer *player() { return form.soundPreview()->player(); }
    void click(const char *button) { QTest::mouseClick(get<QToolButton>(button), Qt::LeftButton); }
    // "playing", "paused" or "stopped" as far as the two buttons show it.
    QString shown()
    {
        auto *play = get<QToolButton>("playSoundBtn");
        const bool stop = get<QToolButton>("stopSoundBtn")->isEnabled();
        if (showsIcon(play, "pause"))
            return stop ? "playing" : "pause icon without stop";
        return stop ? "paused" : "stopped";
    }
    QString label(const char *name) { return get<QLabel>(name)->text(); }

    RouteForm form;
};

} // namespace

class TestSoundPreview : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void timeText_data();
    void timeText();
    void noPlayerUntilLoaded();
    void plays_data();
    void plays();
    void corruptFileAndNextSelection();

private:
    // Loads and waits until the backend knows the duration; false (with the reason) when
    // this machine's backend cannot decode the file.
    bool loadPlayable(SoundTab &tab, const QString &path, QString *why);

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

void TestSoundPreview::timeText_data()
{
    QTest::addColumn<qint64>("position");
    QTest::addColumn<qint64>("duration");
    QTest::addColumn<QString>("text");
    QTest::newRow("nothing") << qint64(0) << qint64(0) << "00:00 / 00:00";
    QTest::newRow("65 s of 150 s") << qint64(65000) << qint64(150000) << "01:05 / 02:30";
    QTest::newRow("under a second") << qint64(999) << qint64(59999) << "00:00 / 00:59";
    QTest::newRow("long") << qint64(6000000) << qint64(36061000) << "100:00 / 601:01";
}

void TestSoundPreview::timeText()
{
    QFETCH(qint64, position);
    QFETCH(qint64, duration);
    QFETCH(QString, text);
    QCOMPARE(SoundPreview::timeText(position, duration), text);
}

void TestSoundPreview::noPlayerUntilLoaded()
{
    SoundTab tab;
    tab.click("playSoundBtn");
    tab.get<QSlider>("playSoundSlider")->setValue(3);
    tab.form.stopPlaying();
    QVERIFY(!tab.player());
    QCOMPARE(tab.shown(), QStringLiteral("stopped"));
    QCOMPARE(tab.label("playPositionLabel"), QStringLiteral("0:00 / 0:00"));
}

bool TestSoundPreview::loadPlayable(SoundTab &tab, const QString &path, QString *why)
{
    tab.form.soundPreview()->load(path);
    QMediaPlayer *player = tab.player();
    if (!player->isAvailable()) {
        *why = QStringLiteral("no media backend on this machine");
        return false;
    }
    const auto settled = [player] {
        return player->mediaStatus() == QMediaPlayer::LoadedMedia ||
               player->mediaStatus() == QMediaPlayer::InvalidMedia;
    };
    if (QTest::qWaitFor(settled, 5000) && player->mediaStatus() == QMediaPlayer::LoadedMedia)
        return true;
    *why = QStringLiteral("the media backend cannot decode %1: %2")
               .arg(path.section(QLatin1Char('.'), -1), player->errorString());
    return false;
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
    QString why;
    if (!loadPlayable(tab, path, &why))
        QSKIP(qPrintable(why));
    QMediaPlayer *player = tab.player();
    auto *slider = tab.get<QSlider>("playSoundSlider");
    QCOMPARE(tab.label("playNameLabel"), path.section(QLatin1Char('/'), -1));
    QCOMPARE(tab.label("playErrorLabel"), QString());
    QCOMPARE(tab.shown(), QStringLiteral("stopped"));

    // The player's own progress moves the handle without seeking.
    QSignalSpy seeks(slider, &QSlider::valueChanged);
    tab.click("playSoundBtn");
    QTRY_COMPARE(tab.shown(), QStringLiteral("playing"));
    // An MP3 without a header of its length tells its duration only once it plays.
    QTRY_VERIFY(player->duration() > 0);
    QCOMPARE(slider->maximum(), int(player->duration() / 100));
    QTRY_VERIFY(slider->value() >= 10);
    QCOMPARE(seeks.count(), 0);
    QVERIFY(tab.label("playPositionLabel").startsWith(QLatin1String("00:01 / 00:03")));

    tab.click("playSoundBtn");
    QTRY_COMPARE(tab.shown(), QStringLiteral("paused"));

    // Dragged to 0.5 s, the player lands within one step of it.
    slider->setSliderDown(true);
    slider->setValue(5);
    slider->setSliderDown(false);
    QTRY_VERIFY(qAbs(player->position() - 500) < 100);
    QTRY_COMPARE(tab.label("playPositionLabel").left(5), QStringLiteral("00:00"));

    tab.click("stopSoundBtn");
    QTRY_COMPARE(tab.shown(), QStringLiteral("stopped"));
    QTRY_COMPARE(slider->value(), 0);
    QCOMPARE(player->position(), qint64(0));
    QVERIFY(tab.label("playPositionLabel").startsWith(QLatin1String("00:00 / 00:03")));
}

void TestSoundPreview::corruptFileAndNextSelection()
{
    SoundTab tab;
    const QString corrupt = m_dir.filePath(QStringLiteral("broken.mp3"));
    QByteArray noise(4000, '\0');
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 7919 + 13) % 251);
    QVERIFY(testsupport::writeAll(corrupt, noise));
    tab.form.soundPreview()->load(corrupt);
    if (!tab.player()->isAvailable())
        QSKIP("no media backend on this machine");
    tab.click("playSoundBtn");
    QTRY_COMPARE(tab.label("playErrorLabel"), QStringLiteral("Ошибка открытия файла!"));
    QCOMPARE(tab.label("playNameLabel"), QStringLiteral("broken.mp3"));

    // Still usable: the next file plays, and selecting another one stops it.
    QString why;
    if (!loadPlayable(tab, m_wav, &why))
        QSKIP(qPrintable(why));
    QCOMPARE(tab.label("playErrorLabel"), QString());
    tab.click("playSoundBtn");
    QTRY_COMPARE(tab.shown(), QStringLiteral("playing"));
    const QString mp3 = testsupport::dataPath("sound/beep.mp3");
    tab.form.soundPreview()->load(mp3);
    QCOMPARE(tab.player()->state(), QMediaPlayer::StoppedState);
    QTRY_COMPARE(tab.label("playNameLabel"), QStringLiteral("beep.mp3"));
    QCOMPARE(tab.shown(), QStringLiteral("stopped"));

    // Closing the route stops the sound as well.
    tab.click("playSoundBtn");
    QTRY_COMPARE(tab.shown(), QStringLiteral("playing"));
    tab.form.closeRoute();
    QCOMPARE(tab.player()->state(), QMediaPlayer::StoppedState);
}

QTEST_MAIN(TestSoundPreview)
#include "tst_soundpreview.moc"
