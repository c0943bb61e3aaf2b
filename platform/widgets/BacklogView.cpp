#include "platform/widgets/BacklogView.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include "platform/widgets/Window.h"

namespace {

class BacklogList : public QListWidget {
  public:
    explicit BacklogList(QWidget* parent) : QListWidget(parent) {}
    std::function<void()> closed;

    void closeView() {
        if (isHidden()) return;
        hide();
        clear();
        if (closed) closed();
    }

  protected:
    void mousePressEvent(QMouseEvent* event) override {
        event->accept();
        closeView();
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override { event->accept(); }
    void mouseReleaseEvent(QMouseEvent* event) override { event->accept(); }
    void mouseMoveEvent(QMouseEvent* event) override { event->accept(); }

    void wheelEvent(QWheelEvent* event) override {
        event->accept();
        QScrollBar* bar = verticalScrollBar();
        const int steps = event->angleDelta().y() / 120;
        if (steps < 0 && bar->value() == bar->maximum()) {
            closeView();
            return;
        }
        bar->setValue(bar->value() - steps * bar->singleStep() * 3);
    }

    // Every key stops here, so that none reads on or presses a button behind it.
    void keyPressEvent(QKeyEvent* event) override {
        event->accept();
        QScrollBar* bar = verticalScrollBar();
        switch (event->key()) {
            case Qt::Key_Escape: closeView(); break;
            case Qt::Key_PageDown:
                if (bar->value() == bar->maximum()) {
                    closeView();
                } else {
                    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
                }
                break;
            case Qt::Key_PageUp: bar->triggerAction(QAbstractSlider::SliderPageStepSub); break;
            case Qt::Key_Up: bar->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
            case Qt::Key_Down: bar->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
            case Qt::Key_Home: bar->triggerAction(QAbstractSlider::SliderToMinimum); break;
            case Qt::Key_End: bar->triggerAction(QAbstractSlider::SliderToMaximum); break;
            default: break;
        }
    }
    void keyReleaseEvent(QKeyEvent* event) override { event->accept(); }
    // Tab stays here too: the buttons behind are out of play.
    bool focusNextPrevChild(bool) override { return false; }
};

BacklogList* List(QWidget* widget) { return static_cast<BacklogList*>(widget); }

}  // namespace

BacklogView::BacklogView(Window& parent, const QString& objectName)
    : Widget(new BacklogList(parent.qwidget())) {
    auto* list = List(widget_);
    list->setObjectName(objectName);
    list->setAccessibleName(QStringLiteral("これまでの文"));
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setFocusPolicy(Qt::StrongFocus);
    list->setWordWrap(true);
    list->setTextElideMode(Qt::ElideNone);
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setFrameStyle(QFrame::Box | QFrame::Plain);
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, palette.color(QPalette::ButtonText));
    list->setPalette(palette);
    list->hide();
}

void BacklogView::open(const QStringList& rows) {
    auto* list = List(widget_);
    list->clear();
    for (const QString& row : rows) {
        auto* item = new QListWidgetItem(row, list);
        item->setFlags(Qt::ItemIsEnabled);
    }
    list->show();
    list->raise();
    list->scrollToBottom();
    list->setFocus(Qt::OtherFocusReason);
}

void BacklogView::close() { List(widget_)->closeView(); }

bool BacklogView::isOpen() const { return !widget_->isHidden(); }

QStringList BacklogView::rows() const {
    QStringList rows;
    auto* list = List(widget_);
    for (int i = 0; i < list->count(); ++i)
        rows << list->item(i)->text();
    return rows;
}

void BacklogView::useFontOf(const Widget& other) { widget_->setFont(other.qwidget()->font()); }

void BacklogView::onClosed(std::function<void()> handler) {
    List(widget_)->closed = std::move(handler);
}
