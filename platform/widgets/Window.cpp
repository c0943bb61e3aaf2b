#include "platform/widgets/Window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

#include "platform/PlatformSetup.h"

namespace {

constexpr int kFrameWidthPx = 6;
constexpr int kFrameHeightPx = 25;

bool IsReadingKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space ||
           key == Qt::Key_PageDown;
}

class FormWidget : public QWidget {
  public:
    std::function<void(int16_t&)> closeHandler;
    std::function<void()> readingKeyHandler;

  protected:
    // Keys reach the window when no button holds the focus, or when the focused
    // button does not take them (a button takes Space, not Return).
    void keyPressEvent(QKeyEvent* event) override {
        const int key = event->key();
        if (IsReadingKey(key) && event->modifiers() == Qt::NoModifier) {
            if (!event->isAutoRepeat() && readingKeyHandler) readingKeyHandler();
            return;
        }
        // With no button focused (a choice waits), the arrows bring the focus
        // into the button column, as Tab does.
        if (key == Qt::Key_Down || key == Qt::Key_Right) {
            focusNextChild();
            return;
        }
        if (key == Qt::Key_Up || key == Qt::Key_Left) {
            focusPreviousChild();
            return;
        }
        QWidget::keyPressEvent(event);
    }

    void wheelEvent(QWheelEvent* event) override {
        if (event->angleDelta().y() < 0 && readingKeyHandler) readingKeyHandler();
        event->accept();
    }

    // Asked at once, also while a voice or the ending holds the story: the
    // hold goes on while the question is open, and a voice of any length can
    // still be quit.
    void closeEvent(QCloseEvent* event) override {
        int16_t cancel = 0;
        if (closeHandler) closeHandler(cancel);
        if (cancel != 0) {
            event->ignore();
        } else {
            event->accept();
        }
    }
};

QImage DrawLanternIcon() {
    QImage icon(32, 32, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 40, 20), 2));
    p.drawLine(16, 2, 16, 6);
    p.drawArc(12, 1, 8, 6, 0, 180 * 16);
    p.setBrush(QColor(90, 60, 30));
    p.drawRect(9, 6, 14, 3);
    p.drawRect(9, 26, 14, 3);
    QRadialGradient glow(16, 17, 9);
    glow.setColorAt(0, QColor(255, 240, 160));
    glow.setColorAt(1, QColor(230, 130, 30));
    p.setBrush(glow);
    p.setPen(QPen(QColor(90, 60, 30), 1.5));
    p.drawRoundedRect(10, 9, 12, 17, 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 230));
    QPainterPath flame;
    flame.moveTo(16, 12);
    flame.quadTo(19.5, 18, 16, 22);
    flame.quadTo(12.5, 18, 16, 12);
    p.drawPath(flame);
    return icon;
}

}  // namespace

QPoint CentredOrTopLeft(const QRect& area, const QSize& size) {
    // A window larger than the screen (a large scale factor on a small screen)
    // keeps its title bar and its top buttons reachable at the top-left corner.
    if (size.width() > area.width() || size.height() > area.height()) return area.topLeft();
    return area.center() - QRect(QPoint(0, 0), size).center();
}

struct Window::Impl {
    FormWidget* form;
    int clientWidth = 0;
    int clientHeight = 0;
};

Window::Window(const QString& objectName)
    : Widget(new FormWidget), impl_(std::make_unique<Impl>()) {
    impl_->form = static_cast<FormWidget*>(widget_);
    impl_->form->setObjectName(objectName);
    // The window itself holds the focus when no button should.
    impl_->form->setFocusPolicy(Qt::NoFocus);
    impl_->form->setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint |
                                Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
}

Window::~Window() { delete impl_->form; }

void Window::setTitle(const QString& title) { impl_->form->setWindowTitle(title); }
QString Window::title() const { return impl_->form->windowTitle(); }

void Window::setOuterWidthTwips(int twips) {
    const int px = static_cast<int>(twips / ScreenTwipsPerPixelX());
    setClientSize(px - kFrameWidthPx, impl_->clientHeight);
}

void Window::setOuterHeightTwips(int twips) {
    const int px = static_cast<int>(twips / ScreenTwipsPerPixelX());
    setClientSize(impl_->clientWidth, px - kFrameHeightPx);
}

void Window::setClientSize(int width, int height) {
    impl_->clientWidth = qMax(width, 0);
    impl_->clientHeight = qMax(height, 0);
    impl_->form->setFixedSize(impl_->clientWidth, impl_->clientHeight);
}

void Window::useGameIcon() {
    impl_->form->setWindowIcon(QIcon(QPixmap::fromImage(DrawLanternIcon())));
}

void Window::showCentred() {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        impl_->form->move(
            CentredOrTopLeft(area, impl_->form->size() + QSize(kFrameWidthPx, kFrameHeightPx)));
    }
    impl_->form->show();

    // Bounded: a window system that never exposes the window must not hang start-up.
    constexpr int kMostWaitMs = 300;
    QElapsedTimer waited;
    waited.start();
    QWindow* handle = impl_->form->windowHandle();
    while (handle && !handle->isExposed() && waited.elapsed() < kMostWaitMs) {
        QCoreApplication::processEvents(
            QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents, 10);
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool Window::isShown() const { return impl_->form->isVisible(); }

void Window::setFocusOrder(std::initializer_list<const Widget*> order) {
    const Widget* previous = nullptr;
    for (const Widget* widget : order) {
        if (previous) QWidget::setTabOrder(previous->qwidget(), widget->qwidget());
        previous = widget;
    }
}

void Window::onCloseRequest(std::function<void(int16_t& cancel)> handler) {
    impl_->form->closeHandler = std::move(handler);
}

void Window::onReadingKey(std::function<void()> handler) {
    impl_->form->readingKeyHandler = std::move(handler);
}

void Window::focusNothing() { impl_->form->setFocus(Qt::OtherFocusReason); }

bool Window::requestClose() { return impl_->form->close(); }
