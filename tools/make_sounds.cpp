// Synthesises the game's sounds and writes them as mono 16-bit WAV files
// under Sounds/: the cues of a moment (clicks, knock, chime, door, hazard,
// fanfare, tick), the loops that last (rolling, the magnet's hum, the
// mill's whir) and the levels' ambient beds. Run from the repository root (or give the root as the only
// argument). Deterministic: the same files every run.
//
// Everything is kept soft: short attacks without clicks, no harsh highs, and
// loops whose end runs into their start without a seam, so that a sound
// heard a hundred times in a run does not grate.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "audio/SoundFiles.h"
#include "audio/WavFile.h"

using velmora::audio::Cue;
using velmora::audio::Loop;

namespace {

constexpr float kRate = static_cast<float>(velmora::audio::kSoundSampleRate);
constexpr float kTau = 6.2831853f;

// A fixed sequence of noise in [-1, 1].
class Noise {
public:
    float next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<float>(state_ >> 8) / 8388608.0f - 1.0f;
    }

private:
    uint32_t state_ = 22222u;
};

// One-pole low-pass: keeps what lies below roughly `hertz`.
class LowPass {
public:
    explicit LowPass(float hertz) : k_(1.0f - std::exp(-kTau * hertz / kRate)) {}
    float operator()(float x) { return y_ += k_ * (x - y_); }

private:
    float k_;
    float y_ = 0.0f;
};

using Wave = std::vector<float>;

Wave make(float seconds, const std::function<float(float t)>& at) {
    Wave wave(static_cast<size_t>(seconds * kRate));
    for (size_t i = 0; i < wave.size(); ++i) wave[i] = at(static_cast<float>(i) / kRate);
    return wave;
}

// Short ramps at both ends so that nothing starts or stops with a click.
void soften(Wave& wave, float seconds = 0.003f) {
    const size_t ramp = std::min(wave.size() / 2, static_cast<size_t>(seconds * kRate));
    for (size_t i = 0; i < ramp; ++i) {
        const float g = static_cast<float>(i) / static_cast<float>(ramp);
        wave[i] *= g;
        wave[wave.size() - 1 - i] *= g;
    }
}

// Loops: the last `fade` seconds run into the first, then are cut off, so
// the end joins the start.
void joinEnds(Wave& wave, float fade) {
    const size_t n = static_cast<size_t>(fade * kRate);
    const size_t keep = wave.size() - n;
    for (size_t i = 0; i < n; ++i) {
        const float g = static_cast<float>(i) / static_cast<float>(n);
        wave[i] = wave[i] * g + wave[keep + i] * (1.0f - g);
    }
    wave.resize(keep);
}

// Scales the loudest sample to `peak` (of full scale).
void normalise(Wave& wave, float peak) {
    float most = 0.0f;
    for (float s : wave) most = std::max(most, std::fabs(s));
    if (most > 0.0f) {
        for (float& s : wave) s *= peak / most;
    }
}

float decay(float t, float perSecond) { return std::exp(-perSecond * t); }

Wave click(float hertz) {
    Noise noise;
    LowPass body(3000.0f);
    return make(0.07f, [&](float t) {
        return (std::sin(kTau * hertz * t) + 0.5f * body(noise.next())) * decay(t, 90.0f);
    });
}

Wave knock() {
    // A low wooden thud: a falling tone under a short scuff of noise.
    Noise noise;
    LowPass scuff(900.0f);
    float phase = 0.0f;
    return make(0.18f, [&](float t) {
        phase += kTau * (140.0f - 60.0f * t / 0.18f) / kRate;
        return std::sin(phase) * decay(t, 28.0f) + 0.6f * scuff(noise.next()) * decay(t, 70.0f);
    });
}

Wave chime() {
    // A small bell: inharmonic partials that fade at their own pace.
    return make(1.2f, [](float t) {
        return std::sin(kTau * 1046.5f * t) * decay(t, 3.0f) +
               0.5f * std::sin(kTau * 2099.3f * t) * decay(t, 5.0f) +
               0.25f * std::sin(kTau * 3140.0f * t) * decay(t, 8.0f);
    });
}

