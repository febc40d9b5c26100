#include "audio/LoopVoices.h"

#include <AL/al.h>

#include <algorithm>

namespace velmora::audio {

namespace {

// Below this a sphere counts as at rest: a resting body still trembles by
// a hair, which must not hiss.
constexpr float kRestSpeed = 0.15f;
// The speed at which rolling is as loud as it gets.
constexpr float kLoudestSpeed = 6.0f;
// Metres from the mill beyond which its whir is gone.
constexpr float kMillHeardWithin = 16.0f;

void place(unsigned source, glm::vec3 at, float gain, float pitch) {
    alSource3f(source, AL_POSITION, at.x, at.y, at.z);
    alSourcef(source, AL_GAIN, gain);
    alSourcef(source, AL_PITCH, pitch);
}

}  // namespace

RollVoice rollVoice(const RollingSphere& sphere, bool large) {
    RollVoice voice;
    const float octave = large ? 0.5f : 1.0f;
    voice.pitch = octave * std::clamp(0.7f + 0.12f * sphere.speed, 0.7f, 1.6f);
    if (!sphere.touching || !(sphere.speed > kRestSpeed)) return voice;
    voice.loudness = std::min(1.0f, (sphere.speed - kRestSpeed) / (kLoudestSpeed - kRestSpeed));
    return voice;
}

LoopVoices::LoopVoices(const SoundBank& bank) {
    const Loop loops[kVoices] = {Loop::Roll, Loop::Roll, Loop::MagnetHum, Loop::MillWhir};
    // Rolling and the hum are heard across a room; the mill only near it.
    const float reference[kVoices] = {6.0f, 6.0f, 6.0f, 3.0f};
    const float rolloff[kVoices] = {1.0f, 1.0f, 1.0f, 1.0f};
    for (int v = 0; v < kVoices; ++v) {
        const unsigned buffer = bank.loop(loops[v]);
        if (buffer == 0) continue;
        ALuint source = 0;
        alGenSources(1, &source);
        if (alGetError() != AL_NO_ERROR) continue;
        alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
        alSourcei(source, AL_LOOPING, AL_TRUE);
        alSourcef(source, AL_REFERENCE_DISTANCE, reference[v]);
        alSourcef(source, AL_ROLLOFF_FACTOR, rolloff[v]);
        alSourcef(source, AL_GAIN, 0.0f);
        alSourcePlay(source);
        sources_[v] = source;
    }
}

LoopVoices::~LoopVoices() {
    for (unsigned& source : sources_) {
        if (source == 0) continue;
        alSourceStop(source);
        alDeleteSources(1, &source);
    }
}

void LoopVoices::follow(const SoundFrame& frame) {
    const RollVoice main = rollVoice(frame.mainSphere, false);
    const RollVoice second = rollVoice(frame.secondSphere, true);
    if (sources_[MainRoll] != 0) place(sources_[MainRoll], frame.mainSphere.position, main.loudness, main.pitch);
    if (sources_[SecondRoll] != 0) {
        place(sources_[SecondRoll], frame.secondSphere.position, second.loudness, second.pitch);
    }
    if (sources_[Hum] != 0) {
        // The closer the spheres, the higher the hum: up a fifth at touching.
        const float closeness = std::clamp(frame.magnetCloseness, 0.0f, 1.0f);
        place(sources_[Hum], frame.magnetAt, frame.magnetHolding ? 0.5f : 0.0f, 1.0f + 0.5f * closeness);
    }
    if (sources_[Mill] != 0) {
        // Heard near the mill only: fading out to nothing at kMillHeardWithin,
        // where distance alone would leave a faint whir across the level.
        const float distance = glm::length(frame.millAt - frame.listener.position);
        const float nearness = std::clamp(1.0f - distance / kMillHeardWithin, 0.0f, 1.0f);
        place(sources_[Mill], frame.millAt, frame.millTurning ? 0.8f * nearness : 0.0f, 1.0f);
    }
}

void LoopVoices::pause() {
    for (unsigned source : sources_) {
        if (source != 0) alSourcePause(source);
    }
}

void LoopVoices::resume() {
    for (unsigned source : sources_) {
        if (source != 0) alSourcePlay(source);
    }
}

}  // namespace velmora::audio
