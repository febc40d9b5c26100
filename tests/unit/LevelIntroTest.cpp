// A level's intro: the card's lines as the player reads them, the keys that
// skip it, and the camera's flight from the goal to where the follow camera
// starts.

#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

#include "app/hud/HudMetrics.h"
#include "app/hud/LevelCard.h"
#include "app/play/LevelIntro.h"
#include "level/LevelSet.h"
#include "platform/Window.h"

namespace velmora::app {
namespace {

LevelSet shippedSet() {
    std::vector<std::string> problems;
    return loadLevelSet(kLevelSetFile, problems).value();
}

TEST(LevelCard, EachShippedLevelSaysItsNumberTitleParAndAimOnItsPanelClearOfTheGoalAndTheStartHint) {
    const LevelSet set = shippedSet();
    const LevelEntry& first = set.levels.front();
    EXPECT_EQ(levelCardLines(first, 1),
              (std::vector<std::string>{"Level 1: First roll", "Par 0:40", first.aim}));
    for (size_t i = 0; i < set.levels.size(); ++i) {
        const std::vector<std::string> card = levelCardLines(set.levels[i], static_cast<int>(i) + 1);
        std::string wanted;
        for (const std::string& line : card) wanted += line + " ";
        for (const auto& [width, height] : {std::pair{1280, 720}, std::pair{640, 360}}) {
            SCOPED_TRACE(set.levels[i].name + " at " + std::to_string(width));
            const TextPanel panel = levelCardPanel(card, width, height);
            std::string read;
            for (size_t l = 0; l < panel.lines.size(); ++l) {
                read += panel.lines[l].text + " ";
                if (l > 0) {
                    EXPECT_LT(panel.lines[l].y + panel.lines[l].size, panel.lines[l - 1].y) << "lines overlap";
                }
            }
            EXPECT_EQ(read, wanted) << "wrapped lines read back in order, every word kept";
            // The start hint's line: a corner size high at a sixth of the height.
            EXPECT_GT(panel.panel.y, height / 6 + cornerTextSize(height));
            // The goal the card shows stands in the middle of the view.
            EXPECT_GT(panel.panel.y, height / 2) << "the card hides the goal";
        }
    }
    EXPECT_EQ(levelCardPanel({}, 1280, 720).panel.width, 0);
}

class IntroKeys : public ::testing::Test {
protected:
    void TearDown() override { platform::script::reset(); }
    LevelIntro intro;
    void begin() {
        LevelEntry level;
        level.title = "Test";
        intro.active = true;
        intro.age = 0.0;
        intro.card = levelCardLines(level, 1);
        intro.goal = glm::vec3(0.0f, 0.0f, -40.0f);
        intro.heldKeys = {};
        // What beginLevelIntro reads: keys held as it starts.
        for (int key = 1; key <= platform::KEY_LAST; ++key) {
            if (platform::getKey(key) == platform::PRESS) intro.heldKeys.push_back(key);
        }
    }
};

TEST_F(IntroKeys, AKeyStillHeldFromTheLastLevelSkipsNothingAFreshPressSkipsAtOnce) {
    platform::script::setKey('N', true);
    begin();
    advanceLevelIntro(intro, 0.016);
    EXPECT_TRUE(intro.active);
    platform::script::setKey('N', false);
    advanceLevelIntro(intro, 0.016);
    EXPECT_TRUE(intro.active);
    platform::script::setKey('N', true);  // pressed again: a fresh press
    advanceLevelIntro(intro, 0.016);
    EXPECT_FALSE(intro.active);
}

TEST_F(IntroKeys, AMouseButtonSkipsAndUntouchedItEndsAfterTheCardAndTheFlightWhateverTheStalls) {
    begin();
    platform::script::setMouseButton(platform::MOUSE_BUTTON_LEFT, true);
    advanceLevelIntro(intro, 0.016);
    EXPECT_FALSE(intro.active);
    platform::script::setMouseButton(platform::MOUSE_BUTTON_LEFT, false);
    begin();
    advanceLevelIntro(intro, 30.0);  // a stall is not the whole intro
    EXPECT_TRUE(intro.active);
    int frames = 1;
    while (intro.active && frames < 1000) {
        advanceLevelIntro(intro, 1.0 / 60.0);
        ++frames;
    }
    EXPECT_NEAR(frames / 60.0, kCardSeconds + kFlightSeconds, 0.1);
}

// Where a world point lands on screen, -1..1 both ways, seen by a camera.
glm::vec2 onScreen(const glm::mat4& camera, glm::vec3 point) {
    const glm::mat4 projection = glm::perspective(glm::radians(60.0f), 16.0f / 9.0f, 0.1f, 100.0f);
    const glm::vec4 clip = projection * glm::inverse(camera) * glm::vec4(point, 1.0f);
    EXPECT_GT(clip.w, 0.0f) << "behind the camera";
    return glm::vec2(clip) / clip.w;
}

TEST_F(IntroKeys, TheCameraShowsTheGoalUnderTheCardThenLandsExactlyOnTheFollowCamera) {
    begin();
    const glm::mat4 arrival = glm::inverse(glm::lookAt(glm::vec3(-1, 2.5f, -18), glm::vec3(-1, 0, -24), {0, 1, 0}));
    glm::mat4 camera = introCamera(intro, arrival);
    EXPECT_LT(glm::length(onScreen(camera, *intro.goal)), 0.01f);
    EXPECT_GT(camera[3].y, 5.0f) << "the goal is seen from above";
    intro.age = kCardSeconds + kFlightSeconds * 0.5;
    camera = introCamera(intro, arrival);
    EXPECT_GT(camera[3].y, arrival[3].y + 3.0f) << "mid-way the flight rises over the walls";
    intro.age = kCardSeconds + kFlightSeconds * 0.999;
    EXPECT_LT(glm::length(glm::vec3(introCamera(intro, arrival)[3] - arrival[3])), 0.05f);
    intro.active = false;
    EXPECT_EQ(introCamera(intro, arrival), arrival);
}

}  // namespace
}  // namespace velmora::app
