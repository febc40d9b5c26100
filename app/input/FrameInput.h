#pragma once
// The presses of one frame and who gets them. Every key and mouse-button
// press the window reported since the last frame counts, in the order it
// came, however short (a press and release inside one frame is one press);
// a pad button counts when it went down since the last frame. Whatever is on
// top (the key prompt, a menu, the win screen, play) takes its presses first:
// a press taken reaches nothing below it, and neither does that key's hold
// until the key is let go. Held keys and buttons are still read as held.

#include <array>
#include <set>
#include <utility>
#include <vector>

#include "platform/Gamepad.h"
#include "platform/InputEvent.h"

namespace velmora::app {

enum class PressSource { key, mouseButton, pad };

struct Press {
    PressSource source = PressSource::key;
    int code = 0;  // the key (platform/KeyCodes.h), the mouse button or the pad button
    int mods = 0;  // platform::MOD_* held with a key or button
    bool taken = false;

    bool is(PressSource s, int c) const { return source == s && code == c; }
    bool isKey(int key) const { return is(PressSource::key, key); }
};

class FrameInput {
public:
    // The next frame: the window's events since the last one, oldest first,
    // and the pad as it is now.
    void beginFrame(const std::vector<platform::InputEvent>& events, const platform::GamepadState& pad);

    // This frame's presses in the order they came, for whatever walks them
    // in order; mark those taken with take().
    std::vector<Press>& presses() { return presses_; }
    void take(Press& press);

    // How many presses of it came this frame that nothing has taken yet;
    // the take... ones take them.
    int count(PressSource source, int code) const;
    // Of a key, only those made with all of the modifiers given (Alt+Enter).
    int takeKey(int key, int withMods = 0) { return takeAll(PressSource::key, key, withMods); }
    int takeButton(int button) { return takeAll(PressSource::mouseButton, button, 0); }
    int takePad(int button) { return takeAll(PressSource::pad, button, 0); }
    // Takes every press not yet taken but those keep says go on below.
    template <typename Keep>
    void takeAllBut(Keep keep) {
        for (Press& press : presses_) {
            if (!press.taken && !keep(press)) take(press);
        }
    }

    // Down now or pressed since the last frame, unless its press was taken.
    bool keyHeld(int key) const;
    bool buttonHeld(int button) const;
    bool padHeld(int button) const;
    // The pad as the frame began: its sticks are read as they stand.
    const platform::GamepadState& pad() const { return pad_; }

private:
    int takeAll(PressSource source, int code, int withMods);
    bool deviceHeld(PressSource source, int code) const;

    std::vector<Press> presses_;
    platform::GamepadState pad_;
    std::array<bool, platform::PAD_BUTTON_COUNT> padBefore_{};
    // Keys, buttons and pad buttons whose latest press was taken, until let go.
    std::set<std::pair<PressSource, int>> takenHolds_;
};

}  // namespace velmora::app
