#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

#include "render/Frustum.h"

using velmora::boxInFrustum;
using velmora::extractFrustumPlanes;
using velmora::FrustumPlanes;

namespace {

enum Plane { Left, Right, Bottom, Top, Near, Far };

// The game's camera: 500 units deep, here at the origin looking down -z.
FrustumPlanes cameraPlanes() {
    const glm::mat4 projection =
        glm::perspective(glm::radians(60.0f), 16.0f / 9.0f, 0.1f, 500.0f);
    return extractFrustumPlanes(projection * glm::mat4(1.0f));
}

// Keeps one plane and turns the others into planes everything passes, so a
// test can say which plane rejected a box.
FrustumPlanes onlyPlane(const FrustumPlanes& planes, Plane kept) {
    FrustumPlanes single;
    single.fill(glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
    single[kept] = planes[kept];
    return single;
}

float distanceTo(const glm::vec4& plane, const glm::vec3& point) {
    return glm::dot(glm::vec3(plane), point) + plane.w;
}

}  // namespace

TEST(FrustumPlanes, AreUnitLengthSignedDistancesInTheFixedOrder) {
    const FrustumPlanes planes = cameraPlanes();
    for (const glm::vec4& plane : planes) {
        EXPECT_NEAR(glm::length(glm::vec3(plane)), 1.0f, 1e-5f);
    }
    EXPECT_NEAR(distanceTo(planes[Near], {0, 0, -0.1f}), 0.0f, 1e-4f);
    EXPECT_NEAR(distanceTo(planes[Near], {0, 0, -10.1f}), 10.0f, 1e-3f);
    EXPECT_NEAR(distanceTo(planes[Far], {0, 0, -400.0f}), 100.0f, 0.5f);
    // Each side plane keeps the centre of view inside and its own side out.
    const glm::vec3 ahead(0, 0, -10);
    for (const glm::vec4& plane : planes) {
        EXPECT_GT(distanceTo(plane, ahead), 0.0f);
    }
    EXPECT_LT(distanceTo(planes[Left], {-100, 0, -10}), 0.0f);
    EXPECT_LT(distanceTo(planes[Right], {100, 0, -10}), 0.0f);
    EXPECT_LT(distanceTo(planes[Bottom], {0, -100, -10}), 0.0f);
    EXPECT_LT(distanceTo(planes[Top], {0, 100, -10}), 0.0f);
}

TEST(FrustumBoxTest, ShapeBehindTheCameraIsRejectedByTheNearPlane) {
    const FrustumPlanes planes = cameraPlanes();
    const glm::vec3 lo(-1, -1, 2), hi(1, 1, 4);
    EXPECT_FALSE(boxInFrustum(planes, lo, hi));
    EXPECT_FALSE(boxInFrustum(onlyPlane(planes, Near), lo, hi));
}

TEST(FrustumBoxTest, ShapeBeyondTheFarDistanceIsRejectedByTheFarPlane) {
    const FrustumPlanes planes = cameraPlanes();
    const glm::vec3 lo(-1, -1, -520), hi(1, 1, -501);
    EXPECT_FALSE(boxInFrustum(planes, lo, hi));
    EXPECT_FALSE(boxInFrustum(onlyPlane(planes, Far), lo, hi));
    EXPECT_TRUE(boxInFrustum(onlyPlane(planes, Near), lo, hi));
}

TEST(FrustumBoxTest, BoxesInsideOrCrossingABoundaryAreDrawn) {
    const FrustumPlanes planes = cameraPlanes();
    EXPECT_TRUE(boxInFrustum(planes, {-1, -1, -11}, {1, 1, -9}));
    // Straddles the near plane: half of it behind the camera.
    EXPECT_TRUE(boxInFrustum(planes, {-1, -1, -5}, {1, 1, 5}));
    // Straddles the far plane and the left plane.
    EXPECT_TRUE(boxInFrustum(planes, {-1, -1, -600}, {1, 1, -450}));
    EXPECT_TRUE(boxInFrustum(planes, {-500, -1, -12}, {0, 1, -10}));
    // Wholly off to the left and wholly above.
    EXPECT_FALSE(boxInFrustum(planes, {-500, -1, -12}, {-100, 1, -10}));
    EXPECT_FALSE(boxInFrustum(planes, {-1, 100, -12}, {1, 200, -10}));
}

TEST(FrustumBoxTest, CornerOrderDoesNotMatter) {
    const FrustumPlanes planes = cameraPlanes();
    EXPECT_TRUE(boxInFrustum(planes, {1, 1, 5}, {-1, -1, -5}));
    EXPECT_FALSE(boxInFrustum(planes, {1, 1, 4}, {-1, -1, 2}));
}

TEST(FrustumBoxTest, MovedCameraMovesTheFrustum) {
    // Camera at (0, 0, 50) turned to look down +z: the origin is behind it.
    const glm::mat4 camera = glm::rotate(glm::translate(glm::mat4(1.0f), glm::vec3(0, 0, 50)),
                                         glm::radians(180.0f), glm::vec3(0, 1, 0));
    const glm::mat4 vp = glm::perspective(glm::radians(60.0f), 1.0f, 0.1f, 500.0f) *
                         glm::inverse(camera);
    const FrustumPlanes planes = extractFrustumPlanes(vp);
    EXPECT_FALSE(boxInFrustum(planes, {-1, -1, -1}, {1, 1, 1}));
    EXPECT_TRUE(boxInFrustum(planes, {-1, -1, 99}, {1, 1, 101}));
}
