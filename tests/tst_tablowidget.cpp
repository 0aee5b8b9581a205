#include "boardfont.h"
#include "tablowidget.h"
#include "testsupport.h"

#include <QImage>
#include <QtTest>

Q_DECLARE_METATYPE(const BoardFont *)

namespace {

constexpr QRgb Pattern = 0x123456;
constexpr QRgb Ink = 0xFFA000;

// Every LED of the matrix, row by row.
QVector<QRgb> snapshot(const TabloWidget &w)
{
    QVector<QRgb> out;
    for (int y = 0; y < w.matrixRows(); ++y)
        for (int x = 0; x < w.matrixColumns(); ++x)
            out.append(w.pixelAt(x, y));
    return out;
}

void fillAll(TabloWidget &w, QRgb color)
{
    w.setFillColor(color);
    w.clearMatrix();
    w.setFillColor(0);
}

int firstLitColumn(const TabloWidget &w)
{
    for (int x = 0; x < w.matrixColumns(); ++x)
        for (int y = 0; y < w.matrixRows(); ++y)
            if (w.pixelAt(x, y) == Ink)
                return x;
    return -1;
}

QImage paintOf(TabloWidget &w, const QSize &size)
{
    w.resize(size);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    w.render(&image, QPoint(), QRegion(), QWidget::RenderFlags(QWidget::DrawChildren));
    return image;
}

} // namespace

class TestTabloWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::isolateSettings(); }

    void glyphIndex_data();
    void glyphIndex();
    void fontsComplete();
    void exampleGlyphs_data();
    void exampleGlyphs();
    void sharedSlots_data();
    void sharedSlots();
    void textWidth_data();
    void textWidth();
    void centring_data();
    void centring();
    void clipping_data();
    void clipping();
    void drawTextStopsAtClipRight();
    void fillIgnoresClip_data();
    void fillIgnoresClip();
    void feedGlyph();
    void scrollLeft_data();
    void scrollLeft();
    void scrollLeftStaysInRegion();
    void scrollUp_data();
    void scrollUp();
    void ledColor_data();
    void ledColor();
    void matrixSize_data();
    void matrixSize();
    void resizeKeepsOrClears();
    void heightForWidth_data();
    void heightForWidth();
    void paintPitch_data();
    void paintPitch();
    void paintsNothingWithoutMatrix();
};

void TestTabloWidget::glyphIndex_data()
{
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("text");
    QTest::addColumn<int>("digit");
    struct Row
    {
        const char *name;
        int unit, text, digit;
    };
    const Row rows[] = {
        {"line feed", 0x0A, 0, -1},
        {"carriage return", 0x0D, 0, -1},
        {"tab", 0x09, -1, -1},
        {"space", 0x20, 0, -1},
        {"zero", '0', 16, 0},
        {"nine", '9', 25, 9},
        {"slash", '/', 15, -1},
        {"colon", ':', 26, -1},
        {"delete", 0x7F, 95, -1},
        {"0x80", 0x80, -1, -1},
        {"before degree", 0xAF, -1, -1},
        {"degree", 0xB0, 96, -1},
        {"superscript one", 0xB9, 105, -1},
        {"numero", 0x2116, 105, -1},
        {"inverted question", 0xBF, 111, -1},
        {"A grave", 0xC0, -1, -1},
        {"A macron", 0x100, 112, -1},
        {"long s", 0x17F, 239, -1},
        {"0x180", 0x180, -1, -1},
        {"Ie grave", 0x400, 240, -1},
        {"dzhe", 0x45F, 335, -1},
        {"0x460", 0x460, -1, -1},
        {"0x48F", 0x48F, -1, -1},
        {"Ghe upturn", 0x490, 336, -1},
        {"0x4BF", 0x4BF, 383, -1},
        {"0x4C0", 0x4C0, -1, -1},
        {"0x4CF", 0x4CF, -1, -1},
        {"A breve", 0x4D0, 384, -1},
        {"0x4EF", 0x4EF, 415, -1},
        {"0x4F0", 0x4F0, -1, -1},
        {"surrogate", 0xD800, -1, -1},
    };
    for (const Row &r : rows)
        QTest::newRow(r.name) << r.unit << r.text << r.digit;
}

