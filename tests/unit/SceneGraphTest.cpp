#include <gtest/gtest.h>

#include <memory>

#include <glm/gtc/matrix_transform.hpp>

#include "level/MeshData.h"
#include "sim/Cube.h"
#include "sim/Door.h"
#include "sim/ObjectRegistry.h"
#include "sim/SceneObject.h"
#include "world/DrawNode.h"

using velmora::scene::Cube;
using velmora::scene::Door;
using velmora::scene::SceneObject;
using velmora::DrawNode;
using velmora::drawNodeOf;

namespace {

std::unique_ptr<SceneObject> named(const std::string& name) {
    auto object = std::make_unique<SceneObject>(glm::mat4(1.0f));
    object->name = name;
    return object;
}

// A new object below parent, which owns it.
SceneObject* childOf(SceneObject& parent, const std::string& name) {
    SceneObject* child = named(name).release();
    parent.addChild(child);
    return child;
}

glm::mat4 shift(float x) { return glm::translate(glm::mat4(1.0f), glm::vec3(x, 0, 0)); }

}  // namespace

TEST(SceneObjectFields, StartWithTheirFirstValues) {
    const glm::mat4 local = glm::scale(glm::mat4(1.0f), glm::vec3(2, 3, 4));
    SceneObject object(local);
    EXPECT_EQ(object.localMatrix, local);
    EXPECT_EQ(object.transformMatrix, glm::mat4(1.0f));
    EXPECT_EQ(object.name, "notSet");
    EXPECT_FALSE(object.hasMesh || object.isGroup);
    EXPECT_EQ(object.drawing, nullptr);  // nothing of the renderer's until it is drawn
    EXPECT_EQ(object.opacity(), 1.0f);
}

TEST(SceneTree, FindByNameIsDepthFirstPreOrderAndFirstMatchWins) {
    auto root = named("root");
    SceneObject* tile = childOf(*root, "tile");
    SceneObject* deepMill = childOf(*tile, "mill");
    childOf(*root, "mill");
    SceneObject* blade = childOf(*deepMill, "blade");

    // The mill inside the first tile is met before the root's later child.
    EXPECT_EQ(SceneObject::findByName("mill", root.get()), deepMill);
    EXPECT_EQ(SceneObject::findByName("blade", root.get()), blade);
    EXPECT_EQ(SceneObject::findByName("root", root.get()), root.get());
    EXPECT_EQ(SceneObject::findByName("Mill", root.get()), nullptr);
    EXPECT_EQ(SceneObject::findByName("mil", root.get()), nullptr);
    EXPECT_EQ(SceneObject::findByName("mill", nullptr), nullptr);
}

TEST(SceneTree, GroupingObjectsAreSearchedAndTransformedThrough) {
    auto group = named("group");
    group->isGroup = true;
    SceneObject* mill = childOf(*group, "mill");
    EXPECT_EQ(SceneObject::findByName("mill", group.get()), mill);
    group->transform(true, shift(1));
    EXPECT_EQ(mill->transformMatrix, shift(1));
}

TEST(SceneTree, TransformPremultipliesOnlyTheObjectUnlessRecursive) {
    auto parent = named("parent");
    SceneObject* child = childOf(*parent, "child");
    SceneObject* grandChild = childOf(*child, "grandChild");
    const glm::mat4 turn = glm::rotate(glm::mat4(1.0f), glm::radians(90.0f), glm::vec3(0, 1, 0));

    parent->transform(false, shift(2));
    EXPECT_EQ(parent->transformMatrix, shift(2));
    EXPECT_EQ(child->transformMatrix, glm::mat4(1.0f));

    child->transform(true, turn);
    parent->transform(true, shift(5));
    // The new matrix applies after the old one.
    EXPECT_EQ(parent->transformMatrix, shift(5) * shift(2));
    EXPECT_EQ(child->transformMatrix, shift(5) * turn);
    EXPECT_EQ(grandChild->transformMatrix, shift(5) * turn);
}

// A level's objects go with its root: every object below it, at any depth.
TEST(SceneTree, AnObjectTakesItsWholeSubtreeAlongWhenItGoes) {
    struct Counted : SceneObject {
        explicit Counted(int& gone) : SceneObject(glm::mat4(1.0f)), gone(gone) {}
        ~Counted() override { ++gone; }
        int& gone;
    };
    int gone = 0;
    auto* root = new Counted(gone);
    auto* tile = new Counted(gone);
    root->addChild(tile);
    tile->addChild(new Counted(gone));
    tile->addChild(new Counted(gone));
    root->addChild(new Counted(gone));
    delete root;
    EXPECT_EQ(gone, 5);
}

