// Where a destination board puts its texts, as pure rules shared by the board
// preview and the route check.
#pragma once

#include "boardfont.h"

#include <QString>
#include <QVector>

// One text of a still board: drawn from the text area's first column at a row.
struct BoardLine
{
    QString text;
    int row = 0;
    const BoardFont *font = nullptr;
    int colorLine = 1; // 1: the ink of line 1, 2: the ink of line 2
};

class BoardLayout
{
public:
    // The 8-row font of line 1 or line 2 by the board's font switches.
    static const BoardFont &smallFont(int fontBits, int line);
    // Font of a half-height line (station mode) by the half height.
    static const BoardFont &halfHeightFont(int h, const BoardFont &small);
    // Font of the full-height running line and of the still preview.
    static const BoardFont &fullHeightFont(int rows, const BoardFont &small);

    // The two lines as one running text: both joined by " - ", or the second alone
    // with ModeOnlyDestination.
    static QString combinedText(const QString &first, const QString &second, int mode);

    // The texts of a static board (ModeStatic) in one language; line1 is the upper
    // line, line2 the lower one (starting point and destination as shown).
    static QVector<BoardLine> staticLines(int rows, int mode, int fontBits, const QString &line1,
                                          const QString &line2);

    // Columns that drawText moves on for a text: its width plus the spacing column.
    static int advance(const QString &text, const BoardFont &font);
};
