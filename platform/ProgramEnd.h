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

// Tests: while intercepted, EndProgram returns; ResetProgramEnd clears the record.
void InterceptProgramEnd(bool intercept);
void ResetProgramEnd();
int ProgramEndCount();
