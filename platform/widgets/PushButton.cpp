#include "platform/widgets/PushButton.h"

#include <QPushButton>

#include "platform/PictureReader.h"
#include "platform/widgets/Window.h"

namespace {
QPushButton* Button(QWidget* widget) { return static_cast<QPushButton*>(widget); }

// A click with the mouse leaves the keyboard focus where it was, so that a Space
// meant for reading on never lands on the button just clicked (a choice that
// turned into "最初から遊ぶ"). A button that shows nothing takes no key at all.
void UpdateFocusPolicy(QPushButton* button) {
    const bool blank = button->text().isEmpty() && button->icon().isNull();
    button->setFocusPolicy(blank ? Qt::NoFocus : Qt::TabFocus);
    if (blank && button->window()->focusWidget() == button)
        button->window()->setFocus(Qt::OtherFocusReason);
}

}  // namespace

PushButton::PushButton(Window& parent, const QString& objectName)
    : Widget(new QPushButton(parent.qwidget())) {
    widget_->setObjectName(objectName);
    // Takes keys until it is first dressed: the window's focus order is made of
    // the buttons that take keys when it is set.
    widget_->setFocusPolicy(Qt::TabFocus);
}

void PushButton::setCaption(const QString& caption) {
    Button(widget_)->setText(caption);
    UpdateFocusPolicy(Button(widget_));
}
QString PushButton::caption() const { return Button(widget_)->text(); }

bool PushButton::setPicture(const QString& path) {
    PictureReader picture(path);
    const QImage image = picture.read();
    if (image.isNull()) return false;
    Button(widget_)->setIcon(QIcon(QPixmap::fromImage(image)));
    Button(widget_)->setIconSize(image.size());
    UpdateFocusPolicy(Button(widget_));
    return true;
}

void PushButton::clearPicture() {
    Button(widget_)->setIcon(QIcon());
    UpdateFocusPolicy(Button(widget_));
}
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

void PushButton::setFocused() { widget_->setFocus(Qt::OtherFocusReason); }
bool PushButton::hasFocus() const { return widget_->window()->focusWidget() == widget_; }
bool PushButton::takesKeys() const { return widget_->focusPolicy() != Qt::NoFocus; }
