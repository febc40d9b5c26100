// Checks level tiles for authoring mistakes. Run from the repository root:
//   build/check_level                      the three tiles the game loads
//   build/check_level Objects/Tile2.dae    chosen tiles, checked together
// Prints what every mesh node becomes, then one line per problem as
// "file: node: message". Exits 1 when there is an error (warnings alone
// pass), 2 on a usage mistake.

#include "level/LevelCheck.h"

#include <iostream>
#include <string>

int main(int argc, char** argv) {
    std::vector<velmora::LevelTile> tiles;
    std::string textureFolder = "Textures";
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--textures" && i + 1 < argc) {
            textureFolder = argv[++i];
        } else if (!argument.empty() && argument[0] == '-') {
            std::cerr << "usage: check_level [--textures FOLDER] [TILE.dae ...]" << std::endl;
            return 2;
        } else {
            tiles.push_back({argument, velmora::levelTileOffset(argument)});
        }
    }
    if (tiles.empty()) tiles = velmora::shippedLevelTiles();

    const velmora::LevelReport report = velmora::checkLevel(tiles, textureFolder);
    for (const velmora::CheckedNode& node : report.nodes) velmora::printCheckedNode(std::cout, node);
    for (const velmora::LevelProblem& problem : report.problems) {
        std::cout << velmora::problemLine(problem) << '\n';
    }
    std::cout << (report.hasErrors() ? "level has errors" : "level is fine") << std::endl;
    return report.hasErrors() ? 1 : 0;
}
