#include <gtest/gtest.h>

#include "LevelTestFiles.h"
#include "level/LevelCheck.h"
#include "level/LevelSummary.h"

#include <FreeImage.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

using namespace velmora;
using velmora::testing::TempFolder;
using velmora::testing::writeTile;

namespace {

// Everything a level needs, so each test adds just one mistake: a walled
// room of 20 x 20 metres.
const char* kSoundTile = R"(
    quad  floor             at 0 0 0   size 10 10 1
    box   Door1             at 0 5 1   size 2 0.1 1
    plate switch_trigger__open__Door1__  at 3 0 0  size 1 1 0.6
    plate goal_trigger__win__1__         at -3 0 0 size 1 1 0.6
    box   mill              at 5 5 1   size 0.3 0.3 1
    box   wall_west   at -10.1 0 1  size 0.1 10.2 1
    box   wall_east   at 10.1 0 1   size 0.1 10.2 1
    box   wall_south  at 0 -10.1 1  size 10.2 0.1 1
    box   wall_north  at 0 10.1 1   size 10.2 0.1 1
)";

// The spheres start in the room's south-west and south-east, clear of the
// tests' nodes (tile (x, y) lies at world (x, -y)).
LevelCheckSettings settingsFor(const TempFolder& folder, bool reach = true) {
    LevelCheckSettings settings;
    settings.textureFolder = folder.path();
    settings.checkReach = reach;
    settings.main = {{-7.0f, 0.1f, 3.0f}, 0.5f};
    settings.second = {{7.0f, 0.5f, 3.0f}, 1.0f};
    return settings;
}

LevelReport check(const TempFolder& folder, const std::vector<std::string>& tiles,
                  bool reach = true) {
    std::vector<LevelTile> level;
    for (const std::string& tile : tiles) level.push_back({tile, glm::vec3(0.0f)});
    return checkLevel(level, settingsFor(folder, reach));
}

// The error lines of a report, for readable failure messages.
std::vector<std::string> errors(const LevelReport& report) {
    std::vector<std::string> lines;
    for (const LevelProblem& problem : report.problems) {
        if (problem.isError) lines.push_back(problemLine(problem));
    }
    return lines;
}

bool hasProblem(const LevelReport& report, const std::string& node, const std::string& words,
                bool isError) {
    for (const LevelProblem& problem : report.problems) {
        if (problem.isError == isError && problem.node == node &&
            problem.message.find(words) != std::string::npos) {
            return true;
        }
    }
    return false;
}

bool hasError(const LevelReport& report, const std::string& node, const std::string& words) {
    return hasProblem(report, node, words, true);
}

bool hasWarning(const LevelReport& report, const std::string& node, const std::string& words) {
    return hasProblem(report, node, words, false);
}

}  // namespace

TEST(LevelCheck, ASoundLevelHasNoErrors) {
    TempFolder folder;
    const LevelReport report = check(folder, {writeTile(folder, "t.dae", kSoundTile)});
    EXPECT_FALSE(report.hasErrors()) << ::testing::PrintToString(errors(report));
    ASSERT_EQ(report.nodes.size(), 9u);
    EXPECT_EQ(report.nodes[0].collision.kind, CollisionKind::ThinBox);
    EXPECT_EQ(report.nodes[1].role, NodeRole::Door);
    EXPECT_EQ(report.nodes[2].collision.kind, CollisionKind::TriggerBox);

    const std::vector<TileSummary> tiles = summariseTiles(report);
    ASSERT_EQ(tiles.size(), 1u);
    std::ostringstream line;
    printTileSummary(line, tiles[0]);
    EXPECT_EQ(line.str(), "t.dae: 9 objects, triggers 1 goal 1 switch, 1 doors, 98 triangles, "
                          "textures none\n");
    ASSERT_EQ(report.reach.size(), 2u);
    const SphereReach& main = report.reach[0];
    EXPECT_EQ(main.sphere, "main");
    EXPECT_GT(main.placesReached, 4000);  // most of the 400 square metres
    EXPECT_EQ(main.goalsReached, 1);
    EXPECT_EQ(main.switchesReached, 1);
    EXPECT_EQ(main.doorsReached, 1);
    EXPECT_EQ(main.exits, 0);
}

