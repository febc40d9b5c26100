#include <gtest/gtest.h>

#include <cmath>

#include "render/ShadowMatrices.h"

using velmora::shadowFaceMatrices;
using velmora::shadowFaceRotation;
using velmora::shadowProjection;

TEST(ShadowProjection, IsASquareNinetyDegreeFrustumBetweenNearAndFar) {
    const glm::mat4 p = shadowProjection(1.0f, 65.0f);
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            const bool set = (column == row && column < 3) || (column == 2 && row == 3) ||
                             (column == 3 && row == 2);
            if (!set) {
                EXPECT_EQ(p[column][row], 0.0f) << column << "," << row;
            }
        }
    }
    EXPECT_NEAR(p[0][0], 1.0f, 1e-6f);
    EXPECT_NEAR(p[1][1], 1.0f, 1e-6f);
    EXPECT_NEAR(p[2][2], -66.0f / 64.0f, 1e-6f);
    EXPECT_EQ(p[2][3], -1.0f);
    EXPECT_NEAR(p[3][2], -130.0f / 64.0f, 1e-6f);
}

TEST(ShadowFaceRotation, FaceZeroHasTheFixedColumns) {
    const glm::mat4 r = shadowFaceRotation(0);
    EXPECT_EQ(r[0], glm::vec4(0, 0, -1, 0));
    EXPECT_EQ(r[1], glm::vec4(0, -1, 0, 0));
    EXPECT_EQ(r[2], glm::vec4(-1, 0, 0, 0));
    EXPECT_EQ(r[3], glm::vec4(0, 0, 0, 1));
}

TEST(ShadowFaceMatrices, EachFaceLooksAlongItsAxisFromTheLight) {
    const glm::vec3 light(0, 20, -25);
    const auto faces = shadowFaceMatrices(light, 1.0f, 65.0f);
    const glm::vec3 axes[6] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    for (int face = 0; face < 6; ++face) {
        // A point straight ahead lands in the middle of the face, in front.
        const glm::vec4 ahead = faces[face] * glm::vec4(light + 10.0f * axes[face], 1.0f);
        EXPECT_NEAR(ahead.x / ahead.w, 0.0f, 1e-5f) << face;
        EXPECT_NEAR(ahead.y / ahead.w, 0.0f, 1e-5f) << face;
        EXPECT_GT(ahead.w, 0.0f) << face;
        // Near and far distances map to the ends of the depth range.
        const glm::vec4 nearPoint = faces[face] * glm::vec4(light + axes[face], 1.0f);
        const glm::vec4 farPoint = faces[face] * glm::vec4(light + 65.0f * axes[face], 1.0f);
        EXPECT_NEAR(nearPoint.z / nearPoint.w, -1.0f, 1e-5f) << face;
        EXPECT_NEAR(farPoint.z / farPoint.w, 1.0f, 1e-4f) << face;
        // A point behind the light is behind every face's camera.
        EXPECT_LT((faces[face] * glm::vec4(light - 10.0f * axes[face], 1.0f)).w, 0.0f) << face;
    }
}

TEST(ShadowFaceMatrices, FacesWriteWhereCubeLookupsReadThem) {
    // GL picks the face by the major axis of the lookup direction r and reads
    // at s = sc/|ma|, t = tc/|ma| (in -1..1). A face rendered with its matrix
    // must put the point light + r at exactly that spot, or shadows shift.
    const glm::vec3 light(3, -2, 7);
    const auto faces = shadowFaceMatrices(light, 1.0f, 65.0f);
    const glm::vec3 directions[6] = {{4, 1.5f, -2}, {-4, -1, 2.5f}, {1, 4, -3},
                                     {-2, -4, 1}, {1.5f, -2, 4}, {-3, 1, -4}};
    for (int face = 0; face < 6; ++face) {
        const glm::vec3 r = directions[face];
        glm::vec2 expected;
        switch (face) {
            case 0: expected = {-r.z, -r.y}; break;
            case 1: expected = {r.z, -r.y}; break;
            case 2: expected = {r.x, r.z}; break;
            case 3: expected = {r.x, -r.z}; break;
            case 4: expected = {r.x, -r.y}; break;
            default: expected = {-r.x, -r.y}; break;
        }
        expected /= 4.0f;  // |ma| of every direction above
        const glm::vec4 clip = faces[face] * glm::vec4(light + r, 1.0f);
        EXPECT_NEAR(clip.x / clip.w, expected.x, 1e-5f) << face;
        EXPECT_NEAR(clip.y / clip.w, expected.y, 1e-5f) << face;
    }
}
