// The bundled game's pictures: title, scenes, animation frames and strips,
// and picture buttons, all drawn from code (the desktop icon is in Icon.h).
#pragma once

#include <QStringList>

// Writes every picture into the current directory and appends the names
// written to `made`. Returns false when a file could not be written.
bool MakePictures(QStringList& made);
