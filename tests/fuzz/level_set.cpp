// The level set's list (Objects/levels.txt).

#include "level/LevelSet.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> problems;
    const velmora::LevelSet set = velmora::parseLevelSet(text, "levels.txt", problems);
    for (const velmora::LevelEntry& level : set.levels) {
        // What the parser lets through is what the game builds from.
        if (level.tiles.empty() || level.tiles.size() > 3 || set.find(level.name) != &level) {
            __builtin_trap();
        }
    }
    return 0;
}
