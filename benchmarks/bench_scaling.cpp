// What the scaled window costs: the time to go fullscreen (the window resized,
// the inside laid out again and drawn at the new scale), and a frame of the
// scaled window when a row comes up in the message window or the window is
// exposed whole, at 1x for comparison, 1.5x, 2x and fullscreen on the
// offscreen platform's 1920 x 1080 screen.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include "platform/Events.h"
#include "platform/PlatformSetup.h"
#include "scenario/EngineState.h"
#include "shell/Form1.h"
#include "shell/FormStage.h"
#include "shell/Main.h"

namespace {

// The main window as start-up dresses it, with the bundled game's title picture.
class ScaledWindowBench {
  public:
    ScaledWindowBench() {
        previous_ = QDir::currentPath();
        QDir::setCurrent(dir_.path());
        QFile::copy(LANTERNWICK_GAME_DIR "/Title.JPG", dir_.filePath("Title.JPG"));
        AttachShell();
        ResetEngineState();
        Engine.AppDir = dir_.path() + QLatin1Char('/');
        Form1& form = MainForm();
        form.window.setOuterHeightTwips(6870);
        form.window.setOuterWidthTwips(9600);
        form.Label1.setFontPoints(MessageFontPoints(ScreenTwipsPerPixelX()));
        if (!form.Picture1.loadPicture(QStringLiteral("Title.JPG")))
            qFatal("the bundled game's Title.JPG did not load");
        form.window.showCentred();
        ProcessPendingEvents();
    }
    ~ScaledWindowBench() {
        DestroyMainForm();
        QDir::setCurrent(previous_);
    }

    // 0 for fullscreen.
    void scale(double factor) {
        Window& window = MainForm().window;
        if (factor == 0) {
            window.setFullScreen(true);
        } else {
            window.setWindowedScale(factor);
        }
        ProcessPendingEvents();
    }

  private:
    QTemporaryDir dir_;
    QString previous_;
};

const char* ScaleName(double factor) {
    if (factor == 0) return "fullscreen 1920x1080";
    if (factor == 1) return "1x";
    if (factor == 1.5) return "1.5x";
    return "2x";
}

double Factor(const benchmark::State& state) { return state.range(0) / 10.0; }

void BM_EnterFullScreen(benchmark::State& state) {
    ScaledWindowBench bench;
    Window& window = MainForm().window;
    bool scaled = true;
    for (auto _ : state) {
        window.setFullScreen(true);
        ProcessPendingEvents();
        window.qwidget()->repaint();
        state.PauseTiming();
        scaled = scaled && window.drawnScale() > 2 && window.qwidget()->width() == 1920;
        window.setFullScreen(false);
        ProcessPendingEvents();
        state.ResumeTiming();
    }
    if (!scaled) state.SkipWithError("the window was not drawn at the screen's size");
    if (window.drawnScale() != 1) state.SkipWithError("the window did not return to 1x");
    state.SetLabel("634x433 to 1920x1080, laid out and drawn (offscreen platform)");
}
BENCHMARK(BM_EnterFullScreen)->Unit(benchmark::kMillisecond);

// A row comes up: the message window repaints itself, and the scaled drawing
// draws the part that changed again.
void BM_ScaledFrameNewRow(benchmark::State& state) {
    ScaledWindowBench bench;
    bench.scale(Factor(state));
    Form1& form = MainForm();
    const QString rows[] = {
        QStringLiteral("　夜の広場に、ランタンがひとつ灯っていた。\r\r"),
        QStringLiteral("　夜の広場に、ランタンがひとつ灯っていた。\r「誰かいるの？」\r"),
    };
    int i = 0;
    for (auto _ : state) {
        form.Label1.setText(rows[i]);
        QCoreApplication::processEvents();
        i = 1 - i;
    }
    state.SetLabel(ScaleName(Factor(state)));
}
BENCHMARK(BM_ScaledFrameNewRow)->Arg(10)->Arg(15)->Arg(20)->Arg(0)->Unit(benchmark::kMicrosecond);

// The whole window exposed (uncovered by another, restored), nothing changed.
void BM_ScaledFrameExposed(benchmark::State& state) {
    ScaledWindowBench bench;
    bench.scale(Factor(state));
    QWidget* window = MainForm().window.qwidget();
    for (auto _ : state)
        window->repaint();
    state.SetLabel(ScaleName(Factor(state)));
}
BENCHMARK(BM_ScaledFrameExposed)->Arg(10)->Arg(15)->Arg(20)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace
