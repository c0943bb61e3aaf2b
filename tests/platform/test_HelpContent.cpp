// The help file as the help window takes it: which links it follows, and which
// markup it lays out or shows as plain text so that no file can freeze the game.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "platform/HelpContent.h"
#include "support/TempFolder.h"

namespace {

struct LinkRow {
    const char* url;
    HelpLink action;
};

class HelpLinks : public ::testing::TestWithParam<LinkRow> {};

TEST_P(HelpLinks, OnlyAnchorsAndWebPagesAreFollowed) {
    EXPECT_EQ(ClassifyHelpLink(QUrl(QString::fromUtf8(GetParam().url)), "Lanternwick.HLP"),
              GetParam().action);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, HelpLinks, ::testing::Values(
    LinkRow{"#start", HelpLink::Anchor}, LinkRow{"Lanternwick.HLP#keys", HelpLink::Anchor},
    LinkRow{"http://example.org/", HelpLink::Browser}, LinkRow{"HTTPS://example.org/a?b", HelpLink::Browser},
    LinkRow{"https:///nohost", HelpLink::Ignored}, LinkRow{"file:///etc/passwd", HelpLink::Ignored},
    LinkRow{"ssh://host/", HelpLink::Ignored}, LinkRow{"mailto:a@example.org", HelpLink::Ignored},
    LinkRow{"javascript:alert(1)", HelpLink::Ignored}, LinkRow{"data:text/html,x", HelpLink::Ignored},
    LinkRow{"../outside.html", HelpLink::Ignored}, LinkRow{"//host/share", HelpLink::Ignored},
    LinkRow{"other.html#a", HelpLink::Ignored}));
// clang-format on

QString Nested(const QString& open, const QString& close, int depth) {
    return "<html><body>" + open.repeated(depth) + "x" + close.repeated(depth) + "</body></html>";
}

struct MarkupRow {
    const char* name;
    QString html;
    bool laidOut;
};
void PrintTo(const MarkupRow& row, std::ostream* os) { *os << row.name; }

class HelpMarkup : public ::testing::TestWithParam<MarkupRow> {};

TEST_P(HelpMarkup, DeepOrLargeMarkupIsShownAsPlainText) {
    const TempFolder dir(TempFolder::Entered);
    ASSERT_FALSE(dir.write("Lanternwick.HLP", GetParam().html.toUtf8()).isEmpty());
    const auto content = LoadHelpContent("Lanternwick.HLP");
    ASSERT_TRUE(content.has_value());
    EXPECT_EQ(content->html, GetParam().laidOut);
    EXPECT_EQ(content->text, GetParam().html);
}

const QString kTable = "<table><tr><td>", kTableEnd = "</td></tr></table>";
// clang-format off
const MarkupRow kMarkup[] = {
    {"TablesAtTheLimit", Nested(kTable, kTableEnd, kDeepestTables), true},
    {"TablesOverTheLimit", Nested(kTable, kTableEnd, kDeepestTables + 1), false},
    {"UnclosedTablesCountToo", Nested("<TABLE><tr><td>", "", 100), false},
    {"TablesSideBySide", Nested(kTable + "x" + kTableEnd, "", 500), true},
    {"TooManyCells", "<table><tr>" + QString("<td>x").repeated(kTableCellBudget + 1), false},
    {"NestedBlocksOverTheCellBudget", Nested(kTable, kTableEnd, 8).repeated(8), false},
    {"UnclosedParagraphsAndItemsAreNoLevels", Nested("<p><li>", "", 5000), true},
    {"DeepDivisions", Nested("<div>", "</div>", 3000), false},
    {"TooLong", Nested("<p>", "", kLongestHtmlCharacters / 3), false}};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Rows, HelpMarkup, ::testing::ValuesIn(kMarkup),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HelpFile, OutsideTheFolderOrNotARegularFileIsNotRead) {
    const TempFolder dir(TempFolder::Entered);
    ASSERT_EQ(mkfifo("Lanternwick.HLP", 0600), 0);
    EXPECT_FALSE(LoadHelpContent("Lanternwick.HLP").has_value());  // and does not block
    EXPECT_FALSE(LoadHelpContent("/etc/hostname").has_value());
}

}  // namespace
