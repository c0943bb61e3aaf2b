// Taking a scenario line apart: command word, columns, label text; the command table.
// (The rest of the line and the comma form are tested through the commands.)
#include <gtest/gtest.h>

#include <QStringList>

#include "scenario/CommandTable.h"
#include "scenario/ScenarioLine.h"

namespace {

ScenarioLine L(const QString& text) { return ScenarioLine{1, text}; }

TEST(ScenarioLineTest, ColumnsAreOneBasedAndLabelsTheLastFiveCharacters) {
    const ScenarioLine line = L("circle   1 0240 0179 0050");
    EXPECT_EQ(line.commandWord(), "circle  ");
    EXPECT_EQ(line.columns(10, 1), "1");
    EXPECT_EQ(line.columns(12, 4), "0240");
    EXPECT_EQ(line.columns(22, 4), "0050");
    EXPECT_EQ(line.columns(24, 4), "50");
    EXPECT_EQ(line.columns(30, 4), "");
    // A label's text is the last five characters.
    EXPECT_EQ(LabelLineText(1), "_00001");
    EXPECT_EQ(LabelLineText(300), "_00300");
    EXPECT_EQ(LabelLineText(32767), "_32767");
    EXPECT_EQ(LabelLineText(-5), "_000-5");
    EXPECT_EQ(LabelLineText(-1), "_000-1");
    EXPECT_EQ(LabelLineText(-32768), "_32768");
}

TEST(CommandTableTest, WordsAreEightColumnsUniqueAndFoundLowerCasedOnly) {
    QStringList seen;
    for (const Command& command : CommandTable()) {
        const QString word = QString::fromLatin1(command.word);
        EXPECT_EQ(word.size(), 8) << command.word;
        EXPECT_EQ(word, word.toLower());
        EXPECT_FALSE(seen.contains(word)) << command.word;
        seen << word;
    }
    EXPECT_EQ(seen.size(), 22);
    // Commands are found by their lower-cased word only.
    EXPECT_NE(FindCommand(L("ANIME3   x")), nullptr);
    EXPECT_EQ(QString::fromLatin1(FindCommand(L("Anime3   x"))->word), "anime3  ");
    EXPECT_EQ(QString::fromLatin1(FindCommand(L("anime    x"))->word), "anime   ");
    EXPECT_EQ(FindCommand(L("keywait")), nullptr);
    EXPECT_EQ(FindCommand(L("_00001")), nullptr);
}

}  // namespace
