#pragma once
// The game clock: each frame's real interval goes into an accumulator, and as
// many fixed 1/60 s steps run as it holds, so game time keeps pace with real
// time at any frame rate (none in some frames at 144 Hz, two or three at 25).
// At most kMostStepsPerFrame run in one frame; time beyond that is dropped, so
// a stall (a dragged window, a slow disk) slows the game for a moment instead
// of setting off a burst of steps.

namespace velmora::app {

class FrameClock {
public:
    static constexpr double kStep = 1.0 / 60.0;
    static constexpr int kMostStepsPerFrame = 8;

    // Adds a frame's real interval; returns the number of steps to run now.
    int advance(double interval) {
        if (interval > 0.0) accumulator_ += interval;
        // A hair of tolerance: a clock that ticks exactly 1/60 s a frame, in
        // doubles, must give one step every frame, not none then two.
        int steps = static_cast<int>(accumulator_ / kStep + 1e-6);
        if (steps > kMostStepsPerFrame) {
            steps = kMostStepsPerFrame;
            accumulator_ = kStep * steps;
        }
        accumulator_ -= kStep * steps;
        if (accumulator_ < 0.0) accumulator_ = 0.0;
        return steps;
    }

    // How far the time left over reaches into the next step, 0 to 1: where
    // the drawn poses lie between the last two steps.
    float alpha() const {
        const double a = accumulator_ / kStep;
        return static_cast<float>(a > 1.0 ? 1.0 : a);
    }

    double accumulator() const { return accumulator_; }

private:
    double accumulator_ = 0.0;
};

}  // namespace velmora::app
