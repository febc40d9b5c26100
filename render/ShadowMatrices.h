#pragma once
// Light-space matrices of the omnidirectional shadow map: one 90-degree
// perspective per cube face, looking out from the point light. Pure maths.

#include <array>

#include <glm/glm.hpp>

namespace velmora {

// Square 90-degree perspective between the two distances.
glm::mat4 shadowProjection(float nearDistance, float farDistance);

// View rotation of cube face 0..5 (+X, -X, +Y, -Y, +Z, -Z), oriented the way
// GL addresses cube faces, so a lookup along (point - light) finds the texel
// this face wrote for that point.
glm::mat4 shadowFaceRotation(int face);

// projection x face rotation x translation by -light, for every face.
std::array<glm::mat4, 6> shadowFaceMatrices(const glm::vec3& light, float nearDistance,
                                            float farDistance);

}  // namespace velmora
