#pragma once
// settings.ini as text: "key = value" lines, '#' starts a comment. Reading is
// tolerant: a line it cannot use is warned about and that setting keeps its
// default; comments, blank lines and keys it does not know (a newer game's)
// are kept in their place when the file is written again.

#include <cstddef>
#include <string>
#include <vector>

#include "app/settings/Settings.h"

namespace velmora::app {

constexpr std::size_t kMaxSettingsBytes = 64 * 1024;

struct SettingsText {
    struct Line {
        std::string key;  // a setting's key: written with its current value; empty: as it was
        std::string text;
    };
    std::vector<Line> lines;  // in file order
};

// warnings: one line each, "<fileName> line N: <key>: ...".
Settings parseSettings(const std::string& text, const std::string& fileName, SettingsText& kept,
                       std::vector<std::string>& warnings);

// The kept lines with every setting's current value, then the settings the
// file did not hold yet; a file of no lines gets a heading and a comment per
// group.
std::string formatSettings(const Settings& settings, const SettingsText& kept);

// Every setting as its file value, in one fixed order: two settings are the
// same when these are.
std::vector<std::string> settingValues(const Settings& settings);

}  // namespace velmora::app
