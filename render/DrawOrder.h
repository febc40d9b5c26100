#pragma once
// Which traversal draws an object. Transparent objects are held back to a
// pass of their own after everything else (and so cast no shadow) while the
// player has transparency on; with it off they are drawn like opaque ones.

namespace velmora {

// Only a material opacity of exactly 1.0 is opaque: 0.999 still needs blending.
bool isOpaque(float opacity);

// True when an object of this opacity has its shapes drawn in the current
// traversal (the main or shadow traversal, or the transparent pass).
bool drawnInTraversal(float opacity, bool transparencyEnabled, bool transparentPass);

}  // namespace velmora
