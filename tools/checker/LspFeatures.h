#pragma once

#include <QString>
#include <QStringList>

#include <vector>

#include "FolderIndex.h"
#include "ScenarioModel.h"

// What the language server tells about the places of a scenario, worked out from
// the checker's model: where jumps lead, what a command word and a file name
// mean, what may be written where the cursor stands. Places are 0-based line
// indexes and offsets into the line's text (UTF-16), converted to the client's
// unit by the server.

struct TextSpan {
    int line = 0;
    int start = 0;  // first offset
    int end = 0;    // offset past the last
};

// What stands at a place of a line.
struct Spot {
    enum class Kind { Nothing, CommandWord, JumpTarget, Label, FileName };
    Kind kind = Kind::Nothing;
    TextSpan span;
    int label = 0;      // JumpTarget, Label: the label number
    QString file;       // FileName: the name as the player looks it up
    bool wave = false;  // FileName: a sound rather than a picture
    const Command* command = nullptr;
};

Spot SpotAt(const Model& model, int line, int index);

// Every jump (a `next` argument, a `nextbot` field) that names label `n`.
std::vector<TextSpan> JumpsTo(const Model& model, int n);

// Each label line with the first message of its scene (a `msg` or `msgtop` line
// before the next label), and the lines up to that label.
struct LabelSymbol {
    QString name;
    QString firstMessage;
    TextSpan label;
    int lastLine = 0;
};
std::vector<LabelSymbol> LabelSymbols(const Model& model);

// Markdown: the command table's row of `command`.
QString CommandHover(const Command& command);
// Markdown: what the player finds for a file the scenario names.
QString FileHover(FolderIndex& files, const Spot& spot);

// What may be written where the cursor stands: the text that replaces
// `replace` and what the editor's list shows.
struct Completion {
    QString label;
    QString insert;
    QString detail;
    enum class Kind { Command, Label, File } kind = Kind::Command;
};
struct CompletionList {
    TextSpan replace;
    std::vector<Completion> items;
};
CompletionList CompletionsAt(const Model& model, FolderIndex& files, int line, int index,
                             const QString& lineText);

// What each command does, for the hovers; every command of the table has one.
QString CommandPurpose(const Command& command);
