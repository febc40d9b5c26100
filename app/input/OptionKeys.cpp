#include "app/input/OptionKeys.h"

#include "app/settings/SettingNames.h"
#include "platform/KeyCodes.h"

namespace velmora::app {

namespace {
constexpr double kLockoutCeiling = 100000.0;
constexpr double kLockoutAfterCeiling = 2000.0;

const char* onOff(bool on, const char* onText, const char* offText) { return on ? onText : offText; }

// "Wireframe on": what a key without a message of its own says.
std::string switched(const char* name, bool on) { return std::string(name) + (on ? " on" : " off"); }
}  // namespace

void advanceLockout(double& lockout, double dt) {
    lockout += dt;
    if (lockout > kLockoutCeiling) {
        lockout = kLockoutAfterCeiling;
    }
}

std::string applyOptionKeys(const std::function<bool(int key)>& isDown, OptionFlags& flags,
                            double& lockout) {
    if (lockout <= kOptionKeyLockout) {
        return std::string();
    }
    std::string message;
    auto taken = [&](int key) {
        if (!isDown(key)) {
            return false;
        }
        lockout = 0.0;
        return true;
    };
    if (taken(platform::KEY_F1)) flags.showHelp = !flags.showHelp;
    if (taken(platform::KEY_F2)) {
        flags.showFrameTime = !flags.showFrameTime;
        message = switched(settingName::frameTime, flags.showFrameTime);
    }
    if (taken(platform::KEY_F3)) {
        flags.wireframeEnabled = !flags.wireframeEnabled;
        message = switched(settingName::wireframe, flags.wireframeEnabled);
    }
    // F4 switches nothing; it only restarts the lock-out.
    taken(platform::KEY_F4);
    if (taken(platform::KEY_F5)) {
        flags.mipmapMode = (flags.mipmapMode + 1) % 3;
        message = std::string(settingName::filtering) + ": " + settingName::filteringModes[flags.mipmapMode];
    }
    if (taken(platform::KEY_F7)) {
        flags.shadowsEnabled = !flags.shadowsEnabled;
        message = onOff(flags.shadowsEnabled, "Shadows enabled", "Shadows disabled");
    }
    if (taken(platform::KEY_F8)) {
        flags.frustumCullingEnabled = !flags.frustumCullingEnabled;
        message = onOff(flags.frustumCullingEnabled, "Viewfrustum-Culling on",
                        "Viewfrustum-Culling off");
    }
    if (taken(platform::KEY_F9)) {
        flags.transparencyEnabled = !flags.transparencyEnabled;
        message = onOff(flags.transparencyEnabled, "Transparency enabled", "Transparency disabled");
    }
    return message;
}

}  // namespace velmora::app
