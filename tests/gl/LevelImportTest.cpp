#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "level/LevelLoader.h"
#include "physics/Physics.h"
#include "render/ShaderProgram.h"
#include "tests/gl/EmptyWorld.h"
#include "tests/gl/WorldFixture.h"
#include "tests/unit/LevelTestFiles.h"
#include "sim/Door.h"
#include "sim/PhysicsSetup.h"
#include "sim/Trigger.h"
#include "world/DrawNode.h"

namespace velmora::test {

namespace {

std::vector<physics::Shape*> shapesOf(const physics::RigidActor& actor) {
    std::vector<physics::Shape*> shapes(actor.getNbShapes());
    actor.getShapes(shapes.data(), static_cast<uint32_t>(shapes.size()));
    return shapes;
}

bool isTriggerVolume(const physics::Shape& shape) {
    return shape.getFlag(physics::ShapeFlag::Trigger) &&
           !shape.getFlag(physics::ShapeFlag::Simulation);
}

void expectNear(const glm::vec3& actual, const glm::vec3& expected, const std::string& what) {
    EXPECT_NEAR(actual.x, expected.x, 1e-4f) << what;
    EXPECT_NEAR(actual.y, expected.y, 1e-4f) << what;
    EXPECT_NEAR(actual.z, expected.z, 1e-4f) << what;
}

}  // namespace

// Small tiles written for each test and imported into the fixture's empty
// world, with the world object's programs and physics.
class LevelImport : public WorldFixture {
protected:
    void SetUp() override {
        WorldFixture::SetUp();
        cooking = physics::createCooking(simulation().physics());
        setup.physics = simulation().physics();
        setup.cooking = cooking;
        setup.scene = simulation().scene();
        setup.callbacks = {[this] { ++wins; },
                           [this](std::string text) { resets.push_back(std::move(text)); }};
    }
    void TearDown() override {
        loader.reset();
        removeLevel(world(), simulation(), *logic);
        cooking->release();
        WorldFixture::TearDown();
    }

    LevelLoader& levelLoader() {
        if (!loader) loader = std::make_unique<LevelLoader>(setup, world());
        return *loader;
    }

    // Writes the described tile and imports it; returns the tile's object.
    scene::SceneObject* importTile(const std::string& description,
                                   const glm::vec3& offset = {0, 0, -22}) {
        const std::string name = "tile" + std::to_string(++tileCount) + ".dae";
        return importFile(velmora::testing::writeTile(folder, name, description), offset);
    }
    scene::SceneObject* importFile(const std::string& path, const glm::vec3& offset = {0, 0, -22}) {
        const size_t before = world().root->children.size();
        levelLoader().importTile(path, world().root, offset);
        logic->dressWorld();
        return world().root->children.size() > before ? world().root->children.back() : nullptr;
    }

    scene::SceneObject* find(const std::string& name) {
        return scene::SceneObject::findByName(name, world().root);
    }