void TestTabloWidget::glyphIndex()
{
    QFETCH(int, unit);
    QFETCH(int, text);
    QFETCH(int, digit);
    QCOMPARE(textGlyphIndex(QChar(ushort(unit))), text);
    QCOMPARE(digitGlyphIndex(QChar(ushort(unit))), digit);
}

// Every character of the set has a lit glyph set against the left edge of
// its cell, so advances and spacing come out right.
void TestTabloWidget::fontsComplete()
{
    const BoardFont *fonts[] = {&FontDigits16x32, &FontDigits16x16, &FontText16x32,
                                &FontText16x20,   &FontText16x16,   &FontText8x12,
                                &FontText8x8Bold, &FontText8x8Thin};
    for (const BoardFont *font : fonts) {
        QVERIFY(font->width == 8 || font->width == 16);
        for (int slot = 0; slot < font->glyphCount; ++slot) {
            const int bytes = font->width > 8 ? 2 : 1;
            uint bits = 0;
            for (int j = 0; j < font->height; ++j) {
                const unsigned char *p = font->glyphs + (slot * font->height + j) * bytes;
                bits |= bytes == 2 ? uint(p[0]) | uint(p[1]) << 8 : p[0];
            }
            const QString where = QStringLiteral("height %1 slot %2").arg(font->height).arg(slot);
            if (slot == 0 && font->glyphCount == TextGlyphCount) {
                QVERIFY2(bits == 0, qPrintable(where));
                continue;
            }
            QVERIFY2(bits != 0, qPrintable(where));
            QVERIFY2(bits & (1u << (font->width - 1)), qPrintable(where));
        }
    }
}

void TestTabloWidget::exampleGlyphs_data()
{
    QTest::addColumn<const BoardFont *>("font");
    QTest::addColumn<QChar>("ch");
    QTest::addColumn<QVector<uint>>("rows");
    QTest::newRow("thin A") << &FontText8x8Thin << QChar('A')
                            << QVector<uint>{0x30, 0x50, 0x90, 0x90, 0xF0, 0x90, 0x90, 0x00};
    QTest::newRow("bold A") << &FontText8x8Bold << QChar('A')
                            << QVector<uint>{0x3C, 0x4C, 0xCC, 0xCC, 0xFC, 0xCC, 0xCC, 0x00};
    QVector<uint> one{0x0C00, 0x1C00, 0x3C00, 0x7C00, 0xDC00, 0x9C00};
    one.resize(16);
    std::fill(one.begin() + 6, one.end(), 0x1C00);
    QTest::newRow("digit 1") << &FontDigits16x16 << QChar('1') << one;
}

// The glyph as drawn on the matrix, LED by LED.
void TestTabloWidget::exampleGlyphs()
{
    QFETCH(const BoardFont *, font);
    QFETCH(QChar, ch);
    QFETCH(QVector<uint>, rows);
    TabloWidget w;
    w.setMatrixSize(20, font->height);
    w.setInkColor(Ink);
    QCOMPARE(w.drawText(QString(ch), 2, 0, *font), 2 + TabloWidget::glyphAdvance(ch, *font));
    for (int y = 0; y < font->height; ++y) {
        for (int k = 0; k < font->width; ++k) {
            const bool set = rows.at(y) >> (font->width - 1 - k) & 1;
            QCOMPARE(w.pixelAt(2 + k, y) == Ink, set);
        }
    }
}

void TestTabloWidget::sharedSlots_data()
{
    QTest::addColumn<const BoardFont *>("font");
    QTest::newRow("16x32") << &FontText16x32;
    QTest::newRow("16x20") << &FontText16x20;
    QTest::newRow("16x16") << &FontText16x16;
    QTest::newRow("8x12") << &FontText8x12;
    QTest::newRow("8x8 bold") << &FontText8x8Bold;
    QTest::newRow("8x8 thin") << &FontText8x8Thin;
}

