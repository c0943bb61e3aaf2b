// What an animation costs: one timer tick (a single rectangle copy from the strip)
// and composing the strips of `anime` (15 frames) and `anime3` (100 frames), the
// latter against a plain libjpeg-turbo decode of the same file when the library
// is there to compare with.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <chrono>
#include <memory>

#if LANTERNWICK_HAVE_LIBJPEG
#include <cstdio>  // jpeglib.h needs FILE

#include <jpeglib.h>
#endif

#include "platform/MessageBox.h"
#include "platform/TextCodec.h"
#include "scenario/CgWindow.h"
#include "scenario/EngineState.h"
#include "scenario/RunScenario.h"
#include "scenario/ScenarioReader.h"
#include "shell/Form1.h"
#include "shell/FormStage.h"

namespace {

// A data folder with the frames, and a fresh main window reading from it.
class AnimationBench {
  public:
    AnimationBench() {
        previous_ = QDir::currentPath();
        QDir::setCurrent(dir_.path());
        AttachShell();
        ResetEngineState();
        Engine.AppDir = dir_.path() + QLatin1Char('/');
        SetMessageResponder([](const QString& text, MessageStyle) {
            qFatal("unexpected message box: %s", qPrintable(text));
            return MessageAnswer::Ok;
        });
    }
    ~AnimationBench() {
        SetMessageResponder(nullptr);
        ResetScenarioReader();
        DestroyMainForm();
        QDir::setCurrent(previous_);
    }

    void writeFrame(const QString& name, int width, int height, int seed) {
        QImage image(width, height, QImage::Format_RGB32);
        QPainter painter(&image);
        QLinearGradient gradient(0, 0, width, height);
        gradient.setColorAt(0, QColor::fromHsv(seed * 23 % 360, 200, 200));
        gradient.setColorAt(1, QColor::fromHsv(seed * 61 % 360, 160, 90));
        painter.fillRect(image.rect(), gradient);
        painter.end();
        image.save(dir_.filePath(name), "JPEG", 85);
    }

    void writeScenario(const QString& line) {
        QFile file(dir_.filePath("Lanternwick.dat"));
        file.open(QIODevice::WriteOnly);
        file.write(EncodeAnsi("_00001\r\n" + line + "\r\n_\r\n"));
    }

    // Runs the scenario's animation line from the top, as New Game would.
    void runAnimationLine() {
        Engine.JumpLabel = 1;
        RunScenario();
        MainForm().Animer1.setInterval(0);
    }

  private:
    QTemporaryDir dir_;
    QString previous_;
};

void BM_AnimationTick(benchmark::State& state) {
    AnimationBench bench;
    bench.writeFrame("strip.jpg", 480, 15 * 358, 1);
    Form1& form = MainForm();
    form.AniPic1.loadPicture("strip.jpg");
    Engine.CgWidth = 480;
    Engine.CgHeight = 358;
    int frame = 0;
    for (auto _ : state) {
        // Frames 0 to 13 of a 15-frame strip: never the last, so no run resumes.
        form.Animer1.setTag(QStringLiteral("%1014").arg(frame, 3, 10, QLatin1Char('0')));
        Animer1_Timer();
        frame = (frame + 1) % 14;
    }
    state.SetLabel("480x358 frame copied into the CG window");
}
BENCHMARK(BM_AnimationTick)->Unit(benchmark::kNanosecond);

void BM_ComposeAnimeStrip(benchmark::State& state) {
    AnimationBench bench;
    QString argument;
    for (int k = 0; k < 15; ++k) {
        const QString name = QStringLiteral("frame%1.JPG").arg(k, 2, 10, QLatin1Char('0'));
        bench.writeFrame(name, 480, 358, k);
        argument += name.leftJustified(12, QLatin1Char(' '));
    }
    bench.writeScenario(QStringLiteral("anime    ") + argument);
    for (auto _ : state)
        bench.runAnimationLine();
    state.SetLabel("15 JPEG frames of 480x358 read and composed");
}
BENCHMARK(BM_ComposeAnimeStrip)->Unit(benchmark::kMillisecond);

#if LANTERNWICK_HAVE_LIBJPEG
// The yardstick for composing a strip: libjpeg-turbo decoding the same file into
// one fresh buffer of 32-bit pixels, nothing else.
void PlainJpegDecode(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) qFatal("cannot read %s", qPrintable(path));
    const QByteArray bytes = file.readAll();
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGRX;
    jpeg_start_decompress(&info);
    const size_t stride = static_cast<size_t>(info.output_width) * 4;
    std::unique_ptr<unsigned char[]> pixels(new unsigned char[stride * info.output_height]);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels.get() + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    benchmark::DoNotOptimize(pixels.get());
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
}

void BM_PlainJpegDecodeOfTheStrip(benchmark::State& state) {
    AnimationBench bench;
    bench.writeFrame("strip100.JPG", 480, 35800, 3);
    for (auto _ : state)
        PlainJpegDecode("strip100.JPG");
    state.SetLabel("libjpeg-turbo alone, 480x35800 into one buffer");
}
BENCHMARK(BM_PlainJpegDecodeOfTheStrip)->Unit(benchmark::kMillisecond);
#endif

// The 100-frame case: a 480x35800 strip (frames 0 to 98 taken from it) and an
// extra last frame. With libjpeg-turbo at hand, the same run also times a plain
// decode of the strip and reports composing as a multiple of it.
void BM_ComposeAnime3Strip(benchmark::State& state) {
    AnimationBench bench;
    bench.writeFrame("strip100.JPG", 480, 35800, 3);
    bench.writeFrame("last.JPG", 480, 360, 4);
    bench.writeScenario(QStringLiteral("anime3   strip100.JPG991last.JPG"));
    for (auto _ : state)
        bench.runAnimationLine();
    state.SetLabel("100 frames: 480x35800 JPEG strip plus an extra frame");
#if LANTERNWICK_HAVE_LIBJPEG
    // Interleaved, so that both see the same load on a shared machine.
    using Clock = std::chrono::steady_clock;
    constexpr int kRounds = 8;
    double plain = 0, compose = 0;
    for (int i = 0; i < kRounds; ++i) {
        const auto t0 = Clock::now();
        PlainJpegDecode("strip100.JPG");
        const auto t1 = Clock::now();
        bench.runAnimationLine();
        const auto t2 = Clock::now();
        plain += std::chrono::duration<double, std::milli>(t1 - t0).count() / kRounds;
        compose += std::chrono::duration<double, std::milli>(t2 - t1).count() / kRounds;
    }
    state.counters["plain_decode_ms"] = plain;
    state.counters["compose_ms"] = compose;
    state.counters["times_plain_decode"] = compose / plain;
#endif
}
BENCHMARK(BM_ComposeAnime3Strip)->Unit(benchmark::kMillisecond);

}  // namespace
