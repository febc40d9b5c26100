// What the simulation makes of the physics' contact reports: impacts of the
// spheres, and whether each touches anything (rolling is heard only then).

#include <algorithm>

#include "sim/Simulation.h"
#include "sim/World.h"

namespace velmora {

namespace {

// Slower approaches are a sphere settling, rolling onto a neighbouring body
// or landing from a hop; the game's drag keeps even a long fall under 1 m/s.
constexpr float kImpactSpeed = 0.35f;
// Steps without contact before a sphere counts as in the air.
constexpr long kAirborneSteps = 6;

}  // namespace

void Simulation::onContact(const physics::ContactReport* reports, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i) {
        const physics::ContactReport& report = reports[i];
        for (physics::RigidActor* actor : {report.actor, report.other}) {
            const auto type = world_.actorTypes.find(actor);
            if (type == world_.actorTypes.end() || type->second > SecondActorType) continue;
            int& touching = contacts_[type->second];
            touching = report.began ? touching + 1 : std::max(0, touching - 1);
            if (touching > 0) lastTouched_[type->second] = steps_;
        }
        const auto type = world_.actorTypes.find(report.actor);
        if (report.began && report.normalSpeed >= kImpactSpeed && type != world_.actorTypes.end() &&
            type->second <= SecondActorType) {
            SimulationEvent impact{SimulationEventType::Impact, steps_, report.point,
                                   type->second == MainActorType ? "main" : "second"};
            impact.speed = report.normalSpeed;
            events_.push_back(impact);
        }
    }
}

void Simulation::noteTouches() {
    for (int sphere = 0; sphere < 2; ++sphere) {
        if (contacts_[sphere] > 0) lastTouched_[sphere] = steps_;
    }
}

bool Simulation::touching(ActorType type) const {
    if (type > SecondActorType) return false;
    return steps_ - lastTouched_[type] <= kAirborneSteps;
}

std::optional<glm::vec3> Simulation::millPosition() const {
    if (millParts_.empty()) return std::nullopt;
    return millParts_.front().second.p;
}

}  // namespace velmora
