#include "app/settings/SettingsApply.h"

#include "app/shell/ShellState.h"
#include "world/RenderLogic.h"

namespace velmora::app {

void applySettings(ShellState& shell) {
    const Settings& settings = shell.settings;
    ShellOptions& options = shell.options;
    options.render.shadowsEnabled = settings.shadows;
    options.render.transparencyEnabled = settings.transparency;
    options.showFrameTime = settings.showFrameTime;
    if (RenderLogic* logic = shell.renderLogic) {
        logic->frustumCullingEnabled = settings.culling;
        logic->wireframeEnabled = settings.wireframe;
        logic->mipmapMode = settings.filtering;
    }
}

void keepSettings(ShellState& shell) {
    Settings& settings = shell.settings;
    const ShellOptions& options = shell.options;
    settings.shadows = options.render.shadowsEnabled;
    settings.transparency = options.render.transparencyEnabled;
    settings.showFrameTime = options.showFrameTime;
    if (const RenderLogic* logic = shell.renderLogic) {
        settings.culling = logic->frustumCullingEnabled;
        settings.wireframe = logic->wireframeEnabled;
        settings.filtering = logic->mipmapMode;
    }
    shell.settingsFile.saveIfChanged(settings);
}

}  // namespace velmora::app
