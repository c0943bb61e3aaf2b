#pragma once

#include <functional>

// Ends the program at once: every open file is closed, the steps registered with
// AddShutdownStep run (the audio device is closed there), and the process exits
// without running any further handler.
//
// A test may intercept the end instead: EndProgram then records it and returns,
// and the callers unwind, checking ProgramHasEnded(), without doing anything more.
void EndProgram(int exitCode = 0);

bool ProgramHasEnded();

void AddShutdownStep(std::function<void()> step);

// While armed, a call of exit() from elsewhere (the toolkit calls it when the
// display connection breaks) ends the program as EndProgram does, with status
// 1 and a line on standard error, instead of destroying the windows' statics
// under the running sound. Armed by the application object while it lives.
void ArmExitGuard(bool armed);

// Tests: while intercepted, EndProgram returns; ResetProgramEnd clears the record.
void InterceptProgramEnd(bool intercept);
bool ProgramEndIntercepted();
void ResetProgramEnd();
int ProgramEndCount();
