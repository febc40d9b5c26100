// Tile descriptions (tools/level/tile*.txt) as make_level reads them, and the
// Collada written from what parses.

#include "level/ColladaWriter.h"
#include "level/TileDescription.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
    velmora::TileDescription description;
    std::string error;
    if (!velmora::parseTileDescription(input, description, error)) {
        if (error.rfind("line ", 0) != 0) __builtin_trap();  // every mistake names its line
        return 0;
    }
    velmora::writeCollada(description);
    return 0;
}
