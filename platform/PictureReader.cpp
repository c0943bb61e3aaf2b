#include "platform/PictureReader.h"

#include <cstring>

#include "platform/FileLookup.h"
#include "platform/JpegDecoder.h"

namespace {

// The decoder for a file's first bytes; empty for anything else, so that an
// installed TIFF or WebP plug-in is never reached through a ".JPG" name.
QByteArray FormatOf(const QByteArray& head) {
    if (head.startsWith("\xFF\xD8\xFF")) return QByteArrayLiteral("jpeg");
    if (head.startsWith("\x89PNG\r\n\x1A\n")) return QByteArrayLiteral("png");
    if (head.startsWith("GIF87a") || head.startsWith("GIF89a")) return QByteArrayLiteral("gif");
    if (head.startsWith("BM")) return QByteArrayLiteral("bmp");
    return {};
}

}  // namespace

PictureReader::PictureReader(const QString& path) {
    QImageReader::setAllocationLimit(kPictureMegabytes);
    if (!OpenRegularFile(file_, ResolveFileName(path))) return;
    const QByteArray format = FormatOf(file_.peek(8));
    if (format.isEmpty()) return;
    jpeg_ = format == "jpeg";
    reader_.setDecideFormatFromContent(false);
    reader_.setAutoDetectImageFormat(false);
    reader_.setFormat(format);
    reader_.setDevice(&file_);
    reader_.setAutoTransform(false);
    size_ = reader_.size();
    usable_ = size_.isValid() && !size_.isEmpty() && size_.width() <= kWidestPicture &&
              size_.height() <= kTallestPicture &&
              qint64(size_.width()) * size_.height() * 4 <= qint64(kPictureMegabytes) << 20;
}

QImage PictureReader::read(std::chrono::milliseconds budget) {
    QImage image;
    return readInto(image, budget) ? image : QImage();
}

bool PictureReader::readInto(QImage& image, std::chrono::milliseconds budget) {
    if (!usable_) return false;
    const bool whole = image.isNull();
    const int rows = whole ? size_.height() : qMin(image.height(), size_.height());
    if (!whole && (image.format() != QImage::Format_RGB32 || image.width() != size_.width()))
        return false;
    if (jpeg_) {
        // Qt's reader has read the header already; libjpeg starts from the top.
        if (!file_.seek(0)) return false;
        return DecodeJpeg(file_, image, rows, budget) == JpegOutcome::Decoded;
    }
    // Qt's own BMP, GIF and PNG readers: their work grows with the pixels and
    // the file alone, both bounded above.
    if (whole) {
        image = reader_.read();
        return !image.isNull();
    }
    if (rows < size_.height()) reader_.setClipRect(QRect(0, 0, size_.width(), rows));
    QImage top(image.bits(), image.width(), rows, image.bytesPerLine(), QImage::Format_RGB32);
    if (!reader_.read(&top)) return false;
    if (top.constBits() == image.constBits()) return true;
    // Another pixel format (grey, palette, alpha): converted, then copied in.
    const QImage converted = top.convertToFormat(QImage::Format_RGB32);
    const int copyRows = qMin(rows, converted.height());
    const size_t rowBytes = static_cast<size_t>(qMin(image.width(), converted.width())) * 4;
    for (int y = 0; y < copyRows; ++y)
        std::memcpy(image.scanLine(y), converted.constScanLine(y), rowBytes);
    return true;
}
