#include <gtest/gtest.h>

#include "LevelTestFiles.h"
#include "level/MeshData.h"
#include "level/NodePose.h"
#include "level/NodeWalk.h"
#include "level/GuardedRun.h"
#include "level/TileFile.h"
#include "level/TileShapes.h"

#include <assimp/Importer.hpp>
#include <assimp/scene.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>
#include <map>

using namespace velmora;
using velmora::testing::TempFolder;

namespace {

struct ReadNode {
    glm::vec3 position;
    std::int32_t vertices;
    float opacity;
    unsigned material;
};

std::map<std::string, ReadNode> readBack(const std::string& path, const glm::vec3& offset) {
    Assimp::Importer importer;
    std::string error;
    const aiScene* scene = readTile(importer, path, error);
    EXPECT_NE(scene, nullptr) << error;
    std::map<std::string, ReadNode> nodes;
    if (scene == nullptr) return nodes;
    walkTileNodes(*scene, [&](const aiNode& node, const aiMatrix4x4& accumulated) {
        if (node.mNumMeshes == 0) return;
        const auto mesh = buildNodeMeshData(*scene, node);
        nodes[node.mName.C_Str()] = {nodePose(accumulated, offset).position, mesh->vertexCount,
                                     mesh->opacity,
                                     scene->mMeshes[node.mMeshes[0]]->mMaterialIndex};
    });
    return nodes;
}

}  // namespace

TEST(TileDescription, MistakesAreReportedWithTheirLine) {
    const auto errorOf = [](const std::string& text) {
        TileDescription description;
        std::istringstream input(text);
        std::string error;
        EXPECT_FALSE(parseTileDescription(input, description, error)) << text;
        return error;
    };
    EXPECT_EQ(errorOf("quad a\nhexagon b\n"), "line 2: unknown shape \"hexagon\"");
    EXPECT_EQ(errorOf("quad a\nbox a\n"), "line 2: node name a is used twice in this tile");
    EXPECT_EQ(errorOf("box a at 1 2\n"), "line 1: bad value after \"at\"");
    EXPECT_EQ(errorOf("box a material glass\n"), "line 1: bad value after \"material\"");
    EXPECT_EQ(errorOf("box a {\n"), "line 1: a \"{\" is never closed");
    EXPECT_EQ(errorOf("}\n"), "line 1: \"}\" without an open node");
    EXPECT_EQ(errorOf("box a<b\n"),
              "line 1: a node needs a name of letters, digits, '_', '.' and '-'");
    EXPECT_EQ(errorOf("material glass opacity 2\n"), "line 1: opacity must lie between 0 and 1");
    // Found by the fuzz lane: thousands of levels overflowed the writer's stack.
    std::string deep;
    for (int i = 0; i < 5000; ++i) deep += "group g" + std::to_string(i) + " {\n";
    EXPECT_EQ(errorOf(deep), "line 65: nodes nest deeper than 64");
}

TEST(TileDescription, WrittenTilesReadBackAsDescribed) {
    TempFolder folder;
    const std::string path = velmora::testing::writeTile(folder, "tile.dae", R"(
        # a comment line
        material glass opacity 0.5
        quad floor__texture__stone_png__ at 1 2 3 size 6 8 1
        box  pane material glass  at 0 0 1  size 1 0.1 1
        group holder at 0 5 0 {
          plate switch_trigger__open__Door__ at 1 0 0 size 1 1 0.6 turn 0 0 45
          spikes stacheln_trigger__reset__x__ at 3 0 0
        }
    )");
    const auto nodes = readBack(path, {0, 0, -22});
    ASSERT_EQ(nodes.size(), 4u);
    // Corners shared by the two triangles agree, so the quad stays four vertices.
    EXPECT_EQ(nodes.at("floor__texture__stone_png__").vertices, 4);
    EXPECT_EQ(nodes.at("pane").vertices, 24);
    const glm::vec3 floor = nodes.at("floor__texture__stone_png__").position;
    EXPECT_NEAR(floor.x, 1.0f, 1e-5f);
    EXPECT_NEAR(floor.y, 3.0f, 1e-5f);
    EXPECT_NEAR(floor.z, -24.0f, 1e-5f);
    // The group's offset reaches its children.
    EXPECT_NEAR(nodes.at("switch_trigger__open__Door__").position.z, -27.0f, 1e-5f);
    // The file's materials follow the default one; the glass keeps its opacity.
    EXPECT_EQ(nodes.at("floor__texture__stone_png__").material, 1u);
    EXPECT_FLOAT_EQ(nodes.at("floor__texture__stone_png__").opacity, 1.0f);
    EXPECT_EQ(nodes.at("pane").material, 2u);
    EXPECT_FLOAT_EQ(nodes.at("pane").opacity, 0.5f);
}

