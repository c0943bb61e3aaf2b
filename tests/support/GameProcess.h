#pragma once

#include <QProcessEnvironment>
#include <QString>

// The environment of a game started as its own process: no display, no sound
// device, and its own folder for the single-copy lock.
inline QProcessEnvironment GameEnvironment(const QString& runtimeDir) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("SDL_AUDIODRIVER", "dummy");
    env.insert("XDG_RUNTIME_DIR", runtimeDir);
    env.remove("LANTERNWICK_LOCK");
    return env;
}
