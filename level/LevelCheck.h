#pragma once
// The level checker: reads tiles the way the game does and lists what each
// mesh node will become, and the mistakes that would silently break the
// level (a switch naming no door, a missing texture, a trigger no sphere can
// enter, ...). Used by tools/check_level and by the tests.

#include "level/CollisionKind.h"
#include "level/NodeName.h"
#include "level/NodePose.h"

#include <ostream>
#include <string>
#include <vector>

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

struct CheckedNode {
    std::string file;
    std::string nodeName;
    std::string baseName;
    NodeRole role = NodeRole::Plain;
    NodeAnnotations annotations;
    CollisionPlan collision;
    std::int32_t vertexCount = 0;
    float opacity = 1.0f;
    std::string textureFile;  // empty: untextured
    bool textureExists = false;
    NodePose pose;
    glm::vec3 worldMin{0.0f}, worldMax{0.0f};  // bounds of its geometry in the world
};

struct LevelProblem {
    bool isError = true;  // false: a warning, which does not fail the check
    std::string file;     // "level" for problems of the level as a whole
    std::string node;
    std::string message;
};

struct LevelReport {
    std::vector<CheckedNode> nodes;
    std::vector<LevelProblem> problems;
    bool hasErrors() const;
};

// Checks the tiles together (switches and doors may lie in different
// tiles). Level textures are looked up in textureFolder.
LevelReport checkLevel(const std::vector<LevelTile>& tiles,
                       const std::string& textureFolder = "Textures");

// "file: node: message", warnings marked as such.
std::string problemLine(const LevelProblem& problem);

// One line describing what a node becomes in the game.
void printCheckedNode(std::ostream& out, const CheckedNode& node);

}  // namespace velmora
