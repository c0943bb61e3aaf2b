// What the guarded picture reader costs on the largest pictures it accepts and
// on hostile JPEGs of many empty scans: no decode may keep the window from
// answering for a second. A refused file shows as the time to its refusal.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>

#include "platform/FileLookup.h"
#include "platform/PictureReader.h"

namespace {

QImage Scene(int width, int height, bool flat) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    if (flat) return image;
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, width, height);
    gradient.setColorAt(0, Qt::yellow);
    gradient.setColorAt(1, Qt::darkRed);
    painter.fillRect(image.rect(), gradient);
    painter.setFont(QFont(QStringLiteral("IPAGothic"), height / 20));
    for (int y = 0; y < height; y += height / 16)
        painter.drawText(0, y, QStringLiteral("ランタンウィック Lanternwick"));
    return image;
}

QByteArray Encoded(const QImage& image, const char* format, bool progressive) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    writer.setQuality(90);
    writer.write(image);
    return bytes;
}

// A flat picture's last scan (all end-of-block runs, a few bytes) written
// `extra` times more, as the hostile files are made.
QByteArray WithEmptyScans(const QByteArray& jpeg, int extra) {
    const qsizetype lastScan = jpeg.lastIndexOf(QByteArray("\xFF\xDA", 2));
    const qsizetype end = jpeg.lastIndexOf(QByteArray("\xFF\xD9", 2));
    return jpeg.left(end) + jpeg.mid(lastScan, end - lastScan).repeated(extra) + jpeg.mid(end);
}

void ReadPicture(benchmark::State& state, const QByteArray& bytes, bool accepted) {
    const QTemporaryDir dir;
    SetGameFolder(dir.path());
    const QString path = dir.filePath(QStringLiteral("picture.JPG"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    file.close();
    for (auto _ : state) {
        PictureReader picture(path);
        const QImage image = picture.read();
        if (image.isNull() == accepted) state.SkipWithError(accepted ? "refused" : "decoded");
    }
    state.SetLabel(QStringLiteral("%1 KB").arg(bytes.size() / 1024).toStdString());
    SetGameFolder(QString());
}

void BM_LargestBaselineJpeg(benchmark::State& state) {
    ReadPicture(state, Encoded(Scene(8192, 8192, false), "jpeg", false), true);
}
void BM_LargestProgressiveJpeg(benchmark::State& state) {
    ReadPicture(state, Encoded(Scene(8192, 8192, false), "jpeg", true), true);
}
void BM_LargestPng(benchmark::State& state) {
    ReadPicture(state, Encoded(Scene(8192, 8192, false), "png", false), true);
}
// Refused by the time budget: 500 scans of this size would take seconds.
void BM_LargestJpegOf10000EmptyScans(benchmark::State& state) {
    ReadPicture(state, WithEmptyScans(Encoded(Scene(8192, 8192, true), "jpeg", true), 10000),
                false);
}
// Refused at the 500th scan.
void BM_SceneJpegOf10000EmptyScans(benchmark::State& state) {
    ReadPicture(state, WithEmptyScans(Encoded(Scene(480, 358, true), "jpeg", true), 10000), false);
}
BENCHMARK(BM_LargestBaselineJpeg)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LargestProgressiveJpeg)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LargestPng)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LargestJpegOf10000EmptyScans)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SceneJpegOf10000EmptyScans)->Unit(benchmark::kMillisecond);

}  // namespace
