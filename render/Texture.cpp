#include "render/Texture.h"

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
};

}  // namespace

bool loadTexture(const std::string& path, GLuint* cell) {
    if (cell == nullptr) return false;
    // Decoded (PNG, TGA and JPEG only, within their size) and converted to
    // 24-bit RGB or 32-bit RGBA by the GL-free part.
    BitmapHandle image(readImageFile(path));
    if (image.bitmap == nullptr) return false;

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
