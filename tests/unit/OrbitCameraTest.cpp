#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

#include "app/camera/CameraArm.h"
#include "app/input/MoveKeys.h"
#include "app/camera/OrbitCamera.h"
#include "app/input/PadInput.h"

using namespace velmora::app;

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

glm::vec3 position(const glm::mat4& m) { return glm::vec3(m[3]); }
glm::vec3 viewDirection(const glm::mat4& m) { return -glm::vec3(m[2]); }

void expectNear(const glm::vec3& actual, const glm::vec3& expected, float tolerance = 1e-4f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

}  // namespace

TEST(OrbitCamera, CursorTurnsOnlyOutsideTheMiddleBandAndTheRowsThatScaleWithTheWindow) {
    struct Size {
        int width, height, bandLeft, bandRight, topRow, bottomRow;
    };
    // 400 pixels wide and rows 100 and 500 on 1280 x 720; in proportion elsewhere.
    for (const Size& s : {Size{1280, 720, 440, 840, 100, 500}, Size{1920, 1080, 660, 1260, 150, 750},
                          Size{640, 360, 220, 420, 50, 250}}) {
        SCOPED_TRACE(s.width);
        OrbitAngles angles{10.0f, -20.0f};
        // The middle band and the rows between hold still, edges included.
        for (int x : {s.bandLeft, s.width / 2, s.bandRight}) {
            for (int y : {s.topRow, s.height / 2, s.bottomRow}) {
                orbitByCursor(angles, x, y, s.width, s.height, 0.1);
                EXPECT_EQ(angles.yaw, 10.0f);
                EXPECT_EQ(angles.pitch, -20.0f);
            }
        }
        // 50 degrees per second: left turns the yaw up, right down, whatever the row.
        orbitByCursor(angles, s.bandLeft - 1, s.height / 2, s.width, s.height, 0.1);
        EXPECT_FLOAT_EQ(angles.yaw, 15.0f);
        orbitByCursor(angles, s.bandRight + 1, s.height / 2, s.width, s.height, 0.2);
        EXPECT_FLOAT_EQ(angles.yaw, 5.0f);
        // Top lifts the pitch towards 0, bottom lowers it; a corner does both.
        orbitByCursor(angles, 0, s.topRow - 1, s.width, s.height, 0.1);
        EXPECT_FLOAT_EQ(angles.yaw, 10.0f);
        EXPECT_FLOAT_EQ(angles.pitch, -15.0f);
        orbitByCursor(angles, s.width / 2, s.bottomRow + 1, s.width, s.height, 0.1);
        EXPECT_FLOAT_EQ(angles.pitch, -20.0f);
        // Twice the speed, tilt inverted: the top edge lowers it.
        orbitByCursor(angles, s.width / 2, 0, s.width, s.height, 0.1, OrbitFeel{100.0f, true});
        EXPECT_FLOAT_EQ(angles.pitch, -30.0f);
    }
}

TEST(OrbitCamera, PitchStaysBetweenLevelAndFortyDegreesDownEvenAfterALongFrame) {
    OrbitAngles angles;
    orbitByCursor(angles, 960, 0, kWidth, kHeight, 0.1);  // already level: no lift above it
    EXPECT_EQ(angles.pitch, 0.0f);
    for (int frame = 0; frame < 100; ++frame) orbitByCursor(angles, 960, 1079, kWidth, kHeight, 0.03);
    EXPECT_EQ(angles.pitch, kLowestPitch);
    for (int frame = 0; frame < 100; ++frame) orbitByCursor(angles, 960, 5, kWidth, kHeight, 0.03);
    EXPECT_EQ(angles.pitch, kHighestPitch);
    // The first frame holds the whole start-up: 3.5 s at the bottom edge.
    orbitByCursor(angles, 960, 1079, kWidth, kHeight, 3.5);
    EXPECT_EQ(angles.pitch, kLowestPitch);
    orbitByCursor(angles, 960, 5, kWidth, kHeight, 3.5);
    EXPECT_EQ(angles.pitch, kHighestPitch);
}

