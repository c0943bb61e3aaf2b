#include "Pictures.h"

#include "Scenery.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>

#include <algorithm>
#include <cmath>
#include <functional>

using namespace scenery;

namespace {

// Where the scenario's `circle` lines point: keep these and the circle lines
// of Lanternwick.dat in step.
constexpr QPointF kMapSquare(240, 165);      // circle 1 0240 0165 0036 on map.png
constexpr QPointF kFinaleLantern(200, 300);  // circle 1 0200 0300 0036 on finale.JPG

// Draws one picture of `height` rows with `draw` and saves it under `file`.
bool Make(QStringList& made, const QString& file, int width, int height,
          const std::function<void(QPainter&)>& draw) {
    QImage image = NewPicture(width, height);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    draw(p);
    p.end();
    const bool ok =
        file.endsWith(QLatin1String(".png")) ? SavePng(image, file) : SaveJpeg(image, file);
    if (ok) made << file;
    return ok;
}

bool MakeScene(QStringList& made, const QString& file, const std::function<void(QPainter&)>& draw) {
    return Make(made, file, kWidth, kSceneHeight, draw);
}

// Darkness everywhere but near a light: the way a room looks by one lantern.
void DrawLanternDark(QPainter& p, QRectF area, QPointF light, double reach, int darkness) {
    QRadialGradient dark(light, reach);
    dark.setColorAt(0, QColor(0, 0, 0, 0));
    dark.setColorAt(0.35, QColor(0, 0, 0, darkness / 4));
    dark.setColorAt(1, QColor(0, 0, 0, darkness));
    p.fillRect(area, dark);
}

// Vertical boards of a wooden wall.
void DrawBoards(QPainter& p, QRectF area, QColor wood, double boardWidth, quint32 seed) {
    QRandomGenerator rng(seed);
    p.save();
    p.setPen(Qt::NoPen);
    for (double x = area.left(); x < area.right(); x += boardWidth) {
        p.setBrush(Dim(wood, 0.85 + 0.25 * rng.generateDouble()));
        p.drawRect(QRectF(x, area.top(), boardWidth, area.height()));
        p.setBrush(Dim(wood, 0.45));
        p.drawRect(QRectF(x, area.top(), 1.5, area.height()));
    }
    p.restore();
}

// A counter or table top seen from the front: lighter top edge, darker front.
void DrawCounter(QPainter& p, QRectF front, QColor wood) {
    p.save();
    p.setPen(Qt::NoPen);
    QLinearGradient face(front.topLeft(), front.bottomLeft());
    face.setColorAt(0, Dim(wood, 0.8));
    face.setColorAt(1, Dim(wood, 0.45));
    p.fillRect(front, face);
    p.fillRect(QRectF(front.left(), front.top() - 12, front.width(), 12), Dim(wood, 1.15));
    p.setPen(QPen(Dim(wood, 0.35), 1));
    for (double y = front.top() + 18; y < front.bottom(); y += 22)
        p.drawLine(QPointF(front.left(), y), QPointF(front.right(), y));
    p.restore();
}

// ---------------------------------------------------------------- title

bool MakeTitle(QStringList& made) {
    return MakeScene(made, QStringLiteral("Title.JPG"), [](QPainter& p) {
        DrawSky(p, QRectF(0, 0, kWidth, kSceneHeight), QColor(12, 16, 48), QColor(120, 70, 80), 7,
                90, 1);
        p.setBrush(QColor(20, 18, 30));
        p.setPen(Qt::NoPen);
        QPainterPath hills;
        hills.moveTo(0, kSceneHeight);
        hills.lineTo(0, 290);
        hills.cubicTo(120, 250, 220, 320, 330, 280);
        hills.cubicTo(400, 255, 450, 270, kWidth, 260);
        hills.lineTo(kWidth, kSceneHeight);
        p.drawPath(hills);
        DrawHandLantern(p, QPointF(240, 150), 1.2, Flame{});
        p.setFont(MinchoFont(44));
        p.setPen(QColor(255, 235, 190));
        p.drawText(QRect(0, 250, kWidth, 60), Qt::AlignCenter, QStringLiteral("ランタンウィック"));
        p.setFont(MinchoFont(14));
        p.setPen(QColor(220, 210, 230));
        p.drawText(QRect(0, 305, kWidth, 24), Qt::AlignCenter,
                   QStringLiteral("― 灯りをともす物語 ―"));
    });
}

// ---------------------------------------------------------------- the square

// How the square looks in one picture: the great lantern's flame, the town's
// windows, the fog, and who stands in the square.
struct SquareLook {
    Flame flame;
    double windows = 1;
    double fog = 0;
    enum class People { Nobody, Crowd, TwoWithLantern, Finale } people = People::Nobody;
};

void DrawClockTower(QPainter& p, double x, double baseY, double lit) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(34, 30, 50));
    p.drawRect(QRectF(x - 16, 42, 32, baseY - 42));
    p.drawPolygon(QPolygonF({QPointF(x - 21, 44), QPointF(x + 21, 44), QPointF(x, 6)}));
    p.setBrush(Dim(QColor(205, 195, 165), 0.45 + 0.55 * lit));
    p.drawEllipse(QPointF(x, 68), 11, 11);
    p.setPen(QPen(QColor(40, 34, 40), 1.6));
    p.drawLine(QPointF(x, 68), QPointF(x, 60));
    p.drawLine(QPointF(x, 68), QPointF(x + 6, 71));
    p.restore();
}

