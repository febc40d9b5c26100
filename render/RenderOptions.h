#pragma once
// Rendering options the player switches at run time with the function keys.
// They are process-wide because the frame loop, the HUD and the scene renderer
// all read them.

namespace velmora {

extern bool shadowsEnabled;       // F-key toggle: the six shadow faces are drawn each frame
extern bool transparencyEnabled;  // F9: transparent objects get their own, blended pass

}  // namespace velmora
