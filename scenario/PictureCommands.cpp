#include "scenario/PictureCommands.h"

#include "scenario/ArgumentRules.h"
#include "scenario/CgWindow.h"
#include "scenario/EngineState.h"
#include "scenario/ScenarioError.h"
#include "scenario/Stage.h"

namespace {

void ReportUnreadablePicture(const QString& name, const ScenarioLine& line) {
    ReportScenarioError(
        QStringLiteral("絵のファイル「%1」が見つからないか、絵として読めません。").arg(name), line);
}

bool LoadOrReport(StageSurface& surface, const QString& name, const ScenarioLine& line) {
    if (surface.loadPicture(Engine.AppDir + name)) return true;
    ReportUnreadablePicture(name, line);
    return false;
}

}  // namespace

bool CgCommand(const CommandArguments& args) {
    Stage& stage = CurrentStage();
    if (!LoadOrReport(stage.Picture1(), CgFileName(args.line), args.line)) return false;
    stage.Picture1().refresh();
    return true;
}

bool AnimeCommand(const CommandArguments& args) {
    const Checked<QStringList> names = AnimeFrameNames(args.rest);
    if (!UsableOrReported(names, args.line)) return false;
    Engine.CgWidth = kCgWidth;
    Engine.CgHeight = kCgHeight;

    // All frames go into the strip now, so that a tick is one copy, no file access.
    Stage& stage = CurrentStage();
    const int frames = static_cast<int>(names->size());
    stage.AniPic1().setWidth(kCgWidth + 4);
    stage.AniPic1().setHeight(frames * kCgHeight);
    for (int k = 0; k < frames; ++k) {
        if (!LoadOrReport(stage.WrkPic1(), names->at(k), args.line)) return false;
        stage.AniPic1().copyFrom(stage.WrkPic1(), 0, 0, kCgWidth, kCgHeight, 0, k * kCgHeight);
    }
    StartAnimation(frames - 1);
    return true;
}

bool Anime3Command(const CommandArguments& args) {
    const Checked<StripAnimation> strip = StripAnimationArguments(args.line);
    if (!UsableOrReported(strip, args.line)) return false;
    Engine.CgWidth = kCgWidth;
    Engine.CgHeight = kStripFrameHeight;

    Stage& stage = CurrentStage();
    // Decoded straight into AniPic1 at the height the animation needs (with the
    // extra frame, N + 1 frames), so that the strip is held once and never copied.
    const int height = strip->extraFrame ? (strip->lastFrame + 1) * kStripFrameHeight : 0;
    const int fileHeight = stage.AniPic1().loadStrip(Engine.AppDir + strip->stripFile, height);
    if (fileHeight < 0) {
        ReportUnreadablePicture(strip->stripFile, args.line);
        return false;
    }
    // A strip shorter than its frames plays: frames past its end show the
    // strip's background (the checker warns about it).
    if (strip->extraFrame) {
        if (!LoadOrReport(stage.WrkPic1(), strip->extraFile, args.line)) return false;
        stage.AniPic1().copyFrom(stage.WrkPic1(), 0, 0, Engine.CgWidth, Engine.CgHeight, 0,
                                 strip->lastFrame * Engine.CgHeight);
        // The frame lives in the strip now; the work buffer lets its copy go.
        stage.WrkPic1().clearPicture();
    }
    StartAnimation(strip->lastFrame);
    return true;
}

bool CircleCommand(const CommandArguments& args) {
    const auto params = CircleArguments(args.line);
    if (!UsableOrReported(params, args.line)) return false;
    Engine.CircleParams = *params;
    CurrentStage().Picture1().refresh();
    return true;
}
