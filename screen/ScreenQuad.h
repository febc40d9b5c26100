#pragma once
// Two triangles covering the whole of clip space at z = 0, fed to the blur
// program's "position" attribute by the post-process.

#include <GL/glew.h>

namespace velmora {
class ShaderProgram;
}

namespace velmora::scene {

class ScreenQuad {
public:
    // The program is not owned; it must outlive the quad.
    explicit ScreenQuad(ShaderProgram* program);
    virtual ~ScreenQuad();
    ScreenQuad(const ScreenQuad&) = delete;
    ScreenQuad& operator=(const ScreenQuad&) = delete;

    GLuint vertexBuffer = 0;
    GLuint vertexArray = 0;
    ShaderProgram* shaderProgram = nullptr;
};

}  // namespace velmora::scene
