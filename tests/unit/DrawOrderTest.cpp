#include <gtest/gtest.h>

#include "render/DrawOrder.h"

using velmora::drawnInTraversal;
using velmora::isOpaque;

TEST(OpacityRule, OnlyExactlyOneIsOpaque) {
    EXPECT_TRUE(isOpaque(1.0f));
    EXPECT_FALSE(isOpaque(0.999f));
    EXPECT_FALSE(isOpaque(0.0f));
    EXPECT_FALSE(isOpaque(0.5f));
}

TEST(OpacityRule, TransparentObjectsWaitForTheirOwnPassWhileTransparencyIsOn) {
    for (float opacity : {0.999f, 0.0f}) {
        EXPECT_FALSE(drawnInTraversal(opacity, true, false));
        EXPECT_TRUE(drawnInTraversal(opacity, true, true));
        // With transparency off they are drawn (and cast shadows) like the rest.
        EXPECT_TRUE(drawnInTraversal(opacity, false, false));
    }
    EXPECT_TRUE(drawnInTraversal(1.0f, true, false));
    EXPECT_TRUE(drawnInTraversal(1.0f, false, false));
    // Whatever is listed for the transparent pass is drawn there.
    EXPECT_TRUE(drawnInTraversal(1.0f, true, true));
}
