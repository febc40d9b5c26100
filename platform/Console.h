#pragma once
// Console helpers for fatal start-up and shader failures.

#include <stdexcept>

namespace velmora::platform {

// Waits for Enter when standard input is a terminal, so a player who started
// the game from a console can read the last lines. Without a terminal (CI,
// tests, a launcher) it returns at once and never blocks.
void consolePause();

// A failure the game cannot go on from (a shader that does not build, a
// world without its registry). Thrown where it happens once its lines are
// printed; only the shell (app/shell/Game.h) ends the game for it, so the player's
// settings are saved first and the process is never ended from deep inside.
struct FatalFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

}  // namespace velmora::platform
