// The game's sound as the player hears it, through the sound library's
// loopback device: it mixes exactly the samples asked for, no sound card
// needed. The shipped level's simulation tells the sound what happens, as
// the frame loop does, and the rendered samples are measured.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <sstream>

#include "SoundMeasures.h"
#include "app/sound/GameSounds.h"
#include "audio/SoundSystem.h"
#include "level/LevelSet.h"
#include "sim/PlayerSpheres.h"
#include "sim/Simulation.h"
#include "sim/World.h"

using namespace velmora;

namespace {

constexpr int kRate = 44100;
constexpr int kStepFrames = kRate / 60;

struct Levels {
    float peak = 0.0f;
    float left = 0.0f;  // root mean square of each channel
    float right = 0.0f;
};

Levels measure(const std::vector<float>& stereo) {
    Levels levels;
    double left = 0.0, right = 0.0;
    const size_t frames = stereo.size() / 2;
    for (size_t i = 0; i < frames; ++i) {
        levels.peak = std::max({levels.peak, std::fabs(stereo[2 * i]), std::fabs(stereo[2 * i + 1])});
        left += stereo[2 * i] * stereo[2 * i];
        right += stereo[2 * i + 1] * stereo[2 * i + 1];
    }
    if (frames > 0) {
        levels.left = static_cast<float>(std::sqrt(left / frames));
        levels.right = static_cast<float>(std::sqrt(right / frames));
    }
    return levels;
}

constexpr float kSilence = 1e-4f;

class Sound : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        world_ = new World;
        simulation_ = new Simulation(*world_, shippedLevelTiles());
    }
    static void TearDownTestSuite() {
        delete simulation_;
        delete world_;
    }

    void SetUp() override {
        sound_ = audio::SoundSystem::openLoopback("Sounds", kRate, report_);
        ASSERT_NE(sound_, nullptr) << "the sound library has no loopback device";
        ASSERT_TRUE(sound_->audible());
        EXPECT_EQ(report_.str(), "") << "every sound file loads";
        simulation_->restart();
        simulation_->takeEvents();
    }

    // A camera six metres behind the main sphere and two up, facing -z, as
    // the game starts.
    glm::mat4 cameraBehindMain() const {
        glm::mat4 camera(1.0f);
        camera[3] = glm::vec4(simulation_->spherePosition(MainActorType) + glm::vec3(0.0f, 2.0f, 6.0f), 1.0f);
        return camera;
    }

    // Steps the simulation as the frame loop does, one frame per step: the
    // events' cues, then the continuous sounds; mixes each step's samples.
    Levels play(int steps, glm::vec3 push = glm::vec3(0.0f), bool follow = true) {
        std::vector<float> all;
        for (int i = 0; i < steps; ++i) {
            StepInput input;
            input.push = push;
            simulation_->step(input);
            app::playEventSounds(*sound_, simulation_->takeEvents());
            if (follow) sound_->update(app::soundFrame(*simulation_, cameraBehindMain()));
            const std::vector<float> samples = sound_->render(kStepFrames);
            all.insert(all.end(), samples.begin(), samples.end());
        }
        return measure(all);
    }

    static World* world_;
    static Simulation* simulation_;
    std::ostringstream report_;
    std::unique_ptr<audio::SoundSystem> sound_;
};

World* Sound::world_ = nullptr;
Simulation* Sound::simulation_ = nullptr;

TEST_F(Sound, IsSilentAtRestAndRollingGetsLouderWithSpeed) {
    play(240);  // the spheres drop onto the floor and settle
    const Levels rest = play(30);
    EXPECT_LT(rest.peak, kSilence);

    // Pushed north from rest, gently then with a full key: the sphere rolls
    // on the floor, and faster is louder.
    float previous = rest.left + rest.right;
    for (float push : {3000.0f, 8000.0f, 20000.0f}) {
        simulation_->restart();
        play(240);
        play(40, glm::vec3(0.0f, 0.0f, -push));
        const Levels rolling = play(20, glm::vec3(0.0f, 0.0f, -push));
        EXPECT_GT(rolling.left + rolling.right, previous * 1.3f) << "a push of " << push << " N";
        previous = rolling.left + rolling.right;
    }
}

