#pragma once
// Rendering options the player switches at run time with the function keys.
// The shell owns them with its other options; the frame loop and the scene
// renderer read them.

namespace velmora {

struct RenderOptions {
    bool shadowsEnabled = true;       // F7: the six shadow faces are drawn each frame
    bool transparencyEnabled = true;  // F9: transparent objects get their own, blended pass
};

}  // namespace velmora
