#include "app/settings/SettingsApply.h"

#include "app/shell/ShellOptions.h"
#include "app/shell/ShellState.h"
#include "render/RenderOptions.h"
#include "world/RenderLogic.h"

namespace velmora::app {

void applySettings(ShellState& shell) {
    const Settings& settings = shell.settings;
    shadowsEnabled = settings.shadows;
    transparencyEnabled = settings.transparency;
    showFrameTime = settings.showFrameTime;
    if (RenderLogic* logic = shell.renderLogic) {
        logic->frustumCullingEnabled = settings.culling;
        logic->wireframeEnabled = settings.wireframe;
        logic->mipmapMode = settings.filtering;
    }
}

void keepSettings(ShellState& shell) {
    Settings& settings = shell.settings;
    settings.shadows = shadowsEnabled;
    settings.transparency = transparencyEnabled;
    settings.showFrameTime = showFrameTime;
    if (const RenderLogic* logic = shell.renderLogic) {
        settings.culling = logic->frustumCullingEnabled;
        settings.wireframe = logic->wireframeEnabled;
        settings.filtering = logic->mipmapMode;
    }
    shell.settingsFile.saveIfChanged(settings);
}

}  // namespace velmora::app
