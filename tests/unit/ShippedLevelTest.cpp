#include <gtest/gtest.h>

#include "level/ColladaWriter.h"
#include "level/LevelCheck.h"
#include "level/TileDescription.h"
#include "level/LevelSet.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

using namespace velmora;

namespace {

// The game's fixed numbers the level is built around.
const glm::vec3 kLight(0.0f, 20.0f, -25.0f);
constexpr float kShadowRange = 65.0f;
const glm::vec3 kSphereStarts[] = {{-1.0f, 0.1f, -24.0f}, {2.0f, 0.5f, -24.0f}};
const glm::vec3 kResetPlaces[] = {{1.0f, 0.05f, -22.0f}, {4.0f, 0.05f, -22.0f}};

const LevelReport& shippedReport() {
    static const LevelReport report = checkLevel(shippedLevelTiles());
    return report;
}

// A flat floor whose top is at height 0 right below the point.
bool standsOnFloor(const glm::vec3& point, const LevelReport& report = shippedReport()) {
    for (const CheckedNode& node : report.nodes) {
        const bool flat = node.worldMax.y - node.worldMin.y < 1e-3f;
        if (flat && std::abs(node.worldMax.y) < 1e-4f && point.x > node.worldMin.x &&
            point.x < node.worldMax.x && point.z > node.worldMin.z && point.z < node.worldMax.z) {
            return true;
        }
    }
    return false;
}

}  // namespace

TEST(ShippedLevel, PassesTheCheckerWithoutErrors) {
    const LevelReport& report = shippedReport();
    for (const LevelProblem& problem : report.problems) ADD_FAILURE() << problemLine(problem);
    EXPECT_FALSE(report.hasErrors());
    std::set<std::string> files;
    for (const CheckedNode& node : report.nodes) files.insert(node.file);
    EXPECT_EQ(files.size(), 3u);
}

TEST(ShippedLevel, UsesEveryRole) {
    std::set<NodeRole> roles;
    std::set<CollisionKind> collisions;
    std::set<std::string> keys, textures, spikeWords, actors;
    std::map<std::string, int> switchesPerDoor;
    bool steadyDoor = false, closingDoor = false, glass = false, millWithParts = false;
    const auto& nodes = shippedReport().nodes;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const CheckedNode& node = nodes[i];
        roles.insert(node.role);
        collisions.insert(node.collision.kind);
        for (const auto& entry : node.annotations) keys.insert(entry.first);
        if (!node.textureFile.empty()) textures.insert(node.textureFile);
        if (node.collision.kind == CollisionKind::SpikeBox) spikeWords.insert(node.baseName.substr(0, 8));
        const auto actor = node.annotations.find("actor");
        const auto open = node.annotations.find("open");
        if (open != node.annotations.end()) {
            actors.insert(actor == node.annotations.end() ? "either" : actor->second.front());
            for (const std::string& door : open->second) ++switchesPerDoor[door];
        }
        if (node.role == NodeRole::Door) {
            (node.annotations.count("steady") ? steadyDoor : closingDoor) = true;
        }
        glass = glass || node.opacity == 0.5f;
        // The mill's parts follow it in the walk and lie close around it.
        if (node.baseName == "mill" && i + 1 < nodes.size()) {
            millWithParts = glm::distance(nodes[i + 1].pose.position, node.pose.position) < 2.0f;
        }
    }
    EXPECT_EQ(roles.size(), 3u);
    EXPECT_EQ(collisions.size(), 4u);
    for (const char* key : {"texture", "actor", "steady", "win", "reset", "open"}) {
        EXPECT_EQ(keys.count(key), 1u) << key;
    }
    EXPECT_EQ(actors, (std::set<std::string>{"either", "main", "second"}));
    EXPECT_EQ(spikeWords, (std::set<std::string>{"stacheln", "Stacheln"}));
    EXPECT_TRUE(std::any_of(switchesPerDoor.begin(), switchesPerDoor.end(),
                            [](const auto& door) { return door.second >= 2; }))
        << "a door that either of two switches opens";
    EXPECT_GE(textures.size(), 6u);
    EXPECT_TRUE(steadyDoor);
    EXPECT_TRUE(closingDoor);
    EXPECT_TRUE(glass);
    EXPECT_TRUE(millWithParts);
    EXPECT_GE(nodes.size(), 100u);
}