TEST_F(Sound, AHardLandingKnocksAndASoftOneDoesNot) {
    play(240);
    struct Drop {
        float height;
        bool knocks;
    };
    for (const Drop drop : {Drop{4.0f, true}, Drop{0.02f, false}}) {
        simulation_->placeSpheres(spheres::kMainReset + glm::vec3(0.0f, 0.5f + drop.height, 0.0f),
                                  spheres::kSecondReset + glm::vec3(0.0f, 1.0f, 0.0f));
        simulation_->stopSpheres();
        play(30, glm::vec3(0.0f), false);  // the second sphere lands softly
        // Only the cues: the rolling loop would hide whether there was a knock.
        const Levels landing = play(drop.height > 1.0f ? 360 : 60, glm::vec3(0.0f), false);
        if (drop.knocks) {
            EXPECT_GT(landing.peak, 0.05f) << "a drop of " << drop.height << " m";
        } else {
            EXPECT_LT(landing.peak, kSilence) << "a drop of " << drop.height << " m";
        }
    }
}

TEST_F(Sound, ASourceOnTheRightIsLouderInTheRightChannel) {
    audio::SoundFrame frame;  // listener at the origin, facing -z
    sound_->update(frame);
    for (const float side : {3.0f, -3.0f}) {
        sound_->play(audio::Cue::Knock, glm::vec3(side, 0.0f, 0.0f));
        const Levels levels = measure(sound_->render(kRate / 5));
        const float right = levels.right, left = levels.left;
        EXPECT_GT(side > 0.0f ? right : left, 2.0f * (side > 0.0f ? left : right)) << "at x = " << side;
    }
}

TEST_F(Sound, WhatTheSimulationReportsAndHowItStandsIsHeard) {
    // Each on its own, from a fresh run: what the level's triggers and rules
    // report, the magnet holding the second sphere, and the mill from nearby.
    struct Happening {
        const char* what;
        std::function<void()> happen;
    };
    const auto event = [&](SimulationEventType type) {
        return [&, type] {
            const glm::vec3 near = simulation_->spherePosition(MainActorType);
            app::playEventSounds(*sound_, {SimulationEvent{type, 0, near, "Door A"}});
        };
    };
    const auto heardFrom = [&](glm::vec3 place) {
        glm::mat4 camera(1.0f);
        camera[3] = glm::vec4(place, 1.0f);
        sound_->update(app::soundFrame(*simulation_, camera));
    };
    const Happening happenings[] = {
        {"a switch set off", event(SimulationEventType::SwitchOn)},
        {"a switch left", event(SimulationEventType::SwitchOff)},
        {"a door opening", event(SimulationEventType::DoorOpened)},
        {"a door closing", event(SimulationEventType::DoorClosed)},
        {"the magnet's burst", event(SimulationEventType::Burst)},
        {"spikes", [&] { simulation_->resetGame("spikes"); }},
        {"the goal's fanfare", [&] { simulation_->winGame(); }},
        {"the magnet's hum",
         [&] {
             simulation_->placeSpheres(spheres::kMainReset, spheres::kMainReset + glm::vec3(1.8f, 0.5f, 0.0f));
             heardFrom(spheres::kMainReset + glm::vec3(0.0f, 2.0f, 6.0f));
         }},
        {"the mill's whir", [&] { heardFrom(*simulation_->millPosition() + glm::vec3(0.0f, 2.0f, 5.0f)); }},
    };
    ASSERT_TRUE(simulation_->millPosition());
    for (const Happening& happening : happenings) {
        simulation_->restart();
        simulation_->takeEvents();
        heardFrom(simulation_->spherePosition(MainActorType) + glm::vec3(0.0f, 2.0f, 6.0f));
        sound_->render(2 * kRate);  // whatever came before has ended: the fanfare is the longest
        ASSERT_LT(measure(sound_->render(kStepFrames)).peak, kSilence) << "before " << happening.what;
        happening.happen();
        app::playEventSounds(*sound_, simulation_->takeEvents());
        EXPECT_GT(measure(sound_->render(kRate / 10)).peak, 0.01f) << happening.what;
    }
}

