#pragma once

#include <QString>

#include <optional>
#include <span>

#include "scenario/ScenarioLine.h"

// How a command takes its arguments from the line.
enum class Argument {
    None,           // nothing after the word
    RestOfLine,     // columns 10 to the end, unchanged
    FixedColumns,   // the handler reads its own columns (the row's `fields`)
    CommaForm,      // index at 10, text from 12 to the first ",", tool tip after it
    LastCharacter,  // the last character of the line
};

// What the run does after the command has done its work.
enum class Afterwards {
    GoesOn,   // the next line is read
    Stops,    // the run ends after this line (it still costs one line of the budget)
    Returns,  // the run ends at once: no budget, no loop-out check
};

// What the command's argument names, or what the command does to the story's
// course, as far as a reader of the scenario (the checker) must know.
enum class Role {
    Plain,          // nothing beyond its own columns
    Message,        // a line of text for the message window
    Jump,           // a label number: 0 goes on, -1 ends the story
    ChoiceTargets,  // the labels buttons 0 to 9 lead to
    ClearButtons,   // every button hidden, caption, tool tip and picture gone
    ButtonCaption,  // comma form with a caption
    ButtonPicture,  // comma form with a picture file
    ChoiceWait,     // the run stops until a button is clicked
    Halt,           // the run stops and nothing but New Game goes on from here
    Picture,        // a scene picture
    Frames,         // 12-character picture names
    Strip,          // a strip of frames and an extra last frame
    Routine,        // a built-in routine
    Voice,          // a voice, heard only while no music is open
    LoopingMusic,   // opens a looping music; "v" closes the music instead
    OneShotMusic,   // opens a music that plays once
    DisplayMode,    // resets the buttons as the system menu does
    Circle,         // a circle over the CG window
};

// A field of a fixed-column command.
struct Field {
    const char16_t* name;  // as messages call it
    int first;             // column, 1-based
    int width;             // characters
    bool numeric;
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
    Role role;
    std::span<const Field> fields;  // FixedColumns only, left to right
};

// The commands in the order their words are compared.
std::span<const Command> CommandTable();

// The first command whose word equals the line's first eight characters, lower-cased.
const Command* FindCommand(const ScenarioLine& line);

// The word without its padding ("msg"), as messages name the command.
QString CommandName(const Command& command);
