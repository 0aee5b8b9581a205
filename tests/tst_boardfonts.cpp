// The board fonts as a sign maker judges them: shapes that must read the same
// wherever they occur, checked on the generated glyph tables.
#include "boardfont.h"

#include <QSet>

#include <QtTest>
#include <numeric>

namespace {

using Rows = QVector<quint32>;

Rows glyphRows(const BoardFont &font, QChar c)
{
    Rows rows;
    const int index = font.lookup(c);
    if (index < 0)
        return rows;
    const int stride = font.width <= 8 ? 1 : 2;
    const unsigned char *g = font.glyphs + index * font.height * stride;
    for (int r = 0; r < font.height; ++r)
        rows.append(stride == 1 ? g[r] : quint32(g[2 * r] | g[2 * r + 1] << 8));
    return rows;
}

int topRow(const Rows &rows)
{
    int r = 0;
    while (r < rows.size() && !rows[r])
        ++r;
    return r;
}

// Rows from..to-1, moved against the left edge so that only the shape counts.
Rows shape(const Rows &rows, int from, int to)
{
    quint32 all = 0;
    for (int r = from; r < to; ++r)
        all |= rows[r];
    Rows out;
    for (int r = from; r < to; ++r)
        out.append(all ? rows[r] << __builtin_clz(all) : 0);
    return out;
}

bool lit(const Rows &rows, int width, int x, int y)
{
    return y >= 0 && y < rows.size() && x >= 0 && x < width && (rows[y] >> (width - 1 - x) & 1);
}

// Background LEDs that cannot be reached from outside the cell: closed counters.
int enclosed(const Rows &rows, int width)
{
    const int h = rows.size();
    QSet<int> outside;
    QVector<QPoint> todo{{-1, -1}};
    while (!todo.isEmpty()) {
        const QPoint p = todo.takeLast();
        if (p.x() < -1 || p.x() > width || p.y() < -1 || p.y() > h ||
            lit(rows, width, p.x(), p.y()) || outside.contains(p.y() * 1000 + p.x()))
            continue;
        outside.insert(p.y() * 1000 + p.x());
        todo << QPoint(p.x() + 1, p.y()) << QPoint(p.x() - 1, p.y()) << QPoint(p.x(), p.y() + 1)
             << QPoint(p.x(), p.y() - 1);
    }
    return (width + 2) * (h + 2) - outside.size() -
           std::accumulate(rows.begin(), rows.end(), 0,
                           [](int n, quint32 r) { return n + __builtin_popcount(r); });
}

// LEDs joined by their sides form one piece.
bool onePiece(const Rows &rows, int width)
{
    QVector<QPoint> todo;
    QSet<int> seen;
    int count = 0;
    for (int y = 0; y < rows.size(); ++y)
        for (int x = 0; x < width; ++x)
            if (lit(rows, width, x, y)) {
                ++count;
                if (todo.isEmpty() && seen.isEmpty())
                    todo << QPoint(x, y);
            }
    while (!todo.isEmpty()) {
        const QPoint p = todo.takeLast();
        if (!lit(rows, width, p.x(), p.y()) || seen.contains(p.y() * 1000 + p.x()))
            continue;
        seen.insert(p.y() * 1000 + p.x());
        todo << QPoint(p.x() + 1, p.y()) << QPoint(p.x() - 1, p.y()) << QPoint(p.x(), p.y() + 1)
             << QPoint(p.x(), p.y() - 1);
    }
    return seen.size() == count;
}

// Narrowest run of lit LEDs in any row.
int thinnestRun(const Rows &rows, int width)
{
    int thinnest = width;
    for (quint32 r : rows)
        for (int x = 0; x < width;) {
            int n = 0;
            while (x + n < width && (r >> (width - 1 - x - n) & 1))
                ++n;
            if (n)
                thinnest = std::min(thinnest, n);
            x += n ? n : 1;
        }
    return thinnest;
}

const BoardFont *const textFonts[] = {&FontText16x32, &FontText16x20,   &FontText16x16,
                                      &FontText8x12,  &FontText8x8Bold, &FontText8x8Thin};

QString fontName(const BoardFont *f)
{
    return QStringLiteral("%1x%2%3").arg(f->width).arg(f->height).arg(
        f == &FontText8x8Bold ? " bold" : "");
}

} // namespace

Q_DECLARE_METATYPE(const BoardFont *)

class TestBoardFonts : public QObject
{
    Q_OBJECT

private slots:
    void shapes_data()
    {
        QTest::addColumn<const BoardFont *>("font");
        for (const BoardFont *f : textFonts)
            QTest::newRow(qPrintable(fontName(f))) << f;
    }

    void shapes()
    {
        QFETCH(const BoardFont *, font);
        const int w = font->width;
        auto g = [&](ushort c) { return glyphRows(*font, QChar(c)); };

        // The numero sign is an N with a closed "o" beside it.
        QVERIFY(enclosed(g(0x2116), w) > 0);

        // A letter with dots above keeps its base letter's body where the cell
        // leaves room for the dots and a gap.
        const ushort dotted[][2] = {{0x401, 0x415}, {0x407, 0x406}, {0x4E6, 0x41E}, {0x4D2, 0x410},
                                    {0x4E4, 0x418}, {0x116, 'E'},   {0x17B, 'Z'}};
        for (const auto &pair : dotted) {
            const Rows base = g(pair[1]);
            const int top = topRow(base);
            if (top < 2)
                continue;
            QVERIFY2(shape(g(pair[0]), top, font->height) == shape(base, top, font->height),
                     qPrintable(QString(QChar(pair[0]))));
            QVERIFY2(topRow(g(pair[0])) < top - 1, qPrintable(QString(QChar(pair[0]))));
        }

        // Sha and Shcha: one piece each, with the same stems.
        for (const char16_t *sh : {u"ШЩ", u"шщ"}) {
            const Rows sha = g(ushort(sh[0]));
            const Rows shcha = g(ushort(sh[1]));
            QVERIFY(onePiece(sha, w) && onePiece(shcha, w));
            const int bottom = font->height - 1 - topRow(Rows(sha.rbegin(), sha.rend()));
            const int middle = (topRow(sha) + bottom) / 2 + 1;
            QCOMPARE(shape(shcha, 0, middle), shape(sha, 0, middle));
        }

        // The small fonts draw Latin A and B like Cyrillic А and В.
        if (font->height == 8) {
            QCOMPARE(g('A'), g(0x410));
            QCOMPARE(g('B'), g(0x412));
        }
        // Bold bowls are as wide as bold stems.
        if (font == &FontText8x8Bold)
            for (ushort c : {ushort(0x412), ushort(0x420), ushort(0x42C), ushort('B'), ushort('P')})
                QVERIFY2(thinnestRun(g(c), w) >= 2, qPrintable(QString(QChar(c))));
    }
};

QTEST_MAIN(TestBoardFonts)
#include "tst_boardfonts.moc"
