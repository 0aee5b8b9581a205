// Route folders under a crash, hostile files and missing permissions: never half-written,
// never hung, never replaced by defaults.
#include "filetestsupport.h"
#include "foldertree.h"
#include "route.h"
#include "routefilereader.h"
#include "routefilewriter.h"
#include "routeform.h"
#include "testsupport.h"

#include <QElapsedTimer>
#include <QLocalServer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const int stoppedCode = 3;

// Child: loads the route, changes every one of its six files and saves, stopping the whole
// process at save step `stopAt` (0: never).
int saveChild(const QString &folder, int stopAt)
{
    static int steps = 0;
    static int stop = 0;
    stop = stopAt;
    Route route(folder);
    route.setRouteText(0, QStringLiteral("new"));
    route.setBackNumber(QStringLiteral("99"));
    route.setSideNumber(QStringLiteral("98"));
    route.insertStation(route.stationCount());
    route.adTextFiles().append(QStringLiteral("new.txt"));
    RouteFileWriter::stepHook = [](const char *) {
        if (++steps == stop)
            ::_exit(stoppedCode);
    };
    QString why;
    if (route.save(&why))
        return 0;
    QTextStream(stderr) << why << '\n';
    return 1;
}

// Child: opens the folder in a form, answering every box; prints what it saw.
int openChild(const QString &folder)
{
    RouteForm form;
    testsupport::BoxAnswerer boxes;
    const bool opened = form.openRoute(folder);
    QTextStream out(stdout);
    out << (opened ? "opened" : "refused") << '\n'
        << boxes.otherBoxes.join('\n') << '\n'
        << boxes.otherDetails.join('\n') << '\n';
    return 0;
}

QString self()
{
    return QCoreApplication::applicationFilePath();
}

// The route below the sample, with its ad folder "Ads".
QString copySample(const QTemporaryDir &tmp)
{
    return foldertree::copy(testsupport::dataPath(QStringLiteral("boardfiles/utf8/in")), tmp.path())
               ? tmp.path() + QStringLiteral("/12")
               : QString();
}

int run(const QString &program, const QStringList &args, QByteArray *out = nullptr,
        qint64 *ms = nullptr)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::SeparateChannels);
    QElapsedTimer clock;
    clock.start();
    p.start(program, args);
    // Only a guard against a hang; the times are printed, not judged.
    if (!p.waitForFinished(20000)) {
        p.kill();
        p.waitForFinished();
        return -1;
    }
    if (ms)
        *ms = clock.elapsed();
    if (out)
        *out = p.readAllStandardOutput() + p.readAllStandardError();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
}

} // namespace

class TestRouteFileSafety : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::isolateSettings(); }
    void interruptedSave();
    void unreadableFile_data();
    void unreadableFile();
    void hostileFiles_data();
    void hostileFiles();
};

// Stopped after every write, sync and rename of the save: reopening gives the old folder or
// the new one, byte for byte, with no temporary file.
void TestRouteFileSafety::interruptedSave()
{
    QTemporaryDir oldDir;
    QTemporaryDir newDir;
    QVERIFY(!copySample(oldDir).isEmpty());
    const QString newRoute = copySample(newDir);
    const QMap<QString, QByteArray> before = foldertree::read(oldDir.path());
    QByteArray out;
    QVERIFY2(run(self(), {"--child", "save", newRoute, "0"}, &out) == 0, out.constData());
    const QMap<QString, QByteArray> after = foldertree::read(newDir.path());
    for (const char *name : {"12/ost.txt", "12/coord.txt", "12/sidetab.txt", "12/script.txt",
                             "12/backtab.txt", "Ads/rscript.txt"})
        QVERIFY2(before.value(name) != after.value(name), name);

    int completed = 0;
    int rolledBack = 0;
    int stop = 1;
    for (;; ++stop) {
        QTemporaryDir tmp;
        const QString route = copySample(tmp);
        const int code = run(self(), {"--child", "save", route, QString::number(stop)});
        if (code == 0)
            break;
        QCOMPARE(code, stoppedCode);
        Route reopened(route);
        QVERIFY(!reopened.path().isEmpty());
        completed += reopened.recovery() == SaveJournal::Completed;
        rolledBack += reopened.recovery() == SaveJournal::RolledBack;
        const QMap<QString, QByteArray> tree = foldertree::read(tmp.path());
        const QStringList toOld = foldertree::differences(before, tree);
        const QStringList toNew = foldertree::differences(after, tree);
        QVERIFY2(toOld.isEmpty() || toNew.isEmpty(),
                 qPrintable(QStringLiteral("stopped at step %1:\n").arg(stop) + toOld.join('\n') +
                            QStringLiteral("\n--\n") + toNew.join('\n')));
    }
    qInfo("%d steps: %d completed on opening, %d rolled back", stop - 1, completed, rolledBack);
    QVERIFY(stop > 20);
    QVERIFY(completed > 0 && rolledBack > 0);
}

void TestRouteFileSafety::unreadableFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("ost.txt") << "12/ost.txt";
    QTest::newRow("coord.txt") << "12/coord.txt";
    QTest::newRow("the ad folder's rscript.txt") << "Ads/rscript.txt";
}

