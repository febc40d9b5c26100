#pragma once
// How a level looks beyond its tiles: the colours of its sky and far ground,
// from the level's "sky" line in Objects/levels.txt, so that each level has
// weather of its own.

#include <string>

#include <glm/glm.hpp>

namespace velmora {

struct SkyColours {
    glm::vec3 zenith{0.16f, 0.33f, 0.66f};   // straight up
    glm::vec3 horizon{0.68f, 0.78f, 0.90f};  // the pale band the haze fades into
    glm::vec3 ground{0.26f, 0.32f, 0.22f};   // the far ground below the horizon

    bool operator==(const SkyColours& other) const {
        return zenith == other.zenith && horizon == other.horizon && ground == other.ground;
    }
};

// "rrggbb rrggbb rrggbb" (zenith, horizon, ground, hex) into sky; false, and
// sky untouched, when the words are anything else.
bool readSkyColours(const std::string& words, SkyColours& sky);

}  // namespace velmora
