#include <gtest/gtest.h>

#include "screen/TextGeometry.h"

using velmora::buildTextGeometry;
using velmora::TextGeometry;

namespace {

void expectNear(const glm::vec2& actual, float x, float y) {
    EXPECT_NEAR(actual.x, x, 1e-6f);
    EXPECT_NEAR(actual.y, y, 1e-6f);
}

}  // namespace

TEST(TextGeometry, EachCharacterIsASquareOneSizeFurtherRight) {
    const TextGeometry ms = buildTextGeometry("ms", 50, 60, 20);
    ASSERT_EQ(ms.positions.size(), 12u);
    ASSERT_EQ(ms.uvs.size(), 12u);
    // top-left, bottom-left, top-right, bottom-right, top-right, bottom-left
    expectNear(ms.positions[0], 50, 80);
    expectNear(ms.positions[1], 50, 60);
    expectNear(ms.positions[2], 70, 80);
    expectNear(ms.positions[3], 70, 60);
    expectNear(ms.positions[4], 70, 80);
    expectNear(ms.positions[5], 50, 60);
    expectNear(ms.positions[6], 70, 80);
    expectNear(ms.positions[9], 90, 60);
}

TEST(TextGeometry, CapitalASamplesColumnOneRowFour) {
    const TextGeometry a = buildTextGeometry("A", 0, 0, 10);
    ASSERT_EQ(a.uvs.size(), 6u);
    expectNear(a.uvs[0], 0.0625f, 0.75f);    // top-left
    expectNear(a.uvs[1], 0.0625f, 0.6875f);  // bottom-left
    expectNear(a.uvs[2], 0.125f, 0.75f);     // top-right
    expectNear(a.uvs[3], 0.125f, 0.6875f);   // bottom-right
    expectNear(a.uvs[4], 0.125f, 0.75f);
    expectNear(a.uvs[5], 0.0625f, 0.6875f);
}

TEST(TextGeometry, GridRowsRunFromTheTopOfTheImage) {
    // Code 1 sits in the top row, code 127 in row 7, column 15.
    const TextGeometry text = buildTextGeometry("\x01\x7f", 0, 0, 8);
    expectNear(text.uvs[0], 0.0625f, 1.0f);
    expectNear(text.uvs[6], 0.9375f, 0.5625f);
    expectNear(text.uvs[9], 1.0f, 0.5f);
}

TEST(TextGeometry, EmptyOrNullTextHasNoVertices) {
    EXPECT_TRUE(buildTextGeometry("", 5, 5, 12).positions.empty());
    EXPECT_TRUE(buildTextGeometry(nullptr, 5, 5, 12).uvs.empty());
}

TEST(TextGeometry, NegativePositionsStayWholePixels) {
    const TextGeometry text = buildTextGeometry("xy", -30, -7, 14);
    expectNear(text.positions[0], -30, 7);
    expectNear(text.positions[9], -2, -7);
}
