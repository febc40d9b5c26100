// Every screen of text (the level's card, the help, the pause menu, Settings,
// Levels and the win screen) drawn by the game's own HUD and menu code on the real context,
// at the smallest, a middling and the largest window the game supports: each
// line must stand inside the window and inside its panel, and no panel may
// be drawn over a line already on the screen (one screen showing through or
// covering another).

#include <gtest/gtest.h>

#include <GL/glew.h>

#include <functional>
#include <string>
#include <vector>

#include "app/hud/Hud.h"
#include "app/menu/MenuDraw.h"
#include "app/menu/MenuEntries.h"
#include "app/play/LevelIntro.h"
#include "app/online/LeaderboardLink.h"
#include "app/play/LevelProgress.h"
#include "app/shell/ShellOptions.h"
#include "level/LevelSet.h"
#include "screen/DrawnBoxes.h"
#include "screen/TextFit.h"
#include "screen/TextRenderer.h"
#include "sim/RunClock.h"
#include "tests/gl/ShellFixture.h"

using namespace velmora;

namespace {

bool inside(const DrawnBox& inner, const DrawnBox& outer) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.width <= outer.x + outer.width &&
           inner.y + inner.height <= outer.y + outer.height;
}

bool overlap(const DrawnBox& a, const DrawnBox& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

// Blanks runs made one, so that a line wrapped at a gap still reads as a whole.
std::string squeezed(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c != ' ' || (!out.empty() && out.back() != ' ')) out += c;
    }
    return out;
}

struct Screen {
    const char* name;
    std::function<void(app::ShellState&)> open;
    // Texts that must stand on a panel, wrapped or not, for the level given.
    std::function<std::vector<std::string>(const LevelEntry&, int number)> mustShow;
};

std::string parText(long steps) {
    const std::string text = runTimeText(steps);
    return text.substr(0, text.size() - 3);
}

// The longest run a level may show, so its time is as wide as a time gets.
constexpr long kLongestSteps = 10 * 60 * 60 - 1;

// The level whose title is the longest; not the last, so that a next one is open.
int longestTitled(const LevelSet& set) {
    int longest = 0;
    for (int i = 0; i + 1 < static_cast<int>(set.levels.size()); ++i) {
        if (set.levels[static_cast<size_t>(i)].title.size() > set.levels[static_cast<size_t>(longest)].title.size()) {
            longest = i;
        }
    }
    return longest;
}

void pauseOn(app::ShellState& shell, app::MenuScreen screen) {
    shell.session.paused = true;
    shell.menu.open = true;
    shell.menu.screen = screen;
}

const std::vector<Screen>& screens() {
    static const std::vector<Screen> all = {
        {"level card",
         [](app::ShellState& shell) {
             const int longest = longestTitled(shell.levels);
             shell.intro.active = true;
             shell.intro.card = app::levelCardLines(shell.levels.levels[static_cast<size_t>(longest)], longest + 1);
             app::showStatusMessage(shell.options, "Transparency disabled");  // the card stands in its place
         },
         [](const LevelEntry& level, int number) {
             return std::vector<std::string>{"Level " + std::to_string(number) + ": " + level.title,
                                             "Par " + parText(level.parSteps), level.aim};
         }},
        {"help",
         [](app::ShellState& shell) {
             shell.options.showHelp = true;
             app::showStatusMessage(shell.options, "Transparency disabled");
             // The longest the leaderboard's corner line gets: a rejection with the checker's line.
             shell.options.leaderboardLine =
                 "Leaderboard: rejected: the run does not reach the goal: it ends 1:02.50 into the level";
         },
         [](const LevelEntry&, int) {
             return std::vector<std::string>{"Aim:", "F11, Alt+Enter: full screen", "F5: Filtering",
                                             "Transparency disabled"};
         }},
        {"pause menu", [](app::ShellState& shell) { pauseOn(shell, app::MenuScreen::pause); },
         [](const LevelEntry&, int) { return std::vector<std::string>{"Paused", "Resume", "Quit"}; }},
        {"settings",
         [](app::ShellState& shell) {
             pauseOn(shell, app::MenuScreen::settings);
             shell.menu.selected = app::settingsEntryCount() - 2;  // scrolled to the keys
             shell.menu.message = "Keypad5 already does: show or hide the ghost";
         },
         [](const LevelEntry&, int) {
             return std::vector<std::string>{"Settings", "Key to mute", "Back", "Keypad5 already does"};
         }},
        {"levels",
         [](app::ShellState& shell) {
             pauseOn(shell, app::MenuScreen::levels);
             shell.menu.standings.assign(shell.levels.levels.size(), {kLongestSteps, true, true});
             shell.menu.standings.back() = {-1, false, false};
             shell.menu.message = "Finish the level before it to open this one";
         },
         [](const LevelEntry& level, int number) {
             return std::vector<std::string>{
                 "Levels", std::to_string(number) + " " + level.title + " par " + parText(level.parSteps) + " best 9:59.98",
                 "Back", "Finish the level before it to open this one"};
         }},
        {"levels with a leaderboard",
         [](app::ShellState& shell) {
             pauseOn(shell, app::MenuScreen::levels);
             shell.menu.standings.assign(shell.levels.levels.size(), {kLongestSteps, true, true});
             const int longest = longestTitled(shell.levels);
             shell.menu.selected = shell.menu.boardLevel = longest;
             // Nowhere: the table is set here, as the sender would set it.
             shell.leaderboard = std::make_unique<app::RunSender>(app::SenderSetup{"http://127.0.0.1:1", "", "", ""});
             const LevelEntry& level = shell.levels.levels[static_cast<size_t>(longest)];
             std::vector<std::string> table = {"Leaderboard: " + level.title};
             for (int rank = 1; rank <= 10; ++rank) table.push_back(std::to_string(rank) + "th  twenty-letter-name-x  9:59.98");
             table.push_back("...");
             table.push_back("> 1000th  twenty-letter-name-x  9:59.98");
             shell.menu.boardIdentity = app::leaderboardLevel(level);
             shell.leaderboard->state().setLevelBoard(shell.menu.boardIdentity, table);
         },
         [](const LevelEntry& level, int) {
             return std::vector<std::string>{"Race the record: off", "Back", "Leaderboard: " + level.title,
                                             "1th twenty-letter-name-x 9:59.98"};
         }},
        {"win screen",
         [](app::ShellState& shell) {
             shell.options.gameWon = true;
             shell.levelIndex = longestTitled(shell.levels);
             shell.session.timedSteps = kLongestSteps;
             shell.session.bestSteps = kLongestSteps - 75;
             shell.session.previousBestSteps = kLongestSteps - 75;
             shell.session.nextLevelOpen = true;
         },
         [](const LevelEntry& level, int number) {
             return std::vector<std::string>{"Level " + std::to_string(number) + ": " + level.title,
                                             "You won the game!", "Time 9:59.98 Par " + parText(level.parSteps),
                                             "Best 9:58.73, 1.25 s slower", "N: next level", "Esc: quit"};
         }},
    };
    return all;
}

