// Destination board preview: layouts and animations checked on the LED matrix.
#include "fronttablowidget.h"
#include "route.h"
#include "testsupport.h"

#include <QContextMenuEvent>
#include <QSignalSpy>
#include <QtTest>

namespace {

// One text as the board is expected to draw it.
struct Draw
{
    QString text;
    int y;
    const BoardFont *font;
    QRgb color;
    int flags;
};
using Draws = QVector<Draw>;

const QRgb Red = 0xFF0000;
const QRgb Green = 0x00FF00;
const QRgb Blue = 0x0000FF;

// A bare matrix of the same size and text area, drawn by hand.
class Reference : public TabloWidget
{
public:
    Reference(const FrontTabloWidget &board, int textStart, int clipRightEdge) : m_start(textStart)
    {
        setMatrixSize(board.matrixColumns(), board.matrixRows());
        setClipRight(clipRightEdge);
    }
    int draw(const QString &text, int y, const BoardFont &font, QRgb color, int flags = 0,
             int x = -1)
    {
        setInkColor(color);
        return drawText(text, x < 0 ? m_start : x, y, font, flags);
    }
    int m_start;
};

int clipRightOf(const TabloWidget &w)
{
    return w.clipRect().right() + 1;
}

int litCount(const TabloWidget &w, const QRect &r)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += w.pixelAt(x, y) != 0;
    return n;
}

QRect litBounds(const TabloWidget &w, const QRect &r)
{
    QRect b;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (w.pixelAt(x, y) != 0)
                b |= QRect(x, y, 1, 1);
    return b;
}

// First place inside r where the two matrices differ, or an empty string.
QString difference(const TabloWidget &a, const TabloWidget &b, const QRect &r)
{
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (a.pixelAt(x, y) != b.pixelAt(x, y))
                return QStringLiteral("(%1, %2): %3 instead of %4")
                    .arg(x)
                    .arg(y)
                    .arg(a.pixelAt(x, y), 6, 16, QLatin1Char('0'))
                    .arg(b.pixelAt(x, y), 6, 16, QLatin1Char('0'));
    return QString();
}

QRect wholeMatrix(const TabloWidget &w)
{
    return QRect(0, 0, w.matrixColumns(), w.matrixRows());
}

// Row masks of each column of a region: what enters at a column, step by step.
quint64 columnMask(const TabloWidget &w, int x, int top, int height)
{
    quint64 mask = 0;
    for (int y = 0; y < height; ++y)
        if (w.pixelAt(x, top + y))
            mask |= quint64(1) << y;
    return mask;
}

QVector<quint64> textColumns(const FrontTabloWidget &board, const QString &text, int y, int height,
                             const BoardFont &font)
{
    Reference ref(board, 0, board.matrixColumns());
    const int width = TabloWidget::textWidth(text, font);
    ref.draw(text, y, font, Red);
    QVector<quint64> columns;
    for (int x = 0; x < width; ++x)
        columns << columnMask(ref, x, y, height);
    return columns;
}

// Splits a column stream into lit bursts separated by at least minGap blank columns.
void splitBursts(const QVector<quint64> &stream, int minGap, QVector<QVector<quint64>> *bursts,
                 QVector<int> *gaps)
{
    QVector<quint64> current;
    int blank = 0;
    bool seenAny = false;
    for (quint64 c : stream) {
        if (c == 0) {
            ++blank;
            continue;
        }
        if (seenAny && blank >= minGap) {
            *bursts << current;
            *gaps << blank;
            current.clear();
        } else if (seenAny) {
            current.append(QVector<quint64>(blank, 0));
        }
        blank = 0;
        seenAny = true;
        current << c;
    }
    if (!current.isEmpty())
        *bursts << current;
}

} // namespace

Q_DECLARE_METATYPE(Draws)

class TestFrontTabloWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void boardTypes_data();
    void boardTypes();
    void sideLights_data();
    void sideLights();
    void number_data();
    void number();
    void staticLayouts_data();
    void staticLayouts();
    void centring();
    void combinedText_data();
    void combinedText();
    void stillPreview();
    void timers_data();
    void timers();
    void doubleClickAndMenu();
    void staticLanguageAlternation();
    void runningLine();
    void stillUpperLineAlternation();
    void upperLineOverStations();
    void verticalStationList_data();
    void verticalStationList();
    void horizontalStationList();
    void separatorInLowerHalf();
    void boardChangeWhileRunning();
    void formatSeparator_data();
    void formatSeparator();
    void badTexts_data();
    void badTexts();
};

void TestFrontTabloWidget::initTestCase()
{
    testsupport::isolateSettings();
    // The layouts below compare against real glyphs; blank fonts would make them vacuous.
    QVERIFY(TabloWidget::textWidth(QStringLiteral("Н"), FontText8x8Thin) > 0);
    QVERIFY(TabloWidget::textWidth(QStringLiteral("7"), FontDigits16x16) > 0);
}

void TestFrontTabloWidget::boardTypes_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("sofitWidth");
    QTest::addColumn<bool>("hasSofitsAfterSofitBoard");

    QTest::newRow("32x192") << int(Board32x192) << 196 << 32 << 16 << false;
    QTest::newRow("32x320") << int(Board32x320) << 320 << 32 << 16 << false;
    QTest::newRow("32x256") << int(Board32x256) << 256 << 32 << 16 << false;
    QTest::newRow("24x144") << int(Board24x144) << 144 << 24 << 12 << false;
    QTest::newRow("16x128 keeps the flag") << int(Board16x128) << 128 << 16 << 0 << true;
    QTest::newRow("16x96+sofits") << int(Board16x96Sofits) << 114 << 16 << 9 << true;
    QTest::newRow("16x96 keeps the flag") << int(Board16x96) << 96 << 16 << 0 << true;
    QTest::newRow("7 ignored") << 7 << 114 << 16 << 9 << true;
    QTest::newRow("-1 ignored") << -1 << 114 << 16 << 9 << true;
    QTest::newRow("1000 ignored") << 1000 << 114 << 16 << 9 << true;
}

