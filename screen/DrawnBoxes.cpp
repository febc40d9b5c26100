#include "screen/DrawnBoxes.h"

namespace velmora {

// Null in the game; a layout test points it at its list for one frame.
std::vector<DrawnBox>* drawnBoxLog = nullptr;

}  // namespace velmora
