#include "platform/SingleInstance.h"

#include <unistd.h>

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

#include <memory>

namespace {

std::unique_ptr<QLockFile> g_lock;
QString g_overridePath;

QString LockPath() {
    if (!g_overridePath.isEmpty()) return g_overridePath;
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    return dir + QStringLiteral("/lanternwick-%1.lock").arg(getuid());
}

}  // namespace

bool ClaimSingleInstance() {
    if (g_lock) return true;
    auto lock = std::make_unique<QLockFile>(LockPath());
    // Only a dead owner makes a lock stale, never its age: a game may run for days.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) return false;
    g_lock = std::move(lock);
    return true;
}

void SetSingleInstanceLockPath(const char* path) { g_overridePath = QString::fromUtf8(path); }

void ReleaseSingleInstance() { g_lock.reset(); }
