#pragma once
// A fixed set of sound-library sources for the cues of a moment. When all
// are busy the one started longest ago is taken over: a new knock matters
// more than the tail of an old one.
//
// Each source knows how loud its cue can still get and its loudness, so the
// pool can say how far its sounding voices reach (see OutputLimiter). A cue that
// starts when the mix has little room left starts held down to that room,
// under the overall gain of the moment, and comes up to its own loudness at
// the frame after next, when the overall gain has made room for it.

#include <vector>

#include "audio/SoundBank.h"

namespace velmora::audio {

class SourcePool {
public:
    explicit SourcePool(int size);
    ~SourcePool();
    SourcePool(const SourcePool&) = delete;
    SourcePool& operator=(const SourcePool&) = delete;

    // A stopped source, or the oldest playing one stopped, its gain set for
    // a cue of those peaks (kept by the caller for as long as the pool),
    // played at `loudness`, held down to reach no further than `room`; 0
    // when the pool has none at all.
    unsigned take(const PeaksFromHereOn& peaks, float loudness, float room);
    // The loudest sample still to come of each sounding cue times its
    // loudness, summed: held-down cues count at their own loudness, which
    // they are about to reach.
    float reach() const;
    // Once a frame, after the overall gain took in reach(): cues held down
    // since the frame before come up to their own loudness.
    void release();
    // Pausing holds every playing source where it is; resuming plays on
    // exactly those.
    void pauseAll();
    void resumeAll();

private:
    struct Voice {
        unsigned source = 0;
        unsigned long startedAt = 0;  // take() count when it was taken
        const PeaksFromHereOn* peaks = nullptr;
        float loudness = 0.0f;
        int heldFrames = 0;  // frames left held down; 0: at its own loudness
    };
    bool sounding(const Voice& voice) const;

    std::vector<Voice> voices_;
    std::vector<unsigned> paused_;
    unsigned long taken_ = 0;
};

}  // namespace velmora::audio