TEST_F(Sound, NothingIsHeardWhilePausedAndAllOfItGoesOnAfter) {
    audio::SoundFrame frame;
    frame.mainSphere = audio::RollingSphere{glm::vec3(1.0f, 0.0f, -3.0f), 5.0f, true};
    sound_->update(frame);
    sound_->play(audio::Cue::DoorSlide, glm::vec3(0.0f, 0.0f, -3.0f));
    sound_->render(kRate / 10);

    sound_->setPaused(true);
    sound_->play(audio::Cue::Knock, glm::vec3(0.0f, 0.0f, -2.0f));  // dropped: the game stands
    sound_->update(frame);
    sound_->render(kStepFrames);  // the pause fades in within a few samples
    EXPECT_LT(measure(sound_->render(kRate / 2)).peak, kSilence);

    sound_->setPaused(false);
    EXPECT_GT(measure(sound_->render(kRate / 10)).peak, 0.01f);
}

// The loudest moment the game can make: every cue at full loudness at once,
// bursts of knocks beside the listener, both spheres rolling flat out with
// the magnet humming. At full volume and at 80 %, no sample reaches -1 dBFS.
TEST_F(Sound, NoSampleReachesMinusOneDbfsAtAnyVolume) {
    using audio::Cue;
    for (const float volume : {1.0f, 0.8f}) {
        sound_->setVolume(volume);
        audio::SoundFrame frame;
        frame.mainSphere = audio::RollingSphere{glm::vec3(0.5f, 0.0f, -1.0f), 8.0f, true};
        frame.secondSphere = audio::RollingSphere{glm::vec3(1.5f, 0.0f, -1.0f), 8.0f, true};
        frame.magnetHolding = true;
        frame.magnetAt = glm::vec3(1.0f, 0.0f, -1.0f);
        std::vector<float> all;
        for (int step = 0; step < 30; ++step) {
            if (step == 0 || step == 7) {
                for (Cue cue : {Cue::Fanfare, Cue::Hazard, Cue::Chime, Cue::DoorSlide, Cue::SwitchOn, Cue::Tick}) {
                    sound_->play(cue, glm::vec3(0.0f, 0.0f, -1.0f));
                }
            }
            // Bursts of knocks in phase, on the side a channel hears at full
            // gain.
            for (int knock = 0; knock < (step % 4 == 0 ? 3 : 0); ++knock) {
                sound_->play(Cue::Knock, glm::vec3(1.0f, 0.0f, 0.0f));
            }
            sound_->update(frame);
            const std::vector<float> samples = sound_->render(kStepFrames);
            all.insert(all.end(), samples.begin(), samples.end());
        }
        EXPECT_LT(20.0 * std::log10(velmora::testing::peakOf(all)), -1.0) << "volume " << volume;
        EXPECT_GT(velmora::testing::peakOf(all), 0.25f * volume) << "the limiter leaves it loud";
    }
}

// Each shipped level's ambient bed is heard with everything still, quietly:
// under the rolling, far under the cues; it goes on while paused. A bed
// whose file is missing is one line, and silence.
TEST_F(Sound, EachLevelHasAQuietAmbientBed) {
    std::vector<std::string> problems;
    const std::optional<LevelSet> set = loadLevelSet(kLevelSetFile, problems);
    ASSERT_TRUE(set.has_value());
    for (const LevelEntry& level : set->levels) {
        sound_->setAmbient(level.ambient);
        sound_->update(audio::SoundFrame{});
        sound_->render(kRate / 2);
        const std::vector<float> still = sound_->render(2 * kRate);
        const double loudness = velmora::testing::loudnessDb(still, 0, 2 * kRate);
        EXPECT_GT(loudness, -60.0) << level.name << "'s bed " << level.ambient;
        EXPECT_LT(loudness, -38.0) << level.name << "'s bed " << level.ambient;
    }
    EXPECT_EQ(report_.str(), "");
    // Paused, the game's sounds hold; the room's air does not.
    sound_->setPaused(true);
    EXPECT_GT(velmora::testing::loudnessDb(sound_->render(kRate / 2), 0, kRate / 2), -60.0);
    sound_->setAmbient("nowhere");
    sound_->render(kStepFrames);
    EXPECT_LT(measure(sound_->render(kRate / 10)).peak, kSilence);
    EXPECT_EQ(report_.str(), "Sounds/ambient_nowhere.wav: can't be opened; that sound stays silent.\n");
}

}  // namespace
