#include "level/TileDescription.h"

#include <glm/gtc/matrix_transform.hpp>

#include <map>
#include <set>
#include <sstream>

namespace velmora {

namespace {

// How deep "{" may nest; the shipped tiles use three levels.
constexpr std::size_t kMostNesting = 64;

const std::map<std::string, TileShape> kShapes = {{"group", TileShape::Group},
                                                  {"quad", TileShape::Quad},
                                                  {"box", TileShape::Box},
                                                  {"plate", TileShape::Plate},
                                                  {"spikes", TileShape::Spikes},
                                                  {"ramp", TileShape::Ramp},
                                                  {"column", TileShape::Column},
                                                  {"pad", TileShape::Pad}};

// Names become Collada ids and node names; keep them to characters every
// tool handles without escaping.
bool isValidName(const std::string& name) {
    if (name.empty()) return false;
    for (char c : name) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (c >= '0' && c <= '9') || c == '_' || c == '.' || c == '-';
        if (!ok) return false;
    }
    return true;
}

bool readVec3(std::istringstream& words, glm::vec3& value) {
    return static_cast<bool>(words >> value.x >> value.y >> value.z);
}

class Parser {
public:
    Parser(TileDescription& description, std::string& error)
        : description_(description), error_(error) {}

    bool parse(std::istream& input) {
        std::string line;
        std::vector<std::vector<TileNode>*> open{&description_.nodes};
        while (std::getline(input, line)) {
            ++lineNumber_;
            const std::size_t hash = line.find('#');
            if (hash != std::string::npos) line.erase(hash);
            std::istringstream words(line);
            std::string first;
            if (!(words >> first)) continue;
            if (first == "}") {
                if (open.size() == 1) return fail("\"}\" without an open node");
                open.pop_back();
                continue;
            }
            if (first == "material") {
                if (!parseMaterial(words)) return false;
                continue;
            }
            TileNode node;
            bool opensChildren = false;
            if (!parseNode(first, words, node, opensChildren)) return false;
            // The writer and the node tree's own destruction recurse once per
            // level: a description nesting thousands deep overflowed the
            // stack (found by the fuzz lane).
            if (opensChildren && open.size() > kMostNesting) {
                return fail("nodes nest deeper than " + std::to_string(kMostNesting));
            }
            open.back()->push_back(std::move(node));
            if (opensChildren) open.push_back(&open.back()->back().children);
        }
        if (open.size() != 1) return fail("a \"{\" is never closed");
        return true;
    }

private:
    bool fail(const std::string& message) {
        error_ = "line " + std::to_string(lineNumber_) + ": " + message;
        return false;
    }

    bool hasMaterial(const std::string& name) const {
        for (const TileMaterial& material : description_.materials) {
            if (material.name == name) return true;
        }
        return false;
    }

    bool parseMaterial(std::istringstream& words) {
        TileMaterial material;
        std::string key;
        if (!(words >> material.name) || !isValidName(material.name)) {
            return fail("material needs a name");
        }
        if (hasMaterial(material.name)) return fail("material " + material.name + " given twice");
        while (words >> key) {
            if (key != "opacity" || !(words >> material.opacity)) {
                return fail("material takes only \"opacity VALUE\"");
            }
        }
        if (material.opacity < 0.0f || material.opacity > 1.0f) {
            return fail("opacity must lie between 0 and 1");
        }
        description_.materials.push_back(material);
        return true;
    }

    bool parseNode(const std::string& shape, std::istringstream& words, TileNode& node,
                   bool& opensChildren) {
        const auto found = kShapes.find(shape);
        if (found == kShapes.end()) return fail("unknown shape \"" + shape + "\"");
        node.shape = found->second;
        if (!(words >> node.name) || !isValidName(node.name)) {
            return fail("a node needs a name of letters, digits, '_', '.' and '-'");
        }
        if (!names_.insert(node.name).second) {
            return fail("node name " + node.name + " is used twice in this tile");
        }
        std::string key;
        while (words >> key) {
            bool ok = true;
            if (key == "{") {
                opensChildren = true;
            } else if (key == "at") {
                ok = readVec3(words, node.at);
            } else if (key == "turn") {
                ok = readVec3(words, node.turn);
            } else if (key == "size") {
                ok = readVec3(words, node.size);
            } else if (key == "extent") {
                ok = readVec3(words, node.extent);
            } else if (key == "material") {
                ok = static_cast<bool>(words >> node.material) && hasMaterial(node.material);
            } else {
                return fail("unknown word \"" + key + "\"");
            }
            if (!ok) return fail("bad value after \"" + key + "\"");
            if (opensChildren && (words >> key)) return fail("\"{\" must end the line");
        }
        return true;
    }

    TileDescription& description_;
    std::string& error_;
    std::set<std::string> names_;
    int lineNumber_ = 0;
};

}  // namespace

bool parseTileDescription(std::istream& input, TileDescription& description,
                          std::string& error) {
    return Parser(description, error).parse(input);
}

glm::mat4 tileNodeMatrix(const TileNode& node) {
    glm::mat4 matrix = glm::translate(glm::mat4(1.0f), node.at);
    matrix = glm::rotate(matrix, glm::radians(node.turn.z), glm::vec3(0.0f, 0.0f, 1.0f));
    matrix = glm::rotate(matrix, glm::radians(node.turn.y), glm::vec3(0.0f, 1.0f, 0.0f));
    matrix = glm::rotate(matrix, glm::radians(node.turn.x), glm::vec3(1.0f, 0.0f, 0.0f));
    return glm::scale(matrix, node.size);
}

}  // namespace velmora
