#include "platform/FileLookup.h"

#include <QDir>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QString CurrentDirectoryWithSeparator() { return QDir::currentPath() + QLatin1Char('/'); }

namespace {

QString& GameFolderSetting() {
    static QString folder;
    return folder;
}

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

// `listings` null: each folder is listed afresh, as the player does for a name.
FileMatch FindAnywhere(const QString& name, QString* resolved, FolderListings* listings) {
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
            next = listings ? listings->match(built, part) : MatchInDirectory(built, part);
            if (next.isEmpty()) return FileMatch::Missing;
        }
        if (!built.isEmpty() && !built.endsWith(QLatin1Char('/'))) built += QLatin1Char('/');
        built += next;
    }
    if (!QFileInfo::exists(built)) return FileMatch::Missing;
    if (resolved) *resolved = built;
    return FileMatch::OtherCase;
}

}  // namespace

FileMatch FindFile(const QString& name, QString* resolved) {
    QString path;
    const FileMatch match = FindAnywhere(name, &path, nullptr);
    if (match != FileMatch::Missing && !IsGameFile(path)) {
        if (resolved) resolved->clear();
        return FileMatch::Missing;
    }
    if (resolved) *resolved = path;
    return match;
}

QString FolderListings::match(const QString& dir, const QString& component) {
    auto it = listings_.find(dir);
    if (it == listings_.end()) {
        Listing listing;
        QDir directory(dir.isEmpty() ? QStringLiteral(".") : dir);
        for (const QString& entry : directory.entryList(QDir::AllEntries | QDir::Hidden |
                                                        QDir::System | QDir::NoDotAndDotDot)) {
            listing.names.insert(entry);
            const QString key = entry.toCaseFolded();
            if (!listing.folded.contains(key)) listing.folded.insert(key, entry);
        }
        it = listings_.insert(dir, listing);
    }
    return it->names.contains(component) ? component : it->folded.value(component.toCaseFolded());
}

FileMatch FindFileIn(const QString& folder, const QString& name, QString* resolved,
                     FolderListings& listings) {
    QString path;
    FileMatch match = name.isEmpty() ? FileMatch::Missing
                                     : FindAnywhere(QDir(folder).filePath(name), &path, &listings);
    if (match != FileMatch::Missing && !IsGameFile(path, folder)) {
        match = FileMatch::Missing;
        path.clear();
    }
    if (resolved) *resolved = path;
    return match;
}

QString ResolveFileNameAnywhere(const QString& name) {
    QString resolved;
    FindAnywhere(name, &resolved, nullptr);
    return resolved;
}

void SetGameFolder(const QString& folder) { GameFolderSetting() = folder; }

bool IsGameFile(const QString& path, const QString& folder) {
    const QFileInfo info(path);
    // isFile() follows links and is false for pipes, sockets and devices.
    if (!info.isFile()) return false;
    const QString base = folder.isEmpty() ? (GameFolderSetting().isEmpty() ? QDir::currentPath()
                                                                           : GameFolderSetting())
                                          : folder;
    QString root = QFileInfo(base).canonicalFilePath();
    if (root.isEmpty()) return false;
    if (!root.endsWith(QLatin1Char('/'))) root += QLatin1Char('/');
    return info.canonicalFilePath().startsWith(root);
}

bool OpenRegularFile(QFile& file, const QString& path, QIODevice::OpenMode mode) {
    if (path.isEmpty()) return false;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return file.open(fd, mode, QFileDevice::AutoCloseHandle);
}

QString ResolveFileName(const QString& name) {
    QString resolved;
    FindFile(name, &resolved);
    return resolved;
}
