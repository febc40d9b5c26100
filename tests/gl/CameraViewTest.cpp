// What the camera shows: it keeps the main sphere in view (in front of walls
// between them, back out once they are gone, behind the sphere after a
// restart or a hazard, which also says what happened), the sphere's outline
// through what hides it, and the sky behind the level.

#include <gtest/gtest.h>

#include <GL/glew.h>

#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "app/camera/Camera.h"
#include "app/camera/CameraArm.h"
#include "app/play/EventFeedback.h"
#include "app/shell/FrameLoop.h"
#include "app/hud/ScreenOverlay.h"
#include "app/shell/ShellOptions.h"
#include "app/shell/ShellState.h"
#include "platform/Window.h"
#include "screen/FullScreenTarget.h"
#include "tests/gl/LoopFixture.h"
#include "sim/Door.h"
#include "world/DrawNode.h"
#include "world/RenderLogic.h"
#include "sim/World.h"
#include "tests/gl/UploadedObject.h"

using namespace velmora;
using velmora::test::uploadForDrawing;

namespace {

constexpr int kKeyR = 82;

class CameraView : public test::LoopFixture {
protected:
    void TearDown() override {
        for (size_t i = 0; i < boxes.size(); ++i) world().root->children.pop_back();
        boxes.clear();
        LoopFixture::TearDown();
    }

    Simulation& simulation() { return (*shell.simulation); }

    // A solid box in the scene, drawn and colliding like a level's door.
    scene::Door& addBox(glm::vec3 centre, glm::vec3 halfExtents) {
        RenderLogic& logic = *shell.renderLogic;
        physics::Material* material = simulation().physics()->createMaterial(0.5f, 0.5f, 0.1f);
        boxes.push_back(std::make_unique<scene::Door>(glm::scale(glm::mat4(1.0f), 2.0f * halfExtents)));
        uploadForDrawing(*boxes.back(), logic.phongProgram, logic.shadowProgram);
        boxes.back()->actor = physics::createStatic(*simulation().physics(), physics::Transform(centre),
                                                    physics::Geometry::box(halfExtents), *material);
        simulation().scene()->addActor(*boxes.back()->actor);
        world().root->addChild(boxes.back().get());
        return *boxes.back();
    }


    glm::vec3 eye() const { return glm::vec3(shell.camera.matrix[3]); }
    glm::vec3 mainSphere() {
        return simulation().spherePosition(MainActorType, shell.renderLogic->drawAlpha);
    }

