#pragma once
// Whether a level texture can be used: found, inside the texture folder and
// decodable. Reads the image, so it belongs with what draws and checks
// levels, not with the simulation.

#include <string>

#include "level/DataPath.h"

namespace velmora {

// Why a node's texture file can't be used, as the one message the game and
// the checker give for it: outside the folder, missing, of another format,
// too large for its bytes, or undecodable. Empty when it can be used.
std::string levelTextureProblem(const std::string& textureFile,
                                const std::string& folder = "Textures");

}  // namespace velmora
