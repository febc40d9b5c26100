// Makes the screen font "Textures/Holstein.tga": a 16 x 16 grid of square
// cells, code = row * 16 + column with row 0 at the top, white glyphs with a
// dark rim in a 32-bit image whose alpha is the glyph's coverage.
//
//   make_font [font.ttf] [output.tga]
//
// Defaults: DejaVu Sans Mono Bold as Debian installs it, and the game's path.

#include <FreeImage.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int cellPixels = 32;
constexpr int gridCells = 16;
constexpr int imagePixels = cellPixels * gridCells;
// The game advances every character by its full size, so a glyph must fill
// most of its square cell's width or the letters of a line stand far apart.
// A monospaced glyph advances by 0.6 em: drawn 46 pixels to the em across,
// it advances about 28 of the 32 pixels, rim included just inside the cell.
// Down the glyphs are drawn at 28 pixels to the em, so letters come out a
// little wider than the font's own and the tallest still fit the cell.
constexpr int emWidthPixels = 46;
constexpr int emHeightPixels = 28;
// The rim keeps light letters readable over a light scene.
constexpr float rimRadius = 1.6f;

struct Canvas {
    std::vector<float> coverage = std::vector<float>(imagePixels * imagePixels, 0.0f);
    float& at(int x, int yFromTop) { return coverage[yFromTop * imagePixels + x]; }
};

void drawGlyph(FT_Face face, int code, Canvas& canvas) {
    if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER) != 0) return;
    const FT_GlyphSlot slot = face->glyph;
    const int cellLeft = (code % gridCells) * cellPixels;
    const int cellTop = (code / gridCells) * cellPixels;
    const int advance = static_cast<int>(slot->advance.x >> 6);
    // Centre the advance in the cell; put the baseline so that the usual
    // ascent (0.76 em) and descent (0.24 em) sit in the middle vertically.
    const int penX = cellLeft + (cellPixels - advance) / 2;
    const int baseline =
        cellTop + (cellPixels - emHeightPixels) / 2 + static_cast<int>(0.76f * emHeightPixels);
    const FT_Bitmap& bitmap = slot->bitmap;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        for (unsigned column = 0; column < bitmap.width; ++column) {
            const int x = penX + slot->bitmap_left + static_cast<int>(column);
            const int y = baseline - slot->bitmap_top + static_cast<int>(row);
            // Clip to the glyph's own cell so no glyph bleeds into a neighbour.
            if (x < cellLeft + 1 || x >= cellLeft + cellPixels - 1) continue;
            if (y < cellTop + 1 || y >= cellTop + cellPixels - 1) continue;
            const unsigned char value = bitmap.buffer[row * bitmap.pitch + column];
            canvas.at(x, y) = std::max(canvas.at(x, y), value / 255.0f);
        }
    }
}

// Coverage of the rim: the glyph widened by rimRadius, staying inside cells.
float rimAt(Canvas& canvas, int x, int y) {
    const int reach = static_cast<int>(std::ceil(rimRadius));
    float rim = 0.0f;
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            const int sx = x + dx;
            const int sy = y + dy;
            if (sx < 0 || sy < 0 || sx >= imagePixels || sy >= imagePixels) continue;
            if (sx / cellPixels != x / cellPixels || sy / cellPixels != y / cellPixels) continue;
            const float distance = std::sqrt(static_cast<float>(dx * dx + dy * dy));
            const float falloff = std::clamp(rimRadius + 0.5f - distance, 0.0f, 1.0f);
            rim = std::max(rim, canvas.at(sx, sy) * falloff);
        }
    }
    return rim;
}

bool writeImage(Canvas& canvas, const char* path) {
    FIBITMAP* image = FreeImage_Allocate(imagePixels, imagePixels, 32);
    if (image == nullptr) return false;
    for (int y = 0; y < imagePixels; ++y) {
        // The image library keeps the bottom row first.
        BYTE* line = FreeImage_GetScanLine(image, imagePixels - 1 - y);
        for (int x = 0; x < imagePixels; ++x) {
            const float glyph = canvas.at(x, y);
            const float alpha = std::max(glyph, 0.85f * rimAt(canvas, x, y));
            // Straight (not premultiplied) colour: white glyph over a black rim.
            const float grey = alpha > 0.0f ? glyph / alpha : 1.0f;
            const BYTE level = static_cast<BYTE>(std::lround(255.0f * grey));
            line[x * 4 + FI_RGBA_RED] = level;
            line[x * 4 + FI_RGBA_GREEN] = level;
            line[x * 4 + FI_RGBA_BLUE] = level;
            line[x * 4 + FI_RGBA_ALPHA] = static_cast<BYTE>(std::lround(255.0f * alpha));
        }
    }
    const bool saved = FreeImage_Save(FIF_TARGA, image, path, TARGA_SAVE_RLE) == TRUE;
    FreeImage_Unload(image);
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    const char* fontPath =
        argc > 1 ? argv[1] : "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf";
    const char* outputPath = argc > 2 ? argv[2] : "Textures/Holstein.tga";

    FT_Library library = nullptr;
    FT_Face face = nullptr;
    if (FT_Init_FreeType(&library) != 0 || FT_New_Face(library, fontPath, 0, &face) != 0) {
        std::fprintf(stderr, "cannot open the font %s\n", fontPath);
        return 1;
    }
    FT_Set_Pixel_Sizes(face, emWidthPixels, emHeightPixels);

    Canvas canvas;
    for (int code = 33; code < 127; ++code) drawGlyph(face, code, canvas);  // printable ASCII

    FT_Done_Face(face);
    FT_Done_FreeType(library);
    if (!writeImage(canvas, outputPath)) {
        std::fprintf(stderr, "cannot write %s\n", outputPath);
        return 1;
    }
    std::printf("wrote %s\n", outputPath);
    return 0;
}
