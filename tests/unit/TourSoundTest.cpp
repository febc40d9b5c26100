// The autopilot's whole grand-tour run heard through the sound library's
// loopback device, as the player would hear it from behind the main sphere.
// The recorded run (tests/data/grand_tour_autopilot.vzr, made by
// `build/autoplay --no-shadows --save-replay FILE`) is played through the
// simulation once; each step's events and continuous sounds are kept and
// mixed three ways: as the game mixes them, the bed alone (everything but
// the cues), and the spheres' rolling alone. The figures are printed once
// so that they can be quoted.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <sstream>

#include "SoundMeasures.h"
#include "app/sound/GameSounds.h"
#include "audio/SoundSystem.h"
#include "level/LevelSet.h"
#include "sim/ReplayFile.h"
#include "sim/Simulation.h"
#include "sim/World.h"

using namespace velmora;
using velmora::testing::energyShareBelow;
using velmora::testing::loudnessDb;
using velmora::testing::peakOf;

namespace {

constexpr int kRate = 44100;
constexpr int kStepFrames = kRate / 60;
constexpr size_t kWindow = kRate / 10;  // 100 ms loudness windows
const char* const kTourRun = "tests/data/grand_tour_autopilot.vzr";

struct HeardStep {
    std::vector<SimulationEvent> events;
    audio::SoundFrame frame;
};

enum class Mix { AsPlayed, BedAlone, RollingAlone };

class TourSound : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::vector<std::string> problems;
        const std::optional<LevelSet> set = loadLevelSet(kLevelSetFile, problems);
        const LevelEntry* tour = set ? set->find("grand-tour") : nullptr;
        Replay run;
        std::string error;
        if (tour == nullptr || !loadReplay(kTourRun, run, error)) {
            failure_ = "no grand tour or no run: " + error;
            return;
        }
        if (!levelMismatch(run.levelIdentity, levelIdentityOf(*tour)).empty()) {
            failure_ = std::string(kTourRun) + " was recorded on another version of the grand tour: record it again";
            return;
        }
        ambient_ = tour->ambient;
        World world;
        Simulation simulation(world, tour->tiles, tour->places);
        for (const StepInput& input : run.inputs) {
            simulation.step(input);
            // Heard from six metres behind the main sphere and two up.
            glm::mat4 camera(1.0f);
            camera[3] = glm::vec4(simulation.spherePosition(MainActorType) + glm::vec3(0.0f, 2.0f, 6.0f), 1.0f);
            steps_.push_back({simulation.takeEvents(), app::soundFrame(simulation, camera)});
        }
        if (!simulation.won()) failure_ = "the run no longer reaches the goal";
    }

    void SetUp() override { ASSERT_EQ(failure_, ""); }

    // The run's sound, one step's samples after each step.
    static std::vector<float> mixed(Mix mix, float volume) {
        std::ostringstream report;
        std::unique_ptr<audio::SoundSystem> sound = audio::SoundSystem::openLoopback("Sounds", kRate, report);
        if (!sound) return {};
        sound->setVolume(volume);
        if (mix == Mix::AsPlayed) sound->setAmbient(ambient_);
        std::vector<float> all;
        for (const HeardStep& step : steps_) {
            audio::SoundFrame frame = step.frame;
            if (mix == Mix::AsPlayed) {
                app::playEventSounds(*sound, step.events);
            } else if (mix == Mix::RollingAlone) {
                frame.magnetHolding = false;
                frame.millTurning = false;
            }
            sound->update(frame);
            const std::vector<float> samples = sound->render(kStepFrames);
            all.insert(all.end(), samples.begin(), samples.end());
        }
        return all;
    }

    static std::string failure_;
    static std::string ambient_;
    static std::vector<HeardStep> steps_;
};

std::string TourSound::failure_;
std::string TourSound::ambient_;
std::vector<HeardStep> TourSound::steps_;

