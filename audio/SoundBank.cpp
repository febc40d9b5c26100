#include "audio/SoundBank.h"

#include <AL/al.h>

#include <algorithm>
#include <cstdlib>
#include <ostream>

#include "audio/WavFile.h"

namespace velmora::audio {

unsigned loadSoundBuffer(const std::string& path, PeaksFromHereOn& peaks, std::ostream& report) {
    peaks.assign(1, 0.0f);
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
    const std::vector<int16_t>& samples = sound->samples;
    peaks.assign((samples.size() + kPeakBlock - 1) / kPeakBlock, 0.0f);
    int loudest = 0;
    for (size_t i = samples.size(); i-- > 0;) {
        loudest = std::max(loudest, std::abs(static_cast<int>(samples[i])));
        if (i % kPeakBlock == 0) peaks[i / kPeakBlock] = static_cast<float>(loudest) / 32768.0f;
    }
    return buffer;
}

SoundBank::SoundBank(const std::string& folder, std::ostream& report) {
    for (int i = 0; i < kCueCount; ++i) {
        cues_[i] = loadSoundBuffer(folder + "/" + cueFile(static_cast<Cue>(i)), cuePeaks_[i], report);
    }
    for (int i = 0; i < kLoopCount; ++i) {
        loops_[i] = loadSoundBuffer(folder + "/" + loopFile(static_cast<Loop>(i)), loopPeaks_[i], report);
    }
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
