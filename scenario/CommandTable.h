#pragma once

#include <QString>

#include <optional>
#include <span>

#include "scenario/ScenarioLine.h"

// How a command takes its arguments from the line.
enum class Argument {
    None,           // nothing after the word
    RestOfLine,     // columns 10 to the end, unchanged
    FixedColumns,   // the handler reads its own columns
    CommaForm,      // index at 10, text from 12 to the first ",", tool tip after it
    LastCharacter,  // the last character of the line
};

// What the run does after the command has done its work.
enum class Afterwards {
    GoesOn,   // the next line is read
    Stops,    // the run ends after this line (it still costs one line of the budget)
    Returns,  // the run ends at once: no budget, no loop-out check
};

// What a handler is given: the line, and its argument taken as the table says.
struct CommandArguments {
    const ScenarioLine& line;
    QString rest;       // RestOfLine
    CommaFields comma;  // CommaForm
};

// A handler returns false when it met a problem it has reported (through
// ReportScenarioError); the run then ends at once.
using CommandHandler = bool (*)(const CommandArguments& args);

struct Command {
    const char* word;  // eight characters, blank-padded
    Argument argument;
    CommandHandler handler;
    Afterwards afterwards;
};

// The commands in the order their words are compared.
std::span<const Command> CommandTable();

// The first command whose word equals the line's first eight characters, lower-cased.
const Command* FindCommand(const ScenarioLine& line);
