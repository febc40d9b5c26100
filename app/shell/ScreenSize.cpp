#include "app/shell/ScreenSize.h"

#include <algorithm>

#include "app/shell/RenderScaleControl.h"
#include "app/shell/ShellState.h"
#include "screen/BlurPass.h"
#include "screen/TextRenderer.h"

namespace velmora::app {

int scaledLength(int length, int percent) {
    return std::max(1, static_cast<int>(static_cast<long>(length) * percent / 100));
}

void setScreenSize(ShellState& shell, int width, int height) {
    shell.screenWidth = width;
    shell.screenHeight = height;
    const int scale = std::clamp(currentRenderScale(shell), kLowestRenderScale, kHighestRenderScale);
    shell.sceneWidth = scaledLength(width, scale);
    shell.sceneHeight = scaledLength(height, scale);
    releaseFullScreenTarget(shell.sceneTarget);
    releaseFullScreenTarget(shell.blurTarget);
    releaseFullScreenTarget(shell.scaledTarget);
    // Completeness reports go to standard error.
    shell.sceneTarget = createFullScreenTarget(shell.sceneWidth, shell.sceneHeight);
    shell.blurTarget = createBlurTarget(shell.sceneWidth, shell.sceneHeight);
    if (shell.sceneWidth != width || shell.sceneHeight != height) {
        shell.scaledTarget = createColourTarget(shell.sceneWidth, shell.sceneHeight);
    }
    if (shell.textRenderer) shell.textRenderer->setScreenSize(width, height);
}

}  // namespace velmora::app