TEST(OrbitCamera, WheelPositionZoomsBetweenTwoAndThirty) {
    EXPECT_FLOAT_EQ(zoomDistance(0), 6.0f);
    EXPECT_FLOAT_EQ(zoomDistance(10), 3.0f);    // towards the sphere
    EXPECT_FLOAT_EQ(zoomDistance(-20), 12.0f);  // away from it
    EXPECT_FLOAT_EQ(zoomDistance(-80), 30.0f);
    EXPECT_FLOAT_EQ(zoomDistance(-200), 30.0f);
    EXPECT_FLOAT_EQ(zoomDistance(-199), 30.0f);  // past a limit: clicks back wind it in first
    EXPECT_FLOAT_EQ(zoomDistance(-79), 29.7f);
    EXPECT_FLOAT_EQ(zoomDistance(14), 2.0f);
    EXPECT_FLOAT_EQ(zoomDistance(13), 2.1f);
}

TEST(OrbitCamera, StandsBehindTheTargetAndLooksAtIt) {
    const glm::vec3 target(-1.0f, 0.1f, -24.0f);
    // First pose: level, six units towards +z, looking along -z.
    glm::mat4 camera = orbitCameraMatrix(target, OrbitAngles(), 6.0f);
    expectNear(position(camera), glm::vec3(-1.0f, 0.1f, -18.0f));
    expectNear(viewDirection(camera), glm::vec3(0.0f, 0.0f, -1.0f));

    // Yaw 90 swings it round to +x; pitch -30 lifts it, still aimed at the target.
    camera = orbitCameraMatrix(target, OrbitAngles{90.0f, -30.0f}, 10.0f);
    const glm::vec3 eye = position(camera);
    EXPECT_NEAR(glm::distance(eye, target), 10.0f, 1e-4f);
    EXPECT_NEAR(eye.y - target.y, 5.0f, 1e-4f);  // 10 * sin 30
    EXPECT_GT(eye.x, target.x);
    expectNear(viewDirection(camera), glm::normalize(target - eye));
}

// In at once, out at a pace set by real time: one long frame gets as far as
// the same time in short frames; no frame ever overshoots the clear length.
TEST(OrbitCamera, ArmComesInAtOnceAndEasesOutInRealTime) {
    CameraArm arm;
    EXPECT_EQ(arm.follow(6.0f, 0.016), 6.0f);  // placed straight where it may stand
    EXPECT_EQ(arm.follow(1.5f, 0.016), 1.5f);
    CameraArm longFrame = arm;
    for (int i = 0; i < 30; ++i) arm.follow(6.0f, 1.0 / 60.0);
    EXPECT_NEAR(arm.length, longFrame.follow(6.0f, 0.5), 1e-3f);
    EXPECT_GT(arm.length, 4.0f);
    EXPECT_LT(arm.length, 6.0f);
    EXPECT_LE(longFrame.follow(6.0f, 100.0), 6.0f);
    // A bend eases in real time the same way, both ways.
    CameraArm bent = arm;
    for (int i = 0; i < 30; ++i) arm.followBend({40.0f, 20.0f}, 1.0 / 60.0);
    const ArmBend once = bent.followBend({40.0f, 20.0f}, 0.5);
    EXPECT_NEAR(arm.bend.swing, once.swing, 1e-3f);
    EXPECT_NEAR(arm.bend.lift, once.lift, 1e-3f);
    EXPECT_GT(once.swing, 20.0f);
    EXPECT_LT(once.swing, 40.0f);

    // A ball on the arm stops it at the ball's near side; beside the arm,
    // behind the target or round the target it leaves the arm alone.
    const glm::vec3 away(0.0f, 0.0f, 1.0f);
    EXPECT_NEAR(armOutsideBall(glm::vec3(0.0f), away, 6.0f, glm::vec3(0.0f, 0.0f, 3.0f), 1.0f), 2.0f, 1e-5f);
    EXPECT_EQ(armOutsideBall(glm::vec3(0.0f), away, 6.0f, glm::vec3(2.0f, 0.0f, 3.0f), 1.0f), 6.0f);
    EXPECT_EQ(armOutsideBall(glm::vec3(0.0f), away, 6.0f, glm::vec3(0.0f, 0.0f, -3.0f), 1.0f), 6.0f);
    EXPECT_EQ(armOutsideBall(glm::vec3(0.0f), away, 1.5f, glm::vec3(0.0f, 0.0f, 3.0f), 1.0f), 1.5f);
}

