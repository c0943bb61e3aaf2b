#pragma once

#include <QHash>
#include <QImage>
#include <QList>
#include <QString>
#include <QUrl>

#include <chrono>

// The pictures of one help window. Each <img> of the help file names a file of
// the game folder, decoded once through the guarded picture reader however many
// tags name it (with any query or fragment); the window decodes at most
// kHelpPictureBytes of pixels and spends at most kHelpPictureTime decoding, and
// every picture past that, or missing, or refused, is shown as its alt text.
inline constexpr qint64 kHelpPictureBytes = qint64(64) << 20;
inline constexpr std::chrono::milliseconds kHelpPictureTime{750};

class HelpPictures {
  public:
    // `html` with each <img> either pointing at a picture decoded here (its
    // src replaced by a name only picture() knows) or replaced by its alt text.
    QString prepare(const QString& html);

    // The picture named in prepare's result; a null image for any other name.
    QImage picture(const QUrl& url) const;

    qint64 decodedBytes() const { return kHelpPictureBytes - bytesLeft_; }
    int decodedCount() const { return static_cast<int>(pictures_.size()); }

  private:
    // The index into pictures_ of the file `source` names, or -1.
    int pictureFor(const QString& source);

    QHash<QString, int> byFile_;  // canonical path: index, or -1 when not shown
    QList<QImage> pictures_;
    qint64 bytesLeft_ = kHelpPictureBytes;
    std::chrono::milliseconds timeLeft_ = kHelpPictureTime;
};
