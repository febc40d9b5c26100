#include "audio/OutputDevice.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

namespace velmora::audio {

namespace {

// The loopback functions are an extension: looked up, not linked.
LPALCLOOPBACKOPENDEVICESOFT loopbackOpen() {
    if (!alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback")) return nullptr;
    return reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
}

LPALCRENDERSAMPLESSOFT loopbackRender() {
    return reinterpret_cast<LPALCRENDERSAMPLESSOFT>(alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
}

}  // namespace

OutputDevice::OutputDevice(ALCdevice* device, bool loopback)
    : device_(device), loopback_(loopback), opened_(std::chrono::steady_clock::now()) {}

std::unique_ptr<OutputDevice> OutputDevice::openDefault() {
    ALCdevice* device = alcOpenDevice(nullptr);
    if (device == nullptr) return nullptr;
    std::unique_ptr<OutputDevice> output(new OutputDevice(device, false));
    if (!output->makeContext(nullptr)) return nullptr;
    return output;
}

std::unique_ptr<OutputDevice> OutputDevice::openLoopback(int sampleRate) {
    const LPALCLOOPBACKOPENDEVICESOFT open = loopbackOpen();
    ALCdevice* device = open == nullptr ? nullptr : open(nullptr);
    if (device == nullptr) return nullptr;
    std::unique_ptr<OutputDevice> output(new OutputDevice(device, true));
    output->sampleRate_ = sampleRate;
    const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT, ALC_FLOAT_SOFT,
                                 ALC_FREQUENCY, sampleRate, 0};
    if (!output->makeContext(attributes)) return nullptr;
    return output;
}

bool OutputDevice::makeContext(const int* attributes) {
    context_ = alcCreateContext(device_, attributes);
    if (context_ == nullptr || alcMakeContextCurrent(context_) != ALC_TRUE) return false;
    canTellDisconnect_ = alcIsExtensionPresent(device_, "ALC_EXT_disconnect") == ALC_TRUE;
    return true;
}

OutputDevice::~OutputDevice() {
    if (context_ != nullptr) {
        if (alcGetCurrentContext() == context_) alcMakeContextCurrent(nullptr);
        alcDestroyContext(context_);
    }
    alcCloseDevice(device_);
}

bool OutputDevice::connected() const {
    if (!canTellDisconnect_) return true;
    ALCint connected = ALC_TRUE;
    alcGetIntegerv(device_, ALC_CONNECTED, 1, &connected);
    return connected != ALC_FALSE;
}

std::vector<float> OutputDevice::render(int frames) {
    std::vector<float> samples;
    if (!loopback_ || frames <= 0) return samples;
    samples.resize(static_cast<size_t>(frames) * 2);
    loopbackRender()(device_, samples.data(), frames);
    framesRendered_ += frames;
    return samples;
}

double OutputDevice::seconds() const {
    if (loopback_) return static_cast<double>(framesRendered_) / sampleRate_;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - opened_).count();
}

}  // namespace velmora::audio