void DrawPeople(QPainter& p, const SquareLook& look, double height) {
    const QColor shadow(14, 12, 22);
    switch (look.people) {
        case SquareLook::People::Nobody: break;
        case SquareLook::People::Crowd: {
            QRandomGenerator rng(77);
            const Figure kinds[] = {Figure::Gen, Figure::Sota, Figure::Mio, Figure::Sota,
                                    Figure::Gen};
            for (int i = 0; i < 11; ++i) {
                const double x = 20 + i * 43 + rng.bounded(14);
                if (x > 205 && x < 275) continue;  // the lantern's pedestal stays in view
                const double tall = 62 + rng.bounded(22);
                DrawFigure(p, kinds[i % 5], QPointF(x, height - 2 + rng.bounded(6)), tall, shadow,
                           x > 240);
            }
            break;
        }
        case SquareLook::People::TwoWithLantern: {
            QPointF hand;
            DrawFigure(p, Figure::Sota, QPointF(92, 352), 104, shadow, false);
            DrawFigure(p, Figure::Mio, QPointF(128, 354), 94, shadow, false, &hand);
            const double scale = 0.36;
            const QPointF lantern = hand + QPointF(0, 52 * scale);
            DrawGlow(p, lantern + QPointF(0, 30), 110, QColor(255, 190, 100, 80));
            DrawHandLantern(p, lantern, scale, Flame{});
            break;
        }
        case SquareLook::People::Finale: {
            const double scale = 0.55, tall = 130;
            const QPointF hand = kFinaleLantern - QPointF(0, 52 * scale);
            const QPointF feet = hand - QPointF(0.21 * tall, -0.56 * tall);
            DrawFigure(p, Figure::Sota, feet - QPointF(62, -4), tall * 1.08, shadow, false);
            DrawFigure(p, Figure::Mio, feet, tall, shadow);
            DrawGlow(p, kFinaleLantern, 150, QColor(255, 190, 100, 90));
            DrawHandLantern(p, kFinaleLantern, scale, Flame{});
            break;
        }
    }
}

void DrawLadder(QPainter& p) {
    p.save();
    p.setPen(QPen(QColor(52, 38, 30), 4, Qt::SolidLine, Qt::RoundCap));
    const QPointF footLeft(266, 352), footRight(296, 352), topLeft(246, 112), topRight(262, 112);
    p.drawLine(footLeft, topLeft);
    p.drawLine(footRight, topRight);
    p.setPen(QPen(QColor(52, 38, 30), 3));
    for (int i = 1; i < 12; ++i) {
        const double t = i / 12.0;
        p.drawLine(footLeft + (topLeft - footLeft) * t, footRight + (topRight - footRight) * t);
    }
    p.restore();
}

void DrawSquare(QPainter& p, int height, const SquareLook& look) {
    const double h = height;
    DrawSky(p, QRectF(0, 0, kWidth, h), QColor(10, 14, 42), QColor(72, 52, 84), 21, 110,
            1 - 0.7 * look.fog);
    DrawHouses(p, {0, kWidth, 232, 40, 80, QColor(30, 28, 48), QColor(22, 20, 36),
                   look.windows * 0.8, 11});
    DrawClockTower(p, 408, 232, look.windows);
    DrawHouses(p,
               {-10, 175, 246, 70, 130, QColor(46, 40, 62), QColor(26, 22, 38), look.windows, 21});
    DrawHouses(p,
               {305, 490, 246, 70, 130, QColor(46, 40, 62), QColor(26, 22, 38), look.windows, 31});
    const QPointF foot(240, 318);
    DrawCobbles(p, QRectF(0, 244, kWidth, h - 244), QColor(96, 92, 110), foot + QPointF(0, -20),
                300 * look.flame.light, 5);
    if (look.people == SquareLook::People::Finale) DrawLadder(p);
    DrawGreatLantern(p, foot, 290, look.flame);
    DrawFog(p, QRectF(0, 110, kWidth, h - 110), {look.fog, 9, QColor(150, 156, 182), {}, 0});
    DrawPeople(p, look, h);
}

bool MakeSquarePictures(QStringList& made) {
    using People = SquareLook::People;
    const struct {
        const char* file;
        SquareLook look;
    } kPictures[] = {
        {"sq_lit.JPG", {Flame{}, 1, 0, People::Nobody}},
        {"sq_dark.JPG", {Flame{1, 0, 0}, 0.15, 0.45, People::Crowd}},
        {"square.JPG", {Flame{1, 0, 0}, 0.1, 0.65, People::TwoWithLantern}},
        {"finale.JPG", {Flame{1, 0, 0}, 0.1, 0.35, People::Finale}},
    };
    for (const auto& picture : kPictures) {
        const bool ok = MakeScene(made, QString::fromLatin1(picture.file),
                                  [&](QPainter& p) { DrawSquare(p, kSceneHeight, picture.look); });
        if (!ok) return false;
    }
    return true;
}

