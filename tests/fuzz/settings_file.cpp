// The settings file's text (app/settings/SettingsText.h).

#include "app/settings/SettingsText.h"
#include "sim/BestTimesText.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (velmora::looksBinary(text)) return 0;  // kept aside, never parsed
    std::vector<std::string> warnings;
    velmora::app::SettingsText kept;
    const velmora::app::Settings settings =
        velmora::app::parseSettings(text, "settings.ini", kept, warnings);
    // Written and read again, every setting comes back as it was, and the
    // second writing is the first.
    const std::string written = velmora::app::formatSettings(settings, kept);
    velmora::app::SettingsText keptAgain;
    std::vector<std::string> again;
    const velmora::app::Settings reread =
        velmora::app::parseSettings(written, "settings.ini", keptAgain, again);
    if (velmora::app::settingValues(reread) != velmora::app::settingValues(settings)) __builtin_trap();
    if (velmora::app::formatSettings(reread, keptAgain) != written) __builtin_trap();
    return 0;
}
