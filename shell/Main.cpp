#include "shell/Main.h"

#include <cmath>

#include "platform/ApplicationTitle.h"
#include "platform/FileLookup.h"
#include "platform/MessageBox.h"
#include "platform/PlatformSetup.h"
#include "platform/ProgramEnd.h"
#include "platform/SingleInstance.h"
#include "scenario/EngineState.h"
#include "shell/Form1.h"
#include "shell/FormStage.h"
#include "shell/SystemMenu.h"
#include "sound/TitleMusic.h"

double MessageFontPoints(double twipsPerPixel) { return std::floor(twipsPerPixel * 12.0 / 15.0); }

void Main() {
    AttachShell();
    if (!ClaimSingleInstance()) {
        const QString unreadable = UnreadableLockFile();
        ShowMessage(unreadable.isEmpty()
                        ? kSecondCopyMessage
                        : QStringLiteral("ロックファイル「%1」を読めないので、起動できません。\n"
                                         "ファイルの持ち主と読み取りの許可を確かめてください。")
                              .arg(unreadable),
                    MessageStyle::OkOnly);
        EndProgram();
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
        ShowMessage(QStringLiteral("タイトル画像「%1」を読み込めませんでした。\n"
                                   "探した場所: %2\n"
                                   "ゲームのフォルダーで起動してください。")
                        .arg(kTitlePictureFile, Engine.AppDir),
                    MessageStyle::OkOnly);
        EndProgram(1);
        return;
    }

    form.Label1.setFontPoints(MessageFontPoints(ScreenTwipsPerPixelX()));
    form.RpgPic1.setHeight(0);
    form.RpgPic1.setWidth(0);

    ArrangeButtons();
    ShowSystemMenu();
    form.window.showCentred();
    Engine.JumpLabel = 1;
    PlayTitleMusic();
}
