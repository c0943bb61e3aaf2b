#include "shell/Quit.h"

#include "platform/MessageBox.h"
#include "platform/ProgramEnd.h"
#include "platform/TextFile.h"
#include "scenario/EngineState.h"
#include "shell/SystemMenu.h"
#include "sound/WavePlayer.h"

void ConfirmQuit() {
    if (ShowMessage(kQuitQuestion, MessageStyle::YesNoQuestion) == MessageAnswer::Yes) {
        if (Engine.WavePlaying != 0) {
            QString none;
            WaveCommand(QStringLiteral("stopclose"), QStringLiteral("v"), none);
        }
        CloseAllFiles();
        EndProgram();
        return;
    }
    ShowSystemMenu();
}

void Form_Unload(int16_t& cancel) {
    ConfirmQuit();
    if (!ProgramHasEnded()) cancel = -1;
}
