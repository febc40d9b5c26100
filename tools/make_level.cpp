// Regenerates the levels' model files from their readable descriptions:
//   tools/level/tile1.txt .. tile3.txt  ->  Objects/Tile1.dae .. Tile3.dae
//   tools/level/NAME/tile1.txt ..       ->  Objects/NAME/Tile1.dae ..
// (the shipped level, then each further level of the set in its own folder)
// and the players' sphere model, Objects/SolidSphere.obj.
// Run from the repository root (or give the root as the only argument).

#include "level/ColladaWriter.h"
#include "level/TileDescription.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

// A UV sphere of radius 0.5 (the players' collision radius at scale 1), with
// normals and texture coordinates; the seam column is duplicated so the
// texture wraps once around.
bool writeSphere(const std::string& path) {
    const int slices = 32;
    const int stacks = 16;
    const double pi = 3.14159265358979323846;
    std::ofstream out(path);
    out << "# Player sphere, radius 0.5, made by tools/make_level\n";
    for (int i = 0; i <= stacks; ++i) {
        const double theta = pi * i / stacks;
        for (int j = 0; j <= slices; ++j) {
            const double phi = 2.0 * pi * j / slices;
            const double x = std::sin(theta) * std::cos(phi);
            const double y = std::cos(theta);
            const double z = std::sin(theta) * std::sin(phi);
            out << "v " << 0.5 * x << ' ' << 0.5 * y << ' ' << 0.5 * z << '\n'
                << "vn " << x << ' ' << y << ' ' << z << '\n'
                << "vt " << static_cast<double>(j) / slices << ' '
                << 1.0 - static_cast<double>(i) / stacks << '\n';
        }
    }
    const auto index = [&](int i, int j) { return i * (slices + 1) + j + 1; };
    for (int i = 0; i < stacks; ++i) {
        for (int j = 0; j < slices; ++j) {
            const int a = index(i, j), b = index(i + 1, j), c = index(i + 1, j + 1),
                      d = index(i, j + 1);
            // Counter-clockwise seen from outside.
            if (i > 0) out << "f " << a << '/' << a << '/' << a << ' ' << d << '/' << d << '/'
                           << d << ' ' << b << '/' << b << '/' << b << '\n';
            if (i < stacks - 1) out << "f " << d << '/' << d << '/' << d << ' ' << c << '/'
                                    << c << '/' << c << ' ' << b << '/' << b << '/' << b << '\n';
        }
    }
    return static_cast<bool>(out);
}

// folder: "" for the shipped level, else the level's name.
bool makeTile(const std::string& root, const std::string& folder, int number) {
    const std::string inFolder = folder.empty() ? "" : folder + "/";
    const std::string tile = std::to_string(number);
    const std::string source = root + "/tools/level/" + inFolder + "tile" + tile + ".txt";
    const std::string target = root + "/Objects/" + inFolder + "Tile" + tile + ".dae";
    if (!folder.empty() && !std::filesystem::exists(source)) return true;  // fewer than three tiles
    std::filesystem::create_directories(std::filesystem::path(target).parent_path());
    std::ifstream input(source);
    if (!input) {
        std::cerr << source << ": can't be read" << std::endl;
        return false;
    }
    velmora::TileDescription description;
    std::string error;
    if (!velmora::parseTileDescription(input, description, error) ||
        !velmora::writeColladaFile(description, target, error)) {
        std::cerr << source << ": " << error << std::endl;
        return false;
    }
    std::cout << "wrote " << target << std::endl;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string root = argc > 1 ? argv[1] : ".";
    bool ok = true;
    std::vector<std::string> folders{""};
    for (const auto& entry : std::filesystem::directory_iterator(root + "/tools/level")) {
        if (entry.is_directory()) folders.push_back(entry.path().filename().string());
    }
    std::sort(folders.begin(), folders.end());
    for (const std::string& folder : folders) {
        for (int tile = 1; tile <= 3; ++tile) ok = makeTile(root, folder, tile) && ok;
    }
    const std::string sphere = root + "/Objects/SolidSphere.obj";
    if (writeSphere(sphere)) {
        std::cout << "wrote " << sphere << std::endl;
    } else {
        std::cerr << sphere << ": can't be written" << std::endl;
        ok = false;
    }
    return ok ? 0 : 1;
}
