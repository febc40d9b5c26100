#include "audio/SoundSystem.h"

#include <AL/al.h>

#include <algorithm>
#include <ostream>

#include "audio/AmbientBed.h"
#include "audio/LoopVoices.h"
#include "audio/OutputDevice.h"
#include "audio/OutputLimiter.h"
#include "audio/SoundBank.h"
#include "audio/SourcePool.h"

namespace velmora::audio {

namespace {

constexpr const char* kNoDeviceLine = "No sound device: playing without sound.";
// Enough for a burst of knocks, a chime, a click and a door at once.
constexpr int kPoolSize = 16;

bool heardAtListener(Cue cue) { return cue == Cue::Tick || cue == Cue::Hazard || cue == Cue::Fanfare; }

}  // namespace

class SoundSystem::Impl {
public:
    Impl(std::unique_ptr<OutputDevice> device, const std::string& folder, std::ostream& report)
        : report_(report), device_(std::move(device)), folder_(folder) {
        if (!device_) {
            report_ << kNoDeviceLine << std::endl;
            return;
        }
        bank_ = std::make_unique<SoundBank>(folder, report_);
        pool_ = std::make_unique<SourcePool>(kPoolSize);
        // Ticks: heard at the listener, never paused.
        interface_ = std::make_unique<SourcePool>(1);
        loops_ = std::make_unique<LoopVoices>(*bank_);
        ambient_ = std::make_unique<AmbientBed>();
    }

    ~Impl() {
        if (!device_) return;
        // Sources before the buffers they hold, all before the context.
        ambient_.reset();
        loops_.reset();
        interface_.reset();
        pool_.reset();
        bank_.reset();
    }

    bool audible() const { return device_ && !lost_; }

    void play(Cue cue, glm::vec3 where, float loudness, float pitch) {
        if (!audible() || (paused_ && cue != Cue::Tick) || bank_->cue(cue) == 0) return;
        const unsigned buffer = bank_->cue(cue);
        SourcePool& pool = cue == Cue::Tick ? *interface_ : *pool_;
        const float room = limiter_.roomBeside(reach());
        const unsigned source = pool.take(bank_->cuePeaks(cue), std::clamp(loudness, 0.0f, 1.0f), room);
        if (source == 0) return;
        alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
        alSourcef(source, AL_PITCH, pitch);
        if (heardAtListener(cue)) {
            alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
            alSource3f(source, AL_POSITION, 0.0f, 0.0f, 0.0f);
        } else {
            alSourcei(source, AL_SOURCE_RELATIVE, AL_FALSE);
            alSource3f(source, AL_POSITION, where.x, where.y, where.z);
            alSourcef(source, AL_REFERENCE_DISTANCE, 6.0f);
        }
        alSourcePlay(source);
    }

    void update(const SoundFrame& frame) {
        if (!audible()) return;
        if (!device_->connected()) {
            // Said once; from here on the game is silent, as without a device.
            lost_ = true;
            report_ << kNoDeviceLine << std::endl;
            return;
        }
        const Listener& l = frame.listener;
        alListener3f(AL_POSITION, l.position.x, l.position.y, l.position.z);
        const float orientation[6] = {l.forward.x, l.forward.y, l.forward.z, l.up.x, l.up.y, l.up.z};
        alListenerfv(AL_ORIENTATION, orientation);
        // The overall gain goes down before anything gets louder and up only
        // after: each change fades in over the library's next mix, and every
        // state on the way stays under the ceiling.
        const float before = limiter_.gain();
        loops_->plan(frame);
        ambient_->plan();
        const float after = limiter_.gainFor(volume_, reach(), device_->seconds());
        if (after < before) applyGain();
        loops_->apply();
        ambient_->apply();
        pool_->release();
        interface_->release();
        if (after >= before) applyGain();
    }

    void setAmbient(const std::string& name) {
        if (!audible()) return;
        ambient_->choose(folder_, name, report_);
    }

    void setPaused(bool paused) {
        if (paused == paused_) return;
        paused_ = paused;
        if (!audible()) return;
        if (paused) {
            pool_->pauseAll();
            loops_->pause();
        } else {
            pool_->resumeAll();
            loops_->resume();
        }
    }

    void setMuted(bool muted) {
        muted_ = muted;
        applyGain();
    }

    void setVolume(float volume) {
        volume_ = std::clamp(volume, 0.0f, 1.0f);
        // Lower at once; a raised volume comes in through the limiter.
        if (audible()) limiter_.gainFor(std::min(volume_, limiter_.gain()), reach(), device_->seconds());
        applyGain();
    }

    bool paused() const { return paused_; }
    bool muted() const { return muted_; }
    float volume() const { return volume_; }
    std::vector<float> render(int frames) { return device_ ? device_->render(frames) : std::vector<float>(); }

private:
    // How far every sounding voice reaches at gain 1 (see OutputLimiter).
    float reach() const { return pool_->reach() + interface_->reach() + loops_->reach() + ambient_->reach(); }

    void applyGain() {
        if (audible()) alListenerf(AL_GAIN, muted_ ? 0.0f : limiter_.gain());
    }

    std::ostream& report_;
    std::unique_ptr<OutputDevice> device_;
    std::string folder_;
    std::unique_ptr<SoundBank> bank_;
    std::unique_ptr<SourcePool> pool_;
    std::unique_ptr<SourcePool> interface_;
    std::unique_ptr<LoopVoices> loops_;
    std::unique_ptr<AmbientBed> ambient_;
    OutputLimiter limiter_;
    bool paused_ = false;
    bool muted_ = false;
    float volume_ = 1.0f;
    bool lost_ = false;
};

SoundSystem::SoundSystem(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

SoundSystem::~SoundSystem() = default;

std::unique_ptr<SoundSystem> SoundSystem::open(const std::string& folder, std::ostream& report) {
    return std::unique_ptr<SoundSystem>(
        new SoundSystem(std::make_unique<Impl>(OutputDevice::openDefault(), folder, report)));
}

std::unique_ptr<SoundSystem> SoundSystem::openLoopback(const std::string& folder, int sampleRate,
                                                       std::ostream& report) {
    std::unique_ptr<OutputDevice> device = OutputDevice::openLoopback(sampleRate);
    if (!device) return nullptr;
    return std::unique_ptr<SoundSystem>(new SoundSystem(std::make_unique<Impl>(std::move(device), folder, report)));
}

bool SoundSystem::audible() const { return impl_->audible(); }
void SoundSystem::play(Cue cue, glm::vec3 where, float loudness, float pitch) {
    impl_->play(cue, where, loudness, pitch);
}
void SoundSystem::update(const SoundFrame& frame) { impl_->update(frame); }
void SoundSystem::setAmbient(const std::string& name) { impl_->setAmbient(name); }
void SoundSystem::setPaused(bool paused) { impl_->setPaused(paused); }
bool SoundSystem::paused() const { return impl_->paused(); }
void SoundSystem::setMuted(bool muted) { impl_->setMuted(muted); }
void SoundSystem::setVolume(float volume) { impl_->setVolume(volume); }
float SoundSystem::volume() const { return impl_->volume(); }
bool SoundSystem::muted() const { return impl_->muted(); }
std::vector<float> SoundSystem::render(int frames) { return impl_->render(frames); }

}  // namespace velmora::audio
