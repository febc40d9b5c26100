#pragma once
// Figures of rendered stereo sound (left and right interleaved), as a sound
// editor gives them: the loudest sample, the loudness of a stretch, and the
// share of the energy below a frequency.

#include <cstddef>
#include <vector>

namespace velmora::testing {

// Of full scale, both channels.
float peakOf(const std::vector<float>& stereo);
// Decibels of full scale: the root mean square of both channels over
// `frames` frames from `from` (cut at the end); -120 for silence.
double loudnessDb(const std::vector<float>& stereo, size_t from, size_t frames);
// The share of the energy (both channels summed) below `hertz`, over
// Hann-windowed blocks of 4096 frames.
double energyShareBelow(const std::vector<float>& stereo, int sampleRate, double hertz);

}  // namespace velmora::testing
