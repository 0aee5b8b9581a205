// Every input kept from fuzzing (seeds, findings, corpus) replayed through its fuzz target.
#include "fuzztargets.h"
#include "testsupport.h"

#include <QDirIterator>
#include <QtTest>

class TestFuzzReplay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::isolateSettings(); }

    void replay_data()
    {
        QTest::addColumn<int>("target");
        for (int i = 0; i < fuzzTargetCount; ++i)
            QTest::newRow(fuzzTargets[i].name) << i;
    }
    void replay()
    {
        QFETCH(int, target);
        const FuzzTarget &t = fuzzTargets[target];
        QDirIterator it(QStringLiteral(TESSALY_FUZZ_CORPUS "/") + QLatin1String(t.name),
                        QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        int inputs = 0;
        QStringList failures;
        while (it.hasNext()) {
            const QString path = it.next();
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString failure = t.run(file.readAll());
            if (!failure.isEmpty())
                failures << it.fileName() + QStringLiteral(": ") + failure;
            ++inputs;
        }
        QVERIFY2(inputs > 0, "no corpus for this target");
        QVERIFY2(failures.isEmpty(), qPrintable(failures.mid(0, 5).join(QLatin1Char('\n'))));
    }
};

QTEST_GUILESS_MAIN(TestFuzzReplay)
#include "tst_fuzzreplay.moc"
