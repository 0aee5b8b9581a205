// What the sound preview costs. The player is made on the first load, not with the form: the
// first player of a run loads the media framework, which the opening of a form need not wait for.
#include "routeform.h"
#include "soundpreview.h"
#include "testsupport.h"

#include <QElapsedTimer>
#include <QMediaPlayer>
#include <QScopedPointer>
#include <QTemporaryDir>
#include <QTest>

class BenchSoundPreview : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    // One-time costs of a run, timed once by hand: a repeated benchmark would time the later,
    // cheaper rounds.
    void firstFormOfTheRun();
    void firstLoadOfTheRun();
    void form();
    void player();
    void nextLoad();

private:
    QTemporaryDir m_dir;
    QString m_wav[2];
    QScopedPointer<RouteForm> m_form;
    QElapsedTimer m_timer;
};

void BenchSoundPreview::initTestCase()
{
    testsupport::isolateSettings();
    qputenv("QT_GSTREAMER_PLAYBIN_AUDIOSINK", "fakesink");
    QVERIFY(m_dir.isValid());
    for (int i = 0; i < 2; ++i) {
        m_wav[i] = m_dir.filePath(QStringLiteral("%1.wav").arg(i));
        QVERIFY(testsupport::writeAll(m_wav[i], testsupport::silentWav(1 + i)));
    }
}

void BenchSoundPreview::firstFormOfTheRun()
{
    m_timer.start();
    m_form.reset(new RouteForm);
    QTest::setBenchmarkResult(m_timer.nsecsElapsed() / 1e6, QTest::WalltimeMilliseconds);
}

void BenchSoundPreview::firstLoadOfTheRun()
{
    m_timer.start();
    m_form->soundPreview()->load(m_wav[0]);
    QTest::setBenchmarkResult(m_timer.nsecsElapsed() / 1e6, QTest::WalltimeMilliseconds);
}

void BenchSoundPreview::form()
{
    QBENCHMARK
    {
        RouteForm form;
    }
}

void BenchSoundPreview::player()
{
    QBENCHMARK
    {
        QMediaPlayer player;
    }
}

void BenchSoundPreview::nextLoad()
{
    int i = 1;
    QBENCHMARK
    {
        m_form->soundPreview()->load(m_wav[i]);
        i = 1 - i;
    }
}

QTEST_MAIN(BenchSoundPreview)
#include "bench_soundpreview.moc"
