#include "platform/FileLookup.h"

#include <QDir>
#include <QFileInfo>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cstring>
#include <mutex>
#include <optional>

QString CurrentDirectoryWithSeparator() { return QDir::currentPath() + QLatin1Char('/'); }

namespace {

QString& GameFolderSetting() {
    static QString folder;
    return folder;
}

// A folder's names by their case-folded form, kept while the folder's
// modification time stays what it was when it was listed: with 200,000 files a
// listing takes a second, and a scenario names a file on every other line.
struct CachedListing {
    dev_t device = 0;
    ino_t inode = 0;
    timespec modified{};
    // Listed so soon after its last change that a later change could carry the
    // same coarse time stamp: good for the lookup that made it, not kept.
    bool racy = false;
    QHash<QString, QString> folded;
};

// A change of the folder is stamped with the kernel's coarse clock, which may
// lag the true time by a few milliseconds.
constexpr qint64 kTimeStampSlackNs = 50'000'000;

qint64 Nanoseconds(const timespec& t) { return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec; }

// The folders of the last lookups; the game's names lie in one or two.
constexpr int kMostCachedFolders = 8;

std::mutex g_listingsMutex;
QHash<QString, CachedListing>& CachedListings() {
    static auto* listings = new QHash<QString, CachedListing>;
    return *listings;
}

// Of several names that differ only in case, the lowest by code unit is the
// one taken, whatever order the file system lists them in.
void ListFolder(const QByteArray& encodedDir, CachedListing& listing) {
    listing.folded.clear();
    DIR* dir = ::opendir(encodedDir.constData());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
        const QString name = QFile::decodeName(entry->d_name);
        auto it = listing.folded.find(name.toCaseFolded());
        if (it == listing.folded.end()) {
            listing.folded.insert(name.toCaseFolded(), name);
        } else if (name < *it) {
            *it = name;
        }
    }
    ::closedir(dir);
}

QString MatchInListing(const QString& dir, const QString& component) {
    const QString folder = dir.isEmpty() ? QStringLiteral(".") : dir;
    const QByteArray encoded = QFile::encodeName(folder);
    struct stat status {};
    if (::stat(encoded.constData(), &status) != 0 || !S_ISDIR(status.st_mode)) return {};
    const QString key = QDir::current().absoluteFilePath(folder);

    std::lock_guard lock(g_listingsMutex);
    QHash<QString, CachedListing>& listings = CachedListings();
    auto it = listings.find(key);
    const bool current = it != listings.end() && !it->racy && it->device == status.st_dev &&
                         it->inode == status.st_ino &&
                         Nanoseconds(it->modified) == Nanoseconds(status.st_mtim);
    if (!current) {
        if (it == listings.end()) {
            if (listings.size() >= kMostCachedFolders) listings.clear();
            it = listings.insert(key, CachedListing{});
        }
        timespec now{};
        ::clock_gettime(CLOCK_REALTIME, &now);
        ListFolder(encoded, *it);
        it->device = status.st_dev;
        it->inode = status.st_ino;
        it->modified = status.st_mtim;
        it->racy = Nanoseconds(now) - Nanoseconds(status.st_mtim) < kTimeStampSlackNs;
    }
    return it->folded.value(component.toCaseFolded());
}

bool EntryExists(const QString& dir, const QString& name) {
    struct stat status {};
    const QString path = dir.isEmpty() ? name : dir + QLatin1Char('/') + name;
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0;
}

// Short ASCII names have few spellings: trying each costs a handful of
// look-ups and no listing ("v" and "wav", the sound names that stand for no
// file, are two and eight).
constexpr int kMostLettersTriedBySpelling = 4;

std::optional<QString> MatchBySpelling(const QString& dir, const QString& component) {
    QList<qsizetype> letters;
    for (qsizetype i = 0; i < component.size(); ++i) {
        const QChar c = component.at(i);
        if (c.unicode() >= 0x80) return std::nullopt;
        if (c.isLetter()) letters.append(i);
    }
    if (letters.size() > kMostLettersTriedBySpelling) return std::nullopt;
    QString found;
    for (int mask = 0; mask < (1 << letters.size()); ++mask) {
        QString spelling = component;
        for (int bit = 0; bit < letters.size(); ++bit) {
            const QChar c = spelling.at(letters[bit]);
            spelling[letters[bit]] = (mask >> bit) & 1 ? c.toUpper() : c.toLower();
        }
        if ((found.isEmpty() || spelling < found) && EntryExists(dir, spelling)) found = spelling;
    }
    return found;
}

// The entry of `dir` whose name equals `component` when case is ignored, or an
// empty string. An exact match is preferred when several differ only in case.
QString MatchInDirectory(const QString& dir, const QString& component) {
    if (EntryExists(dir, component)) return component;
    if (const std::optional<QString> spelled = MatchBySpelling(dir, component)) return *spelled;
    return MatchInListing(dir, component);
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
