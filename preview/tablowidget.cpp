#include "tablowidget.h"

#include <QPainter>
#include <QVarLengthArray>
#include <QtMath>
#include <algorithm>

namespace {

// Matrices larger than any board are refused so that a wild size cannot
// exhaust memory; the largest board is 320 x 32.
constexpr int MaxMatrixSide = 2048;

struct GlyphInfo
{
    int index = -1;
    int drawn = 0;   // lit width in columns, 0 for a blank glyph
    int advance = 0; // drawn width plus the spacing column; 0 without a glyph
};

inline uint glyphRow(const BoardFont &font, int index, int row)
{
    const int offset = index * font.height + row;
    if (font.width <= 8)
        return font.glyphs[offset];
    const unsigned char *p = font.glyphs + 2 * offset;
    return uint(p[0]) | uint(p[1]) << 8;
}

GlyphInfo glyphInfo(QChar c, const BoardFont &font)
{
    GlyphInfo info;
    const int index = font.lookup(c);
    if (index < 0 || index >= font.glyphCount)
        return info;
    info.index = index;
    uint bits = 0;
    for (int j = 0; j < font.height; ++j)
        bits |= glyphRow(font, index, j);
    if (bits == 0) {
        info.advance = font.width > 8 ? 6 : 4;
        return info;
    }
    info.drawn = font.width - qCountTrailingZeroBits(bits);
    info.advance = info.drawn + 1;
    return info;
}

// Intersects (x, y, w, h) with a columns x rows area; false when nothing is left.
// A region reaching past the left or top edge loses that part, it does not move.
bool clampRegion(int &x, int &y, int &w, int &h, int columns, int rows)
{
    const qint64 left = qMax<qint64>(x, 0);
    const qint64 top = qMax<qint64>(y, 0);
    const qint64 right = qMin<qint64>(qint64(x) + w, columns);
    const qint64 bottom = qMin<qint64>(qint64(y) + h, rows);
    if (left >= right || top >= bottom)
        return false;
    x = int(left);
    y = int(top);
    w = int(right - left);
    h = int(bottom - top);
    return true;
}

} // namespace

TabloWidget::TabloWidget(QWidget *parent) : QWidget(parent) {}

TabloWidget::~TabloWidget() = default;

void TabloWidget::setMatrixSize(int newColumns, int newRows)
{
    // Only the very same size keeps the matrix; a negative or oversized
    // request for the current size still starts a fresh one.
    if (newColumns == columns && newRows == rows)
        return;
    const int c = int(qMin<qint64>(qAbs(qint64(newColumns)), MaxMatrixSide));
    const int r = int(qMin<qint64>(qAbs(qint64(newRows)), MaxMatrixSide));
    std::vector<QRgb>().swap(pixels);
    std::vector<QRgb>().swap(feedBuffer);
    columns = c;
    rows = r;
    if (columns * rows != 0) {
        pixels.assign(size_t(columns) * size_t(rows), 0);
        feedBuffer.assign(size_t(rows) * size_t(rows), 0);
    }
    resetClip();
    updateGeometry();
}

void TabloWidget::resetClip()
{
    clipLeft = 0;
    clipTop = 0;
    clipRight = columns;
    clipBottom = rows;
}

void TabloWidget::setClipLeft(int x)
{
    clipLeft = qBound(0, x, columns);
}
void TabloWidget::setClipRight(int x)
{
    clipRight = qBound(0, x, columns);
}
void TabloWidget::setClipTop(int y)
{
    clipTop = qBound(0, y, rows);
}
void TabloWidget::setClipBottom(int y)
{
    clipBottom = qBound(0, y, rows);
}

QRect TabloWidget::clipRect() const
{
    return QRect(clipLeft, clipTop, clipRight - clipLeft, clipBottom - clipTop);
}

void TabloWidget::fillRect(int x, int y, int w, int h)
{
    if (pixels.empty() || !clampRegion(x, y, w, h, columns, rows))
        return;
    for (int r = y; r < y + h; ++r) {
        QRgb *line = &pixels[size_t(r) * size_t(columns) + size_t(x)];
        std::fill(line, line + w, fillColor);
    }
}

void TabloWidget::clearMatrix()
{
    fillRect(0, 0, columns, rows);
}

void TabloWidget::clearFeed()
{
    std::fill(feedBuffer.begin(), feedBuffer.end(), 0);
}

