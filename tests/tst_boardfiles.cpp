// The board description files, the board script and the ad list: readers and writers.
#include "adscript.h"
#include "backfile.h"
#include "foldertree.h"
#include "route.h"
#include "scriptfile.h"
#include "sidefile.h"
#include "stationfile.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

namespace {

const QByteArray utf8Bom("\xef\xbb\xbf");

QByteArray cp1251(const char *utf8)
{
    return QTextCodec::codecForName("Windows-1251")->fromUnicode(QString::fromUtf8(utf8));
}

QString caseDir(const QString &name)
{
    return testsupport::dataPath(QStringLiteral("boardfiles/") + name);
}

// A route in a temporary folder "12" with three stations, as ost.txt would leave it.
struct Fixture
{
    QTemporaryDir dir;
    Route route;

    Fixture()
    {
        QDir(dir.path()).mkdir(QStringLiteral("12"));
        route.setPath(dir.path() + QStringLiteral("/12"));
        route.setFrontNumber(QStringLiteral("F"));
        route.setFrontStartingPoint(0, QStringLiteral("Начало"));
        route.setFrontStartingPoint(1, QStringLiteral("Start"));
        route.setFrontDestination(0, QStringLiteral("Конец"));
        route.setFrontDestination(1, QStringLiteral("End"));
        route.setFrontMode(ModeMoscow);
        route.setFrontFont(2);
        route.setFrontInterval(7);
        route.setStationWord(0, QStringLiteral("Остановка"));
        for (const char *name : {"Остановка Один.", "Остановка Два.", "Остановка \"Три\"."}) {
            auto *station = new Station;
            station->setName(0, QString::fromUtf8(name));
            station->setNextName(0, QStringLiteral("дальше"));
            route.insertStation(route.stationCount(), station);
        }
        route.setBackStationIndex(3);
    }

    QString file(const char *name) const { return route.path() + QLatin1Char('/') + name; }
    bool put(const char *name, const QByteArray &bytes) const
    {
        return testsupport::writeAll(file(name), bytes);
    }
    QStringList sideNames(int lang) const
    {
        QStringList names;
        for (const Station *s : route.stations())
            names << s->sideName(lang);
        return names;
    }
};

// The script fields in one line, for compact expectations.
QString scriptFields(const Route &r)
{
    return QStringLiteral("BT=%1 ad=%2 SM=%3%4 BR=%5%6 font=%7 cycle=%8 marsh=%9|%10 "
                          "out=%11 in=%12 st=%13|%14 next=%15")
        .arg(QString::fromUtf8(r.salonTabloOrder()), r.adPath().section(QLatin1Char('/'), -1))
        .arg(r.leftSofitColor())
        .arg(r.rightSofitColor())
        .arg(r.brCode(0))
        .arg(r.brCode(1))
        .arg(r.frontFont())
        .arg(r.cyclePlay())
        .arg(r.routeText(0), r.routeText(1), r.outsideTempText(1), r.salonTempText(1),
             r.stationWord(0), r.stationWord(1), r.nextWord(0));
}

// A text field of sidetab.txt, backtab.txt or script.txt, for tests that go over all of them.
struct TextField
{
    const char *name;
    const char *file;
    void (*set)(Route &, const QString &);
    QString (*get)(const Route &);
};

#define LANG_FIELD(file, field, Setter, lang)                                                      \
    {                                                                                              \
#field #lang, file,                                                                        \
            [](Route & r,                                                                          \
               const QString &v) { r.Setter(lang, v); },                                           \
                                                      [](const Route &r) { return r.field(lang); } \
    }
const TextField textFields[] = {
    {"sideNumber", "sidetab.txt", [](Route &r, const QString &v) { r.setSideNumber(v); },
     [](const Route &r) { return r.sideNumber(); }},
    LANG_FIELD("sidetab.txt", sideStartingPoint, setSideStartingPoint, 0),
    LANG_FIELD("sidetab.txt", sideDestination, setSideDestination, 0),
    LANG_FIELD("sidetab.txt", sideStartingPoint, setSideStartingPoint, 1),
    LANG_FIELD("sidetab.txt", sideDestination, setSideDestination, 1),
    {"sideSeparator", "sidetab.txt", [](Route &r, const QString &v) { r.setSideSeparator(v); },
     [](const Route &r) { return r.sideSeparator(); }},
    {"sideName0", "sidetab.txt",
     [](Route &r, const QString &v) { r.station(1)->setSideName(0, v); },
     [](const Route &r) { return r.station(1)->sideName(0); }},
    {"sideName1", "sidetab.txt",
     [](Route &r, const QString &v) { r.station(1)->setSideName(1, v); },
     [](const Route &r) { return r.station(1)->sideName(1); }},
    {"backNumber", "backtab.txt", [](Route &r, const QString &v) { r.setBackNumber(v); },
     [](const Route &r) { return r.backNumber(); }},
    LANG_FIELD("backtab.txt", backStartingPoint, setBackStartingPoint, 0),
    LANG_FIELD("backtab.txt", backDestination, setBackDestination, 0),
    LANG_FIELD("backtab.txt", backStartingPoint, setBackStartingPoint, 1),
    LANG_FIELD("backtab.txt", backDestination, setBackDestination, 1),
    {"salonTabloOrder", "script.txt",
     [](Route &r, const QString &v) { r.setSalonTabloOrder(v.toUtf8()); },
     [](const Route &r) { return QString::fromUtf8(r.salonTabloOrder()); }},
    LANG_FIELD("script.txt", routeText, setRouteText, 0),
    LANG_FIELD("script.txt", routeText, setRouteText, 1),
    LANG_FIELD("script.txt", outsideTempText, setOutsideTempText, 0),
    LANG_FIELD("script.txt", salonTempText, setSalonTempText, 1),
    LANG_FIELD("script.txt", stationWord, setStationWord, 0),
    LANG_FIELD("script.txt", nextWord, setNextWord, 1),
};
#undef LANG_FIELD

} // namespace

class TestBoardFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::isolateSettings(); }

    void expectedFiles_data();
    void expectedFiles();
    void sideHeader_data();
    void sideHeader();
    void sideStationNames_data();
    void sideStationNames();
    void missingBoardFilesCopyFront();
    void backHeader_data();
    void backHeader();
    void scriptKeys_data();
    void scriptKeys();
    void scriptWriter_data();
    void scriptWriter();
    void boardWriters_data();
    void boardWriters();
    void adScript_data();
    void adScript();
    void adScriptWithoutFolder();
    void lineBreaksWrittenAsSpaces_data();
    void secondLanguageLines_data();
    void secondLanguageLines();
    void lineBreaksWrittenAsSpaces();
};

// Each folder under boardfiles/ holds in/ (a route folder "12" and its ad folder) and out/
// (the same tree after load and save), both written by hand.
void TestBoardFiles::expectedFiles_data()
{
    QTest::addColumn<QString>("name");
    const QStringList cases = QDir(caseDir(QString())).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QVERIFY(cases.size() >= 5);
    for (const QString &name : cases)
        QTest::newRow(qPrintable(name)) << name;
}

void TestBoardFiles::expectedFiles()
{
    QFETCH(QString, name);
    QTemporaryDir tmp;
    QVERIFY(foldertree::copy(caseDir(name) + QStringLiteral("/in"), tmp.path()));
    Route route(tmp.path() + QStringLiteral("/12"));
    QVERIFY(!route.path().isEmpty());
    QVERIFY(route.save());
    const QStringList diffs = foldertree::differences(
        foldertree::read(caseDir(name) + QStringLiteral("/out")), foldertree::read(tmp.path()));
    QVERIFY2(diffs.isEmpty(), qPrintable(diffs.join(QLatin1Char('\n'))));
}