TEST(TileDescription, BakedExtentScalesTheVerticesNotTheNode) {
    TileNode node;
    node.shape = TileShape::Box;
    node.extent = {2, 1, 0.5f};
    const ShapeMesh mesh = buildShapeMesh(node);
    glm::vec3 hi(0.0f);
    for (const glm::vec3& p : mesh.positions) hi = glm::max(hi, p);
    EXPECT_FLOAT_EQ(hi.x, 2.0f);
    EXPECT_FLOAT_EQ(hi.z, 0.5f);
    EXPECT_EQ(tileNodeMatrix(node), glm::mat4(1.0f));

    // A pad of any size shows its switch texture exactly once on its face.
    node.shape = TileShape::Pad;
    node.extent = {1.5f, 1.5f, 0.6f};
    const ShapeMesh pad = buildShapeMesh(node);
    glm::vec2 uvLo(1e9f), uvHi(-1e9f);
    for (std::size_t i = 0; i < pad.positions.size(); ++i) {
        if (pad.normals[i].z < 0.99f) continue;  // the top face only
        uvLo = glm::min(uvLo, pad.texCoords[i]);
        uvHi = glm::max(uvHi, pad.texCoords[i]);
    }
    EXPECT_EQ(uvLo, glm::vec2(0.0f));
    EXPECT_EQ(uvHi, glm::vec2(1.0f));
}

TEST(TileDescription, SolidShapesSpanTheirUnitBoundsWithFacesPointingOut) {
    struct Case {
        const char* shape;
        glm::vec3 lo, hi, inside;
        std::size_t triangles;
    };
    const Case cases[] = {{"box", glm::vec3(-1), glm::vec3(1), glm::vec3(0), 12},
                          {"ramp", {-1, -1, 0}, {1, 1, 1}, {0, 1 / 3.0f, 1 / 3.0f}, 8},
                          {"column", {-1, -1, 0}, {1, 1, 1}, {0, 0, 0.5f}, 96},
                          {"pad", {-1, -1, 0}, {1, 1, 0.1f}, {0, 0, 0.05f}, 12}};
    for (const Case& c : cases) {
        TileDescription description;
        std::istringstream line(std::string(c.shape) + " solid\n");
        std::string error;
        ASSERT_TRUE(parseTileDescription(line, description, error)) << error;
        const ShapeMesh mesh = buildShapeMesh(description.nodes[0]);
        glm::vec3 lo(1e9f), hi(-1e9f);
        for (const glm::vec3& p : mesh.positions) {
            lo = glm::min(lo, p);
            hi = glm::max(hi, p);
        }
        EXPECT_NEAR(glm::distance(lo, c.lo) + glm::distance(hi, c.hi), 0.0f, 1e-5f) << c.shape;
        EXPECT_EQ(mesh.indices.size(), c.triangles * 3) << c.shape;
        // Each shape is convex: every face, wound and shaded, looks away from a point inside.
        const glm::vec3 middle = c.inside;
        for (std::size_t i = 0; i + 2 < mesh.indices.size(); i += 3) {
            const glm::vec3 a = mesh.positions[mesh.indices[i]];
            const glm::vec3 b = mesh.positions[mesh.indices[i + 1]];
            const glm::vec3 d = mesh.positions[mesh.indices[i + 2]];
            const glm::vec3 outward = (a + b + d) / 3.0f - middle;
            EXPECT_GT(glm::dot(glm::cross(b - a, d - a), outward), 0.0f) << c.shape << " " << i;
            EXPECT_GT(glm::dot(mesh.normals[mesh.indices[i]], outward), 0.0f) << c.shape << " " << i;
        }
    }
}

