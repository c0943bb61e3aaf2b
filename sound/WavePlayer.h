#pragma once

#include <QString>

// The one procedure through which every wave sound is played. `mode` is one of
// the mode words; a `name` whose last character is not a lower-case "v" makes the
// call do nothing. `arg` carries a result code or a resume position.
void WaveCommand(const QString& mode, const QString& name, QString& arg);
