// Checks level tiles for authoring mistakes. Run from the repository root:
//   build/check_level                      the three tiles the game loads
//   build/check_level Objects/Tile2.dae    chosen tiles, checked together
//   build/check_level --level NAME         a level of Objects/levels.txt, from its starts
//   build/check_level --no-reach t.dae     without the reachability flood
// Prints what every mesh node becomes, a summary per tile, how far each
// sphere can roll, then one line per problem as "file: node: message".
// Exits 0 without errors (warnings pass), 1 with errors, 2 when a file
// can't be read as a tile at all or the command line is wrong.

#include "level/LevelCheck.h"
#include "level/LevelSet.h"
#include "level/LevelSummary.h"

#include <chrono>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    std::vector<velmora::LevelTile> tiles;
    velmora::LevelCheckSettings settings;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--textures" && i + 1 < argc) {
            settings.textureFolder = argv[++i];
        } else if (argument == "--no-reach") {
            settings.checkReach = false;
        } else if (argument == "--level" && i + 1 < argc) {
            std::vector<std::string> problems;
            const auto set = velmora::loadLevelSet(velmora::kLevelSetFile, problems);
            const velmora::LevelEntry* level = set ? set->find(argv[++i]) : nullptr;
            if (level == nullptr) {
                for (const std::string& problem : problems) std::cerr << problem << std::endl;
                std::cerr << "check_level: no level named " << argv[i] << std::endl;
                return 2;
            }
            tiles.insert(tiles.end(), level->tiles.begin(), level->tiles.end());
            settings.main.centre = level->places.mainStart;
            settings.second.centre = level->places.secondStart;
        } else if (!argument.empty() && argument[0] == '-') {
            std::cerr << "usage: check_level [--textures FOLDER] [--no-reach] [--level NAME | TILE.dae ...]"
                      << std::endl;
            return 2;
        } else {
            tiles.push_back({argument, velmora::levelTileOffset(argument)});
        }
    }
    if (tiles.empty()) tiles = velmora::shippedLevelTiles();

    const auto started = std::chrono::steady_clock::now();
    const velmora::LevelReport report = velmora::checkLevel(tiles, settings);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;

    for (const velmora::CheckedNode& node : report.nodes) velmora::printCheckedNode(std::cout, node);
    for (const velmora::TileSummary& tile : velmora::summariseTiles(report)) {
        velmora::printTileSummary(std::cout, tile);
    }
    for (const velmora::SphereReach& reach : report.reach) {
        velmora::printSphereReach(std::cout, reach);
    }
    for (const velmora::LevelProblem& problem : report.problems) {
        std::cout << velmora::problemLine(problem) << '\n';
    }
    std::cout << (report.hasErrors() ? "level has errors" : "level is fine") << " (checked in "
              << took.count() << " s)" << std::endl;
    if (report.anyTileUnreadable) return 2;
    return report.hasErrors() ? 1 : 0;
}
