#pragma once
// Which rules a run was checked under. Raise it with any change to the
// simulation, the physics or the level import that can move a recorded run
// off its course: a leaderboard then checks every run it keeps again under
// the new rules.

namespace velmora {

constexpr int kSimulationVersion = 1;

}  // namespace velmora
