// Draws the bundled game's pictures into the current directory. Everything is
// drawn from code so that anyone can rebuild the assets.
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>

#include <cstdio>

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 358;

void DrawNightSky(QPainter& p, quint32 seed) {
    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0, QColor(12, 16, 48));
    sky.setColorAt(0.7, QColor(48, 40, 90));
    sky.setColorAt(1, QColor(120, 70, 80));
    p.fillRect(0, 0, kWidth, kHeight, sky);
    QRandomGenerator rng(seed);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 90; ++i) {
        const int x = rng.bounded(kWidth);
        const int y = rng.bounded(kHeight * 2 / 3);
        const int a = 90 + rng.bounded(160);
        p.setBrush(QColor(255, 255, 230, a));
        p.drawEllipse(QPointF(x, y), 0.8, 0.8);
    }
}

void DrawLantern(QPainter& p, QPointF centre, double scale) {
    p.save();
    p.translate(centre);
    p.scale(scale, scale);
    QRadialGradient halo(0, 0, 80);
    halo.setColorAt(0, QColor(255, 210, 120, 160));
    halo.setColorAt(1, QColor(255, 160, 60, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(QPointF(0, 0), 80, 80);
    p.setPen(QPen(QColor(50, 30, 20), 3));
    p.setBrush(QColor(80, 50, 30));
    p.drawRect(QRectF(-22, -40, 44, 8));
    p.drawRect(QRectF(-22, 32, 44, 8));
    p.drawArc(QRectF(-12, -58, 24, 24), 0, 180 * 16);
    QLinearGradient glass(-18, 0, 18, 0);
    glass.setColorAt(0, QColor(240, 150, 50));
    glass.setColorAt(0.5, QColor(255, 240, 170));
    glass.setColorAt(1, QColor(240, 150, 50));
    p.setBrush(glass);
    p.drawRoundedRect(QRectF(-18, -32, 36, 64), 6, 6);
    QPainterPath flame;
    flame.moveTo(0, -14);
    flame.quadTo(10, 4, 0, 14);
    flame.quadTo(-10, 4, 0, -14);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 235));
    p.drawPath(flame);
    p.restore();
}

bool DrawTitle(const QString& file) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    DrawNightSky(p, 7);
    p.setBrush(QColor(20, 18, 30));
    p.setPen(Qt::NoPen);
    QPainterPath hills;
    hills.moveTo(0, kHeight);
    hills.lineTo(0, 290);
    hills.cubicTo(120, 250, 220, 320, 330, 280);
    hills.cubicTo(400, 255, 450, 270, kWidth, 260);
    hills.lineTo(kWidth, kHeight);
    p.drawPath(hills);
    DrawLantern(p, QPointF(240, 150), 1.2);
    QFont font(QStringLiteral("IPAPMincho"));
    font.setPixelSize(44);
    p.setFont(font);
    p.setPen(QColor(255, 235, 190));
    p.drawText(QRect(0, 250, kWidth, 60), Qt::AlignCenter, QStringLiteral("ランタンウィック"));
    font.setPixelSize(14);
    p.setFont(font);
    p.setPen(QColor(220, 210, 230));
    p.drawText(QRect(0, 305, kWidth, 24), Qt::AlignCenter, QStringLiteral("― 灯りをともす物語 ―"));
    p.end();
    return image.save(file, "JPEG", 90);
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    bool ok = DrawTitle(QStringLiteral("Title.JPG"));
    if (!ok) {
        std::fputs("lanternwick-make-assets: could not write the pictures\n", stderr);
        return 1;
    }
    return 0;
}