void TestFrontTabloWidget::boardTypes()
{
    QFETCH(int, type);
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(int, sofitWidth);
    QFETCH(bool, hasSofitsAfterSofitBoard);

    FrontTabloWidget w;
    w.setBoardType(Board16x96Sofits);
    w.setBoardType(type);
    QCOMPARE(w.matrixColumns(), columns);
    QCOMPARE(w.matrixRows(), rows);
    QCOMPARE(w.sofitWidth(), sofitWidth);
    QCOMPARE(w.hasSofits(), hasSofitsAfterSofitBoard);
}

void TestFrontTabloWidget::sideLights_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("textStart");
    QTest::addColumn<int>("textEnd");
    QTest::addColumn<QRgb>("leftColor");
    QTest::addColumn<QRgb>("rightColor");

    QTest::newRow("32x256 off") << int(Board32x256) << 0 << 0 << 0 << 256 << 0u << 0u;
    QTest::newRow("32x256 yellow left")
        << int(Board32x256) << 6 << 0 << 16 << 240 << 0xFFFF00u << 0u;
    QTest::newRow("32x192 blue, white")
        << int(Board32x192) << 1 << 7 << 16 << 180 << 0x0000FFu << 0xFFFFFFu;
    QTest::newRow("32x320 green right")
        << int(Board32x320) << 0 << 2 << 16 << 304 << 0u << 0x00FF00u;
    QTest::newRow("24x144 red both")
        << int(Board24x144) << 4 << 4 << 12 << 132 << 0xFF0000u << 0xFF0000u;
    QTest::newRow("24x144 off") << int(Board24x144) << 0 << 0 << 0 << 144 << 0u << 0u;
    QTest::newRow("codes 3 and 5 reserve, stay dark")
        << int(Board32x256) << 3 << 5 << 16 << 240 << 0u << 0u;
    QTest::newRow("16x96+sofits off") << int(Board16x96Sofits) << 0 << 0 << 9 << 105 << 0u << 0u;
    QTest::newRow("16x96+sofits on")
        << int(Board16x96Sofits) << 2 << 1 << 9 << 105 << 0x00FF00u << 0x0000FFu;
    QTest::newRow("16x128 has no room") << int(Board16x128) << 7 << 7 << 0 << 128 << 0u << 0u;
    QTest::newRow("16x96 has no room") << int(Board16x96) << 7 << 7 << 0 << 96 << 0u << 0u;
}

void TestFrontTabloWidget::sideLights()
{
    QFETCH(int, type);
    QFETCH(int, left);
    QFETCH(int, right);
    QFETCH(int, textStart);
    QFETCH(int, textEnd);
    QFETCH(QRgb, leftColor);
    QFETCH(QRgb, rightColor);

    FrontTabloWidget w;
    w.setBoardType(type);
    w.setLeftSofitColor(left);
    w.setRightSofitColor(right);
    w.setMode(ModeStatic);
    w.setLine1Color(0xFF00FF);
    w.setStartingPoint(0, QString(300, QChar(0x0428))); // "Ш" fills the line
    w.refreshTablo();

    const int columns = w.matrixColumns();
    const int rows = w.matrixRows();
    QCOMPARE(w.textStart(), textStart);
    QCOMPARE(clipRightOf(w), textEnd);
    const int sw = w.sofitWidth();
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < columns; ++x) {
            const QRgb v = w.pixelAt(x, y);
            if (x < textStart) {
                QCOMPARE(v, x < sw - 1 ? leftColor : 0u);
            } else if (x >= textEnd) {
                QCOMPARE(v, x > columns - sw ? rightColor : 0u);
            } else {
                QVERIFY(v == 0 || v == 0xFF00FF);
            }
        }
    }
    // The text runs up to the last column of its area.
    QVERIFY(litCount(w, QRect(textEnd - 8, 0, 8, rows)) > 0);
    QVERIFY(litCount(w, QRect(textStart, 0, 8, rows)) > 0);
}

void TestFrontTabloWidget::number_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("rest");

    QTest::newRow("32 rows, 4 digits and a letter") << int(Board32x256) << QStringLiteral("1234А")
                                                    << QStringLiteral("123") << QStringLiteral("А");
    QTest::newRow("16 rows, 4 digits and a letter") << int(Board16x128) << QStringLiteral("1234А")
                                                    << QStringLiteral("123") << QStringLiteral("А");
    QTest::newRow("24 rows use the 16-row fonts")
        << int(Board24x144) << QStringLiteral("12К") << QStringLiteral("12") << QStringLiteral("К");
    QTest::newRow("letters first")
        << int(Board32x192) << QStringLiteral("Т5") << QString() << QStringLiteral("Т5");
    QTest::newRow("after the side light")
        << int(Board16x96Sofits) << QStringLiteral("7") << QStringLiteral("7") << QString();
    QTest::newRow("empty") << int(Board32x320) << QString() << QString() << QString();
}

