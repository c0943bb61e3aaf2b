#include "Scenery.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace scenery {
namespace {

QColor Mix(QColor a, QColor b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t),
                            float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QColor WithAlpha(QColor colour, double alpha) {
    colour.setAlphaF(float(std::clamp(alpha, 0.0, 1.0)));
    return colour;
}

double Between(QRandomGenerator& rng, double low, double high) {
    return low + (high - low) * rng.generateDouble();
}

// The outline of a flame standing on (0, 0), `h` tall and `w` wide.
QPainterPath FlameShape(double h, double w, double lean) {
    const QPointF tip(lean * h * 0.6, -h);
    QPainterPath path;
    path.moveTo(tip);
    path.cubicTo(tip.x() + w * 0.15, tip.y() + h * 0.35, w, -h * 0.3, 0, 0);
    path.cubicTo(-w, -h * 0.3, tip.x() - w * 0.15, tip.y() + h * 0.35, tip.x(), tip.y());
    return path;
}

}  // namespace

QImage NewPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

QColor Dim(QColor colour, double light) {
    return Mix(QColor(0, 0, 0, colour.alpha()), colour, light);
}

void DrawSky(QPainter& p, QRectF area, QColor top, QColor bottom, quint32 seed, int stars,
             double starAlpha, const QPainterPath* shape) {
    QLinearGradient sky(area.topLeft(), area.bottomLeft());
    sky.setColorAt(0, top);
    sky.setColorAt(0.7, Mix(top, bottom, 0.45));
    sky.setColorAt(1, bottom);
    if (shape)
        p.fillPath(*shape, sky);
    else
        p.fillRect(area, sky);
    QRandomGenerator rng(seed);
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 0; i < stars; ++i) {
        const double x = area.left() + Between(rng, 0, area.width());
        const double y = area.top() + Between(rng, 0, area.height() * 2 / 3);
        const double size = rng.bounded(8) == 0 ? 1.3 : 0.8;
        p.setBrush(QColor(255, 255, 230, int((90 + rng.bounded(160)) * starAlpha)));
        if (shape && !shape->contains(QRectF(x - size, y - size, 2 * size, 2 * size))) continue;
        p.drawEllipse(QPointF(x, y), size, size);
    }
    p.restore();
}

void DrawGlow(QPainter& p, QPointF centre, double radius, QColor colour) {
    if (radius <= 0 || colour.alpha() == 0) return;
    QRadialGradient glow(centre, radius);
    glow.setColorAt(0, colour);
    glow.setColorAt(0.4, WithAlpha(colour, colour.alphaF() * 0.45));
    glow.setColorAt(1, WithAlpha(colour, 0));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(centre, radius, radius);
    p.restore();
}

void DrawFlame(QPainter& p, QPointF base, double size, const Flame& flame) {
    if (flame.light <= 0) return;
    const double h = size * flame.height;
    const double w = size * 0.34;
    p.save();
    p.translate(base);
    p.setPen(Qt::NoPen);
    QLinearGradient outer(0, -h, 0, 0);
    outer.setColorAt(0, QColor(255, 140, 40, int(200 * flame.light)));
    outer.setColorAt(1, QColor(255, 215, 120, int(245 * flame.light)));
    p.setBrush(outer);
    p.drawPath(FlameShape(h, w, flame.lean));
    p.setBrush(QColor(255, 252, 230, int(255 * flame.light)));
    p.drawPath(FlameShape(h * 0.55, w * 0.5, flame.lean * 0.8));
    p.restore();
}

void DrawHandLantern(QPainter& p, QPointF centre, double scale, const Flame& flame, bool withGlow) {
    p.save();
    p.translate(centre);
    p.scale(scale, scale);
    if (withGlow) {
        QRadialGradient halo(0, 0, 80);
        halo.setColorAt(0, QColor(255, 210, 120, int(160 * flame.light)));
        halo.setColorAt(1, QColor(255, 160, 60, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(halo);
        p.drawEllipse(QPointF(0, 0), 80, 80);
    }
    p.setPen(QPen(QColor(50, 30, 20), 3));
    p.setBrush(QColor(80, 50, 30));
    p.drawRect(QRectF(-22, -40, 44, 8));
    p.drawRect(QRectF(-22, 32, 44, 8));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(-12, -58, 24, 24), 0, 180 * 16);
    const double light = flame.light;
    QLinearGradient glass(-18, 0, 18, 0);
    glass.setColorAt(0, Mix(QColor(55, 50, 58), QColor(240, 150, 50), light));
    glass.setColorAt(0.5, Mix(QColor(90, 86, 96), QColor(255, 240, 170), light));
    glass.setColorAt(1, Mix(QColor(55, 50, 58), QColor(240, 150, 50), light));
    p.setBrush(glass);
    p.drawRoundedRect(QRectF(-18, -32, 36, 64), 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 45, 28));
    p.drawRect(QRectF(-4, 23, 8, 3));  // the burner that holds the wick
    DrawFlame(p, QPointF(0, 23), 34, flame);
    p.restore();
}

