#pragma once
// The post-process that puts a frame on the screen: the scene target read
// down into a target of half its size with a small box of reads round each
// pixel, then read back up, linearly filtered, onto the default framebuffer.
// A scene drawn at fewer pixels than the screen's is softened at its own size
// and then copied up, each of its pixels over the screen pixels it covers.
// The HUD and the menus go on after it, sharp.

#include <GL/glew.h>
#include <glm/glm.hpp>

#include "screen/FullScreenTarget.h"

namespace velmora {

class ShaderProgram;
namespace scene {
class ScreenQuad;
}

// Where the two programs take their inputs; looked up once at start-up. The
// down program reads the scene target into the blur target, the blur
// program reads that back up onto the screen.
struct BlurUniforms {
    GLint downTexture = -1;
    GLint uShift = -1;
    GLint renderedTexture = -1;
};

BlurUniforms queryBlurUniforms(const ShaderProgram& blurProgram, const ShaderProgram& downProgram);

// The down program: "Shader/BlurDown.frag" on the full-screen quad's vertices.
ShaderProgram* createBlurDownProgram();

// The distance between the kernel's taps in texture coordinates of the scene
// target: across, 1.5 of its pixels; down, a fixed share of its height.
glm::vec2 blurShift(int sceneWidth);

// The target the first pass reads the scene down into: half the scene
// target's width and height, rounded up.
FullScreenTarget createBlurTarget(int sceneWidth, int sceneHeight);

struct BlurSetup {
    ShaderProgram* program = nullptr;      // the blur program, "Shader/GaussBlur.frag"
    ShaderProgram* downProgram = nullptr;  // made by createBlurDownProgram
    BlurUniforms uniforms;
    scene::ScreenQuad* quad = nullptr;
    FullScreenTarget sceneTarget;
    FullScreenTarget blurTarget;  // made by createBlurTarget for the scene's size
    int screenWidth = 0;
    int screenHeight = 0;
    // The target's size, when the scene is drawn at a share of the screen's
    // pixels (render scale); 0: the screen's.
    int sceneWidth = 0;
    int sceneHeight = 0;
    // At the scene's size, where that is not the screen's: the softened
    // picture before it is copied up. Without one the second pass draws
    // straight onto the screen, filtered up (the shell always makes one).
    FullScreenTarget scaledTarget;
};

// Draws both passes, each with its program; the blur program's own uniforms
// (the overlay) are the caller's. The depth test is off while the quads are
// drawn (and as it was afterwards). Ends with the blur program current,
// framebuffer 0 bound, its back buffer the one draw buffer, and texture unit
// 1 active.
void blurAndCompose(const BlurSetup& setup);

}  // namespace velmora
