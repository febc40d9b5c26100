#include "render/Frustum.h"

namespace velmora {

FrustumPlanes extractFrustumPlanes(const glm::mat4& viewProjection) {
    // Rows of VP; GLM indexes columns first, so row i is the transpose's column i.
    const glm::mat4 rows = glm::transpose(viewProjection);
    const glm::vec4 r0 = rows[0], r1 = rows[1], r2 = rows[2], r3 = rows[3];
    FrustumPlanes planes = {r3 + r0, r3 - r0, r3 + r1, r3 - r1, r3 + r2, r3 - r2};
    for (glm::vec4& plane : planes) {
        plane /= glm::length(glm::vec3(plane));
    }
    return planes;
}

bool boxInFrustum(const FrustumPlanes& planes, const glm::vec3& cornerA, const glm::vec3& cornerB) {
    const glm::vec3 lo = glm::min(cornerA, cornerB);
    const glm::vec3 hi = glm::max(cornerA, cornerB);
    for (const glm::vec4& plane : planes) {
        // The corner furthest along the plane normal: if even that one is
        // outside, the whole box is.
        const glm::vec3 far(plane.x >= 0.0f ? hi.x : lo.x, plane.y >= 0.0f ? hi.y : lo.y,
                            plane.z >= 0.0f ? hi.z : lo.z);
        if (glm::dot(glm::vec3(plane), far) + plane.w < 0.0f) {
            return false;
        }
    }
    return true;
}

}  // namespace velmora
