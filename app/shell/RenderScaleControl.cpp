#include "app/shell/RenderScaleControl.h"

#include "app/shell/ScreenSize.h"
#include "app/shell/ShellState.h"
#include "platform/Window.h"

namespace velmora::app {

int currentRenderScale(const ShellState& shell) {
    return shell.autoScale ? shell.autoScale->scale() : shell.settings.renderScale;
}

void startRenderScale(ShellState& shell) {
    const Settings& settings = shell.settings;
    shell.autoScale.reset();
    if (settings.autoScale) {
        const double target = frameTargetSeconds(settings.frameTarget, settings.vsync,
                                                  platform::getDesktopMode().refreshRate);
        shell.autoScale.emplace(target, settings.lowestRenderScale, settings.renderScale);
    }
    setScreenSize(shell, shell.screenWidth, shell.screenHeight);
}

void followFrameTime(ShellState& shell, double dt) {
    if (!shell.autoScale) return;
    const int before = shell.autoScale->scale();
    if (shell.autoScale->observe(dt) != before) {
        setScreenSize(shell, shell.screenWidth, shell.screenHeight);
    }
}

}  // namespace velmora::app