void TestFrontTabloWidget::number()
{
    QFETCH(int, type);
    QFETCH(QString, number);
    QFETCH(QString, digits);
    QFETCH(QString, rest);

    FrontTabloWidget w;
    w.setBoardType(type);
    w.setMode(ModeStatic);
    w.setNumber(number);
    w.setNumberColor(0x00FF00);
    w.refreshTablo();

    const int start = w.hasSofits() ? w.sofitWidth() : 0;
    Reference ref(w, start, clipRightOf(w));
    const bool tall = w.matrixRows() >= 32;
    int x = ref.draw(digits, 0, tall ? FontDigits16x32 : FontDigits16x16, Green);
    x = ref.draw(rest, 0, tall ? FontText16x32 : FontText16x16, Green, 0, x);
    QCOMPARE(difference(w, ref, wholeMatrix(w)), QString());
    QCOMPARE(w.textStart(), x);
    if (!number.isEmpty())
        QVERIFY(litCount(w, wholeMatrix(w)) > 0);
}

void TestFrontTabloWidget::staticLayouts_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("fontBits");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("dest");
    QTest::addColumn<bool>("startFirst");
    QTest::addColumn<Draws>("draws");

    const int S = ModeStatic;
    const QString vokzal = QStringLiteral("Вокзал");
    const QString sever = QStringLiteral("Пос._Северный");
    const QString pos = QStringLiteral("Пос.");
    const QString severny = QStringLiteral("Северный");
    const QString whole = QStringLiteral("Пос. Северный"); // a line shown unsplit
    const BoardFont *thin = &FontText8x8Thin;
    const BoardFont *bold = &FontText8x8Bold;

    // Two lines.
    QTest::newRow("32: split line 2") << int(Board32x256) << S << 0 << vokzal << sever << true
                                      << Draws{{vokzal, 0, &FontText16x16, Red, 0},
                                               {pos, 16, thin, Blue, 0},
                                               {severny, 24, thin, Blue, 0}};
    QTest::newRow("32: split line 1 in bold")
        << int(Board32x192) << S << 1 << sever << vokzal << true
        << Draws{{pos, 0, bold, Red, 0},
                 {severny, 8, bold, Red, 0},
                 {vokzal, 16, &FontText16x16, Blue, 0}};
    QTest::newRow("32: swapped lines") << int(Board32x320) << S << 2 << vokzal << sever << false
                                       << Draws{{pos, 0, thin, Red, 0},
                                                {severny, 8, thin, Red, 0},
                                                {vokzal, 16, &FontText16x16, Blue, 0}};
    QTest::newRow("32: line 1 alone") << int(Board32x256) << S << 0 << vokzal << QString() << true
                                      << Draws{{vokzal, 0, &FontText16x32, Red, 0}};
    QTest::newRow("32: line 1 alone, split")
        << int(Board32x256) << S << 0 << sever << QString() << true
        << Draws{{pos, 0, &FontText16x16, Red, 0}, {severny, 16, &FontText16x16, Red, 0}};
    QTest::newRow("24: no split with two lines")
        << int(Board24x144) << S << 3 << vokzal << sever << true
        << Draws{{vokzal, 0, &FontText8x12, Red, 0}, {whole, 12, &FontText8x12, Blue, 0}};
    QTest::newRow("24: line 1 alone") << int(Board24x144) << S << 0 << vokzal << QString() << true
                                      << Draws{{vokzal, 0, &FontText16x20, Red, 0}};
    QTest::newRow("24: line 1 alone, split")
        << int(Board24x144) << S << 0 << sever << QString() << true
        << Draws{{pos, 0, &FontText8x12, Red, 0}, {severny, 12, &FontText8x12, Red, 0}};
    QTest::newRow("16: two small lines")
        << int(Board16x128) << S << 2 << vokzal << sever << true
        << Draws{{vokzal, 0, thin, Red, 0}, {whole, 8, bold, Blue, 0}};
    QTest::newRow("16: line 1 alone") << int(Board16x96) << S << 0 << vokzal << QString() << true
                                      << Draws{{vokzal, 0, &FontText16x16, Red, 0}};
    QTest::newRow("16: line 1 alone, split in small 1")
        << int(Board16x96Sofits) << S << 1 << sever << QString() << true
        << Draws{{pos, 0, bold, Red, 0}, {severny, 8, bold, Red, 0}};
    QTest::newRow("16: destination alone takes line 1")
        << int(Board16x96) << S << 0 << QString() << vokzal << false
        << Draws{{vokzal, 0, &FontText16x16, Red, 0}};

    // Enlarged destination.
    const int M = ModeStatic | ModeMoscow;
    QTest::newRow("enlarged 32") << int(Board32x256) << M << 0 << vokzal << sever << true
                                 << Draws{{vokzal, 0, &FontText8x12, Red, 0},
                                          {whole, 12, &FontText16x20, Blue, 0}};
    QTest::newRow("enlarged 24 ignores the font switch")
        << int(Board24x144) << M << 1 << vokzal << sever << true
        << Draws{{vokzal, 0, thin, Red, 0}, {whole, 8, &FontText16x16, Blue, 0}};
    QTest::newRow("enlarged 16") << int(Board16x128) << M << 1 << vokzal << sever << true
                                 << Draws{{vokzal, 0, bold, Red, 0}, {whole, 8, thin, Blue, 0}};
    QTest::newRow("enlarged 32 centred")
        << int(Board32x192) << (M | ModeCenter) << 0 << vokzal << severny << true
        << Draws{{vokzal, 0, &FontText8x12, Red, 1}, {severny, 12, &FontText16x20, Blue, 1}};

    // Destination only.
    const int D = ModeStatic | ModeOnlyDestination;
    QTest::newRow("only 32, whole") << int(Board32x256) << D << 0 << vokzal << severny << true
                                    << Draws{{severny, 0, &FontText16x32, Red, 0}};
    QTest::newRow("only 32, falls back to the start")
        << int(Board32x256) << D << 0 << vokzal << QString() << true
        << Draws{{vokzal, 0, &FontText16x32, Red, 0}};
    QTest::newRow("only 32, swapped shows the start")
        << int(Board32x256) << D << 0 << vokzal << severny << false
        << Draws{{vokzal, 0, &FontText16x32, Red, 0}};
    QTest::newRow("only 32, one _")
        << int(Board32x320) << D << 0 << vokzal << sever << true
        << Draws{{pos, 0, &FontText16x16, Red, 0}, {severny, 16, &FontText16x16, Blue, 0}};
    QTest::newRow("only 32, three parts")
        << int(Board32x256) << D << 2 << vokzal << QStringLiteral("А_Б_В") << true
        << Draws{{QStringLiteral("А"), 0, thin, Red, 0},
                 {QStringLiteral("Б"), 8, thin, Red, 0},
                 {QStringLiteral("В"), 16, bold, Blue, 0}};
    QTest::newRow("only 32, five parts keep the rest in the fourth")
        << int(Board32x256) << D << 1 << vokzal << QStringLiteral("А_Б_В_Г_Д") << true
        << Draws{{QStringLiteral("А"), 0, bold, Red, 0},
                 {QStringLiteral("Б"), 8, bold, Red, 0},
                 {QStringLiteral("В"), 16, thin, Blue, 0},
                 {QStringLiteral("Г Д"), 24, thin, Blue, 0}};
    QTest::newRow("only 24, whole") << int(Board24x144) << D << 0 << vokzal << severny << true
                                    << Draws{{severny, 0, &FontText16x20, Red, 0}};
    QTest::newRow("only 24, two _ keep the rest")
        << int(Board24x144) << D << 0 << vokzal << QStringLiteral("А_Б_В") << true
        << Draws{{QStringLiteral("А"), 0, &FontText8x12, Red, 0},
                 {QStringLiteral("Б В"), 12, &FontText8x12, Blue, 0}};
    QTest::newRow("only 16, whole centred")
        << int(Board16x128) << (D | ModeCenter) << 0 << vokzal << severny << true
        << Draws{{severny, 0, &FontText16x16, Red, 1}};
    QTest::newRow("only 16, one _") << int(Board16x96) << D << 2 << vokzal << sever << true
                                    << Draws{{pos, 0, thin, Red, 0}, {severny, 8, bold, Blue, 0}};
}

