#pragma once
// The readable description a level tile is generated from. Level authors
// edit these text files (tools/level/*.txt); make_level turns them into the
// Collada tiles the game reads.
//
// One node per line, children between "{" (at the end of the parent's line)
// and a line holding "}". Words after the shape and name are optional:
//
//   material glass opacity 0.5
//   quad  floor_start__texture__stone_png__  at 2 6 0  size 6 8 1
//   box   mill  at 10 0 0.8  extent 0.3 0.3 0.8 {
//     box mill_arm  at 0 0 0.4  extent 1.6 0.12 0.12
//   }
//
// "at" is the position, "turn" the rotation in degrees about x, then y, then
// z (applied in that order), "size" the node's scale, "extent" a scale baked
// into the vertices instead. All in the tile's own z-up metres.

#include <glm/glm.hpp>

#include <istream>
#include <string>
#include <vector>

namespace velmora {

enum class TileShape {
    Group,   // no geometry
    Quad,    // the unit square in x/y, facing +z: 4 vertices
    Box,     // the cube from -1 to 1: 24 vertices
    Plate,   // a low slab: x/y from -1 to 1, z from 0 to 0.1
    Spikes,  // a 3 x 3 field of pyramids: x/y from -1 to 1, z from 0 to 1
    Ramp,    // a wedge: x/y from -1 to 1, its top rising from z 0 at y -1 to z 1 at y 1
    Column,  // a round pillar of 24 sides: radius 1 about the z axis, z from 0 to 1
    Pad,     // a low bevelled slab: x/y from -1 to 1 at z 0, its top -0.8 to 0.8 at z 0.1
};

struct TileMaterial {
    std::string name;
    float opacity = 1.0f;
};

struct TileNode {
    TileShape shape = TileShape::Group;
    std::string name;
    std::string material = "opaque";
    glm::vec3 at{0.0f};
    glm::vec3 turn{0.0f};   // degrees
    glm::vec3 size{1.0f};   // node scale
    glm::vec3 extent{1.0f}; // baked into the vertices
    std::vector<TileNode> children;
};

struct TileDescription {
    // "opaque" is always there and always first: the material of every node
    // that names none.
    std::vector<TileMaterial> materials{{"opaque", 1.0f}};
    std::vector<TileNode> nodes;
};

// Parses a description. On a mistake returns false with "line N: message".
bool parseTileDescription(std::istream& input, TileDescription& description,
                          std::string& error);

// The node's own transform: translate(at) * rotations * scale(size).
glm::mat4 tileNodeMatrix(const TileNode& node);

}  // namespace velmora
