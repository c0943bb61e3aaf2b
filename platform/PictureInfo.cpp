#include "platform/PictureInfo.h"

#include <QImageReader>

#include "platform/FileLookup.h"

std::optional<PictureSize> ReadPictureSize(const QString& path) {
    QImageReader reader(ResolveFileName(path));
    if (!reader.canRead()) return std::nullopt;
    const QSize size = reader.size();
    if (!size.isValid()) return std::nullopt;
    return PictureSize{size.width(), size.height()};
}
