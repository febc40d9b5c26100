#include "app/input/FrameInput.h"

#include <algorithm>

#include "platform/Window.h"

namespace velmora::app {

namespace {

constexpr float kStickTravel = 0.5f;

// The left stick pushed past half its travel counts as the D-pad, so the
// menus move with either.
bool padDown(const platform::GamepadState& pad, int button) {
    const float x = pad.axes[platform::PAD_AXIS_LEFT_X];
    const float y = pad.axes[platform::PAD_AXIS_LEFT_Y];
    switch (button) {
    case platform::PAD_BUTTON_DPAD_UP: return pad.pressed(button) || y < -kStickTravel;
    case platform::PAD_BUTTON_DPAD_DOWN: return pad.pressed(button) || y > kStickTravel;
    case platform::PAD_BUTTON_DPAD_LEFT: return pad.pressed(button) || x < -kStickTravel;
    case platform::PAD_BUTTON_DPAD_RIGHT: return pad.pressed(button) || x > kStickTravel;
    default: return pad.pressed(button);
    }
}

}  // namespace

void FrameInput::beginFrame(const std::vector<platform::InputEvent>& events,
                            const platform::GamepadState& pad) {
    presses_.clear();
    for (const platform::InputEvent& event : events) {
        if (!event.down) continue;
        if (event.kind == platform::InputKind::key) {
            presses_.push_back({PressSource::key, event.code, event.mods, false});
        } else if (event.kind == platform::InputKind::mouseButton) {
            presses_.push_back({PressSource::mouseButton, event.code, event.mods, false});
        }
    }
    // The pad has no events: a button counts once when it is found down
    // after being up.
    for (int button = 0; button < platform::PAD_BUTTON_COUNT; ++button) {
        const bool down = padDown(pad, button);
        if (down && !padBefore_[button]) presses_.push_back({PressSource::pad, button, 0, false});
        padBefore_[button] = down;
    }
    pad_ = pad;
    // A hold that was taken ends when the key is let go, or with a new press,
    // which goes to whatever is on top now.
    for (auto it = takenHolds_.begin(); it != takenHolds_.end();) {
        const bool pressedAgain = std::any_of(presses_.begin(), presses_.end(), [&](const Press& press) {
            return press.is(it->first, it->second);
        });
        it = pressedAgain || !deviceHeld(it->first, it->second) ? takenHolds_.erase(it) : std::next(it);
    }
}

void FrameInput::take(Press& press) {
    press.taken = true;
    takenHolds_.insert({press.source, press.code});
}

int FrameInput::count(PressSource source, int code) const {
    return static_cast<int>(std::count_if(presses_.begin(), presses_.end(), [&](const Press& press) {
        return !press.taken && press.is(source, code);
    }));
}

int FrameInput::takeAll(PressSource source, int code, int withMods) {
    int taken = 0;
    for (Press& press : presses_) {
        if (press.taken || !press.is(source, code) || (press.mods & withMods) != withMods) continue;
        take(press);
        ++taken;
    }
    return taken;
}

bool FrameInput::deviceHeld(PressSource source, int code) const {
    switch (source) {
    case PressSource::key: return platform::getKey(code) == platform::PRESS;
    case PressSource::mouseButton: return platform::getMouseButton(code) == platform::PRESS;
    case PressSource::pad: return padDown(pad_, code);
    }
    return false;
}

bool FrameInput::keyHeld(int key) const {
    return takenHolds_.count({PressSource::key, key}) == 0 && deviceHeld(PressSource::key, key);
}

bool FrameInput::buttonHeld(int button) const {
    return takenHolds_.count({PressSource::mouseButton, button}) == 0 &&
           deviceHeld(PressSource::mouseButton, button);
}

bool FrameInput::padHeld(int button) const {
    return takenHolds_.count({PressSource::pad, button}) == 0 && deviceHeld(PressSource::pad, button);
}

}  // namespace velmora::app
