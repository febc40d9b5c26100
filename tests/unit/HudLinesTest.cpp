#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/hud/Hud.h"
#include "app/hud/HudLines.h"
#include "app/shell/ShellOptions.h"
#include "app/hud/StartHint.h"

using namespace velmora::app;

namespace {

class HudLines : public testing::Test {
protected:
    std::vector<HudLine> frame(double dt, int objects = 0) {
        return hudLinesForFrame(dt, 1920, 1080, objects, options);
    }
    ShellOptions options;
    static std::vector<std::string> texts(const std::vector<HudLine>& lines) {
        std::vector<std::string> out;
        for (const HudLine& line : lines) out.push_back(line.text);
        return out;
    }
};

}  // namespace

TEST_F(HudLines, HelpLinesStepDownFromTheTopLeftControlsFirstThenOptionKeysThatDoSomething) {
    EXPECT_TRUE(frame(0.016).empty());
    options.showHelp = true;
    const std::vector<HudLine> lines = frame(0.016);
    ASSERT_EQ(lines.size(), static_cast<size_t>(kHelpLineCount));
    for (size_t k = 0; k < lines.size(); ++k) {
        EXPECT_EQ(lines[k].x, 96) << k;
        EXPECT_EQ(lines[k].y, 990 - 14 * static_cast<int>(k)) << k;
        EXPECT_EQ(lines[k].size, 14) << k;
        EXPECT_EQ(lines[k].text.rfind("F4", 0), std::string::npos) << lines[k].text;
    }
    // The aim, then every control a first game needs, before the options.
    std::string controls;
    for (int k = 0; k < kControlHelpLines; ++k) controls += lines[k].text + "\n";
    EXPECT_EQ(lines.front().text.rfind("Aim:", 0), 0u);
    for (const char* control : {"W A S D", "arrow keys", "wheel", "Left button-Couple",
                                "Right button-Uncouple", "R-Restart", "P-Pause", "Q-Quit"}) {
        EXPECT_NE(controls.find(control), std::string::npos) << control;
    }
    EXPECT_EQ(lines[kControlHelpLines].text, "F1-Help");
    EXPECT_EQ(lines.back().text, "F9-Transparency on/off");
    // Odd sizes truncate: 1366 / 20 = 68.3, 768 - 64 = 704.
    EXPECT_EQ(hudLinesForFrame(0.016, 1366, 768, 0, options).front().x, 68);
    EXPECT_EQ(hudLinesForFrame(0.016, 1366, 768, 0, options).front().y, 704);
}

TEST_F(HudLines, StatusMessageShowsForTwoSecondsAndTheWinMessageForGood) {
    showStatusMessage(options, "Shadows disabled");
    std::vector<HudLine> lines = frame(0.5);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, "Shadows disabled");
    EXPECT_EQ(lines[0].x, 384);
    EXPECT_EQ(lines[0].y, 720);
    EXPECT_EQ(lines[0].size, 25);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(frame(0.5).size(), 1u) << i;  // age 0.5 .. 1.5
    EXPECT_TRUE(frame(0.5).empty());  // age 2.0: gone
    EXPECT_FALSE(options.statusMessageVisible);

    // A newer message replaces the old one and starts its two seconds again.
    showStatusMessage(options, "Shadows enabled");
    frame(1.9);
    showStatusMessage(options, "Transparency disabled");
    EXPECT_EQ(texts(frame(1.9)), (std::vector<std::string>{"Transparency disabled"}));

    options.gameWon = true;
    for (int i = 0; i < 5; ++i) {
        lines = frame(1.0);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0].text, "You won the game!");
        EXPECT_EQ(lines[0].size, 30);
        EXPECT_EQ(lines[0].x * 2 + 17 * 30, 1920);  // centred
    }
}

TEST_F(HudLines, FrameTimeLinesAreBuiltAtOnceThenHeldForAtLeastATimerPeriod) {
    options.showFrameTime = true;
    std::vector<HudLine> lines = frame(0.0167, 42);
    EXPECT_EQ(texts(lines), (std::vector<std::string>{"59fps, time:16ms", "Objects:42"}));
    EXPECT_EQ(lines[0].x, 50);
    EXPECT_EQ(lines[0].y, 60);
    EXPECT_EQ(lines[1].y, 40);
    EXPECT_EQ(lines[1].size, 20);
    // Held: the figures of later frames appear only once 0.15 s have passed.
    EXPECT_EQ(texts(frame(0.1, 7)), texts(lines));
    EXPECT_EQ(texts(frame(0.04, 7)), texts(lines));
    EXPECT_EQ(texts(frame(0.0625, 7)), (std::vector<std::string>{"16fps, time:62ms", "Objects:7"}));

    // Hidden, the timer stands still; shown again, the old lines come back.
    options.showFrameTime = false;
    EXPECT_TRUE(frame(5.0, 9).empty());
    options.showFrameTime = true;
    EXPECT_EQ(texts(frame(0.05, 9))[1], "Objects:7");
}

TEST_F(HudLines, FrameTimeLineSurvivesIntervalsOfZeroAndOfStartUpLength) {
    EXPECT_EQ(frameTimeLine(0.0167), "59fps, time:16ms");
    EXPECT_EQ(frameTimeLine(3.5), "0fps, time:3500ms");
    // A clock too coarse to see the frame pass: no rate to divide by.
    EXPECT_EQ(frameTimeLine(0.0), "0fps, time:0ms");
    EXPECT_EQ(frameTimeLine(1e-12), "2147483647fps, time:0ms");
}

// Shown for its seconds of frames, however long the loading frame took; an
// opened help ends it for good.
TEST(StartHint, ShowsF1ForTheFirstSecondsOfFramesAndEndsWithTheHelp) {
    for (const bool openHelp : {false, true}) {
        double age = 0.0;
        std::vector<HudLine> lines;
        addStartHint(lines, age, 12.0, false, 1920, 1080);  // the loading frame
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0].text, "F1: help");
        EXPECT_EQ(lines[0].x + 4 * lines[0].size, 960);  // centred
        if (openHelp) addStartHint(lines, age, 0.016, true, 1920, 1080);
        for (int frame = 0; frame < 60 * 5; ++frame) addStartHint(lines, age, 1.0 / 60.0, false, 1920, 1080);
        EXPECT_EQ(lines.size(), openHelp ? 1u : 301u) << openHelp;  // 5.1 s
        for (int frame = 0; frame < 60; ++frame) addStartHint(lines, age, 1.0 / 60.0, false, 1920, 1080);
        lines.clear();
        addStartHint(lines, age, 1.0 / 60.0, false, 1920, 1080);
        EXPECT_TRUE(lines.empty()) << openHelp;
    }
}
