#include "tests/gl/ChosenTile.h"

#include "app/ShellState.h"
#include "level/LevelCheck.h"
#include "level/LevelLoader.h"
#include "physics/Physics.h"
#include "world/ObjectRegistry.h"
#include "world/PhysicsSetup.h"
#include "world/RenderLogic.h"

namespace velmora::test {

void importChosenTile(app::ShellState& shell, const std::string& file) {
    RenderLogic& logic = *shell.renderLogic;
    World& world = *shell.objectRegistry->mainWorld();
    LevelSetup setup;
    setup.physics = logic.physics;
    // Cooked meshes belong to the physics; the cooking is done with after the import.
    setup.cooking = physics::createCooking(logic.physics);
    setup.scene = physicsScene;
    setup.programs = {logic.phongProgram, logic.textureProgram, logic.shadowProgram};
    setup.callbacks = {logic.winCallback, logic.resetCallback};
    {
        LevelLoader loader(setup, world);
        loader.importTile(file, world.root, levelTileOffset(file));
    }
    if (setup.cooking != nullptr) setup.cooking->release();
}

}  // namespace velmora::test
