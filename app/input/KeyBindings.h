#pragma once
// The keys the player may move to other keys: the four pushes, restart,
// pause, the replay keys and mute. The option keys F1 to F9, the full-screen
// switch F11, Escape and Q (quit) and the replay speed keys stay where they
// are, and two actions never share a key.

#include <array>
#include <string>

namespace velmora::app {

enum class KeyAction { forward, left, back, right, restart, pause, replay, bestRun, ghost, mute };
constexpr int kKeyActionCount = 10;

struct KeyBindings {
    // Indexed by KeyAction; key codes as the window layer numbers them.
    std::array<int, kKeyActionCount> keys = {'W', 'A', 'S', 'D', 'R', 'P', 'V', 'B', 'G', 'M'};

    int of(KeyAction action) const { return keys[static_cast<int>(action)]; }
};

// What the action does, as messages and the settings screen say it ("push
// forward", "restart").
const char* actionName(KeyAction action);
// Its key in the settings file ("key_forward").
const char* actionSettingKey(KeyAction action);

// What a key that can never be rebound does ("quit", "shadows"); empty for a
// key that may be bound.
std::string fixedKeyUse(int key);

// Moves action to key. Returns empty when done; otherwise the reason it was
// refused, naming what the key does already ("S already pushes back"), and
// the bindings stay as they were. A key with no name is refused too.
std::string rebind(KeyBindings& bindings, KeyAction action, int key);

}  // namespace velmora::app
