// Numbers written in the scenario and their conversions to 16 bits.
#include <gtest/gtest.h>

#include "scenario/Numbers.h"

namespace {

TEST(Numbers, WholeNumberTakesOnlyAWholeNumberLeadingNumberWhatStartsTheField) {
    EXPECT_EQ(WholeNumber("12"), 12.0);
    EXPECT_EQ(WholeNumber("  -7 "), -7.0);
    EXPECT_EQ(WholeNumber("2.5"), 2.5);
    EXPECT_EQ(WholeNumber("1e3"), 1000.0);
    EXPECT_EQ(WholeNumber("00012"), 12.0);
    for (const char* bad : {"", "  ", "abc", "12x", "1 2", "inf", "nan", "--1", "１２"}) {
        EXPECT_FALSE(WholeNumber(QString::fromUtf8(bad))) << bad;
    }
    // A leading number reads what starts the field.
    EXPECT_EQ(LeadingNumber(" 4"), 4.0);
    EXPECT_EQ(LeadingNumber("0240"), 240.0);
    EXPECT_EQ(LeadingNumber("1 2"), 12.0);  // blanks are ignored anywhere
    EXPECT_EQ(LeadingNumber("12ab"), 12.0);
    EXPECT_EQ(LeadingNumber("-3.5x"), -3.5);
    EXPECT_EQ(LeadingNumber("abc"), 0.0);
    EXPECT_EQ(LeadingNumber(""), 0.0);
    EXPECT_EQ(LeadingNumber("2e"), 2.0);
}

// Rounding goes to the even neighbour, flooring down, both within 16 bits.
TEST(Numbers, RoundingToEvenAndFlooringWithinSixteenBits) {
    EXPECT_EQ(RoundedInt16(2.5), 2);
    EXPECT_EQ(RoundedInt16(3.5), 4);
    EXPECT_EQ(RoundedInt16(-2.5), -2);
    EXPECT_EQ(RoundedInt16(2.6), 3);
    EXPECT_EQ(FlooredInt16(2.9), 2);
    EXPECT_EQ(FlooredInt16(-0.5), -1);
    EXPECT_EQ(FlooredInt16(32767.9), 32767);
    EXPECT_EQ(FlooredInt16(-32768), -32768);
    EXPECT_FALSE(FlooredInt16(32768));
    EXPECT_FALSE(FlooredInt16(-32768.5));
    EXPECT_FALSE(RoundedInt16(32767.5));  // rounds to 32768
    EXPECT_EQ(RoundedInt16(-32768.5), -32768);
}

}  // namespace
