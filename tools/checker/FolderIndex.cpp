#include "FolderIndex.h"

#include <QDir>
#include <QFileInfo>

#include "platform/mci/WaveDecoder.h"

const FolderIndex::Listing& FolderIndex::listing(const QString& folder) {
    auto it = listings_.find(folder);
    if (it == listings_.end()) {
        Listing listing;
        QDir directory(folder.isEmpty() ? QStringLiteral(".") : folder);
        for (const QString& entry : directory.entryList(QDir::AllEntries | QDir::Hidden |
                                                        QDir::System | QDir::NoDotAndDotDot)) {
            listing.names.insert(entry);
            const QString key = entry.toCaseFolded();
            if (!listing.folded.contains(key)) listing.folded.insert(key, entry);
        }
        it = listings_.insert(folder, listing);
    }
    return *it;
}

FileMatch FolderIndex::find(const QString& name, QString* resolved) {
    if (const auto it = found_.constFind(name); it != found_.constEnd()) {
        if (resolved) *resolved = it->resolved;
        return it->match;
    }
    QString path = QDir(base_).filePath(name);
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    Found found{FileMatch::Missing, path};
    if (name.isEmpty()) {
        found.match = FileMatch::Missing;
    } else if (QFileInfo::exists(path)) {
        found.match = FileMatch::Exact;
    } else {
        // One component at a time, as the player does, but from the listings kept.
        const bool absolute = path.startsWith(QLatin1Char('/'));
        QString built = absolute ? QStringLiteral("/") : QString();
        bool missing = false;
        for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
            QString next;
            if (part == QLatin1String(".") || part == QLatin1String("..")) {
                next = part;
            } else {
                const Listing& entries = listing(built);
                next =
                    entries.names.contains(part) ? part : entries.folded.value(part.toCaseFolded());
                if (next.isEmpty()) {
                    missing = true;
                    break;
                }
            }
            if (!built.isEmpty() && !built.endsWith(QLatin1Char('/'))) built += QLatin1Char('/');
            built += next;
        }
        if (!missing && QFileInfo::exists(built)) found = {FileMatch::OtherCase, built};
    }
    if (found.match != FileMatch::Missing && !IsGameFile(found.resolved, base_))
        found = {FileMatch::Missing, QString()};
    found_.insert(name, found);
    if (resolved) *resolved = found.resolved;
    return found.match;
}

std::optional<PictureSize> FolderIndex::pictureSize(const QString& resolved) {
    auto it = sizes_.find(resolved);
    if (it == sizes_.end()) it = sizes_.insert(resolved, ReadPictureSize(resolved));
    return *it;
}

bool FolderIndex::playableWave(const QString& resolved) {
    auto it = waves_.find(resolved);
    if (it == waves_.end()) {
        WaveDecoder::Problem problem = WaveDecoder::Problem::None;
        it = waves_.insert(resolved, WaveDecoder::open(resolved, &problem) != nullptr);
    }
    return *it;
}
