#include "app/hud/HelpText.h"

#include "app/input/OptionKeyTable.h"
#include "platform/KeyNames.h"
#include "screen/TextFit.h"

namespace velmora::app {

namespace {

std::string keyOf(const KeyBindings& keys, KeyAction action) { return platform::keyName(keys.of(action)); }

}  // namespace

std::vector<std::vector<HelpEntry>> helpGroups(const KeyBindings& keys) {
    const std::string pushes = keyOf(keys, KeyAction::forward) + " " + keyOf(keys, KeyAction::left) + " " +
                               keyOf(keys, KeyAction::back) + " " + keyOf(keys, KeyAction::right);
    std::vector<std::vector<HelpEntry>> groups = {
        {{pushes, "roll the sphere, relative to the camera"},
         {"Arrows, screen edges", "turn the camera"},
         {"Wheel", "zoom"}},
        {{"Left button", "couple: pull the big sphere (gap under 0.5 m)"},
         {"Right button", "uncouple: push it away"}},
    };
    std::vector<HelpEntry> run;
    for (int action = static_cast<int>(KeyAction::restart); action < kKeyActionCount; ++action) {
        run.push_back({keyOf(keys, static_cast<KeyAction>(action)), actionName(static_cast<KeyAction>(action))});
        if (static_cast<KeyAction>(action) == KeyAction::pause) run.push_back({"N", "next level, after the goal"});
    }
    run.push_back({"+ and -", "replay speed"});
    run.push_back({"F11, Alt+Enter", "full screen"});
    run.push_back({"Escape, Q", "quit"});
    groups.push_back(run);
    std::vector<HelpEntry> options;
    for (const OptionKeyUse& use : optionKeyUses()) options.push_back({platform::keyName(use.key), use.name});
    groups.push_back(options);
    return groups;
}

std::vector<std::string> helpLines(const KeyBindings& keys) {
    std::vector<std::string> lines = {"Aim: switches open doors; reach the chequered goal"};
    for (const std::vector<HelpEntry>& group : helpGroups(keys)) {
        std::string line;
        for (const HelpEntry& entry : group) {
            if (!line.empty()) line += kGroupGap;
            line += entry.keys + ": " + entry.does;
        }
        lines.push_back(line);
    }
    return lines;
}

}  // namespace velmora::app
