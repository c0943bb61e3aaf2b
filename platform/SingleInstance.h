#pragma once

#include <QString>

// Claims the right to be the one running copy of the game for this user. False
// when another live copy holds it; the lock of a copy that died is taken over.
bool ClaimSingleInstance();

// After a refused claim: the lock file when it could not be read or made (so
// that nothing is known of another copy), otherwise empty.
QString UnreadableLockFile();

// Tests: use this lock file instead of the per-user one, and let the claim go.
void SetSingleInstanceLockPath(const char* path);
void ReleaseSingleInstance();
