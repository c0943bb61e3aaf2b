#include "sound/TitleMusic.h"

#include "scenario/EngineState.h"
#include "shell/Form2.h"
#include "sound/WavePlayer.h"

void PlayTitleMusic() {
    Engine.ChoiceFlags.fill(-1);
    SoundWindow();
    // Without the file the game starts in silence; the name stays in MusicState.
    QString none;
    WaveCommand(kSeekLoop, kTitleMusicFile, none);
}
