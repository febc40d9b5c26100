#pragma once

namespace velmora::app {

// The whole program: start-up, the frame loop, shutdown. Returns the exit status.
int runGame();

}  // namespace velmora::app
