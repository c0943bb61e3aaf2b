#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

#include "platform/FileLookup.h"
#include "platform/PictureInfo.h"

// The game folder as the player's file lookup sees it ('\' as a separator, case
// ignored when the exact name is missing), with every folder listed once per
// check: a scenario may name the same missing file on thousands of lines. What
// the player takes for no game file (outside the folder, a pipe, a device) is
// missing here too.
class FolderIndex {
  public:
    explicit FolderIndex(QString base) : base_(std::move(base)) {}

    // How `name` (relative to the game folder) is found, and the path it resolves to.
    FileMatch find(const QString& name, QString* resolved);

    // The picture's size, read once per file; nothing when the player refuses it.
    std::optional<PictureSize> pictureSize(const QString& resolved);

    // What the player's wave decoder finds in the file, asked once per file;
    // nothing when it does not open it.
    struct WaveFormat {
        int rate = 0;
        int channels = 0;
        int64_t frames = 0;
    };
    std::optional<WaveFormat> waveFormat(const QString& resolved);
    bool playableWave(const QString& resolved) { return waveFormat(resolved).has_value(); }

  private:
    struct Found {
        FileMatch match;
        QString resolved;
    };
    QString base_;
    FolderListings listings_;
    QHash<QString, Found> found_;
    QHash<QString, std::optional<PictureSize>> sizes_;
    QHash<QString, std::optional<WaveFormat>> waves_;
};
