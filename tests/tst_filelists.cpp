#include "filelistrules.h"
#include "filemanager.h"
#include "testsupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(AdFolderChoice)

namespace {

// Makes the named files (a trailing "/" makes a folder) in dir.
void makeFiles(const QString &dir, const QStringList &names)
{
    for (const QString &name : names) {
        if (name.endsWith(QLatin1Char('/')))
            QVERIFY(QDir(dir).mkpath(name));
        else
            QVERIFY(testsupport::writeAll(dir + QLatin1Char('/') + name, name.toUtf8()));
    }
}

} // namespace

class TestFileLists : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::isolateSettings(); }

    void folderScans_data();
    void folderScans();
    void newFileNames_data();
    void newFileNames();
    void newFileCreation();
    void adFolderCheck_data();
    void adFolderCheck();
    void fileManager_data();
    void fileManager();
};

void TestFileLists::folderScans_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("sounds");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("ads");
    QTest::newRow("mixed case data files")
        << QStringList{"ost.txt", "Ost~.TXT", "s1.txt", "a.wav", "b.MP3", "c.ogg"}
        << QStringList{"a.wav", "b.MP3"} << QStringList{"s1.txt"}
        << QStringList{"ost.txt", "Ost~.TXT", "s1.txt"};
    QTest::newRow("every data file and the ad list")
        << QStringList{"coord.txt",   "COORD~.txt",   "script.txt",  "Script~.txt",
                       "backtab.TXT", "backtab~.txt", "sidetab.txt", "SIDETAB~.TXT",
                       "rscript.txt", "RScript~.Txt", "x.APE"}
        << QStringList{"x.APE"} << QStringList{"rscript.txt", "RScript~.Txt"}
        << QStringList{"backtab.TXT", "backtab~.txt", "coord.txt",   "COORD~.txt",
                       "script.txt",  "Script~.txt",  "sidetab.txt", "SIDETAB~.TXT"};
    QTest::newRow("files only, not hidden, in name order")
        << QStringList{"d.txt/", ".hidden.txt", "B.txt", "a.txt", "c.wav.bak", "z.wav", "Y.mp3"}
        << QStringList{"Y.mp3", "z.wav"} << QStringList{"a.txt", "B.txt"}
        << QStringList{"a.txt", "B.txt"};
}

void TestFileLists::folderScans()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, sounds);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, ads);
    QTemporaryDir dir;
    makeFiles(dir.path(), files);
    const RouteFolderFiles route = scanRouteFolder(dir.path());
    QCOMPARE(route.sounds, sounds);
    QCOMPARE(route.texts, texts);
    QCOMPARE(scanAdFolder(dir.path()), ads);
    QVERIFY(scanRouteFolder(dir.path() + "/missing").sounds.isEmpty());
}

void TestFileLists::newFileNames_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("proposed");
    QTest::addColumn<QString>("entered");
    QTest::addColumn<QString>("name");
    QTest::newRow("next free number") << QStringList{"s0.txt", "s1.txt", "s3.txt"} << "s%1.txt"
                                      << "s2.txt"
                                      << "dir\\note"
                                      << "note.txt";
    QTest::newRow("folders count as taken") << QStringList{"r0.txt/"} << "r%1.txt"
                                            << "r1.txt"
                                            << "memo."
                                            << "memo.txt";
    QTest::newRow("other case is another name") << QStringList{"S0.TXT"} << "s%1.txt"
                                                << "s0.txt"
                                                << "x.TXT"
                                                << "x.TXT";
    QTest::newRow("both separators") << QStringList{} << "s%1.txt"
                                     << "s0.txt"
                                     << "a/b\\c/d.txt"
                                     << "d.txt";
    QTest::newRow("one dot only") << QStringList{} << "s%1.txt"
                                  << "s0.txt"
                                  << "memo.."
                                  << "memo..txt";
    QTest::newRow("nothing left of a folder") << QStringList{} << "s%1.txt"
                                              << "s0.txt"
                                              << "dir/"
                                              << "";
    QTest::newRow("a dot alone") << QStringList{} << "s%1.txt"
                                 << "s0.txt"
                                 << "."
                                 << "";
}

void TestFileLists::newFileNames()
{
    QFETCH(QStringList, files);
    QFETCH(QString, pattern);
    QFETCH(QString, proposed);
    QFETCH(QString, entered);
    QFETCH(QString, name);
    QTemporaryDir dir;
    makeFiles(dir.path(), files);
    QCOMPARE(proposedFileName(dir.path(), pattern), proposed);
    QCOMPARE(normalizedTextFileName(entered), name);
}

void TestFileLists::newFileCreation()
{
    QTemporaryDir dir;
    const QString existing = dir.filePath("s0.txt");
    QVERIFY(testsupport::writeAll(existing, "keep"));
    QVERIFY(ensureFileExists(existing));
    QCOMPARE(testsupport::readAll(existing), QByteArray("keep"));
    QVERIFY(ensureFileExists(dir.filePath("s1.txt")));
    QCOMPARE(QFileInfo(dir.filePath("s1.txt")).size(), 0);
    QVERIFY(QDir(dir.path()).mkdir("d.txt"));
    QVERIFY(!ensureFileExists(dir.filePath("d.txt")));
    QVERIFY(!ensureFileExists(dir.filePath("missing/s0.txt")));
}

