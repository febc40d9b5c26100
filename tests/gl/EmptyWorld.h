#pragma once
// Tests of the renderer and the frame loop count drawn shapes and read depth
// and colour at fixed places, so they start from a main world without the
// shipped level that the simulation imports on construction.

#include "tests/unit/SimScenery.h"

namespace velmora {
class RenderLogic;

namespace test {

// removeLevel of the simulation's world, and the renderer forgets its
// see-through list with it.
void removeLevel(World& world, Simulation& simulation, RenderLogic& logic);

}  // namespace test
}  // namespace velmora
