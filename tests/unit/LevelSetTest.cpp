#include <gtest/gtest.h>

#include "level/LevelSet.h"

using namespace velmora;

namespace {

LevelSet parse(const std::string& text, std::vector<std::string>& problems) {
    return parseLevelSet(text, "levels.txt", problems);
}

}  // namespace

TEST(LevelSet, ReadsEachLevelInOrderWithTheDefaultsWhereItSaysNothing) {
    std::vector<std::string> problems;
    const LevelSet set = parse(
        "# the set\n"
        "level first-roll\n"
        "title First roll   # trailing comment\n"
        "aim Roll to the goal\n"
        "sky 336699 FFFFFF 000000\n"
        "par 1:30\n"
        "longest 20:00\n"
        "tile Objects/first-roll/Tile1.dae\n"
        "route tools/level/first-roll/route.txt\n"
        "ambient hall\n"
        "\n"
        "level up-high\n"
        "tile Objects/up-high/Tile2.dae\n"
        "tile Objects/up-high/a.dae at 5 0 -10\n"
        "start main 1 2 3\n"
        "reset second 4 5 6\n"
        "light 0 30 -40\n"
        "face 1 -7\n",
        problems);
    EXPECT_TRUE(problems.empty()) << problems.front();
    ASSERT_EQ(set.levels.size(), 2u);
    const LevelEntry& first = set.levels[0];
    EXPECT_EQ(first.title, "First roll");
    EXPECT_EQ(first.parSteps, 90 * 60);
    EXPECT_EQ(first.longestRunSteps, 20 * 60 * 60);
    EXPECT_EQ(first.route, "tools/level/first-roll/route.txt");
    EXPECT_EQ(first.ambient, "hall");
    ASSERT_EQ(first.tiles.size(), 1u);
    EXPECT_EQ(first.tiles[0].offset, glm::vec3(0.0f, 0.0f, -22.0f));  // by its file name
    EXPECT_EQ(first.places, LevelPlaces{});
    EXPECT_EQ(first.aim, "Roll to the goal");
    EXPECT_EQ(first.sky.zenith, glm::vec3(0.2f, 0.4f, 0.6f));
    EXPECT_EQ(first.sky.horizon, glm::vec3(1.0f));
    EXPECT_EQ(first.sky.ground, glm::vec3(0.0f));

    const LevelEntry& second = *set.find("up-high");
    EXPECT_EQ(set.indexOf("up-high"), 1);
    EXPECT_EQ(second.title, "up-high");
    EXPECT_EQ(second.tiles[0].offset, glm::vec3(0.0f, 0.0f, -52.0f));
    EXPECT_EQ(second.tiles[1].offset, glm::vec3(5.0f, 0.0f, -10.0f));
    EXPECT_EQ(second.places.mainStart, glm::vec3(1, 2, 3));
    EXPECT_EQ(second.places.secondReset, glm::vec3(4, 5, 6));
    EXPECT_EQ(second.places.light, glm::vec3(0, 30, -40));
    EXPECT_EQ(second.places.secondStart, LevelPlaces{}.secondStart);
    EXPECT_EQ(second.longestRunSteps, 10 * 60 * 60);
    EXPECT_TRUE(second.sky == SkyColours{});
    EXPECT_EQ(second.aim, "");
    EXPECT_EQ(second.ambient, "");
    // It faces from its start (1, 3) towards (1, -7): along -z; unsaid, -z too.
    EXPECT_NEAR(startYawDegrees(second), 0.0f, 1e-4f);
    EXPECT_EQ(startYawDegrees(first), 0.0f);
    LevelEntry west = second;
    west.faceTowards = glm::vec2(-9.0f, 3.0f);
    EXPECT_NEAR(startYawDegrees(west), 90.0f, 1e-4f);  // towards -x
    // Where the camera looks first changes no run: same level, same replays.
    EXPECT_EQ(levelIdentityOf(west), levelIdentityOf(second));
    // Moving a sphere's start makes another level of the same tiles.
    LevelEntry moved = first;
    moved.places.mainStart.x += 1.0f;
    EXPECT_NE(levelIdentityOf(moved), levelIdentityOf(first));
    // The longest run is the checker's setting, not the level: changing it
    // must not orphan the replays and best times kept under the identity.
    LevelEntry longer = first;
    longer.longestRunSteps *= 2;
    EXPECT_EQ(levelIdentityOf(longer), levelIdentityOf(first));
}

