#include <gtest/gtest.h>

#include "screen/BlurPass.h"

using namespace velmora;

TEST(BlurPassValues, HorizontalPassStepsOneAndAHalfPixelsIntoBothOutputs) {
    const BlurPassValues pass = blurPassValues(BlurPassKind::Horizontal, 1600);
    EXPECT_FLOAT_EQ(pass.shift.x, 0.0009375f);
    EXPECT_EQ(pass.shift.y, 0.0f);
    EXPECT_EQ(pass.blend, 0);
    EXPECT_EQ(pass.drawBufferCount, 2);
    EXPECT_EQ(pass.renderedTexture, 0);
    EXPECT_EQ(pass.alphaTexture, 1);
    EXPECT_EQ(pass.mipmapLevel, 3);
    EXPECT_FLOAT_EQ(blurPassValues(BlurPassKind::Horizontal, 1280).shift.x,
                    static_cast<float>(1.5 / 1280.0));
}

TEST(BlurPassValues, VerticalPassUsesAFixedStepAndComposesOntoOneBuffer) {
    for (int width : {800, 1600, 3840}) {
        const BlurPassValues pass = blurPassValues(BlurPassKind::VerticalToScreen, width);
        EXPECT_EQ(pass.shift.x, 0.0f);
        EXPECT_FLOAT_EQ(pass.shift.y, 0.0025f);
        EXPECT_EQ(pass.blend, 1);
        EXPECT_EQ(pass.drawBufferCount, 1);
        EXPECT_EQ(pass.renderedTexture, 0);
        EXPECT_EQ(pass.alphaTexture, 1);
        EXPECT_EQ(pass.mipmapLevel, 3);
    }
}