TEST(TileFile, MissingOrEmptyTilesFail) {
    TempFolder folder;
    Assimp::Importer importer;
    std::string error;
    EXPECT_EQ(readTile(importer, folder.file("absent.dae"), error), nullptr);
    EXPECT_FALSE(error.empty());

    // A tile without any geometry must not become a level.
    const std::string empty = velmora::testing::writeTile(folder, "empty.dae", "group nothing\n");
    error.clear();
    EXPECT_EQ(readTile(importer, empty, error), nullptr);
    EXPECT_FALSE(error.empty());
}

// Damaged tiles (tests/data/damaged/) that crashed the importer, aborted it
// on one of its assertions, made it ask for tens of gigabytes or spin for
// tens of seconds, and what the fuzz harness found: each is refused with one
// line, quickly, and the process goes on.
TEST(TileFile, DamagedTilesAreRefusedWithOneLineAndQuickly) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator("tests/data/damaged")) {
        const std::string path = entry.path().string();
        SCOPED_TRACE(path);
        ++files;
        Assimp::Importer importer;
        std::string error;
        const auto started = std::chrono::steady_clock::now();
        EXPECT_EQ(readTile(importer, path, error), nullptr);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
        // The reader's own processor time is limited; the wall clock only
        // shows that a busy machine doesn't make it hang.
        EXPECT_LT(took.count(), builtWithSanitizers() ? 30.0 : 10.0);
    }
    EXPECT_GE(files, 4);
}

TEST(TileFile, WhatIsNoPlainFileOrTooLargeIsRefusedUnopened) {
    TempFolder folder;
    Assimp::Importer importer;
    std::string error;
    EXPECT_EQ(readTile(importer, folder.path(), error), nullptr);
    EXPECT_EQ(error, "not a plain file");
    EXPECT_EQ(readTile(importer, "/dev/zero", error), nullptr);
    EXPECT_EQ(error, "not a plain file");
    {
        std::ofstream large(folder.file("large.dae"), std::ios::binary);
        large.seekp(static_cast<std::streamoff>(kTileMaxBytes));
        large.put('x');
    }
    EXPECT_EQ(readTile(importer, folder.file("large.dae"), error), nullptr);
    EXPECT_NE(error.find("more than a tile may"), std::string::npos) << error;
}

// The child process that reads tiles: each way a reader can fail is one
// message, and this process goes on.
TEST(GuardedRun, CrashesAbortsHangsAndHugeAllocationsBecomeMessages) {
    GuardLimits limits;
    limits.seconds = 0.5;
    limits.memoryBytes = std::size_t(256) << 20;
    const auto run = [&](const std::function<bool(std::string&)>& work) {
        return runGuarded(work, limits);
    };
    GuardResult result = run([](std::string&) { return true; });
    EXPECT_EQ(result.outcome, GuardOutcome::Succeeded);
    result = run([](std::string& message) {
        message = "the importer said no";
        return false;
    });
    EXPECT_EQ(result.outcome, GuardOutcome::Failed);
    EXPECT_EQ(result.message, "the importer said no");
    result = run([](std::string&) {
        std::raise(SIGSEGV);
        return true;
    });
    EXPECT_EQ(result.outcome, GuardOutcome::Refused);
    EXPECT_NE(result.message.find("segmentation fault"), std::string::npos) << result.message;
    result = run([](std::string&) {
        std::abort();
        return true;
    });
    EXPECT_EQ(result.outcome, GuardOutcome::Refused);
    EXPECT_NE(result.message.find("abort"), std::string::npos) << result.message;
    const auto started = std::chrono::steady_clock::now();
    result = run([](std::string&) {
        for (volatile bool forever = true; forever;) {
        }
        return true;
    });
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    EXPECT_EQ(result.outcome, GuardOutcome::Refused);
    EXPECT_NE(result.message.find("longer than 0.5 s"), std::string::npos) << result.message;
    EXPECT_LT(took.count(), 5.0);  // its own time counts, however busy the machine
    // Memory taken step by step, each step touched, far past the limit.
    result = run([](std::string&) {
        std::vector<std::vector<char>> blocks;
        for (int i = 0; i < 64; ++i) blocks.emplace_back(std::size_t(64) << 20, 'x');
        volatile char* first = blocks.back().data();
        return *first == 'x';
    });
    EXPECT_NE(result.outcome, GuardOutcome::Succeeded) << result.message;
    EXPECT_FALSE(result.message.empty());
    // One allocation of 40 GB.
    result = run([](std::string&) {
        std::vector<char> huge(std::size_t(40) << 30);
        volatile char* last = huge.data() + huge.size() - 1;
        *last = 1;
        return true;
    });
    EXPECT_NE(result.outcome, GuardOutcome::Succeeded) << result.message;
    EXPECT_FALSE(result.message.empty());
}

