// The desktop icon: the lantern on a night-blue tile, drawn from code at every
// size a desktop asks for.
#pragma once

#include <QStringList>

// Writes the icon in the hicolor sizes 16x16 to 512x512 and as SVG into
// `folder`/hicolor/<size>/apps/lanternwick.png and hicolor/scalable/apps/
// lanternwick.svg, appending the files written to `made`. Returns false when a
// file could not be written.
bool MakeIcons(const QString& folder, QStringList& made);