    // How far from the camera the scene is at the middle of the screen, from
    // the scene target's depth.
    float distanceAtMiddle() {
        glBindFramebuffer(GL_FRAMEBUFFER, shell.sceneTarget.framebuffer->name());
        float depth = 1.0f;
        glReadPixels(shell.screenWidth / 2, shell.screenHeight / 2, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        const float a = shell.camera.projection[2][2], b = shell.camera.projection[3][2];
        return b / (2.0f * depth - 1.0f + a);
    }

    std::vector<std::unique_ptr<scene::Door>> boxes;
};

}  // namespace

TEST_F(CameraView, StandsInFrontOfAWallInTheWayAndEasesBackOutWhenItGoes) {
    addBox(glm::vec3(0.0f, -0.5f, 0.0f), glm::vec3(20.0f, 0.5f, 20.0f));  // the floor
    scene::Door& wall = addBox(glm::vec3(0.0f, 2.0f, 3.0f), glm::vec3(6.0f, 3.0f, 0.1f));
    simulation().placeSpheres(glm::vec3(0.0f, 0.5f, 0.0f), glm::vec3(-12.0f, 1.0f, -12.0f));
    simulation().stopSpheres();
    updates(2, 1.0 / 60.0);
    frames(1, 1.0 / 60.0);
    // Six units behind the sphere is beyond the wall: the camera stands on
    // the near side of it, and what it sees in the middle is the sphere.
    EXPECT_LT(eye().z, 2.9f - app::kCameraProbeRadius + 0.01f);
    EXPECT_GT(eye().z, 1.5f);
    EXPECT_NEAR(distanceAtMiddle(), glm::length(eye() - mainSphere()) - 0.5f, 0.05f);

    wall.open();
    updates(1, 1.0 / 60.0);
    const float firstStep = glm::length(eye() - mainSphere());
    EXPECT_LT(firstStep, 3.5f);  // eased, not jumped
    updates(29, 0.1);
    frames(1, 0.1);
    EXPECT_NEAR(glm::length(eye() - mainSphere()), app::zoomDistance(0), 0.05f);
    EXPECT_NEAR(distanceAtMiddle(), app::zoomDistance(0) - 0.5f, 0.05f);
}

// Whatever stands close behind the sphere, the camera swings round or rises
// over it rather than come in to a close-up: every frame, at 60 and at 10
// frames a second, it stands at least the closest zoom away, outside the
// wall and the second sphere, with nothing between it and the main sphere.
// A door sliding open no longer collides but is drawn until it has slid
// away: the camera keeps out of it as drawn all the while.
TEST_F(CameraView, SwingsOrRisesOverWhatStandsCloseBehindInsteadOfComingIn) {
    addBox(glm::vec3(0.0f, -0.5f, 0.0f), glm::vec3(20.0f, 0.5f, 20.0f));  // the floor
    enum class Behind { secondSphere, wall, doorSlidingOpen };
    const glm::vec3 secondAway(-12.0f, 1.0f, -12.0f);
    const struct {
        const char* what;
        glm::vec3 second;
        Behind behind;
    } cases[] = {
        {"a tall wall just behind", secondAway, Behind::wall},
        {"the second sphere just behind", glm::vec3(0.0f, 1.0f, 1.6f), Behind::secondSphere},
        {"a door just behind, sliding open", secondAway, Behind::doorSlidingOpen},
    };
    const glm::vec3 wallCentre(0.0f, 3.0f, 1.0f), wallHalf(6.0f, 3.0f, 0.1f);
    for (const auto& c : cases) {
        scene::Door* wall = c.behind != Behind::secondSphere ? &addBox(wallCentre, wallHalf) : nullptr;
        if (c.behind == Behind::doorSlidingOpen) world().doorRegistry["sliding"] = wall;
        for (double interval : {1.0 / 60.0, 0.1}) {
            simulation().placeSpheres(glm::vec3(0.0f, 0.5f, 0.0f), c.second);
            simulation().stopSpheres();
            shell.camera = app::CameraState{};
            if (c.behind == Behind::doorSlidingOpen) {
                wall->close();
                wall->open();
                drawNodeOf(*wall).shownOpen = 0.0f;  // drawn closed: the slide starts now
            }
            for (int frame = 0; frame < static_cast<int>(1.0 / interval); ++frame) {
                updates(1, interval);
                const glm::vec3 main = mainSphere();
                const glm::vec3 second = simulation().spherePosition(SecondActorType, shell.renderLogic->drawAlpha);
                EXPECT_GE(glm::length(eye() - main), app::kShortestArm - 1e-3f) << c.what << ", frame " << frame;
                EXPECT_GT(glm::length(eye() - second), 1.0f + app::kCameraProbeRadius - 1e-3f) << c.what;
                EXPECT_EQ(app::armOutsideBall(main, glm::normalize(eye() - main), 10.0f, second, 1.0f), 10.0f)
                    << c.what << ": the second sphere hides the main one";
                EXPECT_EQ(simulation().scene()->sweepSphere(main, eye(), 0.1f), 1.0f) << c.what << ", frame " << frame;
                if (c.behind != Behind::doorSlidingOpen) continue;
                // The door as drawn: lowered by the share of its height it has slid.
                const float shown = std::max(drawNodeOf(*wall).shownOpen, 0.0f);
                const glm::vec3 drawnCentre = wallCentre - glm::vec3(0.0f, shown * 2.0f * wallHalf.y, 0.0f);
                const auto outside = [&](glm::vec3 point) {
                    return glm::length(glm::max(glm::abs(point - drawnCentre) - wallHalf, 0.0f));
                };
                EXPECT_GE(outside(eye()), app::kCameraProbeRadius - 1e-3f) << c.what << ", frame " << frame;
                for (int cm = 0; cm <= 600; ++cm) {
                    const glm::vec3 along = glm::mix(main, eye(), cm / 600.0f);
                    ASSERT_GT(outside(along), 0.0f) << c.what << ": the drawn door hides the sphere, frame " << frame;
                }
            }
        }
        if (wall != nullptr) wall->open();
        world().doorRegistry.erase("sliding");
    }
}

TEST_F(CameraView, AfterRestartOrHazardStandsBehindTheSphereWithThePlayersZoomAndTilt) {
    const struct {
        const char* what;
        std::function<void()> reset;
    } resets[] = {
        {"R", [&] {
             platform::script::setKey(kKeyR, true);
             updates(1, 1.0 / 60.0);
             platform::script::setKey(kKeyR, false);
         }},
        {"hazard", [&] {
             simulation().resetGame("hall");
             updates(1, 1.0 / 60.0);
             // And says what happened.
             EXPECT_EQ(shell.options.statusMessage, "Spikes! Back to the start.");
             EXPECT_TRUE(shell.options.statusMessageVisible);
             EXPECT_EQ(app::hazardMessage("pit"), "You fell. Back to the start.");
             EXPECT_GT(app::screenOverlay(0.0, false).a, 0.0f);  // the red flash
         }},
    };
    shell.camera.startYaw = -90.0f;  // this start faces +x, away from the second sphere
    for (const auto& reset : resets) {
        shell.camera.yaw = 130.0f;
        shell.camera.pitch = -20.0f;
        platform::script::setMouseWheel(platform::getMouseWheel() + 7);  // 2.1 units closer
        updates(1, 1.0 / 60.0);
        const float zoom = glm::length(eye() - mainSphere());
        reset.reset();
        EXPECT_EQ(shell.camera.yaw, -90.0f) << reset.what;
        EXPECT_EQ(shell.camera.pitch, -20.0f) << reset.what;
        // Straight behind it along -x, as far and as high as before.
        const glm::vec3 offset = eye() - mainSphere();
        EXPECT_NEAR(glm::length(offset), zoom, 1e-3f) << reset.what;
        EXPECT_NEAR(offset.z, 0.0f, 1e-3f) << reset.what;
        EXPECT_LT(offset.x, 0.0f) << reset.what;
        EXPECT_NEAR(offset.y, zoom * std::sin(glm::radians(20.0f)), 1e-3f) << reset.what;
    }
}

TEST_F(CameraView, ArrowKeysOrbitAndTiltAtTheCursorEdgesRate) {
    const struct {
        int key;
        float yaw;
        float pitch;
    } keys[] = {{platform::KEY_LEFT, 5.0f, 0.0f},
                {platform::KEY_RIGHT, -5.0f, 0.0f},
                {platform::KEY_DOWN, 0.0f, -5.0f},
                {platform::KEY_UP, 0.0f, 5.0f}};
    for (const auto& key : keys) {
        const app::OrbitAngles before{shell.camera.yaw, -20.0f};
        shell.camera.pitch = before.pitch;
        platform::script::setKey(key.key, true);
        updates(1, 0.1);  // 50 degrees a second
        platform::script::setKey(key.key, false);
        EXPECT_NEAR(shell.camera.yaw - before.yaw, key.yaw, 1e-3f) << key.key;
        EXPECT_NEAR(shell.camera.pitch - before.pitch, key.pitch, 1e-3f) << key.key;
    }
}

// The scene pass alone, drawn from this camera into the scene target, and
// the RGBA pixels of the size x size square in its middle, where it looks.
std::vector<unsigned char> sceneMiddlePixels(const app::ShellState& shell, const glm::mat4& camera,
                                             const glm::mat4& projection, int size) {
    glBindFramebuffer(GL_FRAMEBUFFER, shell.sceneTarget.framebuffer->name());
    glViewport(0, 0, shell.sceneWidth, shell.sceneHeight);
    const GLenum both[] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1};
    glDrawBuffers(2, both);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    shell.renderLogic->currentProgram = nullptr;
    shell.renderLogic->renderScene(false, camera, projection, 0.0);
    std::vector<unsigned char> rgba(static_cast<size_t>(size) * size * 4);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    glReadPixels(shell.sceneWidth / 2 - size / 2, shell.sceneHeight / 2 - size / 2, size, size, GL_RGBA,
                 GL_UNSIGNED_BYTE, rgba.data());
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    return rgba;
}