QRgb TabloWidget::pixelAt(int x, int y) const
{
    if (pixels.empty() || x < 0 || y < 0 || x >= columns || y >= rows)
        return 0;
    return pixels[size_t(y) * size_t(columns) + size_t(x)];
}

QRgb TabloWidget::feedAt(int x, int y) const
{
    if (feedBuffer.empty() || x < 0 || y < 0 || x >= rows || y >= rows)
        return 0;
    return feedBuffer[size_t(y) * size_t(rows) + size_t(x)];
}

int TabloWidget::glyphAdvance(QChar c, const BoardFont &font)
{
    return glyphInfo(c, font).advance;
}

int TabloWidget::textWidth(const QString &text, const BoardFont &font)
{
    qint64 sum = 0;
    for (QChar c : text)
        sum += glyphInfo(c, font).advance;
    return sum > 0 ? int(qMin<qint64>(sum - 1, INT_MAX)) : 0;
}

int TabloWidget::drawText(const QString &text, int x, int y, const BoardFont &font, int flags)
{
    if (pixels.empty() || text.isEmpty())
        return x;
    if (flags & CenterText) {
        const qint64 space = qint64(clipRight) - x;
        const int w = textWidth(text, font);
        if (w < space)
            x = int(x + ((space - w) >> 1));
    }
    if (x >= clipRight)
        return x;
    const int top = int(qBound<qint64>(clipTop, y, clipBottom));
    const int bottom = int(qBound<qint64>(clipTop, qint64(y) + font.height, clipBottom));
    for (QChar c : text) {
        const GlyphInfo g = glyphInfo(c, font);
        if (g.index < 0)
            continue;
        const int first = int(qBound<qint64>(0, qint64(clipLeft) - x, g.drawn));
        const int last = int(qBound<qint64>(0, qint64(clipRight) - x, g.drawn));
        for (int r = top; r < bottom; ++r) {
            const uint bits = glyphRow(font, g.index, r - y);
            if (bits == 0)
                continue;
            QRgb *line = &pixels[size_t(r) * size_t(columns)];
            for (int k = first; k < last; ++k) {
                if (bits & (1u << (font.width - 1 - k)))
                    line[x + k] = inkColor;
            }
        }
        x += g.advance;
        if (x >= clipRight)
            break;
    }
    return x;
}

int TabloWidget::drawGlyphToFeed(QChar c, int y, const BoardFont &font)
{
    if (feedBuffer.empty())
        return 0;
    const GlyphInfo g = glyphInfo(c, font);
    if (g.index < 0)
        return 0;
    const int n = qMin(g.drawn, rows);
    const int top = int(qBound<qint64>(clipTop, y, clipBottom));
    const int bottom = int(qBound<qint64>(clipTop, qint64(y) + font.height, clipBottom));
    for (int r = top; r < bottom; ++r) {
        const uint bits = glyphRow(font, g.index, r - y);
        QRgb *line = &feedBuffer[size_t(r) * size_t(rows)];
        for (int k = 0; k < n; ++k) {
            if (bits & (1u << (font.width - 1 - k)))
                line[k] = inkColor;
        }
        std::fill(line + n, line + rows, fillColor);
    }
    return g.advance;
}

void TabloWidget::shiftLeft(int x, int y, int w, int h)
{
    if (pixels.empty() || feedBuffer.empty() || !clampRegion(x, y, w, h, columns, rows))
        return;
    for (int r = y; r < y + h; ++r) {
        QRgb *line = &pixels[size_t(r) * size_t(columns) + size_t(x)];
        QRgb *feed = &feedBuffer[size_t(r) * size_t(rows)];
        std::copy(line + 1, line + w, line);
        line[w - 1] = feed[0];
        std::copy(feed + 1, feed + rows, feed);
        feed[rows - 1] = fillColor;
    }
}

void TabloWidget::shiftUp(int x, int y, int w, int h)
{
    if (pixels.empty() || !clampRegion(x, y, w, h, columns, rows))
        return;
    for (int r = y; r < y + h - 1; ++r) {
        const QRgb *below = &pixels[size_t(r + 1) * size_t(columns) + size_t(x)];
        std::copy(below, below + w, &pixels[size_t(r) * size_t(columns) + size_t(x)]);
    }
    QRgb *bottom = &pixels[size_t(y + h - 1) * size_t(columns) + size_t(x)];
    std::fill(bottom, bottom + w, fillColor);
}

