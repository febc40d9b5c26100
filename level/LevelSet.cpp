#include "level/LevelSet.h"

#include <cctype>
#include <cmath>
#include <fstream>
#include <sstream>

#include "level/LevelIdentity.h"

namespace velmora {

namespace {

// Files over this size are no level list.
constexpr std::streamoff kMaxListBytes = 256 * 1024;
constexpr int kMaxTiles = 3;
constexpr int kMaxLevels = 100;
// Far enough for any level; keeps a typo from putting a sphere in the void.
constexpr float kMaxCoordinate = 10000.0f;

bool validName(const std::string& name) {
    if (name.empty() || name.size() > 40) return false;
    for (char c : name) {
        if (!(std::islower(static_cast<unsigned char>(c)) || std::isdigit(static_cast<unsigned char>(c)) ||
              c == '-')) {
            return false;
        }
    }
    return true;
}

bool readPoint(std::istringstream& words, glm::vec3& point) {
    glm::vec3 read;
    if (!(words >> read.x >> read.y >> read.z)) return false;
    for (int i = 0; i < 3; ++i) {
        if (!std::isfinite(read[i]) || std::abs(read[i]) > kMaxCoordinate) return false;
    }
    point = read;
    return true;
}

// A replay holds an hour at most; a level can't allow more.
constexpr long kLongestRunAllowed = 60 * 60 * 60;

// "M:SS" to steps; -1 when unreadable.
long readMinutes(const std::string& text) {
    int minutes = 0, seconds = 0;
    char colon = 0, rest = 0;
    std::istringstream in(text);
    if (!(in >> minutes >> colon >> seconds) || colon != ':' || (in >> rest)) return -1;
    if (minutes < 0 || minutes > 99 || seconds < 0 || seconds > 59) return -1;
    return (minutes * 60L + seconds) * 60L;
}

std::string restOf(std::istringstream& words) {
    std::string rest;
    std::getline(words >> std::ws, rest);
    while (!rest.empty() && std::isspace(static_cast<unsigned char>(rest.back()))) rest.pop_back();
    return rest;
}

}  // namespace

bool LevelPlaces::operator==(const LevelPlaces& other) const {
    return mainStart == other.mainStart && secondStart == other.secondStart &&
           mainReset == other.mainReset && secondReset == other.secondReset && light == other.light;
}

const LevelEntry* LevelSet::find(const std::string& name) const {
    const int index = indexOf(name);
    return index < 0 ? nullptr : &levels[static_cast<size_t>(index)];
}

int LevelSet::indexOf(const std::string& name) const {
    for (size_t i = 0; i < levels.size(); ++i) {
        if (levels[i].name == name) return static_cast<int>(i);
    }
    return -1;
}

LevelSet parseLevelSet(const std::string& text, const std::string& fileName,
                       std::vector<std::string>& problems) {
    LevelSet set;
    std::optional<LevelEntry> level;
    int lineNumber = 0;
    auto problem = [&](const std::string& why) {
        problems.push_back(fileName + ":" + std::to_string(lineNumber) + ": " + why);
    };
    auto finish = [&]() {
        if (!level) return;
        if (level->tiles.empty()) {
            problems.push_back(fileName + ": level " + level->name + " has no tile and is left out");
        } else if (static_cast<int>(set.levels.size()) < kMaxLevels) {
            if (level->title.empty()) level->title = level->name;
            set.levels.push_back(*level);
        }
        level.reset();
    };

    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        ++lineNumber;
        const size_t comment = line.find('#');
        if (comment != std::string::npos) line.erase(comment);
        std::istringstream words(line);
        std::string key;
        if (!(words >> key)) continue;
        if (key == "level") {
            finish();
            const std::string name = restOf(words);
            if (!validName(name)) {
                problem("\"" + name + "\" is no level name (lower-case letters, digits and '-')");
            } else if (set.indexOf(name) >= 0) {
                problem("a second level named " + name + " is left out");
            } else {
                level = LevelEntry{};
                level->name = name;
            }
            continue;
        }
        if (!level) {
            problem("\"" + key + "\" outside a level block");
            continue;
        }
        if (key == "title") {
            level->title = restOf(words);
        } else if (key == "aim") {
            level->aim = restOf(words);
        } else if (key == "sky") {
            if (!readSkyColours(restOf(words), level->sky)) problem("the sky wants three colours rrggbb");
        } else if (key == "par") {
            const long steps = readMinutes(restOf(words));
            if (steps <= 0) problem("the par time wants M:SS");
            else level->parSteps = steps;
        } else if (key == "longest") {
            const long steps = readMinutes(restOf(words));
            if (steps <= 0 || steps > kLongestRunAllowed) problem("the longest run wants M:SS up to 60:00");
            else level->longestRunSteps = steps;
        } else if (key == "route") {
            level->route = restOf(words);
        } else if (key == "tile") {
            std::string file, at;
            LevelTile tile;
            if (!(words >> file)) {
                problem("a tile wants a file");
                continue;
            }
            tile.file = file;
            tile.offset = levelTileOffset(file);
            if (words >> at && (at != "at" || !readPoint(words, tile.offset))) {
                problem("a tile's place wants \"at X Y Z\"");
                continue;
            }
            if (static_cast<int>(level->tiles.size()) >= kMaxTiles) {
                problem("a level has at most three tiles");
                continue;
            }
            level->tiles.push_back(tile);
        } else if (key == "start" || key == "reset") {
            std::string which;
            words >> which;
            glm::vec3* place = nullptr;
            if (which == "main") place = key == "start" ? &level->places.mainStart : &level->places.mainReset;
            if (which == "second") place = key == "start" ? &level->places.secondStart : &level->places.secondReset;
            if (place == nullptr || !readPoint(words, *place)) {
                problem("\"" + key + "\" wants main or second and X Y Z");
            }
        } else if (key == "face") {
            glm::vec2 point;
            if (!(words >> point.x >> point.y) || !std::isfinite(point.x) || !std::isfinite(point.y) ||
                std::abs(point.x) > kMaxCoordinate || std::abs(point.y) > kMaxCoordinate) {
                problem("\"face\" wants X Z");
            } else {
                level->faceTowards = point;
            }
        } else if (key == "light") {
            if (!readPoint(words, level->places.light)) problem("the light wants X Y Z");
        } else if (key == "ambient") {
            // A name, never a path: the bed is Sounds/ambient_NAME.wav.
            const std::string bed = restOf(words);
            if (!validName(bed)) problem("the ambient bed wants a name (lower-case letters, digits and '-')");
            else level->ambient = bed;
        } else {
            problem("unknown word \"" + key + "\"");
        }
    }
    finish();
    return set;
}

