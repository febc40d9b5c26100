#include "screen/TextGeometry.h"

#include <cstring>

namespace velmora {

namespace {

constexpr float cellSize = 1.0f / 16.0f;

}  // namespace

TextGeometry buildTextGeometry(const char* text, int x, int y, int size) {
    TextGeometry geometry;
    const size_t length = text == nullptr ? 0 : std::strlen(text);
    geometry.positions.reserve(6 * length);
    geometry.uvs.reserve(6 * length);
    for (size_t i = 0; i < length; ++i) {
        const int index = static_cast<int>(i);
        const glm::vec2 topLeft(static_cast<float>(x + index * size), static_cast<float>(y + size));
        const glm::vec2 topRight(static_cast<float>(x + (index + 1) * size),
                                 static_cast<float>(y + size));
        const glm::vec2 bottomRight(static_cast<float>(x + (index + 1) * size),
                                    static_cast<float>(y));
        const glm::vec2 bottomLeft(static_cast<float>(x + index * size), static_cast<float>(y));
        geometry.positions.insert(geometry.positions.end(),
                                  {topLeft, bottomLeft, topRight, bottomRight, topRight, bottomLeft});

        // Row 0 of the grid is the image's top row, which OpenGL sees at v = 1.
        // Codes are signed bytes, as the font has always been addressed.
        const int code = static_cast<signed char>(text[i]);
        const float u = static_cast<float>(code % 16) * cellSize;
        const float v = static_cast<float>(code / 16) * cellSize;
        const glm::vec2 uvTopLeft(u, 1.0f - v);
        const glm::vec2 uvTopRight(u + cellSize, 1.0f - v);
        const glm::vec2 uvBottomRight(u + cellSize, 1.0f - (v + cellSize));
        const glm::vec2 uvBottomLeft(u, 1.0f - (v + cellSize));
        geometry.uvs.insert(geometry.uvs.end(), {uvTopLeft, uvBottomLeft, uvTopRight, uvBottomRight,
                                                 uvTopRight, uvBottomLeft});
    }
    return geometry;
}

}  // namespace velmora
