#include "shell/Main.h"

#include <QDir>

#include <cmath>
#include <cstdio>

#include "platform/ApplicationTitle.h"
#include "platform/FileLookup.h"
#include "platform/MessageBox.h"
#include "platform/PlatformSetup.h"
#include "platform/ProgramEnd.h"
#include "platform/SingleInstance.h"
#include "scenario/EngineState.h"
#include "scenario/ScenarioReader.h"
#include "shell/Form1.h"
#include "shell/FormStage.h"
#include "shell/LiveReload.h"
#include "shell/ReadingKeys.h"
#include "shell/SystemMenu.h"
#include "sound/TitleMusic.h"

double MessageFontPoints(double twipsPerPixel) { return std::floor(twipsPerPixel * 12.0 / 15.0); }

namespace {

// A start that cannot go on: the box for the player, the same words on standard
// error for whoever started the program from a terminal or a script.
void RefuseStart(const QString& message) {
    std::fprintf(stderr, "lanternwick: %s\n", qPrintable(QString(message).replace('\n', ' ')));
    std::fflush(stderr);
    ShowMessage(message, MessageStyle::OkOnly);
    EndProgram(1);
}

bool ScenarioHasLabel(int16_t label) {
    ScenarioLine line;
    const bool found = ReopenScenarioFile() && ReadToLabelOrEndLine(LabelLineText(label), line) &&
                       line.text == LabelLineText(label);
    ResetScenarioReader();
    return found;
}

}  // namespace

void Main(const StartOptions& options) {
    AttachShell();
    if (!options.gameDir.isEmpty() && !QDir::setCurrent(options.gameDir)) {
        RefuseStart(QStringLiteral("ゲームのフォルダー「%1」が開けません。").arg(options.gameDir));
        return;
    }
    if (!ClaimSingleInstance()) {
        const QString unreadable = UnreadableLockFile();
        RefuseStart(unreadable.isEmpty()
                        ? kSecondCopyMessage
                        : QStringLiteral("ロックファイル「%1」を読めないので、起動できません。\n"
                                         "ファイルの持ち主と読み取りの許可を確かめてください。")
                              .arg(unreadable));
        return;
    }

    Engine.AppDir = CurrentDirectoryWithSeparator();

    Form1& form = MainForm();
    form.window.setTitle(ApplicationTitle());
    form.window.setOuterHeightTwips(6870);
    form.window.setOuterWidthTwips(9600);

    if (!form.Picture1.loadPicture(Engine.AppDir + kTitlePictureFile)) {
        // Without its title picture the game was started outside its folder, or the
        // folder is damaged: say so instead of showing an empty window.
        RefuseStart(QStringLiteral("タイトル画像「%1」を読み込めませんでした。\n"
                                   "探した場所: %2\n"
                                   "ゲームのフォルダーで起動してください。")
                        .arg(kTitlePictureFile, Engine.AppDir));
        return;
    }
    if (options.newGameLabel != 1 && !ScenarioHasLabel(options.newGameLabel)) {
        RefuseStart(QStringLiteral("--warp で指定したラベル「%1」がシナリオにありません。")
                        .arg(LabelLineText(options.newGameLabel)));
        return;
    }
    SetNewGameLabel(options.newGameLabel);

    form.Label1.setFontPoints(MessageFontPoints(ScreenTwipsPerPixelX()));
    form.RpgPic1.setHeight(0);
    form.RpgPic1.setWidth(0);

    ArrangeButtons();
    ShowSystemMenu();
    form.window.showCentred();
    SettleFocus();
    Engine.JumpLabel = 1;
    PlayTitleMusic();
    if (options.watch) WatchScenario();
}