// The great lantern going out, for `anime3`: twelve frames of 480 x 360
// stacked in one strip, and the dark lantern as a picture of its own for the
// extra last frame. The flame gutters for a while, then sinks; the windows of
// the town follow it a little later.
bool MakeGoingOutStrip(QStringList& made) {
    constexpr int kFrames = 12;
    const double kLean[kFrames] = {0, 0.1, -0.08, 0.14, -0.2, 0.25, -0.3, 0.35, -0.2, 0.3, 0.1, 0};
    const auto look = [&](int i) {
        const double t = double(i) / (kFrames - 1);
        const double light = i < 3 ? 1.0 - 0.04 * i : std::max(0.05, 1.0 - 1.05 * (t - 0.15));
        return SquareLook{{0.5 + 0.5 * light, kLean[i], light}, std::min(1.0, 1.25 - t), 0.3 * t};
    };
    const bool strip = Make(made, QStringLiteral("outstrip.JPG"), kWidth, kStripHeight * kFrames,
                            [&](QPainter& p) {
                                for (int i = 0; i < kFrames; ++i) {
                                    p.save();
                                    p.translate(0, i * kStripHeight);
                                    p.setClipRect(QRect(0, 0, kWidth, kStripHeight));
                                    DrawSquare(p, kStripHeight, look(i));
                                    p.restore();
                                }
                            });
    return strip &&
           Make(made, QStringLiteral("outlast.JPG"), kWidth, kStripHeight, [](QPainter& p) {
               DrawSquare(p, kStripHeight, {Flame{1, 0, 0}, 0.15, 0.4});
           });
}

// ---------------------------------------------------------------- the hand lantern

void DrawSmoke(QPainter& p, QPointF from, double amount) {
    if (amount <= 0) return;
    p.save();
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        QPainterPath wisp;
        wisp.moveTo(from + QPointF(i * 4 - 4, 0));
        wisp.cubicTo(from + QPointF(-20 + i * 10, -40), from + QPointF(30 - i * 8, -70),
                     from + QPointF(-10 + i * 16, -120 - i * 10));
        p.setPen(QPen(QColor(200, 200, 210, int(70 * amount)), 6 - i * 1.5, Qt::SolidLine,
                      Qt::RoundCap));
        p.drawPath(wisp);
    }
    p.restore();
}

// Mio's lantern on the shop counter, close up.
void DrawLampCloseUp(QPainter& p, const Flame& flame, double smoke) {
    QLinearGradient room(0, 0, 0, kSceneHeight);
    room.setColorAt(0, QColor(38, 25, 18));
    room.setColorAt(1, QColor(18, 11, 8));
    p.fillRect(QRect(0, 0, kWidth, kSceneHeight), room);
    QRandomGenerator rng(3);
    for (int i = 0; i < 16; ++i) {  // the shelves of spools, out of focus behind
        const QPointF at(rng.bounded(kWidth), 30 + rng.bounded(200));
        DrawGlow(p, at, 14 + rng.bounded(20),
                 QColor(220, 170, 110, int((25 + rng.bounded(40)) * (0.3 + 0.7 * flame.light))));
    }
    DrawCounter(p, QRectF(0, 282, kWidth, kSceneHeight - 282), QColor(120, 74, 40));
    const QPointF centre(240, 178);
    DrawGlow(p, QPointF(240, 282), 170 * flame.light, QColor(255, 180, 90, int(90 * flame.light)));
    DrawHandLantern(p, centre, 2.4, flame);
    DrawSmoke(p, centre + QPointF(0, -80), smoke);
}

bool MakeLanternPictures(QStringList& made) {
    if (!MakeScene(made, QStringLiteral("lamp.JPG"),
                   [](QPainter& p) { DrawLampCloseUp(p, Flame{}, 0); }))
        return false;
    const Flame kFlicker[] = {{1.0, 0.0, 1.0},    {1.08, 0.08, 0.96}, {0.95, -0.06, 1.0},
                              {1.12, 0.12, 0.94}, {0.92, -0.1, 0.98}, {1.04, 0.04, 1.0}};
    for (int i = 0; i < 6; ++i) {
        const QString file = QStringLiteral("flicker%1.JPG").arg(i + 1);
        if (!MakeScene(made, file, [&](QPainter& p) { DrawLampCloseUp(p, kFlicker[i], 0); }))
            return false;
    }
    // Blown out: the flame bends away, shrinks to an ember, and leaves smoke.
    const struct {
        Flame flame;
        double smoke;
    } kBlowOut[] = {{{1.0, 0.3, 0.95}, 0},  {{0.8, 0.6, 0.8}, 0},     {{0.55, 0.85, 0.55}, 0.1},
                    {{0.3, 0.9, 0.3}, 0.4}, {{0.12, 0.4, 0.12}, 0.8}, {{0, 0, 0}, 1.0}};
    for (int i = 0; i < 6; ++i) {
        const QString file = QStringLiteral("blowout%1.JPG").arg(i + 1);
        const bool ok = MakeScene(made, file, [&](QPainter& p) {
            DrawLampCloseUp(p, kBlowOut[i].flame, kBlowOut[i].smoke);
        });
        if (!ok) return false;
    }
    return true;
}

// ---------------------------------------------------------------- rooms

void DrawSpools(QPainter& p, double shelfY, double x0, double x1, quint32 seed) {
    const QColor kThreads[] = {QColor(236, 226, 200), QColor(246, 242, 232), QColor(192, 162, 112),
                               QColor(128, 94, 62)};
    QRandomGenerator rng(seed);
    p.save();
    p.setPen(Qt::NoPen);
    for (double x = x0; x < x1 - 20;) {
        const double w = 18 + rng.bounded(12), h = 22 + rng.bounded(12);
        const QColor thread = kThreads[rng.bounded(4)];
        p.setBrush(QColor(70, 46, 28));
        p.drawRect(QRectF(x - 2, shelfY - h, w + 4, 4));
        p.drawRect(QRectF(x - 2, shelfY - 4, w + 4, 4));
        p.setBrush(thread);
        p.drawRect(QRectF(x, shelfY - h + 4, w, h - 8));
        p.setPen(QPen(Dim(thread, 0.8), 1));
        for (double y = shelfY - h + 7; y < shelfY - 5; y += 3)
            p.drawLine(QPointF(x, y), QPointF(x + w, y));
        p.setPen(Qt::NoPen);
        x += w + 8 + rng.bounded(8);
    }
    p.restore();
}