void TestBoardFiles::sideHeader_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QString>("texts"); // number|start|destination|start 2|destination 2
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("font");
    QTest::addColumn<QString>("numbers"); // interval, station count, station interval
    QTest::addColumn<QString>("separator");

    const QString defaults = QStringLiteral("4,5,3");
    const QString dflt = QString::fromUtf8(defaultSideSeparator);
    QTest::newRow("zero bytes") << QByteArray() << "|||Start|End" << 0 << 0 << defaults << "";
    QTest::newRow("number only, no line end")
        << QByteArray("7") << "7|||Start|End" << 0 << 0 << defaults << "";
    QTest::newRow("every option") << QByteArray("12\\\\A\\\\B_S_C\\\\F01;R9;N7;S2;T dd.MM;\r\n")
                                  << "12|A|B|Start|End" << 9 << 1 << "9,7,2"
                                  << "dd.MM";
    QTest::newRow("utf8Bom, second language")
        << utf8Bom + "1\\\\ \\\\ _N\\\\\r\n  Старт \\\\ Финиш \r\n"
        << "1|||Старт|Финиш" << 2 << 0 << defaults << "";
    QTest::newRow("second language without destination")
        << QByteArray("1\\\\a\\\\b\\\\\r\n  x\r\n") << "1|a|b|x|" << 0 << 0 << defaults << "";
    QTest::newRow("suffix on the starting point")
        << QByteArray("1\\\\A_S\\\\B_N\\\\") << "1|A|B_N|Start|End" << 1 << 0 << defaults << "";
    QTest::newRow("unknown suffix letter removed")
        << QByteArray("1\\\\A\\\\B_X\\\\") << "1|A|B|Start|End" << 0 << 0 << defaults << "";
    QTest::newRow("windows-1251") << cp1251("Н1\\\\Рынок\\\\Вокзал_C\\\\T чч:мм;")
                                  << "Н1|Рынок|Вокзал|Start|End" << 8 << 0 << defaults << "чч:мм";
    QTest::newRow("T alone") << QByteArray("1\\\\a\\\\b\\\\T;") << "1|a|b|Start|End" << 0 << 0
                             << defaults << "";
    QTest::newRow("T and a space")
        << QByteArray("1\\\\a\\\\b\\\\T ;") << "1|a|b|Start|End" << 0 << 0 << defaults << "";
    QTest::newRow("T x") << QByteArray("1\\\\a\\\\b\\\\T x") << "1|a|b|Start|End" << 0 << 0
                         << defaults << "x";
    QTest::newRow("T and two spaces")
        << QByteArray("1\\\\a\\\\b\\\\T  ;") << "1|a|b|Start|End" << 0 << 0 << defaults << dflt;
    QTest::newRow("F0") << QByteArray("1\\\\a\\\\b\\\\F0") << "1|a|b|Start|End" << 0 << 3
                        << defaults << "";
    QTest::newRow("F01") << QByteArray("1\\\\a\\\\b\\\\F01;") << "1|a|b|Start|End" << 0 << 1
                         << defaults << "";
    QTest::newRow("F10") << QByteArray("1\\\\a\\\\b\\\\F10;") << "1|a|b|Start|End" << 0 << 2
                         << defaults << "";
    QTest::newRow("F") << QByteArray("1\\\\a\\\\b\\\\F;") << "1|a|b|Start|End" << 0 << 0 << defaults
                       << "";
    QTest::newRow("limits") << QByteArray("1\\\\a\\\\b\\\\R0;N0;S99") << "1|a|b|Start|End" << 0 << 0
                            << "1,0,16"
                            << "";
    QTest::newRow("unparsable numbers")
        << QByteArray("1\\\\a\\\\b\\\\Rx;N;S-3;Q5;") << "1|a|b|Start|End" << 0 << 0 << "1,0,1"
        << "";
    QTest::newRow("huge station count") << QByteArray("1\\\\a\\\\b\\\\N4294967295;R16;S16")
                                        << "1|a|b|Start|End" << 0 << 0 << "16,2147483647,16"
                                        << "";
}

void TestBoardFiles::sideHeader()
{
    QFETCH(QByteArray, header);
    QFETCH(QString, texts);
    QFETCH(int, mode);
    QFETCH(int, font);
    QFETCH(QString, numbers);
    QFETCH(QString, separator);

    Fixture f;
    // Fields a short header line leaves alone keep their values.
    f.route.setSideStartingPoint(1, QStringLiteral("Start"));
    f.route.setSideDestination(1, QStringLiteral("End"));
    f.route.setSideMode(ModeMoscow);
    QVERIFY(f.put("sidetab.txt", header));
    QVERIFY(readSideFile(f.route));
    const Route &r = f.route;
    QCOMPARE(QStringList({r.sideNumber(), r.sideStartingPoint(0), r.sideDestination(0),
                          r.sideStartingPoint(1), r.sideDestination(1)})
                 .join(QLatin1Char('|')),
             texts);
    QCOMPARE(r.sideMode(), mode);
    QCOMPARE(r.sideFont(), font);
    QCOMPARE(QStringLiteral("%1,%2,%3")
                 .arg(r.sideInterval())
                 .arg(r.sideStationCount())
                 .arg(r.sideStationInterval()),
             numbers);
    QCOMPARE(r.sideSeparator(), separator);
}

