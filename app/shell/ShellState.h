#pragma once
// The shell's process-wide state: created at start-up, lives until the end.

#include <optional>

#include "app/camera/Camera.h"
#include "app/input/FrameInput.h"
#include "app/menu/PauseMenu.h"
#include "app/online/RunSender.h"
#include "app/play/LevelIntro.h"
#include "app/play/PlaySession.h"
#include "app/play/RunArchive.h"
#include "app/shell/AutoRenderScale.h"
#include "app/settings/Settings.h"
#include "app/settings/SettingsFile.h"
#include "app/shell/ShellOptions.h"
#include "app/shell/ShadowCubeMap.h"
#include "audio/SoundSystem.h"
#include "screen/BlurPass.h"
#include "screen/FullScreenTarget.h"
#include "sim/ObjectRegistry.h"
#include "sim/Simulation.h"

namespace velmora {
class FlatQuads;
class RenderLogic;
class ShaderProgram;
class TextRenderer;
namespace scene {
class ScreenQuad;
}
}  // namespace velmora

namespace velmora::app {

struct ShellState {
    int screenWidth = 0;   // the window's pixels
    int screenHeight = 0;
    int sceneWidth = 0;    // the scene and blur targets': the render scale's share of the window's
    int sceneHeight = 0;
    std::unique_ptr<ObjectRegistry> objectRegistry;
    // The level's rules and motion: the game steps it, the renderer reads it.
    std::unique_ptr<Simulation> simulation;
    RenderLogic* renderLogic = nullptr;
    TextRenderer* textRenderer = nullptr;
    ShadowCubeMap shadowCube;
    FullScreenTarget sceneTarget;
    FullScreenTarget blurTarget;    // half the scene target's size: the post-process's first pass
    FullScreenTarget scaledTarget;  // the blurred scene at a render scale below 100 %
    ShaderProgram* blurProgram = nullptr;
    ShaderProgram* blurDownProgram = nullptr;
    BlurUniforms blurUniforms;
    scene::ScreenQuad* screenQuad = nullptr;
    CameraState camera;
    ShellOptions options;  // the option keys' flags and the HUD's state, kept across levels
    PlaySession session;
    LevelSet levels;      // the set being played through, in play order
    int levelIndex = -1;  // the level played, in levels; -1: chosen tiles outside the set
    // Each level of the set opens with its card and the flight from the goal
    // (the game's own window; tests and the autopilot go straight to play).
    bool showLevelIntros = false;
    LevelIntro intro;
    bool levelChanged = false;  // another level was loaded this frame (its loading is no game time)
    RunArchive archive;
    Replay watchedRun;      // what is shown while session.watching
    size_t watchedStep = 0;  // the next of its steps
    Settings settings;
    // Moves the render scale with the frame time; none while the settings
    // fix the scale, and in tests that draw at a scale of their own.
    std::optional<AutoRenderScale> autoScale;
    SettingsFile settingsFile;  // where they are kept; none for tests and the autopilot
    PauseMenu menu;
    FlatQuads* flatQuads = nullptr;  // the menu's panels, made when first drawn
    bool quitRequested = false;      // the menu's Quit was chosen
    std::unique_ptr<audio::SoundSystem> sound;  // null: no sound at all (tests)
    FrameInput input;  // this frame's presses, taken by whatever is on top
    // Sends finished runs and fetches the tables while a leaderboard is set
    // (app/online/); null offline, and in tests and the autopilot unless
    // they keep runs as a player's.
    std::unique_ptr<RunSender> leaderboard;

    // What the post-process needs each frame, from the fields above.
    BlurSetup blurSetup() const;
};

}  // namespace velmora::app
