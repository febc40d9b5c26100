// Autopilot routes (tools/level/route.txt).

#include "tools/autopilot/Route.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string error;
    const std::optional<velmora::app::Route> route = velmora::app::parseRoute(text, error);
    if (!route) {
        if (error.empty()) __builtin_trap();
        return 0;
    }
    route->length();
    velmora::app::withoutSecondSphere(*route).length();
    return 0;
}
