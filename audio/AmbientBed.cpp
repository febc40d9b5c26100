#include "audio/AmbientBed.h"

#include <AL/al.h>

#include "audio/SoundBank.h"
#include "audio/SoundFiles.h"

namespace velmora::audio {

namespace {

// About -47 dBFS: under the rolling, itself well under the cues.
constexpr float kBedGain = 0.12f;

}  // namespace

AmbientBed::AmbientBed() {
    alGenSources(1, &source_);
    if (alGetError() != AL_NO_ERROR) {
        source_ = 0;
        return;
    }
    // Heard alike wherever the camera turns: at the listener.
    alSourcei(source_, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(source_, AL_POSITION, 0.0f, 0.0f, 0.0f);
    alSourcei(source_, AL_LOOPING, AL_TRUE);
}

AmbientBed::~AmbientBed() {
    if (source_ != 0) {
        alSourceStop(source_);
        alDeleteSources(1, &source_);
    }
    if (buffer_ != 0) alDeleteBuffers(1, &buffer_);
}

void AmbientBed::choose(const std::string& folder, const std::string& name, std::ostream& report) {
    if (name == name_ || source_ == 0) return;
    name_ = name;
    alSourceStop(source_);
    alSourcei(source_, AL_BUFFER, 0);
    if (buffer_ != 0) alDeleteBuffers(1, &buffer_);
    buffer_ = 0;
    peaks_.assign(1, 0.0f);
    if (name.empty()) return;
    buffer_ = loadSoundBuffer(folder + "/" + ambientFile(name), peaks_, report);
    if (buffer_ == 0) return;
    alSourcei(source_, AL_BUFFER, static_cast<ALint>(buffer_));
    gain_ = 0.0f;
    alSourcef(source_, AL_GAIN, gain_);
    alSourcePlay(source_);
}

void AmbientBed::plan() { gain_ = buffer_ == 0 ? 0.0f : kBedGain; }

void AmbientBed::apply() {
    if (source_ != 0) alSourcef(source_, AL_GAIN, gain_);
}

}  // namespace velmora::audio
