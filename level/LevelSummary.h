#pragma once
// The level checker's summary: what each tile holds, and how far each
// sphere got, in a few lines an author can compare between builds.

#include "level/LevelCheck.h"

#include <map>
#include <ostream>
#include <set>
#include <string>

namespace velmora {

struct TileSummary {
    std::string file;
    int objects = 0;                        // mesh nodes
    std::map<std::string, int> triggers;    // by what they do: goal, reset, switch, idle
    int doors = 0;
    int triangles = 0;
    std::set<std::string> textures;         // distinct files named
};

std::vector<TileSummary> summariseTiles(const LevelReport& report);

// "Tile1.dae: 12 objects, triggers 1 switch, 1 door, 204 triangles, textures door.png ...".
void printTileSummary(std::ostream& out, const TileSummary& tile);

// "reach: the main sphere (radius 0.5, from ...): 8123 places, goal reached, ...".
void printSphereReach(std::ostream& out, const SphereReach& reach);

}  // namespace velmora
