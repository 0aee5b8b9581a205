// Encoding choice and the shared parsers of route folder files.
#include "routefilewriter.h"
#include "station.h"
#include "testsupport.h"
#include "textencoding.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

namespace {

QByteArray cp1251(const char *utf8)
{
    return cp1251Codec()->fromUnicode(QString::fromUtf8(utf8));
}

} // namespace

class TestTextEncoding : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::isolateSettings(); }

    void looksLikeUtf8_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("utf8");

        const QByteArray stopCp = cp1251("Остановка");
        const QByteArray punktUtf = QByteArray("Пункт");
        QTest::newRow("empty") << QByteArray() << 0 << true;
        QTest::newRow("NUL first") << QByteArray("\0\xCE\xF1\xF2\xE0\xED", 6) << 6 << true;
        QTest::newRow("ASCII") << QByteArray("Route 12, stop 3") << -1 << true;
        QTest::newRow("1251 word") << stopCp << -1 << false;
        QTest::newRow("UTF-8 word") << punktUtf << -1 << true;
        QTest::newRow("one 1251 letter") << cp1251("Ж") << -1 << false;
        QTest::newRow("1251 letter then ASCII") << cp1251("Жx") << -1 << false;
        QTest::newRow("one valid, one invalid") << QByteArray("\xD0\x9F\xFF") << -1 << true;
        // Five invalid bytes decide before any later UTF-8 can count.
        QTest::newRow("five invalid first")
            << QByteArray("\x80\x80\x80\x80\x80") + punktUtf << -1 << false;
        QTest::newRow("four invalid first")
            << QByteArray("\x80\x80\x80\x80") + punktUtf << -1 << true;
        // A range is judged on its own bytes: the rest of the line does not count.
        const QByteArray line = cp1251("Ост") + QByteArray("ПунктПункт");
        QTest::newRow("range before UTF-8") << line << 3 << false;
        QTest::newRow("same line whole") << line << line.size() << true;
        QTest::newRow("lead byte at range end") << QByteArray("\xD0\x9F") << 1 << false;
        QTest::newRow("range stops at NUL")
            << QByteArray("\xD0\x9F\xD1\x83\0\x80\x80\x80\x80\x80", 10) << 10 << true;
        QTest::newRow("length -1 stops at NUL")
            << QByteArray("\xD0\x9F\0\x80\x80\x80\x80\x80\x80", 9) << -1 << true;
        // Well-formed three- and four-byte sequences count as UTF-8.
        QTest::newRow("numero sign") << QByteArray("№5") << -1 << true;
        QTest::newRow("em dashes") << QByteArray("——") << -1 << true;
        QTest::newRow("euro and ellipsis") << QByteArray("€…") << -1 << true;
        QTest::newRow("four-byte") << QByteArray("\xF0\x9F\x9A\x8C") << -1 << true;
        // Ill-formed sequences do not.
        QTest::newRow("overlong three-byte") << QByteArray("\xE0\x80\x80") << -1 << false;
        QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << -1 << false;
        QTest::newRow("overlong two-byte") << QByteArray("\xC0\x80\xC1\xBF") << -1 << false;
        QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << -1 << false;
        QTest::newRow("truncated three-byte") << QByteArray("\xE2\x84 \xE2\x84") << -1 << false;
    }
    void looksLikeUtf8()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, length);
        QFETCH(bool, utf8);
        QCOMPARE(::looksLikeUtf8(bytes.constData(), length), utf8);
    }

    void decodeBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("text");

        QTest::newRow("empty") << QByteArray() << 0 << -1 << QString();
        QTest::newRow("1251") << cp1251("Остановка") << 0 << -1 << QStringLiteral("Остановка");
        QTest::newRow("UTF-8") << QByteArray("Остановка") << 0 << -1 << QStringLiteral("Остановка");
        QTest::newRow("BOM dropped") << QByteArray("\xEF\xBB\xBF"
                                                   "Пункт")
                                     << 0 << -1 << QStringLiteral("Пункт");
        QTest::newRow("bad byte after UTF-8")
            << QByteArray("Пункт\xFF") << 0 << -1 << QStringLiteral("Пункт\uFFFD");
        const QByteArray line = QByteArray("Пункт\\\\") + cp1251("Депо");
        QTest::newRow("UTF-8 range of mixed line") << line << 0 << 10 << QStringLiteral("Пункт");
        QTest::newRow("1251 range of mixed line") << line << 12 << 4 << QStringLiteral("Депо");
    }
    void decodeBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, text);
        if (length < 0)
            QCOMPARE(::decodeBytes(bytes), text);
        else
            QCOMPARE(::decodeBytes(bytes.constData() + start, length), text);
    }

    // ASCII and UTF-8 texts are decoded without the codecs; the result must be the codec's,
    // byte for byte, also for broken sequences, byte order marks and NUL bytes.
    void decodeBytesLikeCodecs_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ASCII with controls") << QByteArray("a\tb\x01\x7F c");
        QTest::newRow("ASCII with NUL") << QByteArray("ab\0cd", 5);
        QTest::newRow("NUL before 1251") << QByteArray("a\0\xCE\xF1\xF2\xE0\xED\xEE", 8);
        QTest::newRow("BOM only") << QByteArray("\xEF\xBB\xBF");
        QTest::newRow("BOM twice") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF"
                                                 "Пункт");
        QTest::newRow("BOM inside") << QByteArray("Пункт\xEF\xBB\xBF"
                                                  "А");
        QTest::newRow("truncated at end") << QByteArray("Пункт\xD0");
        QTest::newRow("truncated three-byte") << QByteArray("Пункт\xE2\x80");
        QTest::newRow("truncated before ASCII") << QByteArray("Пункт\xE2\x80"
                                                              "a");
        QTest::newRow("overlong") << QByteArray("Пункт\xC0\xAF\xE0\x80\xAF");
        QTest::newRow("surrogate") << QByteArray("Пункт\xED\xA0\x80");
        QTest::newRow("above U+10FFFF") << QByteArray("Пункт\xF4\x90\x80\x80");
        QTest::newRow("five-byte form") << QByteArray("Пункт\xF8\x88\x80\x80\x80");
        QTest::newRow("noncharacters") << QByteArray("Пункт\xEF\xBF\xBE\xEF\xBF\xBF");
        QTest::newRow("four-byte") << QByteArray("\xF0\x9F\x9A\x8C"
                                                 " Автобус");
        QTest::newRow("lone continuation") << QByteArray("Пункт\x80\xBF");
        QTest::newRow("1251 with 0x98") << QByteArray("\xCE\xF1\xF2\x98"
                                                      "\xE0\xED");
        QTest::newRow("ASCII then 1251") << QByteArray("12345678") + cp1251("Остановка");
    }
    void decodeBytesLikeCodecs()
    {
        QFETCH(QByteArray, bytes);
        QTextCodec *codec =
            ::looksLikeUtf8(bytes.constData(), bytes.size()) ? utf8Codec() : cp1251Codec();
        const QString expected = codec->toUnicode(bytes.constData(), bytes.size());
        const QString decoded = ::decodeBytes(bytes.constData(), bytes.size());
        QCOMPARE(decoded.size(), expected.size());
        QCOMPARE(decoded, expected);
    }

    // The same over random pieces of valid and broken sequences.
    void decodeBytesLikeCodecsRandom()
    {
        const QByteArray pieces[] = {"a",
                                     " ",
                                     "\xEF\xBB\xBF",
                                     "\xD0\x9F",
                                     "\xE2\x80\x94",
                                     "\xF0\x9F\x98\x80",
                                     "\x80",
                                     "\xC0\xAF",
                                     "\xED\xA0\x80",
                                     "\xC3",
                                     "\xE2\x80",
                                     "\xFF",
                                     "\xCE\xF1",
                                     QByteArray(1, '\0')};
        QRandomGenerator random(1251);
        for (int i = 0; i < 3000; ++i) {
            QByteArray bytes;
            for (int k = random.bounded(1, 9); k > 0; --k)
                bytes += pieces[random.bounded(int(sizeof pieces / sizeof *pieces))];
            QTextCodec *codec =
                ::looksLikeUtf8(bytes.constData(), bytes.size()) ? utf8Codec() : cp1251Codec();
            QCOMPARE(::decodeBytes(bytes), codec->toUnicode(bytes.constData(), bytes.size()));
        }
    }

    // The shortcuts of the readers give what the longer way gives: blanks trimmed before
    // decoding, number tokens read without Qt's copy, the file-ending check of texts.
    void shortcutsLikeLongWay()
    {
        const QByteArray pieces[] = {
            "0",  "7",    "123456789", "99999999999999999999", "-",    "+",    " ",    "\t",
            "\r", "\xA0", "\xD0\x9F",  "\xEF\xBB\xBF",         "\xCF", ".wav", ".Txt", ".mp",
            "a",  ""};
        const QRegularExpression ending(QStringLiteral("\\.(wav|mp3|ape|txt)"),
                                        QRegularExpression::CaseInsensitiveOption);
        QRandomGenerator random(64);
        for (int round = 0; round < 5000; ++round) {
            QByteArray bytes;
            for (int k = random.bounded(1, 5); k > 0; --k)
                bytes += pieces[random.bounded(int(sizeof pieces / sizeof *pieces))];
            const char *const data = bytes.constData();
            const QString longWay = trimmedText(::decodeBytes(bytes));
            const QString shortWay = decodeTrimmed(data, bytes.size());
            QCOMPARE(shortWay, longWay);
            QCOMPARE(shortWay.isNull(), longWay.isNull());
            QCOMPARE(mentionsFileEnding(longWay), longWay.contains(ending));

            bool ok = false;
            bool qtOk = false;
            QCOMPARE(decimalValue<int>(data, bytes.size(), &ok), bytes.toInt(&qtOk));
            QCOMPARE(ok, qtOk);
            QCOMPARE(decimalValue<uint>(data, bytes.size(), &ok), bytes.toUInt(&qtOk));
            QCOMPARE(ok, qtOk);
            QCOMPARE(decimalValue<qlonglong>(data, bytes.size(), &ok), bytes.toLongLong(&qtOk));
            QCOMPARE(ok, qtOk);
            QCOMPARE(decimalValue<qulonglong>(data, bytes.size(), &ok), bytes.toULongLong(&qtOk));
            QCOMPARE(ok, qtOk);
        }
    }

    // A files line keeps exactly the tokens whose decoded name is a sound or text file, also
    // where a broken sequence stands right before the extension.
    // Encoding into the output buffer gives the bytes of Qt's encoder, line breaks made spaces.
    void lineTextLikeQt()
    {
        const ushort awkward[] = {'a',    ' ',    '"',    '\\',   '\r',   '\n',  ',',
                                  0,      0x7F,   0x80,   0x416,  0x7FF,  0x800, 0xD800,
                                  0xDBFF, 0xDC00, 0xDFFF, 0xFEFF, 0xFFFD, 0xFFFF};
        QRandomGenerator random(17);
        for (int round = 0; round < 3000; ++round) {
            QString text;
            const int length = random.bounded(12);
            for (int i = 0; i < length; ++i)
                text += QChar(awkward[random.bounded(int(sizeof awkward / sizeof *awkward))]);
            QByteArray out("x");
            RouteFileWriter::appendLineText(out, text);
            QCOMPARE(out, "x" + RouteFileWriter::lineBytes(text.toUtf8()));
        }
    }

    void parseFileListKindOfDecodedName_data()
    {
        QTest::addColumn<QByteArray>("token");
        QTest::newRow("plain") << QByteArray("a.wav");
        QTest::newRow("only the extension") << QByteArray(".TXT");
        QTest::newRow("three bytes") << QByteArray("wav");
        QTest::newRow("BOM before the extension") << QByteArray("\xEF\xBB\xBF.wav");
        QTest::newRow("truncated before the dot") << QByteArray("\xD0.mp3");
        QTest::newRow("truncated three-byte before the dot") << QByteArray("\xE2\x80.ape");
        QTest::newRow("1251 name") << cp1251("Остановка.txt");
        QTest::newRow("UTF-8 name") << QByteArray("Остановка.Wav");
        QTest::newRow("non-ASCII in the extension") << QByteArray("a.w\xD0\xB0v");
        QTest::newRow("Cyrillic extension") << QByteArray("a.\xD1\x82\xD1\x85\xD1\x82");
        QTest::newRow("fullwidth dot") << QByteArray("a\xEF\xBC\x8Ewav");
        QTest::newRow("words") << QByteArray("Builders");
    }
    void parseFileListKindOfDecodedName()
    {
        QFETCH(QByteArray, token);
        const QString name = ::decodeBytes(token);
        Station station;
        const int taken = ::parseFileList("  " + token, &station);
        const int kind = ::fileKind(name);
        QCOMPARE(taken, kind == FileKindNone ? 0 : 1);
        QCOMPARE(station.soundFiles(), kind == FileKindSound ? QStringList{name} : QStringList());
        QCOMPARE(station.textFiles(), kind == FileKindText ? QStringList{name} : QStringList());
    }

    // Whatever this program writes in UTF-8 must read back as the same text.
    void utf8TextsReadBack()
    {
        const QString pool = QStringLiteral("AzЁёЖж №—–…€„“”«»\u00A0\u2116") +
                             QString::fromUcs4(U"\U0001F68C\U0001F68D");
        QRandomGenerator random(4711);
        for (int i = 0; i < 3000; ++i) {
            QString text;
            const int length = random.bounded(1, 12);
            for (int k = 0; k < length; ++k) {
                const int at = random.bounded(pool.size());
                text += pool.at(at);
                if (pool.at(at).isHighSurrogate())
                    text += pool.at(at + 1);
                else if (pool.at(at).isLowSurrogate())
                    text.chop(1);
            }
            const QByteArray bytes = text.toUtf8();
            QCOMPARE(::decodeBytes(bytes), text);
        }
    }

    void fileKind_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("kind");
        QTest::newRow("empty") << QString() << int(FileKindNone);
        QTest::newRow("upper WAV") << QStringLiteral("ABC.WAV") << int(FileKindSound);
        QTest::newRow("mp3") << QStringLiteral("x.mp3") << int(FileKindSound);
        QTest::newRow("ape") << QStringLiteral("Пункт.Ape") << int(FileKindSound);
        QTest::newRow("mixed case txt") << QStringLiteral("a.Txt") << int(FileKindText);
        QTest::newRow("only extension") << QStringLiteral(".wav") << int(FileKindSound);
        QTest::newRow("backup") << QStringLiteral("a.wav.bak") << int(FileKindNone);
        QTest::newRow("no dot") << QStringLiteral("wav") << int(FileKindNone);
        QTest::newRow("trailing space") << QStringLiteral("a.txt ") << int(FileKindNone);
    }
    void fileKind()
    {
        QFETCH(QString, name);
        QFETCH(int, kind);
        QCOMPARE(::fileKind(name), kind);
    }

    void parseFileList_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QStringList>("sounds");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("taken");

        QTest::newRow("quoted and plain")
            << QByteArray("  \"my file.wav\", b.txt,c.mp3") << QStringList{"my file.wav", "c.mp3"}
            << QStringList{"b.txt"} << 3;
        QTest::newRow("mark") << QByteArray("  .wav") << QStringList{".wav"} << QStringList() << 1;
        QTest::newRow("line number dropped")
            << QByteArray("12 a.wav") << QStringList{"a.wav"} << QStringList() << 1;
        QTest::newRow("empty quotes")
            << QByteArray("  \"\" a.wav") << QStringList{"a.wav"} << QStringList() << 1;
        QTest::newRow("unterminated quote")
            << QByteArray("  \"my file.wav") << QStringList{"my file.wav"} << QStringList() << 1;
        QTest::newRow("quote before tab")
            << QByteArray("\"\ta.wav") << QStringList{"a.wav"} << QStringList() << 1;
        QTest::newRow("quote at end")
            << QByteArray("a.wav \"") << QStringList{"a.wav"} << QStringList() << 1;
        QTest::newRow("quoted ends at control")
            << QByteArray("\"a b.wav\tc.txt") << QStringList{"a b.wav"} << QStringList{"c.txt"}
            << 2;
        QTest::newRow("1251 name")
            << QByteArray("  ") + cp1251("Вокзал.wav") << QStringList{QStringLiteral("Вокзал.wav")}
            << QStringList() << 1;
        QTest::newRow("commas only") << QByteArray(",, ,") << QStringList() << QStringList() << 0;
        QTest::newRow("words") << QByteArray("  Stop Vokzal.\\\\Next stop") << QStringList()
                               << QStringList() << 0;
        QTest::newRow("quote inside plain name")
            << QByteArray("a\"b.wav") << QStringList{"a\"b.wav"} << QStringList() << 1;
    }
    void parseFileList()
    {
        QFETCH(QByteArray, line);
        QFETCH(QStringList, sounds);
        QFETCH(QStringList, texts);
        QFETCH(int, taken);
        // Names are appended to what the station already has.
        Station station;
        station.soundFiles() << QStringLiteral("old.wav");
        QCOMPARE(::parseFileList(line, &station), taken);
        QCOMPARE(station.soundFiles(), QStringList{"old.wav"} + sounds);
        QCOMPARE(station.textFiles(), texts);
    }

    void nextKeyValue_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QStringList>("items"); // "key=value" in order
        QTest::addColumn<int>("endPos");        // -1: the end of the line

        QTest::newRow("value and flag")
            << QByteArray(" BT:(MO)2 CYCLE_PLAY") << QStringList{"BT=(MO)2", "CYCLE_PLAY="} << -1;
        QTest::newRow("escaped quote") << QByteArray("K:\"A\\\"B\"") << QStringList{"K=A\"B"} << -1;
        QTest::newRow("backslash kept")
            << QByteArray("K:\"a\\b\" L") << QStringList{"K=a\\b", "L="} << -1;
        QTest::newRow("missing closing quote")
            << QByteArray("K:\"abc def") << QStringList{"K=abc def"} << -1;
        QTest::newRow("quoted value with space")
            << QByteArray("A:\"x y\" B:1") << QStringList{"A=x y", "B=1"} << -1;
        QTest::newRow("colon at end") << QByteArray("K:") << QStringList{"K="} << -1;
        QTest::newRow("non-ASCII skipped")
            << QByteArray("\xD0\x9F K:1 \xFF") << QStringList{"K=1"} << -1;
        QTest::newRow("leading colon ends") << QByteArray(":x K:1") << QStringList() << 2;
        QTest::newRow("empty") << QByteArray() << QStringList() << -1;
        QTest::newRow("control bytes") << QByteArray("\t\r\nA:1\x01"
                                                     "B")
                                       << QStringList{"A=1\x01"
                                                      "B"}
                                       << -1;
    }
    void nextKeyValue()
    {
        QFETCH(QByteArray, line);
        QFETCH(QStringList, items);
        QFETCH(int, endPos);
        QStringList seen;
        int pos = 0;
        QByteArray value = "stale";
        for (int guard = 0; guard < 20; ++guard) {
            const QByteArray key = ::nextKeyValue(line, pos, value);
            if (key.isEmpty())
                break;
            seen << QString::fromUtf8(key + '=' + value);
        }
        QCOMPARE(seen, items);
        QCOMPARE(pos, endPos < 0 ? line.size() : endPos);
    }

    void readFileHead_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("expected");
        QTest::newRow("missing") << -1 << 0;
        QTest::newRow("empty") << 0 << 0;
        QTest::newRow("small") << 10 << 10;
        QTest::newRow("exactly 1 KiB") << 1024 << 1024;
        QTest::newRow("large") << 5000 << 1024;
    }
    void readFileHead()
    {
        QFETCH(int, size);
        QFETCH(int, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.txt"));
        QByteArray bytes;
        for (int i = 0; i < size; ++i)
            bytes += char('a' + i % 26);
        if (size >= 0)
            QVERIFY(testsupport::writeAll(path, bytes));
        QCOMPARE(::readFileHead(path), bytes.left(expected));
    }

    void readFileHeadOfFolder()
    {
        QTemporaryDir dir;
        QCOMPARE(::readFileHead(dir.path()), QByteArray());
    }
};

QTEST_GUILESS_MAIN(TestTextEncoding)
#include "tst_textencoding.moc"
