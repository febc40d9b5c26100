#include "app/input/KeyBindings.h"

#include "platform/KeyCodes.h"
#include "platform/KeyNames.h"

namespace velmora::app {

namespace {

struct ActionText {
    const char* name;
    const char* settingKey;
};

constexpr ActionText kActions[kKeyActionCount] = {
    {"push forward", "key_forward"},      {"push left", "key_left"},
    {"push back", "key_back"},            {"push right", "key_right"},
    {"restart", "key_restart"},           {"pause", "key_pause"},
    {"show the run again", "key_replay"}, {"show the best run", "key_best_run"},
    {"show or hide the ghost", "key_ghost"}, {"mute", "key_mute"},
};

// The option keys in F1..F9 order (F4 and F6 do nothing, but stay reserved).
constexpr const char* kFunctionKeyUses[9] = {
    "help", "frame time", "wireframe", "nothing yet", "texture filtering",
    "nothing yet", "shadows", "culling", "transparency",
};

}  // namespace

const char* actionName(KeyAction action) { return kActions[static_cast<int>(action)].name; }

const char* actionSettingKey(KeyAction action) {
    return kActions[static_cast<int>(action)].settingKey;
}

std::string fixedKeyUse(int key) {
    if (key == platform::KEY_ESC || key == 'Q') return "quit";
    if (key >= platform::KEY_F1 && key <= platform::KEY_F9) {
        return std::string("the option key for ") + kFunctionKeyUses[key - platform::KEY_F1];
    }
    if (key == platform::KEY_F1 + 10) return "full screen";
    if (key == platform::KEY_ENTER) return "choose in menus";
    if (key == '-' || key == '=' || key == platform::KEY_KP_ADD || key == platform::KEY_KP_SUBTRACT) {
        return "replay speed";
    }
    return {};
}

std::string rebind(KeyBindings& bindings, KeyAction action, int key) {
    const std::string name = platform::keyName(key);
    if (name.empty()) return "That key can't be used";
    if (const std::string use = fixedKeyUse(key); !use.empty()) {
        return name + " is fixed: " + use;
    }
    for (int other = 0; other < kKeyActionCount; ++other) {
        if (other != static_cast<int>(action) && bindings.keys[other] == key) {
            return name + " already does: " + kActions[other].name;
        }
    }
    bindings.keys[static_cast<int>(action)] = key;
    return {};
}

}  // namespace velmora::app