void TestFrontTabloWidget::staticLayouts()
{
    QFETCH(int, type);
    QFETCH(int, mode);
    QFETCH(int, fontBits);
    QFETCH(QString, start);
    QFETCH(QString, dest);
    QFETCH(bool, startFirst);
    QFETCH(Draws, draws);

    FrontTabloWidget w;
    w.setBoardType(type);
    w.setMode(mode);
    w.setFontBits(fontBits);
    w.setStartFirst(startFirst);
    w.setNumber(QStringLiteral("5"));
    w.setNumberColor(Green);
    w.setLine1Color(Red);
    w.setLine2Color(Blue);
    w.setStartingPoint(0, start);
    w.setDestination(0, dest);
    w.setStartingPoint(1, QStringLiteral("Station"));
    w.refreshTablo();

    const int sw = w.hasSofits() ? w.sofitWidth() : 0;
    const int textStart = w.textStart();
    QVERIFY(textStart > sw);
    Reference ref(w, textStart, clipRightOf(w));
    const bool tall = w.matrixRows() >= 32;
    ref.draw(QStringLiteral("5"), 0, tall ? FontDigits16x32 : FontDigits16x16, Green, 0, sw);
    for (const Draw &d : draws)
        ref.draw(d.text, d.y, *d.font, d.color, d.flags);
    QCOMPARE(difference(w, ref, wholeMatrix(w)), QString());
    QVERIFY(litCount(w, QRect(textStart, 0, w.matrixColumns() - textStart, w.matrixRows())) > 0);
}

void TestFrontTabloWidget::centring()
{
    // The centre of the text area, not of the whole board.
    FrontTabloWidget w;
    w.setBoardType(Board32x256);
    w.setLeftSofitColor(2);
    w.setNumber(QStringLiteral("12"));
    w.setMode(ModeStatic | ModeCenter);
    w.setLine1Color(Red);
    w.setStartingPoint(0, QStringLiteral("НННН"));
    w.refreshTablo();

    const int start = w.textStart();
    const int end = clipRightOf(w);
    const QRect text = litBounds(w, QRect(start, 0, end - start, 32));
    QVERIFY(text.isValid());
    QCOMPARE(text.width(), TabloWidget::textWidth(QStringLiteral("НННН"), FontText16x32));
    const int leftGap = text.left() - start;
    const int rightGap = end - 1 - text.right();
    QVERIFY2(qAbs(leftGap - rightGap) <= 1,
             qPrintable(QStringLiteral("%1 vs %2").arg(leftGap).arg(rightGap)));
}

void TestFrontTabloWidget::combinedText_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("dest");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("startFirst");
    QTest::addColumn<QString>("expected");

    const QString a = QStringLiteral("Вокзал");
    const QString b = QStringLiteral("Депо");
    QTest::newRow("both") << a << b << 0 << true << QStringLiteral("Вокзал - Депо");
    QTest::newRow("swapped") << a << b << 0 << false << QStringLiteral("Депо - Вокзал");
    QTest::newRow("no destination") << a << QString() << 0 << true << a;
    QTest::newRow("no start") << QString() << b << 0 << true << b;
    QTest::newRow("none") << QString() << QString() << 0 << true << QString();
    QTest::newRow("destination only") << a << b << int(ModeOnlyDestination) << true << b;
    QTest::newRow("destination only, swapped") << a << b << int(ModeOnlyDestination) << false << a;
    QTest::newRow("destination only, empty")
        << a << QString() << int(ModeOnlyDestination) << true << QString();
}

