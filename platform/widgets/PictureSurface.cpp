#include "platform/widgets/PictureSurface.h"

#include <QFrame>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

#include <sys/mman.h>

#include <cstdint>

#include "platform/PictureReader.h"
#include "platform/widgets/Window.h"

namespace {

// The widget owns the surface's image, so that the image cannot outlive or be
// outlived by what paints it; the wrapper reaches it through the widget.
class SurfaceWidget : public QFrame {
  public:
    explicit SurfaceWidget(QWidget* parent) : QFrame(parent) {}
    QImage image;
    QColor background;
    std::function<void()> mouseDown;
    std::function<void()> leftClick;

  protected:
    void paintEvent(QPaintEvent* event) override {
        QFrame::paintEvent(event);
        QPainter painter(this);
        painter.setClipRect(contentsRect());
        // Where the image does not reach (none is held while the surface shows
        // no picture) the surface shows its background, not the window's.
        if (image.size() != contentsRect().size()) painter.fillRect(contentsRect(), background);
        if (!image.isNull()) painter.drawImage(contentsRect().topLeft(), image);
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (mouseDown) mouseDown();
        if (event->button() == Qt::LeftButton && leftClick) leftClick();
        QFrame::mousePressEvent(event);
    }
};

QColor ToColor(Rgb c) { return QColor(c.red, c.green, c.blue); }

// A strip of a hundred frames is some 70 MB, written once by the decoder: taken
// in 4 KiB pages that is eighteen thousand page faults, each zeroing its page,
// which cost about as much as decoding. Its own mapping, in huge pages where the
// system allows them, takes a few dozen instead.
struct Mapping {
    void* base;
    size_t length;
};

void Unmap(void* info) {
    auto* mapping = static_cast<Mapping*>(info);
    munmap(mapping->base, mapping->length);
    delete mapping;
}

QImage MappedImage(int width, int height) {
    constexpr size_t kHugePage = 2 * 1024 * 1024;
    const size_t bytes = static_cast<size_t>(width) * 4 * static_cast<size_t>(height);
    if (width <= 0 || height <= 0 || bytes < kHugePage)
        return QImage(width, height, QImage::Format_RGB32);
    // Room to start at a huge-page boundary; the pages before it are never touched.
    const size_t length = bytes + kHugePage;
    void* base = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (base == MAP_FAILED) return QImage(width, height, QImage::Format_RGB32);
    const auto start = (reinterpret_cast<uintptr_t>(base) + kHugePage - 1) & ~(kHugePage - 1);
    madvise(reinterpret_cast<void*>(start), bytes, MADV_HUGEPAGE);
    return QImage(reinterpret_cast<uchar*>(start), width, height, width * 4, QImage::Format_RGB32,
                  Unmap, new Mapping{base, length});
}

}  // namespace

struct PictureSurface::Impl {
    SurfaceWidget* widget;
    Options options;
    QImage picture;
    std::function<void()> paintHandler;

    int border() const { return options.borderPx; }
    QImage& image() const { return widget->image; }
    QColor& background() const { return widget->background; }
    QSize inside() const {
        return QSize(qMax(widget->width() - 2 * border(), 0),
                     qMax(widget->height() - 2 * border(), 0));
    }

    // Keeps the image the size of the inside. What it holds is kept unless it is
    // about to be drawn over anyway: copying a whole strip only to overwrite it
    // would cost as much as decoding it.
    void fitImageToInside(bool keepContents = true) {
        const QSize size = inside();
        if (image().size() == size) return;
        if (size.isEmpty()) {
            image() = QImage();
            return;
        }
        QImage resized(size, QImage::Format_RGB32);
        if (keepContents) {
            resized.fill(background());
            if (!image().isNull()) {
                QPainter painter(&resized);
                painter.setCompositionMode(QPainter::CompositionMode_Source);
                painter.drawImage(0, 0, image());
            }
        }
        image() = resized;
    }

    void drawPictureIntoImage() {
        if (picture.isNull()) {
            image().fill(background());
            return;
        }
        // A picture that fills the image exactly is shared, not copied: the two
        // part only when something is drawn over it.
        if (picture.size() == image().size()) {
            image() = picture;
            return;
        }
        QPainter painter(&image());
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, picture);
        // Only what the picture leaves uncovered needs the background.
        const QRegion uncovered = QRegion(image().rect()) - QRegion(picture.rect());
        for (const QRect& r : uncovered)
            painter.fillRect(r, background());
    }

    void takePicture(const QImage& loaded) {
        picture = loaded.convertToFormat(QImage::Format_RGB32);
        if (options.autoSize) {
            widget->resize(picture.width() + 2 * border(), picture.height() + 2 * border());
        }
        if (picture.size() == inside()) {
            image() = picture;
        } else {
            fitImageToInside(false);
            drawPictureIntoImage();
        }
        widget->update();
    }
};

