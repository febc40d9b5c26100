#include "audio/SourcePool.h"

#include <AL/al.h>

#include <algorithm>
#include <cstddef>

namespace velmora::audio {

SourcePool::SourcePool(int size) {
    for (int i = 0; i < size; ++i) {
        ALuint source = 0;
        alGenSources(1, &source);
        if (alGetError() != AL_NO_ERROR) break;  // the device allows fewer
        voices_.push_back(Voice{source});
    }
}

SourcePool::~SourcePool() {
    for (Voice& voice : voices_) {
        alSourceStop(voice.source);
        alDeleteSources(1, &voice.source);
    }
}

bool SourcePool::sounding(const Voice& voice) const {
    ALint state = AL_STOPPED;
    alGetSourcei(voice.source, AL_SOURCE_STATE, &state);
    return state == AL_PLAYING || state == AL_PAUSED;
}

unsigned SourcePool::take(const PeaksFromHereOn& peaks, float loudness, float room) {
    if (voices_.empty()) return 0;
    std::size_t chosen = 0;
    for (std::size_t i = 0; i < voices_.size(); ++i) {
        if (!sounding(voices_[i])) {
            chosen = i;
            break;
        }
        if (voices_[i].startedAt < voices_[chosen].startedAt) chosen = i;
    }
    Voice& voice = voices_[chosen];
    alSourceStop(voice.source);
    voice.startedAt = ++taken_;
    voice.peaks = &peaks;
    voice.loudness = loudness;
    const float reach = peaks.front() * loudness;
    const bool heldDown = reach > room;
    // Two frames: the next one lowers the overall gain, the one after
    // raises the cue; each change fades in over the library's next mix.
    voice.heldFrames = heldDown ? 2 : 0;
    alSourcef(voice.source, AL_GAIN, heldDown ? loudness * room / reach : loudness);
    return voice.source;
}

float SourcePool::reach() const {
    float reach = 0.0f;
    for (const Voice& voice : voices_) {
        if (voice.peaks == nullptr || !sounding(voice)) continue;
        // The library only ever mixes on from where the source stands now.
        ALint offset = 0;
        alGetSourcei(voice.source, AL_SAMPLE_OFFSET, &offset);
        const size_t block = std::min(static_cast<size_t>(std::max(offset, 0)) / kPeakBlock, voice.peaks->size() - 1);
        reach += (*voice.peaks)[block] * voice.loudness;
    }
    return reach;
}

void SourcePool::release() {
    for (Voice& voice : voices_) {
        if (voice.heldFrames > 0 && --voice.heldFrames == 0) alSourcef(voice.source, AL_GAIN, voice.loudness);
    }
}

void SourcePool::pauseAll() {
    paused_.clear();
    for (const Voice& voice : voices_) {
        ALint state = AL_STOPPED;
        alGetSourcei(voice.source, AL_SOURCE_STATE, &state);
        if (state == AL_PLAYING) paused_.push_back(voice.source);
    }
    if (!paused_.empty()) alSourcePausev(static_cast<ALsizei>(paused_.size()), paused_.data());
}

void SourcePool::resumeAll() {
    if (!paused_.empty()) alSourcePlayv(static_cast<ALsizei>(paused_.size()), paused_.data());
    paused_.clear();
}

}  // namespace velmora::audio
