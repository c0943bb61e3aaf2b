#pragma once

#include <QHash>
#include <QString>

#include <algorithm>

#include <vector>

#include "Finding.h"
#include "FolderIndex.h"
#include "ScenarioModel.h"
#include "TextWidths.h"

// The checker's passes over one model, and what they share.

// Adds findings by line index (the line past the end counts as the last line).
class Reporter {
  public:
    Reporter(const Model& model, FindingList& list) : model_(model), list_(list) {}

    void error(int i, int column, const char* code, const QString& message) {
        list_.add(lineOf(i), column, Finding::Severity::Error, QLatin1String(code), message);
    }
    void warning(int i, int column, const char* code, const QString& message) {
        list_.add(lineOf(i), column, Finding::Severity::Warning, QLatin1String(code), message);
    }
    void note(int anchor, int i, const char* code, const QString& message) {
        list_.addNote(lineOf(anchor), lineOf(i), QLatin1String(code), message);
    }

  private:
    int lineOf(int i) const {
        if (model_.size() == 0) return 1;
        return model_.at(std::clamp(i, 0, model_.size() - 1)).line.number;
    }
    const Model& model_;
    FindingList& list_;
};

// Labels: the end line, label 1, duplicates, labels after the end, labels no jump names.
void CheckLabels(const Model& model, Reporter& report);

// The files the player opens by their own names: the title picture, the title
// music and the help file.
void CheckGameFiles(FolderIndex& files, Reporter& report);

// Each line on its own: its form, its arguments, the files it names, its widths.
void CheckLines(const Model& model, FolderIndex& files, TextWidths& widths, Reporter& report);

// Where reading goes, from label 1 and from every label: lines read into, runs of
// 100 lines, voices under music, choices over buttons never cleared. Gives back
// the lines that reading from label 1 reaches.
std::vector<bool> CheckFlow(const Model& model, Reporter& report);

// The story as a Graphviz graph; `reached` marks the lines label 1 reaches.
QString StoryGraphOf(const Model& model, const std::vector<bool>& reached);

// The label a choice button leads to, after `botwait` at `index`, for the graph
// and the flow alike: the targets of the section's last `nextbot` and the buttons
// shown since its last `botcls`.
struct ChoiceButton {
    int button;
    int label;        // 0: goes on after the wait
    QString caption;  // what the player reads: the caption, or a picture's tool tip
};
struct ChoiceWaitInfo {
    std::vector<ChoiceButton> buttons;
    bool cleared = false;  // a `botcls` came before it in its section
};
// For every `botwait` line index, in one pass over the file.
QHash<int, ChoiceWaitInfo> ChoiceWaits(const Model& model);
