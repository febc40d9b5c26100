#pragma once
// A fixed set of sound-library sources for the cues of a moment. When all
// are busy the one started longest ago is taken over: a new knock matters
// more than the tail of an old one.

#include <vector>

namespace velmora::audio {

class SourcePool {
public:
    explicit SourcePool(int size);
    ~SourcePool();
    SourcePool(const SourcePool&) = delete;
    SourcePool& operator=(const SourcePool&) = delete;

    // A stopped source, or the oldest playing one stopped; 0 when the pool
    // has none at all.
    unsigned take();
    // Pausing holds every playing source where it is; resuming plays on
    // exactly those.
    void pauseAll();
    void resumeAll();

private:
    std::vector<unsigned> sources_;
    std::vector<unsigned long> startedAt_;  // take() count when each was taken
    std::vector<unsigned> paused_;
    unsigned long taken_ = 0;
};

}  // namespace velmora::audio
