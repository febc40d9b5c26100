#pragma once
// The sky and the far ground behind the level (Shader/sky.frag): one
// full-screen quad drawn before the scene, writing no depth, so whatever the
// level draws stands in front of it.

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
    // projection, in the level's colours. Leaves the depth test and depth
    // writes as it found them.
    void draw(const glm::mat4& camera, const glm::mat4& projection, const SkyColours& colours);

private:
    std::unique_ptr<ShaderProgram> program_;
    GLuint vertexBuffer_ = 0;
    GLuint vertexArray_ = 0;
};

}  // namespace velmora