// With the second sphere between the camera and the main sphere, the main
// sphere's outline shows through it; with the view clear, no outline.
TEST_F(CameraView, TheMainSphereShowsItsOutlineThroughTheSecondSphere) {
    const glm::mat4 camera =
        glm::inverse(glm::lookAt(glm::vec3(0, 1, 9), glm::vec3(0, 0.5f, 0), glm::vec3(0, 1, 0)));
    const glm::mat4 projection = app::cameraProjection(45.0f, shell.screenWidth, shell.screenHeight);
    const auto outlinePixels = [&](glm::vec3 second) {
        simulation().placeSpheres(glm::vec3(0, 0.5f, 0), second);
        const std::vector<unsigned char> rgba = sceneMiddlePixels(shell, camera, projection, 160);
        int count = 0;
        for (size_t i = 0; i < rgba.size(); i += 4) {
            if (rgba[i] > 235 && std::abs(rgba[i + 1] - 217) < 25 && rgba[i + 2] < 90) ++count;
        }
        return count;
    };
    EXPECT_GT(outlinePixels(glm::vec3(0, 1, 3)), 100);
    EXPECT_EQ(outlinePixels(glm::vec3(8, 1, 3)), 0);
}

namespace {
class CameraViewOnTheLevel : public CameraView {
protected:
    CameraViewOnTheLevel() { keepShippedLevel = true; }
};
}  // namespace