TEST(OrbitCamera, ProjectionTakesTheFieldOfViewInDegreesAndTheScreenAspect) {
    const glm::mat4 projection = cameraProjection(45.0f, 1920, 1080);
    const glm::mat4 expected = glm::perspective(glm::radians(45.0f), 1920.0f / 1080.0f, 0.1f, 500.0f);
    EXPECT_EQ(projection, expected);
    // A point on the near plane maps to depth -1, on the far plane to +1.
    const glm::vec4 nearPoint = projection * glm::vec4(0.0f, 0.0f, -0.1f, 1.0f);
    const glm::vec4 farPoint = projection * glm::vec4(0.0f, 0.0f, -500.0f, 1.0f);
    EXPECT_NEAR(nearPoint.z / nearPoint.w, -1.0f, 1e-4f);
    EXPECT_NEAR(farPoint.z / farPoint.w, 1.0f, 1e-4f);
    // A window shrunk to no height gives a usable matrix, not infinities.
    const glm::mat4 flat = cameraProjection(45.0f, 1920, 0);
    EXPECT_TRUE(std::isfinite(flat[0][0]));
}

TEST(MoveKeys, PushIsTurnedByTheCameraAndKeepsToTheGround) {
    auto keys = [](std::initializer_list<int> down) {
        return [down](int key) { return std::find(down.begin(), down.end(), key) != down.end(); };
    };
    EXPECT_FALSE(moveKeyDirection(keys({})).has_value());
    EXPECT_FALSE(moveKeyDirection(keys({'Q', 'E'})).has_value());
    // W and S cancel, but the push is still made (with nothing in it).
    ASSERT_TRUE(moveKeyDirection(keys({'W', 'S'})).has_value());
    EXPECT_EQ(*moveKeyDirection(keys({'W', 'S'})), glm::vec3(0.0f));
    EXPECT_EQ(*moveKeyDirection(keys({'W', 'D'})), glm::vec3(1.0f, 0.0f, -1.0f));

    const glm::vec3 target(5.0f, 2.0f, -3.0f);
    const glm::vec3 forward(0.0f, 0.0f, -1.0f);
    const glm::vec3 right(1.0f, 0.0f, 0.0f);
    // Level camera: W pushes along -z, 1000 per second of frame.
    glm::mat4 camera = orbitCameraMatrix(target, OrbitAngles(), 6.0f);
    expectNear(pushForKeys(forward, camera, 0.02), glm::vec3(0.0f, 0.0f, -20.0f));
    // Turned 90 degrees (camera on +x looking along -x): W pushes along -x, D along -z.
    camera = orbitCameraMatrix(target, OrbitAngles{90.0f, 0.0f}, 6.0f);
    expectNear(pushForKeys(forward, camera, 0.02), glm::vec3(-20.0f, 0.0f, 0.0f));
    expectNear(pushForKeys(right, camera, 0.02), glm::vec3(0.0f, 0.0f, -20.0f));
    // Looking 40 degrees down: W keeps only the horizontal part, D all of it.
    camera = orbitCameraMatrix(target, OrbitAngles{0.0f, -40.0f}, 6.0f);
    const glm::vec3 push = pushForKeys(forward, camera, 0.02);
    EXPECT_EQ(push.y, 0.0f);
    EXPECT_NEAR(push.z, -20.0f * std::cos(glm::radians(40.0f)), 1e-3f);
    expectNear(pushForKeys(right, camera, 0.02), glm::vec3(20.0f, 0.0f, 0.0f));
    // The start-up frame or a stall pushes no harder than a frame of 0.1 s.
    expectNear(pushForKeys(right, camera, 3.5), glm::vec3(100.0f, 0.0f, 0.0f));
}