// The numero sign draws the glyph of slot 105; line breaks draw the blank
// space glyph and advance like it.
void TestTabloWidget::sharedSlots()
{
    QFETCH(const BoardFont *, font);
    auto drawn = [font](const QString &text, int *end) {
        TabloWidget w;
        w.setMatrixSize(40, font->height);
        w.setInkColor(Ink);
        *end = w.drawText(text, 1, 0, *font);
        return snapshot(w);
    };
    int numeroEnd = 0;
    int slotEnd = 0;
    const QVector<QRgb> numero = drawn(QString(QChar(0x2116)), &numeroEnd);
    QCOMPARE(numero, drawn(QString(QChar(0xB9)), &slotEnd));
    QCOMPARE(numeroEnd, slotEnd);
    QVERIFY(numero.contains(Ink));

    const int space = font->width > 8 ? 6 : 4;
    for (QChar c : {QChar(' '), QChar('\n'), QChar('\r')}) {
        int end = 0;
        QVERIFY(!drawn(QString(c), &end).contains(Ink));
        QCOMPARE(end, 1 + space);
    }
}

void TestTabloWidget::textWidth_data()
{
    QTest::addColumn<const BoardFont *>("font");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::newRow("AA thin") << &FontText8x8Thin << "AA" << 9;
    QTest::newRow("A bold") << &FontText8x8Bold << "A" << 6;
    QTest::newRow("A A thin") << &FontText8x8Thin << "A A" << 13;
    QTest::newRow("space 16 wide") << &FontText16x16 << " " << 5;
    QTest::newRow("space 8 wide") << &FontText8x12 << " " << 3;
    QTest::newRow("line feed is a space") << &FontText8x8Thin << "A\nA" << 13;
    QTest::newRow("empty") << &FontText16x32 << "" << 0;
    QTest::newRow("nothing in the font") << &FontText16x16 << QString::fromUtf8("漢字") << 0;
    QTest::newRow("unknown adds nothing") << &FontText8x8Thin << QString::fromUtf8("A漢A") << 9;
    QTest::newRow("digit 1") << &FontDigits16x16 << "1" << 6;
    QTest::newRow("digits skip letters") << &FontDigits16x16 << "1A1" << 13;
}

void TestTabloWidget::textWidth()
{
    QFETCH(const BoardFont *, font);
    QFETCH(QString, text);
    QFETCH(int, width);
    QCOMPARE(TabloWidget::textWidth(text, *font), width);
    // drawText lays the text out the same way: it returns the column after
    // the spacing of the last glyph.
    TabloWidget w;
    w.setMatrixSize(200, font->height);
    if (!text.isEmpty())
        QCOMPARE(w.drawText(text, 0, 0, *font), width > 0 ? width + 1 : 0);
}

void TestTabloWidget::centring_data()
{
    QTest::addColumn<const BoardFont *>("font");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("clipRight");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    const BoardFont *thin = &FontText8x8Thin;
    // "AA" in the thin font is 9 wide, each "A" advances 5.
    QTest::newRow("whole board") << thin << "AA" << 0 << 96 << 43 << 53;
    QTest::newRow("text area after a number") << thin << "AA" << 10 << 96 << 48 << 58;
    QTest::newRow("clip cut short") << thin << "AA" << 0 << 40 << 15 << 25;
    QTest::newRow("left of the board") << thin << "AA" << -20 << 96 << 33 << 43;
    QTest::newRow("exactly as wide") << thin << "AA" << 0 << 9 << 0 << 10;
    QTest::newRow("too wide: stops after the first") << thin << "AA" << 0 << 5 << 0 << 5;
    // "A " in the bold font is 10 wide: the bold "A" advances 7, the space 4.
    QTest::newRow("10 wide, even rest") << &FontText8x8Bold << "A " << 0 << 96 << 43 << 54;
    QTest::newRow("10 wide, odd rest rounds down")
        << &FontText8x8Bold << "A " << 0 << 97 << 43 << 54;
}

