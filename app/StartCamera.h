#pragma once
// The camera matrices the frame loop hands to the renderer. Until the player
// can steer the camera, it stands where the orbit camera first stands: six
// units behind the main sphere's start, level with it, looking at it.

#include <glm/glm.hpp>

namespace velmora::app {

struct CameraMatrices {
    glm::mat4 camera{1.0f};      // camera to world
    glm::mat4 projection{1.0f};  // perspective, near 0.1, far 500
};

CameraMatrices startCamera(int screenWidth, int screenHeight, float fieldOfViewDegrees);

}  // namespace velmora::app
