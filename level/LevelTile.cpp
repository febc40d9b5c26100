#include "level/LevelTile.h"

namespace velmora {

namespace {

std::string baseFileName(const std::string& path) {
    const std::string::size_type slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::vector<LevelTile> shippedLevelTiles() {
    return {{"Objects/Tile1.dae", {0.0f, 0.0f, -22.0f}},
            {"Objects/Tile2.dae", {0.0f, 0.0f, -52.0f}},
            {"Objects/Tile3.dae", {30.0f, 0.0f, -52.0f}}};
}

glm::vec3 levelTileOffset(const std::string& file) {
    for (const LevelTile& tile : shippedLevelTiles()) {
        if (baseFileName(tile.file) == baseFileName(file)) return tile.offset;
    }
    return glm::vec3(0.0f);
}

}  // namespace velmora
