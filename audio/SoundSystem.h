#pragma once
// The game's sound: the only face of audio/. It owns the output device, its
// context, one buffer per sound file and a pool of sources, and mixes on the
// sound library's own thread. The game tells it what happened (cues) and,
// once a frame, how the continuous sounds stand (SoundFrame); it never looks
// at the game itself.
//
// Without a device, or after the device was lost, every call still works and
// nothing is heard: the game plays on exactly as with sound.
//
// The mix: the lasting sounds (rolling, hum, whir, the ambient bed) are
// levelled well under the cues, so that a click, a door or a knock stands
// out, and a limiter keeps every output sample under -1 dBFS at any volume
// (OutputLimiter).

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include <glm/glm.hpp>

namespace velmora::audio {

// Sounds of a moment. Interface ticks, the hazard and the fanfare are heard
// at the listener; the others where they happen.
enum class Cue { SwitchOn, SwitchOff, DoorSlide, Knock, Chime, Hazard, Fanfare, Tick };

// Where the listener is and which way it faces.
struct Listener {
    glm::vec3 position{0.0f};
    glm::vec3 forward{0.0f, 0.0f, -1.0f};
    glm::vec3 up{0.0f, 1.0f, 0.0f};
};

// A sphere as its rolling sound hears it.
struct RollingSphere {
    glm::vec3 position{0.0f};
    float speed = 0.0f;     // metres per second
    bool touching = false;  // it rolls on something; in the air it is silent
};

// How the continuous sounds stand this frame.
struct SoundFrame {
    Listener listener;
    RollingSphere mainSphere;
    RollingSphere secondSphere;  // twice the size: rolls deeper
    bool magnetHolding = false;  // coupled, with the second sphere within reach
    float magnetCloseness = 0.0f;  // 0 at the edge of the reach, 1 touching
    glm::vec3 magnetAt{0.0f};
    bool millTurning = false;
    glm::vec3 millAt{0.0f};
};

class SoundSystem {
public:
    // The system's default output device. With none that opens, says
    // "No sound device: playing without sound." on `report` and returns a
    // system that plays nothing. Sound files come from `folder`; one that
    // can't be read is one line on `report`, and that sound stays silent.
    static std::unique_ptr<SoundSystem> open(const std::string& folder, std::ostream& report);
    // A device that mixes only when render() asks, as fast as asked: for
    // tests. Stereo at `sampleRate`. Null when the library has no loopback.
    static std::unique_ptr<SoundSystem> openLoopback(const std::string& folder, int sampleRate,
                                                     std::ostream& report);
    ~SoundSystem();
    SoundSystem(const SoundSystem&) = delete;
    SoundSystem& operator=(const SoundSystem&) = delete;

    // A device is open and still connected.
    bool audible() const;

    // A cue where it happens. Loudness 0 to 1 scales it; pitch 0.5 plays it
    // an octave lower. Game cues (all but Tick) are dropped while paused.
    void play(Cue cue, glm::vec3 where, float loudness = 1.0f, float pitch = 1.0f);

    // Once a frame: the listener and the continuous sounds. Also notices a
    // lost device: the line once, then silence.
    void update(const SoundFrame& frame);

    // The level's quiet ambient bed, Sounds/ambient_NAME.wav; empty for none.
    // It goes on while paused. A file that can't be read is one line on the
    // report, and silence.
    void setAmbient(const std::string& name);

    // Paused, every game sound holds where it is and goes on on resume;
    // interface ticks still sound.
    void setPaused(bool paused);
    bool paused() const;
    void setMuted(bool muted);
    bool muted() const;
    // The overall loudness, 0 to 1 (the player's setting); muting keeps it.
    void setVolume(float volume);
    float volume() const;

    // Loopback only: mixes `frames` stereo frames, left and right
    // interleaved. Empty for a real device.
    std::vector<float> render(int frames);

private:
    class Impl;
    explicit SoundSystem(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}  // namespace velmora::audio
