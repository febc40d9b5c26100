#include "screen/DrawnBoxes.h"

namespace velmora {

std::vector<DrawnBox>* drawnBoxLog = nullptr;

}  // namespace velmora
