#include "app/sound/SoundControls.h"

#include "app/camera/Camera.h"
#include "app/sound/GameSounds.h"
#include "app/hud/Hud.h"
#include "app/shell/ShellState.h"
#include "audio/SoundSystem.h"
#include "world/RenderLogic.h"

namespace velmora::app {

void updateSound(ShellState& shell) {
    if (!shell.sound) return;
    audio::SoundSystem& sound = *shell.sound;
    // Each press switches once, however long the key is held.
    const int presses = shell.input.takeKey(shell.settings.keys.of(KeyAction::mute));
    if (presses > 0) {
        if (presses % 2 == 1) sound.setMuted(!sound.muted());
        showStatusMessage(shell.options, sound.muted() ? "Sound off" : "Sound on");
        tickInterface(shell);
    }
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