TEST(LevelCheck, SwitchesAndDoorsMustFindEachOther) {
    TempFolder folder;
    const std::string tile = writeTile(folder, "t.dae", std::string(kSoundTile) + R"(
        plate other_trigger__open__Door1__open__Door_2__  at 6 0 0  size 1 1 0.6
        box   Door_3   at 0 -5 1  size 2 0.1 1
    )");
    const LevelReport report = check(folder, {tile});
    EXPECT_TRUE(report.hasErrors());
    EXPECT_TRUE(hasError(report, "other_trigger__open__Door1__open__Door_2__", "\"Door_2\""));
    EXPECT_TRUE(hasError(report, "Door_3", "no switch opens"));
    EXPECT_EQ(errors(report).size(), 2u) << ::testing::PrintToString(errors(report));
}

TEST(LevelCheck, DoorsAndSwitchesMayLieInDifferentTiles) {
    TempFolder folder;
    const std::string first = writeTile(folder, "a.dae", kSoundTile);
    const std::string second = writeTile(folder, "b.dae", R"(
        quad floor2   at 0 0 0  size 10 10 1
        box  DoorFar  at 0 5 1  size 2 0.1 1
    )");
    EXPECT_TRUE(hasError(check(folder, {first, second}), "DoorFar", "no switch opens"));
    const std::string third = writeTile(folder, "c.dae", R"(
        plate far_trigger__open__DoorFar__  at 0 0 0  size 1 1 0.6
    )");
    EXPECT_FALSE(check(folder, {first, second, third}).hasErrors());
}

TEST(LevelCheck, MissingAndUndecodableTexturesAreErrors) {
    TempFolder folder;
    FIBITMAP* pixel = FreeImage_Allocate(1, 1, 24);
    ASSERT_TRUE(FreeImage_Save(FIF_PNG, pixel, folder.file("found.png").c_str(), 0));
    FreeImage_Unload(pixel);
    folder.writeText("broken.png", "not an image");
    const std::string tile = writeTile(folder, "t.dae", std::string(kSoundTile) + R"(
        box block__texture__found_png__   at 6 6 1
        box other__texture__missing_png__ at 6 -6 1
        box third__texture__broken_png__  at 6 0 1
    )");
    const LevelReport report = check(folder, {tile});
    EXPECT_TRUE(hasError(report, "other__texture__missing_png__", "missing.png is missing"));
    EXPECT_TRUE(hasError(report, "third__texture__broken_png__", "broken.png can't be decoded"));
    EXPECT_EQ(errors(report).size(), 2u) << ::testing::PrintToString(errors(report));
    EXPECT_TRUE(report.nodes[9].textureExists);
    EXPECT_FALSE(report.nodes[10].textureExists);
}

