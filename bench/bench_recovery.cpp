// Keeping the recovery copy of the 2,000-station route: the serialising on the GUI thread, the
// write on the writer's thread, and the longest stall of the GUI thread while typing with the
// copy kept every second. Also how old the newest edit lost in a crash can be.
#include "bigroute.h"
#include "recoverystore.h"
#include "recoverywriter.h"
#include "routeform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>

class BenchRecovery : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(bigroute::write(m_dir.path() + QStringLiteral("/big")));
    }

    void copyCost()
    {
        const Route route(m_dir.path() + QStringLiteral("/big"));
        QVector<qint64> serialise, write;
        for (int i = 0; i < 20; ++i) {
            QElapsedTimer t;
            t.start();
            const Route::FileMap files = route.fileBytes();
            serialise << t.nsecsElapsed();
            t.restart();
            RecoveryStore::write(route.path(), files);
            write << t.nsecsElapsed();
        }
        std::sort(serialise.begin(), serialise.end());
        std::sort(write.begin(), write.end());
        int bytes = 0;
        for (const QByteArray &b : route.fileBytes())
            bytes += b.size();
        qInfo("recovery copy of 2,000 stations: %d bytes; serialise (GUI thread) median %.2f ms, "
              "max %.2f ms; write (writer thread) median %.2f ms, max %.2f ms",
              bytes, serialise[10] / 1e6, serialise.last() / 1e6, write[10] / 1e6,
              write.last() / 1e6);
        RecoveryStore::remove(route.path());
    }

    // Ten seconds of typing, a letter every 60 ms and Return every tenth: the longest gap
    // between two ticks of a 1 ms timer is the longest the GUI thread was away.
    void stallsWhileTyping_data()
    {
        QTest::addColumn<bool>("kept");
        QTest::newRow("copy kept") << true;
        // A read-only form keeps no copy: the keystrokes' own share of the gaps.
        QTest::newRow("no copy") << false;
    }
    void stallsWhileTyping()
    {
        QFETCH(bool, kept);
        RouteForm form;
        form.setReadOnly(!kept);
        form.setNextStopAsker([](bool defaultYes) { return defaultYes; });
        form.openRoute(m_dir.path() + QStringLiteral("/big"));
        form.show();
        QApplication::setActiveWindow(&form);
        auto *edit = form.findChild<QLineEdit *>(QStringLiteral("routeTextEdit"));
        edit->setFocus();
        QElapsedTimer clock;
        clock.start();
        qint64 last = 0;
        QVector<qint64> gaps;
        QTimer tick;
        tick.setTimerType(Qt::PreciseTimer);
        connect(&tick, &QTimer::timeout, [&] {
            const qint64 now = clock.nsecsElapsed();
            gaps << now - last;
            last = now;
        });
        int typed = 0;
        QTimer keys;
        connect(&keys, &QTimer::timeout, [&] {
            if (++typed % 10 == 0) {
                QTest::keyClick(edit, Qt::Key_Return);
            } else {
                QTest::keyClick(edit, Qt::Key_A);
            }
        });
        QTimer::singleShot(0, [&] {
            last = clock.nsecsElapsed();
            tick.start(1);
            keys.start(60);
        });
        QTest::qWait(10000);
        tick.stop();
        keys.stop();
        std::sort(gaps.begin(), gaps.end());
        qInfo("typing on 2,000 stations, %s: %d ticks, longest gap %.2f ms, "
              "99th percentile %.2f ms",
              QTest::currentDataTag(), gaps.size(), gaps.last() / 1e6,
              gaps[gaps.size() * 99 / 100] / 1e6);
        qInfo("newest edit lost in a crash: at most %d ms after it was pushed, plus the write",
              RouteForm::recoveryDelay);
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(BenchRecovery)
#include "bench_recovery.moc"
