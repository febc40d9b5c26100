#pragma once
// The sky and the far ground behind the level (Shader/sky.frag): one
// full-screen quad on the far plane, drawn after the level's opaque objects
// and before anything blended, writing no depth: it fills only the pixels
// the level left empty, so the level stands in front of it.

#include <GL/glew.h>

#include <memory>

#include <glm/glm.hpp>

#include "level/LevelLook.h"

namespace velmora {

class ShaderProgram;

class SkyBackdrop {
public:
    SkyBackdrop();
    ~SkyBackdrop();
    SkyBackdrop(const SkyBackdrop&) = delete;
    SkyBackdrop& operator=(const SkyBackdrop&) = delete;

    // Into the bound framebuffer, for a camera (camera to world) and its
    // projection, in the level's colours. Leaves the depth test, its function
    // and depth writes as it found them.
    void draw(const glm::mat4& camera, const glm::mat4& projection, const SkyColours& colours);

private:
    std::unique_ptr<ShaderProgram> program_;
    GLuint vertexBuffer_ = 0;
    GLuint vertexArray_ = 0;
};

}  // namespace velmora