void DrawGreatLantern(QPainter& p, QPointF ground, double height, const Flame& flame) {
    const double u = height / 300;
    const double x = ground.x();
    const double y = ground.y();
    const QPointF heart(x, y - 240 * u);
    DrawGlow(p, heart, 200 * u * flame.light, QColor(255, 200, 110, int(150 * flame.light)));
    p.save();
    p.setPen(Qt::NoPen);
    // Pedestal of stone, lit from the side.
    QLinearGradient stone(x - 40 * u, 0, x + 40 * u, 0);
    stone.setColorAt(0, QColor(58, 58, 74));
    stone.setColorAt(1, QColor(34, 34, 46));
    p.setBrush(stone);
    p.drawRect(QRectF(x - 35 * u, y - 40 * u, 70 * u, 40 * u));
    p.drawRect(QRectF(x - 41 * u, y - 48 * u, 82 * u, 9 * u));
    // Iron post with two rings.
    p.setBrush(QColor(26, 24, 32));
    p.drawRect(QRectF(x - 5 * u, y - 205 * u, 10 * u, 160 * u));
    p.drawRect(QRectF(x - 9 * u, y - 130 * u, 18 * u, 7 * u));
    p.drawRect(QRectF(x - 9 * u, y - 60 * u, 18 * u, 12 * u));
    // Body: a six-sided lantern, wider at the top, three panes to be seen.
    const double bottom = y - 205 * u, top = y - 275 * u;
    QPolygonF body;
    body << QPointF(x - 27 * u, bottom) << QPointF(x + 27 * u, bottom) << QPointF(x + 33 * u, top)
         << QPointF(x - 33 * u, top);
    QLinearGradient glass(x - 33 * u, 0, x + 33 * u, 0);
    const double light = flame.light;
    glass.setColorAt(0, Mix(QColor(36, 36, 50), QColor(230, 150, 60), light));
    glass.setColorAt(0.5, Mix(QColor(60, 60, 78), QColor(255, 235, 170), light));
    glass.setColorAt(1, Mix(QColor(30, 30, 42), QColor(220, 130, 50), light));
    p.setBrush(glass);
    p.drawPolygon(body);
    DrawFlame(p, QPointF(x, bottom - 12 * u), 46 * u, flame);
    p.setPen(QPen(QColor(22, 20, 28), 3.5 * u));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(body);
    p.drawLine(QPointF(x - 12 * u, bottom), QPointF(x - 15 * u, top));
    p.drawLine(QPointF(x + 12 * u, bottom), QPointF(x + 15 * u, top));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(26, 24, 32));
    p.drawRect(QRectF(x - 32 * u, bottom, 64 * u, 8 * u));
    QPolygonF roof;
    roof << QPointF(x - 40 * u, top) << QPointF(x + 40 * u, top)
         << QPointF(x + 10 * u, top - 22 * u) << QPointF(x - 10 * u, top - 22 * u);
    p.drawPolygon(roof);
    p.drawEllipse(QPointF(x, top - 27 * u), 6 * u, 6 * u);
    p.restore();
}

void DrawHouses(QPainter& p, const HouseRow& row) {
    QRandomGenerator rng(row.seed);
    p.save();
    p.setPen(Qt::NoPen);
    double x = row.x0 - Between(rng, 0, 20);
    while (x < row.x1) {
        const double w = Between(rng, 38, 80);
        const double h = Between(rng, row.minHeight, row.maxHeight);
        const double top = row.baseY - h;
        const double shade = Between(rng, 0.85, 1.15);
        p.setBrush(Dim(row.wall, shade));
        p.drawRect(QRectF(x, top, w, h + 1));
        p.setBrush(row.roof);
        if (rng.bounded(3) != 0) {
            QPolygonF gable;
            gable << QPointF(x - 4, top) << QPointF(x + w + 4, top)
                  << QPointF(x + w / 2, top - w * 0.38);
            p.drawPolygon(gable);
            if (rng.bounded(3) == 0) p.drawRect(QRectF(x + w * 0.7, top - w * 0.36, 7, w * 0.3));
        } else {
            p.drawRect(QRectF(x - 2, top - 5, w + 4, 6));
        }
        const int columns = std::max(1, int(w / 22));
        const int rows = std::max(1, int(h / 30));
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < columns; ++c) {
                const double threshold = rng.generateDouble();
                const QRectF window(x + (c + 0.5) * w / columns - 4, top + 10 + r * 28, 8, 11);
                if (window.bottom() > row.baseY - 6) continue;
                if (threshold < row.lit) {
                    DrawGlow(p, window.center(), 16, QColor(255, 190, 100, 70));
                    p.setBrush(QColor(255, 205, 120));
                } else {
                    p.setBrush(Dim(row.wall, 0.45));
                }
                p.drawRect(window);
            }
        }
        x += w + Between(rng, -6, 6);
    }
    p.restore();
}

