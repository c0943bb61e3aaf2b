#pragma once

#include <QString>

#include <optional>

struct PictureSize {
    int width = 0;
    int height = 0;
};

// The size of a picture file, read from its header; nothing when the file is
// missing or no picture the game can show.
std::optional<PictureSize> ReadPictureSize(const QString& path);
