#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "app/shell/AutoRenderScale.h"

using velmora::app::AutoRenderScale;
using velmora::app::frameTargetSeconds;

namespace {

// A scripted machine: each frame's interval follows from the scale it is
// drawn at (a fixed part plus a part growing with the pixels), with every
// other frame a little slower than the one before it, and with vsync the
// interval never shorter than one refresh.
struct Machine {
    double fixedMs;
    double pixelsMsAtFull;  // the scene's share at 100 %
    bool vsync;
    double frameMs(int scale, int frame) const {
        const double share = scale / 100.0;
        double ms = fixedMs + pixelsMsAtFull * share * share;
        if (frame % 2 == 1) ms *= 1.08;  // jitter frame by frame
        return vsync ? std::max(ms, 1000.0 / 60.0) : ms;
    }
};

struct Case {
    const char* what;
    Machine machine;
    int lowest, highest;
    int settlesAtLeast, settlesAtMost;  // the scale after a minute of frames
};

TEST(AutoRenderScale, SettlesWhereTheFramesFitAndNeverFlickers) {
    const Case cases[] = {
        // Too slow even at the lowest scale: as low as allowed.
        {"slow machine", {40.0, 60.0, false}, 50, 100, 50, 50},
        // 16.7 ms fits between 70 % and 75 %: falls from 100 % and stays.
        {"falls to fit", {4.0, 26.0, false}, 50, 100, 60, 70},
        // 80 % just fits, 85 % just does not: tries 85 % ever more rarely.
        {"between two steps", {3.0, 20.0, false}, 50, 100, 80, 85},
        // Fast: stays at the top of the range.
        {"fast machine", {2.0, 8.0, false}, 50, 100, 100, 100},
        {"fast, vsync", {2.0, 8.0, true}, 50, 100, 100, 100},
        // Held at the refresh by vsync whatever fits: tries steps up, backs
        // off where they do not fit.
        {"vsync, partly fits", {4.0, 20.0, true}, 50, 100, 70, 85},
        // The range from the settings bounds it both ways.
        {"range, slow", {40.0, 60.0, false}, 70, 90, 70, 70},
        {"range, fast", {2.0, 8.0, false}, 70, 90, 90, 90},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AutoRenderScale control(1.0 / 60.0, c.lowest, c.highest);
        int changes = 0;
        int lastChangeFrame = -100;
        double seconds = 0.0;
        int frame = 0;
        for (; seconds < 60.0; ++frame) {
            const int before = control.scale();
            const double ms = c.machine.frameMs(before, frame);
            seconds += ms / 1000.0;
            const int after = control.observe(ms / 1000.0);
            ASSERT_GE(after, c.lowest);
            ASSERT_LE(after, c.highest);
            ASSERT_EQ(after % AutoRenderScale::kStep, 0);
            if (after != before) {
                ++changes;
                // Every change waits for a window of frames at the new scale.
                EXPECT_GE(frame - lastChangeFrame, 3) << "changed again at frame " << frame;
                lastChangeFrame = frame;
            }
        }
        EXPECT_GE(control.scale(), c.settlesAtLeast);
        EXPECT_LE(control.scale(), c.settlesAtMost);
        // Settling takes a few changes; tries against vsync grow rarer.
        EXPECT_LE(changes, 12);
    }
}

TEST(AutoRenderScale, FallsWhenFramesTurnSlowAndRisesWhenTheyTurnFast) {
    AutoRenderScale control(1.0 / 60.0, 50, 100);
    for (int i = 0; i < 30; ++i) control.observe(0.040);
    EXPECT_LT(control.scale(), 100);
    const int fallen = control.scale();
    for (int i = 0; i < 400; ++i) control.observe(0.005);
    EXPECT_EQ(control.scale(), 100);
    // A stall (loading a level) is no measure of the renderer: nothing moves.
    EXPECT_EQ(control.observe(2.0), 100);
    EXPECT_GE(fallen, 50);
}

TEST(AutoRenderScale, TargetIsTheSettingOrTheRefreshWithVsyncOrSixtyAFrame) {
    EXPECT_DOUBLE_EQ(frameTargetSeconds(25, true, 144), 0.025);
    EXPECT_DOUBLE_EQ(frameTargetSeconds(0, true, 144), 1.0 / 144.0);
    EXPECT_DOUBLE_EQ(frameTargetSeconds(0, false, 144), 1.0 / 60.0);
    EXPECT_DOUBLE_EQ(frameTargetSeconds(0, true, 0), 1.0 / 60.0);  // refresh unknown
}

}  // namespace