void DrawCobbles(QPainter& p, QRectF area, QColor stone, QPointF light, double reach,
                 quint32 seed) {
    QRandomGenerator rng(seed);
    p.save();
    p.setClipRect(area);
    QLinearGradient ground(area.topLeft(), area.bottomLeft());
    ground.setColorAt(0, Dim(stone, 0.35));
    ground.setColorAt(1, Dim(stone, 0.55));
    p.fillRect(area, ground);
    p.setPen(Qt::NoPen);
    double y = area.top();
    int rowIndex = 0;
    while (y < area.bottom()) {
        const double depth = (y - area.top()) / area.height();
        const double rowHeight = 3 + 12 * depth;
        const double stoneWidth = rowHeight * 2.3;
        double x = area.left() - (rowIndex % 2) * stoneWidth / 2;
        while (x < area.right()) {
            const double w = stoneWidth * Between(rng, 0.8, 1.1);
            const QPointF centre(x + w / 2, y + rowHeight / 2);
            const double dx = centre.x() - light.x(), dy = (centre.y() - light.y()) * 1.6;
            const double near =
                reach > 0 ? std::max(0.0, 1 - std::sqrt(dx * dx + dy * dy) / reach) : 0;
            QColor colour = Dim(stone, Between(rng, 0.75, 1.05) * (0.55 + 0.45 * depth));
            colour = Mix(colour, QColor(215, 160, 95), near * 0.7);
            p.setBrush(colour);
            p.drawRoundedRect(QRectF(x + 1, y + 0.5, w - 2, rowHeight - 1), rowHeight / 3,
                              rowHeight / 3);
            x += w;
        }
        y += rowHeight;
        ++rowIndex;
    }
    p.restore();
}

