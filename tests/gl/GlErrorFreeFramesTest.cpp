#include <gtest/gtest.h>

#include "app/shell/FrameLoop.h"
#include "app/hud/Hud.h"
#include "app/shell/ShellOptions.h"
#include "render/ParticleSystem.h"
#include "render/RenderOptions.h"
#include "tests/gl/ShellFixture.h"
#include "world/RenderLogic.h"

using namespace velmora;

namespace {

class ShippedLevelFrames : public test::ShellFixture {
protected:
    void SetUp() override {
        keepShippedLevel = true;
        ShellFixture::SetUp();
    }

    // A burst in front of the main sphere's start, made as a pull makes one.
    void keepABurstAlive() {
        RenderLogic& logic = *shell.renderLogic;
        if (!logic.particleSystems.empty()) {
            return;
        }
        auto* burst = new ParticleSystem(glm::vec3(0.0f, 0.6f, -24.0f), logic.particleUpdateProgram,
                                         logic.particleDrawProgram);
        burst->texture = logic.particleSprite;
        burst->setUp();
        logic.particleSystems.push_back(burst);
    }
};

}  // namespace

// Every pass with every setting the option keys reach: any GL error fails
// the test in the call that made it (the GL tests run on a debug context).
TEST_F(ShippedLevelFrames, EveryOptionCombinationDrawsWithoutAGlError) {
    RenderLogic& logic = *shell.renderLogic;
    app::FrameLoop loop(shell);
    app::showStatusMessage(shell.options, "Shadows enabled");
    constexpr int kSwitches = 6;  // the on/off options; the filter mode has three values
    int frames = 0;
    for (int mipmapMode = 0; mipmapMode < 3; ++mipmapMode) {
        for (int on = 0; on < (1 << kSwitches); ++on) {
            logic.mipmapMode = mipmapMode;
            logic.wireframeEnabled = on & 1;
            shell.options.render.shadowsEnabled = on & 2;
            logic.frustumCullingEnabled = on & 4;
            shell.options.render.transparencyEnabled = on & 8;
            shell.options.showHelp = on & 16;
            shell.options.showFrameTime = on & 32;
            keepABurstAlive();
            now += 1.0 / 60.0;
            ASSERT_TRUE(loop.runFrame());
            ASSERT_FALSE(logic.particleSystems.empty());
            EXPECT_GT(logic.particleSystems.front()->particleCount, 0u);
            ++frames;
        }
    }
    EXPECT_EQ(frames, 3 * 64);
}
