#include "platform/FileLookup.h"

#include <QDir>
#include <QFileInfo>

QString CurrentDirectoryWithSeparator() { return QDir::currentPath() + QLatin1Char('/'); }

namespace {

// The entry of `dir` whose name equals `component` when case is ignored, or an
// empty string. An exact match is preferred when several differ only in case.
QString MatchInDirectory(const QString& dir, const QString& component) {
    QDir directory(dir.isEmpty() ? QStringLiteral(".") : dir);
    const QStringList entries =
        directory.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    QString found;
    for (const QString& entry : entries) {
        if (entry == component) return entry;
        if (found.isEmpty() && entry.compare(component, Qt::CaseInsensitive) == 0) found = entry;
    }
    return found;
}

}  // namespace

FileMatch FindFile(const QString& name, QString* resolved) {
    QString path = name;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (resolved) *resolved = path;
    if (path.isEmpty()) return FileMatch::Missing;
    if (QFileInfo::exists(path)) return FileMatch::Exact;

    const bool absolute = path.startsWith(QLatin1Char('/'));
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString built = absolute ? QStringLiteral("/") : QString();
    for (const QString& part : parts) {
        QString next;
        if (part == QLatin1String(".") || part == QLatin1String("..")) {
            next = part;
        } else {
            next = MatchInDirectory(built, part);
            if (next.isEmpty()) return FileMatch::Missing;
        }
        if (!built.isEmpty() && !built.endsWith(QLatin1Char('/'))) built += QLatin1Char('/');
        built += next;
    }
    if (!QFileInfo::exists(built)) return FileMatch::Missing;
    if (resolved) *resolved = built;
    return FileMatch::OtherCase;
}

QString ResolveFileName(const QString& name) {
    QString resolved;
    FindFile(name, &resolved);
    return resolved;
}
