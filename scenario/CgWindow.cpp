#include "scenario/CgWindow.h"

#include "scenario/EngineState.h"
#include "scenario/Numbers.h"
#include "scenario/RunScenario.h"
#include "shell/Form1.h"

namespace {

constexpr Rgb kCircleGrey{119, 119, 119};
constexpr int kCircleLineWidth = 2;
constexpr int kRpgWidth = 480;
constexpr int kRpgHeight = 360;
constexpr int kFrameIntervalMs = 100;

// The tag: the frame shown at the next tick and the last frame, three digits each.
QString AnimationTag(int next, int last) {
    return QStringLiteral("%1%2")
        .arg(next, 3, 10, QLatin1Char('0'))
        .arg(last, 3, 10, QLatin1Char('0'));
}

}  // namespace

void Animer1_Timer() {
    Form1& form = MainForm();
    const QString tag = form.Animer1.tag();
    const int current = static_cast<int>(LeadingNumber(tag.left(3)));
    const int last = static_cast<int>(LeadingNumber(tag.right(3)));
    // One rectangle copy from the strip; the window's picture stays as it was.
    form.Picture1.copyFrom(form.AniPic1, 0, current * Engine.CgHeight, Engine.CgWidth,
                           Engine.CgHeight, 0, 0);
    if (current == last) {
        form.Animer1.setInterval(0);
        // The tag is left alone: the resumed story may have started a new animation.
        RunScenario();
        return;
    }
    form.Animer1.setTag(AnimationTag(current + 1, last));
}

void StartAnimation(int lastFrame) {
    Form1& form = MainForm();
    form.Animer1.setTag(AnimationTag(0, lastFrame));
    form.Animer1.setInterval(kFrameIntervalMs);
}

void Picture1_Paint() {
    Form1& form = MainForm();
    if (Engine.SysMode == 5 || Engine.SysMode == 7) {
        form.Picture1.copyFrom(form.RpgPic1, 0, 0, kRpgWidth, kRpgHeight, 0, 0);
    }
    if (Engine.CircleParams[0] != 0) {
        form.Picture1.drawCircle(Engine.CircleParams[1], Engine.CircleParams[2],
                                 Engine.CircleParams[3], kCircleGrey, kCircleLineWidth);
    }
}

// A press on the CG window means nothing in this game.
void Picture1_MouseDown() {}