// Run as a user without read permission: the folder is not opened as a new route, nothing
// is written, and the message names the file.
void TestRouteFileSafety::unreadableFile()
{
    QFETCH(QString, file);
    if (::geteuid() != 0)
        QSKIP("Needs root to run the form as the user nobody.");
    if (QStandardPaths::findExecutable(QStringLiteral("runuser")).isEmpty())
        QSKIP("No runuser to run the form as another user.");
    QTemporaryDir tmp;
    const QString route = copySample(tmp);
    QVERIFY(!route.isEmpty());
    // Everything writable for nobody, so that a save of defaults would show.
    for (const QString &dir : {tmp.path(), route, tmp.path() + QStringLiteral("/Ads")})
        QVERIFY(::chmod(QFile::encodeName(dir).constData(), 0777) == 0);
    QVERIFY(::chmod(QFile::encodeName(tmp.filePath(file)).constData(), 0) == 0);
    const QMap<QString, QByteArray> before = foldertree::read(tmp.path());

    QByteArray out;
    const QString home = tmp.path();
    const int code =
        run(QStringLiteral("runuser"),
            {"-u", "nobody", "--", "env", "HOME=" + home, self(), "--child", "open", route}, &out);
    QVERIFY2(code == 0, out.constData());
    const QString text = QString::fromUtf8(out);
    QVERIFY2(text.startsWith(QStringLiteral("refused\nМаршрут не открыт")), qPrintable(text));
    QVERIFY2(text.contains(tmp.filePath(file) + QStringLiteral(": ")), qPrintable(text));
    QVERIFY(foldertree::differences(before, foldertree::read(tmp.path())).isEmpty());

    // The command line says the same.
    QVERIFY(QFile::exists(QStringLiteral(TESSALY_EXECUTABLE)));
    QCOMPARE(
        run(QStringLiteral("runuser"),
            {"-u", "nobody", "--", "env", "HOME=" + home, TESSALY_EXECUTABLE, "--check", route},
            &out),
        2);
    QVERIFY2(QString::fromUtf8(out).contains(tmp.filePath(file)), out.constData());
}

void TestRouteFileSafety::hostileFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("kind");
    QTest::newRow("pipe as ost.txt") << "12/ost.txt"
                                     << "pipe";
    QTest::newRow("pipe as coord.txt") << "12/coord.txt"
                                       << "pipe";
    QTest::newRow("pipe as editor.ini") << "12/editor.ini"
                                        << "pipe";
    QTest::newRow("pipe as the ad folder's rscript.txt") << "Ads/rscript.txt"
                                                         << "pipe";
    QTest::newRow("ost.txt a link to /dev/zero") << "12/ost.txt"
                                                 << "/dev/zero";
    QTest::newRow("sidetab.txt a link to /dev/urandom") << "12/sidetab.txt"
                                                        << "/dev/urandom";
    QTest::newRow("script.txt a directory") << "12/script.txt"
                                            << "directory";
    QTest::newRow("ost.txt over its limit") << "12/ost.txt"
                                            << "oversized";
    QTest::newRow("backtab.txt a socket") << "12/backtab.txt"
                                          << "socket";
}

// Refused at once, naming the file, by the command line in both forms and by the window.
void TestRouteFileSafety::hostileFiles()
{
    QFETCH(QString, file);
    QFETCH(QString, kind);
    QTemporaryDir tmp;
    const QString route = copySample(tmp);
    QVERIFY(!route.isEmpty());
    const QString path = tmp.filePath(file);
    QFile::remove(path);
    QLocalServer socket;
    if (kind == QLatin1String("pipe")) {
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0644) == 0);
    } else if (kind.startsWith(QLatin1String("/dev/"))) {
        QVERIFY(QFile::link(kind, path));
    } else if (kind == QLatin1String("directory")) {
        QVERIFY(QDir().mkdir(path));
    } else if (kind == QLatin1String("socket")) {
        QVERIFY(socket.listen(path));
    } else {
        QFile big(path);
        QVERIFY(big.open(QIODevice::WriteOnly) && big.write("1\\\\A\\\\B\r\n") > 0);
        QVERIFY(big.resize(RouteFileReader::sizeLimit(QStringLiteral("ost.txt")) + 1));
    }

    for (const QStringList &args :
         {QStringList{"--check", route}, QStringList{"--check", "--json", route}}) {
        QByteArray out;
        qint64 ms = 0;
        QCOMPARE(run(QStringLiteral(TESSALY_EXECUTABLE), args, &out, &ms), 2);
        QVERIFY2(QString::fromUtf8(out).contains(path), out.constData());
        qInfo("%s: %lld ms", qPrintable(args.join(' ').remove(route)), ms);
    }

    QByteArray out;
    QCOMPARE(run(self(), {"--child", "open", route}, &out), 0);
    QVERIFY2(out.startsWith("refused\n") && QString::fromUtf8(out).contains(path), out.constData());
}

int main(int argc, char *argv[])
{
    if (argc >= 4 && qstrcmp(argv[1], "--child") == 0) {
        QApplication app(argc, argv);
        const QString folder = QString::fromLocal8Bit(argv[3]);
        const int code = qstrcmp(argv[2], "save") == 0 && argc == 5
                             ? saveChild(folder, QByteArray(argv[4]).toInt())
                             : openChild(folder);
        // Leaks are the parent's to check: the platform plugin's own would fail the child.
        std::fflush(stdout);
        std::fflush(stderr);
        ::_exit(code);
    }
    QApplication app(argc, argv);
    TestRouteFileSafety test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_routefilesafety.moc"
