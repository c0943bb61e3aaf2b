#include "platform/widgets/PictureSurface.h"

#include <QFrame>
#include <QImageReader>
#include <QPainter>

#include "platform/FileLookup.h"
#include "platform/widgets/Window.h"

namespace {

class SurfaceWidget : public QFrame {
  public:
    explicit SurfaceWidget(QWidget* parent) : QFrame(parent) {}
    QImage* image = nullptr;
    std::function<void()> mouseDown;

  protected:
    void paintEvent(QPaintEvent* event) override {
        QFrame::paintEvent(event);
        if (!image) return;
        QPainter painter(this);
        painter.setClipRect(contentsRect());
        painter.drawImage(contentsRect().topLeft(), *image);
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (mouseDown) mouseDown();
        QFrame::mousePressEvent(event);
    }
};

QColor ToColor(Rgb c) { return QColor(c.red, c.green, c.blue); }

}  // namespace

struct PictureSurface::Impl {
    SurfaceWidget* widget;
    Options options;
    QImage picture;
    QImage image;
    QColor background;
    std::function<void()> paintHandler;

    int border() const { return options.borderPx; }

    // Keeps the image the size of the inside, preserving what it holds.
    void fitImageToInside() {
        const QSize inside(qMax(widget->width() - 2 * border(), 0),
                           qMax(widget->height() - 2 * border(), 0));
        if (image.size() == inside) return;
        QImage resized(inside, QImage::Format_RGB32);
        resized.fill(background);
        if (!image.isNull()) {
            QPainter painter(&resized);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(0, 0, image);
        }
        image = resized;
    }

    void drawPictureIntoImage() {
        image.fill(background);
        if (picture.isNull()) return;
        QPainter painter(&image);
        painter.drawImage(0, 0, picture);
    }

    void takePicture(const QImage& loaded) {
        picture = loaded.convertToFormat(QImage::Format_RGB32);
        if (options.autoSize) {
            widget->resize(picture.width() + 2 * border(), picture.height() + 2 * border());
        }
        fitImageToInside();
        drawPictureIntoImage();
        widget->update();
    }
};

PictureSurface::PictureSurface(Window& parent, const QString& objectName, Options options)
    : Widget(new SurfaceWidget(parent.qwidget())), impl_(std::make_unique<Impl>()) {
    impl_->widget = static_cast<SurfaceWidget*>(widget_);
    impl_->options = options;
    impl_->widget->setObjectName(objectName);
    impl_->widget->image = &impl_->image;
    if (options.borderPx > 0) {
        impl_->widget->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        impl_->widget->setLineWidth(options.borderPx);
    }
    impl_->widget->setFocusPolicy(options.takesFocus ? Qt::StrongFocus : Qt::NoFocus);
    impl_->background = impl_->widget->palette().color(QPalette::Window);
}

PictureSurface::~PictureSurface() { impl_->widget->image = nullptr; }

bool PictureSurface::loadPicture(const QString& path) {
    QImageReader reader(ResolveFileName(path));
    reader.setAutoTransform(false);
    const QImage loaded = reader.read();
    if (loaded.isNull()) return false;
    impl_->takePicture(loaded);
    return true;
}

void PictureSurface::setBlankPicture(int width, int height, Rgb colour) {
    QImage blank(qMax(width, 1), qMax(height, 1), QImage::Format_RGB32);
    blank.fill(ToColor(colour));
    impl_->takePicture(blank);
}

void PictureSurface::clearPicture() {
    impl_->picture = QImage();
    impl_->fitImageToInside();
    impl_->drawPictureIntoImage();
    impl_->widget->update();
}

bool PictureSurface::hasPicture() const { return !impl_->picture.isNull(); }
int PictureSurface::pictureHeight() const { return impl_->picture.height(); }

void PictureSurface::setBackground(Rgb colour) { impl_->background = ToColor(colour); }

void PictureSurface::refresh() {
    impl_->fitImageToInside();
    impl_->drawPictureIntoImage();
    if (impl_->paintHandler) impl_->paintHandler();
    if (impl_->widget->isVisible()) impl_->widget->repaint();
}

void PictureSurface::onPaint(std::function<void()> handler) {
    impl_->paintHandler = std::move(handler);
}

void PictureSurface::onMouseDown(std::function<void()> handler) {
    impl_->widget->mouseDown = std::move(handler);
}

void PictureSurface::copyFrom(const PictureSurface& source, int sourceX, int sourceY, int width,
                              int height, int destX, int destY) {
    impl_->fitImageToInside();
    if (width <= 0 || height <= 0 || impl_->image.isNull()) return;
    const QImage& from = source.impl_->image;
    const QRect wanted(sourceX, sourceY, width, height);
    const QRect available = wanted.intersected(from.rect());
    QPainter painter(&impl_->image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    // Outside the source's image there is only its background.
    if (available != wanted)
        painter.fillRect(QRect(destX, destY, width, height), source.impl_->background);
    if (!available.isEmpty()) {
        painter.drawImage(QPoint(destX + available.x() - sourceX, destY + available.y() - sourceY),
                          from, available);
    }
    painter.end();
    impl_->widget->update();
}

void PictureSurface::drawCircle(int centreX, int centreY, int radius, Rgb colour, int lineWidth) {
    impl_->fitImageToInside();
    if (impl_->image.isNull()) return;
    QPainter painter(&impl_->image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(ToColor(colour), lineWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPoint(centreX, centreY), radius, radius);
    painter.end();
    impl_->widget->update();
}

int PictureSurface::insideWidth() const {
    impl_->fitImageToInside();
    return impl_->image.width();
}

int PictureSurface::insideHeight() const {
    impl_->fitImageToInside();
    return impl_->image.height();
}

uint32_t PictureSurface::pixel(int x, int y) const {
    impl_->fitImageToInside();
    if (!impl_->image.valid(x, y)) return 0;
    return impl_->image.pixel(x, y);
}
