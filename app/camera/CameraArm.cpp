#include "app/camera/CameraArm.h"

#include <cmath>

#include "sim/PlayerSpheres.h"
#include "sim/Simulation.h"

namespace velmora::app {

namespace {

// The share of a gap closed in a frame of dt seconds, whatever the frame rate.
float easeShare(double dt, float perSecond) {
    return 1.0f - static_cast<float>(std::exp(-dt * perSecond));
}

}  // namespace

float clearArmLength(const Simulation& simulation, glm::vec3 target, glm::vec3 away, float length,
                     float alpha) {
    float clear = length;
    if (physics::Scene* scene = simulation.scene()) {
        clear *= scene->sweepSphere(target, target + away * length, kCameraProbeRadius);
    }
    if (simulation.sphere(SecondActorType) != nullptr) {
        const float secondRadius = 0.5f * spheres::kSecondScale;
        clear = armOutsideBall(target, away, clear, simulation.spherePosition(SecondActorType, alpha),
                               secondRadius + kCameraProbeRadius);
    }
    return clear;
}

float armOutsideBall(glm::vec3 target, glm::vec3 away, float length, glm::vec3 centre, float radius) {
    const glm::vec3 toCentre = centre - target;
    const float along = glm::dot(toCentre, away);
    const float missSquared = glm::dot(toCentre, toCentre) - along * along;
    if (along <= 0.0f || missSquared >= radius * radius) return length;
    const float entry = along - std::sqrt(radius * radius - missSquared);
    if (entry < 0.0f) return length;
    return std::min(length, entry);
}

float CameraArm::follow(float clear, double dt) {
    if (length < 0.0f || clear <= length) {
        length = clear;
    } else {
        length += (clear - length) * easeShare(dt, kEaseOutPerSecond);
    }
    return length;
}

ArmBend CameraArm::followBend(const ArmBend& wanted, double dt) {
    const float share = easeShare(dt, kBendPerSecond);
    bend.swing += (wanted.swing - bend.swing) * share;
    bend.lift += (wanted.lift - bend.lift) * share;
    return bend;
}

}  // namespace velmora::app
