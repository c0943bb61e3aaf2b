#include <gtest/gtest.h>

#include <QCoreApplication>

#include "platform/ProgramEnd.h"

int main(int argc, char** argv) {
    // The core's tests need an event loop for timers and yields, and no windows.
    QCoreApplication application(argc, argv);
    InterceptProgramEnd(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
