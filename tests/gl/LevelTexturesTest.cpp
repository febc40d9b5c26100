#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <unistd.h>

#include "world/LevelTextures.h"
#include "render/Texture.h"
#include "tests/unit/LevelTestFiles.h"
#include "world/DrawNode.h"

namespace velmora::test {

TEST(LevelTextures, ACachedTextureIsSharedWithoutReadingTheFile) {
    auto loaded = std::make_shared<GLuint>(0);
    ASSERT_TRUE(loadTexture("Textures/stone.png", loaded.get()));
    // No such file exists: only the cache can make the object textured.
    TextureCache cache{{"never_written.png", loaded}};
    DrawNode object;
    EXPECT_TRUE(attachLevelTexture(object, "never_written.png", cache));
    EXPECT_TRUE(object.isTextured);
    EXPECT_EQ(object.textureName, loaded);
    EXPECT_EQ(cache.size(), 1u);
}

TEST(LevelTextures, AFailedFileIsNotCachedAndTheNextObjectTriesAgain) {
    // Named inside the level's texture folder, as a level file must (a name
    // reaching outside it is never opened); removed again afterwards.
    const std::string name = "vizazuv-late-" + std::to_string(getpid()) + ".png";
    const std::string late = "Textures/" + name;
    struct Removal {
        std::string path;
        ~Removal() { std::filesystem::remove(path); }
    } removal{late};

    TextureCache cache;
    DrawNode first;
    EXPECT_FALSE(attachLevelTexture(first, name, cache));
    EXPECT_FALSE(first.isTextured);
    EXPECT_EQ(*first.textureName, 0u);
    EXPECT_TRUE(cache.empty());

    std::filesystem::copy_file("Textures/stone.png", late);
    DrawNode second;
    EXPECT_TRUE(attachLevelTexture(second, name, cache));
    EXPECT_TRUE(second.isTextured);
    EXPECT_NE(*second.textureName, 0u);
    EXPECT_EQ(cache.at(name), second.textureName);
    EXPECT_FALSE(first.isTextured);  // the earlier object is not patched up
}

// A name reaching outside the texture folder is never opened, even when it
// names an image that exists: the object stays untextured (plain shading).
TEST(LevelTextures, ANameReachingOutsideTheFolderIsNeverOpened) {
    const std::string absolute = std::filesystem::absolute("Textures/stone.png").string();
    for (const std::string& name : {std::string("../Textures/stone.png"),
                                    std::string("..\\Textures\\stone.png"), absolute}) {
        SCOPED_TRACE(name);
        TextureCache cache;
        DrawNode object;
        EXPECT_FALSE(attachLevelTexture(object, name, cache));
        EXPECT_FALSE(object.isTextured);
        EXPECT_TRUE(cache.empty());
    }
}

TEST(LevelTextures, AnEntryNamingNoTextureIsNeverShared) {
    TextureCache cache{{"stone.png", std::make_shared<GLuint>(0)}};
    DrawNode object;
    EXPECT_TRUE(attachLevelTexture(object, "stone.png", cache));
    EXPECT_NE(*object.textureName, 0u);
    EXPECT_TRUE(glIsTexture(*object.textureName));
    EXPECT_EQ(cache.at("stone.png"), object.textureName);
}

}  // namespace velmora::test
