#pragma once
// What a played run's frames came to, for autoplay to print at its end: how
// many, the median frame rate and its 10th percentile (the slow end a player
// feels as stutter), the longest frame, and how long the automatic render
// scale drew at each of its scales.

#include <map>
#include <string>
#include <vector>

namespace velmora::app {

class FrameRateSummary {
public:
    // One frame's interval and the render scale it was drawn at.
    void add(double frameSeconds, int renderScale);

    long frames() const { return static_cast<long>(intervals_.size()); }
    // Frames a second; 0 before any frame.
    double medianRate() const;
    // The rate nine frames in ten reach or beat.
    double tenthPercentileRate() const;
    double longestFrameSeconds() const;
    // Seconds of frames at each scale, in percent.
    const std::map<int, double>& secondsAtScale() const { return secondsAtScale_; }

    // A few lines, each beginning "autoplay: ".
    std::string text() const;

private:
    // The interval at the given share (0..1) of the sorted intervals.
    double intervalAt(double share) const;

    std::vector<double> intervals_;
    std::map<int, double> secondsAtScale_;
};

}  // namespace velmora::app
