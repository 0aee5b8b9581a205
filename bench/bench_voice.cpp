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

    // Gaps between ticks of a 5 ms timer on the GUI thread, and the GUI thread's own CPU time
    // in each: on a loaded machine a gap may be the scheduler's, not the program's.
    const auto threadCpu = [] {
        timespec t;
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return t.tv_sec * 1000 + t.tv_nsec / 1000000;
    };
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    qint64 lastCpu = threadCpu();
    QVector<QPair<qint64, qint64>> gaps; // wall, GUI thread CPU
    gaps.reserve(100000);
    QTimer tick;
    connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        const qint64 cpuNow = threadCpu();
        gaps.append({now - last, cpuNow - lastCpu});
        last = now;
        lastCpu = cpuNow;
    });
    tick.start(5);

    const double cpuStart = benchsupport::cpuNow();
    QElapsedTimer work;
    work.start();
    dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    const double seconds = work.nsecsElapsed() / 1e9;
    // From the last tick: the end of the batch, attaching the files as one undo step.
    const qint64 attach = clock.elapsed() - last;
    const double cpu = (benchsupport::cpuNow() - cpuStart) / 1e3;
    tick.stop();
    const VoiceOutcome &outcome = dialog.outcome();
    QVERIFY(outcome.ok());
    QCOMPARE(form.undoStack()->count(), 1);

    QVector<qint64> stalls;
    qint64 busiest = 0;
    for (int i = 1; i < gaps.size(); ++i) {
        stalls << gaps.at(i).first;
        busiest = std::max(busiest, gaps.at(i).second);
    }
    std::sort(stalls.begin(), stalls.end());
    const qint64 stall = stalls.isEmpty() ? 0 : stalls.last();
    const qint64 p99 = stalls.isEmpty() ? 0 : stalls.at(stalls.size() * 99 / 100);
    int over50 = 0;
    for (qint64 s : stalls)
        over50 += s > 50;
    std::printf("voice %d stops: %d files, %.0f s of speech in %.1f s (%.1f s CPU): %.0fx real "
                "time (%.0fx per CPU second)\n"
                "GUI thread while speaking (5 ms ticks): longest gap %lld ms, 99th percentile "
                "%lld ms, %d gaps over 50 ms; most GUI-thread CPU in one gap %lld ms\n"
                "end of batch and attaching the files (one undo step): %lld ms\n",
                form.route().stationCount(), int(outcome.written.size()), outcome.seconds, seconds,
                cpu, outcome.seconds / seconds, outcome.seconds / cpu, stall, p99, over50, busiest,
                attach);
}

QTEST_MAIN(BenchVoice)
#include "bench_voice.moc"
