#pragma once
// Plain rectangles of one colour each, alpha-blended over whatever
// framebuffer is bound: the panels behind the HUD's and the menus' text, and
// the menus' highlights. They write no depth, so text drawn on them shows.

#include <GL/glew.h>

#include <glm/glm.hpp>

namespace velmora {

class ShaderProgram;

class FlatQuads {
public:
    FlatQuads();  // needs the GL context
    ~FlatQuads();
    FlatQuads(const FlatQuads&) = delete;
    FlatQuads& operator=(const FlatQuads&) = delete;

    // x, y: the bottom-left corner in pixels from the screen's bottom left.
    // Leaves its program current and no vertex array bound.
    void draw(int x, int y, int width, int height, const glm::vec4& colour, int screenWidth,
              int screenHeight);

private:
    ShaderProgram* program_ = nullptr;
    GLuint vertexArray_ = 0;
    GLuint vertexBuffer_ = 0;
};

}  // namespace velmora
