#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

// A game folder that lives as long as the fuzzing process; every input
// rewrites the files it names. It is made in memory (/dev/shm) where the
// machine has it: a disk file system writes back each truncated file, which
// costs more than most inputs take to run.
class FuzzFolder {
  public:
    FuzzFolder() : dir_(BaseFolder() + QStringLiteral("/lanternwick-fuzz-XXXXXX")) {
        QDir::setCurrent(dir_.path());
    }
    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) const {
        QFile file(filePath(name));
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
    }

  private:
    static QString BaseFolder() {
        const QString memory = QStringLiteral("/dev/shm");
        return QFileInfo(memory).isWritable() ? memory : QDir::tempPath();
    }

    QTemporaryDir dir_;
};
