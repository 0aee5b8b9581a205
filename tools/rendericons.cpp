// Renders the hand-drawn SVG icon sources to the PNG files compiled into the program,
// and optionally a contact sheet to judge them at the sizes the program shows them.
//
//   rendericons <svg dir> <png dir> [size] [--sheet <png>]

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

static QImage render(QSvgRenderer &svg, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    svg.render(&p);
    return image;
}

// One row per icon: 16, 24, 32 and 48 px on light and dark ground, then 32 px disabled.
static QImage contactSheet(const QStringList &pngs)
{
    const int sizes[] = {16, 24, 32, 48};
    const int cell = 56;
    const int columns = 2 * 4 + 1;
    QImage sheet(cell * columns, cell * pngs.size(), QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(0xf0, 0xf0, 0xf0));
    QPainter p(&sheet);
    for (int row = 0; row < pngs.size(); ++row) {
        const QIcon icon(pngs.at(row));
        for (int ground = 0; ground < 2; ++ground) {
            for (int i = 0; i < 4; ++i) {
                const QRect r((ground * 4 + i) * cell, row * cell, cell, cell);
                p.fillRect(r, ground ? QColor(0x30, 0x33, 0x38) : QColor(0xf0, 0xf0, 0xf0));
                const int s = sizes[i];
                p.drawPixmap(r.x() + (cell - s) / 2, r.y() + (cell - s) / 2, icon.pixmap(s, s));
            }
        }
        p.drawPixmap(8 * cell + 12, row * cell + 12, icon.pixmap(32, 32, QIcon::Disabled));
    }
    return sheet;
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv); // the style draws the disabled look
    QStringList args = app.arguments().mid(1);
    QString sheetPath;
    const int sheetAt = args.indexOf(QStringLiteral("--sheet"));
    if (sheetAt >= 0 && sheetAt + 1 < args.size()) {
        sheetPath = args.at(sheetAt + 1);
        args.erase(args.begin() + sheetAt, args.begin() + sheetAt + 2);
    }
    QTextStream err(stderr);
    if (args.size() < 2) {
        err << "usage: rendericons <svg dir> <png dir> [size] [--sheet <png>]\n";
        return 2;
    }
    const QDir source(args.at(0));
    const QDir target(args.at(1));
    const int size = args.size() > 2 ? args.at(2).toInt() : 48;
    if (size <= 0) {
        err << "bad size " << args.at(2) << "\n";
        return 2;
    }

    QStringList written;
    const QStringList svgs = source.entryList({QStringLiteral("*.svg")}, QDir::Files, QDir::Name);
    for (const QString &name : svgs) {
        QSvgRenderer svg(source.filePath(name));
        if (!svg.isValid()) {
            err << "cannot read " << source.filePath(name) << "\n";
            return 1;
        }
        const QString png = target.filePath(QFileInfo(name).completeBaseName() + ".png");
        if (!render(svg, size).save(png, "PNG")) {
            err << "cannot write " << png << "\n";
            return 1;
        }
        written << png;
    }
    if (!sheetPath.isEmpty() && !contactSheet(written).save(sheetPath, "PNG")) {
        err << "cannot write " << sheetPath << "\n";
        return 1;
    }
    return 0;
}
