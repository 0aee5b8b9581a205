// A route folder as a whole: loading, saving, the defaults of a new route.
#include "foldertree.h"
#include "route.h"
#include "testsupport.h"

#include "filetestsupport.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

QString dataDir(const QString &relative)
{
    return testsupport::dataPath(relative);
}

// The files of a route folder in the order the save writes them; the last lives in the ad folder.
const char *const savedFiles[] = {"12/ost.txt",    "12/coord.txt",   "12/sidetab.txt",
                                  "12/script.txt", "12/backtab.txt", "Ads/rscript.txt"};

// Every hand-made folder: the inputs of the board file cases, the saved new route and the
// bundled example. Each is a root holding the route folder "12" (or "route12") and its ads.
QStringList sampleFolders()
{
    QStringList folders;
    const QDir boards(dataDir(QStringLiteral("boardfiles")));
    for (const QString &name : boards.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        folders << boards.filePath(name) + QStringLiteral("/in");
    folders << dataDir(QStringLiteral("routefolder/newroute")) << QStringLiteral(TESSALY_EXAMPLES);
    return folders;
}

QString routeFolderIn(const QString &root)
{
    return root + (QFileInfo::exists(root + QStringLiteral("/12")) ? QStringLiteral("/12")
                                                                   : QStringLiteral("/route12"));
}

// Loads the route folder below root and saves it; the tree afterwards, or with `files` only
// those files.
QMap<QString, QByteArray> loadAndSave(const QString &root, bool *ok,
                                      const QStringList &files = QStringList())
{
    Route route;
    *ok = route.load(routeFolderIn(root)) && route.save();
    if (files.isEmpty())
        return foldertree::read(root);
    QMap<QString, QByteArray> tree;
    for (const QString &file : files)
        tree.insert(file, testsupport::readAll(root + QLatin1Char('/') + file));
    return tree;
}

QByteArray randomContent(QRandomGenerator &rng, const QByteArray &original)
{
    static const char *const tokens[] = {
        "\\\\",
        "\\",
        " ",
        "  ",
        "\r\n",
        "\n",
        "\r",
        ";",
        ":",
        "\"",
        "\\\"",
        ",",
        "_S",
        "_N",
        "_C",
        "_",
        "F0",
        "F",
        "R",
        "N",
        "S",
        "T ",
        "#",
        "0",
        "1",
        "7",
        "12",
        "-1",
        "STOP ",
        "END",
        "BT",
        "PATH_REKLAMA",
        "SM",
        "BR",
        "TABLO_FONT",
        "CYCLE_PLAY",
        "MARSH",
        "MARSH2",
        "WORD_ST",
        "WORD_NEXT_ST2",
        "TEMP_IN",
        " NEXTDELAY:",
        ".wav",
        ".txt",
        ".mp3",
        "a",
        "Пункт",
        "\xcf\xf3\xed\xea\xf2",
        "\xef\xbb\xbf",
        "\xe2\x80\x94",
        "55.5",
        "/",
        "..",
    };
    const int kinds = 3;
    QByteArray bytes;
    switch (rng.bounded(kinds)) {
    case 0: // noise
        bytes.resize(rng.bounded(400));
        for (char &c : bytes)
            c = char(rng.bounded(256));
        break;
    case 1: // pieces of the formats in random order
        for (int n = rng.bounded(80); n > 0; --n)
            bytes += rng.bounded(8) ? QByteArray(tokens[rng.bounded(int(std::size(tokens)))])
                                    : QByteArray(1, char(rng.bounded(256)));
        break;
    default: // a few edits of a sound file
        bytes = original;
        for (int n = 1 + rng.bounded(4); n > 0; --n) {
            const int at = rng.bounded(bytes.size() + 1);
            if (rng.bounded(2))
                bytes.insert(at, tokens[rng.bounded(int(std::size(tokens)))]);
            else
                bytes.remove(at, 1 + rng.bounded(8));
        }
        break;
    }
    return bytes;
}

} // namespace

class TestRouteFolder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::isolateSettings(); }

    void newRouteFirstSave_data();
    void newRouteFirstSave();
    void preconditions();
    void loadWithoutStationFile();
    void loadOnlyStationFile();
    void roundTrip_data();
    void roundTrip();
    void saveFailure_data();
    void saveFailure();
    void randomBytes();
};

void TestRouteFolder::newRouteFirstSave_data()
{
    QTest::addColumn<bool>("adFolder");
    QTest::newRow("no ad folder") << false;
    QTest::newRow("ad folder made before the save") << true;
}

