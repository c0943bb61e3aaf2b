#include "platform/PictureReader.h"

#include "platform/FileLookup.h"

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

QImage PictureReader::read() { return usable_ ? reader_.read() : QImage(); }