void DrawFog(QPainter& p, QRectF area, const Fog& fog) {
    if (fog.amount <= 0) return;
    // The fog is laid on its own layer first, so that a clearing can be wiped
    // out of it without touching the picture underneath.
    QImage layer(area.size().toSize(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    QPainter f(&layer);
    f.setRenderHint(QPainter::Antialiasing);
    f.setPen(Qt::NoPen);
    QLinearGradient veil(0, 0, 0, area.height());
    veil.setColorAt(0, WithAlpha(fog.tint, 0.05 * fog.amount));
    veil.setColorAt(1, WithAlpha(fog.tint, 0.45 * fog.amount));
    f.fillRect(layer.rect(), veil);
    QRandomGenerator rng(fog.seed);
    for (int i = 0; i < 18; ++i) {
        const QPointF centre(Between(rng, -0.1, 1.1) * area.width(),
                             Between(rng, 0.2, 1.0) * area.height());
        const double rx = Between(rng, 70, 190), ry = Between(rng, 14, 40);
        f.save();
        f.translate(centre);
        f.scale(1, ry / rx);
        QRadialGradient bank(QPointF(0, 0), rx);
        bank.setColorAt(0, WithAlpha(fog.tint, 0.32 * fog.amount));
        bank.setColorAt(1, WithAlpha(fog.tint, 0));
        f.setBrush(bank);
        f.drawEllipse(QPointF(0, 0), rx, rx);
        f.restore();
    }
    if (fog.clearRadius > 0) {
        f.setCompositionMode(QPainter::CompositionMode_DestinationOut);
        const QPointF centre = fog.clearAt - area.topLeft();
        QRadialGradient clearing(centre, fog.clearRadius);
        clearing.setColorAt(0, QColor(0, 0, 0, 255));
        clearing.setColorAt(0.6, QColor(0, 0, 0, 200));
        clearing.setColorAt(1, QColor(0, 0, 0, 0));
        f.setBrush(clearing);
        f.drawEllipse(centre, fog.clearRadius, fog.clearRadius);
    }
    f.end();
    p.drawImage(area.topLeft(), layer);
}

void DrawFigure(QPainter& p, Figure figure, QPointF feet, double height, QColor colour,
                bool facingLeft, QPointF* hand) {
    p.save();
    p.translate(feet);
    p.scale(facingLeft ? -height : height, height);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    QPen limb(colour, 0.05, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    QPointF front;
    switch (figure) {
        case Figure::Mio: {
            p.drawEllipse(QPointF(0, -0.9), 0.085, 0.085);
            p.drawEllipse(QPointF(-0.1, -0.85), 0.045, 0.08);  // her tied-back hair
            p.drawRect(QRectF(-0.025, -0.83, 0.05, 0.05));
            QPainterPath dress;
            dress.moveTo(-0.09, -0.78);
            dress.quadTo(0, -0.82, 0.09, -0.78);
            dress.lineTo(0.08, -0.56);
            dress.lineTo(0.17, -0.26);
            dress.quadTo(0, -0.23, -0.17, -0.26);
            dress.lineTo(-0.08, -0.56);
            dress.closeSubpath();
            p.drawPath(dress);
            p.drawRect(QRectF(-0.07, -0.28, 0.045, 0.27));
            p.drawRect(QRectF(0.025, -0.28, 0.045, 0.27));
            p.drawEllipse(QPointF(-0.04, -0.01), 0.05, 0.018);
            p.drawEllipse(QPointF(0.06, -0.01), 0.05, 0.018);
            front = QPointF(0.21, -0.56);
            p.setPen(limb);
            p.drawLine(QPointF(-0.08, -0.76), QPointF(-0.13, -0.5));
            p.drawPolyline(QPolygonF({QPointF(0.08, -0.76), QPointF(0.15, -0.62), front}));
            break;
        }
        case Figure::Sota: {
            p.drawEllipse(QPointF(0, -0.9), 0.085, 0.085);
            p.drawChord(QRectF(-0.095, -1.0, 0.19, 0.18), 0, 180 * 16);  // cap
            p.drawRect(QRectF(0.0, -0.915, 0.16, 0.022));                // its brim
            p.drawRect(QRectF(-0.025, -0.83, 0.05, 0.05));
            QPainterPath jacket;
            jacket.moveTo(-0.12, -0.79);
            jacket.quadTo(0, -0.83, 0.12, -0.79);
            jacket.lineTo(0.1, -0.45);
            jacket.lineTo(-0.1, -0.45);
            jacket.closeSubpath();
            p.drawPath(jacket);
            QPolygonF legs;
            legs << QPointF(-0.095, -0.47) << QPointF(-0.005, -0.47) << QPointF(-0.02, 0)
                 << QPointF(-0.09, 0);
            p.drawPolygon(legs);
            p.drawPolygon(legs.translated(0.1, 0));
            p.drawEllipse(QPointF(-0.05, -0.01), 0.055, 0.02);
            p.drawEllipse(QPointF(0.06, -0.01), 0.055, 0.02);
            front = QPointF(0.2, -0.6);
            p.setPen(limb);
            p.drawLine(QPointF(-0.11, -0.77), QPointF(-0.15, -0.48));
            p.drawPolyline(QPolygonF({QPointF(0.11, -0.77), QPointF(0.16, -0.66), front}));
            break;
        }
        case Figure::Hana: {
            QPainterPath blanket;
            blanket.moveTo(0, -0.86);
            blanket.cubicTo(0.26, -0.86, 0.24, -0.5, 0.34, 0);
            blanket.lineTo(-0.34, 0);
            blanket.cubicTo(-0.24, -0.5, -0.26, -0.86, 0, -0.86);
            p.drawPath(blanket);
            p.drawEllipse(QPointF(0.04, -0.9), 0.11, 0.11);  // her head above the blanket
            front = QPointF(0.12, -0.5);
            break;
        }
        case Figure::Gen: {
            p.drawEllipse(QPointF(0, -0.9), 0.095, 0.095);
            p.drawRect(QRectF(-0.03, -0.83, 0.06, 0.05));
            QPainterPath body;
            body.moveTo(-0.15, -0.79);
            body.quadTo(0, -0.84, 0.15, -0.79);
            body.quadTo(0.2, -0.55, 0.14, -0.3);
            body.lineTo(-0.14, -0.3);
            body.quadTo(-0.2, -0.55, -0.15, -0.79);
            p.drawPath(body);
            p.drawRect(QRectF(-0.12, -0.31, 0.1, 0.31));
            p.drawRect(QRectF(0.02, -0.31, 0.1, 0.31));
            front = QPointF(0.24, -0.52);
            p.setPen(limb);
            p.drawPolyline(QPolygonF({QPointF(0.14, -0.76), QPointF(0.19, -0.6), front}));
            break;
        }
    }
    p.restore();
    if (hand != nullptr)
        *hand = feet + QPointF((facingLeft ? -front.x() : front.x()) * height, front.y() * height);
}

QFont MinchoFont(int pixelSize) {
    QFont font(QStringLiteral("IPAPMincho"));
    font.setPixelSize(pixelSize);
    return font;
}

QFont GothicFont(int pixelSize) {
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(pixelSize);
    return font;
}

bool SaveJpeg(const QImage& image, const QString& file) {
    if (image.save(file, "JPEG", 85)) return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
    return false;
}

bool SavePng(const QImage& image, const QString& file) {
    if (image.save(file, "PNG")) return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
    return false;
}

}  // namespace scenery
