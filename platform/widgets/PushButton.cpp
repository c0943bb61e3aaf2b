#include "platform/widgets/PushButton.h"

#include <QPainter>
#include <QPushButton>

#include "platform/PictureReader.h"
#include "platform/widgets/Window.h"

namespace {

// The style's own focus mark is a dotted line of one pixel, hardly seen on a
// caption and lost on a picture. The focused button gets a ring inside its
// edge instead: two pixels of black, then two of white, so that one of them
// stands out at least 3:1 against whatever the button shows beneath, the
// window's green around it too. The button keeps its size and place.
class FocusRingButton : public QPushButton {
  public:
    using QPushButton::QPushButton;

  protected:
    void paintEvent(QPaintEvent* event) override {
        QPushButton::paintEvent(event);
        if (!hasFocus()) return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setBrush(Qt::NoBrush);
        const QRect edge = rect();
        DrawRing(painter, edge, Qt::black);
        DrawRing(painter, edge.adjusted(kRingPx, kRingPx, -kRingPx, -kRingPx), Qt::white);
    }

  private:
    static constexpr int kRingPx = 2;
    // A ring kRingPx wide along the inside of `outer`.
    static void DrawRing(QPainter& painter, const QRect& outer, const QColor& colour) {
        const QRegion ring =
            QRegion(outer) - QRegion(outer.adjusted(kRingPx, kRingPx, -kRingPx, -kRingPx));
        for (const QRect& r : ring)
            painter.fillRect(r, colour);
    }
};

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
    : Widget(new FocusRingButton(parent.qwidget())) {
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
