#include "level/LevelLook.h"

#include <cctype>
#include <sstream>

namespace velmora {

namespace {

bool readHexColour(const std::string& word, glm::vec3& colour) {
    if (word.size() != 6) return false;
    for (size_t i = 0; i < word.size(); ++i) {
        if (!std::isxdigit(static_cast<unsigned char>(word[i]))) return false;
    }
    for (int channel = 0; channel < 3; ++channel) {
        colour[channel] = static_cast<float>(std::stoi(word.substr(2 * channel, 2), nullptr, 16)) / 255.0f;
    }
    return true;
}

}  // namespace

bool readSkyColours(const std::string& words, SkyColours& sky) {
    std::istringstream in(words);
    std::string zenith, horizon, ground, rest;
    SkyColours read;
    if (!(in >> zenith >> horizon >> ground) || (in >> rest)) return false;
    if (!readHexColour(zenith, read.zenith) || !readHexColour(horizon, read.horizon) ||
        !readHexColour(ground, read.ground)) {
        return false;
    }
    sky = read;
    return true;
}

}  // namespace velmora
