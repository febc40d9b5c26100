#pragma once
// The sound library's device and context: the system's default output, or a
// loopback device that mixes only when asked (tests). Internal to audio/.

#include <chrono>
#include <memory>
#include <vector>

#include <AL/alc.h>

namespace velmora::audio {

class OutputDevice {
public:
    // Null when no device opens or its context can't be made current.
    static std::unique_ptr<OutputDevice> openDefault();
    static std::unique_ptr<OutputDevice> openLoopback(int sampleRate);
    ~OutputDevice();
    OutputDevice(const OutputDevice&) = delete;
    OutputDevice& operator=(const OutputDevice&) = delete;

    // False once the device reports itself unplugged or gone.
    bool connected() const;
    bool isLoopback() const { return loopback_; }
    // Loopback only: `frames` stereo float frames, interleaved.
    std::vector<float> render(int frames);
    // Seconds of sound since the device opened: what a loopback device has
    // mixed, else the wall clock. What eases the mix's gains in time.
    double seconds() const;

private:
    OutputDevice(ALCdevice* device, bool loopback);
    bool makeContext(const int* attributes);

    ALCdevice* device_ = nullptr;
    ALCcontext* context_ = nullptr;
    bool loopback_ = false;
    bool canTellDisconnect_ = false;
    std::chrono::steady_clock::time_point opened_;
    int sampleRate_ = 0;
    long long framesRendered_ = 0;
};

}  // namespace velmora::audio
