#include "render/DrawOrder.h"

namespace velmora {

bool isOpaque(float opacity) { return opacity == 1.0f; }

bool drawnInTraversal(float opacity, bool transparencyEnabled, bool transparentPass) {
    return isOpaque(opacity) || transparentPass || !transparencyEnabled;
}

}  // namespace velmora
