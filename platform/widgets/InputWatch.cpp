#include "platform/widgets/InputWatch.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

#include "platform/widgets/Window.h"

// An application filter: it sees an event before the widget it is sent to,
// and again for each parent a key or click is passed on to.
class InputWatch::Filter : public QObject {
  public:
    Filter(QWidget* window, std::function<void(int)> handler)
        : window_(window), handler_(std::move(handler)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::KeyPress && type != QEvent::MouseButtonPress &&
            type != QEvent::MouseButtonDblClick)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->window() != window_) return false;
        handler_(type == QEvent::KeyPress ? static_cast<QKeyEvent*>(event)->key() : kMousePress);
        return false;
    }

  private:
    QWidget* window_;
    std::function<void(int)> handler_;
};

InputWatch::InputWatch(const Window& window, std::function<void(int key)> handler)
    : filter_(std::make_unique<Filter>(window.qwidget(), std::move(handler))) {
    if (QCoreApplication* application = QCoreApplication::instance())
        application->installEventFilter(filter_.get());
}

InputWatch::~InputWatch() {
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeEventFilter(filter_.get());
}
