#include <gtest/gtest.h>

#include "level/CollisionKind.h"
#include "level/NodePose.h"
#include "level/NodeWalk.h"

#include <assimp/scene.h>

#include <map>

using namespace velmora;

namespace {

const glm::vec3 kFirstTile(0.0f, 0.0f, -22.0f);

void expectNear(const glm::vec3& actual, const glm::vec3& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
    EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

aiMatrix4x4 translation(float x, float y, float z) {
    aiMatrix4x4 m;
    aiMatrix4x4::Translation(aiVector3D(x, y, z), m);
    return m;
}

aiNode* addChild(aiNode& parent, const char* name, const aiMatrix4x4& transform) {
    aiNode* child = new aiNode(name);
    child->mTransformation = transform;
    parent.addChildren(1, &child);
    return child;
}

}  // namespace

TEST(NodePose, TheTurnTakesZUpToYUp) {
    const glm::quat turn = upAxisRotation();
    EXPECT_NEAR(turn.x, -0.70710677f, 1e-6f);
    EXPECT_NEAR(turn.y, 0.0f, 1e-6f);
    EXPECT_NEAR(turn.z, 0.0f, 1e-6f);
    EXPECT_NEAR(turn.w, 0.70710677f, 1e-6f);
    expectNear(turn * glm::vec3(0, 0, 1), {0, 1, 0});
    expectNear(turn * glm::vec3(0, 1, 0), {0, 0, -1});
}

TEST(NodePose, ANodeAtOneTwoThreeInTheFirstTile) {
    const NodePose pose = nodePose(translation(1, 2, 3), kFirstTile);
    expectNear(pose.position, {1, 3, -24});
    expectNear(tileToWorld({1, 2, 3}, kFirstTile), {1, 3, -24});
    expectNear(tileToWorld({1, 2, 3}, {30, 0, -52}), {31, 3, -54});
}

TEST(NodePose, ScaleStaysInTheModelMatrixAndRotationInThePose) {
    aiMatrix4x4 scale;
    aiMatrix4x4::Scaling(aiVector3D(2, 3, 4), scale);
    aiMatrix4x4 turn;
    aiMatrix4x4::RotationZ(glm::radians(90.0f), turn);
    const NodePose pose = nodePose(translation(1, 0, 0) * turn * scale, kFirstTile);
    expectNear(pose.scale, {2, 3, 4});
    const glm::mat4 model = nodeLocalMatrix(pose);
    EXPECT_FLOAT_EQ(model[0][0], 2.0f);
    EXPECT_FLOAT_EQ(model[1][1], 3.0f);
    EXPECT_FLOAT_EQ(model[2][2], 4.0f);
    EXPECT_FLOAT_EQ(model[3][0], 0.0f);
    // Local x turned to the tile's +y, which is the world's -z.
    expectNear(pose.toWorld({1, 0, 0}), glm::vec3(1, 0, -22) + glm::vec3(0, 0, -2));
}

TEST(NodePose, TheWalkIgnoresTheRootTransformButNotAGroups) {
    aiScene scene;
    scene.mRootNode = new aiNode("root");
    scene.mRootNode->mTransformation = translation(100, 100, 100);
    aiNode* group = addChild(*scene.mRootNode, "group", translation(0, 5, 0));
    addChild(*group, "inner", translation(1, 0, 0));
    addChild(*scene.mRootNode, "direct", translation(0, 0, 2));

    std::vector<std::string> order;
    std::map<std::string, glm::vec3> positions;
    walkTileNodes(scene, [&](const aiNode& node, const aiMatrix4x4& accumulated) {
        order.push_back(node.mName.C_Str());
        positions[node.mName.C_Str()] = nodePose(accumulated, kFirstTile).position;
    });
    EXPECT_EQ(order, (std::vector<std::string>{"root", "group", "inner", "direct"}));
    expectNear(positions["root"], {0, 0, -22});
    expectNear(positions["group"], {0, 0, -27});
    expectNear(positions["inner"], {1, 0, -27});
    expectNear(positions["direct"], {0, 2, -22});
}

TEST(CollisionKind, FourVerticesMakeAThinBoxAndNeverATrigger) {
    const CollisionPlan floor = planCollision("floor", 4, {6, 8, 1});
    EXPECT_EQ(floor.kind, CollisionKind::ThinBox);
    expectNear(floor.halfExtents, {6, 8, 0});
    const CollisionPlan flatTrigger = planCollision("switch_trigger", 4, {1, 1, 1});
    EXPECT_EQ(flatTrigger.kind, CollisionKind::ThinBox);
    EXPECT_FALSE(flatTrigger.hasTriggerVolume());

    // The box reaches as far as the vertices, times the scale: a plane with
    // applied scale, one off centre, one standing up in the node's x/z.
    const auto plane = [](std::vector<float> positions) {
        MeshData mesh;
        mesh.positions = std::move(positions);
        mesh.vertexCount = 4;
        return mesh;
    };
    expectNear(planCollision("floor", plane({-6, -8, 0, 6, -8, 0, 6, 8, 0, -6, 8, 0}), {1, 1, 1})
                   .halfExtents, {6, 8, 0});
    expectNear(planCollision("floor", plane({0, 0, 0, 2, 0, 0, 2, 1, 0, 0, 1, 0}), {1, -2, 1})
                   .halfExtents, {2, 2, 0});
    expectNear(planCollision("wall", plane({-1, 0, -1, 1, 0, -1, 1, 0, 1, -1, 0, 1}), {3, 3, 2})
                   .halfExtents, {3, 0, 2});
}

TEST(CollisionKind, TriggerAndSpikeBoxesHaveTheirExtents) {
    const CollisionPlan wall = planCollision("wall", 24, {1, 2, 3});
    EXPECT_EQ(wall.kind, CollisionKind::Mesh);
    EXPECT_FALSE(wall.hasTriggerVolume());

    const CollisionPlan trigger = planCollision("goal_Trigger", 24, {1, 2, 3});
    EXPECT_EQ(trigger.kind, CollisionKind::TriggerBox);
    expectNear(trigger.halfExtents, {1, 2, 3});

    const CollisionPlan spikes = planCollision("Stacheln_trigger", 84, {1.5f, 2, 0.4f});
    EXPECT_EQ(spikes.kind, CollisionKind::SpikeBox);
    expectNear(spikes.halfExtents, {1.5f, 2, 0.55f});

    // Spikes without a trigger word are plain geometry; a door with a
    // trigger word still gets the box.
    EXPECT_EQ(planCollision("stacheln", 84, {1, 1, 1}).kind, CollisionKind::Mesh);
    EXPECT_EQ(planCollision("Door_trigger", 24, {1, 1, 1}).kind, CollisionKind::TriggerBox);

    // A mirrored node still gets a box of positive size.
    expectNear(planCollision("trigger", 24, {-1, -2, -3}).halfExtents, {1, 2, 3});
    expectNear(planCollision("floor", 4, {-6, -8, -1}).halfExtents, {6, 8, 0});
}
