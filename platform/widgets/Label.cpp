#include "platform/widgets/Label.h"

#include <QAccessibleWidget>
#include <QFrame>
#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>

#include "platform/TextMetrics.h"
#include "platform/widgets/Window.h"

namespace {

// Rows are as high as the font's em, the way the game's message window lays out
// three rows of a 12-point face in 53 pixels; the IPA faces' own line height
// would push the third row off the bottom.
class MessageLabel : public QFrame {
  public:
    explicit MessageLabel(QWidget* parent) : QFrame(parent) {}
    QString shown;
    std::function<void()> leftClick;

  protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && leftClick) leftClick();
        QFrame::mousePressEvent(event);
    }

    void paintEvent(QPaintEvent* event) override {
        QFrame::paintEvent(event);
        QPainter painter(this);
        const QRect area = rect().adjusted(kLabelLeftInset, 2, -kLabelRightInset, -1);
        painter.setClipRect(area);
        painter.setPen(palette().color(QPalette::WindowText));
        const QFontMetricsF metrics(font());
        const qreal step = std::min(metrics.height(), QFontInfo(font()).pixelSize() + 1.0);
        qreal y = 0;
        for (const QString& row : shown.split(QLatin1Char('\n'))) {
            QTextLayout layout(row, font());
            layout.beginLayout();
            int lines = 0;
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(area.width());
                line.setPosition(QPointF(0, y));
                y += step;
                ++lines;
            }
            layout.endLayout();
            if (lines == 0) y += step;  // an empty row keeps its place
            layout.draw(&painter, area.topLeft());
            if (y > area.height()) break;
        }
    }
};

// Assistive technology sees the rows as static text: the label paints them
// itself, so without this a screen reader finds nothing in it.
QAccessibleInterface* MessageLabelAccessible(const QString&, QObject* object) {
    auto* label = dynamic_cast<MessageLabel*>(object);
    return label ? new QAccessibleWidget(label, QAccessible::StaticText) : nullptr;
}

}  // namespace

Label::Label(Window& parent, const QString& objectName)
    : Widget(new MessageLabel(parent.qwidget())) {
    auto* label = static_cast<MessageLabel*>(widget_);
    label->setObjectName(objectName);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setLineWidth(1);
    label->setFocusPolicy(Qt::NoFocus);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::ButtonText));
    label->setPalette(palette);
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(MessageLabelAccessible);
        return true;
    }();
    (void)factoryInstalled;
}

void Label::onClick(std::function<void()> handler) {
    static_cast<MessageLabel*>(widget_)->leftClick = std::move(handler);
}

void Label::setText(const QString& text) {
    text_ = text;
    // The game separates the rows with CR alone.
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    auto* label = static_cast<MessageLabel*>(widget_);
    label->shown = shown;
    // The name is what the label shows; setting it tells assistive technology
    // of the change, so a screen reader reads the new line.
    label->setAccessibleName(shown);
    label->update();
}
