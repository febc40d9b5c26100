#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/hud/HelpText.h"
#include "app/hud/Hud.h"
#include "app/hud/HudFrame.h"
#include "app/hud/HudLines.h"
#include "app/hud/StartHint.h"
#include "app/input/OptionKeyTable.h"
#include "app/menu/MenuEntries.h"
#include "app/shell/ShellOptions.h"
#include "platform/KeyCodes.h"

using namespace velmora::app;

namespace {

class HudFrames : public testing::Test {
protected:
    HudFrame frame(double dt, int width = 1920, int height = 1080) {
        view.screenWidth = width;
        view.screenHeight = height;
        return hudFrame(dt, view, options, hintAge);
    }
    ShellOptions options;
    static std::vector<std::string> texts(const std::vector<HudLine>& lines) {
        std::vector<std::string> out;
        for (const HudLine& line : lines) out.push_back(line.text);
        return out;
    }
    static bool inside(const HudLine& line, const ScreenBox& box) {
        return line.x >= box.x && line.y >= box.y && line.x + static_cast<int>(line.text.size()) * line.size <= box.x + box.width &&
               line.y + line.size <= box.y + box.height;
    }

    HudView view;
    double hintAge = kStartHintSeconds;  // the start hint has had its time
};

std::string joined(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& line : lines) all += line + "\n";
    return all;
}

}  // namespace

TEST_F(HudFrames, StatusMessageShowsOnItsPanelForTwoSecondsAndTheWinScreenTakesItsPlace) {
    showStatusMessage(options, "Shadows disabled");
    HudFrame hud = frame(0.5);
    ASSERT_EQ(hud.panels.size(), 1u);
    ASSERT_EQ(texts(hud.panels[0].lines), (std::vector<std::string>{"Shadows disabled"}));
    const HudLine& line = hud.panels[0].lines[0];
    EXPECT_EQ(line.x, 384);  // w/5, h - h/3 at full size
    EXPECT_EQ(line.y, 720);
    EXPECT_EQ(line.size, 25);
    EXPECT_TRUE(inside(line, hud.panels[0].panel));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(frame(0.5).panels.size(), 1u) << i;  // age 0.5 .. 1.5
    EXPECT_TRUE(frame(0.5).panels.empty());  // age 2.0: gone
    EXPECT_FALSE(options.statusMessageVisible);

    // A newer message replaces the old one and starts its two seconds again.
    showStatusMessage(options, "Shadows enabled");
    frame(1.9);
    showStatusMessage(options, "Transparency disabled");
    EXPECT_EQ(texts(frame(1.9).panels.at(0).lines), (std::vector<std::string>{"Transparency disabled"}));

    // A long message on a small screen stays whole on the screen.
    showStatusMessage(options, "Finish the level before it to open this one");
    hud = frame(0.1, 640, 360);
    for (const HudLine& part : hud.panels.at(0).lines) EXPECT_TRUE(inside(part, {0, 0, 640, 360})) << part.text;

    view.won = true;
    view.win.level = "Level 1: First roll";
    for (int i = 0; i < 3; ++i) {
        hud = frame(1.0);
        ASSERT_EQ(hud.panels.size(), 1u);
        const std::vector<HudLine>& win = hud.panels[0].lines;
        ASSERT_GE(win.size(), 4u);
        EXPECT_EQ(win[0].text, "Level 1: First roll");
        EXPECT_EQ(win[1].text, "You won the game!");
        EXPECT_EQ(win[1].size, 30);
        EXPECT_EQ(win[1].y, 720);
        EXPECT_EQ(win[1].x * 2 + 17 * 30, 1920);  // centred
    }
}

TEST_F(HudFrames, FrameTimeLinesAreBuiltAtOnceThenHeldForAtLeastATimerPeriod) {
    options.showFrameTime = true;
    view.drawnObjectCount = 42;
    std::vector<HudLine> lines = frame(0.0167).lines;
    EXPECT_EQ(texts(lines), (std::vector<std::string>{"59fps, time:16ms", "Objects:42", "scale:100%"}));
    EXPECT_EQ(lines[0].x, 50);
    EXPECT_EQ(lines[0].y, 60);
    EXPECT_EQ(lines[1].y, 40);
    EXPECT_EQ(lines[1].size, 20);
    // Held: the figures of later frames appear only once 0.15 s have passed.
    view.drawnObjectCount = 7;
    EXPECT_EQ(texts(frame(0.1).lines), texts(lines));
    EXPECT_EQ(texts(frame(0.04).lines), texts(lines));
    view.renderScale = 75;
    EXPECT_EQ(texts(frame(0.0625).lines), (std::vector<std::string>{"16fps, time:62ms", "Objects:7", "scale:75%"}));

    // Hidden, the timer stands still; shown again, the old lines come back.
    options.showFrameTime = false;
    view.drawnObjectCount = 9;
    EXPECT_TRUE(frame(5.0).lines.empty());
    options.showFrameTime = true;
    EXPECT_EQ(texts(frame(0.05).lines)[1], "Objects:7");
    // With the menu open it is the one thing the HUD still shows.
    view.menuOpen = true;
    options.showHelp = true;
    showStatusMessage(options, "Shadows disabled");
    const HudFrame paused = frame(0.05, 640, 360);
    EXPECT_TRUE(paused.panels.empty());
    ASSERT_EQ(texts(paused.lines), (std::vector<std::string>{"16fps, time:62ms", "Objects:7", "scale:75%"}));
    EXPECT_EQ(paused.lines[0].size, 10);  // smaller with the screen
}

