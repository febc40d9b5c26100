#pragma once
// One sound-library buffer per file of Sounds/, loaded at start-up. A file
// that can't be read leaves its buffer 0: sources given it stay silent.

#include <iosfwd>
#include <string>

#include "audio/SoundFiles.h"

namespace velmora::audio {

class SoundBank {
public:
    SoundBank(const std::string& folder, std::ostream& report);
    ~SoundBank();
    SoundBank(const SoundBank&) = delete;
    SoundBank& operator=(const SoundBank&) = delete;

    unsigned cue(Cue cue) const { return cues_[static_cast<int>(cue)]; }
    unsigned loop(Loop loop) const { return loops_[static_cast<int>(loop)]; }

private:
    unsigned cues_[kCueCount] = {};
    unsigned loops_[kLoopCount] = {};
};

}  // namespace velmora::audio
