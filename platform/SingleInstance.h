#pragma once

// Claims the right to be the one running copy of the game for this user. False
// when another live copy holds it; the lock of a copy that died is taken over.
bool ClaimSingleInstance();

// Tests: use this lock file instead of the per-user one, and let the claim go.
void SetSingleInstanceLockPath(const char* path);
void ReleaseSingleInstance();
