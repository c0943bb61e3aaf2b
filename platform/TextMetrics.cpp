#include "platform/TextMetrics.h"

#include <QFont>
#include <QFontMetricsF>

namespace {
constexpr int kButtonInset = 4;
}  // namespace

double TextRowWidth(const QString& text, const QString& family, double points) {
    QFont font(family);
    font.setPointSizeF(points);
    return QFontMetricsF(font).horizontalAdvance(text);
}

int LabelRowRoom(int labelWidth) { return labelWidth - kLabelLeftInset - kLabelRightInset; }

int ButtonCaptionRoom(int buttonWidth) { return buttonWidth - 2 * kButtonInset; }
