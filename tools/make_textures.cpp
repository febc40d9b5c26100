// Paints the game's textures procedurally and writes them as PNG under
// Textures/: the level surfaces the tiles name, the two player spheres and
// the particle dot (with alpha). Run from the repository root (or give the
// root as the only argument). Deterministic: the same files every run.

#include <FreeImage.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <iostream>
#include <string>
#include <utility>

namespace {

struct Colour {
    float r, g, b, a = 1.0f;
};

// Smooth value noise in [0, 1], repeating every `period` cells so the
// textures tile without seams.
float latticeValue(int x, int y, int period) {
    x = ((x % period) + period) % period;
    y = ((y % period) + period) % period;
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                      static_cast<std::uint32_t>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<float>((h ^ (h >> 16)) & 0xffff) / 65535.0f;
}

float noise(float x, float y, int period) {
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    const float fx = x - x0, fy = y - y0;
    const float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const float top = latticeValue(x0, y0, period) * (1 - sx) + latticeValue(x0 + 1, y0, period) * sx;
    const float bottom =
        latticeValue(x0, y0 + 1, period) * (1 - sx) + latticeValue(x0 + 1, y0 + 1, period) * sx;
    return top * (1 - sy) + bottom * sy;
}

// Noise summed over three octaves; u, v in [0, 1).
float fractal(float u, float v, int cells) {
    return 0.55f * noise(u * cells, v * cells, cells) +
           0.3f * noise(u * cells * 2, v * cells * 2, cells * 2) +
           0.15f * noise(u * cells * 4, v * cells * 4, cells * 4);
}

Colour mix(const Colour& a, const Colour& b, float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
            a.a + (b.a - a.a) * t};
}

bool paint(const std::string& path, int size, bool withAlpha,
           const std::function<Colour(float, float)>& shader) {
    FIBITMAP* image = FreeImage_Allocate(size, size, withAlpha ? 32 : 24);
    if (image == nullptr) return false;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const Colour c = shader((x + 0.5f) / size, (y + 0.5f) / size);
            const auto byte = [](float f) {
                return static_cast<BYTE>(std::lround(std::clamp(f, 0.0f, 1.0f) * 255.0f));
            };
            RGBQUAD pixel{byte(c.b), byte(c.g), byte(c.r), byte(c.a)};
            FreeImage_SetPixelColor(image, x, y, &pixel);
        }
    }
    const bool saved = FreeImage_Save(FIF_PNG, image, path.c_str(), PNG_Z_BEST_COMPRESSION) != 0;
    FreeImage_Unload(image);
    if (saved) std::cout << "wrote " << path << std::endl;
    return saved;
}

Colour stone(float u, float v) {
    return mix({0.35f, 0.34f, 0.32f}, {0.62f, 0.6f, 0.56f}, fractal(u, v, 8));
}

Colour wall(float u, float v) {
    // Bricks: four rows, every other row shifted by half a brick.
    const float row = v * 4;
    const float shift = static_cast<int>(row) % 2 == 0 ? 0.0f : 0.5f;
    const float column = u * 2 + shift;
    const bool mortar = row - std::floor(row) < 0.08f || column - std::floor(column) < 0.04f;
    if (mortar) return {0.75f, 0.73f, 0.68f};
    return mix({0.5f, 0.2f, 0.14f}, {0.7f, 0.33f, 0.22f}, fractal(u, v, 16));
}

Colour door(float u, float v) {
    // Planks with a darker frame.
    const bool frame = u < 0.06f || u > 0.94f || v < 0.06f || v > 0.94f;
    const float grain = 0.5f + 0.5f * std::sin((u * 6 + 0.15f * fractal(u, v, 4)) * 6.2832f);
    if (frame) return {0.22f, 0.14f, 0.08f};
    return mix({0.42f, 0.27f, 0.13f}, {0.58f, 0.4f, 0.2f}, grain);
}

Colour switchPlate(float u, float v) {
    const float d = std::hypot(u - 0.5f, v - 0.5f);
    if (d < 0.3f) return {0.95f, 0.8f, 0.1f};
    return mix({0.2f, 0.2f, 0.22f}, {0.35f, 0.35f, 0.38f}, fractal(u, v, 8));
}

Colour goal(float u, float v) {
    // A chequered finish pad.
    const bool light = (static_cast<int>(u * 8) + static_cast<int>(v * 8)) % 2 == 0;
    return light ? Colour{0.95f, 0.95f, 0.95f} : Colour{0.1f, 0.45f, 0.15f};
}