void TestTabloWidget::centring()
{
    QFETCH(const BoardFont *, font);
    QFETCH(QString, text);
    QFETCH(int, x);
    QFETCH(int, clipRight);
    QFETCH(int, start);
    QFETCH(int, end);
    TabloWidget w;
    w.setMatrixSize(97, 8);
    w.setClipRight(clipRight);
    w.setInkColor(Ink);
    QCOMPARE(w.drawText(text, x, 0, *font, TabloWidget::CenterText), end);
    if (start >= 0 && start < clipRight)
        QCOMPARE(firstLitColumn(w), start);
}

void TestTabloWidget::clipping_data()
{
    QTest::addColumn<QRect>("clip");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("flags");
    QTest::newRow("inside") << QRect(10, 2, 40, 10) << 12 << 3 << 0;
    QTest::newRow("starts left of clip") << QRect(10, 0, 40, 16) << 4 << 0 << 0;
    QTest::newRow("runs past the right") << QRect(0, 0, 30, 16) << 20 << 0 << 0;
    QTest::newRow("above and below") << QRect(0, 4, 64, 6) << 0 << -3 << 0;
    QTest::newRow("negative everything") << QRect(5, 5, 20, 5) << -7 << -9 << 0;
    QTest::newRow("far away") << QRect(0, 0, 64, 16) << 1000000 << 1000000 << 0;
    QTest::newRow("far negative") << QRect(0, 0, 64, 16) << -2000000000 << -2000000000 << 0;
    QTest::newRow("centred") << QRect(8, 1, 30, 12) << -100 << 2 << int(TabloWidget::CenterText);
    QTest::newRow("centred from far left")
        << QRect(0, 0, 64, 16) << -2000000000 << 0 << int(TabloWidget::CenterText);
    QTest::newRow("empty clip") << QRect(20, 5, 0, 0) << 0 << 0 << 0;
}

void TestTabloWidget::clipping()
{
    QFETCH(QRect, clip);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, flags);
    TabloWidget w;
    w.setMatrixSize(64, 16);
    fillAll(w, Pattern);
    w.setClipLeft(clip.left());
    w.setClipTop(clip.top());
    w.setClipRight(clip.left() + clip.width());
    w.setClipBottom(clip.top() + clip.height());
    QCOMPARE(w.clipRect(), clip);
    w.setInkColor(Ink);
    const QString text = QString::fromUtf8("ЖЩ№ЮWM Ӝ") + QString(20, QChar('H'));
    w.drawText(text, x, y, FontText16x16, flags);
    for (int py = 0; py < 16; ++py)
        for (int px = 0; px < 64; ++px)
            if (!clip.contains(px, py))
                QCOMPARE(w.pixelAt(px, py), Pattern);
}

void TestTabloWidget::drawTextStopsAtClipRight()
{
    TabloWidget w;
    QCOMPARE(w.drawText(QStringLiteral("AB"), 7, 0, FontText8x8Thin), 7); // no matrix
    w.setMatrixSize(64, 16);
    QCOMPARE(w.drawText(QString(), 5, 0, FontText8x8Thin), 5);
    w.setClipRight(20);
    QCOMPARE(w.drawText(QStringLiteral("AB"), 20, 0, FontText8x8Thin), 20);
    const int end = w.drawText(QString(50, QChar('H')), 0, 0, FontText16x16);
    const int advance = TabloWidget::glyphAdvance(QChar('H'), FontText16x16);
    QVERIFY(end >= 20 && end < 20 + advance);
    QCOMPARE(end % advance, 0);
}

void TestTabloWidget::fillIgnoresClip_data()
{
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QRect>("filled");
    QTest::newRow("whole") << QRect(0, 0, 40, 10) << QRect(0, 0, 40, 10);
    QTest::newRow("too large") << QRect(5, 2, 1000, 1000) << QRect(5, 2, 35, 8);
    QTest::newRow("from the left outside") << QRect(-5, -3, 10, 5) << QRect(0, 0, 5, 2);
    QTest::newRow("outside") << QRect(50, 0, 5, 5) << QRect();
    QTest::newRow("negative size") << QRect(10, 5, -4, 3) << QRect();
}