TEST(PadSticks, RadialDeadZoneThenScaledToFullAndKeysPlusStickNeverBeyondTheKeys) {
    // Inside 0.2 of the centre nothing, whatever the direction.
    EXPECT_EQ(stickPush(0.15f, 0.1f), glm::vec2(0.0f));
    EXPECT_EQ(stickPush(0.0f, -0.2f), glm::vec2(0.0f));
    EXPECT_EQ(stickPush(NAN, 0.5f), glm::vec2(0.0f));
    // Then linear from the zone's edge: 0.6 along x is half way, 1.0 is full.
    expectNear(glm::vec3(stickPush(0.6f, 0.0f), 0.0f), glm::vec3(0.5f, 0.0f, 0.0f));
    expectNear(glm::vec3(stickPush(0.0f, -1.0f), 0.0f), glm::vec3(0.0f, -1.0f, 0.0f));
    // Radial, not per axis: a diagonal keeps its direction, and a corner
    // reading beyond the rim is no stronger than full.
    const glm::vec2 diagonal = stickPush(0.3f, 0.3f);
    EXPECT_NEAR(diagonal.x, diagonal.y, 1e-6f);
    EXPECT_NEAR(glm::length(diagonal), (std::sqrt(0.18f) - 0.2f) / 0.8f, 1e-5f);
    EXPECT_NEAR(glm::length(stickPush(1.0f, 1.0f)), 1.0f, 1e-5f);

    // Stick up is ahead (-z); with neither keys nor stick there is no push.
    EXPECT_FALSE(combinedMoveDirection(std::nullopt, glm::vec2(0.0f)).has_value());
    EXPECT_EQ(*combinedMoveDirection(std::nullopt, glm::vec2(0.5f, -0.25f)),
              glm::vec3(0.5f, 0.0f, -0.25f));
    // W with the stick pushed ahead is no stronger than W; against it, weaker.
    const glm::vec3 w(0.0f, 0.0f, -1.0f);
    EXPECT_EQ(*combinedMoveDirection(w, glm::vec2(0.0f, -1.0f)), w);
    EXPECT_EQ(*combinedMoveDirection(w, glm::vec2(0.3f, 0.5f)), glm::vec3(0.3f, 0.0f, -0.5f));
    // W and S cancelling still push (with nothing), as the keys alone do.
    EXPECT_EQ(*combinedMoveDirection(glm::vec3(0.0f), glm::vec2(0.0f)), glm::vec3(0.0f));
}

TEST(PadSticks, RightStickTurnsAtTheCursorEdgesRateScaledByItsPush) {
    OrbitAngles angles{0.0f, -20.0f};
    orbitByStick(angles, glm::vec2(1.0f, 0.0f), 0.1);  // right: like the right edge
    EXPECT_FLOAT_EQ(angles.yaw, -5.0f);
    orbitByStick(angles, glm::vec2(-0.5f, 0.0f), 0.1);
    EXPECT_FLOAT_EQ(angles.yaw, -2.5f);
    orbitByStick(angles, glm::vec2(0.0f, -1.0f), 0.1);  // up: like the top edge
    EXPECT_FLOAT_EQ(angles.pitch, -15.0f);
    orbitByStick(angles, glm::vec2(0.0f, -1.0f), 10.0);
    EXPECT_FLOAT_EQ(angles.pitch, kHighestPitch);
    orbitByStick(angles, glm::vec2(0.0f, 1.0f), 10.0);
    EXPECT_FLOAT_EQ(angles.pitch, kLowestPitch);
}
