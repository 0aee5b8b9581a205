// Renders every board font through the LED matrix widget into one PNG: each
// slot in its own cell (cells lit dimly so glyph extents show), then sample
// lines as the boards lay them out.
#include "boardfont.h"
#include "tablowidget.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QVector>

namespace {

struct SheetFont
{
    const char *name;
    const BoardFont *font;
};

const SheetFont sheetFonts[] = {
    {"FontDigits16x32", &FontDigits16x32}, {"FontDigits16x16", &FontDigits16x16},
    {"FontText16x32", &FontText16x32},     {"FontText16x20", &FontText16x20},
    {"FontText16x16", &FontText16x16},     {"FontText8x12", &FontText8x12},
    {"FontText8x8Bold", &FontText8x8Bold}, {"FontText8x8Thin", &FontText8x8Thin},
};

const char *const samples[] = {
    "Вокзал - Пос. Северный 123А",
    "Сенная площадь · Южный порт № 5",
    "ЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ ёжзийклмнопрстуфхцчшщъыьэюя",
    "Қазақстан Ғылым Үйі Ұлттық Өнер Һәм Әлем Ңұр Җир Ҫул",
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz 0123456789",
    "Łódź Gdańsk Ústí Šiauliai Dębica Győr Tōkyō Ģirts Ĳsselmeer",
};

constexpr int PerLine = 32;
constexpr int Pitch = 3;

QImage renderFont(const BoardFont &font)
{
    QVector<QChar> chars;
    for (ushort u = 0; u < 0x2200; ++u) {
        const int index = font.lookup(QChar(u));
        if (index >= 0 && u != '\n' && u != '\r' && u != 0xB9)
            chars.append(QChar(u));
    }
    const int cellW = font.width + 2;
    const int cellH = font.height + 2;
    const int lines = (chars.size() + PerLine - 1) / PerLine;
    const bool digits = font.glyphCount < TextGlyphCount;
    const int sampleCount = digits ? 1 : int(sizeof samples / sizeof *samples);
    const int columns = PerLine * cellW;
    const int rows = lines * cellH + sampleCount * cellH;

    TabloWidget widget;
    widget.setMatrixSize(columns, rows);
    for (int i = 0; i < chars.size(); ++i) {
        const int x = (i % PerLine) * cellW + 1;
        const int y = (i / PerLine) * cellH + 1;
        widget.setFillColor(0x202020);
        widget.fillRect(x, y, font.width, font.height);
        widget.setInkColor(0xFFB000);
        widget.drawText(QString(chars.at(i)), x, y, font);
    }
    widget.setInkColor(0x40FF40);
    for (int s = 0; s < sampleCount; ++s) {
        const QString text =
            digits ? QStringLiteral("0123456789 1234 77 801") : QString::fromUtf8(samples[s]);
        widget.drawText(text, 1, lines * cellH + s * cellH + 1, font);
    }
    widget.resize(2 * 2 + columns * Pitch, 2 * 2 + rows * Pitch);
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    widget.render(&image);
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString out = args.value(1, QStringLiteral("glyphsheet.png"));
    const QString only = args.value(2);
    QVector<QImage> parts;
    int width = 0;
    int height = 0;
    for (const SheetFont &f : sheetFonts) {
        if (!only.isEmpty() && only != QLatin1String(f.name))
            continue;
        parts.append(renderFont(*f.font));
        width = qMax(width, parts.last().width());
        height += parts.last().height() + 8;
    }
    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(QColor(40, 40, 60));
    QPainter painter(&sheet);
    int y = 0;
    for (const QImage &part : parts) {
        painter.drawImage(0, y, part);
        y += part.height() + 8;
    }
    painter.end();
    return sheet.save(out) ? 0 : 1;
}
