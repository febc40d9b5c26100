#pragma once
// Single-line ASCII text from the bitmap font, drawn as alpha-blended squares
// into whatever framebuffer is bound.

#include <GL/glew.h>

#include <string>

#include "screen/TextGeometry.h"

namespace velmora {

class ShaderProgram;

class TextRenderer {
public:
    // Needs the GL context. A font that cannot be loaded leaves texture 0
    // bound at draw time: the squares are still drawn, without glyphs.
    TextRenderer(int screenWidth, int screenHeight,
                 const std::string& fontPath = "Textures/Holstein.tga");
    ~TextRenderer();
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;

    // Draws `text` with its bottom-left corner at (x, y) pixels from the
    // screen's bottom-left, each character a size x size square. Leaves the
    // text program current and no vertex array or array buffer bound.
    void printText(const char* text, int x, int y, int size);

    // Between these two, printText only gathers its squares; the second
    // draws all of them at once (one upload, one draw, whatever the number
    // of lines), with the state printText leaves.
    void beginBatch();
    void drawBatch();

    GLuint font() const { return fontTexture; }

    // The screen the pixel positions are measured on, when the window changes size.
    void setScreenSize(int width, int height) {
        screenWidth = width;
        screenHeight = height;
    }

private:
    void upload(GLuint buffer, const void* data, size_t bytes);
    void pointAttribute(GLuint buffer, const char* name);
    void draw(const TextGeometry& geometry);

    int screenWidth;
    int screenHeight;
    GLuint fontTexture = 0;
    GLuint vertexBuffer = 0;
    GLuint uvBuffer = 0;
    GLint samplerLocation = -1;
    GLuint vertexArray = 0;
    ShaderProgram* shaderProgram = nullptr;
    bool batching_ = false;
    TextGeometry batch_;
};

}  // namespace velmora
