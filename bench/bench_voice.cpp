// Voicing the 2,000-stop route through the dialog: seconds of speech made per second of work,
// and how long the GUI thread is held up meanwhile.
#include "benchsupport.h"
#include "bigroute.h"
#include "routeform.h"
#include "testsupport.h"
#include "voicedialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

#include <algorithm>
#include <cstdio>

class BenchVoice : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::isolateSettings(); }
    void voiceBigRoute();
};

void BenchVoice::voiceBigRoute()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big"));
    QVERIFY(bigroute::write(path));
    RouteForm form;
    form.setNextStopAsker([](bool yes) { return yes; });
    form.openRoute(path);
    form.show();

    VoiceDialog dialog(&form);
    dialog.show();
    dialog.findChild<QRadioButton *>(QStringLiteral("allStopsRadio"))->setChecked(true);
    dialog.findChild<QCheckBox *>(QStringLiteral("replaceCheck"))->setChecked(true);

    // Gaps between ticks of a 5 ms timer on the GUI thread, with the time they ended.
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    QVector<QPair<qint64, qint64>> gaps;
    QTimer tick;
    connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        gaps.append({now - last, now});
        last = now;
    });
    tick.start(5);

    const double cpuStart = benchsupport::cpuNow();
    QElapsedTimer work;
    work.start();
    dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    const double seconds = work.nsecsElapsed() / 1e9;
    const double cpu = (benchsupport::cpuNow() - cpuStart) / 1e3;
    tick.stop();
    const VoiceOutcome &outcome = dialog.outcome();
    QVERIFY(outcome.ok());
    QCOMPARE(form.undoStack()->count(), 1);

    // The last gap holds the attaching of the files, one undo step on the GUI thread.
    const qint64 attach = gaps.isEmpty() ? 0 : gaps.last().first;
    qint64 stall = 0;
    for (int i = 1; i + 1 < gaps.size(); ++i)
        stall = std::max(stall, gaps.at(i).first);
    std::printf("voice %d stops: %d files, %.0f s of speech in %.1f s (%.1f s CPU): %.0fx real "
                "time; longest GUI-thread stall while speaking %lld ms; attaching %lld ms\n",
                form.route().stationCount(), int(outcome.written.size()), outcome.seconds, seconds,
                cpu, outcome.seconds / seconds, stall, attach);
}

QTEST_MAIN(BenchVoice)
#include "bench_voice.moc"
