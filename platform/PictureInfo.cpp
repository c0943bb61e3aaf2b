#include "platform/PictureInfo.h"

#include "platform/PictureReader.h"

std::optional<PictureSize> ReadPictureSize(const QString& path) {
    PictureReader picture(path);
    // Decoded as the player would: a file it refuses for its work is no picture.
    if (!picture.usable() || picture.read().isNull()) return std::nullopt;
    return PictureSize{picture.size().width(), picture.size().height()};
}
