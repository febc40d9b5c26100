#include "level/LevelCheck.h"

#include "level/CollisionCooking.h"
#include "level/DataPath.h"
#include "level/ImageFile.h"
#include "level/TextureProblem.h"
#include "level/LevelReachCheck.h"
#include "level/MeshData.h"
#include "level/NodeProblems.h"
#include "level/NodeWalk.h"
#include "level/TileFile.h"
#include "level/TriggerFit.h"
#include "sim/PlayerSpheres.h"

#include <assimp/Importer.hpp>
#include <assimp/material.h>
#include <assimp/scene.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <limits>
#include <map>
#include <set>

namespace velmora {

namespace {

// A volume must reach this far above the floor it lies on, or a sphere
// rolling over it (held up by the floor and by the trigger's own solid mesh)
// barely touches it and the trigger fires unreliably or never.
constexpr float kMinTriggerReach = 0.1f;
// Geometry thinner than this in height is a floor (or a lid).
constexpr float kFlatHeight = 0.01f;
// The radius of Objects/SolidSphere.obj, which both spheres scale.
constexpr float kSphereModelRadius = 0.5f;

std::string baseFileName(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool fileExists(const std::string& path) { return std::ifstream(path).good(); }

void worldBounds(const MeshData& mesh, const NodePose& pose, glm::vec3& lo, glm::vec3& hi) {
    lo = glm::vec3(std::numeric_limits<float>::max());
    hi = -lo;
    for (std::int32_t v = 0; v < mesh.vertexCount; ++v) {
        const glm::vec3 local(mesh.positions[3 * v], mesh.positions[3 * v + 1],
                              mesh.positions[3 * v + 2]);
        const glm::vec3 world = pose.toWorld(local);
        lo = glm::min(lo, world);
        hi = glm::max(hi, world);
    }
    if (mesh.vertexCount == 0) lo = hi = pose.position;
}

// World bounds of a box of the given half extents in the node's frame.
void boxBounds(const glm::vec3& half, const NodePose& pose, glm::vec3& lo, glm::vec3& hi) {
    lo = glm::vec3(std::numeric_limits<float>::max());
    hi = -lo;
    for (int corner = 0; corner < 8; ++corner) {
        const glm::vec3 local((corner & 1) ? half.x : -half.x, (corner & 2) ? half.y : -half.y,
                              (corner & 4) ? half.z : -half.z);
        const glm::vec3 world = pose.position + pose.rotation * local;
        lo = glm::min(lo, world);
        hi = glm::max(hi, world);
    }
}

// The physics drops triangles without area and refuses non-finite points;
// a mesh left with no triangle fails to cook.
bool cooks(const MeshData& mesh) {
    for (float value : mesh.positions) {
        if (!std::isfinite(value)) return false;
    }
    const auto corner = [&](std::uint32_t index) {
        return glm::vec3(mesh.positions[3 * index], mesh.positions[3 * index + 1],
                         mesh.positions[3 * index + 2]);
    };
    for (std::size_t i = 0; i + 2 < mesh.indices.size(); i += 3) {
        const glm::vec3 a = corner(mesh.indices[i]);
        const glm::vec3 n =
            glm::cross(corner(mesh.indices[i + 1]) - a, corner(mesh.indices[i + 2]) - a);
        if (glm::dot(n, n) > 0.0f) return true;
    }
    return false;
}

// The solid shape the game gives the node, as world triangles.
std::vector<glm::vec3> solidTriangles(const MeshData& mesh, const NodePose& pose,
                                      const CollisionPlan& plan) {
    std::vector<glm::vec3> corners;
    if (!isPlaceable(pose)) return corners;
    const glm::quat turn = glm::normalize(pose.rotation);
    if (plan.kind == CollisionKind::ThinBox) {
        // The rectangle across the box's two widest axes (a plane lying in
        // any of the node's planes); a box thin in two axes is no shape.
        if (!physics::Geometry::box(plan.halfExtents).isValid()) return corners;
        const glm::vec3 h = plan.halfExtents;
        const int thin = (h.x <= h.y && h.x <= h.z) ? 0 : (h.y <= h.z ? 1 : 2);
        const int u = (thin + 1) % 3, v = (thin + 2) % 3;
        const float signs[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
        for (int i : {0, 1, 2, 0, 2, 3}) {
            glm::vec3 local(0.0f);
            local[u] = signs[i][0] * h[u];
            local[v] = signs[i][1] * h[v];
            corners.push_back(pose.position + turn * local);
        }
        return corners;
    }
    if (mesh.faceCount <= 0 || !cooks(mesh)) return corners;
    for (std::uint32_t index : mesh.indices) {
        const glm::vec3 local(mesh.positions[3 * index], mesh.positions[3 * index + 1],
                              mesh.positions[3 * index + 2]);
        corners.push_back(pose.position + turn * (pose.scale * local));
    }
    return corners;
}

// True when a node above this one is the mill, which the game turns.
bool belowTheMill(const aiNode& node) {
    for (const aiNode* above = node.mParent; above != nullptr; above = above->mParent) {
        std::string baseName;
        NodeAnnotations ignored;
        parseNodeName(above->mName.C_Str(), baseName, ignored);
        if (baseName == "mill") return true;
    }
    return false;
}

class Checker {
public:
    Checker(LevelReport& report, std::string textureFolder)
        : report_(report), textureFolder_(std::move(textureFolder)) {}

    void readTile(const LevelTile& tile) {
        report_.tiles.push_back(tile.file);
        Assimp::Importer importer;
        std::string error;
        const aiScene* scene = velmora::readTile(importer, tile.file, error);
        if (scene == nullptr) {
            report_.anyTileUnreadable = true;
            addError(tile.file, "-", "can't be read as a tile: " + error);
            return;
        }
        walkTileNodes(*scene, [&](const aiNode& node, const aiMatrix4x4& accumulated) {
            if (node.mNumMeshes > 0) readNode(tile, *scene, node, accumulated);
        });
    }

    void checkAcrossTiles() {
        std::set<std::string> doors;
        std::set<std::string> opened;
        bool hasGoal = false;
        bool hasMill = false;
        for (const CheckedNode& node : report_.nodes) {
            if (node.role == NodeRole::Door && !doors.insert(node.baseName).second) {
                addWarning(node, "another door is named \"" + node.baseName +
                                     "\": switches only ever find the first");
            }
            if (node.role == NodeRole::Trigger) {
                const auto open = node.annotations.find("open");
                if (open != node.annotations.end()) opened.insert(open->second.begin(), open->second.end());
                hasGoal = hasGoal || node.annotations.count("win") > 0;
            }
            if (node.baseName == "mill" && hasMill) {
                addWarning(node, "another node is named \"mill\": only the first turns");
            }
            hasMill = hasMill || node.baseName == "mill";
        }
        for (const CheckedNode& node : report_.nodes) {
            if (node.role == NodeRole::Door && opened.count(node.baseName) == 0) {
                addError(node, "no switch opens door \"" + node.baseName + "\"");
            }
            if (node.role != NodeRole::Trigger) continue;
            const auto open = node.annotations.find("open");
            if (open == node.annotations.end()) continue;
            for (const std::string& name : open->second) {
                if (doors.count(name) == 0) {
                    addError(node, "\"open\" names \"" + name + "\", which is no door here");
                }
            }
        }
        if (!hasGoal) addError("level", "-", "no goal: no trigger carries \"win\"");
        checkFlatTriggers();
    }

private:
    void readNode(const LevelTile& tile, const aiScene& scene, const aiNode& node,
                  const aiMatrix4x4& accumulated) {
        CheckedNode checked;
        checked.file = tile.file;
        checked.nodeName = node.mName.C_Str();
        parseNodeName(checked.nodeName, checked.baseName, checked.annotations);
        checked.role = nodeRoleOf(checked.baseName);
        const std::unique_ptr<MeshData> mesh = buildNodeMeshData(scene, node);
        checked.pose = nodePose(accumulated, tile.offset);
        checked.vertexCount = mesh->vertexCount;
        checked.triangleCount = mesh->faceCount;
        checked.opacity = mesh->opacity;
        checked.collision = planCollision(checked.baseName, *mesh, checked.pose.scale);
        checked.textureFile = textureFileName(checked.annotations);
        if (!checked.textureFile.empty()) {
            std::string path;
            checked.textureOutside =
                !containedDataPath(textureFolder_, checked.textureFile, path).empty();
            checked.textureExists = !checked.textureOutside && fileExists(path);
            checked.textureDecodes = checked.textureExists && decodes(path);
        }
        worldBounds(*mesh, checked.pose, checked.worldMin, checked.worldMax);
        nodeBounds(*mesh, checked.pose.scale, checked.nodeMin, checked.nodeMax);
        checked.solidTriangles = solidTriangles(*mesh, checked.pose, checked.collision);
        checked.turnsWithMill = belowTheMill(node);
        report_.nodes.push_back(checked);
        checkNode(report_.nodes.back());
    }

    void checkNode(const CheckedNode& node) {
        if (!node.textureFile.empty() && !node.textureDecodes) {
            // The game's own message: outside the folder, missing, another
            // format, too large for its bytes, or undecodable.
            const std::string problem = levelTextureProblem(node.textureFile, textureFolder_);
            addError(node, problem.empty() ? undecodableTextureMessage(node.textureFile) : problem);
        }
        for (const auto& annotation : node.annotations) {
            const std::vector<std::string>& known = knownAnnotationKeys();
            if (std::find(known.begin(), known.end(), annotation.first) == known.end()) {
                addWarning(node, "unknown key \"" + annotation.first + "\" (did you mean \"" +
                                     nearestAnnotationKey(annotation.first) + "\"?)");
            }
        }
        const bool triggerWord = hasTriggerWord(node.baseName);
        if (triggerWord && node.vertexCount == 4) {
            addError(node, "trigger of exactly four vertices gets a thin box and no trigger volume");
        }
        if (node.collision.hasTriggerVolume() && node.triangleCount > 0) {
            const std::string misfit = triggerMisfit(node);
            if (!misfit.empty()) addWarning(node, misfit);
        }
        if (node.role == NodeRole::Door && triggerWord) {
            addWarning(node, "door with a trigger word: its trigger box reports to no switch");
        }
        if (node.role == NodeRole::Trigger) {
            const NodeAnnotations& a = node.annotations;
            if (a.count("win") == 0 && a.count("reset") == 0 && a.count("open") == 0) {
                addWarning(node, "trigger without \"win\", \"reset\" or \"open\" does nothing");
            }
            const auto actor = a.find("actor");
            if (actor != a.end() && actor->second.front() != "main" &&
                actor->second.front() != "second") {
                addWarning(node, "\"actor\" " + actor->second.front() +
                                     " is neither main nor second: either sphere sets it off");
            }
        }
        if (node.triangleCount == 0) {
            addError(node, noTrianglesMessage());
        } else if (!isPlaceable(node.pose)) {
            addError(node, degenerateScaleMessage(node.pose.scale));
        } else if (node.solidTriangles.empty()) {
            addError(node, failedCookingMessage());
        }
    }

    // A trigger volume that hardly rises above the floor under it.
    void checkFlatTriggers() {
        for (const CheckedNode& trigger : report_.nodes) {
            if (!trigger.collision.hasTriggerVolume()) continue;
            glm::vec3 lo, hi;
            boxBounds(trigger.collision.halfExtents, trigger.pose, lo, hi);
            const glm::vec3 centre = (lo + hi) * 0.5f;
            for (const CheckedNode& floor : report_.nodes) {
                if (&floor == &trigger || floor.collision.hasTriggerVolume() ||
                    floor.role == NodeRole::Door || floor.worldMax.y - floor.worldMin.y > kFlatHeight) {
                    continue;
                }
                const bool above = centre.x >= floor.worldMin.x && centre.x <= floor.worldMax.x &&
                                   centre.z >= floor.worldMin.z && centre.z <= floor.worldMax.z;
                const float top = floor.worldMax.y;
                if (!above || top < lo.y - kFlatHeight || top > hi.y) continue;
                const float reach = hi.y - top;
                if (reach < kMinTriggerReach) {
                    addError(trigger, "flat trigger lies on floor \"" + floor.baseName +
                                          "\": its volume reaches only " + std::to_string(reach) +
                                          " above it, a sphere rolling over never enters it");
                }
            }
        }
    }

    void addError(const CheckedNode& node, const std::string& message) {
        addError(node.file, node.nodeName, message);
    }
    void addError(const std::string& file, const std::string& node, const std::string& message) {
        report_.problems.push_back({true, file, node, message});
    }
    void addWarning(const CheckedNode& node, const std::string& message) {
        report_.problems.push_back({false, node.file, node.nodeName, message});
    }

    // Each texture file is decoded once, however many nodes name it.
    bool decodes(const std::string& path) {
        const auto known = decodable_.find(path);
        if (known != decodable_.end()) return known->second;
        return decodable_[path] = imageFileDecodes(path);
    }

    LevelReport& report_;
    std::string textureFolder_;
    std::map<std::string, bool> decodable_;
};

std::string annotationsText(const NodeAnnotations& annotations) {
    std::string text = "{";
    for (const auto& [key, values] : annotations) {
        if (text.size() > 1) text += ", ";
        text += key + ":";
        for (const std::string& value : values) text += " " + value;
    }
    return text + "}";
}

}  // namespace

bool LevelReport::hasErrors() const {
    return std::any_of(problems.begin(), problems.end(),
                       [](const LevelProblem& problem) { return problem.isError; });
}

LevelCheckSettings::LevelCheckSettings()
    : main{spheres::kMainStart, kSphereModelRadius * spheres::kMainScale},
      second{spheres::kSecondStart, kSphereModelRadius * spheres::kSecondScale} {}

LevelReport checkLevel(const std::vector<LevelTile>& tiles, const LevelCheckSettings& settings) {
    LevelReport report;
    Checker checker(report, settings.textureFolder);
    for (const LevelTile& tile : tiles) checker.readTile(tile);
    checker.checkAcrossTiles();
    if (settings.checkReach) checkReach(report, settings);
    return report;
}

std::string problemLine(const LevelProblem& problem) {
    return problem.file + ": " + problem.node + ": " + (problem.isError ? "" : "warning: ") +
           problem.message;
}

void printCheckedNode(std::ostream& out, const CheckedNode& node) {
    out << baseFileName(node.file) << ": \"" << node.baseName << "\" " << nodeRoleName(node.role)
        << ", " << collisionKindName(node.collision.kind) << ", " << node.vertexCount
        << " vertices";
    if (node.opacity < 1.0f) out << ", opacity " << node.opacity;
    out << ", annotations " << annotationsText(node.annotations);
    if (!node.textureFile.empty()) {
        out << ", texture " << node.textureFile
            << (node.textureOutside  ? " (REFUSED: outside the texture folder)"
                : node.textureExists ? " (found)"
                                     : " (MISSING)");
    }
    out << '\n';
}

}  // namespace velmora