void DrawNightWindow(QPainter& p, QRectF frame, bool withGreatLantern) {
    p.save();
    p.setClipRect(frame);
    DrawSky(p, frame, QColor(12, 16, 44), QColor(60, 50, 80), 31, 25, 0.8);
    if (withGreatLantern)
        DrawGreatLantern(p, QPointF(frame.center().x(), frame.bottom() + 10), 90, Flame{1, 0, 0});
    DrawFog(p, frame, {0.6, 4, QColor(190, 195, 215), {}, 0});
    p.restore();
    p.save();
    p.setPen(QPen(QColor(60, 38, 22), 6));
    p.setBrush(Qt::NoBrush);
    p.drawRect(frame);
    p.setPen(QPen(QColor(60, 38, 22), 4));
    p.drawLine(QPointF(frame.center().x(), frame.top()),
               QPointF(frame.center().x(), frame.bottom()));
    p.drawLine(QPointF(frame.left(), frame.center().y()),
               QPointF(frame.right(), frame.center().y()));
    p.restore();
}

// The wick shop: shelves of spools, a night window, the lantern on the counter.
void DrawShop(QPainter& p) {
    DrawBoards(p, QRectF(0, 0, kWidth, kSceneHeight), QColor(104, 68, 42), 32, 8);
    DrawNightWindow(p, QRectF(340, 44, 110, 110), true);
    p.setPen(Qt::NoPen);
    for (double y : {86.0, 150.0, 214.0}) {
        DrawSpools(p, y, 24, 312, quint32(y));
        p.fillRect(QRectF(16, y, 304, 7), QColor(70, 44, 26));
    }
    p.fillRect(QRectF(96, 8, 168, 30), QColor(52, 32, 20));
    p.setPen(QColor(240, 220, 170));
    p.setFont(MinchoFont(18));
    p.drawText(QRectF(96, 8, 168, 30), Qt::AlignCenter, QStringLiteral("ランタンウィック"));
    DrawCounter(p, QRectF(0, 262, kWidth, kSceneHeight - 262), QColor(126, 80, 44));
    DrawHandLantern(p, QPointF(92, 226), 0.6, Flame{});
    DrawLanternDark(p, QRectF(0, 0, kWidth, kSceneHeight), QPointF(92, 226), 520, 150);
}

// The storehouse behind the shop: old crates, and the notebook on one of them.
void DrawStorehouse(QPainter& p) {
    p.fillRect(QRect(0, 0, kWidth, kSceneHeight), QColor(118, 112, 100));
    QRandomGenerator rng(12);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 300; ++i) {  // old plaster, stained
        p.setBrush(QColor(110, 104, 92, 30 + rng.bounded(40)));
        p.drawEllipse(QPointF(rng.bounded(kWidth), rng.bounded(280)), 2 + rng.bounded(8),
                      1 + rng.bounded(4));
    }
    p.fillRect(QRectF(0, 30, kWidth, 16), QColor(58, 40, 26));
    for (double x : {48.0, 430.0})
        p.fillRect(QRectF(x - 8, 0, 16, 290), QColor(58, 40, 26));
    DrawBoards(p, QRectF(0, 280, kWidth, 78), QColor(92, 64, 40), 40, 13);
    const QRectF crates[] = {{300, 196, 110, 88},
                             {318, 120, 84, 76},
                             {70, 214, 96, 70},
                             {196, 226, 92, 58},
                             {410, 210, 80, 74}};
    for (const QRectF& crate : crates) {
        p.fillRect(crate, QColor(120, 84, 50));
        p.setPen(QPen(QColor(70, 46, 28), 3));
        p.drawRect(crate);
        p.drawLine(crate.topLeft(), crate.bottomRight());
        p.setPen(Qt::NoPen);
    }
    p.save();  // the notebook, left open on the low crate
    p.translate(242, 222);
    p.rotate(-6);
    p.fillRect(QRectF(-30, -6, 60, 8), QColor(60, 40, 30));
    p.fillRect(QRectF(-28, -10, 27, 8), QColor(238, 228, 200));
    p.fillRect(QRectF(1, -10, 27, 8), QColor(230, 220, 190));
    p.restore();
    DrawHandLantern(p, QPointF(130, 190), 0.5, Flame{});
    DrawGlow(p, QPointF(170, 200), 200, QColor(255, 180, 90, 60));
    DrawLanternDark(p, QRectF(0, 0, kWidth, kSceneHeight), QPointF(170, 200), 290, 245);
    for (int i = 0; i < 40; ++i) {  // dust in the lantern's light
        p.setBrush(QColor(255, 230, 190, 60 + rng.bounded(80)));
        p.drawEllipse(QPointF(100 + rng.bounded(200), 110 + rng.bounded(140)), 0.9, 0.9);
    }
}

