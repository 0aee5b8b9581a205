// Renders every board model in every display mode into PNG files, for a look
// at the layouts without starting the editor. Usage: boardgallery [output folder]
#include "fronttablotype.h"
#include "fronttablowidget.h"
#include "route.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTextStream>

#include <functional>

namespace {

const QDateTime galleryTime(QDate(2026, 3, 6), QTime(7, 5));

struct Model
{
    FrontTabloType type;
    const char *name;
};

const Model models[] = {
    {Board32x192, "32x192"}, {Board32x320, "32x320"}, {Board32x256, "32x256"},
    {Board24x144, "24x144"}, {Board16x128, "16x128"}, {Board16x96Sofits, "16x96sofits"},
    {Board16x96, "16x96"},
};

// One picture: how to set the board up and how many animation steps to take.
struct Scene
{
    const char *name;
    std::function<void(FrontTabloWidget &)> setup;
    int steps; // < 0: still, no animation
};

void frontTexts(FrontTabloWidget &w)
{
    w.setNumber(QStringLiteral("12А"));
    w.setStartingPoint(0, QStringLiteral("Вокзал"));
    w.setDestination(0, QStringLiteral("Пос._Северный"));
    w.setStartingPoint(1, QStringLiteral("Vokzal"));
    w.setDestination(1, QStringLiteral("Severny"));
    w.setNumberColor(0xFFC000);
    w.setLine1Color(0x00FF00);
    w.setLine2Color(0xFF8000);
}

void sideTexts(FrontTabloWidget &w)
{
    frontTexts(w);
    w.setDestination(0, QStringLiteral("Пос. Северный"));
    w.setStationNames(
        0, {QStringLiteral("Рынок"), QStringLiteral("ул. Ленина"), QStringLiteral("Театр")});
    w.setStationNames(1, {QStringLiteral("Market"), QStringLiteral("Lenin St.")});
    w.setSeparator(QStringLiteral("hh:mm dd.MM.yy"));
    w.setLine2Color(0x00C0FF);
}

const Scene scenes[] = {
    {"static",
     [](FrontTabloWidget &w) {
         frontTexts(w);
         w.setMode(ModeStatic);
     },
     -1},
    {"static_bold",
     [](FrontTabloWidget &w) {
         frontTexts(w);
         w.setMode(ModeStatic);
         w.setFontBits(3);
     },
     -1},
    {"static_second_language",
     [](FrontTabloWidget &w) {
         frontTexts(w);
         w.setMode(ModeStatic | ModeCenter);
     },
     1},
    {"centred",
     [](FrontTabloWidget &w) {
         frontTexts(w);
         w.setMode(ModeStatic | ModeCenter);
     },
     -1},
    {"centred_one_line",
     [](FrontTabloWidget &w) {
         frontTexts(w);
         w.setDestination(0, QString());
         w.setMode(ModeStatic | ModeCenter);
     },
     -1},
    {"destination_only",
     [](FrontTabloWidget &w) {
         frontTexts(w);
         w.setDestination(0, QStringLiteral("Северный"));
         w.setMode(ModeStatic | ModeOnlyDestination | ModeCenter);
     },
     -1},
    {"destination_only_parts",
     [](FrontTabloWidget &w) {
         frontTexts(w);
         w.setDestination(0, QStringLiteral("Пос._Северный_через_пл. Победы"));
         w.setMode(ModeStatic | ModeOnlyDestination | ModeCenter);
     },
     -1},
    {"enlarged_destination",
     [](FrontTabloWidget &w) {
         frontTexts(w);
         w.setDestination(0, QStringLiteral("Пос. Северный"));
         w.setMode(ModeStatic | ModeMoscow | ModeCenter);
     },
     -1},
    {"running_still",
     [](FrontTabloWidget &w) {
         frontTexts(w);
         w.setTextOffset(3);
     },
     -1},
    {"running_frame1", [](FrontTabloWidget &w) { frontTexts(w); }, 60},
    {"running_frame2", [](FrontTabloWidget &w) { frontTexts(w); }, 180},
    {"running_frame3", [](FrontTabloWidget &w) { frontTexts(w); }, 300},
    {"sofits_on",
     [](FrontTabloWidget &w) {
         frontTexts(w);
         w.setMode(ModeStatic | ModeCenter);
         w.setLeftSofitColor(6);
         w.setRightSofitColor(2);
     },
     -1},
    {"sofits_off",
     [](FrontTabloWidget &w) {
         frontTexts(w);
         w.setMode(ModeStatic | ModeCenter);
     },
     -1},
    {"side_separator",
     [](FrontTabloWidget &w) {
         sideTexts(w);
         w.setStationNames(0, {});
         w.setStationNames(1, {});
         w.setMode(ModeStatic | ModeOnlyDestination | ModeCenter | ModeStationScroll);
     },
     -1},
    {"side_stations_still",
     [](FrontTabloWidget &w) {
         sideTexts(w);
         w.setMode(ModeStatic | ModeOnlyDestination | ModeCenter | ModeStationScroll);
     },
     -1},
    {"side_vertical_rising",
     [](FrontTabloWidget &w) {
         sideTexts(w);
         w.setMode(ModeStatic | ModeOnlyDestination | ModeCenter | ModeStationScroll);
     },
     8},
    {"side_vertical_next",
     [](FrontTabloWidget &w) {
         sideTexts(w);
         w.setMode(ModeStatic | ModeOnlyDestination | ModeCenter | ModeStationScroll);
         w.setStationPause(160);
     },
     60},
    {"side_horizontal",
     [](FrontTabloWidget &w) {
         sideTexts(w);
         w.setMode(ModeStatic | ModeOnlyDestination);
     },
     150},
    {"side_horizontal_running_top",
     [](FrontTabloWidget &w) {
         sideTexts(w);
         w.setMode(0);
     },
     150},
};

QImage render(FrontTabloWidget &w)
{
    // Pitch 4: three-pixel LEDs with one-pixel gaps.
    w.resize(4 + 4 * w.matrixColumns(), 4 + 4 * w.matrixRows());
    return w.grab().toImage();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("gallery");
    if (!QDir().mkpath(outDir)) {
        QTextStream(stderr) << "cannot create " << outDir << '\n';
        return 1;
    }

    int written = 0;
    for (const Model &model : models) {
        QList<QImage> sheet;
        for (const Scene &scene : scenes) {
            FrontTabloWidget w;
            w.setClock([] { return galleryTime; });
            w.setBoardType(model.type);
            scene.setup(w);
            if (scene.steps < 0) {
                w.refreshTablo();
            } else {
                w.startAnimation();
                for (int i = 0; i < scene.steps; ++i)
                    w.animationStep();
            }
            const QImage image = render(w);
            const QString path = QStringLiteral("%1/%2_%3.png").arg(outDir, model.name, scene.name);
            if (!image.save(path)) {
                QTextStream(stderr) << "cannot write " << path << '\n';
                return 1;
            }
            sheet << image;
            ++written;
        }
        // All scenes of a model one under another, for a quick look.
        int height = 0;
        for (const QImage &image : sheet)
            height += image.height() + 6;
        QImage all(sheet.first().width(), height, QImage::Format_RGB32);
        all.fill(Qt::darkGray);
        QPainter painter(&all);
        int y = 0;
        for (const QImage &image : sheet) {
            painter.drawImage(0, y, image);
            y += image.height() + 6;
        }
        painter.end();
        all.save(QStringLiteral("%1/%2_all.png").arg(outDir, model.name));
    }
    QTextStream(stdout) << written << " boards written to " << outDir << '\n';
    return 0;
}
