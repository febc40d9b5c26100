#include "tests/gl/EmptyWorld.h"

#include "world/RenderLogic.h"

namespace velmora::test {

void removeLevel(World& world, Simulation& simulation, RenderLogic& logic) {
    removeLevel(world, simulation);
    logic.transparentObjects.clear();
}

}  // namespace velmora::test
