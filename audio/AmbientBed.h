#pragma once
// The level's quiet ambient bed: one looping sound heard at the listener,
// so that the game never goes dead silent while the spheres are still. A
// level names its bed (Sounds/ambient_NAME.wav); another level's bed
// replaces it, and none (an empty name) is silence.

#include <iosfwd>
#include <string>
#include <vector>

namespace velmora::audio {

class AmbientBed {
public:
    AmbientBed();
    ~AmbientBed();
    AmbientBed(const AmbientBed&) = delete;
    AmbientBed& operator=(const AmbientBed&) = delete;

    // Loads and starts the bed of that name from `folder`, unless it plays
    // already; a file that can't be read is one line on `report` and silence.
    // It is heard from the next apply().
    void choose(const std::string& folder, const std::string& name, std::ostream& report);
    // Its gain from here on: reach() counts it at once, apply() sets it.
    void plan();
    void apply();
    // Its loudest sample times its gain (see OutputLimiter).
    float reach() const { return peaks_.front() * gain_; }

private:
    unsigned source_ = 0;
    unsigned buffer_ = 0;
    std::string name_;
    std::vector<float> peaks_{0.0f};
    float gain_ = 0.0f;
};

}  // namespace velmora::audio
