#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

#include "app/shell/ShadowCubeMap.h"
#include "screen/FullScreenTarget.h"
#include "tests/gl/GlContext.h"
#include "tests/gl/WorldFixture.h"
#include "world/StateLooks.h"
#include "sim/Trigger.h"
#include "tests/gl/UploadedObject.h"

namespace velmora::test {

namespace {

// The shell's own shadow cube map and scene target, built by the shell's code.
struct ShadowAndSceneTargets {
    ShadowAndSceneTargets(int width, int height)
        : width(width),
          height(height),
          shadow(app::ShadowCubeMap::create()),
          scene(createFullScreenTarget(width, height)) {
        glBindFramebuffer(GL_FRAMEBUFFER, scene.framebuffer->name());
        complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
    }

    ~ShadowAndSceneTargets() {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &shadow.framebuffer);
        glDeleteTextures(1, &shadow.texture);
        glDeleteTextures(2, scene.colourTexture);
        delete scene.framebuffer;
    }

    int width;
    int height;
    app::ShadowCubeMap shadow;
    FullScreenTarget scene;
    bool complete = false;
};

}  // namespace

class ShadowPixels : public WorldFixture {
protected:
    void SetUp() override {
        WorldFixture::SetUp();
        targets = std::make_unique<ShadowAndSceneTargets>(contextWidth(), contextHeight());
        logic->shadowCubeTexture = targets->shadow.texture;
        glEnable(GL_DEPTH_TEST);  // on for the whole run in the game
        // A wide floor whose top is at y = 0 and a tall box standing on it,
        // off to the side of the light at (0, 20, -25).
        addBox("floor", glm::vec3(0, -0.05f, -25), glm::vec3(40, 0.1f, 40));
        addBox("tower", glm::vec3(5, 3, -25), glm::vec3(2, 6, 2));
    }

    void TearDown() override {
        targets.reset();
        glDisable(GL_DEPTH_TEST);
        glViewport(0, 0, contextWidth(), contextHeight());
        WorldFixture::TearDown();
    }

    // One frame as the frame loop draws it: every face cleared, the six
    // shadow calls while shadows are on, then the scene into the target.
    void drawFrame() {
        targets->shadow.beginPass();
        for (int face = 0; face < 6; ++face) {
            targets->shadow.attachAndClearFace(face);
            if (options.shadowsEnabled) {
                logic->renderScene(true, camera, projection(), 0.016);
            }
        }
        glBindFramebuffer(GL_FRAMEBUFFER, targets->scene.framebuffer->name());
        glViewport(0, 0, targets->width, targets->height);
        const GLenum buffers[2] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1};
        glDrawBuffers(2, buffers);
        glClearColor(0.14f, 0.25f, 0.43f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        logic->renderScene(false, camera, projection(), 0.016);
    }

    // Mean red (the default material colour) of the 3 x 3 pixels where a
    // world point lands in the scene target.
    float redAt(const glm::vec3& point) const { return colourAt(point).r; }

    // The pixel a world point lands on.
    glm::ivec2 pixelOf(const glm::vec3& point) const {
        const glm::vec4 clip = projection() * glm::inverse(camera) * glm::vec4(point, 1.0f);
        const glm::vec2 ndc = glm::vec2(clip) / clip.w;
        return glm::ivec2((ndc.x * 0.5f + 0.5f) * targets->width, (ndc.y * 0.5f + 0.5f) * targets->height);
    }

