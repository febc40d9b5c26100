#pragma once
// The post-process that puts a frame on the screen: the scene target blurred
// in both directions at once and composed with the sharp parts (the HUD) onto
// the default framebuffer, in one pass. A scene drawn at fewer pixels than
// the screen's is blurred at its own size and then copied up, each of its
// pixels over the screen pixels it covers.

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
};

BlurUniforms queryBlurUniforms(const ShaderProgram& blurProgram);

// The distance between the kernel's taps in texture coordinates of the scene
// target: across, 1.5 of its pixels; down, a fixed share of its height.
glm::vec2 blurShift(int sceneWidth);

struct BlurSetup {
    ShaderProgram* program = nullptr;
    BlurUniforms uniforms;
    scene::ScreenQuad* quad = nullptr;
    FullScreenTarget sceneTarget;
    int screenWidth = 0;
    int screenHeight = 0;
    // The target's size, when the scene is drawn at a share of the screen's
    // pixels (render scale); 0: the screen's.
    int sceneWidth = 0;
    int sceneHeight = 0;
    // At the scene's size, where that is not the screen's: the blurred
    // picture before it is copied up. Without one the pass draws straight
    // onto the screen, reading each scene pixel for every screen pixel it
    // covers (the same picture, at the screen's cost).
    FullScreenTarget scaledTarget;
};

// Draws the pass with the blur program current (the caller makes it so). The depth test is off while the quad is drawn
// (and as it was afterwards). Ends with framebuffer 0 bound, its back buffer
// the one draw buffer, and texture unit 1 active.
void blurAndCompose(const BlurSetup& setup);

}  // namespace velmora
