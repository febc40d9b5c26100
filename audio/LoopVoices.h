#pragma once
// The sounds that last: a rolling loop per sphere, the magnet's hum and the
// mill's whir. Each has its own looping source that always plays; its
// loudness and pitch follow the frame, and loudness 0 is silence. Together
// they are the bed the cues stand out from, levelled well under them.

#include "audio/SoundBank.h"

namespace velmora::audio {

class LoopVoices {
public:
    explicit LoopVoices(const SoundBank& bank);
    ~LoopVoices();
    LoopVoices(const LoopVoices&) = delete;
    LoopVoices& operator=(const LoopVoices&) = delete;

    // Works out the frame's gains, pitches and places: reach() counts them
    // from here on, apply() hands them to the library.
    void plan(const SoundFrame& frame);
    void apply();
    void pause();
    void resume();
    // Their loudest samples times their gains, summed (see OutputLimiter).
    float reach() const;

private:
    enum Voice { MainRoll, SecondRoll, Hum, Mill, kVoices };
    struct Setting {
        glm::vec3 at{0.0f};
        float gain = 0.0f;
        float pitch = 1.0f;
    };

    unsigned sources_[kVoices] = {};
    float peaks_[kVoices] = {};
    Setting planned_[kVoices];
};

// How a rolling sphere sounds: loudness 0 to 1 (of the rolling's own level)
// and pitch, from its speed while it touches something. The pitch moves
// little, so the rumble stays low; the second sphere is twice the size and
// rolls an octave lower.
struct RollVoice {
    float loudness = 0.0f;
    float pitch = 1.0f;
};
RollVoice rollVoice(const RollingSphere& sphere, bool large);

}  // namespace velmora::audio
