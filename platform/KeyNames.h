#pragma once
// Names of the keys as the settings file and the settings screen write them
// ("W", "Space", "Up", "Keypad5", "F10"), and back.

#include <string>

namespace velmora::platform {

// The name of a key code of KeyCodes.h; empty for a code with no name.
std::string keyName(int key);

// The code of a name as keyName writes it, in any letter case; -1 for none.
int keyFromName(const std::string& name);

}  // namespace velmora::platform
