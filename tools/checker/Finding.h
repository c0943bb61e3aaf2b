#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <vector>

#include "scenario/ScenarioError.h"

// One diagnostic of the checker, as a compiler would give it.
struct Finding {
    enum class Severity { Error, Warning, Note };
    int line = 0;    // 1-based
    int column = 0;  // 1-based, in characters; notes have none (0)
    Severity severity = Severity::Error;
    QString code;  // stable short name of the kind of problem
    QString message;
};

// "PATH:LINE:COLUMN: error: message [code]", "PATH:LINE: note: message [code]".
QString FormatFinding(const Finding& finding, const QString& path = kScenarioFileName);

// The findings as a JSON array of objects: path, line, column, severity, code,
// message; `paths` names the file of each finding.
QByteArray FindingsJson(const QList<Finding>& findings, const QStringList& paths);

// Collects findings, each once, and gives them back in line order (a note stays
// right after the finding it belongs to).
class FindingList {
  public:
    explicit FindingList(int lineCount);

    void add(int line, int column, Finding::Severity severity, const QString& code,
             const QString& message);
    // A note at `noteLine` that belongs to the finding just added at `line`.
    void addNote(int line, int noteLine, const QString& code, const QString& message);

    QList<Finding> inLineOrder() const;

  private:
    void put(int anchor, Finding finding);

    std::vector<QList<Finding>> byLine_;  // indexed by the line they are sorted under
    QSet<QString> seen_;
};
