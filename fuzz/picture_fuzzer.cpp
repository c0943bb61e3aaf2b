// Any bytes as a picture file of the game, read through the guarded reader as
// the player reads a scene picture, a strip's first rows and a button picture;
// then, after two NUL bytes, a help file whose <img> tags name that picture (or
// anything else), prepared as the help window prepares it.
#include <cstddef>
#include <cstdint>

#include "FuzzFolder.h"
#include "platform/HelpPictures.h"
#include "platform/PictureReader.h"
#include "platform/TextMetrics.h"

namespace {

// A picture declaring more pixels is read for its header and its first rows
// only: decoding 64 million pixels of a few kilobytes teaches the fuzzer
// nothing that a small picture does not, at a hundred times the cost.
constexpr qint64 kMostPixelsDecodedWhole = 2048 * 2048;
constexpr int kStripRows = 16;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static int argc = 1;
    static char name[] = "picture_fuzzer";
    static char* argv[] = {name, nullptr};
    static MeasuringApplication application(argc, argv);
    static const FuzzFolder folder;
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    qsizetype split = input.indexOf(QByteArray("\0\0", 2));
    if (split < 0) split = input.size();
    folder.write(QStringLiteral("p.JPG"), input.left(split));

    PictureReader picture(QStringLiteral("p.JPG"));
    if (picture.usable()) {
        const QSize size = picture.size();
        QImage top(size.width(), qMin(size.height(), kStripRows), QImage::Format_RGB32);
        static_cast<void>(picture.readInto(top));
        if (qint64(size.width()) * size.height() <= kMostPixelsDecodedWhole) {
            const QImage image = PictureReader(QStringLiteral("p.JPG")).read();
            if (!image.isNull() && image.size() != size) __builtin_trap();
        }
    }

    if (split < input.size()) {
        const QString html = QString::fromUtf8(input.mid(split + 2));
        HelpPictures pictures;
        const QString page = pictures.prepare(html);
        static_cast<void>(pictures.picture(QUrl(QStringLiteral("help-picture:0"))));
        if (pictures.decodedBytes() > kHelpPictureBytes) __builtin_trap();
        static_cast<void>(page.size());
    }
    return 0;
}
