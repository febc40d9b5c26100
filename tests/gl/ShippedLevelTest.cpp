#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "tests/gl/GameWorldFixture.h"
#include "sim/ObjectRegistry.h"
#include "world/RenderLogic.h"
#include "world/DrawNode.h"

namespace velmora::test {

namespace {

void forEachBelow(scene::SceneObject* node, const std::function<void(scene::SceneObject*)>& visit) {
    for (scene::SceneObject* child : node->children) {
        visit(child);
        forEachBelow(child, visit);
    }
}

}  // namespace

// The world object built from the repository root, with the level it ships.
class ShippedLevel : public GameWorldFixture {
protected:
    const std::string& output = creationOutput;
    const std::string& errors = creationErrors;
};

TEST_F(ShippedLevel, AllThreeTilesLoadAndTheTimeIsPrintedOnce) {
    EXPECT_EQ(errors, "");
    const size_t line = output.find("Time for creation: ");
    ASSERT_NE(line, std::string::npos) << output;
    EXPECT_EQ(output.find("Time for creation: ", line + 1), std::string::npos);
    EXPECT_NE(output.find("sec\n", line), std::string::npos);
    EXPECT_EQ(output.find("mCooking failed"), std::string::npos);

    // One grouping object per tile, first among the root's children.
    ASSERT_GE(world().root->children.size(), 3u);
    for (int tile = 0; tile < 3; ++tile) {
        EXPECT_TRUE(world().root->children[tile]->isGroup) << tile;
        EXPECT_FALSE(world().root->children[tile]->children.empty()) << tile;
    }
    // Every level object collides, is on the GPU, and has the texture it names.
    int meshObjects = 0;
    for (int tile = 0; tile < 3; ++tile) {
        forEachBelow(world().root->children[tile], [&](scene::SceneObject* object) {
            if (object->isGroup) return;
            ++meshObjects;
            EXPECT_NE(object->actor, nullptr) << object->name;
            EXPECT_TRUE(drawNodeOf(*object).isInitialised) << object->name;
            EXPECT_EQ(drawNodeOf(*object).isTextured, drawNodeOf(*object).objectProgram == logic->textureProgram)
                << object->name;
        });
    }
    EXPECT_GE(meshObjects, 100);
}

TEST_F(ShippedLevel, TheGlassIsDrawnSeeThroughFromTheBalconyRailOn) {
    ASSERT_GE(logic->transparentObjects.size(), 5u);
    EXPECT_EQ(logic->transparentObjects[0]->name, "balcony_rail");
}

TEST_F(ShippedLevel, TilesShareTheirTextureFiles) {
    scene::SceneObject* start = find("floor start");
    scene::SceneObject* hall = find("floor hall");
    ASSERT_NE(start, nullptr);
    ASSERT_NE(hall, nullptr);
    EXPECT_TRUE(drawNodeOf(*start).isTextured);
    EXPECT_EQ(drawNodeOf(*start).textureName, drawNodeOf(*hall).textureName);
    EXPECT_NE(*drawNodeOf(*start).textureName, 0u);
}

}  // namespace velmora::test