void TestFrontTabloWidget::combinedText()
{
    QFETCH(QString, start);
    QFETCH(QString, dest);
    QFETCH(int, mode);
    QFETCH(bool, startFirst);
    QFETCH(QString, expected);

    FrontTabloWidget w;
    w.setStartingPoint(1, start);
    w.setDestination(1, dest);
    w.setMode(mode);
    w.setStartFirst(startFirst);
    QCOMPARE(w.combinedText(1), expected);
    QCOMPARE(w.combinedText(0), QString());
    QCOMPARE(w.combinedText(2), QString());
}

void TestFrontTabloWidget::stillPreview()
{
    // A stopped running-line board follows the edit cursor: text from textOffset on.
    FrontTabloWidget w;
    w.setBoardType(Board24x144);
    w.setStartingPoint(1, QStringLiteral("Вокзал"));
    w.setDestination(1, QStringLiteral("Де_по"));
    w.setEditLanguage(5);
    QCOMPARE(w.editLanguage(), 1);
    w.setTextOffset(3);
    w.setLine1Color(0x800000); // shown at full brightness
    QCOMPARE(w.line1Color(), Red);
    w.refreshTablo();

    Reference ref(w, 0, 144);
    ref.draw(QStringLiteral("зал - Де по"), 0, FontText16x20, Red);
    QCOMPARE(difference(w, ref, wholeMatrix(w)), QString());

    w.setTextOffset(1000);
    w.refreshTablo();
    QCOMPARE(litCount(w, wholeMatrix(w)), 0);
}

void TestFrontTabloWidget::timers_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("stations");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<bool>("secondLanguage");
    QTest::addColumn<int>("interval");
    QTest::addColumn<int>("period");

    QTest::newRow("station list") << int(ModeStatic) << true << QString() << false << 5000 << 16;
    QTest::newRow("separator, static")
        << int(ModeStatic) << false << QStringLiteral("hh:mm") << false << 5000 << 5000;
    QTest::newRow("separator, running")
        << 0 << false << QStringLiteral("hh:mm") << false << 5000 << 16;
    QTest::newRow("running line") << 0 << false << QString() << false << 5000 << 16;
    QTest::newRow("static, two languages")
        << int(ModeStatic | ModeCenter) << false << QString() << true << 3000 << 3000;
    QTest::newRow("static, one language")
        << int(ModeStatic) << false << QString() << false << 3000 << 0;
    QTest::newRow("zero interval runs at the tick")
        << int(ModeStatic) << false << QString() << true << 0 << 16;
}

void TestFrontTabloWidget::timers()
{
    QFETCH(int, mode);
    QFETCH(bool, stations);
    QFETCH(QString, separator);
    QFETCH(bool, secondLanguage);
    QFETCH(int, interval);
    QFETCH(int, period);

    FrontTabloWidget w;
    w.setBoardType(Board32x192);
    w.setMode(mode);
    w.setInterval(interval);
    w.setStartingPoint(0, QStringLiteral("Вокзал"));
    if (stations)
        w.setStationNames(0, {QStringLiteral("Рынок")});
    w.setSeparator(separator);
    if (secondLanguage)
        w.setDestination(1, QStringLiteral("Depot"));
    w.startAnimation();
    QCOMPARE(w.isAnimating(), period != 0);
    QCOMPARE(w.animationPeriod(), period);
    w.stopAnimation();
    QVERIFY(!w.isAnimating());
}

void TestFrontTabloWidget::doubleClickAndMenu()
{
    FrontTabloWidget w;
    w.setBoardType(Board16x128);
    w.setStartingPoint(0, QStringLiteral("Вокзал"));
    w.refreshTablo();
    Reference still(w, 0, 128);
    still.draw(QStringLiteral("Вокзал"), 0, FontText16x16, 0xFFFFFF);
    QCOMPARE(difference(w, still, wholeMatrix(w)), QString());

    // The timer itself drives the steps.
    QTest::mouseDClick(&w, Qt::LeftButton);
    QVERIFY(w.isAnimating());
    QTRY_VERIFY_WITH_TIMEOUT(litCount(w, QRect(120, 0, 8, 16)) > 0, 10000);

    QTest::mouseDClick(&w, Qt::LeftButton);
    QVERIFY(!w.isAnimating());
    QCOMPARE(difference(w, still, wholeMatrix(w)), QString());

    QSignalSpy spy(&w, &FrontTabloWidget::contextMenuRequested);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5));
    QApplication::sendEvent(&w, &event);
    QCOMPARE(spy.count(), 1);
}

void TestFrontTabloWidget::staticLanguageAlternation()
{
    FrontTabloWidget w;
    w.setBoardType(Board32x256);
    w.setMode(ModeStatic);
    w.setInterval(4000);
    w.setStartingPoint(0, QStringLiteral("Вокзал"));
    w.setDestination(0, QStringLiteral("Депо"));
    w.setStartingPoint(1, QStringLiteral("Station"));
    w.setDestination(1, QStringLiteral("Depot"));

    auto frame = [&](int lang) {
        Reference ref(w, 0, 256);
        ref.draw(w.startingPoint(lang), 0, FontText16x16, 0xFFFFFF);
        ref.draw(w.destination(lang), 16, FontText16x16, 0xFFFFFF);
        return difference(w, ref, wholeMatrix(w));
    };

    w.setEditLanguage(1);
    w.startAnimation();
    QCOMPARE(w.animationPeriod(), 4000);
    QCOMPARE(frame(1), QString());
    const int expected[] = {0, 1, 0};
    for (int lang : expected) {
        w.animationStep();
        QCOMPARE(w.currentLanguage(), lang);
        QCOMPARE(frame(lang), QString());
    }
    w.stopAnimation();
    QCOMPARE(frame(1), QString());
}

