#include "app/shell/ShellState.h"

namespace velmora::app {

BlurSetup ShellState::blurSetup() const {
    BlurSetup setup;
    setup.program = blurProgram;
    setup.downProgram = blurDownProgram;
    setup.uniforms = blurUniforms;
    setup.quad = screenQuad;
    setup.sceneTarget = sceneTarget;
    setup.blurTarget = blurTarget;
    setup.scaledTarget = scaledTarget;
    setup.screenWidth = screenWidth;
    setup.screenHeight = screenHeight;
    setup.sceneWidth = sceneWidth;
    setup.sceneHeight = sceneHeight;
    return setup;
}

}  // namespace velmora::app
