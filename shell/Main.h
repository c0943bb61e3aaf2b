#pragma once

#include <QString>

#include "shell/StartOptions.h"

// Start-up: refuses a second copy, fixes the data directory, dresses and shows the
// main window with the title picture and the system menu, starts the title music.
// The story itself starts with New Game. A game folder in `options` becomes the
// current directory first; a start that cannot go on says why in a box and on
// standard error, and ends with status 1.
void Main(const StartOptions& options = {});

// The message window's font size for a screen of the given density: 12 points at
// 15 twips per pixel (96 dpi), 9 at 12 (120 dpi), 8 at 10 (144 dpi), so that three
// rows always fill its height.
double MessageFontPoints(double twipsPerPixel);

inline const QString kSecondCopyMessage =
    QStringLiteral("既に１つ起動しているので，危ないかも知れないから閉じるね。");
inline const QString kTitlePictureFile = QStringLiteral("Title.JPG");
