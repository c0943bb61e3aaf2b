#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// A game folder that lives as long as the fuzzing process; every input
// rewrites the files it names.
class FuzzFolder {
  public:
    FuzzFolder() { QDir::setCurrent(dir_.path()); }
    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) const {
        QFile file(filePath(name));
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
    }

  private:
    QTemporaryDir dir_;
};
