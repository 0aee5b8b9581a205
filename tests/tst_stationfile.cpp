// ost.txt: reading into the record, writing byte for byte, round trips and bad input.
#include "coordfile.h"
#include "filetestsupport.h"
#include "route.h"
#include "stationfile.h"
#include "testsupport.h"
#include "textencoding.h"

#include <QDir>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString dataFile(const QString &name)
{
    return testsupport::dataPath(QStringLiteral("stationfile/") + name);
}

// The record as readable text: one line for the front texts, one for the options, the back
// index, then two lines per station.
QString dump(const Route &r)
{
    QString out;
    out += QStringLiteral("front %1|%2|%3|%4|%5\n")
               .arg(r.frontNumber(), r.frontStartingPoint(0), r.frontDestination(0),
                    r.frontStartingPoint(1), r.frontDestination(1));
    out += QStringLiteral("options mode=%1 font=%2 interval=%3 fromFile=%4 colors=%5,%6,%7\n")
               .arg(r.frontMode())
               .arg(r.frontFont())
               .arg(r.frontInterval())
               .arg(int(r.frontFontFromStationFile()))
               .arg(r.frontNumberColor().name(), r.frontStartColor().name(),
                    r.frontDestColor().name());
    out += QStringLiteral("back %1\n").arg(r.backStationIndex());
    for (const Station *s : r.stations()) {
        out += QStringLiteral("station %1|%2|%3|%4\n")
                   .arg(s->name(0), s->nextName(0), s->name(1), s->nextName(1));
        out +=
            QStringLiteral("files %1|%2\n")
                .arg(s->soundFiles().join(QLatin1Char(';')), s->textFiles().join(QLatin1Char(';')));
    }
    return out;
}

QString headerDump(const Route &r)
{
    return dump(r).section(QLatin1Char('\n'), 0, 1);
}

QByteArray ostOf(const QTemporaryDir &dir)
{
    return testsupport::readAll(dir.filePath(QStringLiteral("ost.txt")));
}

// Reads `bytes` as the ost.txt of a fresh route in `dir`.
bool readBytes(const QTemporaryDir &dir, const QByteArray &bytes, Route &route)
{
    if (!testsupport::writeAll(dir.filePath(QStringLiteral("ost.txt")), bytes))
        return false;
    route.setPath(dir.path());
    return readStationFile(route);
}

// Reads `bytes`, formats the record, reads that and formats again: returns both contents.
// (Formatting without committing keeps the many inputs of the random test quick.)
QPair<QByteArray, QByteArray> twoWrites(const QTemporaryDir &dir, const QByteArray &bytes)
{
    Route first;
    if (!readBytes(dir, bytes, first))
        return {};
    const QByteArray written = stationFileBytes(first);
    Route second;
    if (!readBytes(dir, written, second))
        return {};
    return {written, stationFileBytes(second)};
}

Station *newStation(const QString &name0)
{
    auto *s = new Station;
    s->setName(0, name0);
    return s;
}

} // namespace

class TestStationFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::isolateSettings(); }

    void readAndWriteFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("folderFiles");
        QTest::newRow("new route, BOM, CR LF") << QStringLiteral("newroute") << QStringList();
        QTest::newRow("two languages, files, END and STOP names")
            << QStringLiteral("full") << QStringList();
        QTest::newRow("Windows-1251, LF") << QStringLiteral("cp1251") << QStringList();
        QTest::newRow("mixed encodings and line ends, blank line, several STOP")
            << QStringLiteral("mixed") << QStringList();
        QTest::newRow("NN.wav defaults")
            << QStringLiteral("defaultsound")
            << QStringList{"00.wav", "01.wav", "02.wav", "03.wav", "04.wav/"};
        QTest::newRow("short header, no END") << QStringLiteral("short") << QStringList();
    }
    void readAndWriteFiles()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, folderFiles);
        QTemporaryDir dir;
        for (const QString &file : folderFiles) {
            if (file.endsWith(QLatin1Char('/')))
                QVERIFY(QDir(dir.path()).mkdir(file));
            else
                QVERIFY(testsupport::writeAll(dir.filePath(file), "RIFF"));
        }

        Route route;
        QVERIFY(readBytes(dir, testsupport::readAll(dataFile(name + ".ost.txt")), route));
        const QString expectedDump =
            QString::fromUtf8(testsupport::readAll(dataFile(name + ".dump")));
        QCOMPARE(dump(route), expectedDump);

        QVERIFY(writeStationFile(route));
        const QByteArray written = ostOf(dir);
        QCOMPARE(written, testsupport::readAll(dataFile(name + ".written.ost.txt")));

        // Round trip: what was written reads back and writes the same bytes.
        Route again;
        again.setPath(dir.path());
        QVERIFY(readStationFile(again));
        QVERIFY(writeStationFile(again));
        QCOMPARE(ostOf(dir), written);
    }

    // The example route that ships with the program reads and writes back unchanged.
    void exampleRoute()
    {
        const QString example = QStringLiteral(TESSALY_EXAMPLES "/route12");
        QTemporaryDir dir;
        for (const char *name : {"ost.txt", "coord.txt"})
            QVERIFY(QFile::copy(example + '/' + name, dir.filePath(QString::fromLatin1(name))));
        Route route;
        route.setPath(dir.path());
        QVERIFY(readStationFile(route));
        QVERIFY(readCoordFile(route));
        QVERIFY(route.stationCount() > 0);
        QVERIFY(route.hasBackDirection());
        QVERIFY(writeStationFile(route));
        QVERIFY(writeCoordFile(route));
        for (const char *name : {"ost.txt", "coord.txt"})
            QCOMPARE(testsupport::readAll(dir.filePath(QString::fromLatin1(name))),
                     testsupport::readAll(example + '/' + name));
    }

    void writeRecords_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("new route defaults") << QStringLiteral("newroute");
        QTest::newRow("empty texts, options, quoting") << QStringLiteral("constructed");
    }
    void writeRecords()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        Route route;
        route.setPath(dir.path());
        if (name == QLatin1String("newroute")) {
            route.setFrontNumber(QStringLiteral("1"));
            route.setFrontStartingPoint(0, QStringLiteral("Пункт А"));
            route.setFrontDestination(0, QStringLiteral("Пункт Б"));
            route.setFrontMode(ModeStatic | ModeCenter);
            route.setFrontNumberColor(QColor(0, 0x80, 0));
            route.setFrontStartColor(QColor(0, 0x80, 0));
            route.setFrontDestColor(QColor(0, 0x80, 0));
            const char *const texts[][2] = {
                {"Остановка Пункт А.", "Следующая остановка Пункт Б. Конечная."},
                {"Остановка Пункт Б. Конечная.", ""},
                {"Остановка Пункт Б.", "Следующая остановка Пункт А. Конечная."},
                {"Остановка Пункт А. Конечная.", ""}};
            for (const auto &t : texts) {
                Station *s = newStation(QString::fromUtf8(t[0]));
                s->setNextName(0, QString::fromUtf8(t[1]));
                route.insertStation(route.stationCount(), s);
            }
            route.setBackStationIndex(2);
        } else {
            route.setFrontMode(ModeMoscow | ModeOnlyDestination);
            route.setFrontFont(2);
            route.setFrontInterval(12);
            route.setFrontNumberColor(QColor(0, 0xf0, 0));
            route.setFrontStartColor(QColor(0, 0xf0, 0));
            route.setFrontDestColor(QColor(0xf0, 0xf0, 0));
            route.setFrontDestination(1, QStringLiteral("Dest"));
            Station *lost = newStation(QString());
            lost->setNextName(1, QStringLiteral("Lost"));
            route.insertStation(0, lost);
            route.insertStation(1, newStation(QStringLiteral("ENDE")));
            Station *files = newStation(QStringLiteral("STOP"));
            files->setSoundFiles({QStringLiteral("a b.wav")});
            files->setTextFiles({QStringLiteral("c,d.txt"), QStringLiteral("e.txt")});
            route.insertStation(2, files);
            Station *backslash = newStation(QStringLiteral("C:\\"));
            backslash->setNextName(0, QStringLiteral("D:\\"));
            route.insertStation(3, backslash);
            Station *pasted = newStation(QStringLiteral("Line\nbreak"));
            pasted->setNextName(0, QStringLiteral("a\r\nb"));
            pasted->setSoundFiles({QStringLiteral("x\ny.wav")});
            route.insertStation(4, pasted);
            route.setBackStationIndex(1);
        }
        QVERIFY(writeStationFile(route));
        const QByteArray written = ostOf(dir);
        QCOMPARE(written, testsupport::readAll(dataFile(name + ".written.ost.txt")));

        Route again;
        again.setPath(dir.path());
        QVERIFY(readStationFile(again));
        QCOMPARE(stationFileBytes(again), written);
        // Line breaks pasted into a text are saved as spaces; everything else comes back.
        QCOMPARE(again.stationCount(), route.stationCount());
        for (int i = 0; i < route.stationCount(); ++i) {
            QCOMPARE(
                again.station(i)->name(0),
                QString(route.station(i)->name(0)).replace(QLatin1Char('\n'), QLatin1Char(' ')));
            QCOMPARE(
                again.station(i)->nextName(0),
                QString(route.station(i)->nextName(0)).replace(QRegularExpression("[\r\n]"), " "));
        }
    }

    void header_data()
    {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QString>("expected"); // the first two lines of the dump

        const QString green = QStringLiteral(" colors=#008000,#008000,#008000");
        auto row = [&](const char *tag, const QByteArray &header, const QString &front,
                       const QString &options) {
            QTest::newRow(tag) << header
                               << QStringLiteral("front ") + front + QStringLiteral("\noptions ") +
                                      options;
        };
        row("F0: both font bits", "1\\\\A\\\\B\\\\F0;", "1|A|B||",
            "mode=0 font=3 interval=4 fromFile=1" + green);
        row("F01: bit 0", "1\\\\A\\\\B\\\\F01", "1|A|B||",
            "mode=0 font=1 interval=4 fromFile=1" + green);
        row("F10: bit 1", "1\\\\A\\\\B\\\\F10", "1|A|B||",
            "mode=0 font=2 interval=4 fromFile=1" + green);
        row("F alone", "1\\\\A\\\\B\\\\F", "1|A|B||",
            "mode=0 font=0 interval=4 fromFile=1" + green);
        row("F1", "1\\\\A\\\\B\\\\F1", "1|A|B||", "mode=0 font=0 interval=4 fromFile=1" + green);
        row("no F", "1\\\\A\\\\B\\\\R4;", "1|A|B||", "mode=0 font=0 interval=4 fromFile=0" + green);
        row("R0", "1\\\\A\\\\B\\\\R0", "1|A|B||", "mode=0 font=0 interval=1 fromFile=0" + green);
        row("R40", "1\\\\A\\\\B\\\\R40", "1|A|B||", "mode=0 font=0 interval=16 fromFile=0" + green);
        row("R7", "1\\\\A\\\\B\\\\R7", "1|A|B||", "mode=0 font=0 interval=7 fromFile=0" + green);
        row("R unparsable", "1\\\\A\\\\B\\\\Rx", "1|A|B||",
            "mode=0 font=0 interval=1 fromFile=0" + green);
        row("R overflowing", "1\\\\A\\\\B\\\\R99999999999", "1|A|B||",
            "mode=0 font=0 interval=1 fromFile=0" + green);
        row("colours", "1\\\\A\\\\B\\\\#ff0000,00f", "1|A|B||",
            "mode=0 font=0 interval=4 fromFile=0 colors=#ff0000,#0000f0,#0000f0");
        row("suffix on starting point", "1\\\\A_S\\\\B_N\\\\", "1|A|B_N||",
            "mode=1 font=0 interval=4 fromFile=0" + green);
        row("suffix on destination", "1\\\\A\\\\B_S_C\\\\", "1|A|B||",
            "mode=9 font=0 interval=4 fromFile=0" + green);
        row("spaces for empty texts", " \\\\ \\\\ _S\\\\F11;", "||||",
            "mode=1 font=0 interval=4 fromFile=1" + green);
        row("number only", "12", "12||||", "mode=0 font=0 interval=4 fromFile=0" + green);
        row("two fields", "5\\\\A_N", "5|A|||", "mode=2 font=0 interval=4 fromFile=0" + green);
        row("trimmed fields", "  12 \\\\  A  \\\\ B \\\\R5", "12|A|B||",
            "mode=0 font=0 interval=5 fromFile=0" + green);
        row("unknown and empty items", "1\\\\A\\\\B\\\\X;;Y1;R3", "1|A|B||",
            "mode=0 font=0 interval=3 fromFile=0" + green);
        row("Windows-1251 fields",
            cp1251Codec()->fromUnicode(QStringLiteral("Е1\\\\Центр\\\\Депо_C")), "Е1|Центр|Депо||",
            "mode=8 font=0 interval=4 fromFile=0" + green);
        row("empty", "", "||||", "mode=0 font=0 interval=4 fromFile=0" + green);
    }
    void header()
    {
        QFETCH(QByteArray, header);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        Route route;
        QVERIFY(readBytes(dir, header + "\r\n1 A\r\n2 END\r\n", route));
        QCOMPARE(headerDump(route), expected);
        QCOMPARE(route.stationCount(), 1);
        QCOMPARE(route.backStationIndex(), 1);
    }

    void stationLines_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("stations"); // the dump from the back index on
        QTest::addColumn<QString>("folderFile");

        QTest::newRow("STOP without space")
            << QByteArray("1 A\r\n2 STOPB\r\n")
            << QStringLiteral("back 1\nstation A|||\nfiles |\nstation B|||\nfiles |\n")
            << QString();
        QTest::newRow("END ends the list")
            << QByteArray("1 A\r\n2 ENDLESS\r\n3 C\r\n")
            << QStringLiteral("back 1\nstation A|||\nfiles |\n") << QString();
        QTest::newRow("number 0 drops the text")
            << QByteArray("0 Text\r\n") << QStringLiteral("back 1\nstation |||\nfiles |\n")
            << QString();
        QTest::newRow("unparsable number")
            << QByteArray("x1 A\r\n") << QStringLiteral("back 1\nstation |||\nfiles |\n")
            << QString();
        QTest::newRow("number cut to 16 bits")
            << QByteArray("65537 A\r\n") << QStringLiteral("back 1\nstation A|||\nfiles 01.wav|\n")
            << QStringLiteral("01.wav");
        QTest::newRow("second language after files")
            << QByteArray("1 A\r\n  a.wav\r\n  Stop A\\\\Next A\r\n  Extra\r\n")
            << QStringLiteral("back 1\nstation A||Stop A|Next A\nfiles a.wav|\n") << QString();
        QTest::newRow("second-language next text alone")
            << QByteArray("1 A\r\n  \\\\Next\r\n")
            << QStringLiteral("back 1\nstation A|||Next\nfiles |\n") << QString();
        QTest::newRow("mark and a text file")
            << QByteArray("1 A\r\n  .wav, a.txt\r\n")
            << QStringLiteral("back 1\nstation A|||\nfiles |a.txt\n") << QString();
        QTest::newRow("mark before real sounds")
            << QByteArray("1 A\r\n  .wav, a.wav\r\n")
            << QStringLiteral("back 1\nstation A|||\nfiles .wav;a.wav|\n") << QString();
        QTest::newRow("several files lines")
            << QByteArray("1 A\r\n  a.wav\r\n  b.mp3, c.txt\r\n")
            << QStringLiteral("back 1\nstation A|||\nfiles a.wav;b.mp3|c.txt\n") << QString();
        QTest::newRow("last STOP wins")
            << QByteArray("1 STOP A\r\n2 B\r\n3 STOP C\r\n")
            << QStringLiteral("back 2\nstation A|||\nfiles |\nstation B|||\nfiles |\nstation "
                              "C|||\nfiles |\n")
            << QString();
        QTest::newRow("extra separators stay in the next text")
            << QByteArray("1 A\\\\B\\\\C\r\n")
            << QStringLiteral("back 1\nstation A|B\\\\C||\nfiles |\n") << QString();
    }
    void stationLines()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, stations);
        QFETCH(QString, folderFile);
        QTemporaryDir dir;
        if (!folderFile.isEmpty())
            QVERIFY(testsupport::writeAll(dir.filePath(folderFile), "RIFF"));
        Route route;
        QVERIFY(readBytes(dir, "1\\\\A\\\\B\\\\F11;R4;#080;\r\n" + body, route));
        QCOMPARE(dump(route).section(QLatin1Char('\n'), 2), stations);
    }

    void missingFileChangesNothingElse()
    {
        QTemporaryDir dir;
        Route route;
        route.setPath(dir.path());
        route.setFrontNumber(QStringLiteral("keep"));
        route.insertStation(0, newStation(QStringLiteral("A")));
        route.setFrontInterval(9);
        route.setBackStationIndex(1);
        QVERIFY(!readStationFile(route));
        QCOMPARE(route.frontNumber(), QStringLiteral("keep"));
        QCOMPARE(route.stationCount(), 1);
        QCOMPARE(route.frontInterval(), 4);
        QCOMPARE(route.backStationIndex(), 0);
        QCOMPARE(route.frontDestColor(), QColor(0, 0x80, 0));
        route.setPath(QString());
        QVERIFY(!readStationFile(route));
        QVERIFY(!writeStationFile(route));
    }

    void readingReplacesStations()
    {
        QTemporaryDir dir;
        Route route;
        route.insertStation(0, newStation(QStringLiteral("old")));
        QVERIFY(readBytes(dir, testsupport::readAll(dataFile("newroute.ost.txt")), route));
        QVERIFY(readStationFile(route));
        QCOMPARE(route.stationCount(), 4);
    }

    void badInput_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("stations");
        QTest::newRow("empty file") << QByteArray() << 0;
        QTest::newRow("lone CR") << QByteArray("\r") << 0;
        QTest::newRow("only BOM") << QByteArray("\xEF\xBB\xBF") << 0;
        QTest::newRow("CRs") << QByteArray("\r\r\r\r") << 0;
        QTest::newRow("blank lines") << QByteArray("\n\n\n") << 2;
        QTest::newRow("NUL bytes") << QByteArray("\0\\\\\0\n1 \0A\\\\\0\n  \0.wav\n", 19) << 1;
        QByteArray garbage;
        QRandomGenerator random(17);
        for (int i = 0; i < 4096; ++i)
            garbage += char(random.bounded(256));
        QTest::newRow("binary garbage") << garbage << -1;
        QTest::newRow("1 MB header line") << QByteArray(1 << 20, 'x') << 0;
        QTest::newRow("1 MB station line") << "1\r\n1 " + QByteArray(1 << 20, '\xE0') << 1;
        QTest::newRow("1 MB files line") << "1\r\n1 A\r\n  " + QByteArray(1 << 20, '"') << 1;
    }
    void badInput()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, stations);
        QTemporaryDir dir;
        Route route;
        QVERIFY(readBytes(dir, bytes, route));
        if (stations >= 0)
            QCOMPARE(route.stationCount(), stations);
        QVERIFY(route.backStationIndex() >= 0 && route.backStationIndex() <= route.stationCount());
        QVERIFY(route.frontInterval() >= 1 && route.frontInterval() <= 16);
        const auto writes = twoWrites(dir, bytes);
        QVERIFY(!writes.first.isEmpty());
        QCOMPARE(writes.second, writes.first);
    }

    // Random files, some of plain random bytes and some pieced together from the format's own
    // parts, all read and written without a crash; the second write equals the first.
    void randomInput()
    {
        static const char *const pieces[] = {"\\\\",     "STOP",
                                             "STOP ",    "END",
                                             " ",        "  ",
                                             "\r\n",     "\n",
                                             "\r",       "1 ",
                                             "2 ",       "12 ",
                                             "0 ",       ".wav",
                                             "a.wav",    "\"b c.mp3\"",
                                             ", ",       ",",
                                             "\"",       "x.TXT",
                                             "#",        ";",
                                             "F0",       "R9",
                                             "#f00,0f0", "\xD0\x9F\xD1\x83",
                                             "\xCF\xF3", "\xE2\x84\x96",
                                             "\0",       "\t",
                                             "A",        "-",
                                             "99999"};
        QTemporaryDir dir(testsupport::fastTempTemplate());
        QVERIFY(dir.isValid());
        QRandomGenerator random(2024);
        for (int i = 0; i < 1500; ++i) {
            // A byte order mark inside a text decodes to U+FEFF, which is dropped when it
            // comes first in a field: a byte order mark only where one belongs.
            QByteArray bytes = random.bounded(4) == 0 ? "\xEF\xBB\xBF" : "";
            const int count = random.bounded(60);
            const bool plain = i % 3 == 0;
            for (int k = 0; k < count; ++k) {
                if (plain) {
                    bytes += char(random.bounded(256));
                } else {
                    const char *piece = pieces[random.bounded(int(std::size(pieces)))];
                    bytes += *piece ? QByteArray(piece) : QByteArray(1, '\0');
                }
            }
            const auto writes = twoWrites(dir, bytes);
            if (writes.first.isEmpty() || writes.second != writes.first)
                QFAIL(qPrintable(QStringLiteral("input %1: %2\n%3\n%4")
                                     .arg(i)
                                     .arg(QString::fromLatin1(bytes.toHex()),
                                          QString::fromLatin1(writes.first.toHex()),
                                          QString::fromLatin1(writes.second.toHex()))));
        }
    }

    void failedWriteKeepsOldFile_data()
    {
        QTest::addColumn<bool>("folderInTheWay");
        QTest::newRow("ost.txt is a folder") << true;
        QTest::newRow("write fails") << false;
    }
    void failedWriteKeepsOldFile()
    {
        QFETCH(bool, folderInTheWay);
        QTemporaryDir dir;
        Route route;
        QVERIFY(readBytes(dir, testsupport::readAll(dataFile("full.ost.txt")), route));
        for (int i = 0; i < 200; ++i)
            route.insertStation(0, newStation(QStringLiteral("Остановка %1").arg(i)));
        const QString file = dir.filePath(QStringLiteral("ost.txt"));
        if (folderInTheWay) {
            QVERIFY(QFile::remove(file));
            QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("ost.txt/inner")));
            QVERIFY(!writeStationFile(route));
            QVERIFY(QFileInfo(dir.filePath(QStringLiteral("ost.txt/inner"))).isDir());
        } else {
            testsupport::FileSizeLimit limit(2048);
            QVERIFY(!writeStationFile(route));
        }
        if (!folderInTheWay)
            QCOMPARE(ostOf(dir), testsupport::readAll(dataFile("full.ost.txt")));
        // No half-written temporary file is left behind.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 folderInTheWay ? QStringList() : QStringList{"ost.txt"});
    }

    void colorsToText_data()
    {
        QTest::addColumn<QColor>("number");
        QTest::addColumn<QColor>("start");
        QTest::addColumn<QColor>("dest");
        QTest::addColumn<QByteArray>("text");
        const QColor red(0xf0, 0, 0), green(0, 0xf0, 0), blue(0, 0, 0xf0);
        QTest::newRow("one colour")
            << QColor(0, 0x80, 0) << QColor(0, 0x80, 0) << QColor(0, 0x80, 0) << QByteArray("080");
        QTest::newRow("start differs") << red << green << green << QByteArray("f00,0f0");
        QTest::newRow("all differ") << red << green << blue << QByteArray("f00,0f0,00f");
        QTest::newRow("only destination differs")
            << red << red << green << QByteArray("f00,f00,0f0");
        QTest::newRow("destination back to number")
            << red << green << red << QByteArray("f00,0f0,f00");
        QTest::newRow("low nibbles dropped") << QColor(0x1f, 0x2f, 0x3f) << QColor(0x1f, 0x2f, 0x3f)
                                             << QColor(0x1f, 0x2f, 0x3f) << QByteArray("123");
        QTest::newRow("invalid colours") << QColor() << QColor() << QColor() << QByteArray("000");
    }
    void colorsToText()
    {
        QFETCH(QColor, number);
        QFETCH(QColor, start);
        QFETCH(QColor, dest);
        QFETCH(QByteArray, text);
        Route route;
        route.setFrontNumberColor(number);
        route.setFrontStartColor(start);
        route.setFrontDestColor(dest);
        QCOMPARE(::colorsToText(route), text);
    }

    void colorsFromText_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("colors");
        QTest::newRow("one") << QByteArray("#080") << QStringLiteral("#008000,#008000,#008000");
        QTest::newRow("six digits, then three")
            << QByteArray("#ff0000,00f") << QStringLiteral("#ff0000,#0000f0,#0000f0");
        QTest::newRow("white") << QByteArray("#fff") << QStringLiteral("#f0f0f0,#f0f0f0,#f0f0f0");
        QTest::newRow("empty first, # on second")
            << QByteArray("#,#0f0") << QStringLiteral("#000000,#00f000,#00f000");
        QTest::newRow("unparsable")
            << QByteArray("#zz") << QStringLiteral("#000000,#000000,#000000");
        QTest::newRow("short and long pieces")
            << QByteArray("#ab,#abcd,x") << QStringLiteral("#00a0b0,#00abcd,#000000");
        QTest::newRow("alpha ignored")
            << QByteArray("#12345678") << QStringLiteral("#345678,#345678,#345678");
        QTest::newRow("digit each")
            << QByteArray("#1,2,3,4") << QStringLiteral("#000010,#000020,#000030");
    }
    void colorsFromText()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, colors);
        Route route;
        ::colorsFromText(route, text);
        const QStringList seen{route.frontNumberColor().name(), route.frontStartColor().name(),
                               route.frontDestColor().name()};
        QCOMPARE(seen.join(QLatin1Char(',')), colors);
        QCOMPARE(route.frontDestColor().alpha(), 255);
    }
};

QTEST_GUILESS_MAIN(TestStationFile)
#include "tst_stationfile.moc"
