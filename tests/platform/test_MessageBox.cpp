// Message boxes: the player sees Japanese buttons, tests answer from a script.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "platform/MessageBox.h"
#include "support/MessageScript.h"

namespace {

TEST(MessageBoxTest, ButtonsSpeakJapanese) {
    EXPECT_TRUE(
        QCoreApplication::translate("QPlatformTheme", "&Yes").contains(QStringLiteral("はい")));
    EXPECT_TRUE(
        QCoreApplication::translate("QPlatformTheme", "&No").contains(QStringLiteral("いいえ")));
}

TEST(MessageBoxTest, ScriptAnswersInOrder) {
    MessageScript boxes;
    boxes.expect("first").expectContaining("cond", MessageAnswer::Yes);
    EXPECT_EQ(ShowMessage("first", MessageStyle::OkOnly), MessageAnswer::Ok);
    EXPECT_EQ(ShowMessage("second", MessageStyle::YesNoQuestion), MessageAnswer::Yes);
    EXPECT_TRUE(boxes.finished());
}

}  // namespace
