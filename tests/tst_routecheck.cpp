// The route check: folder contents in, findings out; the example route; the command line
// run as a program; the panel taking the user to a finding's place.
#include "boardcheck.h"
#include "fronttablowidget.h"
#include "route.h"
#include "routecheckpanel.h"
#include "routeform.h"
#include "testsupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QUndoStack>
#include <QtTest>

namespace {

// A clean route of two stations in one language, with its ad folder beside it.
const QMap<QString, QByteArray> baseFolder = {
    {"r/ost.txt", "5\\\\Вокзал\\\\Парк_S_C\\\\F11;R4;#080;\n"
                  "1 Остановка Вокзал.\\\\Следующая остановка Парк.\n  a.wav\n"
                  "2 Остановка Парк.\n  b.wav, b.txt\n3 END\n"},
    {"r/coord.txt", " NEXTDELAY:5\n1 55.00000 37.00000 25\n2 55.01000 37.00000 25\n"},
    {"r/script.txt", " PATH_REKLAMA:/Reklama/ WORD_ST:\"Остановка\"\n"},
    {"r/editor.ini", "frontTabloType=4\nsideTabloType=4\nbackTabloType=4\n"},
    {"r/a.wav", "RIFF"},
    {"r/b.wav", "RIFF"},
    {"r/b.txt", "текст"},
    {"Reklama/rscript.txt", "x.txt\n"},
    {"Reklama/x.txt", "реклама"},
};

// Entries "path=content" replace or add a file, "-path" removes one.
bool makeFolder(const QString &root, const QStringList &changes)
{
    QMap<QString, QByteArray> files = baseFolder;
    for (const QString &change : changes) {
        if (change.startsWith('-')) {
            files.remove(change.mid(1));
            continue;
        }
        const int eq = change.indexOf('=');
        files.insert(change.left(eq), change.mid(eq + 1).toUtf8());
    }
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        const QString path = root + '/' + it.key();
        if (!QDir().mkpath(QFileInfo(path).path()) || !testsupport::writeAll(path, it.value()))
            return false;
    }
    return true;
}

QStringList findingLines(const QString &folder)
{
    Route route(folder);
    QStringList lines;
    for (const RouteFinding &f : BoardCheck::run(route, BoardCheck::modelsOfFolder(folder, {})))
        lines << RouteFinding::severityName(f.severity) + ": " + f.text();
    return lines;
}

QString ost(const QString &header, const QString &stations)
{
    return "r/ost.txt=" + header + "\n" + stations + "\n3 END\n";
}

const QString header = "5\\\\Вокзал\\\\Парк_S_C\\\\F11;R4;#080;";
const QString station2 = "2 Остановка Парк.\n  b.wav, b.txt";

} // namespace

class TestRouteCheck : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void findings_data();
    void findings();
    void textAreaMatchesPreview();
    void exampleRouteHasNoErrors();
    void commandLine_data();
    void commandLine();
    void commandLineEscapesControls();
    void panelShowsPlace();

private:
    QTemporaryDir m_tmp;
    int m_folders = 0;
    QString newFolder(const QStringList &changes);
};

void TestRouteCheck::initTestCase()
{
    testsupport::isolateSettings();
    QVERIFY(m_tmp.isValid());
}

QString TestRouteCheck::newFolder(const QStringList &changes)
{
    const QString root = m_tmp.path() + QStringLiteral("/%1").arg(++m_folders);
    return makeFolder(root, changes) ? root + "/r" : QString();
}

