// What an animation costs: one timer tick (a single rectangle copy from the strip)
// and composing the strips of `anime` (15 frames) and `anime3` (100 frames).
#include <benchmark/benchmark.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

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

void BM_ComposeAnime3Strip(benchmark::State& state) {
    AnimationBench bench;
    bench.writeFrame("strip100.JPG", 480, 99 * 360, 3);
    bench.writeFrame("last.JPG", 480, 360, 4);
    bench.writeScenario(QStringLiteral("anime3   strip100.JPG991last.JPG"));
    for (auto _ : state)
        bench.runAnimationLine();
    state.SetLabel("99-frame JPEG strip plus an extra frame, 480x360 each");
}
BENCHMARK(BM_ComposeAnime3Strip)->Unit(benchmark::kMillisecond);

}  // namespace
