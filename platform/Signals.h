#pragma once

// SIGTERM and SIGHUP (a session ending, `kill`) and SIGINT (Ctrl+C in a
// terminal) end the program as its own quit path does: files closed, the audio
// device closed, exit status 0, or 130 for SIGINT as shells expect. The signal
// is taken by the event loop, also inside a message box and in every wait that
// processes events; the clock's sleeps wake for it too.
//
// Needs the application object; call once, after it exists.
void InstallSignalHandlers();

// Sleeps up to `ms` milliseconds, ending the program at once if one of those
// signals arrives meanwhile (or arrived before and was not yet acted on).
void SleepUnlessSignalled(int ms);