TEST(TileFile, TheSphereModelHasRadiusOneHalfWithNormalsAndTextureCoordinates) {
    const auto sphere = loadModel("Objects/SolidSphere.obj");
    ASSERT_NE(sphere, nullptr);
    ASSERT_GT(sphere->vertexCount, 100);
    EXPECT_EQ(sphere->indices.size(), 3u * static_cast<unsigned>(sphere->faceCount));
    float uMax = 0.0f;
    for (std::int32_t v = 0; v < sphere->vertexCount; ++v) {
        const glm::vec3 p(sphere->positions[3 * v], sphere->positions[3 * v + 1],
                          sphere->positions[3 * v + 2]);
        const glm::vec3 n(sphere->normals[3 * v], sphere->normals[3 * v + 1],
                          sphere->normals[3 * v + 2]);
        ASSERT_NEAR(glm::length(p), 0.5f, 1e-4f);
        ASSERT_GT(glm::dot(n, p), 0.0f);  // normals point outwards
        uMax = std::max(uMax, sphere->texCoords[2 * v]);
    }
    EXPECT_NEAR(uMax, 1.0f, 1e-4f);
    // Triangles wind counter-clockwise seen from outside, so back-face
    // culling keeps the outside.
    const auto vertex = [&](std::uint32_t i) {
        return glm::vec3(sphere->positions[3 * i], sphere->positions[3 * i + 1],
                         sphere->positions[3 * i + 2]);
    };
    for (std::size_t f = 0; f < sphere->indices.size(); f += 3) {
        const glm::vec3 a = vertex(sphere->indices[f]), b = vertex(sphere->indices[f + 1]),
                        c = vertex(sphere->indices[f + 2]);
        ASSERT_GT(glm::dot(glm::cross(b - a, c - a), a + b + c), 0.0f) << "face " << f / 3;
    }
    EXPECT_EQ(loadModel("Objects/NoSuchModel.obj"), nullptr);
}

TEST(TileFile, AModelOfQuadsAndPolygonsLoadsAsTriangles) {
    velmora::testing::TempFolder folder;
    // A unit cube of six quads, a pentagon lid above it and a stray line.
    folder.writeText("cube.obj", R"(v 0 0 0
v 1 0 0
v 1 1 0
v 0 1 0
v 0 0 1
v 1 0 1
v 1 1 1
v 0 1 1
v 0.5 0.5 2
f 1 4 3 2
f 5 6 7 8
f 1 2 6 5
f 2 3 7 6
f 3 4 8 7
f 4 1 5 8
f 5 6 9 7 8
l 1 9
)");
    const auto model = loadModel(folder.file("cube.obj"));
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->faceCount, 6 * 2 + 3);
    EXPECT_EQ(model->indices.size(), 3u * static_cast<unsigned>(model->faceCount));
    for (std::uint32_t index : model->indices) {
        ASSERT_LT(index, static_cast<std::uint32_t>(model->vertexCount));
    }
}
