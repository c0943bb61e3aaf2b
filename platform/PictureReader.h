#pragma once

#include <QFile>
#include <QImageReader>
#include <QSize>
#include <QString>

// A picture file of the game opened for decoding, or refused before a pixel is
// allocated. Only what the game's pictures are made of is decoded (JPEG, BMP,
// GIF, PNG, told apart by their first bytes, whatever the name says), and only
// up to what a 480 x 358 window can use: strips are tall, nothing is wider than
// kWidestPicture. Every picture the player shows or the checker measures comes
// through here, so both refuse the same files.
inline constexpr int kWidestPicture = 8192;
inline constexpr int kTallestPicture = 65536;
inline constexpr int kPictureMegabytes = 256;  // decoded, at four bytes a pixel

class PictureReader {
  public:
    explicit PictureReader(const QString& path);
    PictureReader(const PictureReader&) = delete;
    PictureReader& operator=(const PictureReader&) = delete;

    // Whether the file is a game file of an accepted format and size.
    bool usable() const { return usable_; }
    QSize size() const { return size_; }
    QImageReader& reader() { return reader_; }
    // The whole picture, or a null image when it is not usable or broken.
    QImage read();

  private:
    QFile file_;
    QImageReader reader_;
    QSize size_;
    bool usable_ = false;
};
