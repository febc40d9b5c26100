#include "audio/SoundBank.h"

#include <AL/al.h>

#include <ostream>

#include "audio/WavFile.h"

namespace velmora::audio {

namespace {

unsigned loadBuffer(const std::string& folder, const char* file, std::ostream& report) {
    const std::string path = folder + "/" + file;
    std::string problem;
    const std::optional<MonoSound> sound = readWav(path, problem);
    if (!sound) {
        report << path << ": " << problem << "; that sound stays silent." << std::endl;
        return 0;
    }
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    alBufferData(buffer, AL_FORMAT_MONO16, sound->samples.data(),
                 static_cast<ALsizei>(sound->samples.size() * sizeof(int16_t)), sound->sampleRate);
    if (alGetError() != AL_NO_ERROR) {
        report << path << ": the sound library refused it; that sound stays silent." << std::endl;
        if (alIsBuffer(buffer)) alDeleteBuffers(1, &buffer);
        return 0;
    }
    return buffer;
}

}  // namespace

SoundBank::SoundBank(const std::string& folder, std::ostream& report) {
    for (int i = 0; i < kCueCount; ++i) cues_[i] = loadBuffer(folder, cueFile(static_cast<Cue>(i)), report);
    for (int i = 0; i < kLoopCount; ++i) loops_[i] = loadBuffer(folder, loopFile(static_cast<Loop>(i)), report);
}

SoundBank::~SoundBank() {
    // Sources must have let go of them first (the pool and the loops go
    // before the bank).
    for (unsigned buffer : cues_) {
        if (buffer != 0) alDeleteBuffers(1, &buffer);
    }
    for (unsigned buffer : loops_) {
        if (buffer != 0) alDeleteBuffers(1, &buffer);
    }
}

}  // namespace velmora::audio
