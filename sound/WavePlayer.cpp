#include "sound/WavePlayer.h"

// Sound output arrives with the sound work; until then no wave is ever open, so
// Engine.WavePlaying stays 0 and nobody calls this.
void WaveCommand(const QString&, const QString&, QString&) {}
