#pragma once
// The physics clock: every frame adds one constant step and starts at most one
// simulation step, whatever the real frame interval. Simulated time keeps pace
// with real time only at 60 frames per second; there is no catch-up loop, so
// a slow frame never triggers a burst of steps.

namespace velmora::app {

class FixedStep {
public:
    // The single-precision value nearest to 1/60 s.
    static constexpr float step = 0.016666668f;

    // Adds one step; true when a simulation step must start this frame. The
    // first frame leaves the accumulator exactly at one step and starts none.
    bool advance() {
        accumulator_ += step;
        if (accumulator_ > step) {
            accumulator_ -= step;
            return true;
        }
        return false;
    }

    float accumulator() const { return accumulator_; }

private:
    float accumulator_ = 0.0f;
};

}  // namespace velmora::app
