#pragma once
// One sound-library buffer per file of Sounds/, loaded at start-up, with
// its loudest sample. A file that can't be read leaves its buffer 0: sources
// given it stay silent.

#include <iosfwd>
#include <string>
#include <vector>

#include "audio/SoundFiles.h"

namespace velmora::audio {

// How loud a sound can still get: element i is its loudest sample from
// sample i * kPeakBlock to the end, so it never grows from one to the next.
// What the limiter counts for a cue that has been playing a while.
using PeaksFromHereOn = std::vector<float>;
constexpr int kPeakBlock = 256;

class SoundBank {
public:
    SoundBank(const std::string& folder, std::ostream& report);
    ~SoundBank();
    SoundBank(const SoundBank&) = delete;
    SoundBank& operator=(const SoundBank&) = delete;

    unsigned cue(Cue cue) const { return cues_[static_cast<int>(cue)]; }
    unsigned loop(Loop loop) const { return loops_[static_cast<int>(loop)]; }
    // Of full scale: a cue's loudest sample from each kPeakBlock samples on,
    // a loop's loudest sample.
    const PeaksFromHereOn& cuePeaks(Cue cue) const { return cuePeaks_[static_cast<int>(cue)]; }
    float loopPeak(Loop loop) const { return loopPeaks_[static_cast<int>(loop)].front(); }

private:
    unsigned cues_[kCueCount] = {};
    unsigned loops_[kLoopCount] = {};
    PeaksFromHereOn cuePeaks_[kCueCount];
    PeaksFromHereOn loopPeaks_[kLoopCount];
};

// A sound file as a buffer: 0 (and one line on `report`) when it can't be
// read or the library refuses it. `peaks` gets its loudest sample from the
// start of each kPeakBlock on; {0} for none.
unsigned loadSoundBuffer(const std::string& path, PeaksFromHereOn& peaks, std::ostream& report);

}  // namespace velmora::audio