    velmora::testing::TempFolder folder;
    physics::Cooking* cooking = nullptr;
    LevelSetup setup;
    std::unique_ptr<LevelLoader> loader;
    int tileCount = 0;
    int wins = 0;
    std::vector<std::string> resets;
};

TEST_F(LevelImport, MeshNodeBecomesAnUploadedObjectAtItsWorldPose) {
    importTile("box crate at 1 2 3 size 0.5 1 2\n");
    scene::SceneObject* crate = find("crate");
    ASSERT_NE(crate, nullptr);
    EXPECT_TRUE(drawNodeOf(*crate).isInitialised);
    EXPECT_TRUE(crate->hasMesh);
    EXPECT_EQ(crate->mesh->vertexCount, 24);
    EXPECT_FALSE(crate->isGroup);
    EXPECT_EQ(drawNodeOf(*crate).objectProgram, logic->phongProgram);
    EXPECT_EQ(drawNodeOf(*crate).objectShadowProgram, logic->shadowProgram);
    // The scale stays with the object; turn and position go to its actor.
    EXPECT_EQ(crate->localMatrix, glm::scale(glm::mat4(1.0f), glm::vec3(0.5f, 1, 2)));
    ASSERT_NE(crate->actor, nullptr);
    EXPECT_EQ(crate->actor->getScene(), simulation().scene());
    expectNear(crate->actor->getGlobalPose().p, {1, 3, -24}, "position");
    // z up in the tile is y up in the world.
    expectNear(crate->actor->getGlobalPose().transform({0, 0, 1}) - glm::vec3(1, 3, -24),
               {0, 1, 0}, "up");
}

// Modelling tools write quads and larger polygons as <polylist> or
// <polygons>; the import triangulates them and they must load whole.
TEST_F(LevelImport, PolygonMeshesAsExportersWriteThemLoadWhole) {
    ::testing::internal::CaptureStdout();
    ASSERT_NE(importFile("tests/data/polygon_meshes.dae"), nullptr);
    // Only the wire, which holds lines alone, is named as empty.
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "mCooking failed cooking mesh\n"
              "tests/data/polygon_meshes.dae: wire_lines: no triangles: nothing to draw or "
              "collide with\n");
    struct Expected {
        const char* node;
        std::int32_t vertices, triangles;
    };
    for (const Expected& expected : {Expected{"cube_polylist", 24, 12},
                                     Expected{"hexagon_polygons", 12, 8},
                                     Expected{"gable_mixed", 5, 3}}) {
        scene::SceneObject* object = find(expected.node);
        ASSERT_NE(object, nullptr) << expected.node;
        EXPECT_EQ(object->mesh->vertexCount, expected.vertices) << expected.node;
        EXPECT_EQ(object->mesh->faceCount, expected.triangles) << expected.node;
        ASSERT_NE(object->actor, nullptr) << expected.node;
        EXPECT_EQ(shapesOf(*object->actor)[0]->getGeometry().type,
                  physics::GeometryType::TriangleMesh)
            << expected.node;
    }
}

// The README's example tile: polylists, shared geometry, a texture, a trigger.
TEST_F(LevelImport, TheExampleTileLoadsTexturedWithItsGoal) {
    ::testing::internal::CaptureStdout();
    ASSERT_NE(importFile("Objects/examples/ExampleTile.dae", glm::vec3(0.0f)), nullptr);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");  // nothing lost on the way
    scene::SceneObject* floor = find("floor");
    ASSERT_NE(floor, nullptr);
    EXPECT_TRUE(drawNodeOf(*floor).isTextured);
    // One cube of six quads, shared by the walls and the mill.
    for (const char* name : {"wall_west", "wall_north", "mill"}) {
        scene::SceneObject* object = find(name);
        ASSERT_NE(object, nullptr) << name;
        EXPECT_EQ(object->mesh->faceCount, 12) << name;
        EXPECT_NE(object->actor, nullptr) << name;
    }
    auto* goal = dynamic_cast<scene::Trigger*>(find("goal trigger"));
    ASSERT_NE(goal, nullptr);
    EXPECT_TRUE(drawNodeOf(*goal).isTextured);
    EXPECT_EQ(goal->actions.count("win"), 1u);
    EXPECT_EQ(world().triggerRegistry.size(), 1u);
}

TEST_F(LevelImport, EachTileAddsOneChildAndGroupsPassTheirTransformOn) {
    scene::SceneObject* tile = importTile(R"(
        group holder at 0 5 0 turn 0 0 90 {
          box crate at 1 0 0
        }
        box loose at 0 0 1
    )");
    ASSERT_NE(tile, nullptr);
    ASSERT_EQ(world().root->children.size(), 1u);
    EXPECT_TRUE(tile->isGroup);
    ASSERT_EQ(tile->children.size(), 2u);

    scene::SceneObject* holder = tile->children[0];
    EXPECT_TRUE(holder->isGroup);
    EXPECT_EQ(holder->localMatrix, glm::mat4(1.0f));
    EXPECT_EQ(drawNodeOf(*holder).objectProgram, nullptr);
    EXPECT_EQ(holder->actor, nullptr);
    EXPECT_EQ(holder->name, "notSet");
    ASSERT_EQ(holder->children.size(), 1u);
    EXPECT_EQ(holder->children[0]->name, "crate");
    // (1, 0, 0) turned a quarter about z lands at (0, 1, 0), then moved by
    // (0, 5, 0): (0, 6, 0) in the tile.
    expectNear(holder->children[0]->actor->getGlobalPose().p, {0, 0, -28}, "crate");
    expectNear(tile->children[1]->actor->getGlobalPose().p, {0, 1, -22}, "loose");

    importTile("box other at 0 0 0\n", {30, 0, -52});
    EXPECT_EQ(world().root->children.size(), 2u);
    expectNear(find("other")->actor->getGlobalPose().p, {30, 0, -52}, "second tile");
}

