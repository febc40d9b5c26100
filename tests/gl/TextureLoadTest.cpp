#include <gtest/gtest.h>

#include <FreeImage.h>
#include <GL/glew.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "level/Texture.h"

using velmora::loadTexture;

namespace {

// Test images are written by the image library itself, so each case states
// exactly which pixel layout reaches the loader.
class TextureLoad : public testing::Test {
protected:
    std::string tempPath(const std::string& name) {
        const std::string path = "/tmp/vz_tex_" + std::to_string(getpid()) + "_" + name;
        written.push_back(path);
        return path;
    }
    void TearDown() override {
        for (const std::string& path : written) std::remove(path.c_str());
    }

    // A bitmap of the given depth with every pixel's bytes set to `bgra`.
    std::string writeSolid(const std::string& name, FREE_IMAGE_FORMAT format, int bpp,
                           const BYTE bgra[4], int width = 8, int height = 4) {
        FIBITMAP* bitmap = FreeImage_Allocate(width, height, bpp);
        for (int y = 0; y < height; ++y) {
            BYTE* row = FreeImage_GetScanLine(bitmap, y);
            for (int x = 0; x < width; ++x)
                for (int c = 0; c < bpp / 8; ++c) row[x * (bpp / 8) + c] = bgra[c];
        }
        const std::string path = tempPath(name);
        EXPECT_TRUE(FreeImage_Save(format, bitmap, path.c_str(), 0));
        FreeImage_Unload(bitmap);
        return path;
    }

    // Paletted image: every pixel is palette entry 1, which is `colour`.
    std::string writePaletted(const std::string& name, RGBQUAD colour, bool greyPalette) {
        FIBITMAP* bitmap = FreeImage_Allocate(6, 6, 8);
        RGBQUAD* palette = FreeImage_GetPalette(bitmap);
        for (int i = 0; i < 256; ++i) {
            const BYTE grey = static_cast<BYTE>(i);
            palette[i] = greyPalette ? RGBQUAD{grey, grey, grey, 0} : RGBQUAD{0, 0, 0, 0};
        }
        if (!greyPalette) palette[1] = colour;
        const BYTE index = greyPalette ? colour.rgbRed : 1;
        for (int y = 0; y < 6; ++y) {
            BYTE* row = FreeImage_GetScanLine(bitmap, y);
            for (int x = 0; x < 6; ++x) row[x] = index;
        }
        const std::string path = tempPath(name);
        EXPECT_TRUE(FreeImage_Save(FIF_PNG, bitmap, path.c_str(), 0));
        FreeImage_Unload(bitmap);
        return path;
    }

    std::vector<std::string> written;
};

GLint levelParameter(int level, GLenum name) {
    GLint value = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, name, &value);
    return value;
}

// Texel (0, 0) of level 0 of the bound texture, as RGBA bytes.
std::vector<unsigned char> firstTexel() {
    const int width = levelParameter(0, GL_TEXTURE_WIDTH);
    const int height = levelParameter(0, GL_TEXTURE_HEIGHT);
    std::vector<unsigned char> pixels(static_cast<size_t>(width * height * 4));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return {pixels[0], pixels[1], pixels[2], pixels[3]};
}

bool isRgbaFormat(GLint format) { return format == GL_RGBA || format == GL_RGBA8; }
bool isRgbFormat(GLint format) { return format == GL_RGB || format == GL_RGB8; }

}  // namespace

