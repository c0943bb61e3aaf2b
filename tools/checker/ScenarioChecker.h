#pragma once

#include <QList>
#include <QString>

#include "Finding.h"

// Checks a game's scenario the way the player would read it, and reports every
// problem with its line and column, like a compiler.

struct CheckReport {
    bool readable = false;  // the scenario file could be opened
    QString path;           // the scenario file, named as the caller gave it
    QList<Finding> findings;
    QString graph;  // the story as a Graphviz graph

    int errors() const;
    int warnings() const;
};

// `given` is the game folder or its scenario file; the files the scenario names
// are looked for in the game folder.
CheckReport CheckScenario(const QString& given);

// The story's structure as a Graphviz graph: a node per label, an edge per `next`
// and per choice button, the endings marked, faults drawn red and dashed.
QString StoryGraph(const QString& given);