Wave doorSlide() {
    // Stone on stone: low noise swelling and fading, over a rumble.
    Noise noise;
    LowPass grind(400.0f), deeper(150.0f);
    return make(1.1f, [&](float t) {
        const float swell = std::sin(3.1415927f * t / 1.1f);
        return (grind(noise.next()) * 3.0f + deeper(noise.next()) * 4.0f + 0.3f * std::sin(kTau * 55.0f * t)) *
               swell;
    });
}

Wave hazard() {
    // A falling, buzzing sweep: unmistakably a setback.
    float phase = 0.0f;
    return make(0.7f, [&](float t) {
        phase += kTau * (520.0f * std::exp(-2.4f * t)) / kRate;
        const float buzz = std::sin(phase) + 0.4f * std::sin(2.0f * phase) + 0.2f * std::sin(3.0f * phase);
        return buzz * std::min(1.0f, 20.0f * t) * decay(t, 2.5f);
    });
}

Wave fanfare() {
    // C, E, G, then a held high C: short, bright and done.
    const float notes[] = {523.25f, 659.25f, 783.99f, 1046.5f};
    const float starts[] = {0.0f, 0.16f, 0.32f, 0.48f};
    return make(1.6f, [&](float t) {
        float sum = 0.0f;
        for (int n = 0; n < 4; ++n) {
            const float u = t - starts[n];
            if (u < 0.0f) continue;
            const float length = n == 3 ? 1.1f : 0.2f;
            const float envelope = std::min(1.0f, 60.0f * u) * (u < length ? 1.0f : decay(u - length, 25.0f)) *
                                   decay(u, n == 3 ? 1.5f : 4.0f);
            const float f = notes[n];
            sum += envelope * (std::sin(kTau * f * u) + 0.35f * std::sin(kTau * 2.0f * f * u) +
                               0.15f * std::sin(kTau * 3.0f * f * u));
        }
        return sum;
    });
}

Wave tick() {
    return make(0.035f, [](float t) { return std::sin(kTau * 2400.0f * t) * decay(t, 160.0f); });
}

Wave roll() {
    // The rumble of a ball on stone: noise through a steep low-pass, with a
    // little grit above it, evenly loud so that only the speed moves it (the
    // game raises its loudness and, a little, its pitch). Almost nothing is
    // left above 1 kHz.
    Noise noise;
    LowPass r1(380.0f), r2(380.0f), r3(380.0f), r4(380.0f), g1(900.0f), g2(900.0f);
    Wave wave = make(2.25f, [&](float) {
        const float rumble = r4(r3(r2(r1(noise.next()))));
        const float grit = g2(g1(noise.next()));
        return 6.0f * rumble + 0.6f * grit;
    });
    joinEnds(wave, 0.25f);
    return wave;
}

// The levels' ambient beds: quiet, low and slow, six seconds that join
// without a seam. They keep a still scene from going dead silent and must
// never be mistaken for something happening, so nothing in them starts.
Wave ambientHall() {
    // A large room's tone: low air with a faint mains-like hum, swelling
    // slowly.
    Noise noise;
    LowPass a1(260.0f), a2(260.0f);
    Wave wave = make(7.0f, [&](float t) {
        const float swell = 1.0f + 0.2f * std::sin(kTau * t / 7.0f);
        return swell * (3.0f * a2(a1(noise.next())) + 0.04f * std::sin(kTau * 50.0f * t) +
                        0.02f * std::sin(kTau * 100.0f * t));
    });
    joinEnds(wave, 1.0f);
    return wave;
}

Wave ambientDeep() {
    // From the pit: a deep, dark rumble breathing in and out.
    Noise noise;
    LowPass d1(110.0f), d2(110.0f), d3(110.0f);
    Wave wave = make(7.0f, [&](float t) {
        const float breath = 1.0f + 0.35f * std::sin(kTau * t / 3.5f);
        return breath * (8.0f * d3(d2(d1(noise.next()))) + 0.05f * std::sin(kTau * 41.0f * t));
    });
    joinEnds(wave, 1.0f);
    return wave;
}

