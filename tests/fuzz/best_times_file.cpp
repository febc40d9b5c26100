// The best-times file's text (sim/BestTimesText.h).

#include "sim/BestTimesText.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (velmora::looksBinary(text)) return 0;  // kept aside, never parsed
    std::vector<std::string> warnings;
    const velmora::BestTimesText table = velmora::parseBestTimes(text, "best-times.txt", warnings);
    // Writing back and reading again loses no time.
    std::vector<std::string> again;
    const velmora::BestTimesText reread =
        velmora::parseBestTimes(velmora::formatBestTimes(table), "best-times.txt", again);
    if (reread.best != table.best) __builtin_trap();
    return 0;
}