void TestRouteCheck::findings_data()
{
    QTest::addColumn<QStringList>("changes");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("clean") << QStringList() << QStringList();
    QTest::newRow("files") << QStringList{"-r/a.wav",     "-r/b.txt",     "-r/b.wav",
                                          "r/B.wav=RIFF", "r/extra.mp3=", "r/notes.doc="}
                           << QStringList{
                                  "error: станция 1 «Вокзал.»: нет файла a.wav",
                                  "error: станция 2 «Парк.»: нет файла b.txt",
                                  "warning: станция 2 «Парк.»: файл b.wav есть только как B.wav "
                                  "(другой регистр букв)",
                                  "note: папка маршрута: файл extra.mp3 нигде не используется"};
    QTest::newRow("ads") << QStringList{"Reklama/rscript.txt=x.txt\ny.txt\n", "Reklama/old.txt="}
                         << QStringList{"error: список рекламы: нет файла y.txt в папке рекламы",
                                        "note: папка рекламы: файл old.txt нигде не используется"};
    QTest::newRow("characters")
        << QStringList{ost("5\\\\Вокзал\\\\Café_S_C\\\\F11;R4;#080;",
                           "1 Остановка «Вокзал» “1”.\n  a.wav\n" + station2)}
        << QStringList{
               "error: переднее табло: пункт назначения «Café»: символ «é» (U+00E9) не "
               "отображается шрифтами табло",
               "error: боковое табло: пункт назначения «Café»: символ «é» (U+00E9) не отображается "
               "шрифтами табло",
               "error: заднее табло: пункт назначения «Café»: символ «é» (U+00E9) не отображается "
               "шрифтами табло",
               "error: станция 1 ««Вокзал» “1”.»: объявление остановки «Остановка «Вокзал» “1”.»: "
               "символы ««» (U+00AB), «“» (U+201C), «”» (U+201D) не отображаются шрифтами табло"};
    QTest::newRow("second language")
        << QStringList{ost(header + "\n  Station\\\\Park",
                           "1 Остановка Вокзал.\n  Stop Station.\n  a.wav\n" + station2)}
        << QStringList{
               "error: маршрут: слово «Остановка»: нет текста на втором языке",
               "error: салонное табло: текст маршрута: нет текста на втором языке",
               "error: салонное табло: температура в салоне: нет текста на втором языке",
               "error: салонное табло: температура на улице: нет текста на втором языке",
               "error: станция 2 «Парк.»: объявление остановки: нет текста на втором языке",
               "error: станция 2 «Парк.»: название на боковом табло: нет текста на втором языке"};
    QTest::newRow("no name") << QStringList{ost(header,
                                                "1 Остановка Вокзал.\n  a.wav\n2 \n  b.wav, b.txt")}
                             << QStringList{"error: станция 2: нет названия"};
    QTest::newRow("no coordinate")
        << QStringList{"r/coord.txt= NEXTDELAY:5\n1 55.00000 37.00000 25\n2 \n"}
        << QStringList{
               "warning: станция 2 «Парк.»: нет координат: объявление по положению не сработает"};
    QTest::newRow("far apart")
        << QStringList{"r/coord.txt= NEXTDELAY:5\n1 55.00000 37.00000 25\n2 56.00000 37.00000 25\n"}
        << QStringList{
               "warning: станция 2 «Парк.»: до предыдущей станции 1 111.2 км, больше 30 км"};
    QTest::newRow("same place")
        << QStringList{"r/coord.txt= NEXTDELAY:5\n1 55.00000 37.00000 25\n2 55.00000 37.00000 25\n"}
        << QStringList{"warning: станция 2 «Парк.»: та же координата, что у предыдущей станции 1"};
    QTest::newRow("circles overlap")
        << QStringList{"r/coord.txt= NEXTDELAY:5\n1 55.00000 37.00000 25\n2 55.00030 37.00000 20\n"}
        << QStringList{"warning: станция 2 «Парк.»: круги срабатывания пересекаются с предыдущей "
                       "станции 1: 33 м между точками, радиусы 25 и 20 м"};
    QTest::newRow("same place where the way back starts")
        << QStringList{ost(header, "1 Остановка Вокзал.\\\\Следующая остановка Парк.\n  a.wav\n"
                                   "2 STOP Остановка Парк.\n  b.wav, b.txt"),
                       "r/coord.txt= NEXTDELAY:5\n1 55.00000 37.00000 25\n2 55.00000 37.00000 25\n"}
        << QStringList();
    QTest::newRow("radius 0")
        << QStringList{"r/coord.txt= NEXTDELAY:5\n1 55.00000 37.00000 25\n2 55.01000 37.00000 0\n"}
        << QStringList{
               "warning: станция 2 «Парк.»: радиус 0: объявление по положению не сработает"};
    QTest::newRow("texts that a save changes or the equipment cuts")
        << QStringList{ost("12345\\\\Вокзал_S_C\\\\Парк_C\\\\F11;R4;#080;",
                           "1 Остановка Вокзал.\n  a.wav\n" + station2),
                       "-r/sidetab.txt", "-r/backtab.txt"}
        << QStringList{
               "warning: переднее табло: пункт назначения «Парк_C»: окончание «_C» читается как "
               "режим табло, текст может не сохраниться как есть",
               "warning: боковое табло: пункт назначения «Парк_C»: окончание «_C» читается как "
               "режим табло, текст может не сохраниться как есть",
               "warning: заднее табло: пункт назначения «Парк_C»: окончание «_C» читается как "
               "режим табло, текст может не сохраниться как есть",
               "warning: переднее табло: номер: 5 символов, оборудование показывает не больше 4",
               "warning: боковое табло: номер: 5 символов, оборудование показывает не больше 4",
               "warning: заднее табло: номер: 5 символов, оборудование показывает не больше 4"};
    const QString longText = ost("5\\\\Вокзал\\\\Микрорайон Северный, конечная_S_C\\\\F11;R4;#080;",
                                 "1 Остановка Вокзал.\n  a.wav\n" + station2);
    QTest::newRow("fits 32x320") << QStringList{longText} << QStringList();
    QTest::newRow("too wide for 32x192")
        << QStringList{longText,
                       "r/editor.ini=frontTabloType=0\nsideTabloType=4\nbackTabloType=4\n"}
        << QStringList{"warning: переднее табло: текст «Микрорайон Северный, конечная» не "
                       "помещается на табло «Табло 32x192 цветное»: 223 точек при ширине 182"};
}