void TestRouteFolder::newRouteFirstSave()
{
    QFETCH(bool, adFolder);
    QTemporaryDir tmp;
    const QString path = tmp.path() + QStringLiteral("/12");
    QVERIFY(QDir().mkpath(path));

    Route route;
    QVERIFY(route.newRoute(path));
    QCOMPARE(route.stationCount(), 4);
    QCOMPARE(route.adPath(), path + QStringLiteral("/Rek"));
    QCOMPARE(route.frontNumberColor(), QColor(0, 128, 0));
    QVERIFY(route.adTextFiles().isEmpty());
    QVERIFY(foldertree::read(path).isEmpty()); // nothing written before the save

    QMap<QString, QByteArray> expected =
        foldertree::read(dataDir(QStringLiteral("routefolder/newroute")));
    if (adFolder) {
        QVERIFY(QDir().mkpath(route.adPath()));
        expected.insert(QStringLiteral("12/Rek/"), QByteArray());
        expected.insert(QStringLiteral("12/Rek/rscript.txt"), QByteArray());
    }
    QVERIFY(route.save());
    const QStringList diffs = foldertree::differences(expected, foldertree::read(tmp.path()));
    QVERIFY2(diffs.isEmpty(), qPrintable(diffs.join(QLatin1Char('\n'))));
}

void TestRouteFolder::preconditions()
{
    QTemporaryDir tmp;
    Route empty;
    QVERIFY(!empty.load(QString()));
    QVERIFY(!empty.newRoute(QString()));
    QVERIFY(!empty.save());
    QVERIFY(empty.path().isEmpty());

    Route route;
    QVERIFY(route.newRoute(tmp.path() + QStringLiteral("/a/")));
    QCOMPARE(route.path(), tmp.path() + QStringLiteral("/a")); // never a trailing '/'
    QVERIFY(!route.newRoute(tmp.path() + QStringLiteral("/b")));
    QVERIFY(!route.load(dataDir(QStringLiteral("routefolder/newroute/12"))));
    QCOMPARE(route.path(), tmp.path() + QStringLiteral("/a"));
    QCOMPARE(route.stationCount(), 4);
    QCOMPARE(route.frontNumber(), QStringLiteral("1"));
}

void TestRouteFolder::loadWithoutStationFile()
{
    QTemporaryDir tmp;
    QVERIFY(testsupport::writeAll(tmp.filePath(QStringLiteral("sidetab.txt")), "9\\\\a\\\\b\\\\"));
    Route route(tmp.path());
    QVERIFY(route.path().isEmpty());
    QVERIFY(!route.load(tmp.path()));
    QVERIFY(route.path().isEmpty());
    QVERIFY(route.newRoute(tmp.path()));
    QCOMPARE(route.stationCount(), 4);
    QCOMPARE(route.sideNumber(), QStringLiteral("1"));
}

void TestRouteFolder::loadOnlyStationFile()
{
    QTemporaryDir tmp;
    QVERIFY(foldertree::copy(dataDir(QStringLiteral("boardfiles/onlyost/in")), tmp.path()));
    const Route route(tmp.path() + QStringLiteral("/12"));
    QCOMPARE(route.path(), tmp.path() + QStringLiteral("/12"));
    QCOMPARE(route.stationCount(), 3);
    QCOMPARE(route.salonTabloOrder(), QByteArray(defaultSalonTabloOrder));
    QCOMPARE(route.adPath(), tmp.path() + QStringLiteral("/Reklama"));
    QCOMPARE(route.nextDelay(), 5);
    QVERIFY(route.adTextFiles().isEmpty());
    QVERIFY(route.stationWord(0).isEmpty());
    QVERIFY(route.nextWord(0).isEmpty());
    QCOMPARE(route.sideNumber(), route.frontNumber());
    QCOMPARE(route.backDestination(0), route.frontDestination(0));
    QCOMPARE(route.station(2)->sideName(0), QStringLiteral("Остановка \"Депо\"."));
}

void TestRouteFolder::roundTrip_data()
{
    QTest::addColumn<QString>("folder");
    for (const QString &folder : sampleFolders())
        QTest::newRow(qPrintable(folder.section(QLatin1Char('/'), -2))) << folder;
}

// Load, save, load, save: the second save writes what the first wrote; so does saving twice.
void TestRouteFolder::roundTrip()
{
    QFETCH(QString, folder);
    QTemporaryDir tmp;
    QVERIFY(foldertree::copy(folder, tmp.path()));
    Route route(routeFolderIn(tmp.path()));
    QVERIFY(route.stationCount() > 0);
    QVERIFY(route.save());
    const QMap<QString, QByteArray> first = foldertree::read(tmp.path());
    QVERIFY(route.save());
    QVERIFY(foldertree::differences(first, foldertree::read(tmp.path())).isEmpty());

    bool ok = false;
    const QStringList diffs = foldertree::differences(first, loadAndSave(tmp.path(), &ok));
    QVERIFY(ok);
    QVERIFY2(diffs.isEmpty(), qPrintable(diffs.join(QLatin1Char('\n'))));
}

void TestRouteFolder::saveFailure_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("file");
    for (const char *file : savedFiles)
        QTest::newRow(qPrintable(QStringLiteral("directory in place of ") + file))
            << "directory" << file;
    QTest::newRow("disk full at script.txt") << "full"
                                             << "12/script.txt";
    QTest::newRow("read-only file") << "read-only file"
                                    << "12/coord.txt";
    QTest::newRow("read-only folder") << "read-only folder"
                                      << "12";
    QTest::newRow("folder removed after loading") << "removed"
                                                  << "12";
    QTest::newRow("relative link out of the folder") << "relative link"
                                                     << "12/coord.txt";
    QTest::newRow("absolute link out of the folder") << "absolute link"
                                                     << "12/coord.txt";
    QTest::newRow("dangling link") << "dangling link"
                                   << "12/sidetab.txt";
    QTest::newRow("ad list linked out of the ad folder") << "relative link"
                                                         << "Ads/rscript.txt";
}

