#include "platform/widgets/CornerMark.h"

#include <QLabel>

#include "platform/widgets/Window.h"

namespace {
QLabel* Mark(QWidget* widget) { return static_cast<QLabel*>(widget); }
constexpr int kInsetPx = 2;
}  // namespace

CornerMark::CornerMark(Window& parent, const QString& objectName)
    : Widget(new QLabel(parent.qwidget())) {
    QLabel* mark = Mark(widget_);
    mark->setObjectName(objectName);
    mark->setAttribute(Qt::WA_TransparentForMouseEvents);
    mark->setFocusPolicy(Qt::NoFocus);
    mark->setAlignment(Qt::AlignCenter);
    mark->setContentsMargins(3, 0, 3, 0);
    QFont font = mark->font();
    font.setPointSizeF(7);
    font.setBold(true);
    mark->setFont(font);
    QPalette palette = mark->palette();
    palette.setColor(QPalette::Window, QColor(255, 240, 200));
    palette.setColor(QPalette::WindowText, QColor(120, 60, 0));
    mark->setPalette(palette);
    mark->setAutoFillBackground(true);
    mark->hide();
}

void CornerMark::show(const QString& text, const Widget& host) {
    QLabel* mark = Mark(widget_);
    mark->setText(text);
    if (text.isEmpty()) {
        mark->hide();
        return;
    }
    mark->adjustSize();
    mark->move(host.left() + host.width() - mark->width() - kInsetPx,
               host.top() + host.height() - mark->height() - kInsetPx);
    mark->show();
}

QString CornerMark::text() const { return widget_->isHidden() ? QString() : Mark(widget_)->text(); }