void TestTabloWidget::fillIgnoresClip()
{
    QFETCH(QRect, rect);
    QFETCH(QRect, filled);
    TabloWidget w;
    w.fillRect(0, 0, 10, 10); // no matrix: nothing happens
    w.setMatrixSize(40, 10);
    w.setClipLeft(20);
    w.setClipBottom(1);
    w.setFillColor(Ink);
    w.fillRect(rect.x(), rect.y(), rect.width(), rect.height());
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 40; ++x)
            QCOMPARE(w.pixelAt(x, y), filled.contains(x, y) ? Ink : QRgb(0));
}

void TestTabloWidget::feedGlyph()
{
    TabloWidget w;
    QCOMPARE(w.drawGlyphToFeed(QChar('A'), 0, FontText8x8Thin), 0);
    w.setMatrixSize(30, 16);
    w.setInkColor(Ink);
    w.setFillColor(Pattern);
    QCOMPARE(w.drawGlyphToFeed(QChar(0x4E00), 0, FontText8x8Thin), 0);
    QCOMPARE(w.feedAt(15, 0), QRgb(0));
    QCOMPARE(w.drawGlyphToFeed(QChar('A'), 4, FontText8x8Thin), 5);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            QRgb expected = 0;
            if (y >= 4 && y < 12)
                expected = x >= 4 ? Pattern : w.feedAt(x, y);
            QCOMPARE(w.feedAt(x, y), expected);
        }
    }
    QCOMPARE(w.feedAt(0, 6), Ink); // row 2 of "A": 0x90
    QCOMPARE(w.feedAt(3, 6), Ink);
    QCOMPARE(w.feedAt(1, 6), QRgb(0));
    // A blank glyph fills the row tail and advances like a space.
    QCOMPARE(w.drawGlyphToFeed(QChar(' '), 0, FontText16x16), 6);
    QCOMPARE(w.feedAt(0, 0), Pattern);
    w.clearFeed();
    QCOMPARE(w.feedAt(0, 0), QRgb(0));
}

void TestTabloWidget::scrollLeft_data()
{
    QTest::addColumn<const BoardFont *>("font");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("spacing");
    QTest::newRow("16 rows") << &FontText16x16 << 16 << "AЖ1" << 1;
    QTest::newRow("32 rows") << &FontText16x32 << 32 << "AЖ1" << 2;
    QTest::newRow("32 rows small font") << &FontText8x8Thin << 32 << "AA" << 2;
    QTest::newRow("20 rows") << &FontText16x20 << 20 << "AA" << 1;
    QTest::newRow("unknown skipped") << &FontText8x8Bold << 16 << QString::fromUtf8("A漢 A") << 1;
}

// The text runs in from the right; when the step reports the end, it stands
// at the right edge exactly as drawText places it, with the spacing of the
// region height.
void TestTabloWidget::scrollLeft()
{
    QFETCH(const BoardFont *, font);
    QFETCH(int, height);
    QFETCH(QString, text);
    QFETCH(int, spacing);
    const int columns = 100;
    TabloWidget w;
    TextEffect effect;
    QVERIFY(w.stepScrollLeft(effect)); // no matrix
    w.setMatrixSize(columns, height);
    w.setInkColor(Ink);
    effect.text = text;
    effect.font = font;
    effect.width = columns;
    effect.height = height;
    int steps = 1;
    while (!w.stepScrollLeft(effect))
        ++steps;
    int advances = 0;
    int glyphs = 0;
    for (QChar c : text) {
        advances += TabloWidget::glyphAdvance(c, *font);
        glyphs += TabloWidget::glyphAdvance(c, *font) > 0;
    }
    QCOMPARE(steps, 1 + advances + glyphs * (spacing - 1));

    TabloWidget expected;
    expected.setMatrixSize(columns, height);
    expected.setInkColor(Ink);
    int x = columns - (steps - 1);
    for (QChar c : text) {
        if (TabloWidget::glyphAdvance(c, *font) > 0)
            x = expected.drawText(QString(c), x, 0, *font) + spacing - 1;
    }
    QCOMPARE(snapshot(w), snapshot(expected));

    // A gap: the feed keeps supplying the fill colour.
    effect.counter = 3;
    for (int i = 0; i < 3; ++i)
        QVERIFY(!w.stepScrollLeft(effect));
    QVERIFY(w.stepScrollLeft(effect));
    for (int y = 0; y < height; ++y)
        for (int c = columns - 4; c < columns; ++c)
            QCOMPARE(w.pixelAt(c, y), QRgb(0));
}

