#pragma once

#include <QHash>
#include <QString>

#include <optional>
#include <vector>

#include "scenario/CommandTable.h"
#include "scenario/ScenarioLine.h"

enum class LineKind { Command, Comment, Label, End, Unsupported };

struct ModelLine {
    ScenarioLine line;
    LineKind kind = LineKind::Unsupported;
    const Command* command = nullptr;

    bool has(Role role) const { return command && command->role == role; }
};

// Where the file's text is not what the player can read.
struct EncodingFault {
    int line = 0;
    int column = 0;
    bool utf8 = false;  // valid UTF-8 with non-ASCII text, rather than broken Shift-JIS
    QString text;       // the line as an editor shows it, for columns counted otherwise
};

// The scenario file, taken apart once, with the player's own reader and command table.
struct Model {
    QString dir;  // the game folder, where the named files are looked for
    std::vector<ModelLine> lines;
    int firstEnd = -1;           // index of the first end line, -1 when there is none
    QHash<QString, int> labels;  // label line text -> index of its first occurrence
    std::optional<EncodingFault> encoding;

    int size() const { return static_cast<int>(lines.size()); }
    const ModelLine& at(int i) const { return lines[static_cast<size_t>(i)]; }

    // The index of the label line a jump to `n` stops at (the first in the file), or -1.
    int labelLine(int n) const { return labels.value(LabelLineText(n), -1); }
};

// The scenario file of a game given as its folder or as the file itself, and the
// folder its files are looked for in.
struct ScenarioPaths {
    QString file;
    QString dir;
};
ScenarioPaths LocateScenario(const QString& given);

std::optional<Model> ReadModel(const ScenarioPaths& paths);

// The model of a scenario as an editor holds it, unsaved: `text` split as the
// reader splits the file, each line bounded as the reader bounds it once saved in
// Shift-JIS. What the file's encoding is can only be told from the bytes on disk:
// `onDisk` is that finding of ReadModel.
Model ModelOfText(const QString& dir, const QString& text,
                  const std::optional<EncodingFault>& onDisk);
