#pragma once

#include <QList>
#include <QString>

// Checks a game's scenario the way the player would read it, and reports every
// problem with its line number, like a compiler.

struct Finding {
    enum class Severity { Error, Warning };
    int line = 0;
    Severity severity = Severity::Error;
    QString message;
};

struct CheckReport {
    bool readable = false;  // the scenario file could be opened
    QList<Finding> findings;
    QString graph;  // the story as a Graphviz graph (StoryGraph)

    int errors() const;
    int warnings() const;
};

// Reads DIR/Lanternwick.dat and the files it names, relative to DIR.
CheckReport CheckScenario(const QString& dir);

// "Lanternwick.dat:12: error: ..."
QString FormatFinding(const Finding& finding);

// The story's structure as a Graphviz graph: a node per label, an edge per `next`
// and per choice button (with its caption), the endings marked.
QString StoryGraph(const QString& dir);
