// The command line (start-up with --warp and a game folder is in test_Main).
#include <gtest/gtest.h>

#include "shell/StartOptions.h"

namespace {

struct CommandLineRow {
    const char* name;
    QStringList arguments;
    int exitStatus;        // -1: the game starts
    const char* inOutput;  // expected in standard output, or in standard error
    const char* gameDir;
    int newGameLabel;
    bool watch;
};

const CommandLineRow kCommandLines[] = {
    {"Nothing", {}, -1, "", "", 1},
    {"Folder", {"some/game"}, -1, "", "some/game", 1},
    {"Warp", {"--warp", "12", "g"}, -1, "", "g", 12},
    {"WatchWithWarp", {"--watch", "--warp", "3"}, -1, "", "", 3, true},
    {"Help", {"--help"}, 0, "Usage: lanternwick [options] [GAME_DIR]"},
    {"Version", {"--version"}, 0, "lanternwick 2.00"},
    {"WarpNotANumber", {"--warp", "x"}, 2, "--warp needs a label number"},
    {"WarpZero", {"--warp", "0"}, 2, "--warp needs a label number"},
    {"TwoFolders", {"a", "b"}, 2, "only one GAME_DIR"},
    {"UnknownOption", {"--fly"}, 2, "fly"},
};

class CommandLine : public ::testing::TestWithParam<CommandLineRow> {};

TEST_P(CommandLine, ReadsOptionsOrSaysWhy) {
    const CommandLineRow& row = GetParam();
    const CommandLineResult result = ReadCommandLine(QStringList{"lanternwick"} + row.arguments);
    if (row.exitStatus < 0) {
        ASSERT_TRUE(result.options.has_value());
        EXPECT_EQ(result.options->gameDir, row.gameDir);
        EXPECT_EQ(result.options->newGameLabel, row.newGameLabel);
        EXPECT_EQ(result.options->watch, row.watch);
        return;
    }
    EXPECT_FALSE(result.options.has_value());
    EXPECT_EQ(result.exitStatus, row.exitStatus);
    EXPECT_TRUE((row.exitStatus == 0 ? result.output : result.error).contains(row.inOutput))
        << result.output.toStdString() << result.error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Rows, CommandLine, ::testing::ValuesIn(kCommandLines),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
