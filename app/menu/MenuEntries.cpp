#include "app/menu/MenuEntries.h"

#include <algorithm>

#include "app/settings/SettingNames.h"
#include "platform/KeyNames.h"

namespace velmora::app {

namespace {

const char* onOff(bool on) { return on ? "on" : "off"; }

// A number stepped within [lowest, highest]; chosen at its end it wraps round.
void stepNumber(int& value, int step, int lowest, int highest, int by, bool chosen) {
    const int next = value + step * by;
    if (chosen && next > highest) {
        value = lowest;
    } else {
        value = std::clamp(next, lowest, highest);
    }
}

struct Entry {
    const char* label;
    std::string (*value)(const Settings&);
    SettingEffect (*change)(Settings&, int step, bool chosen);
};

template <bool Settings::*member, SettingEffect effect>
SettingEffect flip(Settings& s, int, bool) {
    s.*member = !(s.*member);
    return effect;
}
template <bool Settings::*member>
std::string flag(const Settings& s) { return onOff(s.*member); }

const Entry kEntries[] = {
    {"Display", [](const Settings& s) { return std::string(s.fullScreen ? "full screen" : "window"); },
     flip<&Settings::fullScreen, SettingEffect::display>},
    {"Vsync", flag<&Settings::vsync>, flip<&Settings::vsync, SettingEffect::vsync>},
    {"Render scale", [](const Settings& s) { return std::to_string(s.renderScale) + " %"; },
     [](Settings& s, int step, bool chosen) {
         stepNumber(s.renderScale, step, kLowestRenderScale, kHighestRenderScale, 10, chosen);
         return SettingEffect::renderScale;
     }},
    {"Automatic scale", flag<&Settings::autoScale>, flip<&Settings::autoScale, SettingEffect::renderScale>},
    {"Lowest scale", [](const Settings& s) { return std::to_string(s.lowestRenderScale) + " %"; },
     [](Settings& s, int step, bool chosen) {
         stepNumber(s.lowestRenderScale, step, kLowestRenderScale, kHighestRenderScale, 10, chosen);
         return SettingEffect::renderScale;
     }},
    {"Frame target",
     [](const Settings& s) {
         return s.frameTarget == 0 ? std::string("display") : std::to_string(s.frameTarget) + " ms";
     },
     [](Settings& s, int step, bool chosen) {
         stepNumber(s.frameTarget, step, 0, kLongestFrameTarget, 5, chosen);
         return SettingEffect::renderScale;
     }},
    {settingName::shadows, flag<&Settings::shadows>, flip<&Settings::shadows, SettingEffect::options>},
    {settingName::culling, flag<&Settings::culling>, flip<&Settings::culling, SettingEffect::options>},
    {settingName::transparency, flag<&Settings::transparency>,
     flip<&Settings::transparency, SettingEffect::options>},
    {settingName::wireframe, flag<&Settings::wireframe>, flip<&Settings::wireframe, SettingEffect::options>},
    {settingName::filtering, [](const Settings& s) { return std::string(settingName::filteringModes[std::clamp(s.filtering, 0, 2)]); },
     [](Settings& s, int step, bool) {
         s.filtering = (s.filtering + step + 3) % 3;
         return SettingEffect::options;
     }},
    {"Orbit speed", [](const Settings& s) { return std::to_string(s.orbitSpeed); },
     [](Settings& s, int step, bool chosen) {
         stepNumber(s.orbitSpeed, step, 10, 200, 10, chosen);
         return SettingEffect::none;
     }},
    {"Invert tilt", flag<&Settings::invertTilt>, flip<&Settings::invertTilt, SettingEffect::none>},
    {"Run timer", flag<&Settings::showTimer>, flip<&Settings::showTimer, SettingEffect::none>},
    {settingName::frameTime, flag<&Settings::showFrameTime>,
     flip<&Settings::showFrameTime, SettingEffect::options>},
    {"Volume", [](const Settings& s) { return std::to_string(s.volume) + " %"; },
     [](Settings& s, int step, bool chosen) {
         stepNumber(s.volume, step, 0, 100, 10, chosen);
         return SettingEffect::none;
     }},
    // Typed, not stepped: the menu shows them, settings.ini sets them.
    {"Leaderboard", [](const Settings& s) { return s.leaderboard.empty() ? std::string("offline") : s.leaderboard; },
     [](Settings&, int, bool chosen) { return chosen ? SettingEffect::typedInFile : SettingEffect::none; }},
    {"Player name", [](const Settings& s) { return s.playerName.empty() ? std::string("none") : s.playerName; },
     [](Settings&, int, bool chosen) { return chosen ? SettingEffect::typedInFile : SettingEffect::none; }},
};
constexpr int kSettingEntries = static_cast<int>(sizeof kEntries / sizeof kEntries[0]);

}  // namespace

const std::vector<PauseChoice>& pauseChoices() {
    static const std::vector<PauseChoice> choices = {PauseChoice::resume, PauseChoice::restart,
                                                     PauseChoice::settings, PauseChoice::levels,
                                                     PauseChoice::quit};
    return choices;
}

const char* pauseChoiceText(PauseChoice choice) {
    switch (choice) {
    case PauseChoice::resume: return "Resume";
    case PauseChoice::restart: return "Restart";
    case PauseChoice::settings: return "Settings";
    case PauseChoice::levels: return "Levels";
    case PauseChoice::quit: return "Quit";
    }
    return "";
}

int settingsEntryCount() { return kSettingEntries + kKeyActionCount + 1; }

std::optional<KeyAction> keyEntryAction(int entry) {
    const int action = entry - kSettingEntries;
    if (action < 0 || action >= kKeyActionCount) return std::nullopt;
    return static_cast<KeyAction>(action);
}

std::string settingsEntryText(const Settings& settings, int entry) {
    if (entry >= 0 && entry < kSettingEntries) {
        return std::string(kEntries[entry].label) + ": " + kEntries[entry].value(settings);
    }
    if (const auto action = keyEntryAction(entry)) {
        return "Key to " + std::string(actionName(*action)) + ": " +
               platform::keyName(settings.keys.of(*action));
    }
    return "Back";
}

SettingEffect changeSetting(Settings& settings, int entry, int step, bool chosen) {
    if (entry >= 0 && entry < kSettingEntries) return kEntries[entry].change(settings, step, chosen);
    if (keyEntryAction(entry)) return chosen ? SettingEffect::waitForKey : SettingEffect::none;
    return chosen ? SettingEffect::back : SettingEffect::none;
}

}  // namespace velmora::app
