// The spoken lines of the bundled game, made with espeak-ng's Japanese voice.
#pragma once

#include <QString>
#include <QStringList>

// The program that speaks the lines, and what to install when it is missing.
inline const QString kSpeaker = QStringLiteral("espeak-ng");
inline const QString kSpeakerPackage = QStringLiteral("espeak-ng (Debian package \"espeak-ng\")");

// Whether the speaking program can be found on the PATH.
bool CanMakeVoices();

// Writes every voice file into the current directory and appends the names
// written to `made`. Returns false when a line could not be spoken or written.
bool MakeVoices(QStringList& made);
