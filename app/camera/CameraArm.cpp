#include "app/camera/CameraArm.h"

#include <algorithm>
#include <cmath>
#include <utility>

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
                     float alpha, const std::vector<physics::Bounds>& slidingDoors) {
    float clear = length;
    // The mill is probed where the last step left it and drawn between the
    // last two steps: at most a step's turn behind (3.3 degrees, 0.12 m at
    // the tip of a 2 m arm), no more than the probe reaches beyond the near
    // plane's corners (0.17 m at 16:9), so it needs no box of its own as
    // doors do.
    if (physics::Scene* scene = simulation.scene()) {
        clear *= scene->sweepSphere(target, target + away * length, kCameraProbeRadius);
    }
    for (const physics::Bounds& door : slidingDoors) {
        clear = armOutsideBox(target, away, clear, door, kCameraProbeRadius);
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

float armOutsideBox(glm::vec3 target, glm::vec3 away, float length, const physics::Bounds& box, float radius) {
    // Slabs: the arm is inside the grown box between its latest entry and
    // its earliest exit over the three axes.
    float entry = 0.0f;
    float exit = length;
    for (int axis = 0; axis < 3; ++axis) {
        const float low = box.minimum[axis] - radius - target[axis];
        const float high = box.maximum[axis] + radius - target[axis];
        if (std::abs(away[axis]) < 1e-6f) {
            if (low > 0.0f || high < 0.0f) return length;  // runs beside the box
            continue;
        }
        float near = low / away[axis];
        float far = high / away[axis];
        if (near > far) std::swap(near, far);
        entry = std::max(entry, near);
        exit = std::min(exit, far);
        if (entry > exit) return length;
    }
    // Starting inside the box: as for a ball, nothing better is near.
    const bool startsInside = entry == 0.0f;
    return startsInside ? length : std::min(length, entry);
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
