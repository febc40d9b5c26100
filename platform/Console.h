#pragma once
// Console helpers for fatal start-up and shader failures.

namespace velmora::platform {

// Waits for Enter when standard input is a terminal, so a player who started
// the game from a console can read the last lines. Without a terminal (CI,
// tests, a launcher) it returns at once and never blocks.
void consolePause();

// Pauses as above, then ends the process with status -1 (255 to the shell).
[[noreturn]] void fatalExit();

}  // namespace velmora::platform