void TestFrontTabloWidget::runningLine()
{
    FrontTabloWidget w;
    w.setBoardType(Board16x128);
    w.setNumber(QStringLiteral("7"));
    w.setLine1Color(Red);
    w.setStartingPoint(0, QStringLiteral("НП"));
    w.setDestination(1, QStringLiteral("Ш"));
    w.startAnimation();
    QCOMPARE(w.animationPeriod(), 16);
    const int textStart = w.textStart();
    QCOMPARE(textStart, TabloWidget::textWidth(QStringLiteral("7"), FontDigits16x16) + 1);

    // The text enters at the right edge and runs left one column per step.
    const QString text = QStringLiteral("НП");
    const int width = TabloWidget::textWidth(text, FontText16x16);
    int steps = 1; // starting takes the first step
    while (w.currentLanguage() == 0 && steps < 500) {
        w.animationStep();
        ++steps;
        if (steps == 5 || steps == width + 1) {
            Reference ref(w, 0, 128);
            ref.draw(QStringLiteral("7"), 0, FontDigits16x16, 0xFFFFFF);
            ref.draw(text, 0, FontText16x16, Red, 0, 128 - steps + 1);
            QCOMPARE(difference(w, ref, wholeMatrix(w)), QString());
        }
    }
    // Right after the last column the languages change; the next pass follows
    // after a gap of half the text area.
    QCOMPARE(steps, width + 2);
    QCOMPARE(w.currentLanguage(), 1);
    const int gap = (128 - textStart) / 2;
    for (int i = 0; i < gap + 1; ++i) {
        w.animationStep();
        QCOMPARE(litCount(w, QRect(127, 0, 1, 16)), 0);
    }
    w.animationStep();
    QVERIFY(litCount(w, QRect(127, 0, 1, 16)) > 0);
}

void TestFrontTabloWidget::stillUpperLineAlternation()
{
    // A running station list must not flip the upper line's language on every tick.
    FrontTabloWidget w;
    w.setBoardType(Board32x192);
    w.setMode(ModeStatic | ModeStationScroll);
    w.setInterval(64);
    w.setStartingPoint(0, QStringLiteral("Вокзал"));
    w.setStartingPoint(1, QStringLiteral("Station"));
    w.setStationNames(0, {QStringLiteral("Рынок")});
    w.startAnimation();
    QCOMPARE(w.animationPeriod(), 16);
    QCOMPARE(w.currentLanguage(), 0);
    const int expected[] = {0, 0, 0, 1, 1, 1, 1, 0};
    for (int lang : expected) {
        w.animationStep();
        QCOMPARE(w.currentLanguage(), lang);
    }
    Reference ref(w, 0, 196);
    ref.draw(QStringLiteral("Вокзал"), 0, FontText16x16, 0xFFFFFF);
    QCOMPARE(difference(w, ref, QRect(0, 0, 196, 16)), QString());
}

// Over a station list the upper half shows the route still (from the edit
// cursor on) while stopped and runs it in the half-height font while running;
// the lower half is left to the stations.
void TestFrontTabloWidget::upperLineOverStations()
{
    FrontTabloWidget w;
    w.setBoardType(Board32x192);
    w.setMode(ModeCenter); // centres neither line on a board that is not static
    w.setLine1Color(Red);
    w.setLine2Color(Blue);
    w.setStartingPoint(0, QStringLiteral("Вокзал"));
    w.setDestination(0, QStringLiteral("Депо"));
    w.setStationNames(0, {QStringLiteral("Рынок")});
    w.setTextOffset(3);
    w.refreshTablo();
    const QRect upper(0, 0, 196, 16);
    Reference still(w, 0, 196);
    still.draw(QStringLiteral("зал - Депо"), 0, FontText16x16, Red);
    QCOMPARE(difference(w, still, upper), QString());

    w.setStartingPoint(0, QStringLiteral("НП"));
    w.setDestination(0, QString());
    w.startAnimation();
    QCOMPARE(w.animationPeriod(), 16);
    const int width = TabloWidget::textWidth(QStringLiteral("НП"), FontText16x16);
    for (int steps = 2; steps <= width + 1; ++steps) {
        w.animationStep();
        if (steps != 5 && steps != width + 1)
            continue;
        Reference ref(w, 0, 196);
        ref.draw(QStringLiteral("НП"), 0, FontText16x16, Red, 0, 196 - steps + 1);
        QCOMPARE(difference(w, ref, upper), QString());
    }
}

void TestFrontTabloWidget::verticalStationList_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<QList<int>>("gaps"); // in multiples of the half height

    const QString time = QStringLiteral("'Время'");
    QTest::newRow("32 rows, no separator")
        << int(Board32x256) << QString()
        << QStringList{QStringLiteral("Рынок"), QStringLiteral("Депо"), QStringLiteral("Market"),
                       QStringLiteral("Рынок"), QStringLiteral("Депо")}
        << QList<int>{2, 4, 4, 2};
    QTest::newRow("16 rows, separator between the lists")
        << int(Board16x128) << time
        << QStringList{QStringLiteral("Рынок"),  QStringLiteral("Депо"),  QStringLiteral("Время"),
                       QStringLiteral("Market"), QStringLiteral("Время"), QStringLiteral("Рынок")}
        << QList<int>{2, 2, 2, 2, 2};
    QTest::newRow("24 rows") << int(Board24x144) << QString()
                             << QStringList{QStringLiteral("Рынок"), QStringLiteral("Депо"),
                                            QStringLiteral("Market")}
                             << QList<int>{2, 4};
}