    // Mean colour of the 3 x 3 pixels where a world point lands.
    glm::vec3 colourAt(const glm::vec3& point) const {
        const int x = pixelOf(point).x;
        const int y = pixelOf(point).y;
        EXPECT_TRUE(x > 1 && y > 1 && x < targets->width - 2 && y < targets->height - 2);
        unsigned char pixels[9 * 4] = {};
        glBindFramebuffer(GL_READ_FRAMEBUFFER, targets->scene.framebuffer->name());
        glReadBuffer(GL_COLOR_ATTACHMENT0);
        glReadPixels(x - 1, y - 1, 3, 3, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
        glm::vec3 sum(0.0f);
        for (int i = 0; i < 9; ++i) {
            sum += glm::vec3(pixels[4 * i], pixels[4 * i + 1], pixels[4 * i + 2]);
        }
        return sum / 9.0f;
    }

    std::unique_ptr<ShadowAndSceneTargets> targets;
    glm::mat4 camera = cameraAt(glm::vec3(16, 10, -13), glm::vec3(5, 1, -25));

    // The box stands between the light and this floor point...
    const glm::vec3 floorBehindTower{7.3f, 0.0f, -25.0f};
    // ...and right at its foot; this one beside it sees the light.
    const glm::vec3 floorAtTowerFoot{6.15f, 0.0f, -25.0f};
    const glm::vec3 floorBeside{7.3f, 0.0f, -20.5f};
};

TEST_F(ShadowPixels, TargetsAreComplete) { EXPECT_TRUE(targets->complete); }

TEST_F(ShadowPixels, FaceTurnedToTheLightIsBrighterThanTheFaceTurnedAway) {
    drawFrame();
    const float top = redAt(glm::vec3(5, 6, -25));
    const float awaySide = redAt(glm::vec3(6, 3, -25));
    EXPECT_GT(top, 1.5f * awaySide) << top << " vs " << awaySide;
    EXPECT_GT(awaySide, 0.0f);  // ambient keeps it visible
}

TEST_F(ShadowPixels, FloorBehindTheBoxSeenFromTheLightIsInShadow) {
    drawFrame();
    const float lit = redAt(floorBeside);
    EXPECT_GT(lit, 150.0f);
    const float shadowed = redAt(floorBehindTower);
    EXPECT_LT(shadowed, 0.6f * lit);
    EXPECT_GT(shadowed, 0.1f * lit);  // the ambient share: a shadow is not black
    // No light leaks in under the box's edge.
    EXPECT_LT(redAt(floorAtTowerFoot), 0.6f * lit);

    // Out of the shadow towards the lit floor, pixel by pixel: the edge fades
    // over several pixels, not in one step.
    glBindFramebuffer(GL_READ_FRAMEBUFFER, targets->scene.framebuffer->name());
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    glm::ivec2 last(-1);
    int between = 0;
    for (float z = floorBehindTower.z; z < floorBeside.z; z += 0.005f) {
        const glm::ivec2 pixel = pixelOf(glm::vec3(floorBehindTower.x, 0.0f, z));
        if (pixel == last) continue;
        last = pixel;
        unsigned char rgba[4] = {};
        glReadPixels(pixel.x, pixel.y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        if (rgba[0] > shadowed + 0.15f * (lit - shadowed) && rgba[0] < lit - 0.15f * (lit - shadowed)) ++between;
    }
    EXPECT_GE(between, 3);
}

TEST_F(ShadowPixels, OpenFloorIsEvenlyLitWithoutShadowAcne) {
    drawFrame();
    // Near the light and at grazing angles far from it, away from the box.
    for (const glm::vec3& point : {glm::vec3(0, 0, -25), glm::vec3(3, 0, -18), glm::vec3(10, 0, -18),
                                   glm::vec3(14, 0, -30), glm::vec3(10, 0, -40)}) {
        EXPECT_GT(redAt(point), 120.0f) << point.x << ", " << point.z;
    }
}

TEST_F(ShadowPixels, GlassLetsTheBackgroundThroughWhereAnOpaqueBoxHidesIt) {
    // Two small boxes hovering just below the camera's line to the horizon,
    // where nothing but the clear colour lies behind them.
    const glm::vec3 eye(camera[3]);
    const auto ahead = [&](float x, float y, float z) {
        return eye + 4.0f * glm::normalize(glm::vec3(x, y, z));
    };
    addBox("glass", ahead(-11, -1.4f, -12), glm::vec3(0.3f), 0.5f);
    addBox("solid", ahead(-12, -1.4f, -11), glm::vec3(0.3f));
    drawFrame();
    const glm::vec3 sky = colourAt(ahead(-11, -0.4f, -12));
    const glm::vec3 glass = colourAt(ahead(-11, -1.4f, -12));
    const glm::vec3 solid = colourAt(ahead(-12, -1.4f, -11));
    EXPECT_NEAR(sky.b, 110.0f, 3.0f);
    EXPECT_LT(solid.b, 0.2f * sky.b);
    // Half of the background through each of the box's two glass sides that
    // the view crosses, whichever of them is drawn first...
    EXPECT_GT(glass.b, 0.15f * sky.b);
    EXPECT_LT(glass.b, 0.7f * sky.b);
    EXPECT_GT(glass.r, sky.r + 10.0f);  // ...over the red of the glass
}

TEST_F(ShadowPixels, WithShadowsOffTheFloorBehindTheBoxIsLitLikeTheRest) {
    options.shadowsEnabled = false;
    drawFrame();
    const float lit = redAt(floorBeside);
    EXPECT_NEAR(redAt(floorBehindTower), lit, 0.1f * lit);
}

}  // namespace velmora::test

namespace velmora::test {

// Two pads alike but for a sphere on one: under the same light the set-off
// one shines brighter.
TEST_F(ShadowPixels, ASetOffSwitchIsBrighterThanAnIdleOne) {
    camera = cameraAt(glm::vec3(0, 12, -15), glm::vec3(0, 0, -25));
    std::vector<scene::Trigger*> pads;
    for (const float x : {-3.0f, 3.0f}) {
        auto pad = std::make_unique<scene::Trigger>(glm::scale(glm::mat4(1.0f), glm::vec3(2, 0.2f, 2)));
        pad->actions["open"] = {};
        uploadForDrawing(*pad, logic->phongProgram, logic->shadowProgram);
        pad->actor = physics::createStatic(*simulation().physics(), physics::Transform(glm::vec3(x, 0.1f, -25)),
                                           physics::Geometry::box(glm::vec3(1, 0.1f, 1)), *material);
        world().root->addChild(pad.get());
        world().triggerRegistry[pad->actor] = pad.get();
        pads.push_back(pad.get());
        objects.push_back(std::move(pad));
    }
    pads[0]->enter(MainActorType, &world().doorRegistry);
    StateLooks().update(world(), 0);
    drawFrame();
    const glm::vec3 setOff = colourAt(glm::vec3(-3, 0.2f, -25));
    const glm::vec3 idle = colourAt(glm::vec3(3, 0.2f, -25));
    EXPECT_GT(setOff.r + setOff.g + setOff.b, idle.r + idle.g + idle.b + 150.0f);
}

}  // namespace velmora::test
