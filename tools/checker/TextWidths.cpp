#include "TextWidths.h"

#include "platform/TextMetrics.h"

namespace {

// Every text typed on the way to a line is measured once: past this many, the
// widths kept start afresh rather than grow without end in a long session.
constexpr qsizetype kMostKept = 200000;

}  // namespace

double TextWidths::row(const QString& text, const QString& family, double points) {
    if (kept_ >= kMostKept) {
        faces_.clear();
        kept_ = 0;
    }
    Face* face = nullptr;
    for (Face& known : faces_) {
        if (known.family == family && known.points == points) face = &known;
    }
    if (!face) face = &faces_.emplace_back(Face{family, points, {}});
    const auto found = face->widths.constFind(text);
    if (found != face->widths.constEnd()) return *found;
    const double width = TextRowWidth(text, family, points);
    face->widths.insert(text, width);
    ++kept_;
    return width;
}
