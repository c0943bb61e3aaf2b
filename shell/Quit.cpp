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
    // Declined: outside the system menu the buttons keep what they showed, so a
    // pending choice can still be told apart and taken.
    if (Engine.MenuMode == kSystemMenuMode) ShowSystemMenu();
}

void Form_Unload(int16_t& cancel) {
    ConfirmQuit();
    if (!ProgramHasEnded()) cancel = -1;
}