// Each node is as see-through as the material its description gives it, and
// no more: the glass stays glass, everything else opaque.
TEST(ShippedLevel, OpacityIsTheDescribedMaterials) {
    std::map<std::string, float> described;  // by file and node name
    for (int tile = 1; tile <= 3; ++tile) {
        std::ifstream source("tools/level/tile" + std::to_string(tile) + ".txt");
        TileDescription description;
        std::string error;
        ASSERT_TRUE(parseTileDescription(source, description, error)) << error;
        std::map<std::string, float> opacities;
        for (const TileMaterial& material : description.materials) {
            opacities[material.name] = material.opacity;
        }
        const std::string file = "Objects/Tile" + std::to_string(tile) + ".dae";
        std::vector<const TileNode*> open;
        for (const TileNode& node : description.nodes) open.push_back(&node);
        while (!open.empty()) {
            const TileNode* node = open.back();
            open.pop_back();
            described[file + " " + node->name] = opacities.at(node->material);
            for (const TileNode& child : node->children) open.push_back(&child);
        }
    }
    int seeThrough = 0;
    for (const CheckedNode& node : shippedReport().nodes) {
        EXPECT_EQ(node.opacity, described.at(node.file + " " + node.nodeName)) << node.nodeName;
        seeThrough += node.opacity < 1.0f;
    }
    EXPECT_GE(seeThrough, 5);
}

TEST(ShippedLevel, SpheresStartAndResetOnAFloor) {
    for (const glm::vec3& start : kSphereStarts) EXPECT_TRUE(standsOnFloor(start));
    for (const glm::vec3& reset : kResetPlaces) EXPECT_TRUE(standsOnFloor(reset));
}

void expectLitWithinTheShadowRange(const LevelReport& report, const glm::vec3& light = kLight) {
    for (const CheckedNode& node : report.nodes) {
        // The farthest corner of the node's bounds.
        glm::vec3 corner;
        for (int axis = 0; axis < 3; ++axis) {
            corner[axis] = std::abs(node.worldMin[axis] - light[axis]) >
                                   std::abs(node.worldMax[axis] - light[axis])
                               ? node.worldMin[axis]
                               : node.worldMax[axis];
        }
        EXPECT_LT(glm::distance(corner, light), kShadowRange) << node.file << " " << node.nodeName;
    }
}

TEST(ShippedLevel, EverythingLitLiesWithinTheShadowRange) { expectLitWithinTheShadowRange(shippedReport()); }

// Every level of the set, as the game loads it (its tiles where the list
// puts them, its spheres and light where it says): the checker finds nothing
// to say, not even a warning, and the spheres start and reset on a floor
// under the light.
TEST(LevelSet, EveryLevelPassesTheCheckerAndStandsUnderTheLight) {
    std::vector<std::string> listProblems;
    const LevelSet set = loadLevelSet(kLevelSetFile, listProblems).value_or(LevelSet{});
    EXPECT_TRUE(listProblems.empty()) << listProblems.front();
    ASSERT_GE(set.levels.size(), 6u);
    for (const LevelEntry& level : set.levels) {
        EXPECT_TRUE(std::filesystem::exists(level.route)) << level.name;
        LevelCheckSettings settings;
        settings.main.centre = level.places.mainStart;
        settings.second.centre = level.places.secondStart;
        const LevelReport report = checkLevel(level.tiles, settings);
        for (const LevelProblem& problem : report.problems) {
            ADD_FAILURE() << level.name << ": " << problemLine(problem);
        }
        EXPECT_FALSE(report.anyTileUnreadable) << level.name;
        const LevelPlaces& at = level.places;
        for (const glm::vec3& place : {at.mainStart, at.secondStart, at.mainReset, at.secondReset}) {
            EXPECT_TRUE(standsOnFloor(place, report)) << level.name;
        }
        expectLitWithinTheShadowRange(report, at.light);
    }
}

TEST(ShippedLevel, EveryTriggerVolumeReachesAboveItsFloorOrCatchesFalls) {
    const auto& nodes = shippedReport().nodes;
    for (const CheckedNode& node : nodes) {
        if (!node.collision.hasTriggerVolume()) continue;
        // The floor under the trigger: the highest top below its origin.
        const glm::vec3 at = node.pose.position;
        float floorTop = -1e9f;
        for (const CheckedNode& other : nodes) {
            if (other.collision.hasTriggerVolume() || other.worldMax.y > at.y + 1e-3f) continue;
            if (at.x > other.worldMin.x && at.x < other.worldMax.x && at.z > other.worldMin.z &&
                at.z < other.worldMax.z) {
                floorTop = std::max(floorTop, other.worldMax.y);
            }
        }
        // Upright volumes: their half height is the reach above the origin.
        EXPECT_GT(node.collision.halfExtents.z, 0.5f) << node.nodeName;
        if (floorTop > -1e9f) {
            EXPECT_NEAR(at.y, floorTop, 1e-3f) << node.nodeName << " lies on its floor";
        } else {
            EXPECT_EQ(node.annotations.count("reset"), 1u) << node.nodeName << " floats";
        }
    }
}

