// The settings file and the keys the player moves.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "LevelTestFiles.h"
#include "app/input/KeyBindings.h"
#include "app/input/MoveKeys.h"
#include "app/settings/SettingsFile.h"
#include "platform/KeyCodes.h"

using namespace velmora;
using namespace velmora::app;
using velmora::testing::readText;
using velmora::testing::TempFolder;

namespace {

// Every setting away from its default.
Settings changedSettings() {
    Settings s;
    s.fullScreen = false;
    s.vsync = false;
    s.renderScale = 50;
    s.autoScale = false;
    s.lowestRenderScale = 70;
    s.frameTarget = 33;
    s.windowWidth = 960;
    s.windowHeight = 540;
    s.windowX = -20;
    s.windowY = 90;
    s.shadows = false;
    s.culling = false;
    s.transparency = false;
    s.wireframe = true;
    s.filtering = 2;
    s.orbitSpeed = 120;
    s.invertTilt = true;
    s.keys.keys = {platform::KEY_UP, platform::KEY_LEFT, platform::KEY_DOWN, platform::KEY_RIGHT,
                   platform::KEY_BACKSPACE, ' ', '1', platform::KEY_KP_0 + 5, ';', 'N'};
    s.showTimer = false;
    s.showFrameTime = true;
    s.leaderboard = "http://127.0.0.1:8642/v1";
    s.playerName = "ann.b-2";
    s.volume = 35;
    return s;
}

}  // namespace

TEST(SettingsFile, RoundTripWritesOnlyChangesAndKeepsForeignLines) {
    TempFolder temp;
    const std::string path = temp.file("config/settings.ini");
    SettingsFile file(path);
    const Settings loaded = file.load();  // none yet: the defaults, and nothing written
    EXPECT_TRUE(file.saveIfChanged(loaded));
    EXPECT_FALSE(std::filesystem::exists(path));

    const Settings changed = changedSettings();
    EXPECT_TRUE(file.saveIfChanged(changed));
    const std::string text = readText(path);
    EXPECT_NE(text.find("\ndisplay = windowed\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nkey_forward = Up\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nkey_best_run = Keypad5\n"), std::string::npos) << text;
    SettingsFile again(path);
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(settingValues(again.load()), settingValues(changed));
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");

    // A hand edit: a comment, a newer game's key, a setting said twice. Read
    // and left alone until a setting changes, then kept in place.
    const std::string edited = "# mine\nfuture_thing = 3   # later\nvolume = 10\nvsync = on\nvolume = 20\n";
    temp.writeText("config/settings.ini", edited);
    SettingsFile edit(path);
    Settings settings = edit.load();
    EXPECT_EQ(settings.volume, 20);
    EXPECT_TRUE(edit.saveIfChanged(settings));
    EXPECT_EQ(readText(path), edited);
    settings.vsync = false;
    EXPECT_TRUE(edit.saveIfChanged(settings));
    const std::string rewritten = readText(path);
    EXPECT_EQ(rewritten.rfind("# mine\nfuture_thing = 3   # later\nvolume = 20\nvsync = off\ndisplay = fullscreen\n", 0), 0u)
        << rewritten;
}

TEST(SettingsFile, ABadLineIsNamedAndItsSettingKeepsItsDefault) {
    struct Case {
        std::string line;
        std::string warning;  // after "<path> line 2: "
    };
    const Case cases[] = {
        {"render_scale = 30", "render_scale: \"30\" is not a percentage from 50 to 100; keeps its default 100"},
        {"render_scale = 75%", "render_scale: \"75%\" is not a percentage from 50 to 100; keeps its default 100"},
        {"frame_target = 500", "frame_target: \"500\" is not a number of milliseconds from 0 (the display's refresh) to 100; keeps its default 0"},
        {"shadows = maybe", "shadows: \"maybe\" is not on or off; keeps its default on"},
        {"display =", "display: \"\" is not fullscreen or windowed; keeps its default fullscreen"},
        {"orbit_speed = 99999999999", "orbit_speed: \"99999999999\" is not a number of degrees a second from 10 to 200; keeps its default 50"},
        {"key_pause = F7", "key_pause: \"F7\" is not a key that may be bound (a letter, a digit, Space, Up, F10...); keeps its default P"},
        {"key_pause = Q", "key_pause: \"Q\" is not a key that may be bound (a letter, a digit, Space, Up, F10...); keeps its default P"},
        {"key_pause = Banana", "key_pause: \"Banana\" is not a key that may be bound (a letter, a digit, Space, Up, F10...); keeps its default P"},
        {"key_pause = W", "key_pause: W already does: push forward; keeps its default P"},
        {"shadows off", "shadows off: not a \"key = value\" line; skipped"},
        {"= on", "= on: not a \"key = value\" line; skipped"},
        {"leaderboard = ftp://host", "leaderboard: \"ftp://host\" is not an http:// or https:// address, or nothing (offline); keeps its default "},
        {"leaderboard = http://", "leaderboard: \"http://\" is not an http:// or https:// address, or nothing (offline); keeps its default "},
        {"player_name = ab", "player_name: \"ab\" is not 3 to 20 of A-Z a-z 0-9 _ . -; keeps its default "},
        {"player_name = ann b", "player_name: \"ann b\" is not 3 to 20 of A-Z a-z 0-9 _ . -; keeps its default "},
    };
    for (const Case& c : cases) {
        TempFolder temp;
        const std::string path = temp.file("settings.ini");
        temp.writeText("settings.ini", "volume = 40\n" + c.line + "\nwireframe = on\n");
        SettingsFile file(path);
        ::testing::internal::CaptureStdout();
        const Settings settings = file.load();
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), path + " line 2: " + c.warning + "\n") << c.line;
        Settings expected;
        expected.volume = 40;
        expected.wireframe = true;
        EXPECT_EQ(settingValues(settings), settingValues(expected)) << c.line;
    }
}

