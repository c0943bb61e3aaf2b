// Message boxes as a call: without a screen to show them on (a tool), the text
// goes to standard error and no question is answered Yes.
#include <gtest/gtest.h>

#include "platform/MessageBox.h"

namespace {

TEST(MessageBoxTest, WithoutAScreenNothingIsAgreedTo) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(ShowMessage("quit?", MessageStyle::YesNoQuestion), MessageAnswer::No);
    EXPECT_EQ(ShowMessage("note", MessageStyle::OkOnly), MessageAnswer::Ok);
    const std::string written = testing::internal::GetCapturedStderr();
    EXPECT_NE(written.find("quit?"), std::string::npos);
    EXPECT_NE(written.find("note"), std::string::npos);
}

}  // namespace
