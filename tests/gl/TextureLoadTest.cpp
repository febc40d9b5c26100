#include <gtest/gtest.h>

#include <FreeImage.h>
#include <GL/glew.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "level/ImageFile.h"
#include "render/Texture.h"

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

// Only PNG, TGA and JPEG are decoded, told by their content whatever the
// name; every other format the image library knows is refused, and so is a
// header claiming more pixels than the file could hold.
TEST_F(TextureLoad, OnlyPngTgaAndJpegOfPossibleSizesAreDecoded) {
    const BYTE grey[4] = {90, 90, 90, 255};
    const struct {
        const char* name;
        FREE_IMAGE_FORMAT format;
        bool decoded;
    } cases[] = {
        {"png.png", FIF_PNG, true},    {"tga.png", FIF_TARGA, true}, {"jpeg.png", FIF_JPEG, true},
        {"psd.png", FIF_PSD, false},   {"bmp.png", FIF_BMP, false},  {"tiff.png", FIF_TIFF, false},
        {"ppm.png", FIF_PPM, false},   {"gif.png", FIF_GIF, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const bool special = c.format == FIF_GIF || c.format == FIF_PSD;
        const std::string path = special ? tempPath(c.name) : writeSolid(c.name, c.format, 24, grey);
        if (c.format == FIF_PSD) {
            // The image library's own PSD writer leaks; the corpus has one it wrote.
            std::ifstream from("tests/fuzz/corpus/image/rgb.psd", std::ios::binary);
            std::ofstream(path, std::ios::binary) << from.rdbuf();
        } else if (c.format == FIF_GIF) {
            FIBITMAP* full = FreeImage_Allocate(8, 4, 24);
            FIBITMAP* paletted = FreeImage_ConvertTo8Bits(full);
            ASSERT_TRUE(FreeImage_Save(FIF_GIF, paletted, path.c_str(), 0));
            FreeImage_Unload(paletted);
            FreeImage_Unload(full);
        }
        GLuint cell = 77;
        EXPECT_EQ(loadTexture(path, &cell), c.decoded);
        if (!c.decoded) {
            EXPECT_EQ(cell, 77u);
            EXPECT_NE(velmora::imageFileProblem(path).find("only PNG, TGA and JPEG are read"),
                      std::string::npos)
                << velmora::imageFileProblem(path);
        } else {
            glDeleteTextures(1, &cell);
        }
    }
    // 50,000 x 50,000 pixels claimed by a file of some hundred bytes.
    const std::string good = writeSolid("claim.png", FIF_PNG, 24, grey);
    std::ifstream in(good, std::ios::binary);
    std::string png((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const unsigned char side[4] = {0x00, 0x00, 0xC3, 0x50};
    for (int i = 0; i < 4; ++i) png[16 + i] = png[20 + i] = static_cast<char>(side[i]);
    const std::string huge = tempPath("huge.png");
    std::ofstream(huge, std::ios::binary) << png;
    GLuint cell = 77;
    EXPECT_FALSE(loadTexture(huge, &cell));
    EXPECT_EQ(cell, 77u);
    EXPECT_NE(velmora::imageFileProblem(huge).find("50000 x 50000 pixels, more than"),
              std::string::npos)
        << velmora::imageFileProblem(huge);
}

namespace {

// A value that differs from pixel to pixel and channel to channel, so a
// shifted, sheared or swapped upload shows.
unsigned pattern(int x, int y, int channel, unsigned range) {
    return (37u * x + 101u * y + 61u * channel + 13u) % range;
}

FIBITMAP* rgb8(int w, int h, bool alpha) {
    FIBITMAP* bitmap = FreeImage_Allocate(w, h, alpha ? 32 : 24);
    const int bytes = alpha ? 4 : 3;
    for (int y = 0; y < h; ++y) {
        BYTE* row = FreeImage_GetScanLine(bitmap, y);
        for (int x = 0; x < w; ++x) {
            for (int c = 0; c < bytes; ++c) {
                row[x * bytes + c] = static_cast<BYTE>(pattern(x, y, c, 256));
            }
        }
    }
    return bitmap;
}

// 16 bits per channel; opaque alpha is what most exporters write.
FIBITMAP* rgb16(int w, int h, bool alpha, bool opaque) {
    FIBITMAP* bitmap = FreeImage_AllocateT(alpha ? FIT_RGBA16 : FIT_RGB16, w, h);
    for (int y = 0; y < h; ++y) {
        BYTE* row = FreeImage_GetScanLine(bitmap, y);
        for (int x = 0; x < w; ++x) {
            const auto value = [&](int c) { return static_cast<WORD>(pattern(x, y, c, 65536)); };
            if (alpha) {
                reinterpret_cast<FIRGBA16*>(row)[x] =
                    FIRGBA16{value(0), value(1), value(2), opaque ? WORD(65535) : value(3)};
            } else {
                reinterpret_cast<FIRGB16*>(row)[x] = FIRGB16{value(0), value(1), value(2)};
            }
        }
    }
    return bitmap;
}

FIBITMAP* grey16(int w, int h) {
    FIBITMAP* bitmap = FreeImage_AllocateT(FIT_UINT16, w, h);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<WORD*>(FreeImage_GetScanLine(bitmap, y));
        for (int x = 0; x < w; ++x) row[x] = static_cast<WORD>(pattern(x, y, 0, 65536));
    }
    return bitmap;
}

// 8 bits per pixel: a grey ramp palette makes a greyscale image; with
// `transparent`, every third palette entry is see-through.
FIBITMAP* paletted(int w, int h, bool greyRamp, bool transparent) {
    FIBITMAP* bitmap = FreeImage_Allocate(w, h, 8);
    RGBQUAD* palette = FreeImage_GetPalette(bitmap);
    BYTE alphas[256];
    for (int i = 0; i < 256; ++i) {
        const auto grey = static_cast<BYTE>(i);
        palette[i] = greyRamp ? RGBQUAD{grey, grey, grey, 0}
                              : RGBQUAD{static_cast<BYTE>(pattern(i, 0, 0, 256)),
                                        static_cast<BYTE>(pattern(i, 0, 1, 256)),
                                        static_cast<BYTE>(pattern(i, 0, 2, 256)), 0};
        alphas[i] = i % 3 == 0 ? 0 : 255;
    }
    if (transparent) FreeImage_SetTransparencyTable(bitmap, alphas, 256);
    for (int y = 0; y < h; ++y) {
        BYTE* row = FreeImage_GetScanLine(bitmap, y);
        for (int x = 0; x < w; ++x) row[x] = static_cast<BYTE>(pattern(x, y, 0, 256));
    }
    return bitmap;
}

// What the image library decodes from the file, as RGBA bytes in the
// library's row order (bottom row first), which the upload keeps.
std::vector<unsigned char> decodedRgba(const std::string& path, int& w, int& h) {
    FIBITMAP* loaded = FreeImage_Load(FreeImage_GetFileType(path.c_str(), 0), path.c_str(), 0);
    if (loaded == nullptr) return {};
    FIBITMAP* standard = FreeImage_GetImageType(loaded) == FIT_UINT16
                             ? FreeImage_ConvertToStandardType(loaded, TRUE)
                             : loaded;
    FIBITMAP* rgba = FreeImage_ConvertTo32Bits(standard);
    w = static_cast<int>(FreeImage_GetWidth(rgba));
    h = static_cast<int>(FreeImage_GetHeight(rgba));
    std::vector<unsigned char> pixels;
    for (int y = 0; y < h; ++y) {
        const BYTE* row = FreeImage_GetScanLine(rgba, y);
        for (int x = 0; x < w; ++x) {
            const BYTE* p = row + 4 * x;
            pixels.insert(pixels.end(), {p[FI_RGBA_RED], p[FI_RGBA_GREEN], p[FI_RGBA_BLUE],
                                         p[FI_RGBA_ALPHA]});
        }
    }
    FreeImage_Unload(rgba);
    if (standard != loaded) FreeImage_Unload(standard);
    FreeImage_Unload(loaded);
    return pixels;
}

}  // namespace

// Every layout authors export reaches the GPU as the image library decodes
// it: pixel for pixel, colour for colour, alpha included.
TEST_F(TextureLoad, EveryImageLayoutUploadsAsTheLibraryDecodesIt) {
    struct Case {
        const char* name;
        FREE_IMAGE_FORMAT format;
        FIBITMAP* bitmap;
        int saveFlags;
    };
    const Case cases[] = {
        {"rgb8.png", FIF_PNG, rgb8(7, 5, false), 0},
        {"rgba8.png", FIF_PNG, rgb8(7, 5, true), 0},
        {"rgb16.png", FIF_PNG, rgb16(5, 3, false, true), 0},
        {"rgba16_opaque.png", FIF_PNG, rgb16(5, 3, true, true), 0},
        {"rgba16.png", FIF_PNG, rgb16(6, 3, true, false), 0},
        {"paletted.png", FIF_PNG, paletted(9, 4, false, false), 0},
        {"paletted_transparent.png", FIF_PNG, paletted(9, 4, false, true), 0},
        {"grey8.png", FIF_PNG, paletted(3, 7, true, false), 0},
        {"grey16.png", FIF_PNG, grey16(5, 5), 0},
        {"rgb8.tga", FIF_TARGA, rgb8(11, 3, false), 0},
        {"rgba8.tga", FIF_TARGA, rgb8(11, 3, true), 0},
        {"paletted.tga", FIF_TARGA, paletted(5, 2, false, false), 0},
        {"rgb8.jpg", FIF_JPEG, rgb8(13, 7, false), JPEG_QUALITYSUPERB},
        {"grey8.jpg", FIF_JPEG, paletted(13, 7, true, false), JPEG_QUALITYSUPERB},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = tempPath(c.name);
        const bool saved = FreeImage_Save(c.format, c.bitmap, path.c_str(), c.saveFlags);
        FreeImage_Unload(c.bitmap);
        ASSERT_TRUE(saved);
        int w = 0, h = 0;
        const std::vector<unsigned char> expected = decodedRgba(path, w, h);
        ASSERT_FALSE(expected.empty());

        GLuint texture = 0;
        ASSERT_TRUE(loadTexture(path, &texture));
        ASSERT_EQ(levelParameter(0, GL_TEXTURE_WIDTH), w);
        ASSERT_EQ(levelParameter(0, GL_TEXTURE_HEIGHT), h);
        std::vector<unsigned char> texels(expected.size());
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        // The first texel that differs, rather than hundreds of lines.
        std::size_t at = 0;
        while (at < texels.size() && texels[at] == expected[at]) ++at;
        EXPECT_EQ(at, texels.size()) << "texel " << at / 4 << " of " << w << " x " << h;
        glDeleteTextures(1, &texture);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
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
