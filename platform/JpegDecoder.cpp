#include "platform/JpegDecoder.h"

#include <QtGlobal>

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <vector>

#include <jpeglib.h>

// After jpeglib.h, which it needs.
#include <jerror.h>

#include "platform/PictureReader.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr qint64 kSourceChunkBytes = 64 * 1024;
constexpr int kRowsPerCall = 16;

// Everything the callbacks reach, in one place the decoder holds a pointer to.
// The outcome is volatile: it is written before a longjmp and read after it.
struct Decode {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    jpeg_progress_mgr progress{};
    jpeg_source_mgr source{};
    std::jmp_buf jump{};
    QIODevice* device = nullptr;
    std::unique_ptr<JOCTET[]> chunk;
    Clock::time_point deadline;
    volatile JpegOutcome outcome = JpegOutcome::Broken;
};

Decode& Of(j_common_ptr info) { return *static_cast<Decode*>(info->client_data); }
Decode& Of(j_decompress_ptr info) { return *static_cast<Decode*>(info->client_data); }

[[noreturn]] void Stop(Decode& decode, JpegOutcome outcome) {
    decode.outcome = outcome;
    std::longjmp(decode.jump, 1);
}

void OnError(j_common_ptr info) { Stop(Of(info), JpegOutcome::Broken); }

// Warnings (corrupt data, a premature end) are counted by libjpeg and
// otherwise ignored, as every viewer does: the picture decodes as far as it goes.
void OnMessage(j_common_ptr info, int level) {
    if (level < 0) ++info->err->num_warnings;
}

// Called between the rows of every scan while the input is read, and before
// every batch of rows given out: the only place a decode can be stopped.
void OnProgress(j_common_ptr info) {
    Decode& decode = Of(info);
    if (decode.info.input_scan_number > kMostJpegScans) Stop(decode, JpegOutcome::TooManyScans);
    if (Clock::now() > decode.deadline) Stop(decode, JpegOutcome::TooSlow);
}

void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

boolean FillInput(j_decompress_ptr info) {
    Decode& decode = Of(info);
    qint64 got =
        decode.device->read(reinterpret_cast<char*>(decode.chunk.get()), kSourceChunkBytes);
    if (got <= 0) {
        // The file ends early: an end marker lets the decoder finish what it has.
        WARNMS(info, JWRN_JPEG_EOF);
        decode.chunk[0] = 0xFF;
        decode.chunk[1] = JPEG_EOI;
        got = 2;
    }
    decode.source.next_input_byte = decode.chunk.get();
    decode.source.bytes_in_buffer = static_cast<size_t>(got);
    return TRUE;
}

void SkipInput(j_decompress_ptr info, long count) {
    Decode& decode = Of(info);
    if (count <= 0) return;
    if (static_cast<size_t>(count) <= decode.source.bytes_in_buffer) {
        decode.source.next_input_byte += count;
        decode.source.bytes_in_buffer -= static_cast<size_t>(count);
        return;
    }
    const qint64 beyond = count - static_cast<qint64>(decode.source.bytes_in_buffer);
    decode.source.bytes_in_buffer = 0;
    decode.device->skip(beyond);
}

// Adobe's CMYK is stored inverted, as Photoshop writes it.
void CmykToRgb32(const JSAMPLE* cmyk, uchar* rgb32, JDIMENSION width) {
    auto* out = reinterpret_cast<QRgb*>(rgb32);
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4) {
        const int k = cmyk[3];
        out[x] = qRgb(cmyk[0] * k / 255, cmyk[1] * k / 255, cmyk[2] * k / 255);
    }
}

// Only plain data lives in this frame between setjmp and a longjmp back to it.
JpegOutcome Run(Decode& decode, QImage& image, int rows, std::vector<JSAMPLE>& cmykRow) {
    jpeg_decompress_struct& info = decode.info;
    if (setjmp(decode.jump) != 0) return decode.outcome;

    jpeg_read_header(&info, TRUE);
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
#else
    info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_XRGB;
#endif
    jpeg_start_decompress(&info);

    const int width = static_cast<int>(info.output_width);
    const int wanted = qMin(rows, static_cast<int>(info.output_height));
    if (wanted <= 0) return JpegOutcome::Broken;
    if (image.isNull()) {
        image = QImage(width, wanted, QImage::Format_RGB32);
        if (image.isNull()) return JpegOutcome::Broken;
    } else if (image.format() != QImage::Format_RGB32 || image.width() != width ||
               image.height() < wanted) {
        return JpegOutcome::Broken;
    }
    if (cmyk) cmykRow.resize(static_cast<size_t>(width) * 4);

    uchar* const pixels = image.bits();
    const qsizetype stride = image.bytesPerLine();
    while (static_cast<int>(info.output_scanline) < wanted) {
        const int y = static_cast<int>(info.output_scanline);
        JSAMPROW rowPointers[kRowsPerCall];
        int count = 0;
        if (cmyk) {
            rowPointers[count++] = cmykRow.data();
        } else {
            for (; count < kRowsPerCall && y + count < wanted; ++count)
                rowPointers[count] = pixels + (y + count) * stride;
        }
        const JDIMENSION got =
            jpeg_read_scanlines(&info, rowPointers, static_cast<JDIMENSION>(count));
        if (got == 0) return JpegOutcome::Broken;
        if (cmyk) CmykToRgb32(cmykRow.data(), pixels + y * stride, info.output_width);
    }
    return JpegOutcome::Decoded;
}

}  // namespace

JpegOutcome DecodeJpeg(QIODevice& device, QImage& image, int rows,
                       std::chrono::milliseconds budget) {
    auto decode = std::make_unique<Decode>();
    decode->device = &device;
    decode->chunk = std::make_unique<JOCTET[]>(kSourceChunkBytes);
    decode->deadline = Clock::now() + budget;

    jpeg_decompress_struct& info = decode->info;
    info.err = jpeg_std_error(&decode->errors);
    decode->errors.error_exit = OnError;
    decode->errors.emit_message = OnMessage;
    info.client_data = decode.get();
    jpeg_create_decompress(&info);
    // Beyond this the decoder would need a temporary file, which it is not
    // given: a progressive picture too large to hold is refused as broken.
    info.mem->max_memory_to_use = static_cast<long>(kPictureMegabytes) << 20;
    decode->progress.progress_monitor = OnProgress;
    info.progress = &decode->progress;
    decode->source.init_source = InitSource;
    decode->source.fill_input_buffer = FillInput;
    decode->source.skip_input_data = SkipInput;
    decode->source.resync_to_restart = jpeg_resync_to_restart;
    decode->source.term_source = TermSource;
    info.src = &decode->source;

    std::vector<JSAMPLE> cmykRow;
    const JpegOutcome outcome = Run(*decode, image, rows, cmykRow);
    jpeg_destroy_decompress(&info);
    return outcome;
}
