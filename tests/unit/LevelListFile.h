#pragma once
// A small reader of the level set's list, Objects/levels.txt, for the tests
// that hold every listed level to its checks: the names, tiles, routes and
// par times, nothing more. Lines it doesn't need are skipped.

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace velmora::test {

struct ListedLevel {
    std::string name;
    std::vector<std::string> tiles;
    std::string route;
    long parSeconds = 0;
};

inline std::vector<ListedLevel> readLevelList(const std::string& file = "Objects/levels.txt") {
    std::vector<ListedLevel> levels;
    std::ifstream input(file);
    std::string line;
    while (std::getline(input, line)) {
        std::istringstream words(line.substr(0, line.find('#')));
        std::string key, value;
        if (!(words >> key >> value)) continue;
        if (key == "level") levels.push_back(ListedLevel{value, {}, {}, 0});
        if (levels.empty()) continue;
        if (key == "tile") levels.back().tiles.push_back(value);
        if (key == "route") levels.back().route = value;
        if (key == "par") {
            const std::size_t colon = value.find(':');
            levels.back().parSeconds =
                std::stol(value.substr(0, colon)) * 60 + std::stol(value.substr(colon + 1));
        }
    }
    return levels;
}

}  // namespace velmora::test