void DrawJars(QPainter& p, double shelfY, quint32 seed) {
    const QColor kOils[] = {QColor(200, 140, 40), QColor(150, 136, 52), QColor(180, 96, 36),
                            QColor(220, 180, 80)};
    QRandomGenerator rng(seed);
    p.save();
    p.setPen(Qt::NoPen);
    for (double x = 150; x < 460;) {
        const double w = 22 + rng.bounded(16), h = 30 + rng.bounded(20);
        const QColor oil = kOils[rng.bounded(4)];
        p.setBrush(oil);
        p.drawRoundedRect(QRectF(x, shelfY - h, w, h), 7, 7);
        p.drawRect(QRectF(x + w * 0.3, shelfY - h - 6, w * 0.4, 8));
        p.setBrush(QColor(255, 240, 200, 90));
        p.drawRect(QRectF(x + 4, shelfY - h + 6, 3, h - 14));
        p.setBrush(QColor(236, 226, 196));
        p.drawRect(QRectF(x + w * 0.2, shelfY - h * 0.6, w * 0.6, h * 0.3));
        x += w + 6 + rng.bounded(10);
    }
    p.restore();
}

// The oil shop: jars on the shelves, a hanging lamp, old Gen behind his counter.
void DrawOilShop(QPainter& p) {
    DrawBoards(p, QRectF(0, 0, kWidth, kSceneHeight), QColor(96, 70, 46), 36, 21);
    for (double y : {110.0, 190.0}) {
        DrawJars(p, y, quint32(y));
        p.fillRect(QRectF(140, y, 330, 7), QColor(64, 42, 24));
    }
    p.fillRect(QRectF(24, 0, 90, 190), QColor(36, 44, 92));  // the shop curtain
    p.setPen(QPen(QColor(30, 36, 76), 2));
    p.drawLine(QPointF(69, 20), QPointF(69, 190));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(236, 232, 220));
    p.drawEllipse(QPointF(69, 100), 30, 30);
    p.setPen(QColor(36, 44, 92));
    p.setFont(MinchoFont(36));
    p.drawText(QRectF(39, 70, 60, 60), Qt::AlignCenter, QStringLiteral("油"));
    p.setPen(QPen(QColor(30, 24, 20), 2));
    p.drawLine(QPointF(240, 0), QPointF(240, 44));
    DrawGlow(p, QPointF(240, 62), 150, QColor(255, 200, 120, 110));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 236, 180));
    p.drawEllipse(QPointF(240, 62), 16, 18);
    DrawFigure(p, Figure::Gen, QPointF(300, 330), 170, QColor(30, 22, 18), true);
    DrawCounter(p, QRectF(0, 250, kWidth, kSceneHeight - 250), QColor(118, 80, 46));
    p.fillRect(QRectF(330, 226, 60, 12), QColor(230, 220, 190));  // Gen's ledger
    DrawLanternDark(p, QRectF(0, 0, kWidth, kSceneHeight), QPointF(240, 90), 420, 130);
}

// Sota's home above the bakery: a weak fire in the stove, Hana in her blanket.
void DrawSotaHome(QPainter& p) {
    DrawBoards(p, QRectF(0, 0, kWidth, kSceneHeight), QColor(100, 72, 50), 30, 33);
    DrawNightWindow(p, QRectF(40, 50, 100, 96), false);
    p.fillRect(QRectF(0, 300, kWidth, 58), QColor(70, 48, 32));
    p.setPen(QPen(QColor(90, 40, 30), 1));
    p.setBrush(QColor(140, 66, 48));
    for (int row = 0; row < 9; ++row)  // the brick stove
        for (int col = 0; col < 5; ++col)
            p.drawRect(QRectF(340 + col * 24 + (row % 2) * 12, 120 + row * 20, 24, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 12, 10));
    p.drawRoundedRect(QRectF(368, 222, 70, 44), 18, 18);
    DrawGlow(p, QPointF(403, 256), 90, QColor(255, 140, 60, 80));
    DrawFlame(p, QPointF(395, 262), 16, {0.7, 0.2, 0.8});
    DrawFlame(p, QPointF(410, 262), 12, {0.6, -0.2, 0.7});
    DrawCounter(p, QRectF(150, 250, 130, 50), QColor(120, 86, 56));  // the table
    DrawFigure(p, Figure::Hana, QPointF(318, 322), 72, QColor(36, 28, 30));
    DrawFigure(p, Figure::Sota, QPointF(250, 346), 158, QColor(22, 16, 18));
    DrawHandLantern(p, QPointF(192, 226), 0.45, Flame{});
    DrawLanternDark(p, QRectF(0, 0, kWidth, kSceneHeight), QPointF(300, 240), 420, 190);
}

bool MakeRoomPictures(QStringList& made) {
    return MakeScene(made, QStringLiteral("shop.JPG"), DrawShop) &&
           MakeScene(made, QStringLiteral("store.JPG"), DrawStorehouse) &&
           MakeScene(made, QStringLiteral("oilshop.JPG"), DrawOilShop) &&
           MakeScene(made, QStringLiteral("sotahome.JPG"), DrawSotaHome);
}

// ---------------------------------------------------------------- the clock tower