void TestRouteCheck::findings()
{
    QFETCH(QStringList, changes);
    QFETCH(QStringList, expected);
    const QString folder = newFolder(changes);
    QVERIFY(!folder.isEmpty());
    const QStringList actual = findingLines(folder);
    if (actual != expected)
        qWarning().noquote() << actual.join('\n');
    QCOMPARE(actual, expected);
}

// The check measures the text area the way the preview lays the board out.
void TestRouteCheck::textAreaMatchesPreview()
{
    FrontTabloWidget board;
    for (int type = Board32x192; type <= Board24x144; ++type) {
        for (const QString number : {"", "7", "125К", "1234"}) {
            for (const int light : {0, 6}) {
                board.setBoardType(type);
                board.setNumber(number);
                board.setLeftSofitColor(light);
                board.refreshTablo();
                QCOMPARE(BoardCheck::textAreaWidth(type, number, light != 0),
                         board.clipRect().right() + 1 - board.textStart());
            }
        }
    }
}

// The bundled route has no errors: its English side destination is two LEDs too wide
// for the small side board in the bold font, and an ad text is kept for later.
void TestRouteCheck::exampleRouteHasNoErrors()
{
    QCOMPARE(findingLines(QStringLiteral(TESSALY_EXAMPLES "/route12")),
             (QStringList{"warning: боковое табло: текст «Severny District» (язык 2) не "
                          "помещается на табло «Табло 16x128»: 109 точек при ширине 107",
                          "note: папка рекламы: файл akciya-leto.txt нигде не используется"}));
}

void TestRouteCheck::commandLine_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("output"); // {bad} and {good} stand for the folders

    const QString goodSummary = "{good}: ошибок: 0, предупреждений: 0, замечаний: 0";
    QTest::newRow("clean") << QStringList{"--check", "{good}"} << 0 << QStringList{goodSummary};
    QTest::newRow("errors") << QStringList{"--check", "{bad}", "{good}"} << 1
                            << QStringList{"{bad}: error: станция 1 «Вокзал.»: нет файла a.wav",
                                           "{bad}: ошибок: 1, предупреждений: 0, замечаний: 0",
                                           goodSummary};
    QTest::newRow("unreadable") << QStringList{"--check", "{good}/nothing", "{good}"} << 2
                                << QStringList{goodSummary};
    QTest::newRow("json") << QStringList{"--check", "--json", "{bad}"} << 1 << QStringList();
    QTest::newRow("help") << QStringList{"--help"} << 0 << QStringList();
}

