#include "SoundMeasures.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace velmora::testing {

namespace {

using Complex = std::complex<double>;

// In place, radix 2; the size is a power of two.
void fft(std::vector<Complex>& a) {
    const size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j |= bit;
        if (i < j) std::swap(a[i], a[j]);
    }
    for (size_t length = 2; length <= n; length <<= 1) {
        const Complex turn = std::polar(1.0, -2.0 * M_PI / static_cast<double>(length));
        for (size_t start = 0; start < n; start += length) {
            Complex w = 1.0;
            for (size_t k = 0; k < length / 2; ++k, w *= turn) {
                const Complex even = a[start + k], odd = a[start + k + length / 2] * w;
                a[start + k] = even + odd;
                a[start + k + length / 2] = even - odd;
            }
        }
    }
}

}  // namespace

float peakOf(const std::vector<float>& stereo) {
    float peak = 0.0f;
    for (float s : stereo) peak = std::max(peak, std::fabs(s));
    return peak;
}

double loudnessDb(const std::vector<float>& stereo, size_t from, size_t frames) {
    const size_t begin = std::min(2 * from, stereo.size()), end = std::min(2 * (from + frames), stereo.size());
    double sum = 0.0;
    for (size_t i = begin; i < end; ++i) sum += static_cast<double>(stereo[i]) * stereo[i];
    const double meanSquare = end > begin ? sum / static_cast<double>(end - begin) : 0.0;
    return meanSquare > 1e-12 ? 10.0 * std::log10(meanSquare) : -120.0;
}

double energyShareBelow(const std::vector<float>& stereo, int sampleRate, double hertz) {
    constexpr size_t kBlock = 4096;
    const size_t cutBin = static_cast<size_t>(hertz * kBlock / sampleRate);
    double below = 0.0, all = 0.0;
    std::vector<Complex> block(kBlock);
    for (size_t at = 0; 2 * (at + kBlock) <= stereo.size(); at += kBlock) {
        for (size_t i = 0; i < kBlock; ++i) {
            const double hann = 0.5 - 0.5 * std::cos(2.0 * M_PI * static_cast<double>(i) / kBlock);
            block[i] = hann * (stereo[2 * (at + i)] + stereo[2 * (at + i) + 1]);
        }
        fft(block);
        for (size_t bin = 0; bin <= kBlock / 2; ++bin) {
            const double energy = std::norm(block[bin]);
            all += energy;
            if (bin < cutBin) below += energy;
        }
    }
    return all > 0.0 ? below / all : 0.0;
}

}  // namespace velmora::testing