void TestBoardFiles::sideStationNames_data()
{
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QStringList>("second");

    const QStringList derived{"Один.", "Два.", "Три"};
    const QStringList none{"", "", ""};
    QTest::newRow("named") << QByteArray("1 Альфа\r\n  Alpha\r\n3 Гамма\r\n")
                           << QStringList{"Альфа", "", "Гамма"} << QStringList{"Alpha", "", ""};
    QTest::newRow("windows-1251") << cp1251("2  Бета \r\n  Вторая\r\n")
                                  << QStringList{"", "Бета", ""} << QStringList{"", "Вторая", ""};
    QTest::newRow("second language only")
        << QByteArray("2\r\n  Beta\r\n") << none << QStringList{"", "Beta", ""};
    QTest::newRow("last line wins, no line end")
        << QByteArray("1 a\r\n1 b") << QStringList{"b", "", ""} << none;
    QTest::newRow("numbers outside the list")
        << QByteArray("0 zero\r\n4 four\r\n-1 minus\r\nx y\r\n-2147483648 min\r\n"
                      "4294967298 wraps\r\n")
        << derived << none;
    QTest::newRow("empty names") << QByteArray("1 \r\n2\r\n3   \r\n  \r\n") << derived << none;
    QTest::newRow("no station lines") << QByteArray() << derived << none;
    QTest::newRow("blank lines between")
        << QByteArray("\r\n\r\n2 b\r\n\r\n3 c\r\n") << QStringList{"", "b", "c"} << none;
}

void TestBoardFiles::sideStationNames()
{
    QFETCH(QByteArray, lines);
    QFETCH(QStringList, first);
    QFETCH(QStringList, second);

    Fixture f;
    QVERIFY(f.put("sidetab.txt", "1\\\\a\\\\b\\\\F11;\r\n  c\\\\d\r\n  skipped\r\n" + lines));
    QVERIFY(readSideFile(f.route));
    QCOMPARE(f.sideNames(0), first);
    QCOMPARE(f.sideNames(1), second);
}

void TestBoardFiles::missingBoardFilesCopyFront()
{
    Fixture f;
    QVERIFY(!readSideFile(f.route));
    QVERIFY(!readBackFile(f.route));
    const Route &r = f.route;
    for (int lang = 0; lang < 2; ++lang) {
        QCOMPARE(r.sideStartingPoint(lang), r.frontStartingPoint(lang));
        QCOMPARE(r.sideDestination(lang), r.frontDestination(lang));
        QCOMPARE(r.backStartingPoint(lang), r.frontStartingPoint(lang));
        QCOMPARE(r.backDestination(lang), r.frontDestination(lang));
    }
    QCOMPARE(r.sideNumber(), QStringLiteral("F"));
    QCOMPARE(r.backNumber(), QStringLiteral("F"));
    QCOMPARE(r.sideMode(), ModeStatic | ModeOnlyDestination | ModeCenter);
    QCOMPARE(r.backMode(), int(ModeMoscow));
    QCOMPARE(r.sideFont(), 2);
    QCOMPARE(r.backFont(), 2);
    QCOMPARE(r.sideInterval(), 7);
    QCOMPARE(r.backInterval(), 7);
    QCOMPARE(r.sideStationCount(), 5);
    QCOMPARE(r.sideStationInterval(), 3);
    QCOMPARE(r.sideSeparator(), QString::fromUtf8(defaultSideSeparator));
    QCOMPARE(f.sideNames(0), QStringList({"Один.", "Два.", "Три"}));
}

void TestBoardFiles::backHeader_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("texts");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("font");
    QTest::addColumn<int>("interval");

    QTest::newRow("zero bytes") << QByteArray() << "|||Start|End" << 0 << 0 << 4;
    QTest::newRow("options") << utf8Bom +
                                    "9\\\\A\\\\B_C_M\\\\F00;R20;N3;T x;#fff;\r\n  C \\\\ D\r\n"
                             << "9|A|B|C|D" << 24 << 3 << 16;
    QTest::newRow("further lines ignored")
        << QByteArray("9\\\\A\\\\B\\\\R0\r\n\r\n  C\\\\D\r\n") << "9|A|B|Start|End" << 0 << 0 << 1;
    QTest::newRow("one leading space is no second-language line")
        << QByteArray("9\\\\A\\\\B\\\\F11;R4;\r\n C\\\\D\r\n") << "9|A|B|Start|End" << 0 << 0 << 4;
    QTest::newRow("windows-1251") << cp1251("Б\\\\Депо\\\\Парк_S\\\\F10;\r\n  Депо2\r\n")
                                  << "Б|Депо|Парк|Депо2|" << 1 << 2 << 4;
}

