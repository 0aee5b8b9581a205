// One animation tick of the largest board: a left-scroll step over the whole
// 320 x 32 matrix and a full paint of a half-lit matrix at pitch 4 into an
// offscreen image. The board ticks every 16 ms.
#include "boardfont.h"
#include "tablowidget.h"

#include <QImage>
#include <QtTest>

// Gives the benchmark back its half-lit matrix before every tick (a 40 KB
// copy), so each tick scrolls and paints the same amount of light.
class Board : public TabloWidget
{
public:
    std::vector<QRgb> saved;
    void save() { saved = pixels; }
    void restore() { std::copy(saved.begin(), saved.end(), pixels.begin()); }
};

class BenchTabloWidget : public QObject
{
    Q_OBJECT

private slots:
    void tick();
};

void BenchTabloWidget::tick()
{
    Board w;
    w.setMatrixSize(320, 32);
    // Half of the LEDs lit, in two colours, as a running line with a number.
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 320; ++x) {
            if ((x + y) % 2 == 0) {
                w.setFillColor(x < 40 ? 0xFFA000 : 0x40FF40);
                w.fillRect(x, y, 1, 1);
            }
        }
    }
    w.save();
    w.setFillColor(0);
    w.setInkColor(0xFFFFFF);
    TextEffect effect;
    effect.text = QString::fromUtf8("Вокзал - Пос. Северный ");
    effect.font = &FontText16x32;
    effect.x = 40;
    effect.width = 280;
    effect.height = 32;
    const QSize size(4 + 320 * 4, 4 + 32 * 4);
    w.resize(size);
    QImage image(size, QImage::Format_RGB32);
    const QWidget::RenderFlags flags(QWidget::DrawChildren);
    QBENCHMARK
    {
        w.restore();
        if (w.stepScrollLeft(effect))
            effect.charIndex = 0;
        w.render(&image, QPoint(), QRegion(), flags);
    }
}

QTEST_MAIN(BenchTabloWidget)
#include "bench_tablowidget.moc"