TEST(DefaultCube, IsAUnitCubeWithFourCornersAndOneNormalPerFace) {
    Cube cube(glm::mat4(1.0f));
    cube.createDefaultMesh();
    ASSERT_TRUE(cube.hasMesh);
    ASSERT_NE(cube.mesh, nullptr);
    const velmora::MeshData& mesh = *cube.mesh;
    EXPECT_EQ(mesh.vertexCount, 24);
    EXPECT_EQ(mesh.faceCount, 12);
    ASSERT_EQ(mesh.positions.size(), 72u);
    ASSERT_EQ(mesh.normals.size(), 72u);
    ASSERT_EQ(mesh.indices.size(), 36u);
    EXPECT_TRUE(mesh.texCoords.empty());
    EXPECT_EQ(mesh.opacity, 1.0f);

    const glm::vec3 faceNormals[6] = {{0, 0, -1}, {0, 0, 1}, {0, 1, 0},
                                      {0, -1, 0}, {1, 0, 0}, {-1, 0, 0}};
    for (int vertex = 0; vertex < 24; ++vertex) {
        const glm::vec3 p(mesh.positions[3 * vertex], mesh.positions[3 * vertex + 1],
                          mesh.positions[3 * vertex + 2]);
        const glm::vec3 n(mesh.normals[3 * vertex], mesh.normals[3 * vertex + 1],
                          mesh.normals[3 * vertex + 2]);
        EXPECT_EQ(n, faceNormals[vertex / 4]) << vertex;
        EXPECT_EQ(glm::abs(p), glm::vec3(0.5f)) << vertex;
        EXPECT_EQ(glm::dot(p, n), 0.5f) << vertex;  // the corner lies on its face
    }
    // The first face's corners in their fixed order.
    EXPECT_EQ(std::vector<float>(mesh.positions.begin(), mesh.positions.begin() + 12),
              (std::vector<float>{-0.5f, -0.5f, -0.5f, -0.5f, 0.5f, -0.5f, 0.5f, 0.5f, -0.5f,
                                  0.5f, -0.5f, -0.5f}));
    for (uint32_t face = 0; face < 6; ++face) {
        const uint32_t b = 4 * face;
        const std::vector<uint32_t> expected = {b, b + 1, b + 2, b, b + 2, b + 3};
        EXPECT_EQ(std::vector<uint32_t>(mesh.indices.begin() + 6 * face,
                                        mesh.indices.begin() + 6 * face + 6),
                  expected);
    }
}

TEST(SceneObjectMessages, NoMeshAndNoDefaultIsReportedAtUploadAndAtEveryDraw) {
    SceneObject object(glm::mat4(1.0f));
    object.createDefaultMesh();
    DrawNode& node = drawNodeOf(object);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(node.upload());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Default object couldn't be loaded!\n");
    EXPECT_FALSE(node.isInitialised);
    testing::internal::CaptureStdout();
    node.draw(false, true);
    node.draw(true, true);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "SceneObject can't be drawn, use init() before!\n"
              "SceneObject can't be drawn, use init() before!\n");
}

TEST(ObjectRegistryWorlds, HoldsTwoSeparateEmptyWorldsUnderKeysZeroAndOne) {
    velmora::ObjectRegistry registry;
    const auto worlds = registry.worlds();
    ASSERT_EQ(worlds.size(), 2u);
    EXPECT_EQ(worlds.begin()->first, 0);
    EXPECT_EQ(worlds.rbegin()->first, 1);
    ASSERT_NE(registry.world(0), nullptr);
    ASSERT_NE(registry.world(1), nullptr);
    EXPECT_NE(registry.world(0), registry.world(1));
    EXPECT_EQ(registry.mainWorld(), registry.world(0));
    EXPECT_EQ(registry.world(2), nullptr);
    for (const auto& [key, world] : worlds) {
        ASSERT_NE(world->root, nullptr) << key;
        EXPECT_TRUE(world->root->isGroup);
        EXPECT_EQ(world->root->localMatrix, glm::mat4(1.0f));
        EXPECT_TRUE(world->root->children.empty());
        EXPECT_TRUE(world->triggerRegistry.empty() && world->doorRegistry.empty() &&
                    world->playerActors.empty() && world->actorTypes.empty());
    }
}
