#include <gtest/gtest.h>

#include "tools/autopilot/FrameRateSummary.h"

using velmora::app::FrameRateSummary;

TEST(FrameRateSummary, RatesComeFromTheIntervalsAndEachScaleGetsItsSeconds) {
    FrameRateSummary summary;
    EXPECT_EQ(summary.medianRate(), 0.0);
    EXPECT_EQ(summary.tenthPercentileRate(), 0.0);
    // Ten frames: eight at 50 per second at full scale, then a 40 ms and a
    // 100 ms frame at 70 %; a zero interval is no frame.
    for (int i = 0; i < 8; ++i) summary.add(0.02, 100);
    summary.add(0.04, 70);
    summary.add(0.0, 70);
    summary.add(0.1, 70);
    EXPECT_EQ(summary.frames(), 10);
    EXPECT_DOUBLE_EQ(summary.medianRate(), 50.0);
    EXPECT_DOUBLE_EQ(summary.tenthPercentileRate(), 25.0);  // the 9th of 10 sorted: 40 ms
    EXPECT_DOUBLE_EQ(summary.longestFrameSeconds(), 0.1);
    ASSERT_EQ(summary.secondsAtScale().size(), 2u);
    EXPECT_NEAR(summary.secondsAtScale().at(100), 0.16, 1e-12);
    EXPECT_NEAR(summary.secondsAtScale().at(70), 0.14, 1e-12);
    EXPECT_NE(summary.text().find("render scale 70 %: 0.1 s"), std::string::npos);
}
