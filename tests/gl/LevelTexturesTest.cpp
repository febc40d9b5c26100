#include <gtest/gtest.h>

#include <filesystem>

#include "level/LevelTextures.h"
#include "level/Texture.h"
#include "tests/unit/LevelTestFiles.h"
#include "world/SceneObject.h"

namespace velmora::test {

namespace {

scene::SceneObject makeObject() { return scene::SceneObject(glm::mat4(1.0f), nullptr, nullptr); }

}  // namespace

TEST(LevelTextures, ACachedTextureIsSharedWithoutReadingTheFile) {
    auto loaded = std::make_shared<GLuint>(0);
    ASSERT_TRUE(loadTexture("Textures/stone.png", loaded.get()));
    // No such file exists: only the cache can make the object textured.
    TextureCache cache{{"never_written.png", loaded}};
    scene::SceneObject object = makeObject();
    EXPECT_TRUE(attachLevelTexture(object, "never_written.png", cache));
    EXPECT_TRUE(object.isTextured);
    EXPECT_EQ(object.textureName, loaded);
    EXPECT_EQ(cache.size(), 1u);
}

TEST(LevelTextures, AFailedFileIsNotCachedAndTheNextObjectTriesAgain) {
    velmora::testing::TempFolder folder;
    const std::string late = folder.file("late.png");
    // Named relative to the level's texture folder, as a level file would.
    const std::string name = std::filesystem::relative(late, "Textures").string();

    TextureCache cache;
    scene::SceneObject first = makeObject();
    EXPECT_FALSE(attachLevelTexture(first, name, cache));
    EXPECT_FALSE(first.isTextured);
    EXPECT_EQ(*first.textureName, 0u);
    EXPECT_TRUE(cache.empty());

    std::filesystem::copy_file("Textures/stone.png", late);
    scene::SceneObject second = makeObject();
    EXPECT_TRUE(attachLevelTexture(second, name, cache));
    EXPECT_TRUE(second.isTextured);
    EXPECT_NE(*second.textureName, 0u);
    EXPECT_EQ(cache.at(name), second.textureName);
    EXPECT_FALSE(first.isTextured);  // the earlier object is not patched up
}

TEST(LevelTextures, AnEntryNamingNoTextureIsNeverShared) {
    TextureCache cache{{"stone.png", std::make_shared<GLuint>(0)}};
    scene::SceneObject object = makeObject();
    EXPECT_TRUE(attachLevelTexture(object, "stone.png", cache));
    EXPECT_NE(*object.textureName, 0u);
    EXPECT_TRUE(glIsTexture(*object.textureName));
    EXPECT_EQ(cache.at("stone.png"), object.textureName);
}

}  // namespace velmora::test