void TestTabloWidget::scrollLeftStaysInRegion()
{
    TabloWidget w;
    w.setMatrixSize(60, 16);
    fillAll(w, Pattern);
    w.setFillColor(0);
    w.setInkColor(Ink);
    TextEffect effect;
    effect.text = QStringLiteral("ABC");
    effect.font = &FontText8x8Thin;
    effect.x = 10;
    effect.y = 8;
    effect.width = 30;
    effect.height = 8;
    const QRect region(10, 8, 30, 8);
    for (int i = 0; i < 200 && !w.stepScrollLeft(effect); ++i) {
    }
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 60; ++x)
            if (!region.contains(x, y))
                QCOMPARE(w.pixelAt(x, y), Pattern);
    // Regions reaching outside the matrix are cut to it.
    w.shiftLeft(-5, -5, 1000, 1000);
    w.shiftUp(50, 10, 1000, 1000);
    w.shiftLeft(70, 0, 5, 5);
}

void TestTabloWidget::scrollUp_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<QRect>("clip");
    QTest::newRow("plain") << 0 << QRect(0, 0, 80, 16);
    QTest::newRow("centred") << int(TabloWidget::CenterText) << QRect(0, 0, 80, 16);
    QTest::newRow("narrow clip") << 0 << QRect(20, 0, 30, 16);
    QTest::newRow("clip cuts region") << 0 << QRect(0, 0, 80, 11);
}

// The old line leaves through the top, the new one rises from below and
// stops at the top of the region; nothing outside the region moves and no
// ink lands outside the clip.
void TestTabloWidget::scrollUp()
{
    QFETCH(int, flags);
    QFETCH(QRect, clip);
    TabloWidget w;
    w.setMatrixSize(80, 16);
    fillAll(w, Pattern);
    const QRect region(10, 8, 60, 8);
    w.setFillColor(0);
    w.fillRect(region.x(), region.y(), region.width(), region.height());
    w.setInkColor(Ink);
    w.drawText(QStringLiteral("OLD"), region.x(), region.y(), FontText8x8Bold);
    w.setClipLeft(clip.left());
    w.setClipTop(clip.top());
    w.setClipRight(clip.left() + clip.width());
    w.setClipBottom(clip.top() + clip.height());

    TextEffect effect;
    effect.text = QStringLiteral("NEW");
    effect.font = &FontText8x8Thin;
    effect.x = region.x();
    effect.y = region.y();
    effect.width = region.width();
    effect.height = region.height();
    effect.flags = flags;
    effect.counter = 2 * region.height();
    int steps = 0;
    while (!w.stepScrollUp(effect)) {
        ++steps;
        QCOMPARE(w.clipRect(), clip);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 80; ++x)
                if (!region.contains(x, y))
                    QCOMPARE(w.pixelAt(x, y), Pattern);
                else if (steps >= region.height() && !clip.contains(x, y))
                    QCOMPARE(w.pixelAt(x, y), QRgb(0)); // the old line has left
        QVERIFY(steps <= 2 * region.height());
    }
    QCOMPARE(steps, 2 * region.height());

    TabloWidget expected;
    expected.setMatrixSize(80, 16);
    fillAll(expected, Pattern);
    expected.fillRect(region.x(), region.y(), region.width(), region.height());
    expected.setInkColor(Ink);
    expected.setClipLeft(clip.left());
    expected.setClipRight(clip.left() + clip.width());
    expected.setClipTop(region.top());
    expected.setClipBottom(qMin(region.bottom() + 1, clip.top() + clip.height()));
    expected.drawText(QStringLiteral("NEW"), region.x(), region.y(), FontText8x8Thin, flags);
    QCOMPARE(snapshot(w), snapshot(expected));

    effect.counter = -3;
    QVERIFY(w.stepScrollUp(effect));
    // A region far below the matrix moves and draws nothing.
    const QVector<QRgb> before = snapshot(w);
    effect.y = INT_MAX;
    effect.counter = 5;
    QVERIFY(!w.stepScrollUp(effect));
    QCOMPARE(snapshot(w), before);
}

