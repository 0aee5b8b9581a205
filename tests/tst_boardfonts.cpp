// The board fonts as a sign maker judges them, on the generated glyph tables.
#include "boardfont.h"

#include <QSet>
#include <QtTest>

namespace {

using Rows = QVector<quint32>;

Rows glyphRows(const BoardFont &font, ushort c)
{
    Rows rows;
    const int wide = font.width > 8 ? 2 : 1;
    const unsigned char *g = font.glyphs + font.lookup(QChar(c)) * font.height * wide;
    for (int r = 0; r < font.height; ++r)
        rows.append(wide == 1 ? g[r] : quint32(g[2 * r] | g[2 * r + 1] << 8));
    return rows;
}

int topRow(const Rows &rows)
{
    return int(std::find_if(rows.begin(), rows.end(), [](quint32 r) { return r; }) - rows.begin());
}

// Rows from..to-1 moved against the left edge, so that only the shape counts.
Rows shape(const Rows &rows, int from, int to)
{
    const quint32 all = std::accumulate(rows.begin() + from, rows.begin() + to, 0u,
                                        [](quint32 a, quint32 r) { return a | r; });
    Rows out;
    for (int r = from; r < to; ++r)
        out.append(all ? rows[r] << __builtin_clz(all) : 0);
    return out;
}

int litCount(const Rows &rows)
{
    return std::accumulate(rows.begin(), rows.end(), 0,
                           [](int n, quint32 r) { return n + __builtin_popcount(r); });
}

// Cells reached from `from` through side neighbours of the same kind (lit or
// not), within the cell and a one-LED border around it.
int flood(const Rows &rows, int width, QPoint from)
{
    auto lit = [&](QPoint p) {
        return p.y() >= 0 && p.y() < rows.size() && p.x() >= 0 && p.x() < width &&
               (rows[p.y()] >> (width - 1 - p.x()) & 1);
    };
    const bool kind = lit(from);
    QSet<QPair<int, int>> seen;
    QVector<QPoint> todo{from};
    while (!todo.isEmpty()) {
        const QPoint p = todo.takeLast();
        if (p.x() < -1 || p.x() > width || p.y() < -1 || p.y() > rows.size() || lit(p) != kind ||
            seen.contains({p.x(), p.y()}))
            continue;
        seen.insert({p.x(), p.y()});
        todo << p + QPoint(1, 0) << p - QPoint(1, 0) << p + QPoint(0, 1) << p - QPoint(0, 1);
    }
    return seen.size();
}

} // namespace

class TestBoardFonts : public QObject
{
    Q_OBJECT

private slots:
    void shapes()
    {
        for (const BoardFont *font : {&FontText16x32, &FontText16x20, &FontText16x16, &FontText8x12,
                                      &FontText8x8Bold, &FontText8x8Thin}) {
            const int w = font->width;
            const QByteArray name = QByteArray::number(w) + 'x' + QByteArray::number(font->height) +
                                    (font == &FontText8x8Bold ? " bold " : " ");
            auto g = [&](ushort c) { return glyphRows(*font, c); };
            auto check = [&](bool ok, const char *what, ushort c) {
                QVERIFY2(ok, (name + what + ' ' + QString(QChar(c)).toUtf8()).constData());
            };

            // The numero sign: an N with a closed "o", background no flood from outside reaches.
            const Rows numero = g(0x2116);
            check((w + 2) * (font->height + 2) - litCount(numero) >
                      flood(numero, w, QPoint(-1, -1)),
                  "no closed ring in", 0x2116);

            // Dots above leave the body of the base letter as it is, where the
            // cell has room for the dots and a gap.
            const ushort dotted[][2] = {{0x401, 0x415}, {0x407, 0x406}, {0x4E6, 0x41E},
                                        {0x4D2, 0x410}, {0x4E4, 0x418}, {0x116, 'E'},
                                        {0x17B, 'Z'}};
            for (const auto &pair : dotted) {
                const int top = topRow(g(pair[1]));
                if (top >= 2)
                    check(shape(g(pair[0]), top, font->height) ==
                                  shape(g(pair[1]), top, font->height) &&
                              topRow(g(pair[0])) < top - 1,
                          "body changed under the dots of", pair[0]);
            }

            // Sha and Shcha: each in one piece, with the same stems.
            for (const char16_t *pair : {u"ШЩ", u"шщ"}) {
                const Rows sha = g(pair[0]);
                const Rows shcha = g(pair[1]);
                const int bottom = font->height - 1 - topRow(Rows(sha.rbegin(), sha.rend()));
                const int middle = (topRow(sha) + bottom) / 2 + 1;
                for (ushort c : {ushort(pair[0]), ushort(pair[1])}) {
                    const Rows rows = g(c);
                    const int x = __builtin_clz(rows[bottom]) - (32 - w);
                    check(flood(rows, w, QPoint(x, bottom)) == litCount(rows), "broken", c);
                }
                check(shape(shcha, 0, middle) == shape(sha, 0, middle), "stems differ in", pair[1]);
            }

            if (font->height == 8) {
                check(g('A') == g(0x410), "Latin A differs from", 0x410);
                check(g('B') == g(0x412), "Latin B differs from", 0x412);
            }
            // Bold bowls as wide as bold stems: no lone LED in a row.
            if (font == &FontText8x8Bold)
                for (ushort c : {ushort(0x412), ushort(0x420), ushort(0x42C), ushort('B')})
                    for (quint32 r : g(c))
                        check(!(r & ~(r << 1) & ~(r >> 1)), "thin stroke in", c);
        }
    }
};

QTEST_MAIN(TestBoardFonts)
#include "tst_boardfonts.moc"