// The clock tower seen from its foot.
void DrawTower(QPainter& p) {
    DrawSky(p, QRectF(0, 0, kWidth, kSceneHeight), QColor(8, 12, 38), QColor(60, 48, 80), 44, 140,
            0.9);
    QPolygonF body;
    body << QPointF(176, kSceneHeight) << QPointF(304, kSceneHeight) << QPointF(278, 78)
         << QPointF(202, 78);
    QLinearGradient stone(176, 0, 304, 0);
    stone.setColorAt(0, QColor(66, 62, 82));
    stone.setColorAt(1, QColor(34, 32, 46));
    p.setPen(Qt::NoPen);
    p.setBrush(stone);
    p.drawPolygon(body);
    p.setPen(QPen(QColor(28, 26, 38), 1));
    for (double y = 96; y < kSceneHeight; y += 18) {
        const double t = (y - 78) / (kSceneHeight - 78);
        p.drawLine(QPointF(202 - 26 * t, y), QPointF(278 + 26 * t, y));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(26, 22, 36));
    p.drawPolygon(QPolygonF({QPointF(190, 80), QPointF(290, 80), QPointF(240, 8)}));
    p.setBrush(QColor(170, 160, 136));
    p.drawEllipse(QPointF(240, 118), 26, 26);
    p.setPen(QPen(QColor(40, 34, 40), 2));
    for (int i = 0; i < 12; ++i) {
        const double a = i * 3.14159265 / 6;
        p.drawLine(QPointF(240 + 21 * std::cos(a), 118 + 21 * std::sin(a)),
                   QPointF(240 + 24 * std::cos(a), 118 + 24 * std::sin(a)));
    }
    p.drawLine(QPointF(240, 118), QPointF(240, 100));
    p.drawLine(QPointF(240, 118), QPointF(253, 124));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(14, 12, 20));
    p.drawRoundedRect(QRectF(228, 160, 24, 34), 10,
                      10);  // the little window at the top of the stair
    p.fillRect(QRectF(214, 194, 52, 4), QColor(60, 48, 40));  // the ledge outside it
    DrawHouses(p,
               {-20, 170, kSceneHeight, 90, 150, QColor(30, 26, 44), QColor(20, 18, 30), 0.1, 51});
    DrawHouses(p,
               {310, 500, kSceneHeight, 90, 150, QColor(30, 26, 44), QColor(20, 18, 30), 0.1, 52});
    DrawFog(p, QRectF(0, 200, kWidth, 158), {0.6, 14, QColor(190, 195, 215), {}, 0});
}

// The dark town from the tower's little window.
void DrawTownFromAbove(QPainter& p) {
    DrawSky(p, QRectF(0, 0, kWidth, 140), QColor(8, 12, 38), QColor(52, 44, 74), 45, 60, 0.8);
    p.fillRect(QRectF(0, 100, kWidth, 258), QColor(18, 16, 28));
    for (int row = 0; row < 6; ++row) {
        const double base = 130 + row * 44;
        const double size = 0.6 + row * 0.25;
        DrawHouses(p,
                   {-20, 500, base, 24 * size, 44 * size, Dim(QColor(40, 36, 58), 0.7 + row * 0.06),
                    QColor(24, 22, 36), 0.05, quint32(60 + row)});
    }
    DrawGreatLantern(p, QPointF(206, 250), 80, Flame{1, 0, 0});
    DrawFog(p, QRectF(0, 110, kWidth, 248), {0.75, 18, QColor(180, 186, 210), {}, 0});
    DrawGlow(p, QPointF(262, 262), 26, QColor(255, 200, 110, 220));  // one light in the whole town
    DrawGlow(p, QPointF(262, 262), 6, QColor(255, 250, 220, 255));
    QPainterPath frame;  // the stone around the arched window
    frame.addRect(0, 0, kWidth, kSceneHeight);
    QPainterPath opening;
    opening.moveTo(60, 340);
    opening.lineTo(60, 130);
    opening.arcTo(QRectF(60, 20, 360, 220), 180, -180);
    opening.lineTo(420, 340);
    opening.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(28, 24, 34));
    p.drawPath(frame.subtracted(opening));
    p.setPen(QPen(QColor(60, 52, 62), 3));
    p.setBrush(Qt::NoBrush);
    p.drawPath(opening);
}

// Game over: the lantern broken on the cobbles at the tower's foot.
void DrawFall(QPainter& p) {
    const QRectF all(0, 0, kWidth, kSceneHeight);
    p.fillRect(all, QColor(10, 10, 18));
    DrawCobbles(p, QRectF(0, 40, kWidth, kSceneHeight - 40), QColor(100, 100, 118),
                QPointF(240, 260), 0, 77);
    p.save();
    p.translate(250, 262);
    p.rotate(78);
    DrawHandLantern(p, QPointF(0, 0), 0.9, Flame{1, 0, 0}, false);
    p.restore();
    QRandomGenerator rng(5);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 26; ++i) {  // glass
        const QPointF at(150 + rng.bounded(200), 250 + rng.bounded(70));
        const double s = 2 + rng.bounded(6);
        p.setBrush(QColor(200, 205, 220, 120 + rng.bounded(100)));
        p.drawPolygon(QPolygonF({at, at + QPointF(s, s * 0.4), at + QPointF(s * 0.3, s)}));
    }
    DrawSmoke(p, QPointF(232, 250), 0.6);
    DrawFog(p, all, {0.35, 23, QColor(150, 156, 180), {}, 0});
    DrawLanternDark(p, all, QPointF(240, 262), 260, 245);
}

bool MakeTowerPictures(QStringList& made) {
    return MakeScene(made, QStringLiteral("tower.JPG"), DrawTower) &&
           MakeScene(made, QStringLiteral("view.JPG"), DrawTownFromAbove) &&
           MakeScene(made, QStringLiteral("fall.JPG"), DrawFall);
}

// ---------------------------------------------------------------- the north woods