Wave ambientWind() {
    // Up high: soft wind, a band of noise in slow gusts.
    Noise noise;
    LowPass w1(700.0f), w2(700.0f), below(220.0f);
    Wave wave = make(7.0f, [&](float t) {
        const float band = w2(w1(noise.next()));
        const float air = band - below(band);
        // Slow, uneven gusts.
        const float gust =
            0.65f + 0.2f * std::sin(kTau * 2.0f * t / 7.0f) + 0.15f * std::sin(kTau * 5.0f * t / 7.0f + 1.3f);
        return gust * air;
    });
    joinEnds(wave, 1.0f);
    return wave;
}

Wave magnetHum() {
    // Whole cycles of every partial in one second: the loop has no seam.
    return make(1.0f, [](float t) {
        const float wobble = 1.0f + 0.15f * std::sin(kTau * 4.0f * t);
        return wobble * (std::sin(kTau * 110.0f * t) + 0.4f * std::sin(kTau * 220.0f * t) +
                         0.15f * std::sin(kTau * 330.0f * t));
    });
}

Wave millWhir() {
    // Air beaten by the arms, six times a second, over a low drone.
    Noise noise;
    LowPass air(500.0f);
    Wave wave = make(1.25f, [&](float t) {
        const float beat = 0.55f + 0.45f * std::sin(kTau * 6.0f * t);
        return beat * air(noise.next()) * 4.0f + 0.25f * std::sin(kTau * 72.0f * t);
    });
    joinEnds(wave, 0.25f);
    return wave;
}

bool write(const std::string& path, Wave wave, float peak, bool loop,
           int sampleRate = velmora::audio::kSoundSampleRate) {
    normalise(wave, peak);
    if (!loop) soften(wave);
    velmora::audio::MonoSound sound;
    sound.sampleRate = sampleRate;
    if (sampleRate != velmora::audio::kSoundSampleRate) {
        // Made at the full rate, kept at a lower one: every other sample of
        // a sound with nothing near the new rate's top.
        const size_t step = static_cast<size_t>(velmora::audio::kSoundSampleRate / sampleRate);
        Wave fewer;
        for (size_t i = 0; i < wave.size(); i += step) fewer.push_back(wave[i]);
        wave.swap(fewer);
    }
    sound.samples.reserve(wave.size());
    for (float s : wave) {
        sound.samples.push_back(static_cast<int16_t>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f)));
    }
    return velmora::audio::writeWav(path, sound);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = std::string(argc > 1 ? argv[1] : ".") + "/Sounds/";
    using velmora::audio::cueFile;
    using velmora::audio::loopFile;
    bool ok = true;
    // Peaks set how loud each is against the others: the soft click off and
    // the tick well under the rest.
    ok = write(folder + cueFile(Cue::SwitchOn), click(1800.0f), 0.6f, false) && ok;
    ok = write(folder + cueFile(Cue::SwitchOff), click(1300.0f), 0.3f, false) && ok;
    ok = write(folder + cueFile(Cue::DoorSlide), doorSlide(), 0.7f, false) && ok;
    ok = write(folder + cueFile(Cue::Knock), knock(), 0.9f, false) && ok;
    ok = write(folder + cueFile(Cue::Chime), chime(), 0.5f, false) && ok;
    ok = write(folder + cueFile(Cue::Hazard), hazard(), 0.6f, false) && ok;
    ok = write(folder + cueFile(Cue::Fanfare), fanfare(), 0.6f, false) && ok;
    ok = write(folder + cueFile(Cue::Tick), tick(), 0.25f, false) && ok;
    ok = write(folder + loopFile(Loop::Roll), roll(), 0.5f, true) && ok;
    ok = write(folder + loopFile(Loop::MagnetHum), magnetHum(), 0.35f, true) && ok;
    ok = write(folder + loopFile(Loop::MillWhir), millWhir(), 0.6f, true) && ok;
    // The beds hold nothing above 1 kHz: half the rate keeps their files small.
    constexpr int kBedRate = velmora::audio::kSoundSampleRate / 2;
    ok = write(folder + velmora::audio::ambientFile("hall"), ambientHall(), 0.3f, true, kBedRate) && ok;
    ok = write(folder + velmora::audio::ambientFile("deep"), ambientDeep(), 0.3f, true, kBedRate) && ok;
    ok = write(folder + velmora::audio::ambientFile("wind"), ambientWind(), 0.3f, true, kBedRate) && ok;
    if (!ok) std::cerr << "some sounds could not be written to " << folder << std::endl;
    return ok ? 0 : 1;
}