class ScreenFit : public test::ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        shell.levels = app::shippedLevelSet();
        drawnBoxLog = &boxes;
    }
    void TearDown() override {
        drawnBoxLog = nullptr;
        shell.textRenderer->setScreenSize(shell.screenWidth, shell.screenHeight);
        ShellFixture::TearDown();
    }

    std::vector<DrawnBox> boxes;
};

}  // namespace

TEST_F(ScreenFit, EveryLineOfEveryScreenStandsInsideTheWindowAndItsPanelAtEverySize) {
    ASSERT_GE(shell.levels.levels.size(), 4u);
    const int contextW = shell.screenWidth;
    const int contextH = shell.screenHeight;
    const struct { int width, height; } sizes[] = {{640, 360}, {1280, 720}, {3840, 2160}};
    for (const auto& size : sizes) {
        for (const Screen& screen : screens()) {
            SCOPED_TRACE(std::string(screen.name) + " at " + std::to_string(size.width) + "x" +
                         std::to_string(size.height));
            shell.options = app::ShellOptions{};
            shell.session = app::PlaySession{};
            shell.menu = app::PauseMenu{};
            shell.intro = app::LevelIntro{};
            shell.leaderboard.reset();
            shell.session.startHintAge = 100.0;
            shell.options.showFrameTime = true;  // the readout that must stay clear of every panel
            screen.open(shell);
            shell.screenWidth = size.width;
            shell.screenHeight = size.height;
            shell.textRenderer->setScreenSize(size.width, size.height);
            boxes.clear();
            glBindFramebuffer(GL_FRAMEBUFFER, 0);
            glViewport(0, 0, size.width, size.height);
            app::drawHud(1.0 / 60.0, shell);
            app::drawPauseMenu(shell);
            shell.screenWidth = contextW;
            shell.screenHeight = contextH;

            const DrawnBox window{false, 0, 0, size.width, size.height, {}};
            std::string onPanels;
            for (size_t i = 0; i < boxes.size(); ++i) {
                const DrawnBox& box = boxes[i];
                EXPECT_TRUE(inside(box, window)) << (box.text ? box.label : "a panel") << " at " << box.x
                                                 << "," << box.y << " " << box.width << "x" << box.height;
                if (!box.text) {
                    for (size_t before = 0; before < i; ++before) {
                        EXPECT_FALSE(boxes[before].text && overlap(boxes[before], box))
                            << "a panel drawn over \"" << boxes[before].label << "\"";
                    }
                    continue;
                }
                EXPECT_GE(box.height, kSmallestTextSize) << box.label;
                bool onPanel = false;
                for (const DrawnBox& panel : boxes) {
                    if (panel.text) continue;
                    if (inside(box, panel)) onPanel = true;
                }
                for (const DrawnBox& panel : boxes) {
                    EXPECT_TRUE(panel.text || onPanel || !overlap(box, panel))
                        << "\"" << box.label << "\" half on a panel";
                }
                if (onPanel) onPanels += box.label + " ";
            }
            const int longest = longestTitled(shell.levels);
            for (const std::string& wanted : screen.mustShow(shell.levels.levels[static_cast<size_t>(longest)], longest + 1)) {
                EXPECT_NE(squeezed(onPanels).find(squeezed(wanted)), std::string::npos)
                    << "\"" << wanted << "\" is on no panel: " << onPanels;
            }
        }
    }
    shell.options = app::ShellOptions{};
    shell.intro = app::LevelIntro{};
    shell.leaderboard.reset();
}
