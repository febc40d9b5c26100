#pragma once
// Mono 16-bit PCM WAV files: what tools/make_sounds writes into Sounds/ and
// the game reads back. Other layouts are refused, never guessed at.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velmora::audio {

struct MonoSound {
    int sampleRate = 44100;
    std::vector<int16_t> samples;
};

// The sound, or nothing with `problem` saying why (unreadable, not RIFF
// WAVE, not mono 16-bit PCM, cut short).
std::optional<MonoSound> readWav(const std::string& path, std::string& problem);
bool writeWav(const std::string& path, const MonoSound& sound);

}  // namespace velmora::audio