double median(std::vector<double> values) {
    if (values.empty()) return 0.0;
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

TEST_F(TourSound, CuesStandOverTheRollingNoSampleReachesMinusOneDbfsAndTheRollingRumblesLow) {
    const std::vector<float> full = mixed(Mix::AsPlayed, 1.0f), rolling = mixed(Mix::RollingAlone, 1.0f);
    // The limiter lowers cues and bed together, so a cue stands as far over
    // the bed at any volume; at a tenth of full it leaves the mix alone, and
    // the mix without the cues is the bed exactly as it stood under them.
    const std::vector<float> played = mixed(Mix::AsPlayed, 0.1f), bed = mixed(Mix::BedAlone, 0.1f);
    ASSERT_FALSE(full.empty()) << "the sound library has no loopback device";

    // Every window's loudness as played, and the rolling's while it sounds.
    const size_t frames = full.size() / 2;
    std::vector<double> windows, rollingWindows;
    for (size_t at = 0; at + kWindow <= frames; at += kWindow) {
        windows.push_back(loudnessDb(full, at, kWindow));
        const double roll = loudnessDb(rolling, at, kWindow);
        if (roll > -90.0) rollingWindows.push_back(roll);
    }

    // Each cue's first 100 ms as played, against the bed in the same
    // stretch without the cues: counted where the rolling sounds.
    struct Kind {
        const char* name;
        std::vector<double> margins;
    };
    Kind kinds[] = {{"switch clicks", {}}, {"doors", {}}, {"knocks", {}}, {"chimes", {}}, {"hazards", {}},
                    {"fanfare", {}}};
    const auto kindOf = [](SimulationEventType type) {
        switch (type) {
        case SimulationEventType::SwitchOn:
        case SimulationEventType::SwitchOff: return 0;
        case SimulationEventType::DoorOpened:
        case SimulationEventType::DoorClosed: return 1;
        case SimulationEventType::Impact: return 2;
        case SimulationEventType::Burst: return 3;
        case SimulationEventType::Hazard: return 4;
        case SimulationEventType::Goal: return 5;
        case SimulationEventType::Restarted: break;  // an interface tick
        }
        return -1;
    };
    // A step's cues of one kind are one moment: a sphere's several contacts
    // in a step are one knock.
    int standing = 0;
    for (size_t i = 0; i < steps_.size(); ++i) {
        bool counted[std::size(kinds)] = {};
        for (const SimulationEvent& event : steps_[i].events) {
            const int kind = kindOf(event.type);
            const size_t at = i * kStepFrames;
            if (kind < 0 || counted[kind] || loudnessDb(rolling, at, kWindow) < -90.0) continue;
            counted[kind] = true;
            const double margin = loudnessDb(played, at, kWindow) - loudnessDb(bed, at, kWindow);
            kinds[kind].margins.push_back(margin);
            if (margin >= 12.0) ++standing;
        }
    }
    const float peak = peakOf(full);
    const double peakDb = 20.0 * std::log10(std::max(peak, 1e-6f));
    const double lowShare = energyShareBelow(rolling, kRate, 1000.0);
    std::printf("grand tour, the autopilot's run of %.1f s heard at full volume, in 100 ms windows:\n"
                "  as played: median %.1f dBFS, loudest %.1f dBFS; the rolling alone, while heard: median %.1f dBFS\n"
                "  loudest sample %.2f dBFS; the rolling's energy under 1 kHz: %.1f %%\n"
                "  cues while rolling, their first 100 ms over the bed as it stood:\n",
                static_cast<double>(frames) / kRate, median(windows),
                *std::max_element(windows.begin(), windows.end()), median(rollingWindows), peakDb, 100.0 * lowShare);
    for (const Kind& kind : kinds) {
        if (kind.margins.empty()) continue;
        std::printf("    %-13s %3zu, %3ld of them 12 dB or more over; least %5.1f, median %5.1f dB\n", kind.name,
                    kind.margins.size(),
                    static_cast<long>(std::count_if(kind.margins.begin(), kind.margins.end(),
                                                    [](double m) { return m >= 12.0; })),
                    *std::min_element(kind.margins.begin(), kind.margins.end()), median(kind.margins));
    }

    EXPECT_GE(standing, 5);
    for (const Kind& kind : kinds) {
        if (!kind.margins.empty()) {
            EXPECT_GE(median(kind.margins), 12.0) << kind.name;
        }
    }
    EXPECT_LT(peakDb, -1.0);
    // Mostly, and by far: a rumble, not a hiss.
    EXPECT_GT(lowShare, 0.9);
}

}  // namespace
