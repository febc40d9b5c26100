#pragma once
// The shell's process-wide state: created at start-up, lives until the end.

#include "app/ShadowCubeMap.h"

namespace velmora::app {

struct ShellState {
    int screenWidth = 0;
    int screenHeight = 0;
    ShadowCubeMap shadowCube;
};

}  // namespace velmora::app