void TestBoardFiles::backHeader()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, texts);
    QFETCH(int, mode);
    QFETCH(int, font);
    QFETCH(int, interval);

    Fixture f;
    f.route.setBackStartingPoint(1, QStringLiteral("Start"));
    f.route.setBackDestination(1, QStringLiteral("End"));
    f.route.setFrontFontFromStationFile(false);
    QVERIFY(f.put("backtab.txt", content));
    QVERIFY(readBackFile(f.route));
    const Route &r = f.route;
    QCOMPARE(QStringList({r.backNumber(), r.backStartingPoint(0), r.backDestination(0),
                          r.backStartingPoint(1), r.backDestination(1)})
                 .join(QLatin1Char('|')),
             texts);
    QCOMPARE(r.backMode(), mode);
    QCOMPARE(r.backFont(), font);
    QCOMPARE(r.backInterval(), interval);
    QVERIFY(!r.frontFontFromStationFile());
}

void TestBoardFiles::scriptKeys_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("fontFromStationFile");
    QTest::addColumn<QString>("fields");

    QTest::newRow("missing file") << QByteArray("-") << false
                                  << "BT=(MO)2(MNNSABRT)0 ad=Reklama SM=00 BR=10 font=5 cycle=0 "
                                     "marsh=Маршрут %n.| out= in= st=| next=";
    QTest::newRow("zero bytes") << QByteArray() << false
                                << "BT=(MO)2(MNNSABRT)0 ad=Reklama SM=00 BR=10 font=5 cycle=0 "
                                   "marsh=Маршрут %n.| out= in= st=| next=";
    QTest::newRow("first line keys")
        << utf8Bom + " BT:(M)1 PATH_REKLAMA:/Ads/ SM:YB BR:32 TABLO_FONT:0 CYCLE_PLAY X:1\r\n"
        << false
        << "BT=(M)1 ad=Ads SM=61 BR=32 font=3 cycle=1 marsh=Маршрут %n.| out= in= st=| next=";
    QTest::newRow("empty and odd values")
        << QByteArray(" BT: SM: BR: TABLO_FONT: PATH_REKLAMA:x CYCLE_PLAY:0") << false
        << "BT=(MO)2(MNNSABRT)0 ad=x SM=00 BR=10 font=5 cycle=1 marsh=Маршрут %n.| out= in= "
           "st=| next=";
    QTest::newRow("ad folder with .. kept as written")
        << QByteArray(" PATH_REKLAMA:/Ads/../../x/ PATH_REKLAMA:..\\y") << false
        << "BT=(MO)2(MNNSABRT)0 ad=..\\y SM=00 BR=10 font=5 cycle=0 marsh=Маршрут %n.| out= "
           "in= st=| next=";
    QTest::newRow("letters without a colour") << QByteArray(" SM:xW BR:4a3 TABLO_FONT:1") << false
                                              << "BT=(MO)2(MNNSABRT)0 ad=Reklama SM=07 BR=10 "
                                                 "font=5 cycle=0 marsh=Маршрут %n.| out= in= "
                                                 "st=| next=";
    QTest::newRow("two font digits") << QByteArray(" TABLO_FONT:10") << false
                                     << "BT=(MO)2(MNNSABRT)0 ad=Reklama SM=00 BR=10 font=2 "
                                        "cycle=0 marsh=Маршрут %n.| out= in= st=| next=";
    QTest::newRow("font of ost.txt wins") << QByteArray(" TABLO_FONT:00") << true
                                          << "BT=(MO)2(MNNSABRT)0 ad=Reklama SM=00 BR=10 font=5 "
                                             "cycle=0 marsh=Маршрут %n.| out= in= st=| next=";
    QTest::newRow("texts of both languages")
        << QByteArray(" MARSH:\"a \\\"b\\\" \" MARSH2:\"R\"\r\n TEMP_OUT2:\" o \" TEMP_IN2:i\r\n"
                      " WORD_ST:\" Ост \" WORD_ST2:\"Stop \" WORD_NEXT_ST:\"След\"\r\n")
        << false
        << "BT=(MO)2(MNNSABRT)0 ad=Reklama SM=00 BR=10 font=5 cycle=0 marsh=a \"b\" |R out= o  "
           "in=i st=Ост|Stop next=След";
    QTest::newRow("windows-1251 values")
        << cp1251(" MARSH:\"Маршрут\" WORD_ST:Остановка PATH_REKLAMA:/Реклама/") << false
        << "BT=(MO)2(MNNSABRT)0 ad=Реклама SM=00 BR=10 font=5 cycle=0 marsh=Маршрут| out= in= "
           "st=Остановка| next=";
    QTest::newRow("trailing backslash runs to the line end")
        << QByteArray(" MARSH:\"a\\\" MARSH2:\"b\"") << false
        << "BT=(MO)2(MNNSABRT)0 ad=Reklama SM=00 BR=10 font=5 cycle=0 marsh=a\" MARSH2:| "
           "out= in= st=| next=";
    QTest::newRow("keys after station lines are not read")
        << QByteArray(" BR:22\r\n\r\n2 x.wav\r\n BT:(X)1\r\n-2147483648 a.wav\r\n") << false
        << "BT=(MO)2(MNNSABRT)0 ad=Reklama SM=00 BR=22 font=5 cycle=0 marsh=Маршрут %n.| out= "
           "in= st=| next=";
}

