#pragma once
// The shipped levels in play order, as Objects/levels.txt lists them: for
// each its name, title, par time, tiles, route, the places the game puts
// things (the spheres' starts and resets, the light) and its ambient bed. Adding a level is a
// block in that file and the level's own files; no code changes.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "level/LevelLook.h"
#include "level/LevelTile.h"
#include "sim/PlayerSpheres.h"

namespace velmora {

inline const char* const kLevelSetFile = "Objects/levels.txt";

constexpr long kDefaultLongestRunSteps = 10 * 60 * 60;

// Where a level puts its spheres and its light, in world coordinates.
struct LevelPlaces {
    glm::vec3 mainStart = spheres::kMainStart;
    glm::vec3 secondStart = spheres::kSecondStart;
    glm::vec3 mainReset = spheres::kMainReset;
    glm::vec3 secondReset = spheres::kSecondReset;
    glm::vec3 light{0.0f, 20.0f, -25.0f};

    bool operator==(const LevelPlaces& other) const;
    bool operator!=(const LevelPlaces& other) const { return !(*this == other); }
};

struct LevelEntry {
    std::string name;   // what --level takes
    std::string title;  // what the player reads
    std::string aim;    // one line on what to do there, for the level's card
    long parSteps = 0;  // the time to beat, in 1/60 s steps
    // The longest run a replay of the level may show, in steps: what a
    // checker plays at most (ten minutes unless the level says otherwise).
    long longestRunSteps = kDefaultLongestRunSteps;
    std::vector<LevelTile> tiles;
    std::string route;
    LevelPlaces places;
    SkyColours sky;
    // The quiet ambient bed heard throughout (Sounds/ambient_NAME.wav);
    // empty for none.
    std::string ambient;
    // A point (world x, z) the camera first looks towards from the main
    // sphere's start; none: along -z. The camera only, so no part of the
    // level's identity: replays hold world-space pushes.
    std::optional<glm::vec2> faceTowards;
};

// The camera's first yaw on the level, in degrees (0 looks along -z, 90
// along -x): towards its faceTowards point.
float startYawDegrees(const LevelEntry& level);

struct LevelSet {
    std::vector<LevelEntry> levels;
    // The level of that name; null when the set has none.
    const LevelEntry* find(const std::string& name) const;
    // Its place in the play order; -1 when absent.
    int indexOf(const std::string& name) const;
};

// Reads the list from text; each line that can't be read adds one
// "FILE:LINE: why" to problems, and a level missing its tiles is left out.
LevelSet parseLevelSet(const std::string& text, const std::string& fileName,
                       std::vector<std::string>& problems);

// Reads the list from a file; nullopt (and a line in problems) when the file
// can't be read or lists no usable level.
std::optional<LevelSet> loadLevelSet(const std::string& file, std::vector<std::string>& problems);

// The shipped level as a single entry, for when the list can't be read.
LevelEntry shippedLevel();

// A level made of the given tiles, everything else as the defaults have it.
LevelEntry levelOfTiles(const std::vector<LevelTile>& tiles);

// The identity replays and best times are kept under: the tiles' bytes, and
// the places where a level moves them from the defaults.
std::uint64_t levelIdentityOf(const LevelEntry& level);

}  // namespace velmora
