#include "platform/TextMetrics.h"

#include <QFont>
#include <QFontMetricsF>
#include <QStringList>

namespace {
constexpr int kButtonInset = 4;
}  // namespace

void InstallGameFaces() {
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐ明朝"),
                               {QStringLiteral("IPAPMincho"), QStringLiteral("IPA P明朝")});
    QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"),
                               {QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック")});
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック")});
}

double TextRowWidth(const QString& text, const QString& family, double points) {
    QFont font(family);
    font.setPointSizeF(points);
    return QFontMetricsF(font).horizontalAdvance(text);
}

int LabelRowRoom(int labelWidth) { return labelWidth - kLabelLeftInset - kLabelRightInset; }

int ButtonCaptionRoom(int buttonWidth) { return buttonWidth - 2 * kButtonInset; }
