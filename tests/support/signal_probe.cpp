// Starts the game as a player would, in the game folder it is started in, and
// clicks New Game (or opens a message box) once the window is up; it prints
// "ready" just before, so that the signal test knows when to send its signal.
// With "exit" it calls exit() instead, as the toolkit does when the display goes.
#include <QString>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

#include "platform/MessageBox.h"
#include "platform/PlatformSetup.h"
#include "shell/Main.h"
#include "shell/SystemMenu.h"

int main(int argc, char** argv) {
    PlatformApplication application(argc, argv);
    Main();
    const QByteArray mode = argc > 1 ? argv[1] : "";
    QTimer::singleShot(0, [mode] {
        std::puts("ready");
        std::fflush(stdout);
        // As the toolkit does when the display connection breaks.
        if (mode == "exit") std::exit(7);
        if (mode == "box") {
            ShowMessage(QStringLiteral("signal probe"), MessageStyle::OkOnly);
        } else {
            Command1_Click(kNewGameButton);
        }
    });
    return application.exec();
}
