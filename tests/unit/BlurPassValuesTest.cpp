#include <gtest/gtest.h>

#include "screen/BlurPass.h"

using namespace velmora;

TEST(BlurPassValues, StepsOneAndAHalfTargetPixelsAcrossAndAFixedShareDown) {
    for (int width : {640, 1280, 1600, 3840}) {
        const glm::vec2 shift = blurShift(width);
        EXPECT_FLOAT_EQ(shift.x, static_cast<float>(1.5 / width)) << width;
        EXPECT_FLOAT_EQ(shift.y, 0.0025f) << width;
    }
}
