#pragma once
// How a level opens: its card (number and title, par, what to do there) over
// a view of the goal, then the camera flies from the goal to the start, so a
// player sees where the way leads before the first push. Any key or button
// pressed after it began skips the rest. It is no game time: the frame loop
// runs no step while it shows, so the run's clock stands at zero.

#include <optional>
#include <string>
#include <vector>

#include <glm/glm.hpp>

namespace velmora {
struct LevelEntry;
class Simulation;
}  // namespace velmora

namespace velmora::app {

constexpr double kCardSeconds = 2.5;    // the card over the goal, before the camera moves
constexpr double kFlightSeconds = 3.0;  // from the goal to the start
constexpr double kLongestIntroFrame = 0.1;  // a stall does not eat the card

// "Level 2: In tow", "Par 1:00", then the level's aim when it has one.
std::vector<std::string> levelCardLines(const LevelEntry& level, int number);

// Where the level's goal lies, the centre of its "win" trigger; none without one.
std::optional<glm::vec3> goalPosition(const Simulation& simulation);

struct ShellState;

struct LevelIntro {
    bool active = false;
    double age = 0.0;  // seconds shown, frames capped at kLongestIntroFrame
    std::vector<std::string> card;
    std::optional<glm::vec3> goal;  // none: only the card, no flight
    // Keys and buttons down when it began (N that loaded the level, say):
    // each skips nothing until it has been let go.
    std::vector<int> heldKeys;
    std::vector<int> heldButtons;

    bool showsCard() const { return active && age < kCardSeconds; }
};

// Starts the intro of a level; keys are read to know which are already held.
void beginLevelIntro(LevelIntro& intro, const LevelEntry& level, int number, const Simulation& simulation);

// The intro of the shell's level of the set, when it shows intros at all.
void openLevelIntro(ShellState& shell);

// One frame: ends it on a fresh key or button press or once the flight is
// over; otherwise ages it by dt.
void advanceLevelIntro(LevelIntro& intro, double dt);

// The camera (camera to world) while it shows: over the goal during the
// card, then flying to `arrival`, the follow camera's own matrix at the
// start, which it reaches exactly at the end. Unchanged when not active.
glm::mat4 introCamera(const LevelIntro& intro, const glm::mat4& arrival);

}  // namespace velmora::app
