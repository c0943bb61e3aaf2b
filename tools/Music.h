// The bundled game's music: the title loop, the background loops and the two
// short one-shot pieces, each written as a score for the synthesiser.
#pragma once

#include <QStringList>

// Writes every music file into the current directory and appends the names
// written to `made`. Returns false when a file could not be written.
bool MakeMusic(QStringList& made);
