#include "sound/TitleMusic.h"

#include "scenario/EngineState.h"
#include "shell/Form2.h"

void PlayTitleMusic() {
    Engine.ChoiceFlags.fill(-1);
    SoundWindow();
    // The title music itself ("loop101s.wav") arrives with the sound work.
}