Colour tiles(float u, float v) {
    const bool grout = u * 4 - std::floor(u * 4) < 0.05f || v * 4 - std::floor(v * 4) < 0.05f;
    if (grout) return {0.3f, 0.3f, 0.3f};
    return mix({0.55f, 0.6f, 0.68f}, {0.7f, 0.75f, 0.82f}, fractal(u, v, 8));
}

Colour wood(float u, float v) {
    // Boards running along v, for ramps and the bridge: the grain says which way is up.
    const float board = u * 4;
    if (board - std::floor(board) < 0.05f) return {0.18f, 0.11f, 0.06f};
    const float grain = 0.5f + 0.5f * std::sin((v * 3 + 0.4f * fractal(u, v, 4)) * 6.2832f * 4);
    return mix({0.55f, 0.38f, 0.2f}, {0.72f, 0.52f, 0.3f}, grain * 0.6f + fractal(u, v, 8) * 0.4f);
}

Colour metal(float u, float v) {
    // Brushed steel with rivets at the corners, for the mill.
    const float du = std::min(u, 1 - u), dv = std::min(v, 1 - v);
    if (std::hypot(du - 0.1f, dv - 0.1f) < 0.04f) return {0.85f, 0.85f, 0.88f};
    const float brush = fractal(u * 0.1f, v * 2, 16);
    return mix({0.42f, 0.44f, 0.48f}, {0.62f, 0.64f, 0.68f}, brush);
}

Colour hazard(float u, float v) {
    // Black and yellow stripes for the spikes and the pit.
    const bool stripe = static_cast<int>(std::floor((u + v) * 4)) % 2 == 0;
    const Colour base = stripe ? Colour{0.9f, 0.75f, 0.05f} : Colour{0.08f, 0.08f, 0.08f};
    return mix(base, {0.3f, 0.3f, 0.3f}, 0.25f * fractal(u, v, 8));
}

// Each level but the grand tour (bricks on stone) has walls and floors of its
// own, so that a glance tells which level is on screen.

Colour sandstone(float u, float v) {
    // Large warm blocks, two courses a texture, with pale joints.
    const float row = v * 2;
    const float shift = static_cast<int>(row) % 2 == 0 ? 0.0f : 0.5f;
    const float column = u + shift;
    if (row - std::floor(row) < 0.04f || column - std::floor(column) < 0.03f) return {0.88f, 0.82f, 0.68f};
    return mix({0.72f, 0.56f, 0.34f}, {0.86f, 0.7f, 0.45f}, fractal(u, v, 8) + 0.2f * std::sin(v * 40.0f));
}

Colour terracotta(float u, float v) {
    const bool grout = u * 2 - std::floor(u * 2) < 0.04f || v * 2 - std::floor(v * 2) < 0.04f;
    if (grout) return {0.85f, 0.8f, 0.7f};
    return mix({0.62f, 0.3f, 0.16f}, {0.78f, 0.42f, 0.24f}, fractal(u, v, 8));
}

Colour slate(float u, float v) {
    // Thin blue-grey courses of uneven height.
    const float course = v * 8 + 0.6f * noise(u * 4, 0.5f, 4);
    if (course - std::floor(course) < 0.1f) return {0.12f, 0.13f, 0.16f};
    const float shade = latticeValue(static_cast<int>(course), 7, 8);
    return mix({0.26f, 0.3f, 0.38f}, {0.4f, 0.46f, 0.55f}, 0.6f * shade + 0.4f * fractal(u, v, 16));
}

Colour cobbles(float u, float v) {
    // Rounded stones in rows, every other row shifted: dark in the gaps
    // between them, each stone a shade of its own.
    const float row = v * 6;
    const float shift = static_cast<int>(row) % 2 == 0 ? 0.0f : 0.5f;
    const float column = u * 6 + shift;
    const float du = column - std::floor(column) - 0.5f, dv = row - std::floor(row) - 0.5f;
    if (std::hypot(du, dv * 1.2f) > 0.46f) return {0.16f, 0.15f, 0.13f};
    const float shade = latticeValue(static_cast<int>(column) % 6, static_cast<int>(row), 6);
    return mix({0.38f, 0.36f, 0.32f}, {0.6f, 0.57f, 0.5f}, 0.6f * shade + 0.4f * fractal(u, v, 16));
}

