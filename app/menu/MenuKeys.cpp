#include "app/menu/MenuKeys.h"

#include "platform/Gamepad.h"
#include "platform/InputEvent.h"
#include "platform/KeyCodes.h"

namespace velmora::app {

namespace {

constexpr int kKeyF11 = platform::KEY_F1 + 10;

MenuCommand keyCommand(int key, int mods, const KeyBindings& keys) {
    if (key == platform::KEY_UP || key == keys.of(KeyAction::forward)) return MenuCommand::up;
    if (key == platform::KEY_DOWN || key == keys.of(KeyAction::back)) return MenuCommand::down;
    if (key == platform::KEY_LEFT || key == keys.of(KeyAction::left)) return MenuCommand::left;
    if (key == platform::KEY_RIGHT || key == keys.of(KeyAction::right)) return MenuCommand::right;
    if (key == platform::KEY_ENTER) return (mods & platform::MOD_ALT) ? MenuCommand::none : MenuCommand::choose;
    if (key == platform::KEY_ESC || key == platform::KEY_BACKSPACE || key == keys.of(KeyAction::pause)) {
        return MenuCommand::back;
    }
    return MenuCommand::none;
}

MenuCommand padCommand(int button) {
    switch (button) {
    case platform::PAD_BUTTON_DPAD_UP: return MenuCommand::up;
    case platform::PAD_BUTTON_DPAD_DOWN: return MenuCommand::down;
    case platform::PAD_BUTTON_DPAD_LEFT: return MenuCommand::left;
    case platform::PAD_BUTTON_DPAD_RIGHT: return MenuCommand::right;
    case platform::PAD_BUTTON_A: return MenuCommand::choose;
    case platform::PAD_BUTTON_B:
    case platform::PAD_BUTTON_START: return MenuCommand::back;
    default: return MenuCommand::none;
    }
}

}  // namespace

MenuCommand menuCommand(const Press& press, const KeyBindings& keys) {
    switch (press.source) {
    case PressSource::key: return keyCommand(press.code, press.mods, keys);
    case PressSource::mouseButton:
        return press.code == platform::MOUSE_BUTTON_LEFT ? MenuCommand::click : MenuCommand::none;
    case PressSource::pad: return padCommand(press.code);
    }
    return MenuCommand::none;
}

bool passesMenus(const Press& press, const KeyBindings& keys) {
    if (press.source != PressSource::key) return false;
    const int key = press.code;
    return (key >= platform::KEY_F1 && key <= platform::KEY_F9) || key == kKeyF11 ||
           (key == platform::KEY_ENTER && (press.mods & platform::MOD_ALT)) || key == keys.of(KeyAction::mute);
}

bool isPauseControl(const Press& press, const KeyBindings& keys) {
    return press.isKey(keys.of(KeyAction::pause)) || press.is(PressSource::pad, platform::PAD_BUTTON_START);
}

}  // namespace velmora::app
