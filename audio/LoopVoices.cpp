#include "audio/LoopVoices.h"

#include <AL/al.h>

#include <algorithm>

namespace velmora::audio {

namespace {

// Below this a sphere counts as at rest: a resting body still trembles by
// a hair, which must not rumble.
constexpr float kRestSpeed = 0.15f;
// The speed at which rolling is as loud as it gets.
constexpr float kLoudestSpeed = 6.0f;
// Metres from the mill beyond which its whir is gone.
constexpr float kMillHeardWithin = 16.0f;
// The lasting sounds' levels, set against the cues (made near full scale)
// so that a click, a door or a firm knock stands 12 dB or more over them:
// about -40 dBFS for rolling at a brisk pace, the hum and the whir near by.
constexpr float kRollingLevel = 0.17f;
constexpr float kHumLevel = 0.1f;
constexpr float kMillLevel = 0.13f;

}  // namespace

RollVoice rollVoice(const RollingSphere& sphere, bool large) {
    RollVoice voice;
    const float octave = large ? 0.5f : 1.0f;
    voice.pitch = octave * std::clamp(0.8f + 0.075f * sphere.speed, 0.8f, 1.25f);
    if (!sphere.touching || !(sphere.speed > kRestSpeed)) return voice;
    voice.loudness = std::min(1.0f, (sphere.speed - kRestSpeed) / (kLoudestSpeed - kRestSpeed));
    return voice;
}

LoopVoices::LoopVoices(const SoundBank& bank) {
    const Loop loops[kVoices] = {Loop::Roll, Loop::Roll, Loop::MagnetHum, Loop::MillWhir};
    // Rolling and the hum are heard across a room; the mill only near it.
    const float reference[kVoices] = {6.0f, 6.0f, 6.0f, 3.0f};
    for (int v = 0; v < kVoices; ++v) {
        const unsigned buffer = bank.loop(loops[v]);
        if (buffer == 0) continue;
        ALuint source = 0;
        alGenSources(1, &source);
        if (alGetError() != AL_NO_ERROR) continue;
        alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
        alSourcei(source, AL_LOOPING, AL_TRUE);
        alSourcef(source, AL_REFERENCE_DISTANCE, reference[v]);
        alSourcef(source, AL_GAIN, 0.0f);
        alSourcePlay(source);
        sources_[v] = source;
        peaks_[v] = bank.loopPeak(loops[v]);
    }
}

LoopVoices::~LoopVoices() {
    for (unsigned& source : sources_) {
        if (source == 0) continue;
        alSourceStop(source);
        alDeleteSources(1, &source);
    }
}

void LoopVoices::plan(const SoundFrame& frame) {
    const RollVoice main = rollVoice(frame.mainSphere, false);
    const RollVoice second = rollVoice(frame.secondSphere, true);
    planned_[MainRoll] = {frame.mainSphere.position, kRollingLevel * main.loudness, main.pitch};
    planned_[SecondRoll] = {frame.secondSphere.position, kRollingLevel * second.loudness, second.pitch};
    // The closer the spheres, the higher the hum: up a fifth at touching.
    const float closeness = std::clamp(frame.magnetCloseness, 0.0f, 1.0f);
    planned_[Hum] = {frame.magnetAt, frame.magnetHolding ? kHumLevel : 0.0f, 1.0f + 0.5f * closeness};
    // Heard near the mill only: fading out to nothing at kMillHeardWithin,
    // where distance alone would leave a faint whir across the level.
    const float distance = glm::length(frame.millAt - frame.listener.position);
    const float nearness = std::clamp(1.0f - distance / kMillHeardWithin, 0.0f, 1.0f);
    planned_[Mill] = {frame.millAt, frame.millTurning ? kMillLevel * nearness : 0.0f, 1.0f};
}

void LoopVoices::apply() {
    for (int v = 0; v < kVoices; ++v) {
        if (sources_[v] == 0) continue;
        const Setting& setting = planned_[v];
        alSource3f(sources_[v], AL_POSITION, setting.at.x, setting.at.y, setting.at.z);
        alSourcef(sources_[v], AL_GAIN, setting.gain);
        alSourcef(sources_[v], AL_PITCH, setting.pitch);
    }
}

float LoopVoices::reach() const {
    float reach = 0.0f;
    for (int v = 0; v < kVoices; ++v) reach += peaks_[v] * planned_[v].gain;
    return reach;
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
