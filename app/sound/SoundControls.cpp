#include "app/sound/SoundControls.h"

#include "app/camera/Camera.h"
#include "app/sound/GameSounds.h"
#include "app/hud/Hud.h"
#include "app/shell/ShellState.h"
#include "audio/SoundSystem.h"
#include "platform/Window.h"
#include "world/RenderLogic.h"

namespace velmora::app {

void updateSound(ShellState& shell) {
    if (!shell.sound) return;
    audio::SoundSystem& sound = *shell.sound;
    // Taken on the frame it goes down: a held M switches once.
    const bool muteDown = platform::getKey(shell.settings.keys.of(KeyAction::mute)) == platform::PRESS;
    if (muteDown && !shell.muteKeyWasDown) {
        sound.setMuted(!sound.muted());
        showStatusMessage(sound.muted() ? "Sound off" : "Sound on");
        tickInterface(shell);
    }
    shell.muteKeyWasDown = muteDown;
    const float volume = static_cast<float>(shell.settings.volume) / 100.0f;
    if (sound.volume() != volume) sound.setVolume(volume);
    // The level's own ambient bed; tiles chosen outside the set have none.
    const bool inSet = shell.levelIndex >= 0 && shell.levelIndex < static_cast<int>(shell.levels.levels.size());
    sound.setAmbient(inSet ? shell.levels.levels[static_cast<size_t>(shell.levelIndex)].ambient : std::string());
    if (sound.paused() != shell.session.paused) {
        sound.setPaused(shell.session.paused);
        tickInterface(shell);
    }
}

void hearEvents(ShellState& shell, const std::vector<SimulationEvent>& events) {
    if (shell.sound) playEventSounds(*shell.sound, events);
}

void followSound(ShellState& shell) {
    if (shell.sound) shell.sound->update(soundFrame(shell.renderLogic->simulation(), shell.camera.matrix));
}

void tickInterface(ShellState& shell) {
    if (shell.sound) shell.sound->play(audio::Cue::Tick, glm::vec3(0.0f));
}

}  // namespace velmora::app
