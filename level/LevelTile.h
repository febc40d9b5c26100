#pragma once
// The tiles a level is made of, and where the game places each.

#include <string>
#include <vector>

#include <glm/glm.hpp>

namespace velmora {

struct LevelTile {
    std::string file;
    glm::vec3 offset{0.0f};  // where the game places the tile in the world
};

// The three tiles the game loads, with their offsets.
std::vector<LevelTile> shippedLevelTiles();

// The offset the game gives a tile file (by its file name, Tile1.dae ..
// Tile3.dae); other files get none.
glm::vec3 levelTileOffset(const std::string& file);

}  // namespace velmora
