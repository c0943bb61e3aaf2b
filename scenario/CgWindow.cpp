#include "scenario/CgWindow.h"

#include "platform/Timer.h"
#include "scenario/EngineState.h"
#include "scenario/Modes.h"
#include "scenario/Numbers.h"
#include "scenario/RunScenario.h"
#include "scenario/Stage.h"

namespace {

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
    Stage& stage = CurrentStage();
    const QString tag = stage.Animer1().tag();
    const int current = static_cast<int>(LeadingNumber(tag.left(3)));
    const int last = static_cast<int>(LeadingNumber(tag.right(3)));
    // One rectangle copy from the strip; the window's picture stays as it was.
    stage.Picture1().copyFrom(stage.AniPic1(), 0, current * Engine.CgHeight, Engine.CgWidth,
                              Engine.CgHeight, 0, 0);
    if (current == last) {
        stage.Animer1().setInterval(0);
        // The tag is left alone: the resumed story may have started a new animation.
        RunScenario();
        return;
    }
    stage.Animer1().setTag(AnimationTag(current + 1, last));
}

void StartAnimation(int lastFrame) {
    Stage& stage = CurrentStage();
    stage.Animer1().setTag(AnimationTag(0, lastFrame));
    stage.Animer1().setInterval(kFrameIntervalMs);
}

void Picture1_Paint() {
    Stage& stage = CurrentStage();
    if (PaintsRpgPicture(Engine.SysMode)) {
        stage.Picture1().copyFrom(stage.RpgPic1(), 0, 0, kRpgWidth, kRpgHeight, 0, 0);
    }
    if (Engine.CircleParams[0] != 0) {
        stage.Picture1().drawCircle(Engine.CircleParams[1], Engine.CircleParams[2],
                                    Engine.CircleParams[3]);
    }
}

// A press on the CG window means nothing in this game.
void Picture1_MouseDown() {}
