#pragma once

#include <QString>

// Start-up: refuses a second copy, fixes the data directory, dresses and shows the
// main window with the title picture and the system menu, starts the title music.
// The story itself starts with New Game.
void Main();

inline const QString kSecondCopyMessage =
    QStringLiteral("既に１つ起動しているので，危ないかも知れないから閉じるね。");
inline const QString kTitlePictureFile = QStringLiteral("Title.JPG");