PictureSurface::PictureSurface(Window& parent, const QString& objectName, Options options)
    : Widget(new SurfaceWidget(parent.qwidget())), impl_(std::make_unique<Impl>()) {
    impl_->widget = static_cast<SurfaceWidget*>(widget_);
    impl_->options = options;
    impl_->widget->setObjectName(objectName);
    if (options.borderPx > 0) {
        impl_->widget->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        impl_->widget->setLineWidth(options.borderPx);
    }
    impl_->widget->setFocusPolicy(options.takesFocus ? Qt::StrongFocus : Qt::NoFocus);
    impl_->background() = impl_->widget->palette().color(QPalette::Window);
}

PictureSurface::~PictureSurface() = default;

bool PictureSurface::loadPicture(const QString& path) {
    PictureReader picture(path);
    const QImage loaded = picture.read();
    if (loaded.isNull()) return false;
    impl_->takePicture(loaded);
    return true;
}

int PictureSurface::loadStrip(const QString& path, int height) {
    PictureReader picture(path);
    const QSize size = picture.size();
    if (!picture.usable()) return -1;
    Impl& d = *impl_;
    // The old strip goes before the new one is made, so that two never meet.
    d.picture = QImage();
    d.image() = QImage();
    const int rows = height > 0 ? height : size.height();
    QImage strip = MappedImage(size.width(), rows);
    if (strip.isNull()) return -1;
    const int decoded = qMin(rows, size.height());
    // The decoder writes into the strip's first rows, in place.
    QImage top(strip.bits(), size.width(), decoded, strip.bytesPerLine(), QImage::Format_RGB32);
    if (!picture.readInto(top)) return -1;
    if (rows > decoded) {
        QPainter painter(&strip);
        painter.fillRect(QRect(0, decoded, strip.width(), rows - decoded), d.background());
    }
    d.image() = std::move(strip);
    d.widget->resize(size.width() + 2 * d.border(), rows + 2 * d.border());
    d.widget->update();
    return size.height();
}

void PictureSurface::setBlankPicture(int width, int height, Rgb colour) {
    QImage blank(qMax(width, 1), qMax(height, 1), QImage::Format_RGB32);
    blank.fill(ToColor(colour));
    impl_->takePicture(blank);
}

void PictureSurface::clearPicture() {
    // The surface keeps its place and size and shows its background alone; the
    // image is let go until something is drawn again (a cleared work buffer
    // would otherwise hold a whole frame of nothing).
    impl_->picture = QImage();
    impl_->image() = QImage();
    impl_->widget->update();
}

bool PictureSurface::hasPicture() const { return !impl_->picture.isNull(); }
int PictureSurface::pictureHeight() const { return impl_->picture.height(); }

void PictureSurface::setBackground(Rgb colour) { impl_->background() = ToColor(colour); }

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

void PictureSurface::onLeftClick(std::function<void()> handler) {
    impl_->widget->leftClick = std::move(handler);
}

void PictureSurface::copyFrom(const PictureSurface& source, int sourceX, int sourceY, int width,
                              int height, int destX, int destY) {
    impl_->fitImageToInside();
    source.impl_->fitImageToInside();
    if (width <= 0 || height <= 0 || impl_->image().isNull()) return;
    const QImage& from = source.impl_->image();
    const QRect wanted(sourceX, sourceY, width, height);
    const QRect available = wanted.intersected(from.rect());
    QPainter painter(&impl_->image());
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    // Outside the source's image there is only its background.
    if (available != wanted)
        painter.fillRect(QRect(destX, destY, width, height), source.impl_->background());
    if (!available.isEmpty()) {
        painter.drawImage(QPoint(destX + available.x() - sourceX, destY + available.y() - sourceY),
                          from, available);
    }
    painter.end();
    impl_->widget->update();
}

void PictureSurface::drawCircle(int centreX, int centreY, int radius, Rgb colour, int lineWidth) {
    impl_->fitImageToInside();
    if (impl_->image().isNull()) return;
    QPainter painter(&impl_->image());
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(ToColor(colour), lineWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPoint(centreX, centreY), radius, radius);
    painter.end();
    impl_->widget->update();
}

// The getters look only: a surface whose image has not yet followed a change of
// size answers as if it had, without making the new image.
int PictureSurface::insideWidth() const { return impl_->inside().width(); }

int PictureSurface::insideHeight() const { return impl_->inside().height(); }

uint32_t PictureSurface::pixel(int x, int y) const {
    if (!QRect(QPoint(0, 0), impl_->inside()).contains(x, y)) return 0;
    if (!impl_->image().valid(x, y)) return impl_->background().rgb();
    return impl_->image().pixel(x, y);
}