bool TabloWidget::stepScrollLeft(TextEffect &effect)
{
    if (pixels.empty() || feedBuffer.empty() || !effect.font)
        return true;
    shiftLeft(effect.x, effect.y, effect.width, effect.height);
    if (effect.counter > 0) {
        --effect.counter;
        return false;
    }
    effect.charIndex = qMax(effect.charIndex, 0);
    while (effect.charIndex < effect.text.size()) {
        const int advance =
            drawGlyphToFeed(effect.text.at(effect.charIndex), effect.y, *effect.font);
        ++effect.charIndex;
        if (advance > 0) {
            // Characters on the tall boards stand one column further apart.
            effect.counter = advance + (effect.height == 32 ? 1 : 0) - 1;
            return false;
        }
    }
    return true;
}

bool TabloWidget::stepScrollUp(TextEffect &effect)
{
    if (effect.counter <= 0 || pixels.empty() || !effect.font)
        return true;
    shiftUp(effect.x, effect.y, effect.width, effect.height);
    if (effect.height >= effect.counter) {
        // The text may only appear inside the region, and never outside the clip.
        const int savedTop = clipTop;
        const int savedBottom = clipBottom;
        clipTop = int(qBound<qint64>(savedTop, effect.y, savedBottom));
        clipBottom = int(qBound<qint64>(clipTop, qint64(effect.y) + effect.height, savedBottom));
        const qint64 top = qint64(effect.y) + effect.counter - 1;
        drawText(effect.text, effect.x, int(qBound<qint64>(INT_MIN, top, INT_MAX)), *effect.font,
                 effect.flags);
        clipTop = savedTop;
        clipBottom = savedBottom;
    }
    --effect.counter;
    return false;
}

QRgb TabloWidget::ledColor(QRgb color)
{
    const QColor c(color | 0xFF000000u);
    if (c.hsvHue() < 0)
        return 0xFFFFFF;
    return QColor::fromHsvF(c.hsvHueF(), c.hsvSaturationF(), 1.0).rgb() & 0xFFFFFF;
}

QSize TabloWidget::sizeHint() const
{
    return QSize(2 * (margin + columns), 2 * (margin + rows));
}

int TabloWidget::heightForWidth(int w) const
{
    if (columns <= 0)
        return 0;
    const qint64 pitch = qBound<qint64>(0, (qint64(w) - 2 * margin) / columns, maxPitch);
    return int(2 * margin + pitch * rows);
}

bool TabloWidget::hasHeightForWidth() const
{
    return true;
}

int TabloWidget::pitchForSize(const QSize &size) const
{
    if (rows <= 0 || columns <= 0)
        return 0;
    qint64 pitch = (qint64(size.width()) - 2 * margin) / columns;
    if (size.height() < 2 * margin + qint64(rows) * pitch)
        pitch = (qint64(size.height()) - 2 * margin) / rows;
    if (pitch <= 0)
        return 0;
    return int(qMin<qint64>(pitch, maxPitch));
}

void TabloWidget::paintEvent(QPaintEvent *)
{
    const int pitch = pitchForSize(size());
    if (pitch <= 0 || pixels.empty())
        return;
    QPainter painter(this);
    painter.fillRect(0, 0, 2 * margin + columns * pitch, 2 * margin + rows * pitch, Qt::black);
    painter.setPen(Qt::NoPen);
    const int side = pitch > 2 ? pitch - 1 : pitch;
    // LEDs of one colour go out in batches; the brush changes only with the colour.
    QVarLengthArray<QRect, 1024> batch;
    QRgb batchColor = 0;
    auto flush = [&] {
        if (batch.isEmpty())
            return;
        painter.setBrush(QColor(batchColor | 0xFF000000u));
        painter.drawRects(batch.constData(), batch.size());
        batch.clear();
    };
    const QRgb *p = pixels.data();
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c, ++p) {
            const QRgb v = *p & 0xFFFFFF;
            if (v == 0)
                continue;
            if (v != batchColor) {
                flush();
                batchColor = v;
            }
            batch.append(QRect(margin + c * pitch, margin + r * pitch, side, side));
            if (batch.size() == batch.capacity())
                flush();
        }
    }
    flush();
}