std::optional<LevelSet> loadLevelSet(const std::string& file, std::vector<std::string>& problems) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        problems.push_back(file + ": can't be read");
        return std::nullopt;
    }
    in.seekg(0, std::ios::end);
    if (in.tellg() > kMaxListBytes) {
        problems.push_back(file + ": too large for a level list");
        return std::nullopt;
    }
    in.seekg(0);
    std::ostringstream text;
    text << in.rdbuf();
    LevelSet set = parseLevelSet(text.str(), file, problems);
    if (set.levels.empty()) {
        problems.push_back(file + ": lists no level");
        return std::nullopt;
    }
    return set;
}

LevelEntry levelOfTiles(const std::vector<LevelTile>& tiles) {
    LevelEntry level;
    level.name = "tiles";
    level.title = "Chosen tiles";
    level.tiles = tiles;
    return level;
}

std::uint64_t levelIdentityOf(const LevelEntry& level) {
    std::vector<std::string> files;
    for (const LevelTile& tile : level.tiles) files.push_back(tile.file);
    const std::uint64_t tiles = levelIdentity(files);
    if (level.places == LevelPlaces{}) return tiles;  // as replays made before places were data
    std::ostringstream places;
    places << levelIdentityText(tiles);
    for (const glm::vec3& p : {level.places.mainStart, level.places.secondStart, level.places.mainReset,
                               level.places.secondReset, level.places.light}) {
        places << ' ' << p.x << ' ' << p.y << ' ' << p.z;
    }
    return levelIdentityOfContents({places.str()});
}

float startYawDegrees(const LevelEntry& level) {
    if (!level.faceTowards) return 0.0f;
    const glm::vec2 way = *level.faceTowards - glm::vec2(level.places.mainStart.x, level.places.mainStart.z);
    if (glm::dot(way, way) < 1e-6f) return 0.0f;  // standing on the point: any way will do
    return glm::degrees(std::atan2(-way.x, -way.y));
}

LevelEntry shippedLevel() {
    LevelEntry level;
    level.name = "grand-tour";
    level.title = "The grand tour";
    level.parSteps = 165 * 60;
    level.tiles = shippedLevelTiles();
    level.route = "tools/level/route.txt";
    level.ambient = "hall";
    level.faceTowards = glm::vec2(2.0f, -36.0f);  // the gate north, as Objects/levels.txt has it
    return level;
}

}  // namespace velmora
