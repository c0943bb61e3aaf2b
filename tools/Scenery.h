// Drawing helpers shared by the bundled game's pictures: skies, flames, the
// hand lantern and the great lantern, houses, cobbles, fog and figures.
// Every helper draws in the painter's current coordinates and leaves the
// painter's state as it found it.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>

class QPainter;

namespace scenery {

constexpr int kWidth = 480;
constexpr int kSceneHeight = 358;  // scene pictures and the frames of `anime`
constexpr int kStripHeight = 360;  // one frame of an `anime3` strip

// A new opaque picture, black until something is drawn on it.
QImage NewPicture(int width, int height);

// Lower values darken a colour towards black (1 = unchanged).
QColor Dim(QColor colour, double light);

// Night sky from `top` to `bottom` over `area`, with `stars` seeded stars in
// its upper part, drawn at `starAlpha` (0..1). With a `shape`, only the part of
// the area inside it is painted: the same as clipping to it, for painters that
// cannot clip (an SVG file).
void DrawSky(QPainter& p, QRectF area, QColor top, QColor bottom, quint32 seed, int stars,
             double starAlpha, const QPainterPath* shape = nullptr);

// A soft round glow fading out from `colour` at the centre.
void DrawGlow(QPainter& p, QPointF centre, double radius, QColor colour);

// How a flame burns: `height` 1 is the usual size, `lean` tips it sideways
// (negative to the left), `light` 0 is out and 1 full.
struct Flame {
    double height = 1;
    double lean = 0;
    double light = 1;
};

// A flame standing on `base`, `size` pixels tall at height 1.
void DrawFlame(QPainter& p, QPointF base, double size, const Flame& flame);

// Mio's hand lantern, brass and frosted glass, centred on `centre`; at scale
// 1 it is 44 px wide and about 100 px tall with its handle. The glow around it
// is drawn too when `withGlow` is set.
void DrawHandLantern(QPainter& p, QPointF centre, double scale, const Flame& flame,
                     bool withGlow = true);

// The great lantern of the square on its post and pedestal; `ground` is the
// foot of the pedestal, `height` the height of the whole from there up.
void DrawGreatLantern(QPainter& p, QPointF ground, double height, const Flame& flame);

// A row of town houses standing on the line y = `baseY` from x0 to x1, their
// windows lit with the share `lit` (0..1; each window has its own threshold, so
// they go dark one by one as `lit` falls).
struct HouseRow {
    double x0 = 0, x1 = kWidth;
    double baseY = 240;
    double minHeight = 50, maxHeight = 90;
    QColor wall = QColor(40, 36, 56);
    QColor roof = QColor(28, 24, 40);
    double lit = 1;
    quint32 seed = 1;
};
void DrawHouses(QPainter& p, const HouseRow& row);

// Cobblestones in perspective over `area`, brighter near `light` within `reach`.
void DrawCobbles(QPainter& p, QRectF area, QColor stone, QPointF light, double reach, quint32 seed);

// Drifting banks of fog over `area`; `amount` 0 is clear air, 1 thick fog.
// Within `clearRadius` of `clearAt` the fog thins away, as it does around a flame.
struct Fog {
    double amount = 0.5;
    quint32 seed = 1;
    QColor tint = QColor(200, 205, 220);
    QPointF clearAt;
    double clearRadius = 0;
};
void DrawFog(QPainter& p, QRectF area, const Fog& fog);

// Silhouettes of the story's people, standing on `feet`, `height` px tall.
// `hand`, when given, receives where the figure's front hand is, so that a
// lantern can be hung from it.
enum class Figure { Mio, Sota, Hana, Gen };
void DrawFigure(QPainter& p, Figure figure, QPointF feet, double height, QColor colour,
                bool facingLeft = false, QPointF* hand = nullptr);

// The game's faces: IPA P Mincho for story text, IPA Gothic for labels.
QFont MinchoFont(int pixelSize);
QFont GothicFont(int pixelSize);

// Saving: JPEG pictures at a quality that keeps the game small, PNG where exact.
bool SaveJpeg(const QImage& image, const QString& file);
bool SavePng(const QImage& image, const QString& file);

}  // namespace scenery
