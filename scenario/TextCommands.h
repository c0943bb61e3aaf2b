#pragma once

#include "scenario/CommandTable.h"

bool MsgCommand(const CommandArguments& args);      // `msg`: one line of text
bool MsgclsCommand(const CommandArguments& args);   // `msgcls`: clear
bool MsgtopCommand(const CommandArguments& args);   // `msgtop`: clear, then the text
bool KeywaitCommand(const CommandArguments& args);  // `keywait`: wait for Next

// The look of the Next button while the story waits, shared with `botwait`.
// Modes 0-4: button 9 loses its strikethrough (after a yield);
// mode 5: button 10 becomes the Next button; 6 and above: nothing to wait for.
void WaitForNext();