TEST(SettingsFile, AFileThatIsNotSettingsIsKeptAsideAndAFolderThatCantBeWrittenPlaysOn) {
    const std::string cases[] = {std::string("\x89PNG\r\n\x1a\n\0\0", 10),
                                 std::string(kMaxSettingsBytes + 1, '#')};
    const std::string reasons[] = {"not text", "over 64 KB"};
    for (int i = 0; i < 2; ++i) {
        TempFolder temp;
        const std::string path = temp.file("settings.ini");
        temp.writeText("settings.ini", cases[i]);
        SettingsFile file(path);
        ::testing::internal::CaptureStdout();
        Settings settings = file.load();
        EXPECT_EQ(::testing::internal::GetCapturedStdout(),
                  path + " is not a settings file (" + reasons[i] + "); kept it aside as " + path + ".bad.\n");
        EXPECT_EQ(readText(path + ".bad"), cases[i]);
        EXPECT_EQ(settingValues(settings), settingValues(Settings{}));
        settings.volume = 5;
        EXPECT_TRUE(file.saveIfChanged(settings));
        EXPECT_NE(readText(path).find("\nvolume = 5\n"), std::string::npos);
    }

    TempFolder temp;
    temp.writeText("not-a-folder", "x");
    const std::string path = temp.file("not-a-folder/vizazuv/settings.ini");
    SettingsFile file(path);
    Settings settings = file.load();
    ::testing::internal::CaptureStdout();
    for (int volume : {1, 2, 3}) {
        settings.volume = volume;
        EXPECT_FALSE(file.saveIfChanged(settings));
    }
    const std::string output = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(output.rfind("Cannot write to " + temp.file("not-a-folder/vizazuv") + ": ", 0), 0u) << output;
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
}

TEST(KeyBindings, RebindingMovesThePushAndRefusesAKeyInUse) {
    KeyBindings keys;
    const auto downIs = [](int down) { return [down](int key) { return key == down; }; };
    EXPECT_EQ(rebind(keys, KeyAction::forward, platform::KEY_UP), "");
    EXPECT_EQ(moveKeyDirection(downIs(platform::KEY_UP), keys), glm::vec3(0.0f, 0.0f, -1.0f));
    EXPECT_EQ(moveKeyDirection(downIs('W'), keys), std::nullopt);
    // Taken by another action, or fixed: refused with what it does, nothing moved.
    EXPECT_EQ(rebind(keys, KeyAction::left, platform::KEY_UP), "Up already does: push forward");
    EXPECT_EQ(rebind(keys, KeyAction::pause, 'R'), "R already does: restart");
    EXPECT_EQ(rebind(keys, KeyAction::pause, 'Q'), "Q is fixed: quit");
    EXPECT_EQ(rebind(keys, KeyAction::pause, platform::KEY_F7), "F7 is fixed: the option key for shadows");
    EXPECT_EQ(keys.of(KeyAction::left), 'A');
    EXPECT_EQ(keys.of(KeyAction::pause), 'P');
    // Its own key again is no clash; the freed W can be taken.
    EXPECT_EQ(rebind(keys, KeyAction::forward, platform::KEY_UP), "");
    EXPECT_EQ(rebind(keys, KeyAction::mute, 'W'), "");
}
