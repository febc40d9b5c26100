#include "app/StartCamera.h"

#include <glm/gtc/matrix_transform.hpp>

namespace velmora::app {

CameraMatrices startCamera(int screenWidth, int screenHeight, float fieldOfViewDegrees) {
    const glm::vec3 mainSphereStart(-1.0f, 0.1f, -24.0f);
    const float startDistance = 6.0f;
    CameraMatrices matrices;
    matrices.projection =
        glm::perspective(glm::radians(fieldOfViewDegrees),
                         static_cast<float>(screenWidth) / static_cast<float>(screenHeight), 0.1f,
                         500.0f);
    matrices.camera = glm::translate(glm::mat4(1.0f), mainSphereStart) *
                      glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, 0.0f, startDistance));
    return matrices;
}

}  // namespace velmora::app