void TestFrontTabloWidget::verticalStationList()
{
    QFETCH(int, type);
    QFETCH(QString, separator);
    QFETCH(QStringList, order);
    QFETCH(QList<int>, gaps);

    FrontTabloWidget w;
    w.setBoardType(type);
    w.setMode(ModeStationScroll | ModeCenter);
    w.setStationPause(48); // three ticks
    w.setSeparator(separator);
    w.setLine2Color(Blue);
    w.setStationNames(0, {QStringLiteral("Рынок"), QStringLiteral("Депо")});
    w.setStationNames(1, {QStringLiteral("Market")});
    const int h = w.matrixRows() / 2;
    const BoardFont &font = h >= 16 ? FontText16x16 : (h >= 12 ? FontText8x12 : FontText8x8Thin);
    const QRect lower(0, h, w.matrixColumns(), h);

    // Stopped: the first station stands still in the lower half, under the
    // upper line, which is centred only on static boards.
    w.setStartingPoint(0, QStringLiteral("Вокзал"));
    w.refreshTablo();
    Reference upper(w, 0, w.matrixColumns());
    upper.draw(QStringLiteral("Вокзал"), 0, font, 0xFFFFFF);
    QCOMPARE(difference(w, upper, QRect(0, 0, w.matrixColumns(), h)), QString());
    auto restsOn = [&](const QString &name) {
        Reference ref(w, 0, w.matrixColumns());
        ref.draw(name, h, font, Blue, TabloWidget::CenterText);
        return difference(w, ref, lower).isEmpty();
    };
    QVERIFY(restsOn(order.first()));

    // Starting shows the first row of the name at the bottom; it rises a row per step.
    w.startAnimation();
    for (int i = 1; i < h; ++i) {
        QVERIFY(!restsOn(order.first()));
        w.animationStep();
    }
    QVERIFY(restsOn(order.first()));
    for (int n = 1; n < order.size(); ++n) {
        // Finish, pause, leave and rise: the rest frame comes back only at the next name.
        const int expectedSteps = 1 + 3 + gaps.at(n - 1) * h;
        int steps = 0;
        do {
            w.animationStep();
            ++steps;
        } while (!restsOn(order.at(n)) && steps < 1000);
        QCOMPARE(steps, expectedSteps);
    }
}

void TestFrontTabloWidget::horizontalStationList()
{
    FrontTabloWidget w;
    w.setBoardType(Board32x192);
    w.setLeftSofitColor(2);
    w.setLine2Color(Blue);
    w.setStationNames(0, {QStringLiteral("Рынок"), QStringLiteral("Депо")});
    w.startAnimation();
    const int entry = clipRightOf(w) - 1;
    QVector<quint64> stream;
    for (int i = 0; i < 900; ++i) {
        w.animationStep();
        stream << columnMask(w, entry, 16, 16);
        QCOMPARE(litCount(w, QRect(16, 0, 180, 16)), 0); // the upper line is empty
    }
    QVector<QVector<quint64>> bursts;
    QVector<int> gaps;
    splitBursts(stream, 16, &bursts, &gaps);
    const QVector<quint64> rynok = textColumns(w, QStringLiteral("Рынок"), 16, 16, FontText16x16);
    const QVector<quint64> depo = textColumns(w, QStringLiteral("Депо"), 16, 16, FontText16x16);
    QVERIFY(bursts.size() >= 4);
    QVERIFY(gaps.size() >= 3);
    QCOMPARE(bursts.at(0), rynok);
    QCOMPARE(bursts.at(1), depo);
    QCOMPARE(bursts.at(2), rynok);
    QCOMPARE(bursts.at(3), depo);
    // 32 blank columns between stations, 64 before the list starts again.
    QVERIFY2(gaps.at(0) >= 32 && gaps.at(0) < 40, qPrintable(QString::number(gaps.at(0))));
    QVERIFY2(gaps.at(1) >= 64 && gaps.at(1) < 72, qPrintable(QString::number(gaps.at(1))));
    QCOMPARE(gaps.at(2), gaps.at(0));
    for (int y = 0; y < 32; ++y)
        QCOMPARE(w.pixelAt(0, y), 0x00FF00u);
}

void TestFrontTabloWidget::separatorInLowerHalf()
{
    FrontTabloWidget w;
    w.setBoardType(Board32x320);
    w.setMode(ModeStatic | ModeStationScroll | ModeCenter);
    w.setSeparator(QStringLiteral("hh:mm dd.MM.yy"));
    w.setClock([] { return QDateTime(QDate(2026, 3, 6), QTime(7, 5)); });
    w.setLine2Color(Green);
    w.setStartingPoint(0, QStringLiteral("Вокзал"));
    w.refreshTablo();
    Reference ref(w, 0, 320);
    ref.draw(QStringLiteral("Вокзал"), 0, FontText16x16, 0xFFFFFF, TabloWidget::CenterText);
    ref.draw(QStringLiteral("07:05 06.03.26"), 16, FontText16x16, Green, TabloWidget::CenterText);
    QCOMPARE(difference(w, ref, wholeMatrix(w)), QString());

    // With stations the separator shows only while its field has the focus.
    w.setStationNames(0, {QStringLiteral("Рынок")});
    w.setSeparatorPreview(true);
    w.refreshTablo();
    QCOMPARE(difference(w, ref, wholeMatrix(w)), QString());
    w.setSeparatorPreview(false);
    w.refreshTablo();
    QVERIFY(!difference(w, ref, wholeMatrix(w)).isEmpty());
    // Running, the list moves on even while the separator field has the focus.
    w.setSeparatorPreview(true);
    w.startAnimation();
    const QRect lower(0, 16, 320, 16);
    for (int i = 0; i < 20; ++i) {
        QVERIFY(!difference(w, ref, lower).isEmpty());
        w.animationStep();
    }
}

