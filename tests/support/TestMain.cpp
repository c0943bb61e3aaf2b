#include <gtest/gtest.h>

#include <QtGlobal>

#include "platform/PlatformSetup.h"
#include "platform/ProgramEnd.h"

int main(int argc, char** argv) {
    // Real widgets, no display: every test runs on the offscreen platform.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    PlatformApplication application(argc, argv);
    InterceptProgramEnd(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
