#include "app/hud/WinScreen.h"

#include <cstdio>

#include "platform/KeyNames.h"
#include "sim/RunClock.h"

namespace velmora::app {

namespace {

constexpr int kHeadlineSize = 30;
constexpr int kFactSize = 25;
constexpr int kKeysSize = 20;

// "0:35": par times are whole seconds.
std::string parText(long steps) {
    const std::string text = runTimeText(steps);
    return text.substr(0, text.size() - 3);
}

}  // namespace

std::string bestComparisonText(long steps, long previousBestSteps) {
    const long difference = steps - previousBestSteps;
    const std::string best = "Best " + runTimeText(previousBestSteps) + ", ";
    if (difference == 0) return best + "the same time";
    const long hundredths = (difference < 0 ? -difference : difference) * 100 / 60;
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%ld.%02ld s ", hundredths / 100, hundredths % 100);
    return best + seconds + (difference < 0 ? "faster" : "slower");
}

int winHeadlineIndex(const WinFacts& facts) { return facts.level.empty() ? 0 : 1; }

std::vector<SizedLine> winLines(const WinFacts& facts) {
    std::vector<SizedLine> lines;
    if (!facts.level.empty()) lines.push_back({facts.level, kFactSize});
    lines.push_back({kWinHeadline, kHeadlineSize});
    std::string time = "Time " + runTimeText(facts.steps);
    if (facts.parSteps > 0) time += std::string(kGroupGap) + "Par " + parText(facts.parSteps);
    lines.push_back({time, kFactSize});
    if (facts.watching) {
        if (facts.bestSteps >= 0) lines.push_back({"Best " + runTimeText(facts.bestSteps), kFactSize});
    } else if (facts.previousBestSteps >= 0) {
        lines.push_back({bestComparisonText(facts.steps, facts.previousBestSteps), kFactSize});
    } else {
        lines.push_back({"First finish: the new best", kFactSize});
    }
    std::string keys;
    if (facts.nextLevelOpen && !facts.watching) keys = std::string("N: next level") + kGroupGap;
    keys += platform::keyName(facts.keys.of(KeyAction::restart)) + ": new run" + kGroupGap +
            platform::keyName(facts.keys.of(KeyAction::replay)) + ": watch it" + kGroupGap + "Esc: quit";
    lines.push_back({keys, kKeysSize});
    return lines;
}

}  // namespace velmora::app