void TestFileLists::adFolderCheck_data()
{
    QTest::addColumn<QString>("route");
    QTest::addColumn<QString>("adPath");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<AdFolderChoice>("choice");
    const QString route = "/routes/12";
    const QString ad = "/routes/Reklama";
    QTest::newRow("sibling") << route << "/routes/12/Rek" << ad << AdFolderChoice::Accepted;
    QTest::newRow("inside the route")
        << route << ad << "/routes/12/Rek" << AdFolderChoice::Accepted;
    QTest::newRow("deeper") << route << ad << "/routes/ads/2024" << AdFolderChoice::Accepted;
    QTest::newRow("the parent itself") << route << ad << "/routes" << AdFolderChoice::Accepted;
    QTest::newRow("trailing slash") << route << ad << "/routes/Other/" << AdFolderChoice::Accepted;
    QTest::newRow("prefix of a name")
        << route << ad << "/routes2/Reklama" << AdFolderChoice::Refused;
    QTest::newRow("elsewhere") << route << ad << "/home/Reklama" << AdFolderChoice::Refused;
    QTest::newRow("above the parent") << route << ad << "/" << AdFolderChoice::Refused;
    QTest::newRow("same, other case")
        << route << ad << "/ROUTES/reklama" << AdFolderChoice::Unchanged;
    QTest::newRow("nothing chosen") << route << ad << "" << AdFolderChoice::Unchanged;
    QTest::newRow("drive letters") << "C:/routes/12"
                                   << "C:/routes/Reklama"
                                   << "C:/routes/Rek2" << AdFolderChoice::Accepted;
    QTest::newRow("route at the top") << "/12"
                                      << "/Reklama"
                                      << "/ads" << AdFolderChoice::Accepted;
}

void TestFileLists::adFolderCheck()
{
    QFETCH(QString, route);
    QFETCH(QString, adPath);
    QFETCH(QString, chosen);
    QFETCH(AdFolderChoice, choice);
    QCOMPARE(checkAdFolder(route, adPath, chosen), choice);
}

void TestFileLists::fileManager_data()
{
    QTest::addColumn<QString>("path"); // relative to a folder holding "a b/ц.txt"
    QTest::addColumn<bool>("answered");
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("uri");
    QTest::addColumn<QString>("opened"); // what the fallback opens, relative
    QTest::newRow("file") << "a b/ц.txt" << true << "ShowItems"
                          << "a%20b/%D1%86.txt"
                          << "";
    QTest::newRow("folder") << "a b" << true << "ShowFolders"
                            << "a%20b"
                            << "";
    QTest::newRow("vanished file") << "a b/gone.txt" << true << "ShowFolders"
                                   << "a%20b"
                                   << "";
    QTest::newRow("file, no file manager") << "a b/ц.txt" << false << "ShowItems"
                                           << "a%20b/%D1%86.txt"
                                           << "a b";
    QTest::newRow("folder, no file manager") << "a b" << false << "ShowFolders"
                                             << "a%20b"
                                             << "a b";
}

void TestFileLists::fileManager()
{
#ifndef TESSALY_FILEMANAGER_DBUS
    QSKIP("the D-Bus file manager is the Linux way");
#else
    QFETCH(QString, path);
    QFETCH(bool, answered);
    QFETCH(QString, method);
    QFETCH(QString, uri);
    QFETCH(QString, opened);
    QTemporaryDir dir;
    makeFiles(dir.path(), {"a b/", QString::fromUtf8("a b/ц.txt")});
    QList<QDBusMessage> calls;
    QList<QUrl> urls;
    FileManagerLaunch launch;
    launch.callDBus = [&](const QDBusMessage &call, const std::function<void(bool)> &done) {
        calls << call;
        done(answered);
    };
    launch.startDetached = [](const QString &program, const QStringList &) {
        QFAIL(qPrintable("started " + program));
    };
    launch.openUrl = [&](const QUrl &url) { urls << url; };
    showInFileManager(dir.filePath(path), launch);

    QCOMPARE(calls.size(), 1);
    const QDBusMessage call = calls.first();
    QCOMPARE(call.type(), QDBusMessage::MethodCallMessage);
    QCOMPARE(call.service(), QString("org.freedesktop.FileManager1"));
    QCOMPARE(call.path(), QString("/org/freedesktop/FileManager1"));
    QCOMPARE(call.interface(), QString("org.freedesktop.FileManager1"));
    QCOMPARE(call.member(), method);
    const QString base = QString::fromUtf8(QUrl::fromLocalFile(dir.path()).toEncoded()) + "/";
    QCOMPARE(call.arguments(), (QVariantList{QStringList{base + uri}, QString()}));
    const QList<QUrl> expected{QUrl::fromLocalFile(dir.filePath(opened))};
    QCOMPARE(urls, opened.isEmpty() ? QList<QUrl>() : expected);
#endif
}

QTEST_MAIN(TestFileLists)
#include "tst_filelists.moc"
