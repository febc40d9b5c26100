#pragma once
// The level checker: reads tiles the way the game does and lists what each
// mesh node will become, and the mistakes that would silently break the
// level (a switch naming no door, a missing texture, a trigger no sphere can
// enter, ...). Used by tools/check_level and by the tests.

#include "level/CollisionKind.h"
#include "level/LevelTile.h"
#include "level/NodeName.h"
#include "level/NodePose.h"

#include <ostream>
#include <string>
#include <vector>

namespace velmora {

struct CheckedNode {
    std::string file;
    std::string nodeName;
    std::string baseName;
    NodeRole role = NodeRole::Plain;
    NodeAnnotations annotations;
    CollisionPlan collision;
    std::int32_t vertexCount = 0;
    std::int32_t triangleCount = 0;
    float opacity = 1.0f;
    std::string textureFile;  // empty: untextured
    bool textureOutside = false;  // the name reaches outside the texture folder: never opened
    bool textureExists = false;
    bool textureDecodes = false;
    NodePose pose;
    glm::vec3 worldMin{0.0f}, worldMax{0.0f};  // bounds of its geometry in the world
    glm::vec3 nodeMin{0.0f}, nodeMax{0.0f};    // the same along the node's own axes, scaled
    // What the spheres collide with, three world corners a triangle: the
    // cooked mesh, or the two triangles of a thin box. Empty when the node
    // gets no collision.
    std::vector<glm::vec3> solidTriangles;
    bool turnsWithMill = false;  // below the mill: it sweeps round, blocking nowhere for good
};

// Where a player sphere starts (its centre) and how large it is.
struct SphereStart {
    glm::vec3 centre{0.0f};
    float radius = 0.5f;
};

struct LevelCheckSettings {
    std::string textureFolder = kLevelTextureFolder;
    bool checkReach = true;
    SphereStart main;    // the game's starts unless set otherwise
    SphereStart second;
    LevelCheckSettings();
};

// What one sphere's flood found, for the checker's report.
struct SphereReach {
    std::string sphere;  // "main" or "second"
    SphereStart start;
    bool startOnFloor = false;
    int placesReached = 0;
    int goals = 0, goalsReached = 0;
    int switches = 0, switchesReached = 0;
    int doors = 0, doorsReached = 0;
    int exits = 0;  // ways out of the level without a reset volume under them
};

struct LevelProblem {
    bool isError = true;  // false: a warning, which does not fail the check
    std::string file;     // "level" for problems of the level as a whole
    std::string node;
    std::string message;
};

struct LevelReport {
    std::vector<std::string> tiles;  // the files checked, in order
    std::vector<CheckedNode> nodes;
    std::vector<LevelProblem> problems;
    std::vector<SphereReach> reach;
    bool anyTileUnreadable = false;  // a file missing or not a tile at all
    bool hasErrors() const;
};

// Checks the tiles together (switches and doors may lie in different
// tiles): each node, then the level as a whole, then where the spheres can
// roll from their starts (doors open), unless settings turn that off.
LevelReport checkLevel(const std::vector<LevelTile>& tiles,
                       const LevelCheckSettings& settings = LevelCheckSettings());

// "file: node: message", warnings marked as such.
std::string problemLine(const LevelProblem& problem);

// One line describing what a node becomes in the game.
void printCheckedNode(std::ostream& out, const CheckedNode& node);

}  // namespace velmora