void TestTabloWidget::ledColor_data()
{
    QTest::addColumn<uint>("in");
    QTest::addColumn<uint>("out");
    QTest::newRow("black") << 0x000000u << 0xFFFFFFu;
    QTest::newRow("grey") << 0x808080u << 0xFFFFFFu;
    QTest::newRow("white") << 0xFFFFFFu << 0xFFFFFFu;
    QTest::newRow("dark red") << 0x800000u << 0xFF0000u;
    QTest::newRow("dark green") << 0x008000u << 0x00FF00u;
    QTest::newRow("navy") << 0x000080u << 0x0000FFu;
    QTest::newRow("brown") << 0x804000u << 0xFF8000u;
    QTest::newRow("top byte dropped") << 0xAB800000u << 0xFF0000u;
    QTest::newRow("amber") << 0xFFA000u << 0xFFA000u;
}

void TestTabloWidget::ledColor()
{
    QFETCH(uint, in);
    QFETCH(uint, out);
    QCOMPARE(uint(TabloWidget::ledColor(in)), out);
}

void TestTabloWidget::matrixSize_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("matrix");
    QTest::newRow("plain") << 96 << 16 << QSize(96, 16) << true;
    QTest::newRow("negative columns") << -96 << 16 << QSize(96, 16) << true;
    QTest::newRow("negative rows") << 128 << -16 << QSize(128, 16) << true;
    QTest::newRow("zero columns") << 0 << 16 << QSize(0, 16) << false;
    QTest::newRow("zero rows") << 96 << 0 << QSize(96, 0) << false;
    QTest::newRow("lowest int") << INT_MIN << 8 << QSize(2048, 8) << true;
    QTest::newRow("huge") << 1000000 << 1000000 << QSize(2048, 2048) << true;
}

void TestTabloWidget::matrixSize()
{
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(QSize, size);
    QFETCH(bool, matrix);
    TabloWidget w;
    w.setMatrixSize(columns, rows);
    QCOMPARE(QSize(w.matrixColumns(), w.matrixRows()), size);
    QCOMPARE(w.hasMatrix(), matrix);
    QCOMPARE(w.clipRect(), QRect(0, 0, size.width(), size.height()));
    if (!matrix) {
        QCOMPARE(w.heightForWidth(400), size.width() ? 4 : 0);
        // Drawing without a matrix does nothing and returns its neutral value.
        QCOMPARE(w.drawText(QStringLiteral("A"), 3, 0, FontText8x8Thin), 3);
        TextEffect effect;
        effect.text = QStringLiteral("A");
        effect.counter = 4;
        QVERIFY(w.stepScrollLeft(effect));
        QVERIFY(w.stepScrollUp(effect));
        w.clearMatrix();
        w.shiftLeft(0, 0, 10, 10);
        w.shiftUp(0, 0, 10, 10);
    }
    w.setClipLeft(-5);
    w.setClipRight(100000);
    w.setClipTop(-1);
    w.setClipBottom(100000);
    QCOMPARE(w.clipRect(), QRect(0, 0, size.width(), size.height()));
}

void TestTabloWidget::resizeKeepsOrClears()
{
    TabloWidget w;
    w.setMatrixSize(96, 16);
    w.setClipRight(50);
    w.setFillColor(Ink);
    w.fillRect(0, 0, 1, 1);
    w.setMatrixSize(96, 16); // same size: nothing changes
    QCOMPARE(w.pixelAt(0, 0), Ink);
    QCOMPARE(w.clipRect().right(), 49);
    // Negative sizes are made positive only after the comparison, so this is
    // a new matrix of the same size.
    w.setMatrixSize(-96, -16);
    QCOMPARE(QSize(w.matrixColumns(), w.matrixRows()), QSize(96, 16));
    QCOMPARE(w.pixelAt(0, 0), QRgb(0));
    QCOMPARE(w.clipRect(), QRect(0, 0, 96, 16));
    w.fillRect(0, 0, 1, 1);
    w.setMatrixSize(128, 16);
    QCOMPARE(w.pixelAt(0, 0), QRgb(0));
    QCOMPARE(w.clipRect(), QRect(0, 0, 128, 16));
}

