#include "level/Texture.h"

#include "level/ImageFile.h"

#include <FreeImage.h>

namespace velmora {

namespace {

// Closes the image library's bitmap whichever way loading ends.
struct BitmapHandle {
    FIBITMAP* bitmap = nullptr;
    explicit BitmapHandle(FIBITMAP* loaded) : bitmap(loaded) {}
    ~BitmapHandle() {
        if (bitmap != nullptr) FreeImage_Unload(bitmap);
    }
    BitmapHandle(const BitmapHandle&) = delete;
    BitmapHandle& operator=(const BitmapHandle&) = delete;
    void replace(FIBITMAP* converted) {
        if (converted == bitmap) return;
        if (bitmap != nullptr) FreeImage_Unload(bitmap);
        bitmap = converted;
    }
};

bool isUploadableAsIs(FIBITMAP* bitmap) {
    if (FreeImage_GetImageType(bitmap) != FIT_BITMAP) return false;
    const unsigned bpp = FreeImage_GetBPP(bitmap);
    const FREE_IMAGE_COLOR_TYPE type = FreeImage_GetColorType(bitmap);
    return (bpp == 32 && type == FIC_RGBALPHA) || (bpp == 24 && type == FIC_RGB);
}

bool carriesAlpha(FIBITMAP* bitmap) {
    return FreeImage_GetColorType(bitmap) == FIC_RGBALPHA || FreeImage_IsTransparent(bitmap);
}

// The upload reads exactly three or four bytes per pixel, so every other
// layout (paletted, greyscale, 16 bits per channel, floating point) is turned
// into 24-bit RGB, or 32-bit RGBA when it has transparency, first.
FIBITMAP* toUploadableCopy(FIBITMAP* bitmap) {
    FIBITMAP* standard = bitmap;
    if (FreeImage_GetImageType(bitmap) != FIT_BITMAP &&
        FreeImage_GetImageType(bitmap) != FIT_RGB16 &&
        FreeImage_GetImageType(bitmap) != FIT_RGBA16) {
        standard = FreeImage_ConvertToStandardType(bitmap, TRUE);
        if (standard == nullptr) return nullptr;
    }
    FIBITMAP* converted = carriesAlpha(standard) ? FreeImage_ConvertTo32Bits(standard)
                                                 : FreeImage_ConvertTo24Bits(standard);
    if (standard != bitmap) FreeImage_Unload(standard);
    return converted;
}

}  // namespace

bool loadTexture(const std::string& path, GLuint* cell) {
    if (cell == nullptr) return false;
    BitmapHandle image(readImageFile(path));
    if (image.bitmap == nullptr) return false;
    if (!isUploadableAsIs(image.bitmap)) {
        image.replace(toUploadableCopy(image.bitmap));
        if (image.bitmap == nullptr) return false;
    }

    BYTE* bits = FreeImage_GetBits(image.bitmap);
    const unsigned width = FreeImage_GetWidth(image.bitmap);
    const unsigned height = FreeImage_GetHeight(image.bitmap);
    const unsigned bpp = FreeImage_GetBPP(image.bitmap);
    if (bits == nullptr || width == 0 || height == 0 || (bpp != 24 && bpp != 32)) return false;

    GLuint texture = 0;
    glGenTextures(1, &texture);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);

    // The layout follows the bytes each pixel really has: the library calls a
    // 32-bit bitmap RGB when its alpha is opaque throughout (as a 16-bit
    // RGBA image converts), and reading its four bytes as three shears it.
    const bool rgba = bpp == 32;
    // The library pads each row to four bytes; read rows that way whatever
    // alignment other code left set, and put that setting back afterwards.
    GLint savedAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &savedAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, rgba ? GL_RGBA : GL_RGB, static_cast<GLsizei>(width),
                 static_cast<GLsizei>(height), 0, rgba ? GL_BGRA : GL_BGR, GL_UNSIGNED_BYTE, bits);
    glPixelStorei(GL_UNPACK_ALIGNMENT, savedAlignment);

    glGenerateMipmap(GL_TEXTURE_2D);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    *cell = texture;
    return true;
}

}  // namespace velmora
