#include "platform/widgets/PushButton.h"

#include <QPushButton>

#include "platform/PictureReader.h"
#include "platform/widgets/Window.h"

namespace {
QPushButton* Button(QWidget* widget) { return static_cast<QPushButton*>(widget); }
}  // namespace

PushButton::PushButton(Window& parent, const QString& objectName)
    : Widget(new QPushButton(parent.qwidget())) {
    widget_->setObjectName(objectName);
}

void PushButton::setCaption(const QString& caption) { Button(widget_)->setText(caption); }
QString PushButton::caption() const { return Button(widget_)->text(); }

bool PushButton::setPicture(const QString& path) {
    PictureReader picture(path);
    const QImage image = picture.read();
    if (image.isNull()) return false;
    Button(widget_)->setIcon(QIcon(QPixmap::fromImage(image)));
    Button(widget_)->setIconSize(image.size());
    return true;
}

void PushButton::clearPicture() { Button(widget_)->setIcon(QIcon()); }
bool PushButton::hasPicture() const { return !Button(widget_)->icon().isNull(); }

void PushButton::setStrikethrough(bool on) {
    QFont font = widget_->font();
    font.setStrikeOut(on);
    widget_->setFont(font);
}

bool PushButton::strikethrough() const { return widget_->font().strikeOut(); }

void PushButton::onClick(std::function<void()> handler) {
    QObject::connect(Button(widget_), &QPushButton::clicked, std::move(handler));
}

void PushButton::click() { Button(widget_)->click(); }
