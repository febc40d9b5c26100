#include "world/RunClock.h"

#include <algorithm>

namespace velmora {

bool startsRunClock(const StepInput& input) { return input.push != glm::vec3(0.0f) || !input.coupled; }

long clockedSteps(const std::vector<StepInput>& inputs) {
    const auto first = std::find_if(inputs.begin(), inputs.end(), startsRunClock);
    return static_cast<long>(inputs.end() - first);
}

}  // namespace velmora
