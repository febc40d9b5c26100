#include <gtest/gtest.h>

#include "app/FixedStep.h"

using velmora::app::FixedStep;

TEST(FixedStep, FirstFrameStartsNoStepAndEveryLaterFrameExactlyOne) {
    FixedStep clock;
    EXPECT_FALSE(clock.advance());
    EXPECT_EQ(clock.accumulator(), FixedStep::step);
    for (int frame = 2; frame <= 10000; ++frame) {
        ASSERT_TRUE(clock.advance()) << "frame " << frame;
        // One step is left over at the end of every frame: no drift over a
        // long session, so no frame ever skips or doubles its step.
        ASSERT_EQ(clock.accumulator(), FixedStep::step) << "frame " << frame;
    }
}

TEST(FixedStep, StepIsTheFloatNearestToOneSixtieth) {
    EXPECT_EQ(FixedStep::step, static_cast<float>(1.0 / 60.0));
    EXPECT_EQ(FixedStep::step + FixedStep::step, 0.033333336f);
}
