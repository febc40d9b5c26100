#include "render/RenderOptions.h"

namespace velmora {

bool shadowsEnabled = true;
bool transparencyEnabled = true;

}  // namespace velmora
