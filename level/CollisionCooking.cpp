#include "level/CollisionCooking.h"

#include <cmath>
#include <iostream>

namespace velmora {

namespace {

// Level surfaces are grippy and bouncy alike, so the spheres behave the same
// on every part of the level.
constexpr float kLevelFriction = 1.0f;
constexpr float kLevelRestitution = 1.0f;

}  // namespace

// A zero (or non-finite) scale component leaves the node's matrix without a
// rotation that can be read back, and no shape of it could stop a sphere.
bool isPlaceable(const NodePose& pose) {
    for (int i = 0; i < 3; ++i) {
        if (!std::isfinite(pose.scale[i]) || pose.scale[i] == 0.0f) return false;
        if (!std::isfinite(pose.position[i])) return false;
    }
    const float length = glm::length(glm::vec4(pose.rotation.x, pose.rotation.y, pose.rotation.z,
                                               pose.rotation.w));
    return std::isfinite(length) && length > 0.0f;
}

namespace {

physics::TriangleMesh* cookMesh(physics::Cooking* cooking, const MeshData& mesh) {
    if (cooking == nullptr || mesh.vertexCount <= 0 || mesh.faceCount <= 0 ||
        mesh.positions.size() < static_cast<size_t>(mesh.vertexCount) * 3 ||
        mesh.indices.size() < static_cast<size_t>(mesh.faceCount) * 3) {
        return nullptr;
    }
    physics::TriangleMeshDesc desc;
    desc.points = mesh.positions.data();
    desc.pointCount = static_cast<uint32_t>(mesh.vertexCount);
    desc.triangles = mesh.indices.data();
    desc.triangleCount = static_cast<uint32_t>(mesh.faceCount);
    return cooking->cookTriangleMesh(desc);
}

// The second shape: the trigger volume, or the solid shape once more.
void addSecondShape(physics::RigidStatic& actor, const physics::Geometry& solid,
                    const CollisionPlan& plan, physics::Material& material) {
    if (!plan.hasTriggerVolume()) {
        actor.createShape(solid, material);
        return;
    }
    physics::Shape* volume = actor.createShape(physics::Geometry::box(plan.halfExtents), material);
    if (volume != nullptr) {
        // Simulation off first: a shape must never be solid and a trigger at once.
        volume->setFlag(physics::ShapeFlag::Simulation, false);
        volume->setFlag(physics::ShapeFlag::Trigger, true);
    }
}

}  // namespace

physics::RigidStatic* cookStaticActor(physics::Physics& physics, physics::Cooking* cooking,
                                      physics::Scene* scene, const MeshData& mesh,
                                      const NodePose& pose, const CollisionPlan& plan) {
    if (!isPlaceable(pose)) {
        return nullptr;
    }
    physics::Material* material =
        physics.createMaterial(kLevelFriction, kLevelFriction, kLevelRestitution);
    // Decomposing a scaled matrix leaves rounding in the rotation's length.
    const physics::Transform transform(pose.position, glm::normalize(pose.rotation));

    physics::Geometry solid;
    if (plan.kind == CollisionKind::ThinBox) {
        solid = physics::Geometry::box(plan.halfExtents);
    } else {
        physics::TriangleMesh* triangles = cookMesh(cooking, mesh);
        if (triangles == nullptr) {
            std::cout << "mCooking failed cooking mesh" << std::endl;
            return nullptr;
        }
        solid = physics::Geometry::triangleMesh(triangles, pose.scale);
    }

    physics::RigidStatic* actor = physics::createStatic(physics, transform, solid, *material);
    if (actor == nullptr) {
        return nullptr;  // degenerate scale: the node stays without collision
    }
    if (plan.kind == CollisionKind::ThinBox) {
        actor->createShape(solid, *material);
    } else {
        addSecondShape(*actor, solid, plan, *material);
    }
    if (scene != nullptr) {
        scene->addActor(*actor);
    }
    return actor;
}

}  // namespace velmora
