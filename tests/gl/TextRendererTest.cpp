#include <gtest/gtest.h>

#include <GL/glew.h>

#include <cstdlib>
#include <vector>

#include "render/Texture.h"
#include "screen/FullScreenTarget.h"
#include "screen/TextRenderer.h"
#include "tests/gl/GlContext.h"

using namespace velmora;

namespace {

// Text drawn into a fresh off-screen target cleared to the game's colour.
class ScreenText : public testing::Test {
protected:
    void SetUp() override {
        width = test::contextWidth();
        height = test::contextHeight();
        target = createFullScreenTarget(width, height);
        glViewport(0, 0, width, height);
        const GLenum both[2] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1};
        glDrawBuffers(2, both);
        glEnable(GL_DEPTH_TEST);
        glClearColor(0.14f, 0.25f, 0.43f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    void TearDown() override { glBindFramebuffer(GL_FRAMEBUFFER, 0); }

    // RGBA of one pixel of colour output `output`.
    std::vector<int> pixel(int output, int x, int y) {
        glReadBuffer(GL_COLOR_ATTACHMENT0 + output);
        unsigned char rgba[4] = {0, 0, 0, 0};
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return {rgba[0], rgba[1], rgba[2], rgba[3]};
    }
    bool isClear(const std::vector<int>& c) {
        return std::abs(c[0] - 36) <= 1 && std::abs(c[1] - 64) <= 1 && std::abs(c[2] - 110) <= 1;
    }

    int width = 0;
    int height = 0;
    FullScreenTarget target;
};

GLint integer(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

}  // namespace

TEST_F(ScreenText, EmptyTextDrawsNothingAndLeavesTheProgramCurrent) {
    TextRenderer text(width, height);
    text.printText("", 10, 10, 20);
    text.printText(nullptr, 10, 10, 20);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    for (int x = 0; x < 60; x += 3) EXPECT_TRUE(isClear(pixel(0, x, 20))) << x;
    EXPECT_NE(integer(GL_CURRENT_PROGRAM), 0);
    EXPECT_EQ(integer(GL_VERTEX_ARRAY_BINDING), 0);
    EXPECT_EQ(integer(GL_ARRAY_BUFFER_BINDING), 0);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(ScreenText, MissingFontStillDrawsTheSquares) {
    testing::internal::CaptureStdout();
    TextRenderer text(width, height, "Textures/no_such_font.tga");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(text.font(), 0u);
    text.printText("ms", 50, 60, 20);  // squares 50..90 x 60..80
    // Without a font texture the glyph lookup reads opaque black.
    for (int x : {51, 69, 70, 89}) {
        const std::vector<int> inside = pixel(0, x, 70);
        EXPECT_LT(inside[0] + inside[1] + inside[2], 10) << x;
        EXPECT_EQ(pixel(1, x, 61)[3], 255) << x;  // marked to stay sharp
    }
    for (int x : {48, 91}) EXPECT_TRUE(isClear(pixel(0, x, 70))) << x;
    EXPECT_TRUE(isClear(pixel(0, 60, 58)));
    EXPECT_TRUE(isClear(pixel(0, 60, 82)));
}

TEST_F(ScreenText, GlyphsLandInTheirSquaresAlsoWhenLinesAreBatched) {
    TextRenderer text(width, height);
    ASSERT_NE(text.font(), 0u);
    text.printText("|", 200, 100, 32);
    // A batch draws nothing until it is drawn, then every line it gathered.
    text.beginBatch();
    text.printText("|", 300, 100, 32);
    text.printText("|", 400, 100, 32);
    EXPECT_TRUE(isClear(pixel(0, 316, 116)));
    text.drawBatch();
    EXPECT_EQ(integer(GL_VERTEX_ARRAY_BINDING), 0);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    for (int left : {200, 300, 400}) {
        // The bar runs down the middle of its square; the square's corners stay clear.
        int bright = 0;
        for (int y = 104; y < 128; ++y)
            if (pixel(0, left + 16, y)[0] > 200) ++bright;
        EXPECT_GT(bright, 15) << left;
        EXPECT_TRUE(isClear(pixel(0, left + 1, 101))) << left;
        EXPECT_TRUE(isClear(pixel(0, left + 30, 130))) << left;
    }
}

TEST(ScreenFont, IsASixteenBySixteenGridWithAlphaAndCodeZeroAtTheTop) {
    GLuint font = 0;
    ASSERT_TRUE(loadTexture("Textures/Holstein.tga", &font));
    GLint width = 0, height = 0, format = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    EXPECT_EQ(width % 16, 0);
    EXPECT_EQ(width, height);
    EXPECT_TRUE(format == GL_RGBA || format == GL_RGBA8);

    std::vector<unsigned char> texels(static_cast<size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    const int cell = width / 16;
    // Summed alpha of the cell at (column, row), row 0 being the image's top.
    auto coverage = [&](int column, int row) {
        long sum = 0;
        for (int y = 0; y < cell; ++y) {
            const int textureRow = height - 1 - (row * cell + y);  // GL keeps the bottom first
            for (int x = 0; x < cell; ++x)
                sum += texels[(static_cast<size_t>(textureRow) * width + column * cell + x) * 4 + 3];
        }
        return sum;
    };
    EXPECT_GT(coverage(1, 4), 255 * 40);  // 'A'
    EXPECT_GT(coverage(13, 7), 255 * 10); // '}'
    EXPECT_EQ(coverage(0, 2), 0);         // ' '
    EXPECT_EQ(coverage(1, 11), 0);        // the mirror image of 'A''s cell is empty
    EXPECT_EQ(coverage(1, 0), 0);         // control codes are blank
    // Every character advances by a whole cell, so the wide letters fill most
    // of their cell's width or a line reads as spaced-out letters.
    auto inkColumns = [&](int column, int row) {
        int columns = 0;
        for (int x = 0; x < cell; ++x) {
            for (int y = 0; y < cell; ++y) {
                const int textureRow = height - 1 - (row * cell + y);
                if (texels[(static_cast<size_t>(textureRow) * width + column * cell + x) * 4 + 3] > 128) {
                    ++columns;
                    break;
                }
            }
        }
        return columns;
    };
    for (const char glyph : {'M', 'W', 'A', 'm', 'w'}) {
        EXPECT_GE(inkColumns(glyph % 16, glyph / 16), cell * 3 / 4) << glyph;
    }
    glDeleteTextures(1, &font);
}
