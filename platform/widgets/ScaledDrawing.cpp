#include "platform/widgets/ScaledDrawing.h"

#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

#include <cmath>
#include <cstring>

namespace {

// The smallest rectangle holding every pixel in which `a` and `b` differ.
QRect DifferingRect(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.format() != b.format()) return a.rect();
    const int width = a.width();
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    int top = -1;
    int bottom = -1;
    int left = width;
    int right = -1;
    for (int y = 0; y < a.height(); ++y) {
        const auto* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        if (std::memcmp(rowA, rowB, rowBytes) == 0) continue;
        if (top < 0) top = y;
        bottom = y;
        int x = 0;
        while (x < left && rowA[x] == rowB[x])
            ++x;
        left = std::min(left, x);
        x = width - 1;
        while (x > right && rowA[x] == rowB[x])
            --x;
        right = std::max(right, x);
    }
    if (top < 0) return {};
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

}  // namespace

ScaledDrawing::ScaledDrawing(QWidget* window, QSize inside) : QWidget(window), inside_(inside) {
    setObjectName(QStringLiteral("ScaledDrawing"));
    setFocusPolicy(Qt::NoFocus);
    // Not opaque: the widgets under it must still paint, which is how it learns
    // that they changed.
    setAutoFillBackground(false);
    qApp->installEventFilter(this);
}

ScaledDrawing::~ScaledDrawing() {
    if (qApp) qApp->removeEventFilter(this);
}

void ScaledDrawing::place(qreal factor, QPoint origin) {
    if (factor == factor_ && origin == origin_ && !scaled_.isNull()) return;
    factor_ = factor;
    origin_ = origin;
    ratio_ = factor_ * devicePixelRatioF();
    scaled_ = QImage(QSize(static_cast<int>(std::ceil(inside_.width() * ratio_)),
                           static_cast<int>(std::ceil(inside_.height() * ratio_))),
                     QImage::Format_RGB32);
    shown_ = QImage();
    outOfDate_ = true;
    update();
}

QPointF ScaledDrawing::toInside(QPointF windowPoint) const {
    return (windowPoint - QPointF(origin_)) / factor_;
}

QRect ScaledDrawing::drawnRect(const QRect& insideRect) const {
    const QPointF topLeft = QPointF(origin_) + QPointF(insideRect.topLeft()) * factor_;
    const QPointF bottomRight =
        QPointF(origin_) +
        QPointF(insideRect.topLeft() + QPoint(insideRect.width(), insideRect.height())) * factor_;
    return QRectF(topLeft, bottomRight).toAlignedRect();
}

bool ScaledDrawing::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget == this || rendering_) return false;
    switch (event->type()) {
        case QEvent::Paint:
            if (widget->window() == parentWidget()) outOfDate_ = true;
            break;
        case QEvent::ChildAdded:
        case QEvent::ZOrderChange:
            // Whatever joins the window or is raised there stays under the cover.
            if (widget == parentWidget() || widget->parentWidget() == parentWidget()) raise();
            break;
        default: break;
    }
    return false;
}

