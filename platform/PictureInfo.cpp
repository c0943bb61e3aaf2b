#include "platform/PictureInfo.h"

#include "platform/PictureReader.h"

std::optional<PictureSize> ReadPictureSize(const QString& path) {
    PictureReader picture(path);
    if (!picture.usable()) return std::nullopt;
    return PictureSize{picture.size().width(), picture.size().height()};
}
