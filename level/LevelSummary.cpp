#include "level/LevelSummary.h"

namespace velmora {

namespace {

// A trigger does one thing: win before reset before open.
std::string triggerJob(const NodeAnnotations& annotations) {
    if (annotations.count("win") > 0) return "goal";
    if (annotations.count("reset") > 0) return "reset";
    if (annotations.count("open") > 0) return "switch";
    return "idle";
}

std::string fileName(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void printCount(std::ostream& out, int reached, int all, const char* what) {
    out << ", " << what << " " << reached << " of " << all;
}

}  // namespace

std::vector<TileSummary> summariseTiles(const LevelReport& report) {
    std::vector<TileSummary> tiles;
    for (const std::string& file : report.tiles) {
        TileSummary tile;
        tile.file = file;
        for (const CheckedNode& node : report.nodes) {
            if (node.file != file) continue;
            ++tile.objects;
            tile.triangles += node.triangleCount;
            if (node.role == NodeRole::Door) ++tile.doors;
            if (node.role == NodeRole::Trigger) ++tile.triggers[triggerJob(node.annotations)];
            if (!node.textureFile.empty()) tile.textures.insert(node.textureFile);
        }
        tiles.push_back(tile);
    }
    return tiles;
}

void printTileSummary(std::ostream& out, const TileSummary& tile) {
    out << fileName(tile.file) << ": " << tile.objects << " objects, triggers";
    if (tile.triggers.empty()) out << " none";
    for (const auto& [job, count] : tile.triggers) out << " " << count << " " << job;
    out << ", " << tile.doors << " doors, " << tile.triangles << " triangles, textures";
    if (tile.textures.empty()) out << " none";
    for (const std::string& texture : tile.textures) out << " " << texture;
    out << '\n';
}

void printSphereReach(std::ostream& out, const SphereReach& reach) {
    out << "reach: " << reach.sphere << " sphere (radius " << reach.start.radius << ")";
    if (!reach.startOnFloor) {
        out << ": no floor under its start\n";
        return;
    }
    out << ": " << reach.placesReached << " places";
    if (reach.goals > 0) printCount(out, reach.goalsReached, reach.goals, "goals");
    if (reach.switches > 0) printCount(out, reach.switchesReached, reach.switches, "switches");
    if (reach.doors > 0) printCount(out, reach.doorsReached, reach.doors, "doors");
    out << ", " << reach.exits << " ways out without a reset volume\n";
}

}  // namespace velmora