TEST_F(HudFrames, FrameTimeLineSurvivesIntervalsOfZeroAndOfStartUpLength) {
    EXPECT_EQ(frameTimeLine(0.0167), "59fps, time:16ms");
    EXPECT_EQ(frameTimeLine(3.5), "0fps, time:3500ms");
    // A clock too coarse to see the frame pass: no rate to divide by.
    EXPECT_EQ(frameTimeLine(0.0), "0fps, time:0ms");
    EXPECT_EQ(frameTimeLine(1e-12), "2147483647fps, time:0ms");
}

// The help names every key the game answers as it is bound now, and the
// option keys by the names the settings screen gives them.
TEST_F(HudFrames, HelpIsMadeFromTheBindingsAndTheOptionKeysAndCarriesTheStatusMessage) {
    const std::string help = joined(helpLines(KeyBindings{}));
    for (const char* entry : {"W A S D: roll", "Wheel: zoom", "Left button: couple", "Right button: uncouple",
                              "R: restart", "P: pause", "N: next level", "V: show the run again",
                              "B: show the best run", "G: show or hide the ghost", "M: mute", "+ and -: replay speed",
                              "F11, Alt+Enter: full screen", "Escape, Q: quit", "F5: Filtering", "F8: Culling"}) {
        EXPECT_NE(help.find(entry), std::string::npos) << entry;
    }
    KeyBindings moved;
    ASSERT_EQ(rebind(moved, KeyAction::restart, 'K'), "");
    const std::string rebound = joined(helpLines(moved));
    EXPECT_NE(rebound.find("K: restart"), std::string::npos);
    EXPECT_EQ(rebound.find("R: restart"), std::string::npos);

    Settings settings;
    std::set<std::string> labels;
    for (int entry = 0; entry < settingsEntryCount(); ++entry) {
        const std::string text = settingsEntryText(settings, entry);
        labels.insert(text.substr(0, text.find(':')));
    }
    for (const OptionKeyUse& use : optionKeyUses()) {
        if (use.key == velmora::platform::KEY_F1) continue;  // the help is no setting
        EXPECT_EQ(labels.count(use.name), 1u) << use.name;
    }

    options.showHelp = true;
    showStatusMessage(options, "Filtering: nearest");
    const HudFrame hud = frame(0.1);
    ASSERT_EQ(hud.panels.size(), 1u);
    const std::vector<HudLine>& lines = hud.panels[0].lines;
    EXPECT_EQ(lines.front().x, 96);  // w/20, at full size
    EXPECT_EQ(lines.front().size, 14);
    EXPECT_EQ(lines.back().text, "Filtering: nearest");
    for (const HudLine& line : lines) EXPECT_TRUE(inside(line, hud.panels[0].panel)) << line.text;
}

// The README's key table lists exactly the keys the help lists.
TEST(HelpText, ReadmeKeyTableHasARowForEachHelpEntryAndNoOther) {
    std::ifstream readme("README.md");
    ASSERT_TRUE(readme) << "run from the repository root";
    std::stringstream text;
    text << readme.rdbuf();
    const std::string all = text.str();
    const size_t start = all.find("\n## Keys\n");
    ASSERT_NE(start, std::string::npos);
    const size_t end = all.find("\n\n", all.find("| key |", start));
    std::set<std::string> readmeKeys;
    std::istringstream rows(all.substr(start, end - start));
    const std::regex row(R"(^\| ([^|]+?) \| .*\|$)");
    for (std::string line; std::getline(rows, line);) {
        std::smatch match;
        if (std::regex_match(line, match, row) && match[1] != "key" && match[1].str().find("---") == std::string::npos) {
            readmeKeys.insert(match[1]);
        }
    }
    std::set<std::string> helpKeys;
    for (const std::vector<HelpEntry>& group : helpGroups(KeyBindings{})) {
        for (const HelpEntry& entry : group) helpKeys.insert(entry.keys);
    }
    EXPECT_EQ(readmeKeys, helpKeys);
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