void TestBoardFiles::scriptKeys()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, fontFromStationFile);
    QFETCH(QString, fields);

    Fixture f;
    f.route.setStationWord(0, QString());
    f.route.setFrontFont(5);
    f.route.setFrontFontFromStationFile(fontFromStationFile);
    f.route.setRouteText(1, QStringLiteral("old"));
    f.route.setLeftSofitColor(3);
    f.route.setBrCode(1, 3);
    f.route.setCyclePlay(true);
    if (content != "-")
        QVERIFY(f.put("script.txt", content));
    QCOMPARE(readScriptFile(f.route), content != "-");
    QCOMPARE(scriptFields(f.route), fields);
}

void TestBoardFiles::scriptWriter_data()
{
    QTest::addColumn<QByteArray>("order");
    QTest::addColumn<QString>("adFolder");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::addColumn<QString>("routeText");
    QTest::addColumn<QByteArray>("expected"); // lines 1 and 2

    QTest::newRow("plain") << QByteArray("(MO)2") << "Reklama" << 4 << 2 << "Маршрут"
                           << QByteArray(" BT:(MO)2 PATH_REKLAMA:/Reklama/ SM:RG BR:13 "
                                         "TABLO_FONT:0\r\n MARSH:\"Маршрут\"");
    QTest::newRow("codes without a letter")
        << QByteArray("(MO)2") << "12/Rek" << 3 << 9 << ""
        << QByteArray(" BT:(MO)2 PATH_REKLAMA:/12/Rek/ SM:OO BR:13 TABLO_FONT:0\r\n MARSH:\"\"");
    QTest::newRow("every letter") << QByteArray("") << "R" << 1 << 7 << "a\"b\"c"
                                  << QByteArray(" BT: PATH_REKLAMA:/R/ SM:BW BR:13 "
                                                "TABLO_FONT:0\r\n MARSH:\"a\\\"b\\\"c\"");
    // Values with a space are quoted, or they would be cut at the space on reading.
    QTest::newRow("spaces") << QByteArray("(A) 1") << "My ads" << 6 << 0 << "x\\"
                            << QByteArray(" BT:\"(A) 1\" PATH_REKLAMA:\"/My ads/\" SM:YO BR:13 "
                                          "TABLO_FONT:0\r\n MARSH:\"x\\ \"");
}

void TestBoardFiles::scriptWriter()
{
    QFETCH(QByteArray, order);
    QFETCH(QString, adFolder);
    QFETCH(int, left);
    QFETCH(int, right);
    QFETCH(QString, routeText);
    QFETCH(QByteArray, expected);

    Fixture f;
    f.route.setSalonTabloOrder(order);
    f.route.setAdPath(f.dir.path() + QLatin1Char('/') + adFolder);
    f.route.setLeftSofitColor(left);
    f.route.setRightSofitColor(right);
    f.route.setBrCode(0, 1);
    f.route.setBrCode(1, 3);
    f.route.setFrontFont(1);
    f.route.setRouteText(0, routeText);
    QVERIFY(writeScriptFile(f.route));
    const QByteArray written = testsupport::readAll(f.file("script.txt"));
    QVERIFY(written.startsWith(utf8Bom + expected + "\r\n"));

    // What is written reads back as it was.
    Route back;
    back.setPath(f.route.path());
    QVERIFY(readScriptFile(back));
    QCOMPARE(back.salonTabloOrder(), order.isEmpty() ? QByteArray(defaultSalonTabloOrder) : order);
    QCOMPARE(back.adPath(), f.route.adPath());
    QCOMPARE(back.routeText(0), routeText.endsWith('\\') ? routeText + ' ' : routeText);
}

