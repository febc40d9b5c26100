#pragma once
// The shell's process-wide state: created at start-up, lives until the end.

#include "app/PlaySession.h"
#include "app/RunArchive.h"
#include "app/ShadowCubeMap.h"
#include "audio/SoundSystem.h"
#include "screen/BlurPass.h"
#include "screen/FullScreenTarget.h"

namespace velmora {
class ObjectRegistry;
class RenderLogic;
class ShaderProgram;
class TextRenderer;
namespace scene {
class ScreenQuad;
}
}  // namespace velmora

namespace velmora::app {

struct ShellState {
    int screenWidth = 0;
    int screenHeight = 0;
    ObjectRegistry* objectRegistry = nullptr;
    RenderLogic* renderLogic = nullptr;
    TextRenderer* textRenderer = nullptr;
    ShadowCubeMap shadowCube;
    FullScreenTarget sceneTarget;
    FullScreenTarget blurTarget;
    ShaderProgram* blurProgram = nullptr;
    BlurUniforms blurUniforms;
    scene::ScreenQuad* screenQuad = nullptr;
    PlaySession session;
    RunArchive archive;
    Replay watchedRun;      // what is shown while session.watching
    size_t watchedStep = 0;  // the next of its steps
    std::unique_ptr<audio::SoundSystem> sound;  // null: no sound at all (tests)
    bool muteKeyWasDown = false;

    // What the post-process needs each frame, from the fields above.
    BlurSetup blurSetup() const;
};

}  // namespace velmora::app
