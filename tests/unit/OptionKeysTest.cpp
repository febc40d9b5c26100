#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/input/OptionKeys.h"
#include "platform/KeyCodes.h"

using namespace velmora::app;
using namespace velmora::platform;

namespace {

// The option keys over a run of frames, each frame with the keys then down.
class OptionKeyFrames : public testing::Test {
protected:
    // One frame: the lock-out clock advances, then the keys are read.
    std::string frame(double dt, std::set<int> down = {}) {
        advanceLockout(lockout, dt);
        return applyOptionKeys([&](int key) { return down.count(key) != 0; }, flags, lockout);
    }

    OptionFlags flags;
    double lockout = 0.0;
};

}  // namespace

TEST_F(OptionKeyFrames, AKeyIsTakenOncePerQuarterSecondAndSaysWhatItDid) {
    // Nothing is taken before the first quarter second of the run.
    EXPECT_EQ(frame(0.2, {KEY_F7}), "");
    EXPECT_TRUE(flags.shadowsEnabled);
    EXPECT_EQ(frame(0.1, {KEY_F7}), "Shadows disabled");
    EXPECT_FALSE(flags.shadowsEnabled);
    // Pressed again 0.1 s later: locked out, nothing changes.
    EXPECT_EQ(frame(0.1, {KEY_F7}), "");
    EXPECT_FALSE(flags.shadowsEnabled);
    // 0.3 s after the first press: taken again, back where it began.
    EXPECT_EQ(frame(0.2, {KEY_F7}), "Shadows enabled");
    EXPECT_TRUE(flags.shadowsEnabled);

    // Held for just over a second at 0.03 s a frame: taken every ninth frame.
    std::vector<std::string> messages;
    for (int i = 0; i < 34; ++i) {
        const std::string message = frame(0.03, {KEY_F9});
        if (!message.empty()) messages.push_back(message);
    }
    EXPECT_EQ(messages, (std::vector<std::string>{"Transparency disabled", "Transparency enabled",
                                                  "Transparency disabled"}));
}

TEST_F(OptionKeyFrames, KeysHeldTogetherAllActAndTheLastMessageWins) {
    frame(1.0, {KEY_F1, KEY_F2, KEY_F3, KEY_F5});
    EXPECT_TRUE(flags.showHelp);
    EXPECT_TRUE(flags.showFrameTime);
    EXPECT_TRUE(flags.wireframeEnabled);
    EXPECT_EQ(flags.mipmapMode, 1);
    EXPECT_EQ(lockout, 0.0);

    EXPECT_EQ(frame(1.0, {KEY_F7, KEY_F8}), "Viewfrustum-Culling off");
    EXPECT_FALSE(flags.shadowsEnabled);
    EXPECT_FALSE(flags.frustumCullingEnabled);
    EXPECT_EQ(frame(1.0, {KEY_F8}), "Viewfrustum-Culling on");
}

TEST_F(OptionKeyFrames, F5CyclesThreeModesF4OnlyRestartsTheLockOutF6IsNotAnOptionKey) {
    std::vector<int> modes;
    std::vector<std::string> messages;
    for (int press = 0; press < 4; ++press) {
        messages.push_back(frame(0.3, {KEY_F5}));
        modes.push_back(flags.mipmapMode);
    }
    EXPECT_EQ(modes, (std::vector<int>{1, 2, 0, 1}));
    // Named as the settings screen names the option and its modes.
    EXPECT_EQ(messages, (std::vector<std::string>{"Filtering: nearest mipmap", "Filtering: nearest",
                                                  "Filtering: trilinear", "Filtering: nearest mipmap"}));
    EXPECT_EQ(frame(0.3, {KEY_F3}), "Wireframe on");
    EXPECT_EQ(frame(0.3, {KEY_F2}), "Frame time on");

    const OptionFlags before = flags;
    EXPECT_EQ(frame(0.3, {KEY_F4}), "");
    EXPECT_EQ(lockout, 0.0);
    EXPECT_EQ(frame(0.2, {KEY_F1}), "");  // still locked out by F4
    EXPECT_EQ(flags.showHelp, before.showHelp);

    frame(0.3, {KEY_F6, KEY_F1 + 9});  // F6 and F10 are read by no one
    EXPECT_GT(lockout, 0.25);
}