// Texts that would merge with the field separator or come back cut are kept apart.
void TestBoardFiles::boardWriters_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QByteArray>("header");

    QTest::newRow("empty") << ""
                           << ""
                           << "" << 0 << QByteArray(" \\\\ \\\\ \\\\");
    QTest::newRow("all modes") << "1"
                               << "a"
                               << "" << 31 << QByteArray("1\\\\a\\\\ _S_N_V_C_M\\\\");
    QTest::newRow("trailing backslashes") << "1\\"
                                          << "a\\"
                                          << "b\\" << 0 << QByteArray("1\\ \\\\a\\ \\\\b\\ \\\\");
    QTest::newRow("backslash before a suffix") << "1"
                                               << "a"
                                               << "b\\" << 8 << QByteArray("1\\\\a\\\\b\\_C\\\\");
}

void TestBoardFiles::boardWriters()
{
    QFETCH(QString, number);
    QFETCH(QString, start);
    QFETCH(QString, destination);
    QFETCH(int, mode);
    QFETCH(QByteArray, header);

    Fixture f;
    f.route.setSideNumber(number);
    f.route.setBackNumber(number);
    f.route.setSideStartingPoint(0, start);
    f.route.setBackStartingPoint(0, start);
    f.route.setSideDestination(0, destination);
    f.route.setBackDestination(0, destination);
    f.route.setSideMode(mode);
    f.route.setBackMode(mode);
    QVERIFY(writeSideFile(f.route));
    QVERIFY(writeBackFile(f.route));
    QVERIFY(testsupport::readAll(f.file("sidetab.txt")).startsWith(utf8Bom + header + "F"));
    QVERIFY(testsupport::readAll(f.file("backtab.txt")).startsWith(utf8Bom + header + "F"));

    Fixture g;
    g.route.setPath(f.route.path());
    QVERIFY(readSideFile(g.route));
    QVERIFY(readBackFile(g.route));
    for (const QStringList &read : {QStringList{g.route.sideNumber(), g.route.sideStartingPoint(0),
                                                g.route.sideDestination(0)},
                                    QStringList{g.route.backNumber(), g.route.backStartingPoint(0),
                                                g.route.backDestination(0)}})
        QCOMPARE(read, QStringList({number, start, destination}));
    QCOMPARE(g.route.sideMode(), mode);
    QCOMPARE(g.route.backMode(), mode);
}

void TestBoardFiles::adScript_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("text files only")
        << QByteArray("a.txt\r\nb.wav\r\n\r\nC.TXT\r\n") << QStringList{"a.txt", "C.TXT"};
    QTest::newRow("utf8Bom, no last line end, duplicates")
        << utf8Bom + " x.txt \nx.txt\rx.txt" << QStringList{"x.txt", "x.txt\rx.txt"};
    QTest::newRow("windows-1251") << cp1251("реклама.txt\r\nзвук.mp3\r\n")
                                  << QStringList{"реклама.txt"};
    QTest::newRow("zero bytes") << QByteArray() << QStringList();
}

void TestBoardFiles::adScript()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, names);

    Fixture f;
    const QString adFolder = f.dir.path() + QStringLiteral("/Ads");
    QVERIFY(QDir().mkpath(adFolder));
    QVERIFY(testsupport::writeAll(adFolder + QStringLiteral("/rscript.txt"), content));
    f.route.setAdPath(adFolder);
    f.route.setAdTextFiles({QStringLiteral("old.txt")});
    QVERIFY(readAdScript(f.route));
    QCOMPARE(f.route.adTextFiles(), names);
    QCOMPARE(readAdScriptOf(adFolder), names);

    // Written back as UTF-8 without byte order mark, one CR LF per name; a CR inside a name
    // becomes a space so that the name stays on its line.
    QVERIFY(writeAdScript(f.route));
    QByteArray expected;
    for (const QString &name : names)
        expected += name.toUtf8().replace('\r', ' ') + "\r\n";
    QCOMPARE(testsupport::readAll(adFolder + QStringLiteral("/rscript.txt")), expected);
}

void TestBoardFiles::adScriptWithoutFolder()
{
    Fixture f;
    f.route.setAdPath(f.dir.path() + QStringLiteral("/Reklama"));
    f.route.setAdTextFiles({QStringLiteral("a.txt")});
    QVERIFY(!readAdScript(f.route));
    QVERIFY(f.route.adTextFiles().isEmpty());
    QVERIFY(readAdScriptOf(f.route.adPath()).isEmpty());
    f.route.setAdTextFiles({QStringLiteral("a.txt")});
    QVERIFY(writeAdScript(f.route));
    QVERIFY(!QFileInfo::exists(f.route.adPath()));
    QCOMPARE(foldertree::read(f.dir.path()).keys(), QStringList({"12/"}));
}

