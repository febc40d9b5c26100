#pragma once
// What the help (F1) says, made from the key bindings and the option keys'
// table themselves: a key moved on the settings screen, or a new option key,
// shows here as it is, under the name the settings screen uses.

#include <string>
#include <vector>

#include "app/input/KeyBindings.h"

namespace velmora::app {

struct HelpEntry {
    std::string keys;  // "W A S D", "Escape, Q", "F5"
    std::string does;  // "roll the sphere, relative to the camera"
};

// Every key and button the game answers, in groups: rolling and the camera,
// the magnet, the run, the option keys.
std::vector<std::vector<HelpEntry>> helpGroups(const KeyBindings& keys);

// The aim, then one line per group: its entries as "keys: does", a wide gap
// apart, so that a narrow screen wraps between them.
std::vector<std::string> helpLines(const KeyBindings& keys);

}  // namespace velmora::app
