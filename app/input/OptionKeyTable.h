#pragma once
// The option keys and what each switches, under the name the settings screen
// gives it: the help lists them from here, so a new option key shows there.

#include <vector>

namespace velmora::app {

struct OptionKeyUse {
    int key = 0;              // F1 .. F9 as the window layer numbers them
    const char* name = "";    // "Shadows"; F1's "Help" is no setting
};

// In key order; F4 and F6 switch nothing and are left out.
const std::vector<OptionKeyUse>& optionKeyUses();

}  // namespace velmora::app
