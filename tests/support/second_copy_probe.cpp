// Starts the game as a player would, but prints each message box's text instead of
// showing it and answers OK: the test of the single running copy reads what a
// second copy says.
#include <QtGlobal>

#include <cstdio>

#include "platform/MessageBox.h"
#include "platform/PlatformSetup.h"
#include "shell/Main.h"

int main(int argc, char** argv) {
    PlatformApplication application(argc, argv);
    SetMessageResponder([](const QString& text, MessageStyle) {
        std::printf("%s\n", text.toUtf8().constData());
        std::fflush(stdout);
        return MessageAnswer::Ok;
    });
    Main();
    return 2;  // Main returned: this copy was not refused
}
