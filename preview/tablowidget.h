// A simulated LED board: a matrix of coloured LEDs drawn as squares on black,
// with text drawing in the boards' bitmap fonts and the scroll steps that the
// board previews animate.
#pragma once

#include "boardfont.h"

#include <QColor>
#include <QString>
#include <QWidget>
#include <vector>

// Animation state of one text, owned by the widget that animates it.
struct TextEffect
{
    QString text;
    const BoardFont *font = &FontText16x16;
    int charIndex = 0;
    // Region of the matrix the effect works in.
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    // Step counter: columns still to shift in (left scroll) or rows still to
    // travel (up scroll).
    int counter = 0;
    // drawText flags used when the effect draws its text.
    int flags = 0;
};

class TabloWidget : public QWidget
{
    Q_OBJECT

public:
    enum TextFlag
    {
        CenterText = 1,
    };

    explicit TabloWidget(QWidget *parent = nullptr);
    ~TabloWidget() override;

    void setMatrixSize(int columns, int rows);
    int matrixColumns() const { return columns; }
    int matrixRows() const { return rows; }
    bool hasMatrix() const { return !pixels.empty(); }

    void resetClip();
    void setClipLeft(int x);
    void setClipRight(int x);
    void setClipTop(int y);
    void setClipBottom(int y);
    // (clipLeft, clipTop) to (clipRight, clipBottom), right and bottom exclusive.
    QRect clipRect() const;

    void setInkColor(QRgb color) { inkColor = color; }
    void setFillColor(QRgb color) { fillColor = color; }
    QRgb currentInkColor() const { return inkColor; }
    QRgb currentFillColor() const { return fillColor; }

    // Fills with the fill colour, cut to the matrix; the clip does not apply.
    void fillRect(int x, int y, int w, int h);
    void clearMatrix();
    void clearFeed();

    // LED value at a place, 0 outside the matrix.
    QRgb pixelAt(int x, int y) const;
    // Feed buffer value at a place (x < rows), 0 outside it.
    QRgb feedAt(int x, int y) const;

    static int textWidth(const QString &text, const BoardFont &font);
    // Advance of one character: its drawn width plus one, 0 without a glyph.
    static int glyphAdvance(QChar c, const BoardFont &font);
    // Draws inside the clip; returns the column after the last glyph's spacing.
    int drawText(const QString &text, int x, int y, const BoardFont &font, int flags = 0);
    // The next character of a left-running text, into the feed; its advance.
    int drawGlyphToFeed(QChar c, int y, const BoardFont &font);

    // Scroll primitives on a region cut to the matrix: one column left, taking
    // the new right column from the feed, or one row up.
    void shiftLeft(int x, int y, int w, int h);
    void shiftUp(int x, int y, int w, int h);
    // One animation step each; true when the effect has finished.
    bool stepScrollLeft(TextEffect &effect);
    bool stepScrollUp(TextEffect &effect);

    // The colour at full brightness; grey and black become white.
    static QRgb ledColor(QRgb color);

    QSize sizeHint() const override;
    int heightForWidth(int w) const override;
    bool hasHeightForWidth() const override;

    // LED pitch in screen pixels that paintEvent uses for a widget size, 0 for none.
    int pitchForSize(const QSize &size) const;

protected:
    void paintEvent(QPaintEvent *event) override;

    std::vector<QRgb> pixels;
    std::vector<QRgb> feedBuffer;
    int columns = 0;
    int rows = 0;
    const int margin = 2;
    int clipLeft = 0;
    int clipTop = 0;
    int clipRight = 0;
    int clipBottom = 0;
    QRgb fillColor = 0;
    QRgb inkColor = 0;
    const int maxPitch = 4;
};
