#pragma once

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSize>
#include <QString>

#include <chrono>

// A picture file of the game opened for decoding, or refused before a pixel is
// allocated. Only what the game's pictures are made of is decoded (JPEG, BMP,
// GIF, PNG, told apart by their first bytes, whatever the name says), and only
// up to what a 480 x 358 window can use: strips are tall, nothing is wider than
// kWidestPicture. Every picture the player shows or the checker measures comes
// through here, so both refuse the same files.
inline constexpr int kWidestPicture = 8192;
inline constexpr int kTallestPicture = 65536;
inline constexpr int kPictureMegabytes = 256;  // decoded, at four bytes a pixel

// A JPEG's work grows with its scans as well as its pixels: a small file of
// thousands of empty progressive scans keeps a decoder busy for minutes. Real
// encoders write at most a few dozen, so a file needing more is refused, and so
// is one whose decode runs past the time budget (a picture of the largest size
// decodes in a fraction of it).
inline constexpr int kMostJpegScans = 500;
inline constexpr std::chrono::milliseconds kPictureDecodeBudget{750};

class PictureReader {
  public:
    explicit PictureReader(const QString& path);
    PictureReader(const PictureReader&) = delete;
    PictureReader& operator=(const PictureReader&) = delete;

    // Whether the file is a game file of an accepted format and size.
    bool usable() const { return usable_; }
    QSize size() const { return size_; }
    bool isJpeg() const { return jpeg_; }

    // The whole picture, or a null image when it is not usable, broken, or
    // refused for its work.
    QImage read(std::chrono::milliseconds budget = kPictureDecodeBudget);

    // Decodes the picture's first image->height() rows into `image`, which is
    // RGB32 and as wide as the picture; the decoder writes into its pixels
    // where it can. False when nothing could be decoded.
    bool readInto(QImage& image, std::chrono::milliseconds budget = kPictureDecodeBudget);

  private:
    QFile file_;
    QImageReader reader_;
    QSize size_;
    bool usable_ = false;
    bool jpeg_ = false;
};
