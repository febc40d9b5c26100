#include "render/PassProbe.h"

namespace velmora {

PassProbe passProbe = nullptr;

}  // namespace velmora
