#pragma once

#include <QIODevice>
#include <QImage>

#include <chrono>

// JPEG decoding through libjpeg with a watch on its work: the decode is given
// up past kMostJpegScans scans, past its time budget, or when the decoder
// would need more than kPictureMegabytes of its own memory (a progressive
// file keeps every coefficient of the picture). Qt's own JPEG reader can be
// stopped by none of these.

enum class JpegOutcome { Decoded, Broken, TooManyScans, TooSlow };

// Decodes the first `rows` rows of the JPEG read from `device` into `image`:
// into its pixels, which must be RGB32, as wide as the picture and at least
// `rows` high, or into a new RGB32 image when it is null. Broken data after the
// header is decoded as far as it goes, as other readers do.
JpegOutcome DecodeJpeg(QIODevice& device, QImage& image, int rows,
                       std::chrono::milliseconds budget);
