#pragma once

#include <QList>
#include <QString>

#include <memory>

#include "Columns.h"
#include "Finding.h"
#include "ScenarioModel.h"
#include "TextWidths.h"

// Checks a game's scenario the way the player would read it, and reports every
// problem with its line and column, like a compiler.

struct CheckReport {
    bool readable = false;  // the scenario file could be opened
    QString path;           // the scenario file, named as the caller gave it
    QList<Finding> findings;
    QString graph;                       // the story as a Graphviz graph
    std::shared_ptr<const Model> model;  // the scenario as read, for callers that point into it

    int errors() const;
    int warnings() const;
};

// `given` is the game folder or its scenario file; the files the scenario names
// are looked for in the game folder.
CheckReport CheckScenario(const QString& given);

// The checks of a scenario read already, such as an editor's unsaved text;
// `path` names the file in messages. The graph is drawn only when asked for.
// `widths`, when given, keeps the texts measured for the next check.
enum class WithGraph { No, Yes };
CheckReport CheckModel(std::shared_ptr<const Model> model, const QString& path,
                       WithGraph graph = WithGraph::Yes, TextWidths* widths = nullptr);

// The report's columns counted in `unit` rather than in UTF-16 code units.
void CountColumnsIn(CheckReport& report, ColumnUnit unit);

// The story's structure as a Graphviz graph: a node per label, an edge per `next`
// and per choice button, the endings marked, faults drawn red and dashed.
QString StoryGraph(const QString& given);