// Each line that can't be read is named with its line; the rest of the set
// still loads, and a level with no tile is left out.
TEST(LevelSet, LinesThatCantBeReadAreNamedAndSkipped) {
    const struct {
        const char* line;
        const char* problem;
    } cases[] = {
        {"par 90", "levels.txt:3: the par time wants M:SS"},
        {"par 1:75", "levels.txt:3: the par time wants M:SS"},
        {"longest 61:00", "levels.txt:3: the longest run wants M:SS up to 60:00"},
        {"longest 0:00", "levels.txt:3: the longest run wants M:SS up to 60:00"},
        {"tile", "levels.txt:3: a tile wants a file"},
        {"tile a.dae at 1 2", "levels.txt:3: a tile's place wants \"at X Y Z\""},
        {"tile a.dae near 1 2 3", "levels.txt:3: a tile's place wants \"at X Y Z\""},
        {"start third 1 2 3", "levels.txt:3: \"start\" wants main or second and X Y Z"},
        {"reset main 1 nan 3", "levels.txt:3: \"reset\" wants main or second and X Y Z"},
        {"light 0 1e9 0", "levels.txt:3: the light wants X Y Z"},
        {"sky 123456 abcdef", "levels.txt:3: the sky wants three colours rrggbb"},
        {"sky 12345g abcdef 000000", "levels.txt:3: the sky wants three colours rrggbb"},
        {"sky 123456 abcdef 0000000", "levels.txt:3: the sky wants three colours rrggbb"},
        {"sky 123456 abcdef 000000 111111", "levels.txt:3: the sky wants three colours rrggbb"},
        {"ambient ../../etc/x", "levels.txt:3: the ambient bed wants a name (lower-case letters, digits and '-')"},
        {"face 2", "levels.txt:3: \"face\" wants X Z"},
        {"colour red", "levels.txt:3: unknown word \"colour\""},
        {"level Big_Name", "levels.txt:3: \"Big_Name\" is no level name (lower-case letters, digits and '-')"},
        {"level a", "levels.txt:3: a second level named a is left out"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> problems;
        const LevelSet set = parse(std::string("level a\ntile Objects/Tile1.dae\n") + c.line +
                                       "\ntile Objects/Tile2.dae\n",
                                   problems);
        ASSERT_FALSE(problems.empty()) << c.line;
        EXPECT_EQ(problems.front(), c.problem);
        EXPECT_EQ(set.levels.size(), 1u) << c.line;
    }
    std::vector<std::string> problems;
    EXPECT_TRUE(parse("title Lost\nlevel empty\npar 1:00\n", problems).levels.empty());
    EXPECT_EQ(problems, (std::vector<std::string>{"levels.txt:1: \"title\" outside a level block",
                                                  "levels.txt: level empty has no tile and is left out"}));
}

TEST(LevelSet, TheShippedListHasTheGrandTourWithTheShippedTiles) {
    std::vector<std::string> problems;
    const std::optional<LevelSet> set = loadLevelSet(kLevelSetFile, problems);
    ASSERT_TRUE(set.has_value()) << problems.front();
    EXPECT_TRUE(problems.empty()) << problems.front();
    const LevelEntry* tour = set->find(shippedLevel().name);
    ASSERT_NE(tour, nullptr);
    EXPECT_EQ(levelIdentityOf(*tour), levelIdentityOf(shippedLevel()));
    EXPECT_EQ(startYawDegrees(*tour), startYawDegrees(shippedLevel()));
    for (const LevelEntry& level : set->levels) {
        EXPECT_GT(level.parSteps, 0) << level.name;
        EXPECT_FALSE(level.route.empty()) << level.name;
        EXPECT_FALSE(level.aim.empty()) << level.name;  // every card says what to do
        // Every level has weather of its own.
        for (const LevelEntry& other : set->levels) {
            if (&other != &level) {
                EXPECT_FALSE(other.sky == level.sky) << level.name << " " << other.name;
            }
        }
        EXPECT_FALSE(level.ambient.empty()) << level.name << " is silent when nothing moves";
    }
}