void ScaledDrawing::renderInto(QImage& image, const QRect& area, qreal ratio) const {
    QWidget* window = parentWidget();
    // Drawn through a painter that scales, the widgets lay out their text in
    // 1x pixels but the glyphs are rasterised at the scale.
    QPainter painter(&image);
    painter.scale(ratio, ratio);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setClipRect(area);
    painter.fillRect(area, window->palette().color(QPalette::Window));
    for (QObject* object : window->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (!child || child == this || child->isHidden() || child->isWindow()) continue;
        const QRect part = area.intersected(child->geometry());
        if (part.isEmpty()) continue;
        const QRect local = part.translated(-child->pos());
        child->render(&painter, part.topLeft(), QRegion(local),
                      QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
}

void ScaledDrawing::catchUp() {
    outOfDate_ = false;
    rendering_ = true;
    QImage now(inside_, QImage::Format_RGB32);
    renderInto(now, now.rect(), 1);
    const QRect changed = DifferingRect(now, shown_);
    shown_ = std::move(now);
    if (!changed.isEmpty()) renderInto(scaled_, changed, ratio_);
    rendering_ = false;
    if (!changed.isEmpty()) update(drawnRect(changed));
}

void ScaledDrawing::paintEvent(QPaintEvent* event) {
    if (outOfDate_) catchUp();
    QPainter painter(this);
    const QRect drawn = drawnRect(QRect(QPoint(), inside_));
    for (const QRect& r : event->region() - QRegion(drawn))
        painter.fillRect(r, Qt::black);
    // One pixel of the image to each pixel of the screen.
    painter.drawImage(QRectF(drawn.topLeft(), QSizeF(scaled_.size()) / devicePixelRatioF()),
                      scaled_);
}

QWidget* ScaledDrawing::widgetAt(QPointF insidePoint) const {
    QWidget* window = parentWidget();
    const QPoint at = insidePoint.toPoint();
    if (!QRect(QPoint(), inside_).contains(at)) return nullptr;
    const QObjectList& children = window->children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        auto* child = qobject_cast<QWidget*>(*it);
        if (!child || child == this || child->isHidden() || child->isWindow() ||
            child->testAttribute(Qt::WA_TransparentForMouseEvents) ||
            !child->geometry().contains(at))
            continue;
        QWidget* deepest = child->childAt(at - child->pos());
        return deepest ? deepest : child;
    }
    return window;
}

void ScaledDrawing::forwardMouse(QMouseEvent* event, QWidget* target) {
    event->accept();
    if (!target) return;
    const QPointF inside = toInside(event->position());
    const QPointF local = target->mapFrom(parentWidget(), inside);
    QMouseEvent forwarded(event->type(), local, inside, event->globalPosition(), event->button(),
                          event->buttons(), event->modifiers(), event->pointingDevice());
    QApplication::sendEvent(target, &forwarded);
}

void ScaledDrawing::mousePressEvent(QMouseEvent* event) {
    grabbed_ = widgetAt(toInside(event->position()));
    forwardMouse(event, grabbed_);
}

void ScaledDrawing::mouseDoubleClickEvent(QMouseEvent* event) {
    grabbed_ = widgetAt(toInside(event->position()));
    forwardMouse(event, grabbed_);
}

void ScaledDrawing::mouseMoveEvent(QMouseEvent* event) { forwardMouse(event, grabbed_); }

void ScaledDrawing::mouseReleaseEvent(QMouseEvent* event) {
    QPointer<QWidget> target = grabbed_;
    if (event->buttons() == Qt::NoButton) grabbed_ = nullptr;
    forwardMouse(event, target);
}

void ScaledDrawing::wheelEvent(QWheelEvent* event) {
    event->accept();
    const QPointF inside = toInside(event->position());
    QWidget* target = widgetAt(inside);
    if (!target) target = parentWidget();
    // Qt passes a wheel event it made itself to no parent: each is asked in
    // turn, as they are for the window system's own.
    for (QWidget* w = target; w; w = w->parentWidget()) {
        QWheelEvent forwarded(w->mapFrom(parentWidget(), inside), event->globalPosition(),
                              event->pixelDelta(), event->angleDelta(), event->buttons(),
                              event->modifiers(), event->phase(), event->inverted());
        forwarded.setAccepted(false);
        QApplication::sendEvent(w, &forwarded);
        if (forwarded.isAccepted() || w == parentWidget()) break;
    }
}

bool ScaledDrawing::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    for (QWidget* w = widgetAt(toInside(help->pos())); w && w != parentWidget();
         w = w->parentWidget()) {
        if (w->toolTip().isEmpty()) continue;
        const QRect place(w->mapTo(parentWidget(), QPoint()), w->size());
        QToolTip::showText(help->globalPos(), w->toolTip(), this, drawnRect(place));
        return true;
    }
    QToolTip::hideText();
    event->ignore();
    return true;
}
