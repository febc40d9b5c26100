#pragma once
// Keeps every mixed sample under -1 dBFS at any volume. A voice adds at most
// its loudest sample times its gain to either channel (the library's panning
// and its clamped distance model never raise a voice), so the sounding
// voices' reach, those products summed, bounds the mix. The limiter sets the
// overall gain so that the bound stays under the ceiling: it drops at once
// when the voices reach further and eases back up when they fall silent, so
// the mix does not pump. No lookahead is needed, and no sample is clipped.

namespace velmora::audio {

// Of full scale: -1.4 dBFS, the rest of the way to -1 dBFS is room for the
// resampler's ripple on a changed pitch.
constexpr float kOutputCeiling = 0.85f;

class OutputLimiter {
public:
    // The overall gain for voices whose reach adds up to `reach` at gain 1,
    // the player's volume at most; `seconds` on the mix's clock.
    float gainFor(float volume, float reach, double seconds);
    // How far a voice starting now may reach, at gain 1, without the
    // overall gain changing: what the sounding voices leave under the ceiling.
    float roomBeside(float reach) const;
    float gain() const { return gain_; }

private:
    float gain_ = 1.0f;
    double lastSeconds_ = 0.0;
};

}  // namespace velmora::audio
