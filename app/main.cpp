#include "shell/Main.h"
#include "platform/PlatformSetup.h"

int main(int argc, char** argv) {
    PlatformApplication application(argc, argv);
    Main();
    // The game ends only through its own end-the-program step; the event loop
    // does not end it when the window closes.
    return application.exec();
}
