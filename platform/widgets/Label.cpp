#include "platform/widgets/Label.h"

#include <QLabel>

#include "platform/widgets/Window.h"

Label::Label(Window& parent, const QString& objectName) : Widget(new QLabel(parent.qwidget())) {
    auto* label = static_cast<QLabel*>(widget_);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setLineWidth(1);
    label->setFocusPolicy(Qt::NoFocus);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::ButtonText));
    label->setPalette(palette);
}

void Label::setText(const QString& text) {
    text_ = text;
    // The game separates the rows with CR alone; the label breaks at LF.
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    static_cast<QLabel*>(widget_)->setText(shown);
}

void Label::setBackground(Rgb colour) {
    QPalette palette = widget_->palette();
    palette.setColor(QPalette::Window, QColor(colour.red, colour.green, colour.blue));
    widget_->setPalette(palette);
    widget_->setAutoFillBackground(true);
}