TEST_F(TextureLoad, AlphaImageBecomesRgbaAndOpaqueImageRgb) {
    const BYTE halfTransparentRed[4] = {0, 0, 255, 128};
    const std::string rgbaPath = writeSolid("rgba.png", FIF_PNG, 32, halfTransparentRed);
    const std::string rgbPath = writeSolid("rgb.png", FIF_PNG, 24, halfTransparentRed);

    GLuint rgba = 0;
    ASSERT_TRUE(loadTexture(rgbaPath, &rgba));
    EXPECT_NE(rgba, 0u);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), rgba);
    EXPECT_TRUE(isRgbaFormat(levelParameter(0, GL_TEXTURE_INTERNAL_FORMAT)));
    EXPECT_EQ(firstTexel(), (std::vector<unsigned char>{255, 0, 0, 128}));

    GLuint rgb = 0;
    ASSERT_TRUE(loadTexture(rgbPath, &rgb));
    EXPECT_NE(rgb, rgba);
    EXPECT_TRUE(isRgbFormat(levelParameter(0, GL_TEXTURE_INTERNAL_FORMAT)));
    EXPECT_EQ(firstTexel(), (std::vector<unsigned char>{255, 0, 0, 255}));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureLoad, MissingOrEmptyFileLeavesTheCellAlone) {
    GLuint cell = 77;
    EXPECT_FALSE(loadTexture("/tmp/vz_no_such_texture.png", &cell));
    EXPECT_EQ(cell, 77u);

    const std::string empty = tempPath("empty.png");
    std::ofstream(empty).close();
    EXPECT_FALSE(loadTexture(empty, &cell));
    EXPECT_EQ(cell, 77u);

    const std::string garbage = tempPath("garbage.png");
    std::ofstream(garbage) << "not an image at all";
    EXPECT_FALSE(loadTexture(garbage, &cell));
    EXPECT_EQ(cell, 77u);
    EXPECT_FALSE(loadTexture(garbage, nullptr));
}

TEST_F(TextureLoad, PalettedAndGreyscaleImagesAreConverted) {
    GLuint paletted = 0;
    ASSERT_TRUE(loadTexture(writePaletted("palette.png", RGBQUAD{200, 100, 50, 0}, false),
                            &paletted));
    EXPECT_TRUE(isRgbFormat(levelParameter(0, GL_TEXTURE_INTERNAL_FORMAT)));
    EXPECT_EQ(firstTexel(), (std::vector<unsigned char>{50, 100, 200, 255}));

    GLuint grey = 0;
    ASSERT_TRUE(loadTexture(writePaletted("grey.png", RGBQUAD{0, 0, 170, 0}, true), &grey));
    EXPECT_EQ(levelParameter(0, GL_TEXTURE_WIDTH), 6);
    EXPECT_EQ(firstTexel(), (std::vector<unsigned char>{170, 170, 170, 255}));
}

TEST_F(TextureLoad, BuildsTheWholeMipmapChain) {
    const BYTE white[4] = {255, 255, 255, 255};
    GLuint texture = 0;
    ASSERT_TRUE(loadTexture(writeSolid("mips.tga", FIF_TARGA, 24, white, 16, 4), &texture));
    EXPECT_EQ(levelParameter(4, GL_TEXTURE_WIDTH), 1);  // 16 -> 8 -> 4 -> 2 -> 1
    EXPECT_EQ(levelParameter(4, GL_TEXTURE_HEIGHT), 1);
    GLint minFilter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_LINEAR);
}

TEST_F(TextureLoad, BackslashFolderSeparatorReachesTheFile) {
    const BYTE blue[4] = {255, 0, 0, 255};
    const std::string path = writeSolid("slash.png", FIF_PNG, 24, blue);
    std::string windowsStyle = path;
    windowsStyle[4] = '\\';  // "/tmp\vz_tex_..."
    GLuint texture = 0;
    EXPECT_TRUE(loadTexture(windowsStyle, &texture));
    EXPECT_NE(texture, 0u);
}

TEST_F(TextureLoad, OddWidthRowsAreReadWithTheirPadding) {
    // 5 pixels of 3 bytes pad every row to 16 bytes; the upload must skip
    // the padding whatever unpack alignment was left set.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const BYTE green[4] = {0, 255, 0, 255};
    GLuint texture = 0;
    ASSERT_TRUE(loadTexture(writeSolid("odd.png", FIF_PNG, 24, green, 5, 3), &texture));
    std::vector<unsigned char> pixels(5 * 3 * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    for (size_t i = 0; i < pixels.size(); i += 4) EXPECT_EQ(pixels[i + 1], 255) << i;
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}
