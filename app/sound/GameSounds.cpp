#include "app/sound/GameSounds.h"

#include <algorithm>

#include "sim/PlayerSpheres.h"
#include "sim/Simulation.h"

namespace velmora::app {

namespace {

// Impacts from the simulation's threshold up to this speed grow louder.
constexpr float kLoudestImpact = 3.0f;
// The spheres' centres when they touch: radii 0.5 and 1.
constexpr float kTouchingCentres = 1.5f;

float impactLoudness(float speed) { return std::clamp(0.2f + speed / kLoudestImpact, 0.2f, 1.0f); }

audio::RollingSphere rolling(const Simulation& simulation, ActorType type) {
    audio::RollingSphere sphere;
    sphere.position = simulation.spherePosition(type);
    if (const physics::RigidDynamic* body = simulation.sphere(type)) {
        sphere.speed = glm::length(body->getLinearVelocity());
    }
    sphere.touching = simulation.touching(type);
    return sphere;
}

}  // namespace

void playEventSounds(audio::SoundSystem& sound, const std::vector<SimulationEvent>& events) {
    using audio::Cue;
    // One knock per sphere in a frame, the hardest: a sphere striking a
    // corner reports several contacts at once, and the same knock started
    // together adds up in phase to a crack far louder than the blow.
    const SimulationEvent* hardest[2] = {nullptr, nullptr};
    for (const SimulationEvent& event : events) {
        if (event.type != SimulationEventType::Impact) continue;
        const SimulationEvent*& kept = hardest[event.text == "second" ? 1 : 0];
        if (kept == nullptr || event.speed > kept->speed) kept = &event;
    }
    for (size_t i = 0; i < events.size(); ++i) {
        const SimulationEvent& event = events[i];
        if (event.type == SimulationEventType::Impact && &event != hardest[0] && &event != hardest[1]) continue;
        // Nor twice the same cue at the same spot (a switch both spheres
        // set off in one step): once is as loud as it happened.
        const auto same = [&](const SimulationEvent& other) {
            return other.type == event.type && other.where == event.where;
        };
        if (std::any_of(events.begin(), events.begin() + static_cast<long>(i), same)) continue;
        switch (event.type) {
        case SimulationEventType::Restarted: sound.play(Cue::Tick, event.where); break;
        case SimulationEventType::Goal: sound.play(Cue::Fanfare, event.where); break;
        case SimulationEventType::Hazard: sound.play(Cue::Hazard, event.where); break;
        case SimulationEventType::Burst: sound.play(Cue::Chime, event.where); break;
        case SimulationEventType::SwitchOn: sound.play(Cue::SwitchOn, event.where); break;
        case SimulationEventType::SwitchOff: sound.play(Cue::SwitchOff, event.where); break;
        case SimulationEventType::DoorOpened:
        case SimulationEventType::DoorClosed: sound.play(Cue::DoorSlide, event.where); break;
        case SimulationEventType::Impact:
            // The second sphere is twice the size: its knock is deeper.
            sound.play(Cue::Knock, event.where, impactLoudness(event.speed), event.text == "second" ? 0.6f : 1.0f);
            break;
        }
    }
}

audio::SoundFrame soundFrame(const Simulation& simulation, const glm::mat4& cameraMatrix) {
    audio::SoundFrame frame;
    frame.listener.position = glm::vec3(cameraMatrix[3]);
    frame.listener.forward = -glm::vec3(cameraMatrix[2]);
    frame.listener.up = glm::vec3(cameraMatrix[1]);
    frame.mainSphere = rolling(simulation, MainActorType);
    frame.secondSphere = rolling(simulation, SecondActorType);

    // The magnet hums while it holds the second sphere within its reach,
    // higher as the gap closes.
    const glm::vec3 main = frame.mainSphere.position, second = frame.secondSphere.position;
    const float gap = glm::length(second - main);
    frame.magnetHolding = simulation.coupled() && !simulation.won() && gap <= spheres::kMagnetReach;
    frame.magnetCloseness =
        std::clamp((spheres::kMagnetReach - gap) / (spheres::kMagnetReach - kTouchingCentres), 0.0f, 1.0f);
    frame.magnetAt = 0.5f * (main + second);

    // The mill stops at the goal, as the run does.
    if (const std::optional<glm::vec3> mill = simulation.millPosition()) {
        frame.millTurning = !simulation.won();
        frame.millAt = *mill;
    }
    return frame;
}

}  // namespace velmora::app
