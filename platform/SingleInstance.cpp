#include "platform/SingleInstance.h"

#include <unistd.h>

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

#include <memory>

#include "platform/ProgramEnd.h"

namespace {

std::unique_ptr<QLockFile> g_lock;
QString g_overridePath;
QString g_unreadableLock;

QString LockPath() {
    if (!g_overridePath.isEmpty()) return g_overridePath;
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    return dir + QStringLiteral("/lanternwick-%1.lock").arg(getuid());
}

}  // namespace

bool ClaimSingleInstance() {
    if (g_lock) return true;
    g_unreadableLock.clear();
    auto lock = std::make_unique<QLockFile>(LockPath());
    // Only a dead owner makes a lock stale, never its age: a game may run for days.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        // A copy that runs has written who it is; a lock nobody can read says
        // nothing about another copy, and the player must hear which file it is.
        qint64 pid = 0;
        QString host, application;
        if (lock->error() != QLockFile::LockFailedError ||
            !lock->getLockInfo(&pid, &host, &application))
            g_unreadableLock = LockPath();
        return false;
    }
    g_lock = std::move(lock);
    // Every orderly end (quit, the story's end, a signal, a lost display) goes
    // through EndProgram, which exits without destructors: the lock is let go
    // there, or it would stay behind in the runtime folder.
    static const bool released = [] {
        AddShutdownStep(ReleaseSingleInstance);
        return true;
    }();
    static_cast<void>(released);
    return true;
}

QString UnreadableLockFile() { return g_unreadableLock; }

void SetSingleInstanceLockPath(const char* path) { g_overridePath = QString::fromUtf8(path); }

void ReleaseSingleInstance() { g_lock.reset(); }
