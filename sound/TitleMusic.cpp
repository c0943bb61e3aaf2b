#include "sound/TitleMusic.h"

#include "scenario/EngineState.h"
#include "sound/SoundWindow.h"
#include "sound/WavePlayer.h"

void PlayTitleMusic() {
    Engine.ChoiceFlags.fill(-1);
    CurrentSoundWindow();
    // Without the file the game starts in silence; the name stays in MusicState.
    QString none;
    WaveCommand(kSeekLoop, kTitleMusicFile, none);
}