TEST_F(LevelImport, TheTileRootsOwnTransformHasNoEffect) {
    const std::string path = velmora::testing::writeTile(folder, "tile.dae", "box crate at 1 2 3\n");
    // Units and up axis are carried by the file's root node; a level authored
    // in centimetres with y up is still read as metres, z up.
    std::string text;
    {
        std::ifstream in(path);
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const auto replace = [&](const std::string& from, const std::string& to) {
        const size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
    };
    replace("meter=\"1\"", "meter=\"0.01\"");
    replace("Z_UP", "Y_UP");
    folder.writeText("scaled.dae", text);

    ASSERT_NE(importFile(folder.file("scaled.dae")), nullptr);
    scene::SceneObject* crate = find("crate");
    ASSERT_NE(crate, nullptr);
    EXPECT_EQ(crate->localMatrix, glm::mat4(1.0f));
    expectNear(crate->actor->getGlobalPose().p, {1, 3, -24}, "crate");
}

TEST_F(LevelImport, AFailedTileLeavesTheOthersAndAddsNothing) {
    importTile("box first at 0 0 0\n");
    folder.writeText("garbage.dae", "<COLLADA>not a level");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(importFile(folder.file("absent.dae")), nullptr);
    const std::string missing = ::testing::internal::GetCapturedStderr();
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(importFile(folder.file("garbage.dae")), nullptr);
    const std::string garbage = ::testing::internal::GetCapturedStderr();
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(importTile("group nothing_here\n"), nullptr);
    const std::string empty = ::testing::internal::GetCapturedStderr();
    importTile("box last at 0 0 0\n");

    for (const std::string& message : {missing, garbage, empty}) {
        ASSERT_FALSE(message.empty());
        EXPECT_EQ(message.back(), '\n');
    }
    ASSERT_EQ(world().root->children.size(), 2u);
    EXPECT_NE(find("first"), nullptr);
    EXPECT_NE(find("last"), nullptr);
}

TEST_F(LevelImport, OnlyObjectsBelowFullOpacityAreListedAsTransparent) {
    importTile(R"(
        material almost opacity 0.99
        material full opacity 1
        material half opacity 0.5
        box plain at 0 0 0
        box full_pane material full at 3 0 0
        box almost_pane material almost at 6 0 0
        box half_pane material half at 9 0 0
    )");
    ASSERT_EQ(logic->transparentObjects.size(), 2u);
    EXPECT_EQ(logic->transparentObjects[0], find("almost_pane"));
    EXPECT_EQ(logic->transparentObjects[1], find("half_pane"));
    EXPECT_FLOAT_EQ(find("almost_pane")->opacity(), 0.99f);
    EXPECT_FLOAT_EQ(find("full_pane")->opacity(), 1.0f);
}

// Base names of annotated nodes read their underscores as blanks.
TEST_F(LevelImport, TriggersAreRegisteredByActorWithTheirRulesAndTheGamesCallbacks) {
    importTile(R"(
        plate switch_trigger__actor__second__open__DoorA__open__DoorB__ at 0 0 0 size 0.8 0.8 0.6
        plate main_trigger__actor__main__ at 3 0 0
        plate any_trigger__actor__Main__ at 6 0 0
        plate goal_Trigger__win__yes__ at 9 0 0
        spikes stacheln_trigger__reset__hall__ at 12 0 0 size 1.5 1.5 0.4
    )");
    EXPECT_EQ(world().triggerRegistry.size(), 5u);
    for (const auto& [actor, trigger] : world().triggerRegistry) {
        EXPECT_EQ(trigger->actor, actor) << trigger->name;
    }

    auto* sw = dynamic_cast<scene::Trigger*>(find("switch trigger"));
    ASSERT_NE(sw, nullptr);
    EXPECT_EQ(sw->actorFilter, SecondActorType);
    EXPECT_EQ(sw->actions.at("open"), (std::vector<std::string>{"DoorA", "DoorB"}));
    EXPECT_EQ(dynamic_cast<scene::Trigger*>(find("main trigger"))->actorFilter, MainActorType);
    EXPECT_EQ(dynamic_cast<scene::Trigger*>(find("any trigger"))->actorFilter, EitherActorType);
    auto* goal = dynamic_cast<scene::Trigger*>(find("goal Trigger"));
    ASSERT_NE(goal, nullptr);
    EXPECT_EQ(goal->actorFilter, EitherActorType);

    // Each trigger has its own copies of the game's answers.
    goal->winCallback();
    dynamic_cast<scene::Trigger*>(find("stacheln trigger"))->resetCallback("hall");
    EXPECT_EQ(wins, 1);
    EXPECT_EQ(resets, std::vector<std::string>{"hall"});

    // The plate is solid and reports through a volume of its scale; the
    // spikes' volume keeps its fixed height.
    const auto plate = shapesOf(*sw->actor);
    ASSERT_EQ(plate.size(), 2u);
    EXPECT_EQ(plate[0]->getGeometry().type, physics::GeometryType::TriangleMesh);
    EXPECT_TRUE(isTriggerVolume(*plate[1]));
    expectNear(plate[1]->getGeometry().halfExtents, {0.8f, 0.8f, 0.6f}, "plate volume");
    const auto spikes = shapesOf(*find("stacheln trigger")->actor);
    ASSERT_EQ(spikes.size(), 2u);
    expectNear(spikes[1]->getGeometry().halfExtents, {1.5f, 1.5f, 0.55f}, "spike volume");
}

TEST_F(LevelImport, FourVertexNodeGetsTheThinBoxAndNoTriggerVolume) {
    importTile("quad pad_trigger__win__yes__ at 0 0 0 size 2 3 1\n");
    scene::SceneObject* pad = find("pad trigger");
    ASSERT_NE(dynamic_cast<scene::Trigger*>(pad), nullptr);
    ASSERT_NE(pad->actor, nullptr);
    const auto shapes = shapesOf(*pad->actor);
    ASSERT_EQ(shapes.size(), 2u);
    for (physics::Shape* shape : shapes) {
        EXPECT_EQ(shape->getGeometry().type, physics::GeometryType::Box);
        expectNear(shape->getGeometry().halfExtents, {2, 3, 0}, "thin box");
        EXPECT_FALSE(shape->getFlag(physics::ShapeFlag::Trigger));
    }
}

TEST_F(LevelImport, DoorsAreRegisteredByBaseNameAndTheFirstOfANameKeepsIt) {
    importTile(R"(
        box DoorA__steady__1__ at 0 0 0
        box DoorA at 3 0 0
        box Door_trigger at 6 0 0
        box DOOR_TRIGGER at 9 0 0
    )");
    ASSERT_EQ(world().doorRegistry.size(), 2u);
    scene::Door* first = world().doorRegistry.at("DoorA");
    EXPECT_TRUE(first->isSteady);
    EXPECT_FALSE(first->isOpen);
    scene::SceneObject* tile = world().root->children[0];
    ASSERT_EQ(tile->children.size(), 4u);
    EXPECT_EQ(tile->children[0], first);
    auto* second = dynamic_cast<scene::Door*>(tile->children[1]);
    ASSERT_NE(second, nullptr);  // still in the level, only not findable by name
    EXPECT_FALSE(second->isSteady);

    // A door and a trigger word: a door, with the trigger's volume, that no
    // trigger rule looks up.
    scene::Door* doorTrigger = world().doorRegistry.at("Door_trigger");
    EXPECT_TRUE(world().triggerRegistry.empty());
    const auto shapes = shapesOf(*doorTrigger->actor);
    ASSERT_EQ(shapes.size(), 2u);
    EXPECT_TRUE(isTriggerVolume(*shapes[1]));

    // Capitals match no role word.
    scene::SceneObject* shouting = tile->children[3];
    EXPECT_EQ(dynamic_cast<scene::Door*>(shouting), nullptr);
    EXPECT_EQ(dynamic_cast<scene::Trigger*>(shouting), nullptr);
    for (physics::Shape* shape : shapesOf(*shouting->actor)) {
        EXPECT_FALSE(shape->getFlag(physics::ShapeFlag::Trigger));
    }
}

TEST_F(LevelImport, ATextureFileIsReadOnceAndSharedAcrossTiles) {
    importTile(R"(
        box floor_a__texture__stone_png__ at 0 0 0
        box floor_b__texture__stone_png___001 at 3 0 0
        box wall__texture__wall_png__ at 6 0 0
    )");
    importTile("box floor_c__texture__stone_png__ at 0 0 0\n", {0, 0, -52});
    scene::SceneObject* a = find("floor a");
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(drawNodeOf(*a).isTextured);
    EXPECT_EQ(drawNodeOf(*a).objectProgram, logic->textureProgram);
    EXPECT_NE(*drawNodeOf(*a).textureName, 0u);
    EXPECT_TRUE(glIsTexture(*drawNodeOf(*a).textureName));
    // One cell: the later objects never loaded a texture of their own.
    EXPECT_EQ(drawNodeOf(*find("floor b")).textureName, drawNodeOf(*a).textureName);
    EXPECT_EQ(drawNodeOf(*find("floor c")).textureName, drawNodeOf(*a).textureName);
    EXPECT_TRUE(drawNodeOf(*find("floor c")).isTextured);
    EXPECT_NE(drawNodeOf(*find("wall")).textureName, drawNodeOf(*a).textureName);
    EXPECT_NE(*drawNodeOf(*find("wall")).textureName, *drawNodeOf(*a).textureName);
}

TEST_F(LevelImport, AMissingTextureLeavesTheObjectUntexturedPhongShadedAndNotShared) {
    ::testing::internal::CaptureStdout();
    importTile(R"(
        box first__texture__nowhere_png__ at 0 0 0
        box second__texture__nowhere_png__ at 3 0 0
    )");
    const std::string printed = ::testing::internal::GetCapturedStdout();
    for (const char* node : {"first__texture__nowhere_png__", "second__texture__nowhere_png__"}) {
        EXPECT_NE(printed.find(folder.file("tile1.dae") + ": " + node +
                               ": texture nowhere.png is missing from Textures\n"),
                  std::string::npos)
            << printed;
    }
    for (const char* name : {"first", "second"}) {
        scene::SceneObject* object = find(name);
        ASSERT_NE(object, nullptr);
        EXPECT_FALSE(drawNodeOf(*object).isTextured) << name;
        EXPECT_EQ(*drawNodeOf(*object).textureName, 0u) << name;
        // Drawn with plain shading, never with whatever texture is bound.
        EXPECT_EQ(drawNodeOf(*object).objectProgram, logic->phongProgram) << name;
        EXPECT_TRUE(drawNodeOf(*object).isInitialised) << name;
    }
    EXPECT_NE(drawNodeOf(*find("first")).textureName, drawNodeOf(*find("second")).textureName);
}

TEST_F(LevelImport, NodeThatCanNotCollideIsStillDrawnSafelyAndNamed) {
    ::testing::internal::CaptureStdout();
    importTile(R"(
        box squashed_trigger__win__yes__ at 0 0 0 size 1 0 1
        box crate at 0 0 0
        box needle at 0 0 3 extent 1 0 0
    )");
    const std::string printed = ::testing::internal::GetCapturedStdout();
    const std::string file = folder.file("tile1.dae");
    EXPECT_NE(printed.find(file + ": squashed_trigger__win__yes__: no collision: its scale ("),
              std::string::npos)
        << printed;
    // The physics' own line stays, and the node's follows it.
    EXPECT_NE(printed.find("mCooking failed cooking mesh\n" + file +
                           ": needle: no collision: its triangles failed to cook"),
              std::string::npos)
        << printed;
    EXPECT_EQ(printed.find("crate"), std::string::npos);
    scene::SceneObject* squashed = find("squashed trigger");
    ASSERT_NE(squashed, nullptr);
    EXPECT_EQ(squashed->actor, nullptr);
    EXPECT_TRUE(drawNodeOf(*squashed).isInitialised);
    // Without an actor it could never be reported, so it is not registered.
    EXPECT_TRUE(world().triggerRegistry.empty());
    ASSERT_NE(find("crate")->actor, nullptr);

    renderFrame(cameraAt({0, 3, -14}, {0, 0, -22}));
    EXPECT_EQ(logic->drawnObjectCount, 2);  // the crate's two shapes only
}

TEST_F(LevelImport, MeshNodesCarryTheirChildrenAlong) {
    importTile(R"(
        box mill at 2 0 0.8 extent 0.3 0.3 0.8 {
          box mill_arm at 0 0 0.3 extent 1.8 0.12 0.12 turn 0 0 90
        }
    )");
    scene::SceneObject* mill = find("mill");
    ASSERT_NE(mill, nullptr);
    ASSERT_EQ(mill->children.size(), 1u);
    EXPECT_EQ(mill->children[0]->name, "mill_arm");
    expectNear(mill->children[0]->actor->getGlobalPose().p, {2, 1.1f, -22}, "arm");
}

}  // namespace velmora::test