void DrawTrees(QPainter& p, double baseY, double size, QColor colour, quint32 seed) {
    QRandomGenerator rng(seed);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    for (double x = -30; x < kWidth + 30;) {
        const double h = size * (0.8 + 0.4 * rng.generateDouble());
        const double w = h * 0.42;
        p.drawRect(QRectF(x - w * 0.06, baseY - h * 0.25, w * 0.12, h * 0.25 + 2));
        for (int tier = 0; tier < 3; ++tier) {
            const double top = baseY - h + tier * h * 0.22,
                         bottom = baseY - h * 0.45 + tier * h * 0.12;
            const double half = w * (0.3 + 0.2 * tier);
            p.drawPolygon(
                QPolygonF({QPointF(x, top), QPointF(x + half, bottom), QPointF(x - half, bottom)}));
        }
        x += w * (0.55 + 0.5 * rng.generateDouble());
    }
    p.restore();
}

// How the woods look: `fog` grows, `lantern` fades, `dark` closes over it all.
struct WoodsLook {
    double fog = 0.55;
    double lantern = 1;
    double dark = 0;
    bool mio = false;
};

void DrawWoods(QPainter& p, const WoodsLook& look) {
    const QRectF all(0, 0, kWidth, kSceneHeight);
    DrawSky(p, all, QColor(14, 24, 36), QColor(60, 74, 86), 61, 40, 0.5);
    DrawTrees(p, 220, 150, QColor(24, 32, 42), 1);
    DrawFog(p, QRectF(0, 80, kWidth, 200), {0.4, 31, QColor(150, 162, 174), {}, 0});
    DrawTrees(p, 270, 200, QColor(18, 24, 30), 2);
    QLinearGradient ground(0, 250, 0, 310);
    ground.setColorAt(0, QColor(20, 24, 26, 0));
    ground.setColorAt(1, QColor(20, 24, 26));
    p.fillRect(QRectF(0, 250, kWidth, 108), ground);
    DrawFog(p, QRectF(0, 140, kWidth, 218), {0.4, 32, QColor(150, 162, 174), {}, 0});
    DrawTrees(p, 380, 320, QColor(10, 13, 16), 3);
    const QPointF lantern(240, 292);
    if (look.mio) {
        QPointF hand;
        DrawFigure(p, Figure::Mio, QPointF(228, 336), 74, QColor(16, 16, 22), false, &hand);
        DrawHandLantern(p, hand + QPointF(0, 52 * 0.26), 0.26, Flame{1, 0, look.lantern}, false);
    }
    DrawFog(p, all, {look.fog, 33, QColor(176, 184, 196), lantern, 110 * look.lantern});
    // The lantern lights the fog it holds back.
    DrawGlow(p, lantern, 150 * look.lantern, QColor(255, 190, 100, int(140 * look.lantern)));
    if (look.dark > 0) p.fillRect(all, QColor(0, 0, 0, int(255 * std::min(1.0, look.dark))));
}

bool MakeWoodsPictures(QStringList& made) {
    if (!MakeScene(made, QStringLiteral("woods.JPG"), [](QPainter& p) { DrawWoods(p, {}); }))
        return false;
    // Into the fog: the lantern's light is swallowed, then everything goes dark.
    for (int i = 0; i < 8; ++i) {
        const WoodsLook look{0.6 + 0.2 * i, std::max(0.0, 1 - i / 5.0),
                             std::max(0.0, (i - 3) / 4.0), true};
        const QString file = QStringLiteral("fog%1.JPG").arg(i + 1);
        if (!MakeScene(made, file, [&](QPainter& p) { DrawWoods(p, look); })) return false;
    }
    return MakeScene(made, QStringLiteral("dark.JPG"), [](QPainter& p) {
        p.fillRect(QRect(0, 0, kWidth, kSceneHeight), QColor(4, 4, 8));
        DrawFog(p, QRectF(0, 0, kWidth, kSceneHeight), {0.25, 71, QColor(120, 124, 140), {}, 0});
    });
}

// ---------------------------------------------------------------- the town map

void DrawMapTree(QPainter& p, QPointF at) {
    p.drawPolygon(QPolygonF({at + QPointF(0, -10), at + QPointF(6, 2), at + QPointF(-6, 2)}));
    p.drawLine(at + QPointF(0, 2), at + QPointF(0, 6));
}

void DrawMapHouses(QPainter& p, QPointF at, int count, quint32 seed) {
    QRandomGenerator rng(seed);
    for (int i = 0; i < count; ++i)
        p.drawRect(QRectF(at + QPointF(rng.bounded(40) - 20, rng.bounded(30) - 15), QSizeF(9, 7)));
}

