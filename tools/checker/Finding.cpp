#include "Finding.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace {

QString SeverityName(Finding::Severity severity) {
    switch (severity) {
        case Finding::Severity::Error: return QStringLiteral("error");
        case Finding::Severity::Warning: return QStringLiteral("warning");
        case Finding::Severity::Note: return QStringLiteral("note");
    }
    return {};
}

}  // namespace

QString FormatFinding(const Finding& finding, const QString& path) {
    const QString where =
        finding.column > 0
            ? QStringLiteral("%1:%2:%3")
                  .arg(path, QString::number(finding.line), QString::number(finding.column))
            : QStringLiteral("%1:%2").arg(path, QString::number(finding.line));
    return QStringLiteral("%1: %2: %3 [%4]")
        .arg(where, SeverityName(finding.severity), finding.message, finding.code);
}

QByteArray FindingsJson(const QList<Finding>& findings, const QStringList& paths) {
    QJsonArray array;
    for (qsizetype i = 0; i < findings.size(); ++i) {
        const Finding& f = findings[i];
        array.append(QJsonObject{
            {QStringLiteral("path"), paths.value(i)},
            {QStringLiteral("line"), f.line},
            {QStringLiteral("column"), f.column > 0 ? QJsonValue(f.column) : QJsonValue()},
            {QStringLiteral("severity"), SeverityName(f.severity)},
            {QStringLiteral("code"), f.code},
            {QStringLiteral("message"), f.message},
        });
    }
    return QJsonDocument(array).toJson(QJsonDocument::Indented);
}

FindingList::FindingList(int lineCount)
    : byLine_(static_cast<size_t>(std::max(lineCount, 0) + 1)) {}

void FindingList::add(int line, int column, Finding::Severity severity, const QString& code,
                      const QString& message) {
    put(line, {line, column, severity, code, message});
}

void FindingList::addNote(int line, int noteLine, const QString& code, const QString& message) {
    put(line, {noteLine, 0, Finding::Severity::Note, code, message});
}

void FindingList::put(int anchor, Finding finding) {
    const QString key = QStringLiteral("%1:%2:%3:%4:%5")
                            .arg(anchor)
                            .arg(finding.line)
                            .arg(finding.column)
                            .arg(finding.code, finding.message);
    if (seen_.contains(key)) return;
    seen_.insert(key);
    const size_t slot =
        std::clamp<size_t>(static_cast<size_t>(std::max(anchor, 0)), 0, byLine_.size() - 1);
    byLine_[slot].append(std::move(finding));
}

QList<Finding> FindingList::inLineOrder() const {
    QList<Finding> out;
    for (const QList<Finding>& line : byLine_) {
        // Within a line by column; a note goes with the finding before it.
        std::vector<QList<Finding>> groups;
        for (const Finding& f : line) {
            if (f.severity != Finding::Severity::Note || groups.empty()) groups.emplace_back();
            groups.back().append(f);
        }
        std::stable_sort(groups.begin(), groups.end(), [](const auto& a, const auto& b) {
            return a.front().column < b.front().column;
        });
        for (const QList<Finding>& group : groups)
            out.append(group);
    }
    return out;
}
