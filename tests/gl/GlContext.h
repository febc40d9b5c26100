#pragma once
// The one real OpenGL context shared by every GL test, opened the way the game
// opens its own: full screen at the desktop size with a 3.2 core profile.

namespace velmora::test {

int contextWidth();
int contextHeight();

}  // namespace velmora::test
