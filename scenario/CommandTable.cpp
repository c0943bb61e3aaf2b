#include "scenario/CommandTable.h"

#include <iterator>

#include "scenario/ChoiceCommands.h"
#include "scenario/FlowCommands.h"
#include "scenario/PictureCommands.h"
#include "scenario/RoutineCommands.h"
#include "scenario/SoundCommands.h"
#include "scenario/TextCommands.h"

namespace {

using enum Argument;
using enum Afterwards;

// The scenario language. Words are compared in this order and the first match
// runs, so the order is part of the format.
// clang-format off
constexpr Command kCommands[] = {
    // word       argument       handler         afterwards   what the argument is
    {"anime   ",  RestOfLine,    AnimeCommand,   Stops},   // 12-character frame file names
    {"cg      ",  RestOfLine,    CgCommand,      GoesOn},  // picture; ".JPG" when the line has no "."
    {"keywait ",  None,          KeywaitCommand, Stops},   // wait for Next
    {"msg     ",  RestOfLine,    MsgCommand,     GoesOn},  // one line of text
    {"msgcls  ",  None,          MsgclsCommand,  GoesOn},  // clear the message window
    {"msgtop  ",  RestOfLine,    MsgtopCommand,  GoesOn},  // clear, then one line of text
    {"next    ",  RestOfLine,    NextCommand,    GoesOn},  // label number; 0 none, -1 the end
    {"nextbot ",  FixedColumns,  NextbotCommand, GoesOn},  // ten 5-digit labels at 10, 16, ... 64
    {"botcls  ",  None,          BotclsCommand,  GoesOn},  // hide and empty all buttons
    {"bottxt2 ",  CommaForm,     Bottxt2Command, GoesOn},  // I caption,tool tip
    {"botpic  ",  CommaForm,     BotpicCommand,  GoesOn},  // I picture file,tool tip
    {"botwait ",  None,          BotwaitCommand, Stops},   // wait for a choice
    {"botrpg  ",  None,          BotrpgCommand,  Stops},   // just stop
    {"pg      ",  RestOfLine,    PgCommand,      Returns}, // built-in routine, then leave the run
    {"pgnext  ",  RestOfLine,    PgnextCommand,  GoesOn},  // built-in routine, then go on
    {"anime3  ",  FixedColumns,  Anime3Command,  Stops},   // strip 10-21, last frame 22-23, flag 24, file 25-36
    {"say     ",  RestOfLine,    SayCommand,     GoesOn},  // voice file; waits for its end
    {"cdbgm   ",  FixedColumns,  CdbgmCommand,   GoesOn},  // CD track at 10-11: accepted, no effect
    {"bgm     ",  RestOfLine,    BgmCommand,     GoesOn},  // looping background music
    {"music   ",  RestOfLine,    MusicCommand,   GoesOn},  // one-shot music
    {"sysmode ",  LastCharacter, SysmodeCommand, GoesOn},  // display mode 0-9
    {"circle  ",  FixedColumns,  CircleCommand,  GoesOn},  // on 10, x 12-15, y 17-20, radius 22-25
};
// clang-format on

}  // namespace

std::span<const Command> CommandTable() { return kCommands; }

const Command* FindCommand(const ScenarioLine& line) {
    const QString word = line.commandWord();
    for (const Command& command : kCommands) {
        if (word == QLatin1String(command.word)) return &command;
    }
    return nullptr;
}
