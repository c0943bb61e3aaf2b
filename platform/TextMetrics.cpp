#include "platform/TextMetrics.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
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

MeasuringApplication::MeasuringApplication(int& argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app_ = std::make_unique<QGuiApplication>(argc, argv);
    InstallGameFaces();
}

MeasuringApplication::~MeasuringApplication() = default;

double TextRowWidth(const QString& text, const QString& family, double points) {
    QFont font(family);
    font.setPointSizeF(points);
    return QFontMetricsF(font).horizontalAdvance(text);
}

int LabelRowRoom(int labelWidth) { return labelWidth - kLabelLeftInset - kLabelRightInset; }

int ButtonCaptionRoom(int buttonWidth) { return buttonWidth - 2 * kButtonInset; }
