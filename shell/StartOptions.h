#pragma once

#include <QStringList>

#include <cstdint>
#include <optional>

// What the command line asks of a start:
//   lanternwick [--help] [--version] [--warp LABEL] [--watch] [GAME_DIR]
struct StartOptions {
    QString gameDir;           // empty: the current directory
    int16_t newGameLabel = 1;  // where New Game starts; authors try a scene with --warp
    bool watch = false;        // --watch: a change to the scenario restarts the scene
};

// The outcome of reading the command line: options to start with, or the text
// for standard output (--help, --version) or standard error (a mistake) and the
// exit status to end with.
struct CommandLineResult {
    std::optional<StartOptions> options;
    QString output;
    QString error;
    int exitStatus = 0;
};

// `arguments` includes the program name first.
CommandLineResult ReadCommandLine(const QStringList& arguments);

// Where New Game starts: label 1 unless the command line said otherwise.
int16_t NewGameLabel();
void SetNewGameLabel(int16_t label);
