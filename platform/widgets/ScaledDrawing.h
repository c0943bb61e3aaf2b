#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

// What a scaled main window shows. The widgets keep their 1x places and sizes
// at the window's top left, under this cover, which draws them again at the
// scale: each child is rendered into an image of the scaled size (so text is
// laid out and drawn at the scaled resolution, pictures are resampled
// smoothly), shown centred on black. Input that lands on the cover goes to the
// widget drawn under the pointer, at its 1x place, and a tool tip shows that
// widget's text where it is drawn.
//
// A child that repaints itself (it is painted under the cover, which lets it
// through) marks the cover out of date; the cover's next paint, later in the same
// pass, renders the window at 1x once, finds what changed since the last time
// and renders only that part again at the scale.
class ScaledDrawing : public QWidget {
  public:
    // `inside` is the size of the window's inside at 1x.
    ScaledDrawing(QWidget* window, QSize inside);
    ~ScaledDrawing() override;

    // Draws the inside `factor` times as large with its top left at `origin`
    // (the window's pixels); the rest of the window is black.
    void place(qreal factor, QPoint origin);
    qreal factor() const { return factor_; }
    QPoint origin() const { return origin_; }

    // Where a point of the window lands in the inside at 1x.
    QPointF toInside(QPointF windowPoint) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    QWidget* widgetAt(QPointF insidePoint) const;
    void forwardMouse(QMouseEvent* event, QWidget* target);
    void renderInto(QImage& image, const QRect& area, qreal ratio) const;
    void catchUp();
    QRect drawnRect(const QRect& insideRect) const;

    QSize inside_;
    qreal factor_ = 1;
    QPoint origin_;
    QImage shown_;     // the inside at 1x as last drawn
    qreal ratio_ = 1;  // the scale times the screen's pixels per point
    QImage scaled_;    // the inside, `ratio_` times as large
    bool outOfDate_ = true;
    bool rendering_ = false;
    QPointer<QWidget> grabbed_;  // takes the mouse from a press to its release
};
