#pragma once
// Where each character of a screen text goes and which cell of the 16 x 16
// font grid it shows. Pure arithmetic, so it is checked without a context.

#include <glm/glm.hpp>

#include <vector>

namespace velmora {

struct TextGeometry {
    // Six corners per character, two triangles: top-left, bottom-left,
    // top-right, bottom-right, top-right, bottom-left. Positions are pixels
    // from the screen's bottom-left corner.
    std::vector<glm::vec2> positions;
    std::vector<glm::vec2> uvs;
};

// Squares of size x size pixels, the first with its bottom-left corner at
// (x, y), each next one `size` pixels further right. A null text is empty.
TextGeometry buildTextGeometry(const char* text, int x, int y, int size);

}  // namespace velmora
