#pragma once
// The files of Sounds/, as tools/make_sounds writes them and the game reads
// them: one per cue, the loops that sound for as long as something lasts,
// and the levels' ambient beds.

#include <string>

#include "audio/SoundSystem.h"

namespace velmora::audio {

enum class Loop { Roll, MagnetHum, MillWhir };

constexpr int kCueCount = 8;
constexpr int kLoopCount = 3;
constexpr int kSoundSampleRate = 44100;

inline const char* cueFile(Cue cue) {
    static const char* const files[kCueCount] = {"switch_on.wav", "switch_off.wav", "door_slide.wav",
                                                 "knock.wav",     "chime.wav",      "hazard.wav",
                                                 "fanfare.wav",   "tick.wav"};
    return files[static_cast<int>(cue)];
}

inline const char* loopFile(Loop loop) {
    static const char* const files[kLoopCount] = {"roll.wav", "magnet_hum.wav", "mill_whir.wav"};
    return files[static_cast<int>(loop)];
}

// The bed a level names in Objects/levels.txt ("ambient NAME").
inline std::string ambientFile(const std::string& name) { return "ambient_" + name + ".wav"; }

}  // namespace velmora::audio
