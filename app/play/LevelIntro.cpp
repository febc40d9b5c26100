#include "app/play/LevelIntro.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include <glm/gtc/matrix_transform.hpp>

#include "app/shell/ShellState.h"
#include "level/LevelSet.h"
#include "physics/Physics.h"
#include "platform/Window.h"
#include "sim/Simulation.h"
#include "sim/Trigger.h"
#include "sim/World.h"

namespace velmora::app {

namespace {

constexpr float kGoalViewBack = 7.0f;   // metres from the goal towards the start
constexpr float kGoalViewUp = 8.0f;     // metres above it
constexpr float kFlightArc = 4.0f;      // the flight rises this much mid-way, over the walls
constexpr float kArrivalLookAhead = 6.0f;

std::string parText(long steps) {
    const long seconds = steps / 60;
    char text[32];
    std::snprintf(text, sizeof text, "Par %ld:%02ld", seconds / 60, seconds % 60);
    return text;
}

bool down(int state) { return state == platform::PRESS; }

// Every key code and mouse button down now.
void readHeld(std::vector<int>& keys, std::vector<int>& buttons) {
    keys.clear();
    buttons.clear();
    for (int key = 1; key <= platform::KEY_LAST; ++key) {
        if (down(platform::getKey(key))) keys.push_back(key);
    }
    for (int button = 0; button <= platform::MOUSE_BUTTON_LAST; ++button) {
        if (down(platform::getMouseButton(button))) buttons.push_back(button);
    }
}

// Whether a key or button not in `held` is down; held ones let go leave it.
bool freshPress(std::vector<int>& held, const std::vector<int>& now) {
    held.erase(std::remove_if(held.begin(), held.end(),
                              [&](int code) { return std::find(now.begin(), now.end(), code) == now.end(); }),
               held.end());
    for (int code : now) {
        if (std::find(held.begin(), held.end(), code) == held.end()) return true;
    }
    return false;
}

glm::mat4 cameraLookingAt(glm::vec3 eye, glm::vec3 target) {
    return glm::inverse(glm::lookAt(eye, target, glm::vec3(0.0f, 1.0f, 0.0f)));
}

}  // namespace

std::vector<std::string> levelCardLines(const LevelEntry& level, int number) {
    std::vector<std::string> lines;
    lines.push_back("Level " + std::to_string(number) + ": " + level.title);
    if (level.parSteps > 0) lines.push_back(parText(level.parSteps));
    if (!level.aim.empty()) lines.push_back(level.aim);
    return lines;
}

std::optional<glm::vec3> goalPosition(const Simulation& simulation) {
    for (const auto& [actor, trigger] : simulation.world().triggerRegistry) {
        if (actor == nullptr || trigger == nullptr || trigger->actions.count("win") == 0) continue;
        physics::Shape* shape = nullptr;
        if (actor->getShapes(&shape, 1) != 1 || shape == nullptr) continue;
        const physics::Bounds bounds = shape->getWorldBounds();
        return 0.5f * (bounds.minimum + bounds.maximum);
    }
    return std::nullopt;
}

void beginLevelIntro(LevelIntro& intro, const LevelEntry& level, int number, const Simulation& simulation) {
    intro.active = true;
    intro.age = 0.0;
    intro.card = levelCardLines(level, number);
    intro.goal = goalPosition(simulation);
    readHeld(intro.heldKeys, intro.heldButtons);
}

void openLevelIntro(ShellState& shell) {
    shell.intro = LevelIntro{};
    if (!shell.showLevelIntros || shell.levelIndex < 0 || shell.simulation == nullptr) return;
    beginLevelIntro(shell.intro, shell.levels.levels[static_cast<size_t>(shell.levelIndex)], shell.levelIndex + 1,
                    *shell.simulation);
}

void advanceLevelIntro(LevelIntro& intro, double dt) {
    if (!intro.active) return;
    std::vector<int> keys, buttons;
    readHeld(keys, buttons);
    const bool keyPressed = freshPress(intro.heldKeys, keys);
    const bool buttonPressed = freshPress(intro.heldButtons, buttons);
    intro.age += std::clamp(dt, 0.0, kLongestIntroFrame);
    const double length = intro.goal ? kCardSeconds + kFlightSeconds : kCardSeconds;
    if (keyPressed || buttonPressed || intro.age >= length) intro.active = false;
}

glm::mat4 introCamera(const LevelIntro& intro, const glm::mat4& arrival) {
    if (!intro.active || !intro.goal) return arrival;
    const glm::vec3 goal = *intro.goal;
    const glm::vec3 arrivalEye(arrival[3]);
    const glm::vec3 arrivalTarget = arrivalEye - glm::vec3(arrival[2]) * kArrivalLookAhead;
    // Over the goal, a little back towards the start, so the way in shows.
    glm::vec3 back = arrivalEye - goal;
    back.y = 0.0f;
    back = glm::length(back) > 0.01f ? glm::normalize(back) : glm::vec3(0.0f, 0.0f, 1.0f);
    const glm::vec3 goalEye = goal + back * kGoalViewBack + glm::vec3(0.0f, kGoalViewUp, 0.0f);
    const double flown = std::clamp((intro.age - kCardSeconds) / kFlightSeconds, 0.0, 1.0);
    if (flown >= 1.0) return arrival;
    const float s = static_cast<float>(flown * flown * (3.0 - 2.0 * flown));  // eases in and out
    const glm::vec3 eye = glm::mix(goalEye, arrivalEye, s) +
                          glm::vec3(0.0f, kFlightArc * std::sin(3.14159265f * s), 0.0f);
    const glm::vec3 target = glm::mix(goal, arrivalTarget, s);
    return cameraLookingAt(eye, target);
}

}  // namespace velmora::app