void TestFrontTabloWidget::boardChangeWhileRunning()
{
    FrontTabloWidget w;
    w.setBoardType(Board32x320);
    w.setMode(ModeStationScroll | ModeCenter);
    w.setStationNames(0, {QStringLiteral("Рынок"), QStringLiteral("Депо")});
    w.startAnimation();
    for (int i = 0; i < 10; ++i)
        w.animationStep();
    w.setBoardType(Board16x96);
    QVERIFY(w.isAnimating());
    Reference ref(w, 0, 96);
    ref.draw(QStringLiteral("Рынок"), 8, FontText8x8Thin, 0xFFFFFF, TabloWidget::CenterText);
    int steps = 0;
    while (!difference(w, ref, wholeMatrix(w)).isEmpty() && steps < 100) {
        w.animationStep();
        ++steps;
    }
    QCOMPARE(steps, 7); // the list starts again, rising row by row in the new lower half
}

void TestFrontTabloWidget::formatSeparator_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QDateTime>("time");
    QTest::addColumn<QString>("expected");

    const QDateTime morning(QDate(2026, 3, 6), QTime(7, 5));
    const QDateTime evening(QDate(2005, 11, 23), QTime(23, 59));
    QTest::newRow("default") << QStringLiteral("hh:mm dd.MM.yy") << morning
                             << QStringLiteral("07:05 06.03.26");
    QTest::newRow("single letters")
        << QStringLiteral("h:m d.M.y") << morning << QStringLiteral("7:5 6.3.26");
    QTest::newRow("full year") << QStringLiteral("dd.MM.yyyy") << morning
                               << QStringLiteral("06.03.2026");
    QTest::newRow("literal run") << QStringLiteral("'Время' hh:mm") << morning
                                 << QStringLiteral("Время 07:05");
    QTest::newRow("letters inside quotes")
        << QStringLiteral("'hh dd' h") << morning << QStringLiteral("hh dd 7");
    QTest::newRow("unclosed quote") << QStringLiteral("d 'MM") << morning << QStringLiteral("6 MM");
    QTest::newRow("other characters")
        << QStringLiteral("Сегодня: d/M, x") << morning << QStringLiteral("Сегодня: 6/3, x");
    QTest::newRow("one-digit year, y")
        << QStringLiteral("d.M.y") << evening << QStringLiteral("23.11.5");
    QTest::newRow("one-digit year, yy")
        << QStringLiteral("hh:mm dd.MM.yy") << evening << QStringLiteral("23:59 23.11.5");
    QTest::newRow("minutes and months apart")
        << QStringLiteral("mm MM") << evening << QStringLiteral("59 11");
    QTest::newRow("long runs") << QStringLiteral("hhh") << morning << QStringLiteral("077");
    QTest::newRow("empty") << QString() << morning << QString();
}

void TestFrontTabloWidget::formatSeparator()
{
    QFETCH(QString, pattern);
    QFETCH(QDateTime, time);
    QFETCH(QString, expected);

    FrontTabloWidget w;
    w.setSeparator(pattern);
    w.setClock([time] { return time; });
    QCOMPARE(w.formatSeparator(), expected);
}

void TestFrontTabloWidget::badTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("drawsSomething");

    QTest::newRow("empty") << QString() << false;
    QTest::newRow("unknown characters") << QStringLiteral("☃中文") << false;
    QTest::newRow("10000 characters") << QString(10000, QLatin1Char('W')) << true;
}

void TestFrontTabloWidget::badTexts()
{
    QFETCH(QString, text);
    QFETCH(bool, drawsSomething);

    // Every layout and animation: plain modes, a station list, a separator.
    struct Case
    {
        int mode;
        bool stations;
        bool separator;
    };
    const Case cases[] = {{ModeStatic | ModeCenter, false, false},
                          {ModeStatic | ModeMoscow, false, false},
                          {ModeStatic | ModeOnlyDestination | ModeCenter, false, false},
                          {0, false, false},
                          {ModeStationScroll | ModeCenter, true, false},
                          {0, true, true},
                          {ModeStatic, false, true}};
    for (int type = 0; type <= 6; ++type) {
        for (const Case &c : cases) {
            FrontTabloWidget w;
            w.setBoardType(type);
            w.setMode(c.mode);
            w.setNumber(text);
            w.setStartingPoint(0, text); // alone, so no " - " joins it
            w.setDestination(1, text);
            if (c.stations)
                w.setStationNames(0, {text, text});
            if (c.separator)
                w.setSeparator(text);
            w.setStationPause(16);
            w.refreshTablo();
            const QRect area(0, 0, w.matrixColumns(), w.matrixRows());
            QVERIFY2((litCount(w, area) > 0) == drawsSomething,
                     qPrintable(QStringLiteral("type %1 mode %2").arg(type).arg(c.mode)));
            w.startAnimation();
            for (int i = 0; i < 20; ++i)
                w.animationStep();
            if (!drawsSomething)
                QCOMPARE(litCount(w, area), 0);
            w.stopAnimation();
        }
    }
}

QTEST_MAIN(TestFrontTabloWidget)
#include "tst_fronttablowidget.moc"
