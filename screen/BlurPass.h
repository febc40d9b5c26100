#pragma once
// The post-process that puts a frame on the screen: a horizontal blur of the
// scene target into the blur target, then a vertical blur composed with the
// sharp parts (the HUD) onto the default framebuffer.

#include <GL/glew.h>
#include <glm/glm.hpp>

#include "screen/FullScreenTarget.h"

namespace velmora {

class ShaderProgram;
namespace scene {
class ScreenQuad;
}

// Where the blur program takes its inputs; looked up once at start-up.
struct BlurUniforms {
    GLint renderedTexture = -1;
    GLint uShift = -1;
    GLint alphaTexture = -1;
    GLint blend = -1;
    GLint mipmapLevel = -1;  // -1 when the shader does not use it
};

BlurUniforms queryBlurUniforms(const ShaderProgram& blurProgram);

enum class BlurPassKind { Horizontal, VerticalToScreen };

// What one pass sets: uniform values and how many colour outputs it writes.
struct BlurPassValues {
    GLint renderedTexture = 0;
    GLint alphaTexture = 1;
    GLint blend = 0;
    glm::vec2 shift = glm::vec2(0.0f);
    GLint mipmapLevel = 3;
    int drawBufferCount = 1;  // 2: both colour attachments of the blur target
};

BlurPassValues blurPassValues(BlurPassKind kind, int screenWidth);

struct BlurSetup {
    ShaderProgram* program = nullptr;
    BlurUniforms uniforms;
    scene::ScreenQuad* quad = nullptr;
    FullScreenTarget sceneTarget;
    FullScreenTarget blurTarget;
    int screenWidth = 0;
    int screenHeight = 0;
    // The targets' size, when the scene is drawn at a share of the screen's
    // pixels (render scale); 0: the screen's.
    int sceneWidth = 0;
    int sceneHeight = 0;
    // Rebuild the scene target's mipmaps before pass 1. Off: nothing samples
    // them while the targets filter with GL_LINEAR, and on a software renderer
    // they cost about a fifth of the post-process (see bench_blur_pass).
    bool regenerateSceneMipmaps = false;
};

// Runs both passes with the blur program current (the caller makes it so):
// the first at the targets' size, the second stretched over the screen.
// Neither target is cleared and the depth test is off while the quads are
// drawn (and as it was afterwards). Ends with framebuffer 0 bound and texture
// unit 1 active.
void blurAndCompose(const BlurSetup& setup);

}  // namespace velmora