TEST(ShippedLevel, WallsOrResetVolumesCloseTheLevelAroundTheSpheres) {
    // Flood the floor plan from the start on a grid of small cells. Walls
    // (anything standing at least a sphere's height) stop the flood; doors
    // don't, as they open. A cell above a reset volume ends the flood: what
    // falls there is sent back. Every other cell reached must have floor
    // under it, so a sphere can only ever roll over floor inside walls or
    // fall into a pit that puts it back at the start.
    const float cell = 0.25f;
    const glm::vec2 lo(-10.0f, -70.0f);
    const int columns = 240, rows = 240;  // x -10..50, z -70..-10
    std::vector<char> wall(columns * rows, 0), floor(columns * rows, 0), caught(columns * rows, 0);
    const auto mark = [&](std::vector<char>& grid, const CheckedNode& node) {
        const int x0 = static_cast<int>(std::floor((node.worldMin.x - lo.x) / cell));
        const int x1 = static_cast<int>(std::floor((node.worldMax.x - lo.x) / cell));
        const int z0 = static_cast<int>(std::floor((node.worldMin.z - lo.y) / cell));
        const int z1 = static_cast<int>(std::floor((node.worldMax.z - lo.y) / cell));
        for (int x = std::max(x0, 0); x <= std::min(x1, columns - 1); ++x) {
            for (int z = std::max(z0, 0); z <= std::min(z1, rows - 1); ++z) grid[z * columns + x] = 1;
        }
    };
    for (const CheckedNode& node : shippedReport().nodes) {
        const bool flat = node.worldMax.y - node.worldMin.y < 1e-3f;
        if (flat && std::abs(node.worldMax.y) < 1e-4f) mark(floor, node);
        if (node.collision.hasTriggerVolume() && node.annotations.count("reset") &&
            node.worldMax.y < -0.5f) {
            mark(caught, node);
        } else if (node.role != NodeRole::Door && node.worldMin.y < 0.05f &&
                   node.worldMax.y >= 2.0f) {
            mark(wall, node);
        }
    }
    std::vector<char> reached(columns * rows, 0);
    std::vector<int> open{static_cast<int>((-24.0f - lo.y) / cell) * columns +
                          static_cast<int>((-1.0f - lo.x) / cell)};
    int leaks = 0, pitCells = 0;
    while (!open.empty()) {
        const int at = open.back();
        open.pop_back();
        if (reached[at] || wall[at]) continue;
        reached[at] = 1;
        const int x = at % columns, z = at / columns;
        if (caught[at] && !floor[at]) {
            ++pitCells;
            continue;
        }
        if (!floor[at] || x == 0 || z == 0 || x == columns - 1 || z == rows - 1) {
            ADD_FAILURE() << "a sphere can leave the level at x " << lo.x + x * cell
                          << ", z " << lo.y + z * cell;
            if (++leaks > 5) break;
            continue;
        }
        open.insert(open.end(), {at - 1, at + 1, at - columns, at + columns});
    }
    EXPECT_EQ(leaks, 0);
    // The way on leads out over the pit.
    EXPECT_GT(pitCells, 0);
}

TEST(ShippedLevel, TilesAreUpToDateWithTheirDescriptions) {
    // Authors edit tools/level/tileN.txt and tools/level/NAME/tileN.txt; the
    // committed tiles, Objects/TileN.dae and Objects/NAME/TileN.dae, must be
    // what make_level makes of them.
    std::vector<std::string> folders{""};
    for (const auto& entry : std::filesystem::directory_iterator("tools/level")) {
        if (entry.is_directory()) folders.push_back(entry.path().filename().string() + "/");
    }
    int compared = 0;
    for (const std::string& folder : folders) {
        for (int tile = 1; tile <= 3; ++tile) {
            const std::string number = std::to_string(tile);
            std::ifstream source("tools/level/" + folder + "tile" + number + ".txt");
            if (!source && !folder.empty()) continue;
            TileDescription description;
            std::string error;
            ASSERT_TRUE(parseTileDescription(source, description, error)) << folder << error;
            const std::string file = "Objects/" + folder + "Tile" + number + ".dae";
            std::ifstream generated(file, std::ios::binary);
            std::stringstream committed;
            committed << generated.rdbuf();
            EXPECT_TRUE(committed.str() == writeCollada(description)) << file << " is stale: run build/make_level";
            ++compared;
        }
    }
    EXPECT_GE(compared, 3 + 5);
}
