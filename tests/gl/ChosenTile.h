#pragma once
// Puts one chosen tile file in place of the shipped level, loaded as the game
// loads its tiles (the world object's programs, physics and rules, the offset
// the file's name gives it), so a test can play a tile an author made.

#include <string>

namespace velmora::app {
struct ShellState;
}

namespace velmora::test {

// The shell's main world must hold no level yet (see removeLevel).
void importChosenTile(app::ShellState& shell, const std::string& file);

}  // namespace velmora::test
