#include "boardlayout.h"

#include "route.h"
#include "tablowidget.h"

#include <QStringList>

namespace {

// The text before the first "_" and the text after it.
QStringList splitOnce(const QString &text)
{
    const int at = text.indexOf(QLatin1Char('_'));
    if (at < 0)
        return {text};
    return {text.left(at), text.mid(at + 1)};
}

} // namespace

const BoardFont &BoardLayout::smallFont(int fontBits, int line)
{
    return (fontBits & (line == 1 ? 1 : 2)) ? FontText8x8Bold : FontText8x8Thin;
}

const BoardFont &BoardLayout::halfHeightFont(int h, const BoardFont &small)
{
    if (h >= 16)
        return FontText16x16;
    if (h >= 12)
        return FontText8x12;
    return small;
}

const BoardFont &BoardLayout::fullHeightFont(int rows, const BoardFont &small)
{
    if (rows >= 32)
        return FontText16x32;
    if (rows >= 20)
        return FontText16x20;
    if (rows >= 16)
        return FontText16x16;
    if (rows >= 12)
        return FontText8x12;
    return small;
}

QString BoardLayout::combinedText(const QString &first, const QString &second, int mode)
{
    if (mode & ModeOnlyDestination)
        return second;
    if (first.isEmpty() || second.isEmpty())
        return first + second;
    return first + QStringLiteral(" - ") + second;
}

QVector<BoardLine> BoardLayout::staticLines(int rows, int mode, int fontBits, const QString &line1,
                                            const QString &line2)
{
    const BoardFont &small1 = smallFont(fontBits, 1);
    const BoardFont &small2 = smallFont(fontBits, 2);
    QVector<BoardLine> lines;
    auto add = [&](const QString &text, int row, const BoardFont &font, int color) {
        lines.append({text, row, &font, color});
    };

    if (mode & ModeOnlyDestination) {
        const QString text = line2.isEmpty() ? line1 : line2;
        const int underscores = text.count(QLatin1Char('_'));
        if (underscores == 0) {
            add(text, 0, rows >= 32 ? FontText16x32 : (rows >= 24 ? FontText16x20 : FontText16x16),
                1);
        } else if (rows >= 32 && underscores >= 2) {
            // Up to four parts; text after a fourth "_" stays in the last part.
            const QStringList parts = text.split(QLatin1Char('_'));
            add(parts.at(0), 0, small1, 1);
            add(parts.at(1), 8, small1, 1);
            add(parts.at(2), 16, small2, 2);
            if (parts.size() > 3)
                add(parts.mid(3).join(QLatin1Char('_')), 24, small2, 2);
        } else {
            const QStringList parts = splitOnce(text);
            if (rows >= 32) {
                add(parts.at(0), 0, FontText16x16, 1);
                add(parts.at(1), 16, FontText16x16, 2);
            } else if (rows >= 24) {
                add(parts.at(0), 0, FontText8x12, 1);
                add(parts.at(1), 12, FontText8x12, 2);
            } else {
                add(parts.at(0), 0, small1, 1);
                add(parts.at(1), 8, small2, 2);
            }
        }
        return lines;
    }

    if (mode & ModeMoscow) {
        if (rows >= 32) {
            add(line1, 0, FontText8x12, 1);
            add(line2, 12, FontText16x20, 2);
        } else if (rows >= 24) {
            add(line1, 0, FontText8x8Thin, 1);
            add(line2, 8, FontText16x16, 2);
        } else {
            add(line1, 0, small1, 1);
            add(line2, 8, small2, 2);
        }
        return lines;
    }

    const QStringList parts1 = splitOnce(line1);
    const QStringList parts2 = splitOnce(line2);
    if (line2.isEmpty()) {
        // Line 1 alone takes the whole height.
        if (parts1.size() == 1) {
            add(line1, 0, rows >= 32 ? FontText16x32 : (rows >= 24 ? FontText16x20 : FontText16x16),
                1);
            return lines;
        }
        const BoardFont &font = rows >= 32 ? FontText16x16 : (rows >= 24 ? FontText8x12 : small1);
        add(parts1.at(0), 0, font, 1);
        add(parts1.at(1), rows >= 32 ? 16 : (rows >= 24 ? 12 : 8), font, 1);
        return lines;
    }
    if (rows >= 32) {
        if (parts1.size() == 2) {
            add(parts1.at(0), 0, small1, 1);
            add(parts1.at(1), 8, small1, 1);
        } else {
            add(line1, 0, FontText16x16, 1);
        }
        if (parts2.size() == 2) {
            add(parts2.at(0), 16, small2, 2);
            add(parts2.at(1), 24, small2, 2);
        } else {
            add(line2, 16, FontText16x16, 2);
        }
    } else if (rows >= 24) {
        add(line1, 0, FontText8x12, 1);
        add(line2, 12, FontText8x12, 2);
    } else {
        add(line1, 0, small1, 1);
        add(line2, 8, small2, 2);
    }
    return lines;
}

int BoardLayout::advance(const QString &text, const BoardFont &font)
{
    const int width = TabloWidget::textWidth(text, font);
    return width > 0 ? width + 1 : 0;
}