// Every write fault leaves the folder as it was: save reports failure, no old file is
// replaced (not even those before the failing one), no temporary file stays, and nothing is
// written through a link to outside the folder.
void TestRouteFolder::saveFailure()
{
    QFETCH(QString, fault);
    QFETCH(QString, file);
    const bool root = ::geteuid() == 0;
    if (root && fault.startsWith(QLatin1String("read-only")))
        QSKIP("Root writes through read-only permissions; RLIMIT_FSIZE and the other rows "
              "cover failing writes.");

    QTemporaryDir tmp;
    QVERIFY(foldertree::copy(dataDir(QStringLiteral("boardfiles/utf8/in")), tmp.path()));
    const QString outside = tmp.filePath(QStringLiteral("outside.txt"));
    QVERIFY(testsupport::writeAll(outside, "not part of the route\r\n"));
    Route route(tmp.path() + QStringLiteral("/12"));
    QCOMPARE(route.stationCount(), 2);
    route.setRouteText(0, QStringLiteral("changed"));

    const QString target = tmp.filePath(file);
    const QString folder = QFileInfo(target).absolutePath();
    if (fault == QLatin1String("directory")) {
        QVERIFY(QFile::remove(target));
        QVERIFY(QDir().mkdir(target));
    } else if (fault.endsWith(QLatin1String("link"))) {
        QVERIFY(QFile::remove(target));
        const QString to = fault.startsWith(QLatin1String("relative"))
                               ? QDir(folder).relativeFilePath(outside)
                           : fault.startsWith(QLatin1String("absolute")) ? outside
                                                                         : QStringLiteral("none/x");
        QVERIFY(QFile::link(to, target));
    } else if (fault.startsWith(QLatin1String("read-only"))) {
        QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::ExeOwner));
    } else if (fault == QLatin1String("removed")) {
        QVERIFY(QDir(target).removeRecursively());
    }
    const QMap<QString, QByteArray> before = foldertree::read(tmp.path());

    bool saved = true;
    if (fault == QLatin1String("full")) {
        route.setRouteText(0, QString(400, QLatin1Char('x')));
        testsupport::FileSizeLimit limit(300); // ost.txt, coord.txt and sidetab.txt fit
        saved = route.save();
    } else {
        saved = route.save();
    }
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!saved);
    const QStringList diffs = foldertree::differences(before, foldertree::read(tmp.path()));
    QVERIFY2(diffs.isEmpty(), qPrintable(diffs.join(QLatin1Char('\n'))));
}

// Random bytes in any one of the six files: loading and saving never fails or crashes, and
// what was saved loads and saves to the same bytes.
void TestRouteFolder::randomBytes()
{
    const QString in = dataDir(QStringLiteral("boardfiles/utf8/in"));
    const QMap<QString, QByteArray> original = foldertree::read(in);
    // Every save syncs its files to disk; memory-backed storage keeps thousands of them quick.
    const QString shm = QStringLiteral("/dev/shm");
    QTemporaryDir tmp(QFileInfo(shm).isWritable() ? shm + QStringLiteral("/tessaly-XXXXXX")
                                                  : QDir::tempPath() + QStringLiteral("/XXXXXX"));
    QVERIFY(tmp.isValid());
    QRandomGenerator rng(20261207);
    const int perFile = 200;
    QStringList failures;
    QStringList saved;
    for (const char *file : savedFiles)
        saved << QString::fromLatin1(file);
    QVERIFY(foldertree::copy(in, tmp.path()));
    for (int round = 0; round < perFile; ++round) {
        for (const char *file : savedFiles) {
            const QString name = QString::fromLatin1(file);
            const QByteArray bytes = randomContent(rng, original.value(name));
            for (const char *other : savedFiles) {
                const QString path = tmp.filePath(QString::fromLatin1(other));
                QVERIFY(testsupport::writeAll(path, other == file ? bytes : original.value(other)));
            }

            bool ok = false;
            const QMap<QString, QByteArray> first = loadAndSave(tmp.path(), &ok, saved);
            QVERIFY(ok);
            const QStringList diffs =
                foldertree::differences(first, loadAndSave(tmp.path(), &ok, saved));
            QVERIFY(ok);
            if (!diffs.isEmpty())
                failures << name + QStringLiteral(" = ") +
                                QString::fromLatin1(bytes.toPercentEncoding()) + QLatin1Char('\n') +
                                diffs.join(QLatin1Char('\n'));
        }
    }
    QVERIFY2(failures.isEmpty(),
             qPrintable(QString::number(failures.size()) + QStringLiteral(" unstable, e.g. ") +
                        failures.mid(0, 8).join(QStringLiteral("\n\n"))));
}

QTEST_GUILESS_MAIN(TestRouteFolder)
#include "tst_routefolder.moc"
