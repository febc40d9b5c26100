#include "tests/gl/ShellFixture.h"

#include "app/ShellOptions.h"
#include "app/Startup.h"
#include "platform/Window.h"
#include "tests/gl/ChosenTile.h"
#include "tests/gl/EmptyWorld.h"
#include "tests/gl/GlContext.h"
#include "world/ObjectRegistry.h"
#include "world/PhysicsSetup.h"

namespace velmora::test {

void ShellFixture::SetUp() {
    platform::script::reset();
    platform::script::setClock([this] { return now; });
    app::setFirstValues();
    shell.screenWidth = contextWidth();
    shell.screenHeight = contextHeight();
    platform::script::setMousePos(shell.screenWidth / 2, 300);
    testing::internal::CaptureStdout();  // the world's creation line
    app::initialize(shell);
    testing::internal::GetCapturedStdout();
    // Counts, depths and pixels are checked against what each test puts in.
    if (!keepShippedLevel) removeLevel(world(), physicsScene);
    if (!chosenTile.empty()) importChosenTile(shell, chosenTile);
    app::createRenderTargets(shell);
}

void ShellFixture::TearDown() {
    app::shutdown(shell);
    platform::script::reset();
    app::setFirstValues();
}

World& ShellFixture::world() { return *shell.objectRegistry->mainWorld(); }

}  // namespace velmora::test
