// Hostile picture files: refused before their pixels are allocated, never read
// through a decoder the game does not use, never waited on.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QtEndian>

#include <sys/stat.h>

#include <cstdio>
#include <vector>

#include <jpeglib.h>

#include "platform/FileLookup.h"
#include "platform/PictureInfo.h"
#include "platform/PictureReader.h"
#include "support/TempFolder.h"

namespace {

QByteArray Encoded(const char* format, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A 24-bit BMP header declaring any size, with no pixels behind it.
QByteArray BmpHeader(qint32 width, qint32 height) {
    QByteArray bytes = QByteArray("BM") + QByteArray(52, '\0');
    for (auto [offset, value] : {std::pair{10, 54}, {14, 40}, {18, width}, {22, height}})
        qToLittleEndian<qint32>(value, bytes.data() + offset);
    qToLittleEndian<quint16>(1, bytes.data() + 26);
    qToLittleEndian<quint16>(24, bytes.data() + 28);
    return bytes;
}

QByteArray GifScreen(quint16 width, quint16 height) {
    QByteArray bytes("GIF89a");
    bytes.resize(13, '\0');
    qToLittleEndian<quint16>(width, bytes.data() + 6);
    qToLittleEndian<quint16>(height, bytes.data() + 8);
    return bytes + "\x2C" + QByteArray(9, '\0') + "\x02\x02\x44\x01\x00\x3B";
}

struct Hostile {
    const char* name;
    QByteArray bytes;  // empty with fifo: a named pipe
    bool usable;
    bool fifo = false;
};
void PrintTo(const Hostile& row, std::ostream* os) { *os << row.name; }

class HostilePictures : public ::testing::TestWithParam<Hostile> {
  protected:
    void SetUp() override { SetGameFolder(dir_.path()); }
    void TearDown() override { SetGameFolder(QString()); }
    TempFolder dir_;
};

TEST_P(HostilePictures, AreRefusedOrReadAtTheirDeclaredSize) {
    const Hostile& row = GetParam();
    const QString path = dir_.filePath(QString::fromUtf8(row.name));
    if (row.fifo) {
        ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else {
        ASSERT_FALSE(dir_.write(QString::fromUtf8(row.name), row.bytes).isEmpty());
    }
    PictureReader picture(path);
    EXPECT_EQ(picture.usable(), row.usable);
    EXPECT_EQ(ReadPictureSize(path).has_value(), row.usable);
    const QImage image = picture.read();
    if (!row.usable) {
        EXPECT_TRUE(image.isNull());
    } else if (!image.isNull()) {
        EXPECT_EQ(image.size(), picture.size());
    }
}

// clang-format off
const Hostile kHostile[] = {
    {"png.JPG", Encoded("png", 48, 36), true}, {"jpeg.bmp", Encoded("jpeg", 48, 36), true},
    {"truncated.JPG", Encoded("jpeg", 480, 358).left(700), true},
    {"headeronly.JPG", Encoded("jpeg", 480, 358).left(20), false},
    {"empty.JPG", {}, false}, {"text.JPG", "not a picture", false},
    {"tiff.JPG", QByteArray("II*\0", 4) + QByteArray(200, '\0'), false},
    {"webp.JPG", QByteArray("RIFF\x20\0\0\0WEBPVP8 ", 16), false},
    {"bomb.bmp", BmpHeader(65000, 65000), false}, {"bomb.gif", GifScreen(65000, 65000), false},
    {"wide.bmp", BmpHeader(kWidestPicture + 1, 2), false}, {"negative.bmp", BmpHeader(-5, 7), false},
    {"pipe.JPG", {}, false, true}};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Rows, HostilePictures, ::testing::ValuesIn(kHostile),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             name.erase(name.find('.'), 1);
                             return name;
                         });

// ---- JPEG: bounded in work, not only in size ----------------------------------

QImage Scene(int width, int height, QImage::Format format = QImage::Format_RGB32) {
    QImage image(width, height, format);
    image.fill(Qt::darkBlue);
    QPainter painter(&image);
    painter.setBrush(Qt::yellow);
    painter.drawEllipse(image.rect().adjusted(width / 8, height / 8, -width / 8, -height / 8));
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("Lanternwick"));
    return image;
}

QByteArray Jpeg(const QImage& image, bool progressive) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(progressive);
    writer.setQuality(90);
    EXPECT_TRUE(writer.write(image));
    return bytes;
}

