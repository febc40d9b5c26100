#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "screen/TextFit.h"

using namespace velmora;

TEST(TextFit, LinesWrapBetweenGroupsThenWordsAndCutOnlyAWordLongerThanALine) {
    const std::string keys = "N: next level   R: new run   V: watch it   Esc: quit";
    EXPECT_EQ(wrapText(keys, 60), (std::vector<std::string>{keys}));
    EXPECT_EQ(wrapText(keys, 30), (std::vector<std::string>{"N: next level   R: new run", "V: watch it   Esc: quit"}));
    EXPECT_EQ(wrapText(keys, 12),
              (std::vector<std::string>{"N: next", "level", "R: new run", "V: watch it", "Esc: quit"}));
    EXPECT_EQ(wrapText("Spikes! Back", 4), (std::vector<std::string>{"Spik", "es!", "Back"}));
    EXPECT_EQ(wrapText("", 10), (std::vector<std::string>{""}));
    for (int chars = 1; chars < 60; ++chars) {
        for (const std::string& line : wrapText(keys, chars)) EXPECT_LE(static_cast<int>(line.size()), chars);
    }
}

TEST(TextFit, SizeComesDownOnlyAsFarAsTheBoxNeedsAndNeverBelowReadable) {
    EXPECT_EQ(sizeToFit("You won the game!", 30, 1000), 30);
    EXPECT_EQ(sizeToFit("You won the game!", 30, 340), 20);
    EXPECT_EQ(sizeToFit("You won the game!", 30, 10), kSmallestTextSize);

    const std::vector<SizedLine> wanted = {{"Aim: reach the goal", 20}, {"", 20}, {"W A S D: roll", 20}};
    // Room for all at full size: unchanged, the gap kept.
    std::vector<SizedLine> fitted = fitLines(wanted, 1000, 1000);
    ASSERT_EQ(fitted.size(), 3u);
    EXPECT_EQ(fitted[0].size, 20);
    EXPECT_EQ(fitted[2].source, 2);
    EXPECT_EQ(linesHeight(fitted), 3 * lineAdvance(20));
    // Narrow: wrapped at full size while the height allows.
    fitted = fitLines(wanted, 200, 1000);
    EXPECT_EQ(fitted.size(), 5u);
    EXPECT_EQ(fitted[0].size, 20);
    EXPECT_LE(linesWidth(fitted), 200);
    // Narrow and low: smaller until it fits.
    fitted = fitLines(wanted, 200, 80);
    EXPECT_LE(linesHeight(fitted), 80);
    EXPECT_LE(linesWidth(fitted), 200);
    EXPECT_LT(fitted[0].size, 20);
    EXPECT_GE(fitted[0].size, kSmallestTextSize);
}
