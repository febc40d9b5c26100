#include "app/settings/SettingsText.h"

#include "platform/TextLines.h"

#include <cctype>
#include <map>

#include "app/online/LeaderboardSettings.h"
#include "platform/KeyNames.h"

namespace velmora::app {

namespace {

struct Field {
    const char* key;
    const char* group;  // the comment above its group in a new file; null inside a group
    std::string (*write)(const Settings&);
    bool (*read)(const std::string& value, Settings&);  // false: the value can't be used
    const char* expected;
};

std::string lowered(const std::string& text) {
    std::string result = text;
    for (char& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

bool readWord(const std::string& value, const char* first, const char* second, bool& isFirst) {
    const std::string word = lowered(value);
    if (word == first) {
        isFirst = true;
    } else if (word == second) {
        isFirst = false;
    } else {
        return false;
    }
    return true;
}

// A whole number within [lowest, highest], optionally negative.
bool readNumber(const std::string& value, int lowest, int highest, int& number) {
    std::size_t i = value.size() > 0 && value[0] == '-' ? 1 : 0;
    if (i == value.size() || value.size() - i > 7) return false;
    long result = 0;
    for (; i < value.size(); ++i) {
        if (value[i] < '0' || value[i] > '9') return false;
        result = result * 10 + (value[i] - '0');
    }
    if (value[0] == '-') result = -result;
    if (result < lowest || result > highest) return false;
    number = static_cast<int>(result);
    return true;
}

template <bool Settings::*member>
std::string writeFlag(const Settings& s) { return s.*member ? "on" : "off"; }
template <bool Settings::*member>
bool readFlag(const std::string& value, Settings& s) { return readWord(value, "on", "off", s.*member); }

template <int Settings::*member>
std::string writeNumber(const Settings& s) { return std::to_string(s.*member); }
template <int Settings::*member, int lowest, int highest>
bool readRange(const std::string& value, Settings& s) {
    return readNumber(value, lowest, highest, s.*member);
}

template <int action>
std::string writeKey(const Settings& s) { return platform::keyName(s.keys.keys[action]); }
template <int action>
bool readKey(const std::string& value, Settings& s) {
    const int key = platform::keyFromName(value);
    if (key < 0 || !fixedKeyUse(key).empty()) return false;
    s.keys.keys[action] = key;
    return true;
}

template <std::string Settings::*member>
std::string writeText(const Settings& s) { return s.*member; }
bool readAddress(const std::string& value, Settings& s) {
    if (!value.empty() && !validLeaderboardAddress(value)) return false;
    s.leaderboard = value;
    return true;
}
bool readPlayerName(const std::string& value, Settings& s) {
    if (!value.empty() && !validPlayerName(value)) return false;
    s.playerName = value;
    return true;
}

std::string writeDisplay(const Settings& s) { return s.fullScreen ? "fullscreen" : "windowed"; }
bool readDisplay(const std::string& value, Settings& s) {
    return readWord(value, "fullscreen", "windowed", s.fullScreen);
}

const char* const kFilterNames[3] = {"trilinear", "nearest_mipmap", "nearest"};
std::string writeFiltering(const Settings& s) { return kFilterNames[s.filtering == 1 || s.filtering == 2 ? s.filtering : 0]; }
bool readFiltering(const std::string& value, Settings& s) {
    for (int mode = 0; mode < 3; ++mode) {
        if (lowered(value) == kFilterNames[mode]) {
            s.filtering = mode;
            return true;
        }
    }
    return false;
}

constexpr const char* kOnOff = "on or off";
constexpr const char* kKeyName = "a key that may be bound (a letter, a digit, Space, Up, F10...)";
constexpr int kFarPosition = 100000;

const Field kFields[] = {
    {"display", "Display: fullscreen (at the desktop size) or windowed", writeDisplay,
     readDisplay, "fullscreen or windowed"},
    {"vsync", nullptr, writeFlag<&Settings::vsync>, readFlag<&Settings::vsync>, kOnOff},
    {"render_scale", nullptr, writeNumber<&Settings::renderScale>,
     readRange<&Settings::renderScale, kLowestRenderScale, kHighestRenderScale>,
     "a percentage from 50 to 100"},
    {"auto_scale", nullptr, writeFlag<&Settings::autoScale>, readFlag<&Settings::autoScale>, kOnOff},
    {"lowest_render_scale", nullptr, writeNumber<&Settings::lowestRenderScale>,
     readRange<&Settings::lowestRenderScale, kLowestRenderScale, kHighestRenderScale>,
     "a percentage from 50 to 100"},
    {"frame_target", nullptr, writeNumber<&Settings::frameTarget>,
     readRange<&Settings::frameTarget, 0, kLongestFrameTarget>,
     "a number of milliseconds from 0 (the display's refresh) to 100"},
    {"window_width", nullptr, writeNumber<&Settings::windowWidth>,
     readRange<&Settings::windowWidth, 0, 32768>, "a width in pixels (0: not opened yet)"},
    {"window_height", nullptr, writeNumber<&Settings::windowHeight>,
     readRange<&Settings::windowHeight, 0, 32768>, "a height in pixels (0: not opened yet)"},
    {"window_x", nullptr, writeNumber<&Settings::windowX>,
     readRange<&Settings::windowX, -kFarPosition, kFarPosition>, "a position in pixels"},
    {"window_y", nullptr, writeNumber<&Settings::windowY>,
     readRange<&Settings::windowY, -kFarPosition, kFarPosition>, "a position in pixels"},
    {"shadows", "Graphics: what the option keys F3, F5, F7, F8 and F9 switch",
     writeFlag<&Settings::shadows>, readFlag<&Settings::shadows>, kOnOff},
    {"culling", nullptr, writeFlag<&Settings::culling>, readFlag<&Settings::culling>, kOnOff},
    {"transparency", nullptr, writeFlag<&Settings::transparency>,
     readFlag<&Settings::transparency>, kOnOff},
    {"wireframe", nullptr, writeFlag<&Settings::wireframe>, readFlag<&Settings::wireframe>, kOnOff},
    {"filtering", nullptr, writeFiltering, readFiltering, "trilinear, nearest_mipmap or nearest"},
    {"orbit_speed", "Controls: the camera's turn in degrees a second, and the keys",
     writeNumber<&Settings::orbitSpeed>, readRange<&Settings::orbitSpeed, 10, 200>,
     "a number of degrees a second from 10 to 200"},
    {"invert_tilt", nullptr, writeFlag<&Settings::invertTilt>, readFlag<&Settings::invertTilt>,
     kOnOff},
    {"key_forward", nullptr, writeKey<0>, readKey<0>, kKeyName},
    {"key_left", nullptr, writeKey<1>, readKey<1>, kKeyName},
    {"key_back", nullptr, writeKey<2>, readKey<2>, kKeyName},
    {"key_right", nullptr, writeKey<3>, readKey<3>, kKeyName},
    {"key_restart", nullptr, writeKey<4>, readKey<4>, kKeyName},
    {"key_pause", nullptr, writeKey<5>, readKey<5>, kKeyName},
    {"key_replay", nullptr, writeKey<6>, readKey<6>, kKeyName},
    {"key_best_run", nullptr, writeKey<7>, readKey<7>, kKeyName},
    {"key_ghost", nullptr, writeKey<8>, readKey<8>, kKeyName},
    {"key_mute", nullptr, writeKey<9>, readKey<9>, kKeyName},
    {"show_timer", "HUD", writeFlag<&Settings::showTimer>, readFlag<&Settings::showTimer>, kOnOff},
    {"show_frame_time", nullptr, writeFlag<&Settings::showFrameTime>,
     readFlag<&Settings::showFrameTime>, kOnOff},
    {"volume", "Sound: percent", writeNumber<&Settings::volume>,
     readRange<&Settings::volume, 0, 100>, "a percentage from 0 to 100"},
    {"leaderboard", "Leaderboard: its address (scripts/serve prints it; empty: offline) and your name there",
     writeText<&Settings::leaderboard>, readAddress, "an http:// or https:// address, or nothing (offline)"},
    {"player_name", nullptr, writeText<&Settings::playerName>, readPlayerName,
     "3 to 20 of A-Z a-z 0-9 _ . -"},
};

const Field* fieldOf(const std::string& key) {
    for (const Field& field : kFields) {
        if (key == field.key) return &field;
    }
    return nullptr;
}

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string lineLabel(const std::string& fileName, std::size_t index) {
    return fileName + " line " + std::to_string(index + 1) + ": ";
}

// Two actions on one key: the later line's action keeps its default, and
// where even that is taken every key goes back to its default.
void settleSharedKeys(Settings& settings, const std::map<int, std::size_t>& keyLines,
                      const std::string& fileName, std::vector<std::string>& warnings) {
    const KeyBindings defaults;
    for (const auto& [action, line] : keyLines) {
        for (int other = 0; other < kKeyActionCount; ++other) {
            if (other == action || settings.keys.keys[other] != settings.keys.keys[action]) continue;
            const auto otherLine = keyLines.find(other);
            if (otherLine != keyLines.end() && otherLine->second > line) continue;  // that one yields
            warnings.push_back(lineLabel(fileName, line) +
                               actionSettingKey(static_cast<KeyAction>(action)) + ": " +
                               platform::keyName(settings.keys.keys[action]) + " already does: " +
                               actionName(static_cast<KeyAction>(other)) +
                               "; keeps its default " + platform::keyName(defaults.keys[action]));
            settings.keys.keys[action] = defaults.keys[action];
            break;
        }
    }
    for (int a = 0; a < kKeyActionCount; ++a) {
        for (int b = a + 1; b < kKeyActionCount; ++b) {
            if (settings.keys.keys[a] != settings.keys.keys[b]) continue;
            warnings.push_back(fileName + ": two actions share a key; every key is back to its default");
            settings.keys = defaults;
            return;
        }
    }
}

}  // namespace

Settings parseSettings(const std::string& text, const std::string& fileName, SettingsText& kept,
                       std::vector<std::string>& warnings) {
    Settings settings;
    kept.lines.clear();
    std::map<int, std::size_t> keyLines;  // action -> the line that bound it
    const std::vector<std::string> lines = platform::splitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const std::string content = trimmed(line.substr(0, line.find('#')));
        const std::size_t equals = content.find('=');
        const std::string key = trimmed(content.substr(0, equals));
        const Field* field = equals == std::string::npos ? nullptr : fieldOf(key);
        kept.lines.push_back({field ? key : std::string(), line});
        if (content.empty()) continue;
        if (equals == std::string::npos || key.empty()) {
            warnings.push_back(lineLabel(fileName, i) + (key.empty() ? content : key) +
                               ": not a \"key = value\" line; skipped");
            continue;
        }
        if (!field) continue;  // a newer game's setting: kept as it is
        const std::string value = trimmed(content.substr(equals + 1));
        Settings read = settings;
        if (!field->read(value, read)) {
            warnings.push_back(lineLabel(fileName, i) + key + ": \"" + value + "\" is not " +
                               field->expected + "; keeps its default " +
                               field->write(Settings{}));
            continue;
        }
        settings = read;
        for (int action = 0; action < kKeyActionCount; ++action) {
            if (key == actionSettingKey(static_cast<KeyAction>(action))) keyLines[action] = i;
        }
    }
    settleSharedKeys(settings, keyLines, fileName, warnings);
    return settings;
}

std::string formatSettings(const Settings& settings, const SettingsText& kept) {
    std::string text;
    std::map<std::string, bool> written;
    if (kept.lines.empty()) {
        text = "# Vizazuv settings: one \"key = value\" a line; '#' starts a comment.\n"
               "# The game rewrites this file when a setting changes and keeps other lines.\n";
    }
    for (const SettingsText::Line& line : kept.lines) {
        if (line.key.empty()) {
            text += line.text + "\n";
        } else if (!written[line.key]) {
            // A key the file held twice is written once, where it first stood.
            text += line.key + " = " + fieldOf(line.key)->write(settings) + "\n";
            written[line.key] = true;
        }
    }
    for (const Field& field : kFields) {
        if (written[field.key]) continue;
        if (kept.lines.empty() && field.group) text += std::string("\n# ") + field.group + "\n";
        text += std::string(field.key) + " = " + field.write(settings) + "\n";
    }
    return text;
}

std::vector<std::string> settingValues(const Settings& settings) {
    std::vector<std::string> values;
    for (const Field& field : kFields) values.push_back(field.write(settings));
    return values;
}

}  // namespace velmora::app
