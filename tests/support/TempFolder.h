#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// A fresh folder for one test, removed with it. Entered, it is also the current
// directory for its lifetime, as the player's data folder is.
class TempFolder {
  public:
    enum Mode { Elsewhere, Entered };
    explicit TempFolder(Mode mode = Elsewhere) : previous_(QDir::currentPath()), mode_(mode) {
        if (mode_ == Entered) QDir::setCurrent(dir_.path());
    }
    ~TempFolder() {
        if (mode_ == Entered) QDir::setCurrent(previous_);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    bool isValid() const { return dir_.isValid(); }
    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }
    // Writes a file of raw bytes (an empty one without them); gives its path,
    // or an empty string when it cannot be written.
    QString write(const QString& name, const QByteArray& bytes = {}) const {
        QFile file(filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return {};
        return file.fileName();
    }

  private:
    QTemporaryDir dir_;
    QString previous_;
    Mode mode_;
};
