#include "audio/SourcePool.h"

#include <AL/al.h>

#include <cstddef>

namespace velmora::audio {

SourcePool::SourcePool(int size) {
    for (int i = 0; i < size; ++i) {
        ALuint source = 0;
        alGenSources(1, &source);
        if (alGetError() != AL_NO_ERROR) break;  // the device allows fewer
        sources_.push_back(source);
        startedAt_.push_back(0);
    }
}

SourcePool::~SourcePool() {
    for (unsigned source : sources_) {
        alSourceStop(source);
        alDeleteSources(1, &source);
    }
}

unsigned SourcePool::take() {
    if (sources_.empty()) return 0;
    std::size_t chosen = 0;
    for (std::size_t i = 0; i < sources_.size(); ++i) {
        ALint state = AL_STOPPED;
        alGetSourcei(sources_[i], AL_SOURCE_STATE, &state);
        if (state != AL_PLAYING && state != AL_PAUSED) {
            chosen = i;
            break;
        }
        if (startedAt_[i] < startedAt_[chosen]) chosen = i;
    }
    alSourceStop(sources_[chosen]);
    startedAt_[chosen] = ++taken_;
    return sources_[chosen];
}

void SourcePool::pauseAll() {
    paused_.clear();
    for (unsigned source : sources_) {
        ALint state = AL_STOPPED;
        alGetSourcei(source, AL_SOURCE_STATE, &state);
        if (state == AL_PLAYING) paused_.push_back(source);
    }
    if (!paused_.empty()) alSourcePausev(static_cast<ALsizei>(paused_.size()), paused_.data());
}

void SourcePool::resumeAll() {
    if (!paused_.empty()) alSourcePlayv(static_cast<ALsizei>(paused_.size()), paused_.data());
    paused_.clear();
}

}  // namespace velmora::audio