// A texture name can't reach outside the texture folder, however it is
// written: "..", an absolute path, a link out of the folder. The file is
// never opened, and the message names the node.
TEST(LevelCheck, TextureNamesStayInsideTheTextureFolder) {
    TempFolder folder;  // holds textures/ and, beside it, x/secret.png
    std::filesystem::create_directories(folder.file("textures"));
    std::filesystem::create_directories(folder.file("x"));
    FIBITMAP* pixel = FreeImage_Allocate(1, 1, 24);
    ASSERT_TRUE(FreeImage_Save(FIF_PNG, pixel, folder.file("x/secret.png").c_str(), 0));
    ASSERT_TRUE(FreeImage_Save(FIF_PNG, pixel, folder.file("textures/inside.png").c_str(), 0));
    FreeImage_Unload(pixel);
    std::filesystem::create_symlink(folder.file("x/secret.png"), folder.file("textures/out.png"));
    std::filesystem::create_symlink(folder.file("x"), folder.file("textures/sub"));
    std::filesystem::create_symlink("inside.png", folder.file("textures/alias.png"));
    // Node names of the description language can't hold '/', so the file is
    // patched afterwards.
    const std::string tile = writeTile(folder, "t.dae", std::string(kSoundTile) + R"(
        box up__texture__PATHA__     at 6 6 1
        box root__texture__PATHB__   at 6 -6 1
        box back__texture__PATHC__   at 6 0 1
        box link__texture__out.png__ at -6 6 1
        box dir__texture__PATHD__    at -6 -6 1
        box fine__texture__alias.png__ at -6 0 1
    )");
    std::ifstream in(tile);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    const std::pair<std::string, std::string> patches[] = {
        {"PATHA", "../../../../../../../../.." + folder.file("x/secret.png")},
        {"PATHB", folder.file("x/secret.png")},
        {"PATHC", "..\\x\\secret.png"},
        {"PATHD", "sub/secret.png"}};
    for (const auto& [from, to] : patches) {
        for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from)) {
            text.replace(at, from.size(), to);
        }
    }
    std::ofstream(tile, std::ios::binary) << text;

    LevelCheckSettings settings = settingsFor(folder, false);
    settings.textureFolder = folder.file("textures");
    const LevelReport report = checkLevel({{tile, glm::vec3(0.0f)}}, settings);
    std::vector<std::string> lines = errors(report);
    ASSERT_EQ(lines.size(), 5u) << ::testing::PrintToString(lines);
    for (const std::string& line : lines) {
        EXPECT_NE(line.find("is refused: the name"), std::string::npos) << line;
    }
    int refused = 0;
    for (const CheckedNode& node : report.nodes) {
        if (node.baseName == "fine") {
            EXPECT_TRUE(node.textureDecodes);
            continue;
        }
        if (node.textureFile.empty()) continue;
        ++refused;
        EXPECT_TRUE(node.textureOutside) << node.nodeName;
        EXPECT_FALSE(node.textureExists) << node.nodeName;
        std::ostringstream printed;
        printCheckedNode(printed, node);
        EXPECT_NE(printed.str().find("(REFUSED"), std::string::npos) << printed.str();
    }
    EXPECT_EQ(refused, 5);
    EXPECT_TRUE(hasError(report, "up__texture__../../../../../../../../.." +
                                     folder.file("x/secret.png") + "__",
                         "with \"..\""));
    EXPECT_TRUE(hasError(report, "root__texture__" + folder.file("x/secret.png") + "__",
                         "absolute path"));
    EXPECT_TRUE(hasError(report, "link__texture__out.png__", "link leading out"));
    EXPECT_TRUE(hasError(report, "dir__texture__sub/secret.png__", "link leading out"));
}

