#include "Icon.h"

#include "Scenery.h"

#include <QDir>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSvgGenerator>

#include <cstdio>

using namespace scenery;

namespace {

// The sizes of the hicolor theme that desktops look in for an application icon.
constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256, 512};

// The icon is drawn on a 256-unit square; every size scales the same drawing,
// so the small ones are rendered at their own resolution, not shrunk copies.
constexpr double kDesign = 256;

// Nothing is clipped, as Qt's SVG writer drops clipping: the sky and the
// lantern's glow are painted as fills of the rounded tile instead.
void DrawIcon(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area(8, 8, 240, 240);
    QPainterPath tile;
    tile.addRoundedRect(area, 44, 44);
    DrawSky(p, area, QColor(14, 20, 60), QColor(110, 66, 84), 9, 40, 1, &tile);
    const QPointF lantern(128, 142);
    const double scale = 1.7;
    // The glow DrawHandLantern would draw, at its size and colours.
    QRadialGradient halo(lantern, 80 * scale);
    halo.setColorAt(0, QColor(255, 210, 120, 160));
    halo.setColorAt(1, QColor(255, 160, 60, 0));
    p.fillPath(tile, halo);
    DrawHandLantern(p, lantern, scale, Flame{}, false);
}

QString AppsFolder(const QString& folder, const QString& size) {
    const QString apps = QStringLiteral("%1/hicolor/%2/apps").arg(folder, size);
    QDir().mkpath(apps);
    return apps;
}

bool MakePng(const QString& folder, int size, QStringList& made) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.scale(size / kDesign, size / kDesign);
    DrawIcon(p);
    p.end();
    const QString file =
        AppsFolder(folder, QStringLiteral("%1x%1").arg(size)) + QStringLiteral("/lanternwick.png");
    if (!SavePng(image, file)) return false;
    made << file;
    return true;
}

bool MakeSvg(const QString& folder, QStringList& made) {
    const QString file =
        AppsFolder(folder, QStringLiteral("scalable")) + QStringLiteral("/lanternwick.svg");
    QSvgGenerator svg;
    svg.setFileName(file);
    svg.setSize(QSize(kDesign, kDesign));
    svg.setViewBox(QRectF(0, 0, kDesign, kDesign));
    svg.setTitle(QStringLiteral("Lanternwick"));
    QPainter p;
    if (!p.begin(&svg)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return false;
    }
    DrawIcon(p);
    p.end();
    made << file;
    return true;
}

}  // namespace

bool MakeIcons(const QString& folder, QStringList& made) {
    for (int size : kSizes)
        if (!MakePng(folder, size, made)) return false;
    return MakeSvg(folder, made);
}
