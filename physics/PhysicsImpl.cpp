#include "physics/PhysicsImpl.h"

#include <algorithm>
#include <cmath>

#include "physics/ContactCallbacks.h"
#include "physics/DynamicActor.h"
#include "physics/SceneImpl.h"
#include "physics/StaticActor.h"
#include "physics/TriangleMeshImpl.h"

namespace velmora::physics {

PhysicsImpl::PhysicsImpl(const ToleranceScale& scale) : scale_(scale) { installContactCallbacks(); }

PhysicsImpl::~PhysicsImpl() {
    // Scenes hold pointers into actors; empty them before anything dies.
    scenes_.clear();
    actors_.clear();
}

Material* PhysicsImpl::createMaterial(float staticFriction, float dynamicFriction, float restitution) {
    materials_.push_back(std::make_unique<Material>(staticFriction, dynamicFriction, restitution));
    return materials_.back().get();
}

Scene* PhysicsImpl::createScene(const SceneDesc& desc) {
    scenes_.push_back(std::make_unique<SceneImpl>(*this, desc));
    return scenes_.back().get();
}

RigidStatic* PhysicsImpl::createRigidStatic(const Transform& pose) {
    auto actor = std::make_unique<StaticActor>(*this, pose);
    StaticActor* result = actor.get();
    actors_.push_back(std::move(actor));
    return result;
}

RigidDynamic* PhysicsImpl::createRigidDynamic(const Transform& pose) {
    auto actor = std::make_unique<DynamicActor>(*this, pose);
    DynamicActor* result = actor.get();
    actors_.push_back(std::move(actor));
    return result;
}

void PhysicsImpl::release() { delete this; }

TriangleMesh* PhysicsImpl::adoptMesh(std::unique_ptr<TriangleMeshImpl> mesh) {
    meshes_.push_back(std::move(mesh));
    return meshes_.back().get();
}

void PhysicsImpl::destroyScene(SceneImpl* scene) {
    auto found = std::find_if(scenes_.begin(), scenes_.end(), [&](const auto& s) { return s.get() == scene; });
    if (found != scenes_.end()) scenes_.erase(found);
}

Physics* createPhysics(const ToleranceScale& scale) {
    const bool valid = std::isfinite(scale.length) && std::isfinite(scale.speed) && scale.length > 0.0f &&
                       scale.speed > 0.0f;
    return valid ? new PhysicsImpl(scale) : nullptr;
}

RigidStatic* createStatic(Physics& physics, const Transform& pose, const Geometry& geometry, Material& material,
                          const Transform& shapeOffset) {
    if (!geometry.isValid()) return nullptr;
    RigidStatic* actor = physics.createRigidStatic(pose);
    actor->createShape(geometry, material, shapeOffset);
    return actor;
}

RigidDynamic* createDynamic(Physics& physics, const Transform& pose, const Geometry& geometry, Material& material,
                            float density, const Transform& shapeOffset) {
    if (!geometry.isValid() || geometry.type != GeometryType::Sphere || !(density > 0.0f) || !std::isfinite(density))
        return nullptr;
    auto* actor = static_cast<DynamicActor*>(physics.createRigidDynamic(pose));
    actor->createShape(geometry, material, shapeOffset);
    // Mass and inertia of a solid sphere of this density about its centre.
    const float r = geometry.radius;
    const float mass = density * 4.0f / 3.0f * float(M_PI) * r * r * r;
    const float inertia = 0.4f * mass * r * r;
    actor->setMassAndInertia(mass, glm::vec3(inertia));
    return actor;
}

}  // namespace velmora::physics
