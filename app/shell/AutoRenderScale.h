#pragma once
// Holds a frame time by moving the scene's render scale: the 3-D scene and
// the blur are drawn at fewer pixels while frames run slower than the
// target, and at more again once there is room. It decides from the median
// of a window of frames, never from one frame, and a window starts afresh
// after every change, so the scale never swaps back and forth frame by frame.
// Where more pixels cannot be predicted to fit (frames held to the display's
// refresh by vsync look alike whatever they cost), it tries one step up now
// and then, and waits twice as long each time such a try has to come back
// (the waits only grow, up to half a minute).

#include <vector>

namespace velmora::app {

class AutoRenderScale {
public:
    static constexpr int kStep = 5;  // percent

    // Scales are percentages within [lowest, highest]; starts at highest.
    AutoRenderScale(double targetSeconds, int lowest, int highest);

    // One frame's interval; returns the scale to draw the next frames at.
    int observe(double frameSeconds);

    int scale() const { return scale_; }
    double targetSeconds() const { return target_; }

private:
    void change(int to, double now);

    double target_;
    int lowest_;
    int highest_;
    int scale_;
    std::vector<double> window_;
    double windowSeconds_ = 0.0;
    double clock_ = 0.0;          // seconds of frames observed
    double lastChange_ = 0.0;
    double tryHold_;              // seconds before the next try up
    int triedFrom_ = -1;          // the scale a try up left, while it is judged
};

// The frame time the automatic scale holds: the setting's, in milliseconds,
// unless 0, then one display refresh where vsync is on, else 1/60 s.
double frameTargetSeconds(int settingMilliseconds, bool vsync, int refreshHz);

}  // namespace velmora::app
