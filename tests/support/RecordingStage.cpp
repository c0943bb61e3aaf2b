#include "support/RecordingStage.h"

#include <QFileInfo>

#include "platform/FileLookup.h"
#include "platform/MessageBox.h"
#include "platform/ProgramEnd.h"
#include "scenario/CgWindow.h"
#include "sound/MusicMonitors.h"
#include "support/MessageScript.h"

bool RecordedButton::setPicture(const QString& path) {
    if (FindFile(path) == FileMatch::Missing) return false;
    picture = QFileInfo(path).fileName();
    return true;
}

bool RecordedSurface::loadPicture(const QString& path) {
    if (FindFile(path) == FileMatch::Missing) return false;
    picture = QFileInfo(path).fileName();
    return true;
}

void RecordedSurface::copyFrom(const StageSurface& source, int sourceX, int sourceY, int w, int h,
                               int destX, int destY) {
    drawn << QStringLiteral("copy %1 %2,%3 %4x%5 to %6,%7")
                 .arg(static_cast<const RecordedSurface&>(source).picture)
                 .arg(sourceX)
                 .arg(sourceY)
                 .arg(w)
                 .arg(h)
                 .arg(destX)
                 .arg(destY);
}

void RecordedSurface::drawCircle(int centreX, int centreY, int radius) {
    drawn << QStringLiteral("circle %1,%2 r%3").arg(centreX).arg(centreY).arg(radius);
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
