#pragma once
// How shiny a level surface is and what colour an untextured one has. Stone,
// brick and wood are matte: a full highlight on them paints a white glare on
// the floor wherever the light's mirror image meets the eye. Metal keeps a
// strong highlight; see-through untextured shapes are glass, tinted pale blue
// and glossy, so that they never read as the plain red of a shape missing
// its texture.

#include <string>

namespace velmora {

class DrawNode;

void applySurfaceFinish(DrawNode& node, const std::string& textureFile, float opacity);

}  // namespace velmora
