#include "tests/gl/ShellFixture.h"

#include "app/hud/ScreenOverlay.h"
#include "app/shell/Startup.h"
#include "platform/Window.h"
#include "tests/gl/EmptyWorld.h"
#include "tests/gl/GlContext.h"
#include "sim/ObjectRegistry.h"
#include "sim/PhysicsSetup.h"
#include "app/camera/Camera.h"
#include "world/RenderLogic.h"

namespace velmora::test {

void ShellFixture::SetUp() {
    platform::script::reset();
    platform::script::setClock([this] { return now; });
    app::clearScreenOverlay();
    app::resetCamera(shell.camera);  // a test that starts again starts as a new game
    shell.screenWidth = contextWidth();
    shell.screenHeight = contextHeight();
    platform::script::setMousePos(shell.screenWidth / 2, 300);
    testing::internal::CaptureStdout();  // the world's creation line
    if (chosenLevel) {
        app::initialize(shell, *chosenLevel);
    } else if (chosenTiles.empty()) {
        app::initialize(shell);
    } else {
        std::vector<LevelTile> tiles;
        for (const std::string& file : chosenTiles) tiles.push_back({file, levelTileOffset(file)});
        app::initialize(shell, tiles);
    }
    testing::internal::GetCapturedStdout();
    // Counts, depths and pixels are checked against what each test puts in.
    if (!keepShippedLevel && chosenTiles.empty() && !chosenLevel) removeLevel(world(), *shell.simulation, *shell.renderLogic);
    app::createRenderTargets(shell);
}

void ShellFixture::TearDown() {
    app::shutdown(shell);
    platform::script::reset();
    app::clearScreenOverlay();
}

World& ShellFixture::world() { return *shell.objectRegistry->mainWorld(); }

}  // namespace velmora::test
