#include "sim/RunClock.h"

#include <cstdio>

#include <algorithm>

namespace velmora {

bool startsRunClock(const StepInput& input) { return input.push != glm::vec3(0.0f) || !input.coupled; }

long clockedSteps(const std::vector<StepInput>& inputs) {
    const auto first = std::find_if(inputs.begin(), inputs.end(), startsRunClock);
    return static_cast<long>(inputs.end() - first);
}

std::string runTimeText(long steps) {
    const long hundredths = steps < 0 ? 0 : steps * 100 / 60;
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld.%02ld", hundredths / 6000, hundredths / 100 % 60,
                  hundredths % 100);
    return text;
}

}  // namespace velmora
