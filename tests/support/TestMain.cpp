#include <gtest/gtest.h>

#include <QtGlobal>

#include "platform/PlatformSetup.h"
#include "platform/ProgramEnd.h"

int main(int argc, char** argv) {
    // Real widgets, no display: every test runs on the offscreen platform, on
    // a screen of 1920 x 1080 (LANTERNWICK_TEST_SCREEN names another of
    // data/screens).
    const QByteArray screen = qEnvironmentVariableIsSet("LANTERNWICK_TEST_SCREEN")
                                  ? qgetenv("LANTERNWICK_TEST_SCREEN")
                                  : QByteArray("desktop");
    qputenv("QT_QPA_PLATFORM",
            "offscreen:configfile=" LANTERNWICK_TEST_DATA "/screens/" + screen + ".json");
    PlatformApplication application(argc, argv);
    InterceptProgramEnd(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
