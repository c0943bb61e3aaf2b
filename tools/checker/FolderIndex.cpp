#include "FolderIndex.h"

#include "platform/mci/WaveDecoder.h"

FileMatch FolderIndex::find(const QString& name, QString* resolved) {
    auto it = found_.constFind(name);
    if (it == found_.constEnd()) {
        Found found;
        found.match = FindFileIn(base_, name, &found.resolved, listings_);
        it = found_.insert(name, found);
    }
    if (resolved) *resolved = it->resolved;
    return it->match;
}

std::optional<PictureSize> FolderIndex::pictureSize(const QString& resolved) {
    auto it = sizes_.find(resolved);
    if (it == sizes_.end()) it = sizes_.insert(resolved, ReadPictureSize(resolved));
    return *it;
}

std::optional<FolderIndex::WaveFormat> FolderIndex::waveFormat(const QString& resolved) {
    auto it = waves_.find(resolved);
    if (it == waves_.end()) {
        WaveDecoder::Problem problem = WaveDecoder::Problem::None;
        std::optional<WaveFormat> format;
        if (const auto decoder = WaveDecoder::open(resolved, &problem))
            format = WaveFormat{decoder->sampleRate(), decoder->channels(), decoder->frames()};
        it = waves_.insert(resolved, format);
    }
    return *it;
}
