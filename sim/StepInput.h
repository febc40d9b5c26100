#pragma once
// What one physics step of the game is given: everything a run depends on
// besides the level and the start. A run is the level plus the StepInput of
// each of its steps, so recording these is recording the run.

#include <glm/glm.hpp>

namespace velmora {

struct StepInput {
    // The push on the main sphere during this step, in newtons and world
    // space, as it reaches the sphere (the keys' direction already turned by
    // the camera and scaled).
    glm::vec3 push{0.0f};
    // The magnet: pull the second sphere towards the main one when close, or
    // push it away.
    bool coupled = true;
    // Put everything back as a fresh load has it before this step runs.
    bool restart = false;

    bool operator==(const StepInput& other) const {
        return push == other.push && coupled == other.coupled && restart == other.restart;
    }
    bool operator!=(const StepInput& other) const { return !(*this == other); }
};

}  // namespace velmora
