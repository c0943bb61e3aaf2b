#include "support/RecordingStage.h"

#include <QFileInfo>

#include "platform/FileLookup.h"
#include "platform/MessageBox.h"
#include "platform/ProgramEnd.h"
#include "scenario/CgWindow.h"
#include "sound/MusicMonitors.h"
#include "support/MessageScript.h"

namespace {
// Keeps the name of an existing file; false for a missing one.
bool Keep(const QString& path, QString& picture) {
    if (FindFile(path) == FileMatch::Missing) return false;
    picture = QFileInfo(path).fileName();
    return true;
}
}  // namespace

bool RecordedButton::setPicture(const QString& path) { return Keep(path, picture); }
bool RecordedSurface::loadPicture(const QString& path) { return Keep(path, picture); }

int RecordedSurface::loadStrip(const QString& path, int requested) {
    if (!loadPicture(path)) return -1;
    const int fileHeight = height;
    if (requested > 0) height = requested;
    return fileHeight;
}

RecordingStage::RecordingStage() {
    animer1.onTick([] { Animer1_Timer(); });
}

PlainSoundWindow::PlainSoundWindow() {
    loop_.setTag(QStringLiteral("0"));
    loop_.onTick([] { Mumer1_Timer(); });
    oneShot_.onTick([] { Mumer2_Timer(); });
}

void RecordingStage::ShowSystemMenu() {
    ++menuShown;
    for (RecordedButton& button : buttons) {
        button.visible = true;
        button.caption.clear();
        button.toolTip.clear();
        button.picture.clear();
    }
}

void RecordingStage::ConfirmQuit() {
    if (ShowMessage(QuitQuestion(), MessageStyle::YesNoQuestion) == MessageAnswer::Yes) {
        EndProgram();
    }
}