void TestRouteCheck::commandLine()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QStringList, output);
    const QString good = newFolder({});
    const QString bad = newFolder({"-r/a.wav"});
    for (QStringList *list : {&args, &output})
        list->replaceInStrings("{good}", good).replaceInStrings("{bad}", bad);

    QProcess tessaly;
    tessaly.start(QStringLiteral(TESSALY_EXECUTABLE), args);
    QVERIFY(tessaly.waitForFinished(60000));
    const QString out = QString::fromUtf8(tessaly.readAllStandardOutput());
    QCOMPARE(tessaly.exitCode(), exitCode);
    if (args.contains("--help")) {
        QVERIFY(out.contains("--check") && out.contains("--json"));
    } else if (args.contains("--json")) {
        QJsonParseError error;
        const QJsonArray folders = QJsonDocument::fromJson(out.toUtf8(), &error).array();
        QCOMPARE(error.error, QJsonParseError::NoError);
        const QJsonObject folder = folders.at(0).toObject();
        QCOMPARE(folder.value("errors").toInt(), 1);
        const QJsonObject finding = folder.value("findings").toArray().at(0).toObject();
        QCOMPARE(finding.value("severity").toString(), QStringLiteral("error"));
        QCOMPARE(finding.value("station").toInt(), 1);
        QCOMPARE(finding.value("file").toString(), QStringLiteral("a.wav"));
    } else {
        QCOMPARE(out.split('\n', Qt::SkipEmptyParts), output);
    }
}

// Control characters from the data reach the terminal escaped, as in the JSON output.
void TestRouteCheck::commandLineEscapesControls()
{
    const QString folder = newFolder(
        {"-r/a.wav", ost(header, "1 Остановка Вок\x1b\tзал.\n  a.wav\n" + station2)});
    QProcess tessaly;
    tessaly.start(QStringLiteral(TESSALY_EXECUTABLE), {"--check", folder});
    QVERIFY(tessaly.waitForFinished(60000));
    const QString out = QString::fromUtf8(tessaly.readAllStandardOutput());
    QVERIFY2(out.contains(QStringLiteral("станция 1 «Вок\\u001b\\tзал.»: нет файла a.wav")),
             qPrintable(out));
    for (const QChar c : out)
        QVERIFY(c >= QChar(0x20) || c == QLatin1Char('\n'));
}

// A double click on a finding shows its station and page, as undo would.
void TestRouteCheck::panelShowsPlace()
{
    const QString folder =
        newFolder({"-r/b.txt", ost("5\\\\Вокзал\\\\Café_S_C\\\\F11;R4;#080;",
                                   "1 Остановка Вокзал.\n  a.wav\n" + station2)});
    RouteForm form;
    form.setNextStopAsker([](bool yes) { return yes; });
    form.openRoute(folder);
    RouteCheckPanel panel;
    panel.setForm(&form);
    panel.show();
    QTreeWidget *tree = panel.tree();
    auto doubleClick = [&](const QString &text) {
        const QList<QTreeWidgetItem *> items =
            tree->findItems(text, Qt::MatchContains | Qt::MatchRecursive);
        QVERIFY(!items.isEmpty());
        const QPoint at = tree->visualItemRect(items.first()).center();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
    };
    auto *routeTabs = form.findChild<QTabWidget *>("routeTabs");
    auto *stationTabs = form.findChild<QTabWidget *>("stationTabs");

    doubleClick("нет файла b.txt");
    QCOMPARE(form.currentStation(), 1);
    QCOMPARE(stationTabs->currentIndex(), int(RouteForm::TextTab));
    QCOMPARE(form.findChild<QListWidget *>("textFileList")->currentRow(), 0);

    doubleClick("переднее табло");
    QCOMPARE(form.currentStation(), -1);
    QCOMPARE(routeTabs->currentIndex(), int(RouteForm::FrontTab));

    // The list follows the route after every step of the undo stack.
    const int before = panel.findings().size();
    QVERIFY(testsupport::writeAll(folder + "/b.txt", "текст"));
    form.undoStack()->push(new QUndoCommand);
    QCOMPARE(panel.findings().size(), before - 1);
}

QTEST_MAIN(TestRouteCheck)
#include "tst_routecheck.moc"
