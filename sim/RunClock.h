#pragma once
// The run's clock starts with the player's first act in the run, not at the
// load: a push, or the magnet set to push. Setting it back to pull counts
// too, but only after a push of it, since the run starts pulling and a pull
// then changes nothing. The steps before run as any others (the mill turns,
// the spheres settle) and are recorded, so a replay plays them again; only
// the time shown and kept leaves them out.

#include <string>
#include <vector>

#include "sim/StepInput.h"

namespace velmora {

bool startsRunClock(const StepInput& input);

// The steps of a recorded run that its clock counted.
long clockedSteps(const std::vector<StepInput>& inputs);

// A run's time as the player reads it, "m:ss.cc", from its steps of 1/60 s
// (hundredths cut, not rounded, so a time never shows as reached too early).
std::string runTimeText(long steps);

}  // namespace velmora