// Above the walls the level stands against a sky, paler towards the horizon,
// not the flat clear colour.
TEST_F(CameraViewOnTheLevel, TheLevelStandsAgainstASkyPalerTowardsTheHorizon) {
    shell.camera.pitch = 0.0f;  // level with the sphere: the sky fills the top
    frames(1, 1.0 / 60.0);
    glBindFramebuffer(GL_FRAMEBUFFER, shell.sceneTarget.framebuffer->name());
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    unsigned char top[4] = {}, lower[4] = {};
    glReadPixels(shell.screenWidth / 2, shell.screenHeight - 1, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, top);
    glReadPixels(shell.screenWidth / 2, shell.screenHeight - 40, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, lower);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    EXPECT_GT(top[2], top[0] + 60);   // blue
    EXPECT_GT(top[0], 36 + 30);       // lighter than the old flat backdrop
    EXPECT_GT(lower[0], top[0]);      // paler lower down

    // The level's "sky" line is what the backdrop shows.
    shell.renderLogic->skyColours.zenith = glm::vec3(0.8f, 0.1f, 0.1f);
    shell.renderLogic->skyColours.horizon = glm::vec3(0.9f, 0.3f, 0.2f);
    frames(1, 1.0 / 60.0);
    glBindFramebuffer(GL_FRAMEBUFFER, shell.sceneTarget.framebuffer->name());
    glReadPixels(shell.screenWidth / 2, shell.screenHeight - 1, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, top);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    EXPECT_GT(top[0], top[2] + 60);  // red
}

// Near-white pixels in the middle of the scene, where the camera looks.
int glarePixels(const app::ShellState& shell, const glm::mat4& camera) {
    const std::vector<unsigned char> pixels = sceneMiddlePixels(shell, camera, shell.camera.projection, 41);
    int white = 0;
    for (size_t i = 0; i < pixels.size(); i += 4) {
        if (std::min({pixels[i], pixels[i + 1], pixels[i + 2]}) > 215) ++white;
    }
    return white;
}

// The light hangs over the start: a full highlight on the matte floor paints
// a white glare where the light's mirror image meets the eye. Looked at
// squarely, that spot keeps the floor's colours.
TEST_F(CameraViewOnTheLevel, TheMatteFloorUnderTheLightShowsNoGlare) {
    frames(1, 1.0 / 60.0);
    const glm::vec3 eye(-1.0f, 6.0f, -20.0f);
    const glm::vec3 light(shell.renderLogic->lightPosition);
    // Where the light's mirror image lies on the floor, seen from the eye.
    const glm::vec3 mirror = eye + (glm::vec3(light.x, 0.0f, light.z) - glm::vec3(eye.x, 0.0f, eye.z)) *
                                       (eye.y / (eye.y + light.y)) - glm::vec3(0.0f, eye.y, 0.0f);
    const glm::mat4 camera = glm::inverse(glm::lookAt(eye, mirror, glm::vec3(0.0f, 1.0f, 0.0f)));
    EXPECT_LT(glarePixels(shell, camera), 20);
    // Every surface as shiny as metal: the glare is back.
    std::function<void(scene::SceneObject&)> shine = [&](scene::SceneObject& object) {
        if (object.drawing != nullptr) static_cast<DrawNode&>(*object.drawing).specFactor = 1.0f;
        for (scene::SceneObject* child : object.children) shine(*child);
    };
    shine(*shell.renderLogic->simulation().world().root);
    EXPECT_GT(glarePixels(shell, camera), 200);
}
