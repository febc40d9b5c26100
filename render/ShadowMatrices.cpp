#include "render/ShadowMatrices.h"

#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

namespace velmora {

namespace {

struct FaceAxes {
    glm::vec3 direction;
    glm::vec3 up;
};

// GL's cube-face convention: each face's up vector points along -Y, except the
// two Y faces, which look along +Z and -Z.
const FaceAxes kFaceAxes[6] = {
    {{1, 0, 0}, {0, -1, 0}}, {{-1, 0, 0}, {0, -1, 0}}, {{0, 1, 0}, {0, 0, 1}},
    {{0, -1, 0}, {0, 0, -1}}, {{0, 0, 1}, {0, -1, 0}}, {{0, 0, -1}, {0, -1, 0}},
};

}  // namespace

glm::mat4 shadowProjection(float nearDistance, float farDistance) {
    const float r = std::tan(glm::radians(45.0f)) * nearDistance;
    glm::mat4 p(0.0f);
    p[0][0] = nearDistance / r;
    p[1][1] = nearDistance / r;
    p[2][2] = -(farDistance + nearDistance) / (farDistance - nearDistance);
    p[2][3] = -1.0f;
    p[3][2] = -2.0f * farDistance * nearDistance / (farDistance - nearDistance);
    return p;
}

glm::mat4 shadowFaceRotation(int face) {
    const FaceAxes& axes = kFaceAxes[face];
    const glm::vec3 side = glm::cross(axes.direction, axes.up);
    // Rows side, up, -direction: a look-at from the origin without translation.
    glm::mat4 r(1.0f);
    for (int column = 0; column < 3; ++column) {
        r[column][0] = side[column];
        r[column][1] = axes.up[column];
        r[column][2] = -axes.direction[column];
    }
    return r;
}

std::array<glm::mat4, 6> shadowFaceMatrices(const glm::vec3& light, float nearDistance,
                                            float farDistance) {
    const glm::mat4 projection = shadowProjection(nearDistance, farDistance);
    const glm::mat4 toLight = glm::translate(glm::mat4(1.0f), -light);
    std::array<glm::mat4, 6> matrices;
    for (int face = 0; face < 6; ++face) {
        matrices[face] = projection * shadowFaceRotation(face) * toLight;
    }
    return matrices;
}

}  // namespace velmora
