#include "level/CollisionCooking.h"

#include <iostream>

namespace velmora {

namespace {

// Level surfaces are grippy and bouncy alike, so the spheres behave the same
// on every part of the level.
constexpr float kLevelFriction = 1.0f;
constexpr float kLevelRestitution = 1.0f;

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
    physics::Material* material =
        physics.createMaterial(kLevelFriction, kLevelFriction, kLevelRestitution);
    const physics::Transform transform(pose.position, pose.rotation);

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