void TestTabloWidget::heightForWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("pitch 4") << 400 << 68;
    QTest::newRow("wide stays at pitch 4") << 2000 << 68;
    QTest::newRow("pitch 3") << 300 << 52;
    QTest::newRow("pitch 1") << 100 << 20;
    QTest::newRow("too narrow") << 50 << 4;
    QTest::newRow("zero") << 0 << 4;
    QTest::newRow("lowest int") << INT_MIN << 4;
}

void TestTabloWidget::heightForWidth()
{
    QFETCH(int, width);
    QFETCH(int, height);
    TabloWidget w;
    QCOMPARE(w.heightForWidth(width), 0);
    QVERIFY(w.hasHeightForWidth());
    w.setMatrixSize(96, 16);
    QCOMPARE(w.heightForWidth(width), height);
    QCOMPARE(w.sizeHint(), QSize(196, 36));
}

void TestTabloWidget::paintPitch_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("pitch");
    QTest::newRow("400 wide") << QSize(400, 68) << 4;
    QTest::newRow("400 wide, taller") << QSize(400, 200) << 4;
    QTest::newRow("300 wide") << QSize(300, 68) << 3;
    QTest::newRow("height limits") << QSize(400, 60) << 3;
    QTest::newRow("pitch 2") << QSize(200, 40) << 2;
    QTest::newRow("pitch 1") << QSize(100, 40) << 1;
    QTest::newRow("too small") << QSize(90, 40) << 0;
    QTest::newRow("too flat") << QSize(400, 10) << 0;
}

// LEDs are pitch - 1 squares above pitch 2, touching squares at 1 and 2,
// on a black field that covers the matrix and the margin only.
void TestTabloWidget::paintPitch()
{
    QFETCH(QSize, size);
    QFETCH(int, pitch);
    TabloWidget w;
    w.setMatrixSize(96, 16);
    QCOMPARE(w.pitchForSize(size), pitch);
    w.setFillColor(0xFF00FF00u); // the top byte is not painted
    w.fillRect(0, 0, 1, 1);
    w.fillRect(95, 15, 1, 1);
    const QImage image = paintOf(w, size);
    const QRgb magenta = QColor(Qt::magenta).rgb();
    if (pitch == 0) {
        QCOMPARE(image.pixel(0, 0), magenta);
        return;
    }
    const int side = pitch > 2 ? pitch - 1 : pitch;
    const QRgb green = qRgb(0, 255, 0);
    const QRgb black = qRgb(0, 0, 0);
    QCOMPARE(image.pixel(0, 0), black);
    QCOMPARE(image.pixel(2, 2), green);
    QCOMPARE(image.pixel(2 + side - 1, 2 + side - 1), green);
    QCOMPARE(image.pixel(2 + side, 2), black);  // gap, or the next LED, which is off
    QCOMPARE(image.pixel(2 + pitch, 2), black); // LED (1, 0) is off
    const int last = 2 + 95 * pitch;
    QCOMPARE(image.pixel(last, 2 + 15 * pitch), green);
    const int right = 4 + 96 * pitch;
    const int bottom = 4 + 16 * pitch;
    QCOMPARE(image.pixel(right - 1, bottom - 1), black);
    if (right < size.width())
        QCOMPARE(image.pixel(right, 0), magenta);
    if (bottom < size.height())
        QCOMPARE(image.pixel(0, bottom), magenta);
}

void TestTabloWidget::paintsNothingWithoutMatrix()
{
    TabloWidget w;
    w.setMatrixSize(0, 16);
    const QImage image = paintOf(w, QSize(400, 68));
    QCOMPARE(image.pixel(0, 0), QColor(Qt::magenta).rgb());
    QCOMPARE(image.pixel(200, 30), QColor(Qt::magenta).rgb());
}

QTEST_MAIN(TestTabloWidget)
#include "tst_tablowidget.moc"