// Only PNG, TGA and JPEG are read, by their content, and no image larger
// than its bytes could hold; the message says which.
TEST(LevelCheck, TexturesOfOtherFormatsOrImpossibleSizesAreErrors) {
    TempFolder folder;
    FIBITMAP* pixels = FreeImage_Allocate(4, 4, 24);
    // The image library's own PSD writer leaks; the corpus has one it wrote.
    std::filesystem::copy_file("tests/fuzz/corpus/image/rgb.psd", folder.file("photo.png"));
    ASSERT_TRUE(FreeImage_Save(FIF_BMP, pixels, folder.file("bitmap.png").c_str(), 0));
    ASSERT_TRUE(FreeImage_Save(FIF_PNG, pixels, folder.file("good.png").c_str(), 0));
    FreeImage_Unload(pixels);
    // A PNG header claiming 50,000 x 50,000 pixels (its checksum is not
    // looked at before the size).
    {
        std::ifstream in(folder.file("good.png"), std::ios::binary);
        std::string png((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const unsigned char side[4] = {0x00, 0x00, 0xC3, 0x50};  // 50000
        for (int i = 0; i < 4; ++i) png[16 + i] = png[20 + i] = static_cast<char>(side[i]);
        folder.writeText("huge.png", png);
    }
    const std::string tile = writeTile(folder, "t.dae", std::string(kSoundTile) + R"(
        box a__texture__photo_png__  at 6 6 1
        box b__texture__bitmap_png__ at 6 -6 1
        box c__texture__huge_png__   at 6 0 1
        box d__texture__good_png__   at -6 6 1
    )");
    const LevelReport report = check(folder, {tile}, false);
    EXPECT_TRUE(hasError(report, "a__texture__photo_png__",
                         "photo.png is a PSD image: only PNG, TGA and JPEG are read"));
    EXPECT_TRUE(hasError(report, "b__texture__bitmap_png__", "bitmap.png is a BMP image"));
    EXPECT_TRUE(hasError(report, "c__texture__huge_png__",
                         "huge.png claims 50000 x 50000 pixels, more than"));
    EXPECT_EQ(errors(report).size(), 3u) << ::testing::PrintToString(errors(report));
}

// The game prints the same lines while it loads.
TEST(LevelCheck, NodesLeftWithoutWhatTheirAuthorMeantAreNamed) {
    TempFolder folder;
    const std::string tile = writeTile(folder, "t.dae", std::string(kSoundTile) + R"(
        box squashed at 6 6 1  size 1 0 1
        box needle   at 6 -6 1 extent 1 0 0
        box crate__texure__wall_png__opne__Door1__ at 6 0 1
        box mill__steady__1__ at -6 -6 1  size 0.3 0.3 1
        # Triggers drawn elsewhere than they react: a scale baked into the
        # vertices, spikes that lost their copies; one a little off is fine.
        box drawn_trigger__reset__x__ at -6 6 1 extent 3 3 1
        spikes few_stacheln_trigger__reset__x__ at 0 -6 0 size 2 2 0.4 extent 0.3 0.3 1
        box snug_trigger__reset__x__ at -3 -7 1 size 1 1 1 extent 1.2 0.9 1
    )");
    const LevelReport report = check(folder, {tile});
    EXPECT_TRUE(hasError(report, "squashed", "no collision: its scale ("));
    EXPECT_TRUE(hasError(report, "needle", "no collision: its triangles failed to cook"));
    EXPECT_EQ(errors(report).size(), 2u) << ::testing::PrintToString(errors(report));
    std::vector<std::string> warnings;
    for (const LevelProblem& problem : report.problems) {
        if (!problem.isError) warnings.push_back(problem.node + ": " + problem.message);
    }
    const std::string crate = "crate__texure__wall_png__opne__Door1__: ";
    ASSERT_EQ(warnings.size(), 5u) << ::testing::PrintToString(warnings);
    EXPECT_EQ(warnings[0], crate + "unknown key \"opne\" (did you mean \"open\"?)");
    EXPECT_EQ(warnings[1], crate + "unknown key \"texure\" (did you mean \"texture\"?)");
    EXPECT_TRUE(hasWarning(report, "drawn_trigger__reset__x__",
                           "trigger volume reaches -1 to 1 along its x, its drawn geometry -3 to 3"));
    EXPECT_TRUE(hasWarning(report, "few_stacheln_trigger__reset__x__",
                           "trigger volume reaches -2 to 2 along its x, its drawn geometry -0.6 to 0.6"));
    EXPECT_TRUE(hasWarning(report, "mill__steady__1__",
                           "another node is named \"mill\": only the first turns"));

    // Polygons as exporters write them have triangles; a wire of lines has none.
    std::vector<std::string> nodeErrors;
    for (const LevelProblem& problem :
         check(folder, {"tests/data/polygon_meshes.dae"}, false).problems) {
        if (problem.node != "-") nodeErrors.push_back(problemLine(problem));
    }
    EXPECT_EQ(nodeErrors,
              std::vector<std::string>{"tests/data/polygon_meshes.dae: wire_lines: no triangles: "
                                       "nothing to draw or collide with"});
}

TEST(LevelCheck, AGlassMaterialThatSortsFirstStaysTransparent) {
    TempFolder folder;
    std::string text = writeCollada(velmora::testing::describeTile(
        std::string("material glass opacity 0.5\n") + kSoundTile +
        "box pane material glass at 6 6 1\n"));
    // Rename the opaque material so it sorts last: the glass comes first
    // among the file's materials, and still only the pane is see-through.
    for (std::size_t at; (at = text.find("m00_opaque")) != std::string::npos;) {
        text.replace(at, 10, "m99_opaque");
    }
    folder.writeText("t.dae", text);
    const LevelReport report = check(folder, {folder.file("t.dae")});
    EXPECT_TRUE(report.problems.empty()) << problemLine(report.problems.front());
    for (const CheckedNode& node : report.nodes) {
        EXPECT_EQ(node.opacity, node.nodeName == "pane" ? 0.5f : 1.0f) << node.nodeName;
    }
}

// A tile made in Blender by tools/blender_tile.py, which uses every role: it
// checks clean with the game's sphere starts, its glass (which sorts first of
// its materials) is the only see-through node though most nodes have no
// material, its floor plane (scale applied) collides as the 12 x 16 m drawn,
// and its spikes, made with an Array modifier, fill their volume.
TEST(LevelCheck, TheTileMadeInBlenderChecksClean) {
    const std::string file = "Objects/examples/blender/Tile1.dae";
    const LevelReport report = checkLevel({{file, levelTileOffset(file)}});
    for (const LevelProblem& problem : report.problems) ADD_FAILURE() << problemLine(problem);
    std::set<NodeRole> roles;
    for (const CheckedNode& node : report.nodes) {
        roles.insert(node.role);
        EXPECT_EQ(node.opacity, node.nodeName == "glass_screen" ? 0.4f : 1.0f) << node.nodeName;
        if (node.baseName == "floor") {
            EXPECT_EQ(node.collision.kind, CollisionKind::ThinBox);
            EXPECT_EQ(node.collision.halfExtents, glm::vec3(6, 8, 0));
        }
        if (node.collision.kind == CollisionKind::SpikeBox) {
            EXPECT_EQ(node.triangleCount, 54);
        }
    }
    EXPECT_EQ(roles.size(), 3u);
    ASSERT_EQ(report.reach.size(), 2u);
    for (const SphereReach& reach : report.reach) EXPECT_EQ(reach.goalsReached, 1) << reach.sphere;
}

TEST(LevelCheck, FourVertexAndFlatTriggersAreErrors) {
    TempFolder folder;
    const std::string tile = writeTile(folder, "t.dae", std::string(kSoundTile) + R"(
        quad  flat_trigger__reset__x__   at 6 6 0.5  size 1 1 1
        plate low_trigger__reset__x__    at 6 -6 0   size 1 1 0.02
        plate high_trigger__reset__x__   at -6 -6 0  size 1 1 0.3
        spikes stacheln_trigger__reset__x__ at -6 6 0 size 1 1 0.01
    )");
    const LevelReport report = check(folder, {tile});
    EXPECT_TRUE(hasError(report, "flat_trigger__reset__x__", "no trigger volume"));
    EXPECT_TRUE(hasError(report, "low_trigger__reset__x__", "flat trigger lies on floor"));
    // A taller volume, and spikes (always 0.55 high), reach far enough.
    EXPECT_EQ(errors(report).size(), 2u) << ::testing::PrintToString(errors(report));
}

// A level without a mill is fine (the game turns none); one without a goal
// is not.
TEST(LevelCheck, ALevelNeedsAGoalButNoMill) {
    TempFolder folder;
    const std::string tile = writeTile(folder, "t.dae", R"(
        quad floor at 0 0 0 size 10 10 1
        box  mill_stand at 5 5 1
        # A door with a trigger word is no trigger: its "win" never counts.
        box  Doortrigger__win__1__ at 0 5 1
        plate open_trigger__open__Doortrigger__ at 3 0 0  size 1 1 0.6
    )");
    const LevelReport report = check(folder, {tile}, false);
    EXPECT_TRUE(hasError(report, "-", "no goal"));
    EXPECT_EQ(errors(report).size(), 1u) << ::testing::PrintToString(errors(report));
}

TEST(LevelCheck, UnreadableTilesAreErrors) {
    TempFolder folder;
    folder.writeText("broken.dae", "<COLLADA>not a tile");
    const LevelReport report =
        check(folder, {folder.file("absent.dae"), folder.file("broken.dae")}, false);
    EXPECT_TRUE(report.anyTileUnreadable);  // the checker exits with 2
    EXPECT_TRUE(hasError(report, "-", "can't be read"));
    EXPECT_GE(errors(report).size(), 3u);  // both files, then no goal
    EXPECT_EQ(problemLine(report.problems.front()).rfind(folder.file("absent.dae") + ": -: ", 0), 0u);
}

TEST(LevelCheck, KnownTilesGetTheGamesOffsets) {
    EXPECT_EQ(levelTileOffset("Objects/Tile3.dae"), glm::vec3(30.0f, 0.0f, -52.0f));
    EXPECT_EQ(levelTileOffset("elsewhere/Tile1.dae"), glm::vec3(0.0f, 0.0f, -22.0f));
    EXPECT_EQ(levelTileOffset("Objects/Test.dae"), glm::vec3(0.0f));
}

TEST(LevelCheck, AnAnnotatedDoorIsFoundByItsBlankedBaseNameOnly) {
    TempFolder folder;
    // Door_A__steady__1__ is the door "Door A"; a switch naming Door_A misses it.
    const std::string tile = writeTile(folder, "t.dae", std::string(kSoundTile) + R"(
        box   Door_A__steady__1__            at 0 -5 1  size 2 0.1 1
        plate a_trigger__open__Door_A__      at 6 0 0   size 1 1 0.6
    )");
    const LevelReport report = check(folder, {tile});
    EXPECT_TRUE(hasError(report, "a_trigger__open__Door_A__", "\"Door_A\""));
    EXPECT_TRUE(hasError(report, "Door_A__steady__1__", "\"Door A\""));
}

// A walled corridor 20 m long, x -10..10, y -3..3, with the spheres starting
// at its west end; each case adds floors, a goal at the east end and what
// lies between.
TEST(LevelCheck, ReachabilityFollowsRampsStepsAndGaps) {
    const std::string walls = R"(
        box wall_west  at -10.1 0 1  size 0.1 3.2 1
        box wall_east  at 10.1 0 1   size 0.1 3.2 1
        box wall_south at 0 -3.1 1   size 10.2 0.1 1
        box wall_north at 0 3.1 1    size 10.2 0.1 1
        box mill       at -9 2 1     size 0.3 0.3 1
    )";
    const std::string westFloor = "quad floor_west at -6 0 0 size 4 3 1\n";
    const std::string eastFloor = "quad floor_east at 6 0 0 size 4 3 1\n";
    const std::string fullFloor = "quad floor at 0 0 0 size 10 3 1\n";
    const std::string pit = "box pit_trigger__reset__pit__ at 0 0 -3 size 2 3 1\n";
    struct Case {
        const char* what;
        std::string nodes;
        bool goalReached;
        int waysOut;
    };
    const Case cases[] = {
        {"a ramp up to a platform", "quad floor at -2 0 0 size 8 3 1\n"
                                    "box platform at 8 0 0.5 size 2 3 0.5\n"
                                    "quad ramp at 4.5 0 0.5 size 1.582 3 1 turn 0 -18.43 0\n"
                                    "plate goal_trigger__win__1__ at 8 0 1 size 1 1 0.6\n",
         true, 0},
        // The main sphere (radius 0.5) rolls onto edges up to 45 degrees
        // steep: steps up to 0.146 m.
        {"a step too high", fullFloor + "box platform at 8 0 0.1 size 2 3 0.1\n"
                                        "plate goal_trigger__win__1__ at 8 0 0.2 size 1 1 0.6\n",
         false, 0},
        {"a low step", fullFloor + "box platform at 8 0 0.06 size 2 3 0.06\n"
                                   "plate goal_trigger__win__1__ at 8 0 0.12 size 1 1 0.6\n",
         true, 0},
        {"a gap", westFloor + eastFloor + "plate goal_trigger__win__1__ at 8 0 0 size 1 1 0.6\n",
         false, 1},
        {"a gap over a reset volume",
         westFloor + eastFloor + pit + "plate goal_trigger__win__1__ at 8 0 0 size 1 1 0.6\n",
         false, 0},
        {"a narrow bridge over it", westFloor + eastFloor + pit +
                                        "quad bridge at 0 0 0 size 2.5 0.6 1\n"
                                        "plate goal_trigger__win__1__ at 8 0 0 size 1 1 0.6\n",
         true, 0},
        // Found by the fuzz lane: its buckets overflowed an int.
        {"a stray plate far beyond any int of metres",
         fullFloor + "plate goal_trigger__win__1__ at 8 0 0 size 1 1 0.6\n"
                     "quad stray at 5e9 -5e9 0 size 1 1 1\n",
         true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        LevelCheckSettings settings = settingsFor(folder);
        settings.main.centre = {-8.0f, 0.1f, 0.0f};
        settings.second.centre = {-7.0f, 0.5f, 0.0f};
        const std::string tile = writeTile(folder, "t.dae", walls + c.nodes);
        const LevelReport report = checkLevel({{tile, glm::vec3(0.0f)}}, settings);
        ASSERT_EQ(report.reach.size(), 2u);
        const SphereReach& main = report.reach[0];
        EXPECT_TRUE(main.startOnFloor);
        EXPECT_EQ(main.goalsReached, c.goalReached ? 1 : 0);
        EXPECT_EQ(main.exits, c.waysOut);
        EXPECT_EQ(hasError(report, "-", "the goal can't be reached by the main sphere"),
                  !c.goalReached);
        EXPECT_EQ(hasError(report, "-", "rolls out of the level at ("), c.waysOut > 0);
    }
}

// The second sphere is twice as large: a gap the main sphere slips through
// keeps it from a switch only it sets off.
TEST(LevelCheck, TheSecondSphereMustFitTheWayToItsSwitches) {
    TempFolder folder;
    const std::string tile = writeTile(folder, "t.dae", std::string(kSoundTile) + R"(
        box   partition_a  at -5.4 -4 1  size 4.6 0.1 1
        box   partition_b  at 5.4 -4 1   size 4.6 0.1 1
        box   DoorS        at 0 8 1      size 1 0.1 1
        plate far_switch_trigger__actor__second__open__DoorS__ at 0 -7 0 size 1 1 0.6
    )");
    // The partition runs across the room at y -4 with a 1.6 m opening.
    const LevelReport report = check(folder, {tile});
    EXPECT_FALSE(report.hasErrors()) << ::testing::PrintToString(errors(report));
    bool warned = false;
    for (const LevelProblem& problem : report.problems) {
        warned = warned || (!problem.isError &&
                            problem.node == "far_switch_trigger__actor__second__open__DoorS__" &&
                            problem.message.find("second sphere") != std::string::npos);
    }
    EXPECT_TRUE(warned);
    ASSERT_EQ(report.reach.size(), 2u);
    EXPECT_EQ(report.reach[1].switches, 2);
    EXPECT_EQ(report.reach[1].switchesReached, 1);
}

// The README's example, as a modelling tool writes a tile, is a whole level.
TEST(LevelCheck, TheExampleTileChecksAsALevelOfItsOwn) {
    const LevelReport report = checkLevel({{"Objects/examples/ExampleTile.dae", glm::vec3(0.0f)}});
    std::vector<std::string> lines;
    for (const LevelProblem& problem : report.problems) lines.push_back(problemLine(problem));
    EXPECT_TRUE(lines.empty()) << ::testing::PrintToString(lines);
    ASSERT_EQ(report.reach.size(), 2u);
    EXPECT_EQ(report.reach[0].goalsReached, 1);
}