// A pasted line break must not split a line of the file: it is written as a space, so the file
// is the one the same text with spaces gives, and the text reads back with those spaces.
void TestBoardFiles::lineBreaksWrittenAsSpaces_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("spaced");
    const int count = int(sizeof textFields / sizeof *textFields);
    for (int i = 0; i < count; ++i) {
        QTest::addRow("%s CR LF", textFields[i].name)
            << i << QStringLiteral("a\r\n1 b") << QStringLiteral("a  1 b");
        QTest::addRow("%s LF", textFields[i].name)
            << i << QStringLiteral("x\n2 Ж") << QStringLiteral("x 2 Ж");
    }
}

void TestBoardFiles::lineBreaksWrittenAsSpaces()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(QString, spaced);
    const TextField &f = textFields[field];
    auto write = [&f](Fixture &fixture, const QString &value) {
        f.set(fixture.route, value);
        return writeSideFile(fixture.route) && writeBackFile(fixture.route) &&
               writeScriptFile(fixture.route);
    };
    Fixture broken;
    Fixture plain;
    QVERIFY(write(broken, text));
    QVERIFY(write(plain, spaced));
    const QByteArray bytes = testsupport::readAll(broken.file(f.file));
    QCOMPARE(bytes, testsupport::readAll(plain.file(f.file)));

    Fixture back;
    back.route.setPath(broken.route.path());
    QVERIFY(readScriptFile(back.route));
    QVERIFY(readBackFile(back.route));
    QVERIFY(readSideFile(back.route));
    f.set(plain.route, spaced); // the words are kept trimmed
    QCOMPARE(f.get(back.route), f.get(plain.route));
}

// The second-language line has one layout on all three boards.
void TestBoardFiles::secondLanguageLines_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QByteArray>("line"); // empty: no second line

    QTest::newRow("both") << QStringLiteral("Старт") << QStringLiteral("Финиш")
                          << QByteArray("  Старт\\\\Финиш");
    QTest::newRow("starting point only") << "a"
                                         << "" << QByteArray("  a");
    QTest::newRow("destination only") << ""
                                      << "b" << QByteArray("   \\\\b");
    QTest::newRow("backslash at the line end") << "a\\"
                                               << "" << QByteArray("  a\\");
    QTest::newRow("backslash before the separator") << "a\\"
                                                    << "b\\" << QByteArray("  a\\ \\\\b\\");
    QTest::newRow("none") << ""
                          << "" << QByteArray();
}

void TestBoardFiles::secondLanguageLines()
{
    QFETCH(QString, start);
    QFETCH(QString, destination);
    QFETCH(QByteArray, line);

    Fixture f;
    f.route.setFrontStartingPoint(1, start);
    f.route.setFrontDestination(1, destination);
    f.route.setSideStartingPoint(1, start);
    f.route.setSideDestination(1, destination);
    f.route.setBackStartingPoint(1, start);
    f.route.setBackDestination(1, destination);
    QVERIFY(writeStationFile(f.route));
    QVERIFY(writeSideFile(f.route));
    QVERIFY(writeBackFile(f.route));
    for (const char *name : {"ost.txt", "sidetab.txt", "backtab.txt"}) {
        const QList<QByteArray> lines = testsupport::readAll(f.file(name)).split('\n');
        QVERIFY2(lines.size() >= 2, name);
        QCOMPARE(lines.at(1).startsWith("  ") ? lines.at(1) : QByteArray(),
                 line.isEmpty() ? QByteArray() : line + '\r');
    }

    Fixture g;
    g.route.setPath(f.route.path());
    g.route.setFrontStartingPoint(1, QString());
    g.route.setFrontDestination(1, QString());
    QVERIFY(readStationFile(g.route));
    QVERIFY(readSideFile(g.route));
    QVERIFY(readBackFile(g.route));
    const QStringList expected{start, destination};
    QCOMPARE(QStringList({g.route.frontStartingPoint(1), g.route.frontDestination(1)}), expected);
    QCOMPARE(QStringList({g.route.sideStartingPoint(1), g.route.sideDestination(1)}), expected);
    QCOMPARE(QStringList({g.route.backStartingPoint(1), g.route.backDestination(1)}), expected);
}

QTEST_GUILESS_MAIN(TestBoardFiles)
#include "tst_boardfiles.moc"
