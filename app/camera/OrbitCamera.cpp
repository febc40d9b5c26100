#include "app/camera/OrbitCamera.h"

#include <algorithm>

#include <glm/gtc/matrix_transform.hpp>

namespace velmora::app {

namespace {
// The bands on a 1280 x 720 window; other sizes scale them.
constexpr long kReferenceWidth = 1280;
constexpr long kReferenceHeight = 720;
constexpr long kMiddleBandHalfWidth = 200;
constexpr long kTopEdgeRow = 100;
constexpr long kBottomEdgeRow = 500;
constexpr float kNear = 0.1f;
constexpr float kFar = 500.0f;
}  // namespace

void orbitByCursor(OrbitAngles& angles, int x, int y, int screenWidth, int screenHeight, double dt,
                   const OrbitFeel& feel) {
    const float step = static_cast<float>(dt * feel.degreesPerSecond);
    const long half = screenWidth / 2;
    const long band = kMiddleBandHalfWidth * screenWidth / kReferenceWidth;
    const long top = kTopEdgeRow * screenHeight / kReferenceHeight;
    const long bottom = kBottomEdgeRow * screenHeight / kReferenceHeight;
    if (x < half - band) {
        angles.yaw += step;
    } else if (x > half + band) {
        angles.yaw -= step;
    }
    // Clamped after the step: a long frame (the first one holds the whole
    // start-up) would otherwise tip the camera under the floor or upside down.
    const bool lift = feel.invertTilt ? y > bottom : y < top;
    const bool lower = feel.invertTilt ? y < top : y > bottom;
    if (lift && angles.pitch < kHighestPitch) {
        angles.pitch = std::min(angles.pitch + step, kHighestPitch);
    } else if (lower && angles.pitch > kLowestPitch) {
        angles.pitch = std::max(angles.pitch - step, kLowestPitch);
    }
}

void orbitByStick(OrbitAngles& angles, const glm::vec2& push, double dt, const OrbitFeel& feel) {
    const float step = static_cast<float>(dt * feel.degreesPerSecond);
    const float tilt = feel.invertTilt ? -push.y : push.y;
    angles.yaw -= step * push.x;
    angles.pitch = std::clamp(angles.pitch - step * tilt, kLowestPitch, kHighestPitch);
}

float zoomDistance(int wheelPosition) {
    const float distance = kStartDistance - static_cast<float>(wheelPosition) * 0.3f;
    if (distance > 30.0f) {
        return 30.0f;
    }
    return distance < 2.0f ? 2.0f : distance;
}

glm::mat4 orbitCameraMatrix(const glm::vec3& target, const OrbitAngles& angles, float distance) {
    const glm::mat4 identity(1.0f);
    const glm::mat4 pitch =
        glm::rotate(identity, glm::radians(angles.pitch), glm::vec3(1.0f, 0.0f, 0.0f));
    const glm::mat4 yaw = glm::rotate(identity, glm::radians(angles.yaw), glm::vec3(0.0f, 1.0f, 0.0f));
    return glm::translate(identity, target) * yaw * pitch *
           glm::translate(identity, glm::vec3(0.0f, 0.0f, distance));
}

glm::mat4 cameraProjection(float fieldOfViewDegrees, int screenWidth, int screenHeight) {
    // A zero height (a window shrunk away) would make the aspect infinite.
    const float aspect =
        static_cast<float>(screenWidth) / static_cast<float>(std::max(screenHeight, 1));
    return glm::perspective(glm::radians(fieldOfViewDegrees), aspect, kNear, kFar);
}

}  // namespace velmora::app
