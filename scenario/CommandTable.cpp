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
using enum Role;

// The columns of the fixed-column commands. The argument rules read the same
// columns; a test holds the two together.
// clang-format off
constexpr Field kChoiceTargetColumns[] = {
    {u"1 番目の行き先",  10, 5, true}, {u"2 番目の行き先",  16, 5, true},
    {u"3 番目の行き先",  22, 5, true}, {u"4 番目の行き先",  28, 5, true},
    {u"5 番目の行き先",  34, 5, true}, {u"6 番目の行き先",  40, 5, true},
    {u"7 番目の行き先",  46, 5, true}, {u"8 番目の行き先",  52, 5, true},
    {u"9 番目の行き先",  58, 5, true}, {u"10 番目の行き先", 64, 5, true},
};
constexpr Field kStripColumns[] = {
    {u"帯の絵",          10, 12, false},
    {u"最後のコマ番号",  22,  2, true},
    {u"最後の絵の有無",  24,  1, false},  // "1" adds the extra last frame
    {u"最後の絵",        25, 12, false},
};
constexpr Field kTrackColumns[] = {
    {u"曲番号",          10,  2, true},
};
constexpr Field kCircleColumns[] = {
    {u"表示（0 で消す）", 10, 1, true},
    {u"中心の x",         12, 4, true},
    {u"中心の y",         17, 4, true},
    {u"半径",             22, 4, true},
};

// The scenario language. Words are compared in this order and the first match
// runs, so the order is part of the format.
constexpr Command kCommands[] = {
    // word       argument       handler         afterwards  role           fields    what the argument is
    {"anime   ",  RestOfLine,    AnimeCommand,   Stops,   Frames,        {}},                   // 12-character frame file names
    {"cg      ",  RestOfLine,    CgCommand,      GoesOn,  Picture,       {}},                   // picture; ".JPG" when the line has no "."
    {"keywait ",  None,          KeywaitCommand, Stops,   Plain,         {}},                   // wait for Next
    {"msg     ",  RestOfLine,    MsgCommand,     GoesOn,  Message,       {}},                   // one line of text
    {"msgcls  ",  None,          MsgclsCommand,  GoesOn,  Plain,         {}},                   // clear the message window
    {"msgtop  ",  RestOfLine,    MsgtopCommand,  GoesOn,  Message,       {}},                   // clear, then one line of text
    {"next    ",  RestOfLine,    NextCommand,    GoesOn,  Jump,          {}},                   // label number; 0 none, -1 the end
    {"nextbot ",  FixedColumns,  NextbotCommand, GoesOn,  ChoiceTargets, kChoiceTargetColumns}, // ten 5-digit labels
    {"botcls  ",  None,          BotclsCommand,  GoesOn,  ClearButtons,  {}},                   // hide and empty all buttons
    {"bottxt2 ",  CommaForm,     Bottxt2Command, GoesOn,  ButtonCaption, {}},                   // I caption,tool tip
    {"botpic  ",  CommaForm,     BotpicCommand,  GoesOn,  ButtonPicture, {}},                   // I picture file,tool tip
    {"botwait ",  None,          BotwaitCommand, Stops,   ChoiceWait,    {}},                   // wait for a choice
    {"botrpg  ",  None,          BotrpgCommand,  Stops,   Halt,          {}},                   // just stop
    {"pg      ",  RestOfLine,    PgCommand,      Returns, Routine,       {}},                   // built-in routine, then leave the run
    {"pgnext  ",  RestOfLine,    PgnextCommand,  GoesOn,  Routine,       {}},                   // built-in routine, then go on
    {"anime3  ",  FixedColumns,  Anime3Command,  Stops,   Strip,         kStripColumns},        // strip, last frame, extra frame
    {"say     ",  RestOfLine,    SayCommand,     GoesOn,  Voice,         {}},                   // voice file; waits for its end
    {"cdbgm   ",  FixedColumns,  CdbgmCommand,   GoesOn,  Plain,         kTrackColumns},        // CD track: accepted, no effect
    {"bgm     ",  RestOfLine,    BgmCommand,     GoesOn,  LoopingMusic,  {}},                   // looping background music
    {"music   ",  RestOfLine,    MusicCommand,   GoesOn,  OneShotMusic,  {}},                   // one-shot music
    {"sysmode ",  LastCharacter, SysmodeCommand, GoesOn,  DisplayMode,   {}},                   // display mode 0-9
    {"circle  ",  FixedColumns,  CircleCommand,  GoesOn,  Circle,        kCircleColumns},       // on/off, centre, radius
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

QString CommandName(const Command& command) { return QString::fromLatin1(command.word).trimmed(); }
