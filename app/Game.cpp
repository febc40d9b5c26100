#include "app/Game.h"

namespace velmora::app {

int runGame() { return 0; }

}  // namespace velmora::app