Colour hedge(float u, float v) {
    // Clipped leaves: dense greens with light flecks.
    Colour c = mix({0.09f, 0.28f, 0.1f}, {0.22f, 0.5f, 0.2f}, fractal(u, v, 16) * 1.3f - 0.15f);
    if (latticeValue(static_cast<int>(u * 64), static_cast<int>(v * 64), 64) > 0.93f) {
        c = {0.45f, 0.68f, 0.3f};
    }
    return c;
}

Colour paving(float u, float v) {
    // Pale oblong slabs laid in a running bond.
    const float row = v * 4;
    const float shift = static_cast<int>(row) % 2 == 0 ? 0.0f : 0.25f;
    const float column = u * 2 + shift;
    if (row - std::floor(row) < 0.04f || column - std::floor(column) < 0.02f) return {0.42f, 0.42f, 0.38f};
    return mix({0.7f, 0.68f, 0.6f}, {0.82f, 0.8f, 0.72f}, fractal(u, v, 8));
}

Colour basalt(float u, float v) {
    // Dark volcanic rock with glowing cracks.
    const float crack = std::abs(noise(u * 4, v * 4, 4) - 0.5f);
    if (crack < 0.02f) return {0.85f, 0.32f, 0.08f};
    return mix({0.08f, 0.08f, 0.09f}, {0.24f, 0.22f, 0.22f}, fractal(u, v, 16));
}

Colour marble(float u, float v) {
    // White stone with soft grey veins.
    const float vein = std::abs(std::sin((u * 2 + v + 0.8f * fractal(u, v, 4)) * 6.2832f * 2));
    return mix({0.62f, 0.64f, 0.7f}, {0.93f, 0.93f, 0.95f}, std::pow(vein, 0.25f));
}

Colour mainSphere(float u, float v) {
    // Stripes around the sphere so its rolling is visible.
    const bool band = static_cast<int>(u * 8) % 2 == 0;
    const Colour base = band ? Colour{0.85f, 0.2f, 0.15f} : Colour{0.95f, 0.9f, 0.8f};
    return mix(base, {0.0f, 0.0f, 0.0f}, 0.2f * fractal(u, v, 8));
}

Colour galaxy(float u, float v) {
    // Dark blue clouds with scattered stars.
    Colour c = mix({0.02f, 0.02f, 0.08f}, {0.35f, 0.15f, 0.5f}, fractal(u, v, 4) * 1.4f - 0.3f);
    if (latticeValue(static_cast<int>(u * 128), static_cast<int>(v * 128), 128) > 0.985f) {
        c = {1.0f, 1.0f, 0.9f};
    }
    return c;
}

Colour particle(float u, float v) {
    // A soft round dot: white, alpha falling smoothly to zero at the rim.
    const float d = std::min(1.0f, std::hypot(u - 0.5f, v - 0.5f) * 2.0f);
    const float alpha = (1.0f - d * d) * (1.0f - d * d);
    return {1.0f, 1.0f, 1.0f, alpha};
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = std::string(argc > 1 ? argv[1] : ".") + "/Textures/";
    FreeImage_Initialise();
    bool ok = true;
    ok = paint(folder + "stone.png", 128, false, stone) && ok;
    ok = paint(folder + "wall.png", 128, false, wall) && ok;
    ok = paint(folder + "door.png", 128, false, door) && ok;
    ok = paint(folder + "switch.png", 64, false, switchPlate) && ok;
    ok = paint(folder + "goal.png", 64, false, goal) && ok;
    ok = paint(folder + "tiles.png", 128, false, tiles) && ok;
    ok = paint(folder + "wood.png", 128, false, wood) && ok;
    ok = paint(folder + "metal.png", 64, false, metal) && ok;
    ok = paint(folder + "hazard.png", 64, false, hazard) && ok;
    using Painter = Colour (*)(float, float);
    const std::pair<const char*, Painter> levelSurfaces[] = {
        {"sandstone", sandstone}, {"terracotta", terracotta}, {"slate", slate}, {"cobbles", cobbles},
        {"hedge", hedge},         {"paving", paving},         {"basalt", basalt}, {"marble", marble}};
    for (const auto& [name, painter] : levelSurfaces) {
        ok = paint(folder + name + ".png", 128, false, painter) && ok;
    }
    ok = paint(folder + "SphereS.png", 128, false, mainSphere) && ok;
    ok = paint(folder + "GalaxyPNG.png", 128, false, galaxy) && ok;
    ok = paint(folder + "particle.png", 64, true, particle) && ok;
    FreeImage_DeInitialise();
    if (!ok) std::cerr << "some textures could not be written to " << folder << std::endl;
    return ok ? 0 : 1;
}
