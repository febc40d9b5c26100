#include "app/shell/Startup.h"

#include <GL/glew.h>

#include "app/shell/ScreenSize.h"
#include "app/settings/SettingsApply.h"
#include "app/shell/ShellState.h"
#include "platform/Window.h"
#include "render/ShaderProgram.h"
#include "screen/FlatQuads.h"
#include "sim/ObjectRegistry.h"
#include "world/RenderLogic.h"
#include "screen/ScreenQuad.h"
#include "screen/TextRenderer.h"

namespace velmora::app {

namespace {

void buildWorld(ShellState& shell, const LevelEntry& level) {
    shell.objectRegistry = std::make_unique<ObjectRegistry>();
    shell.simulation = std::make_unique<Simulation>(*shell.objectRegistry->mainWorld(), level.tiles, level.places);
    shell.renderLogic = new RenderLogic(*shell.simulation, shell.options.render);
    shell.renderLogic->skyColours = level.sky;
    if (shell.shadowCube.texture != 0) shell.renderLogic->shadowCubeTexture = shell.shadowCube.texture;
    // The zoom is the player's, kept from level to level: the wheel's clicks
    // spent on a replay's speed go with the old run.
    shell.camera.zoomWheelOrigin += shell.session.wheelSpentOnSpeed;
    shell.session = PlaySession{};  // a new world starts a new run
    faceLevelStart(shell.camera, startYawDegrees(level));
    openArchive(shell.archive, level);
    shell.session.bestSteps = shell.archive.bestSteps;
    applySettings(shell);
}

void releaseWorld(ShellState& shell) {
    delete shell.renderLogic;  // the bursts and the programs
    shell.renderLogic = nullptr;
    shell.simulation.reset();  // the physics
    shell.objectRegistry.reset();  // every object of the level, with its GL buffers and textures
}

}  // namespace

void initialize(ShellState& shell, const LevelEntry& level) {
    platform::setWindowTitle("Vizazuv!");
    buildWorld(shell, level);
    shell.textRenderer = new TextRenderer(shell.screenWidth, shell.screenHeight);
}

void initialize(ShellState& shell, const std::vector<LevelTile>& tiles) {
    initialize(shell, levelOfTiles(tiles));
}

void switchLevel(ShellState& shell, const LevelEntry& level) {
    // The new level's tiles are read in forked children, which must not
    // start beside a thread still writing the last run's files.
    finishSaving(shell.archive);
    releaseWorld(shell);
    shell.options.gameWon = false;
    shell.watchedRun = Replay{};
    shell.watchedStep = 0;
    buildWorld(shell, level);
}

void createRenderTargets(ShellState& shell) {
    glClearColor(0.14f, 0.25f, 0.43f, 0.0f);
    glViewport(0, 0, shell.screenWidth, shell.screenHeight);
    glEnable(GL_DEPTH_TEST);  // on for the rest of the run

    shell.shadowCube = ShadowCubeMap::create();
    shell.renderLogic->shadowCubeTexture = shell.shadowCube.texture;
    setScreenSize(shell, shell.screenWidth, shell.screenHeight);

    shell.blurProgram = new ShaderProgram("Shader/Passthrough.vert", "Shader/GaussBlur.frag");
    shell.blurDownProgram = createBlurDownProgram();
    shell.blurUniforms = queryBlurUniforms(*shell.blurProgram, *shell.blurDownProgram);
    // The quad feeds the blur program's "position", so the program comes first.
    shell.screenQuad = new scene::ScreenQuad(shell.blurProgram);
}

void shutdown(ShellState& shell) {
    releaseWorld(shell);
    delete shell.blurProgram;
    shell.blurProgram = nullptr;
    delete shell.blurDownProgram;
    shell.blurDownProgram = nullptr;
    delete shell.textRenderer;
    shell.textRenderer = nullptr;
    releaseFullScreenTarget(shell.sceneTarget);
    releaseFullScreenTarget(shell.blurTarget);
    releaseFullScreenTarget(shell.scaledTarget);
    delete shell.flatQuads;
    shell.flatQuads = nullptr;
    // The cube map and the quad end with the context.
}

}  // namespace velmora::app
