#pragma once
// The sounds that last: a rolling loop per sphere, the magnet's hum and the
// mill's whir. Each has its own looping source that always plays; its
// loudness and pitch follow the frame, and loudness 0 is silence.

#include "audio/SoundBank.h"

namespace velmora::audio {

class LoopVoices {
public:
    explicit LoopVoices(const SoundBank& bank);
    ~LoopVoices();
    LoopVoices(const LoopVoices&) = delete;
    LoopVoices& operator=(const LoopVoices&) = delete;

    void follow(const SoundFrame& frame);
    void pause();
    void resume();

private:
    enum Voice { MainRoll, SecondRoll, Hum, Mill, kVoices };
    unsigned sources_[kVoices] = {};
};

// How a rolling sphere sounds: loudness 0 to 1 and pitch, from its speed
// while it touches something. The second sphere is twice the size and rolls
// an octave lower.
struct RollVoice {
    float loudness = 0.0f;
    float pitch = 1.0f;
};
RollVoice rollVoice(const RollingSphere& sphere, bool large);

}  // namespace velmora::audio
