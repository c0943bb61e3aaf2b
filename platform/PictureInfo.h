#pragma once

#include <QString>

#include <optional>

struct PictureSize {
    int width = 0;
    int height = 0;
};

// The size of a picture file; nothing when the file is missing or no picture
// the game can show. The picture is decoded through the player's guarded
// reader, so a file the player refuses for its size or its work is refused here.
std::optional<PictureSize> ReadPictureSize(const QString& path);