// The file with its last scan (the marker up to the end marker) written
// `extra` more times: a decoder must read every one of them.
QByteArray WithScansRepeated(const QByteArray& jpeg, int extra) {
    const qsizetype lastScan = jpeg.lastIndexOf(QByteArray("\xFF\xDA", 2));
    const qsizetype end = jpeg.lastIndexOf(QByteArray("\xFF\xD9", 2));
    const QByteArray scan = jpeg.mid(lastScan, end - lastScan);
    return jpeg.left(end) + scan.repeated(extra) + jpeg.mid(end);
}

// A CMYK JPEG as Photoshop writes it (inverted), which Qt cannot write.
QByteArray CmykJpeg(int width, int height) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(width) * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const JSAMPLE cmyk[4] = {static_cast<JSAMPLE>(x * 5), static_cast<JSAMPLE>(y * 7), 90,
                                     static_cast<JSAMPLE>(255 - x)};
            std::copy(cmyk, cmyk + 4, row.begin() + x * 4);
        }
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&info, &pointer, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    const QByteArray bytes(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    return bytes;
}

class GuardedJpeg : public ::testing::Test {
  protected:
    void SetUp() override { SetGameFolder(dir_.path()); }
    void TearDown() override { SetGameFolder(QString()); }
    QString write(const char* name, const QByteArray& bytes) {
        const QString path = dir_.write(QString::fromUtf8(name), bytes);
        EXPECT_FALSE(path.isEmpty());
        return path;
    }
    TempFolder dir_;
};

// Decoded through libjpeg as Qt's reader decodes it, pixel for pixel, into the
// strip in place; refused past the scans or the time a real picture needs.
TEST_F(GuardedJpeg, DecodesAsQtDoesAndRefusesWorkPastItsBounds) {
    const QImage scene = Scene(480, 358);
    for (const auto& [name, bytes] :
         {std::pair{"baseline.JPG", Jpeg(scene, false)},
          {"progressive.JPG", Jpeg(scene, true)},
          {"grey.JPG", Jpeg(Scene(480, 358, QImage::Format_Grayscale8), true)},
          {"truncated.JPG", Jpeg(scene, true).left(6000)},
          {"cmyk.JPG", CmykJpeg(48, 36)}}) {
        SCOPED_TRACE(name);
        const QString path = write(name, bytes);
        QImage byQt;
        ASSERT_TRUE(byQt.loadFromData(bytes, "jpeg"));
        PictureReader picture(path);
        ASSERT_TRUE(picture.isJpeg());
        EXPECT_EQ(picture.read(), byQt.convertToFormat(QImage::Format_RGB32));
        // The first rows of a taller strip, written where the strip's pixels are.
        const int width = byQt.width();
        const int rows = byQt.height() / 3;
        QImage strip(width, byQt.height() * 2, QImage::Format_RGB32);
        strip.fill(Qt::red);
        QImage top(strip.bits(), width, rows, strip.bytesPerLine(), QImage::Format_RGB32);
        ASSERT_TRUE(PictureReader(path).readInto(top));
        EXPECT_EQ(strip.copy(0, 0, width, rows),
                  byQt.convertToFormat(QImage::Format_RGB32).copy(0, 0, width, rows));
        EXPECT_EQ(strip.pixel(0, rows), QColor(Qt::red).rgb());
    }

    const QByteArray progressive = Jpeg(Scene(64, 48), true);
    const QString atTheLimit = write("limit.JPG", WithScansRepeated(progressive, 400));
    EXPECT_FALSE(PictureReader(atTheLimit).read().isNull());
    const QString tooMany = write("scans.JPG", WithScansRepeated(progressive, kMostJpegScans));
    PictureReader refused(tooMany);
    EXPECT_TRUE(refused.usable());  // its header is a small picture's
    EXPECT_TRUE(refused.read().isNull());
    // The checker measures pictures through the same reader.
    EXPECT_TRUE(ReadPictureSize(atTheLimit).has_value());
    EXPECT_FALSE(ReadPictureSize(tooMany).has_value());

    // Out of time: any decode stops at its budget.
    EXPECT_TRUE(PictureReader(write("big.JPG", Jpeg(Scene(2000, 2000), false)))
                    .read(std::chrono::milliseconds(0))
                    .isNull());
}

}  // namespace