// Sota's map of the town, drawn in ink on old paper (a PNG, shown with `cg map.png`).
void DrawMap(QPainter& p) {
    const QRectF all(0, 0, kWidth, kSceneHeight);
    p.fillRect(all, QColor(228, 210, 172));
    QRandomGenerator rng(101);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 1800; ++i) {
        p.setBrush(QColor(150, 110, 60, 10 + rng.bounded(30)));
        p.drawEllipse(QPointF(rng.bounded(kWidth), rng.bounded(kSceneHeight)), 0.7 + rng.bounded(3),
                      0.7);
    }
    const QColor ink(92, 58, 30);
    p.setPen(QPen(QColor(170, 130, 80), 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath roads;
    roads.moveTo(40, 340);  // the slope from the wick shop up to the square
    roads.cubicTo(90, 300, 170, 270, 180, 220);
    roads.cubicTo(190, 190, 210, 180, kMapSquare.x() - 20, kMapSquare.y() + 20);
    roads.moveTo(kMapSquare.x() + 30, kMapSquare.y() - 10);
    roads.cubicTo(290, 140, 320, 130, 350, 120);  // east to the tower
    roads.moveTo(kMapSquare.x(), kMapSquare.y() - 35);
    roads.cubicTo(235, 110, 260, 90, 250, 70);  // north to the woods
    roads.moveTo(kMapSquare.x() + 25, kMapSquare.y() + 25);
    roads.cubicTo(300, 220, 330, 240, 360, 262);  // to Sota's home
    p.drawPath(roads);
    p.setPen(QPen(ink, 1.2));
    p.setBrush(QColor(200, 170, 120));
    DrawMapHouses(p, QPointF(150, 200), 7, 1);
    DrawMapHouses(p, QPointF(110, 300), 5, 2);
    DrawMapHouses(p, QPointF(300, 190), 6, 3);
    DrawMapHouses(p, QPointF(380, 280), 6, 4);
    DrawMapHouses(p, QPointF(300, 300), 5, 5);
    DrawMapHouses(p, QPointF(180, 110), 5, 6);
    p.setBrush(QColor(120, 140, 90));
    for (int i = 0; i < 22; ++i)
        DrawMapTree(p, QPointF(40 + i * 19 + rng.bounded(8), 40 + rng.bounded(26)));
    p.setBrush(QColor(238, 224, 190));
    p.drawEllipse(kMapSquare, 26, 22);
    p.setBrush(ink);
    p.drawRect(QRectF(kMapSquare.x() - 3, kMapSquare.y() - 12, 6, 14));  // the great lantern
    p.drawRect(QRectF(346, 100, 10, 22));                                // the clock tower
    p.drawPolygon(QPolygonF({QPointF(344, 100), QPointF(358, 100), QPointF(351, 90)}));
    p.setPen(ink);
    p.setFont(MinchoFont(15));
    const struct {
        QPointF at;
        const char* name;
    } kLabels[] = {{{kMapSquare.x() - 16, kMapSquare.y() + 40}, "広場"},
                   {{362, 116}, "時計塔"},
                   {{118, 192}, "油屋"},
                   {{92, 346}, "ランタンウィック"},
                   {{368, 254}, "ソウタの家"},
                   {{200, 94}, "北の森"}};
    for (const auto& label : kLabels)
        p.drawText(label.at, QString::fromUtf8(label.name));
    p.setFont(MinchoFont(24));
    p.drawText(QPointF(20, 32), QStringLiteral("灯坂の町"));
    p.setPen(QPen(ink, 1.5));  // which way is north
    p.drawLine(QPointF(444, 60), QPointF(444, 24));
    p.drawPolygon(QPolygonF({QPointF(444, 18), QPointF(439, 30), QPointF(449, 30)}));
    p.setFont(MinchoFont(13));
    p.drawText(QPointF(438, 76), QStringLiteral("北"));
    QRadialGradient age(all.center(), 300);
    age.setColorAt(0.6, QColor(120, 80, 40, 0));
    age.setColorAt(1, QColor(120, 80, 40, 150));
    p.fillRect(all, age);
}

bool MakeMap(QStringList& made) { return MakeScene(made, QStringLiteral("map.png"), DrawMap); }

// ---------------------------------------------------------------- buttons

// A picture button of 120 x 28: a small picture at the left and a word.
bool MakeButton(QStringList& made, const QString& file, const QString& word,
                const std::function<void(QPainter&)>& icon) {
    return Make(made, file, 120, 28, [&](QPainter& p) {
        QLinearGradient paper(0, 0, 0, 28);
        paper.setColorAt(0, QColor(252, 244, 222));
        paper.setColorAt(1, QColor(226, 206, 166));
        p.fillRect(QRect(0, 0, 120, 28), paper);
        p.setPen(QPen(QColor(130, 88, 48), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(0.5, 0.5, 119, 27), 4, 4);
        icon(p);
        p.setPen(QColor(70, 40, 18));
        p.setFont(GothicFont(14));
        p.drawText(QRect(32, 0, 86, 28), Qt::AlignVCenter | Qt::AlignLeft, word);
    });
}

bool MakeButtons(QStringList& made) {
    const bool lantern =
        MakeButton(made, QStringLiteral("btnlamp.png"), QStringLiteral("ランタン"),
                   [](QPainter& p) { DrawHandLantern(p, QPointF(16, 16), 0.22, Flame{}, false); });
    return lantern && MakeButton(made, QStringLiteral("btncndl.png"), QStringLiteral("ろうそく"),
                                 [](QPainter& p) {
                                     p.setPen(Qt::NoPen);
                                     p.setBrush(QColor(246, 240, 226));
                                     p.drawRect(QRectF(12, 12, 8, 13));
                                     p.setBrush(QColor(150, 110, 70));
                                     p.drawRect(QRectF(9, 24, 14, 2));
                                     DrawFlame(p, QPointF(16, 12), 9, Flame{});
                                 });
}

}  // namespace

bool MakePictures(QStringList& made) {
    return MakeTitle(made) && MakeSquarePictures(made) && MakeGoingOutStrip(made) &&
           MakeLanternPictures(made) && MakeRoomPictures(made) && MakeTowerPictures(made) &&
           MakeWoodsPictures(made) && MakeMap(made) && MakeButtons(made);
}
